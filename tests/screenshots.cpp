// Saves a picture of the main window on every page: screenshots <folder>.
#include "app/MainU.h"
#include "tests/WindowControl.h"
#include "app/Questionnaire.h"
#include "app/SelectPathU.h"
#include "app/SpinEdits.h"
#include "app/WhyU.h"
#include "cardio/CardioU.h"
#include "decision/DecisionU.h"

#include "app/uTessoraClasses.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QDir>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

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
    // "--why" and "--why-question": a man of 55 with a pulse of 96 and chest pains;
    // the explanation of his cardiologist's consultation, or why the interview
    // asks its first question, stays open for a picture of the screen.
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (mode == "--why" || mode == "--why-question") {
        WindowControl<QRadioButton>(window, "rbGenderMale")->setChecked(true);
        WindowControl<QDateTimeEdit>(window, "dtpBirthDate")->setDateTime(QDateTime::currentDateTime().addYears(-55));
        WindowControl<TSpinEdit>(window, "spePulsP")->setValue(96);
        for (int statement : { 7, 8 })
            window.Page(ComplaintsTag)->findChild<TQuestionnaire*>()->ChangeAnswer(1, statement - 1);
        window.SelectTreeNodeForTag(14);
        if (mode == "--why") {
            auto* why = new TfrmWhy(window.ShownConclusion(), &window);
            why->SelectSpecialist(1);
            why->show();
        } else {
            window.SelectTreeNodeForTag(15);
            QTimer::singleShot(
                300, &window, [&window] { window.findChild<QAction*>(QStringLiteral("acWhy"))->trigger(); });
        }
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
