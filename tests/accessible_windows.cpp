// Not a test by itself: opens every window of the program at once (the main
// window on a conclusion with an urgent notice, «Почему?», About, the folder
// chooser, help, the monitor, the diary, a message box and the busy box) and
// prints "ready", for accessibility.py to read them through the accessibility
// bus. With TESSORA_NAMELESS_CONTROL set the main window gets one control with
// no name, which the reader must find; with TESSORA_DARK_PALETTE the windows
// take a dark desktop's colours, with TESSORA_FONT_POINTS its font size, and
// with TESSORA_PICTURES=<folder> a picture of each window is saved there.
#include "app/DiaryU.h"
#include "app/MainU.h"
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

namespace {

// A man of 55 with chest pains: the cardiologist is recommended under an urgent notice.
void EnterUrgentExamination(TfrmTessora& window)
{
    window.findChild<QRadioButton*>(QStringLiteral("rbGenderMale"))->setChecked(true);
    window.findChild<QDateTimeEdit*>(QStringLiteral("dtpBirthDate"))
        ->setDateTime(QDateTime::currentDateTime().addYears(-55));
    window.findChild<TSpinEdit*>(QStringLiteral("spePulsP"))->setValue(96);
    for (int statement : { 7, 8 })
        window.findChild<TQuestionnaire*>()->ChangeAnswer(1, statement - 1);
}

void UseDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xe8, 0xe8, 0xe8);
    for (auto [role, colour] : { std::pair { QPalette::Window, window }, { QPalette::Base, base },
             { QPalette::AlternateBase, window }, { QPalette::Button, window }, { QPalette::WindowText, text },
             { QPalette::Text, text }, { QPalette::ButtonText, text }, { QPalette::ToolTipBase, base },
             { QPalette::ToolTipText, text }, { QPalette::Highlight, QColor(0x3d, 0x6d, 0xb5) } })
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
}

void SavePictures(const QString& folder)
{
    if (folder.isEmpty())
        return;
    int number = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->grab().save(QStringLiteral("%1/%2-%3.png").arg(folder).arg(++number).arg(window->objectName()));
    }
}

void FillDiary(const QString& folder)
{
    TDiaryStore store(folder);
    if (!store.add(DiaryTestSeries(6, QDateTime::currentDateTime().addDays(-1))))
        qFatal("%s", qPrintable(store.errorText()));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("accessible_windows"));
    if (qEnvironmentVariableIsSet("TESSORA_DARK_PALETTE"))
        UseDarkPalette();
    if (const int points = qEnvironmentVariableIntValue("TESSORA_FONT_POINTS")) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    TfrmTessora window;
    window.show();
    // Every page once, so that each is made and named.
    for (int tag = 1; tag < ConclusionTag; ++tag)
        window.SelectTreeNodeForTag(tag);
    EnterUrgentExamination(window);
    window.SelectTreeNodeForTag(ConclusionTag);
    if (qEnvironmentVariableIsSet("TESSORA_NAMELESS_CONTROL"))
        (new QLineEdit(window.centralWidget()))->show();

    (new TfrmWhy(window.ShownConclusion(), &window))->show();
    (new TfrmAbout(&window))->show();
    (new TfrmPath(&window))->show();
    (new TfrmMonitor(&window))->show();
    Help::showContents(&window);
    QTemporaryDir folder;
    FillDiary(folder.path());
    (new TfrmDiary(true, folder.path(), &window))->show();
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
