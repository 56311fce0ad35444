#include "app/TessoraApplication.h"

#include "decision/ExaminationRecord.h"
#include "platform/widgets/MessageBoxes.h"

#include <exception>

TTessoraApplication::TTessoraApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool TTessoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ERecordRangeError& error) {
        MessageBoxes::showError(activeWindow(), error.message());
    } catch (const std::exception& error) {
        MessageBoxes::showError(activeWindow(), QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::showError(activeWindow(), QStringLiteral("Непредвиденная ошибка программы"));
    }
    return false;
}
