// Not a test by itself: opens every window at once (the main window on a conclusion
// with an urgent notice, «Почему?», About, the folder chooser, help, the monitor, the
// diary, a message box and the busy box) and prints "ready", for accessibility.py.
// TESSORA_NAMELESS_CONTROL adds a control without a name; TESSORA_DARK_PALETTE gives
// a dark desktop's colours; TESSORA_PICTURES=<folder> saves a picture of each window.
#include "app/DiaryWindow.h"
#include "app/MainU.h"
#include "app/PressureDialog.h"
#include "app/Questionnaire.h"
#include "app/SelectPathU.h"
#include "app/SpinEdits.h"
#include "app/WhyU.h"
#include "app/frmAboutU.h"
#include "cardio/MonitorU.h"
#include "diary/DiaryStore.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/BusyBox.h"
#include "platform/widgets/MessageBoxes.h"
#include "tests/DiaryTestData.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

static void UseDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark(QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    QApplication::setPalette(dark);
}

static void SavePictures(const QString& folder)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!folder.isEmpty() && window->isVisible())
            window->grab().save(QStringLiteral("%1/%2.png").arg(folder, window->objectName()));
    }
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("TESSORA_DARK_PALETTE"))
        UseDarkPalette();
    TfrmTessora window;
    window.show();
    for (int tag = 1; tag < ConclusionTag; ++tag) // every page made and named
        window.SelectTreeNodeForTag(tag);
    window.findChild<QRadioButton*>(QStringLiteral("rbGenderMale"))->setChecked(true);
    window.findChild<QDateTimeEdit*>(QStringLiteral("dtpBirthDate"))->setDateTime(QDateTime::currentDateTime().addYears(-55));
    for (int statement : { 7, 8 }) // chest pains: the cardiologist, under an urgent notice
        window.findChild<TQuestionnaire*>()->ChangeAnswer(1, statement - 1);
    window.SelectTreeNodeForTag(ConclusionTag);
    if (qEnvironmentVariableIsSet("TESSORA_NAMELESS_CONTROL"))
        (new QLineEdit(window.centralWidget()))->show();

    (new TfrmWhy(window.ShownConclusion(), &window))->show();
    (new TfrmAbout(&window))->show();
    (new TfrmPath(&window))->show();
    (new TfrmMonitor(&window))->show();
    Help::showContents(&window);
    QTemporaryDir folder;
    if (!DiaryStore(folder.path()).add(diaryTestSeries(6, QDateTime::currentDateTime().addDays(-1))))
        return 1;
    (new DiaryWindow(folder.path(), true, folder.path(), &window))->show();
    (new PressureDialog(folder.path(), QString(), &window))->show();
    BusyBox::View(&window).show(QStringLiteral("Ждём текстовый редактор…"), [] {});
    QTimer::singleShot(0, &window, [&window] {
        QTimer::singleShot(500, [] {
            SavePictures(qEnvironmentVariable("TESSORA_PICTURES"));
            std::puts("ready");
            std::fflush(stdout);
        });
        MessageBoxes::show(&window, QMessageBox::Warning, MessageBoxes::title(),
            window.ShownConclusion().Notice.join(QLatin1Char('\n')));
    });
    return application.exec();
}
