// Saves a picture of the main window on every page: screenshots <folder>.
#include "app/MainU.h"
#include "app/SelectPathU.h"
#include "cardio/CardioU.h"
#include "decision/DecisionU.h"

#include "app/uTessoraClasses.h"

#include <QApplication>
#include <QDir>
#include <QStackedWidget>
#include <QTest>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    TfrmTessora window;
    window.show();
    QTest::qWait(200);
    // "screenshots <folder> --folder-chooser": the folder chooser stays open
    // over the main window until the program is ended, for a picture of the screen.
    if (argc > 2 && QByteArray(argv[2]) == "--folder-chooser") {
        auto* chooser = new TfrmPath(&window);
        chooser->SetInitialPath(QDir::home().filePath(QStringLiteral("Заключения")));
        chooser->show();
        return application.exec();
    }
    auto* pages = window.findChild<QStackedWidget*>(QStringLiteral("pgcMain"));
    for (int i = 0; i < pages->count(); ++i) {
        const int tag = TfrmTessora::PageTag(pages->widget(i));
        if (tag == 15)
            window.UpdateSpecialistsNode(true);
        window.SelectTreeNodeForTag(tag);
        QTest::qWait(100);
        window.grab().save(QStringLiteral("%1/%2-%3.png")
                               .arg(folder)
                               .arg(tag, 2, 10, QLatin1Char('0'))
                               .arg(PageFileNames[tag]));
    }
    return 0;
}
