#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "platform/automation/Automation.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterServer.h"
#include "report/ReportBuilder.h"
#include "report/ReportU.h"
#include "tests/OfficeConnection.h"
#include "tests/TestRecord.h"
#include "tests/WriterTestOffice.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include <QElapsedTimer>
#include <QtTest>

using namespace css;
using Automation::Variant;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// Prints how long the office takes to start, how much late binding costs
// over calling UNO directly for the report's typical write, and what a whole
// report costs.
class BenchWriter : public QObject {
    Q_OBJECT

private slots:
    void cellWrites();
    void report();
};

namespace {

constexpr int kRows = 100;
constexpr int kColumns = 10;

Reference<text::XTextTable> firstTableOf(
    const QString& pipe, const QString& title, std::shared_ptr<UnoOffice>& office)
{
    office = ConnectToTestOffice(pipe);
    if (!office)
        return {};
    Reference<container::XEnumeration> components = office->desktop()->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        Reference<frame::XTitle> named(components->nextElement(), UNO_QUERY);
        if (named.is() && toQString(named->getTitle()) == title) {
            Reference<container::XIndexAccess> tables(
                Reference<text::XTextTablesSupplier>(named, UNO_QUERY_THROW)->getTextTables(),
                UNO_QUERY_THROW);
            return Reference<text::XTextTable>(tables->getByIndex(0), UNO_QUERY_THROW);
        }
    }
    return {};
}

} // namespace

void BenchWriter::cellWrites()
{
    WriterTestOffice guard(QStringLiteral("bench"));
    QElapsedTimer timer;
    timer.start();
    const Variant word(Automation::CreateOleObject(QStringLiteral("Word.Application")));
    WriterTestOffice::remember();
    const qint64 startMs = timer.elapsed();

    const Variant late = word.get("Documents").call("Add", Variant::Omitted());
    late.get("Windows").call("Item", 1).set("Caption", QStringLiteral("late"));
    const Variant table = late.get("Tables").call("Add", word.get("Selection").get("Range"), kRows, kColumns);
    timer.restart();
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c)
            table.call("Cell", r, c).get("Range").call("InsertBefore", QStringLiteral("текст"));
    const qint64 lateMs = timer.elapsed();

    const Variant direct = word.get("Documents").call("Add", Variant::Omitted());
    direct.get("Windows").call("Item", 1).set("Caption", QStringLiteral("direct"));
    direct.get("Tables").call("Add", word.get("Selection").get("Range"), kRows, kColumns);
    std::shared_ptr<UnoOffice> office;
    const Reference<text::XTextTable> unoTable
        = firstTableOf(guard.pipeName(), QStringLiteral("direct"), office);
    QVERIFY(unoTable.is());
    const OUString text = toOUString(QStringLiteral("текст"));
    timer.restart();
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const OUString name = OUString::number(r).replaceAt(0, 0, OUString(sal_Unicode('A' + c)));
            Reference<text::XText> cell(unoTable->getCellByName(name), UNO_QUERY_THROW);
            cell->insertString(cell->getStart(), text, false);
        }
    }
    const qint64 directMs = timer.elapsed();
    QCOMPARE(Reference<text::XText>(unoTable->getCellByName(OUString("J100")), UNO_QUERY_THROW)->getString(),
        text);
    QCOMPARE(
        table.call("Cell", kRows, kColumns).get("Range").get("Text").toString(), QStringLiteral("текст"));

    const double ratio = directMs > 0 ? static_cast<double>(lateMs) / static_cast<double>(directMs) : 0.0;
    qInfo().noquote() << QStringLiteral("office start to connected: %1 ms").arg(startMs);
    qInfo().noquote() << QStringLiteral("%1 late-bound Cell(r, c).Range.InsertBefore: %2 ms")
                             .arg(kRows * kColumns)
                             .arg(lateMs);
    qInfo().noquote() << QStringLiteral("%1 direct UNO writes: %2 ms").arg(kRows * kColumns).arg(directMs);
    qInfo().noquote() << QStringLiteral("late-bound / direct: %1").arg(ratio, 0, 'f', 2);
    office.reset();
    word.call("Quit");
}

void BenchWriter::report()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    WriterTestOffice guard(QStringLiteral("bench_report"));
    TReportState report;
    QStringList boxes;
    report.SetReportErrorBox([&boxes](const QString& text) { boxes << text; });
    report.SetReportMessageBox([&boxes](const QString& text) { boxes << text; });
    const QDateTime now = QDateTime::currentDateTime();
    TestRecord record(now);
    QCOMPARE(
        record.apply(QStringLiteral("male age=41 height=182 weight=84 temp=36.9 pulse=72 arrhythmia "
                                    "ecg=400 block scarring flu=500 fluPathology blood=90 hb=150 esr=12 "
                                    "urine=10 protein uery=3 uleu=12 cbxLPah cbxLSheja cbxFDeform cbxBPup "
                                    "cbxCardio cbxOftal q1 q2")),
        QString());
    const Conclusion conclusion = Conclude(record, ComplaintPhrases::Load(), now);
    const auto build = [&] {
        QVERIFY(BuildReport(
            report, record, conclusion, [] {}, now));
        WriterTestOffice::remember();
    };
    const auto closeReport = [&report] { report.ReportDoc.call(QStringLiteral("Close"), 0); };

    // A first start makes the office's user profile; it is not what a user
    // waits for on every report.
    QVERIFY(report.ConnectWord());
    WriterTestOffice::remember();
    report.CloseConclusionDocuments();

    // The floor: the office started and an empty document shown.
    QElapsedTimer timer;
    timer.start();
    QVERIFY(report.ConnectWord());
    WriterTestOffice::remember();
    report.ReportDoc
        = report.WordApp.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), report.OmittedArg);
    report.ShowReport();
    const qint64 floorMs = timer.elapsed();
    report.CloseConclusionDocuments();

    timer.restart();
    build();
    const qint64 coldMs = timer.elapsed();
    closeReport();

    constexpr int WarmRuns = 3;
    qint64 warmMs = std::numeric_limits<qint64>::max();
    quint64 calls = 0;
    for (int run = 0; run < WarmRuns; ++run) {
        const quint64 before = Automation::LateBoundCallCount();
        timer.restart();
        build();
        warmMs = std::min(warmMs, timer.elapsed());
        calls = Automation::LateBoundCallCount() - before;
        closeReport();
    }
    QCOMPARE(boxes, QStringList());
    report.CloseConclusionDocuments();

    qInfo().noquote() << QStringLiteral("floor, office start + empty document shown: %1 ms").arg(floorMs);
    qInfo().noquote() << QStringLiteral("full report, cold (office started for it): %1 ms").arg(coldMs);
    qInfo().noquote()
        << QStringLiteral("full report, warm (office running), best of %1: %2 ms").arg(WarmRuns).arg(warmMs);
    qInfo().noquote() << QStringLiteral("late-bound calls per report: %1").arg(calls);
}

QTEST_GUILESS_MAIN(BenchWriter)
#include "bench_writer.moc"
