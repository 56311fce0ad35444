// The yardstick of the start-up benchmark: a bare Qt window with a menu and a
// status bar, started and ended as the program is.
#include "app/StartProbe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Выход"));
    window.menuBar()->addMenu(QStringLiteral("Справка"));
    window.statusBar()->showMessage(QStringLiteral("Готово"));
    // The program's own size: both fill and send a picture of the same area.
    window.resize(892, 646);
    InstallStartProbe(&window);
    window.show();
    return application.exec();
}
