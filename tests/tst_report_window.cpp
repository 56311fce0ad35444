#include "app/MainU.h"

#include "platform/widgets/MessageBoxes.h"
#include "platform/writer/CallLimit.h"
#include "platform/writer/OfficeProcess.h"
#include "platform/writer/WriterServer.h"
#include "report/ReportU.h"
#include "tests/WriterTestOffice.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <memory>

using namespace Automation;

namespace {

constexpr int DataPageTag = 1;
constexpr int ConclusionPageTag = 14;

enum class Trigger { LeaveConclusionPage, NewExamination, CloseWindow, MoveBetweenDataPages };

bool WaitForEnd(qint64 pid)
{
    return OfficeProcess::waitForEnd(pid, 30000);
}

// What the report command's progress bar showed while the report was built:
// one line per step, with where the bar was.
class BarWatch : public QObject {
public:
    explicit BarWatch(QStatusBar* statusBar)
        : m_statusBar(statusBar)
    {
        qApp->installEventFilter(this);
    }
    ~BarWatch() override { qApp->removeEventFilter(this); }
    QStringList steps;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* bar = event->type() == QEvent::Show ? qobject_cast<QProgressBar*>(watched) : nullptr;
        if (bar) {
            connect(bar, &QProgressBar::valueChanged, this, [this, bar](int value) {
                const bool inside = bar->parentWidget() == m_statusBar && bar->isVisible()
                    && m_statusBar->rect().contains(bar->geometry());
                steps << QStringLiteral("%1 %2").arg(value).arg(inside ? "inside" : "outside");
            });
        }
        return false;
    }

private:
    QStatusBar* m_statusBar;
};

QStringList BoxTexts()
{
    QStringList texts;
    for (const MessageBoxes::Shown& box : MessageBoxes::takeShown())
        texts << box.text;
    return texts;
}

QStringList StepsInside()
{
    QStringList steps;
    for (int value = 7; value <= 98; value += 7)
        steps << QStringLiteral("%1 inside").arg(value);
    return steps;
}

} // namespace

Q_DECLARE_METATYPE(Trigger)

// The main window closes the report documents where the user leaves them:
// leaving the conclusion page, a new examination, closing the window.
class TestReportWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void reportClosesWithTheConclusionPage_data();
    void reportClosesWithTheConclusionPage();
    void deadOfficeIsReportedAndTheWindowGoesOn();
    void reportCommandBuildsShowsAndBuildsAnew();
    void lostOfficeIsForgottenAndTheNextReportStartsAfresh_data();
    void lostOfficeIsForgottenAndTheNextReportStartsAfresh();
    void stoppedOfficeLeavesTheWindowAliveAndCanBeGivenUp();

private:
    void StartReport();

    std::unique_ptr<WriterTestOffice> m_office;
    std::unique_ptr<TfrmTessora> m_window;
};

void TestReportWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_office = std::make_unique<WriterTestOffice>(QStringLiteral("tst_window"));
    QVERIFY(!WriterServer::settings().profileFolder.isEmpty());
}

void TestReportWindow::init()
{
    MessageBoxes::takeShown();
    m_window = std::make_unique<TfrmTessora>();
    m_window->show();
}

void TestReportWindow::cleanup()
{
    m_window.reset();
    WriterServer::shutdown();
}

void TestReportWindow::cleanupTestCase()
{
    m_office.reset();
}

void TestReportWindow::StartReport()
{
    QVERIFY(m_window->Report().ConnectWord());
    m_window->Report().ReportDoc = m_window->Report()
                                       .WordApp.get(QStringLiteral("Documents"))
                                       .call(QStringLiteral("Add"), m_window->Report().OmittedArg);
    m_window->Report().DocSink->Connect(m_window->Report().ReportDoc);
    m_window->Report().ShowReport();
}

void TestReportWindow::reportClosesWithTheConclusionPage_data()
{
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<bool>("closes");
    QTest::newRow("leaving the conclusion page") << Trigger::LeaveConclusionPage << true;
    QTest::newRow("new examination") << Trigger::NewExamination << true;
    QTest::newRow("closing the main window") << Trigger::CloseWindow << true;
    QTest::newRow("moving between data pages") << Trigger::MoveBetweenDataPages << false;
}

void TestReportWindow::reportClosesWithTheConclusionPage()
{
    QFETCH(Trigger, trigger);
    QFETCH(bool, closes);
    m_window->SelectPageByTag(trigger == Trigger::MoveBetweenDataPages ? DataPageTag : ConclusionPageTag);
    StartReport();
    const qint64 office = WriterServer::startedOfficePid();
    QVERIFY(office > 0);

    switch (trigger) {
    case Trigger::LeaveConclusionPage:
        m_window->SelectPageByTag(DataPageTag);
        break;
    case Trigger::NewExamination:
        m_window->acNewExecute();
        break;
    case Trigger::CloseWindow:
        m_window->close();
        break;
    case Trigger::MoveBetweenDataPages:
        m_window->SelectPageByTag(DataPageTag + 1);
        break;
    }

    QVERIFY(MessageBoxes::takeShown().isEmpty());
    if (closes) {
        QVERIFY(m_window->Report().ReportDoc.isEmpty());
        QVERIFY(m_window->Report().WordApp.isEmpty());
        QVERIFY2(WaitForEnd(office), "the office started for the report still runs");
    } else {
        QVERIFY(!m_window->Report().ReportDoc.isEmpty());
        QCOMPARE(
            m_window->Report().WordApp.get(QStringLiteral("Documents")).get(QStringLiteral("Count")).toInt(),
            1);
    }
}

void TestReportWindow::deadOfficeIsReportedAndTheWindowGoesOn()
{
    m_window->SelectPageByTag(ConclusionPageTag);
    StartReport();
    const qint64 office = WriterServer::startedOfficePid();
    OfficeProcess::kill(office);
    QVERIFY(WaitForEnd(office));

    m_window->SelectPageByTag(DataPageTag);
    const QList<MessageBoxes::Shown> boxes = MessageBoxes::takeShown();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().icon, QMessageBox::Critical);
    QVERIFY(!boxes.first().text.isEmpty());
    QCOMPARE(m_window->ActivePageTag(), DataPageTag);
}

void TestReportWindow::reportCommandBuildsShowsAndBuildsAnew()
{
    auto* statusBar = m_window->findChild<QStatusBar*>(QStringLiteral("sbMain"));
    auto* report = m_window->findChild<QAction*>(QStringLiteral("acReport"));
    m_window->SelectPageByTag(ConclusionPageTag);
    QVERIFY(report->isEnabled());
    const auto press = [&] {
        BarWatch watch(statusBar);
        report->trigger();
        return watch.steps;
    };

    QCOMPARE(press(), StepsInside());
    QVERIFY(statusBar->findChildren<QProgressBar*>().isEmpty());
    QCOMPARE(statusBar->currentMessage(), QStringLiteral("Готовлю отчет для печати..."));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    const Variant first = m_window->Report().ReportDoc;
    QVERIFY(!first.isEmpty());
    const qint64 office = WriterServer::startedOfficePid();
    QCOMPARE(m_window->Report().WordApp.get(QStringLiteral("Visible")).toBool(), true);
    const auto documents = [this] {
        return m_window->Report()
            .WordApp.get(QStringLiteral("Documents"))
            .get(QStringLiteral("Count"))
            .toInt();
    };
    QCOMPARE(documents(), 1);

    // The open report is only shown again.
    QCOMPARE(press(), QStringList());
    QVERIFY(m_window->Report().ReportDoc == first);
    QCOMPARE(documents(), 1);

    // Leaving the page closes it; coming back builds a new one.
    m_window->SelectPageByTag(DataPageTag);
    QVERIFY(!report->isEnabled());
    QVERIFY(m_window->Report().ReportDoc.isEmpty());
    QVERIFY2(WaitForEnd(office), "the office started for the report still runs");
    m_window->SelectPageByTag(ConclusionPageTag);
    QCOMPARE(press(), StepsInside());
    QVERIFY(!m_window->Report().ReportDoc.isEmpty());
    QCOMPARE(documents(), 1);
    QVERIFY(MessageBoxes::takeShown().isEmpty());

    const qint64 second = WriterServer::startedOfficePid();
    m_window->close();
    QVERIFY2(WaitForEnd(second), "an office is left after the window closed");
}

void TestReportWindow::lostOfficeIsForgottenAndTheNextReportStartsAfresh_data()
{
    QTest::addColumn<bool>("newExamination");
    QTest::newRow("report asked again") << false;
    QTest::newRow("after a new examination") << true;
}

void TestReportWindow::lostOfficeIsForgottenAndTheNextReportStartsAfresh()
{
    QFETCH(bool, newExamination);
    auto* report = m_window->findChild<QAction*>(QStringLiteral("acReport"));
    m_window->SelectPageByTag(ConclusionPageTag);
    report->trigger();
    const qint64 lost = WriterServer::startedOfficePid();
    OfficeProcess::kill(lost);
    QTRY_VERIFY_WITH_TIMEOUT(
        m_window->Report().ReportDoc.isEmpty() && m_window->Report().WordApp.isEmpty(), 30000);
    if (newExamination) {
        m_window->acNewExecute();
        m_window->SelectPageByTag(ConclusionPageTag);
    }

    report->trigger();
    QCOMPARE(BoxTexts(), QStringList());
    QVERIFY(!m_window->Report().ReportDoc.isEmpty());
    QVERIFY(WriterServer::startedOfficePid() != lost);
}

void TestReportWindow::stoppedOfficeLeavesTheWindowAliveAndCanBeGivenUp()
{
    auto* report = m_window->findChild<QAction*>(QStringLiteral("acReport"));
    m_window->SelectPageByTag(ConclusionPageTag);
    report->trigger();
    const qint64 office = WriterServer::startedOfficePid();
    QVERIFY(office > 0 && !m_window->Report().ReportDoc.isEmpty());
    QVERIFY(WriterTestOffice::stop(office));
    const auto resume = qScopeGuard([office] { ::kill(static_cast<pid_t>(office), SIGCONT); });
    // Runs while the window waits: gives up once the busy box shows.
    QString waitingFor;
    QTimer user;
    connect(&user, &QTimer::timeout, this, [&] {
        auto* box = m_window->findChild<QDialog*>(QStringLiteral("dlgBusy"));
        if (box && box->isVisible() && waitingFor.isEmpty()) {
            waitingFor = box->findChild<QLabel*>()->text();
            QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    user.start(100);

    QElapsedTimer timer;
    timer.start();
    report->trigger(); // shows the open report, whose office does not answer
    QVERIFY2(timer.elapsed() < CallLimit::callMs() / 2, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(waitingFor, QStringLiteral("Жду ответа текстового редактора LibreOffice Writer…"));
    const QStringList boxes = BoxTexts();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().endsWith(QStringLiteral("Ожидание текстового редактора прервано")),
        qPrintable(boxes.first()));
    QTRY_VERIFY(m_window->Report().ReportDoc.isEmpty());
    QVERIFY(OfficeProcess::waitForEnd(office, 5000));
}

QTEST_MAIN(TestReportWindow)
#include "tst_report_window.moc"
