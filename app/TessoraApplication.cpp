#include "app/TessoraApplication.h"

#include "decision/ExaminationRecord.h"
#include "platform/widgets/MessageBoxes.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

TTessoraApplication::TTessoraApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // The program speaks Russian whatever the desktop's language: Qt's own
    // dialogs, buttons and context menus too.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
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
