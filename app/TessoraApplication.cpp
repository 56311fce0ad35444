#include "app/TessoraApplication.h"

#include "decision/ExaminationRecord.h"
#include "platform/widgets/MessageBoxes.h"

#include <QIcon>
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
    // The sizes a window frame, task bar and switcher use; each is decoded
    // when the icon is made, so the large artwork is left to the About window.
    QIcon icon;
    for (int side : { 16, 32, 48 })
        icon.addFile(QStringLiteral(":/icons/app/hicolor/%1.png").arg(side), QSize(side, side));
    setWindowIcon(icon);
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
