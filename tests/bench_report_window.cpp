#include "app/MainU.h"

#include "platform/writer/WriterServer.h"
#include "report/ReportU.h"
#include "tests/WriterTestOffice.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>

// Prints how long «Отчет» in the main window takes until the report is
// shown: in the usual flow, where the conclusion page was read for a few
// seconds and the office started meanwhile, and with no head start at all,
// beside what that may cost (an office start plus a report in a running office).
class BenchReportWindow : public QObject {
    Q_OBJECT

private slots:
    void reportFromTheWindow();
};

namespace {

constexpr int Runs = 5;
constexpr int HeadStartMs = 4000;
constexpr int DataPageTag = 1;
constexpr int ConclusionPageTag = 14;

qint64 Median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString Figure(const QList<qint64>& values)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return QStringLiteral("median %1 ms (%2–%3 ms, %4 runs)")
        .arg(Median(values))
        .arg(*low)
        .arg(*high)
        .arg(values.size());
}

// The longest time the window's thread went without running its event loop
// (a timer on that thread that fires as often as it can) while a report ran.
class EventLoopGaps {
public:
    EventLoopGaps()
    {
        m_ticks.setInterval(1);
        QObject::connect(&m_ticks, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_longest = 0;
        m_last.start();
        m_ticks.start();
    }
    qint64 stop()
    {
        tick();
        m_ticks.stop();
        return m_longest;
    }

private:
    void tick() { m_longest = std::max(m_longest, m_last.restart()); }

    QTimer m_ticks;
    QElapsedTimer m_last;
    qint64 m_longest = 0;
};

} // namespace

void BenchReportWindow::reportFromTheWindow()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    WriterTestOffice guard(QStringLiteral("bench_window"));
    TfrmTessora window;
    window.show();
    auto* report = window.findChild<QAction*>(QStringLiteral("acReport"));
    QElapsedTimer timer;
    EventLoopGaps gaps;
    QList<qint64> longestGaps;
    const auto timedReport = [&] {
        timer.start();
        gaps.start();
        report->trigger();
        longestGaps << gaps.stop();
        return window.Report().ReportDoc.isEmpty() ? -1 : timer.elapsed();
    };
    const auto leave = [&] {
        window.SelectPageByTag(DataPageTag);
        WriterServer::shutdown();
    };
    // The first start makes the office's profile; a user waits for it once.
    window.SelectPageByTag(ConclusionPageTag);
    QVERIFY(timedReport() >= 0);
    leave();

    QList<qint64> usual, warm, cold, start, firstDocument, laterDocument;
    for (int run = 0; run < Runs; ++run) {
        window.SelectPageByTag(ConclusionPageTag);
        QTest::qWait(HeadStartMs);
        usual << timedReport();
        window.Report().ReportDoc.call(QStringLiteral("Close"), 0);
        warm << timedReport();
        leave();
        window.SelectPageByTag(ConclusionPageTag);
        cold << timedReport();
        leave();
        timer.start();
        QVERIFY(window.Report().ConnectWord());
        start << timer.elapsed();
        const Automation::Variant documents = window.Report().WordApp.get(QStringLiteral("Documents"));
        for (auto* figures : { &firstDocument, &laterDocument }) {
            timer.start();
            documents.call(QStringLiteral("Add"), window.Report().OmittedArg);
            *figures << timer.elapsed();
        }
        window.Report().CloseConclusionDocuments();
        WriterServer::shutdown();
    }
    for (const auto* figures : { &usual, &warm, &cold })
        QVERIFY(!figures->contains(-1));

    qInfo().noquote() << QStringLiteral(
        "«Отчет» to report shown, conclusion page shown %1 s first: %2; goal < 500 ms")
                             .arg(HeadStartMs / 1000)
                             .arg(Figure(usual));
    qInfo().noquote() << QStringLiteral(
        "«Отчет» to report shown, no head start: %1; goal ≤ office start + warm "
        "report = %2 ms")
                             .arg(Figure(cold))
                             .arg(Median(start) + Median(warm));
    qInfo().noquote() << QStringLiteral("longest gap of the window's event loop during «Отчет»: %1; goal ≤ 100 ms")
                             .arg(Figure(longestGaps));
    qInfo().noquote() << QStringLiteral("office start to connected, no document: %1").arg(Figure(start));
    qInfo().noquote() << QStringLiteral("warm report, «Отчет» with the office running: %1").arg(Figure(warm));
    // What a report without head start pays beyond the goal: Writer is loaded
    // with the first document of a new office.
    qInfo().noquote() << QStringLiteral("first document in a new office: %1; the next one: %2")
                             .arg(Figure(firstDocument), Figure(laterDocument));
}

QTEST_MAIN(BenchReportWindow)
#include "bench_report_window.moc"
