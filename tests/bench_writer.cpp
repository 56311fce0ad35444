#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "platform/automation/Automation.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterServer.h"
#include "report/ReportBuilder.h"
#include "report/ReportU.h"
#include "tests/BenchFigures.h"
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
// report costs with and without the office start; medians of several runs.
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
    constexpr int Runs = 3;
    WriterTestOffice guard(QStringLiteral("bench"));
    QElapsedTimer timer;
    timer.start();
    const Variant word(Automation::CreateOleObject(QStringLiteral("Word.Application")));
    WriterTestOffice::remember();
    const qint64 startMs = timer.elapsed();

    // Two tables, written Runs times over: a table of this size takes long to make.
    const auto newTable = [&](const QString& caption) {
        const Variant document = word.get("Documents").call("Add", Variant::Omitted());
        document.get("Windows").call("Item", 1).set("Caption", caption);
        return document.get("Tables").call("Add", word.get("Selection").get("Range"), kRows, kColumns);
    };
    const Variant table = newTable(QStringLiteral("late"));
    newTable(QStringLiteral("direct"));
    std::shared_ptr<UnoOffice> office;
    const Reference<text::XTextTable> unoTable
        = firstTableOf(guard.pipeName(), QStringLiteral("direct"), office);
    QVERIFY(unoTable.is());
    const OUString text = toOUString(QStringLiteral("текст"));
    BenchFigures late;
    BenchFigures direct;
    for (int run = 1; run <= Runs; ++run) {
        timer.restart();
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kColumns; ++c)
                table.call("Cell", r, c).get("Range").call("InsertBefore", QStringLiteral("текст"));
        late.add(timer.elapsed());

        timer.restart();
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                const OUString name = OUString::number(r).replaceAt(0, 0, OUString(sal_Unicode('A' + c)));
                Reference<text::XText> cell(unoTable->getCellByName(name), UNO_QUERY_THROW);
                cell->insertString(cell->getStart(), text, false);
            }
        }
        direct.add(timer.elapsed());
    }
    const QString written = QStringLiteral("текст").repeated(Runs);
    QCOMPARE(table.call("Cell", kRows, kColumns).get("Range").get("Text").toString(), written);
    QCOMPARE(
        toQString(
            Reference<text::XText>(unoTable->getCellByName(OUString("J100")), UNO_QUERY_THROW)->getString()),
        written);

    qInfo().noquote() << QStringLiteral("first office start on a new user profile, CreateOleObject to "
                                        "connected (one run): %1 ms")
                             .arg(startMs);
    qInfo().noquote() << QStringLiteral("%1 late-bound Cell(r, c).Range.InsertBefore into a %2x%3 table: %4")
                             .arg(kRows * kColumns)
                             .arg(kRows)
                             .arg(kColumns)
                             .arg(late.text(QStringLiteral("ms")));
    qInfo().noquote() << QStringLiteral("the same %1 writes through UNO directly (getCellByName, "
                                        "insertString): %2")
                             .arg(kRows * kColumns)
                             .arg(direct.text(QStringLiteral("ms")));
    qInfo().noquote() << QStringLiteral("late-bound / direct, of the medians: %1")
                             .arg(late.median() / std::max(direct.median(), 1.0), 0, 'f', 2);
    office.reset();
    word.call("Quit");
}

void BenchWriter::report()
{
    constexpr int Runs = 5;
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
    // The office of the previous run is ended, so that the next one starts its own.
    const auto endOffice = [&report] {
        report.CloseConclusionDocuments();
        WriterTestOffice::end();
        report.WordApp.clear();
    };

    // A first start makes the office's user profile; it is not what a user
    // waits for on every report.
    QVERIFY(report.ConnectWord());
    WriterTestOffice::remember();
    endOffice();

    QElapsedTimer timer;
    BenchFigures floor;
    BenchFigures cold;
    BenchFigures warm;
    quint64 calls = 0;
    for (int run = 0; run < Runs; ++run) {
        QCOMPARE(WriterServer::startedOfficePid(), 0);
        timer.restart();
        QVERIFY(report.ConnectWord());
        report.ReportDoc
            = report.WordApp.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), report.OmittedArg);
        report.ShowReport();
        floor.add(timer.elapsed());
        WriterTestOffice::remember();
        endOffice();

        QCOMPARE(WriterServer::startedOfficePid(), 0);
        timer.restart();
        QVERIFY(BuildReport(
            report, record, conclusion, [] {}));
        cold.add(timer.elapsed());
        WriterTestOffice::remember();
        QVERIFY(WriterServer::startedOfficePid() != 0);
        report.ReportDoc.call(QStringLiteral("Close"), 0);

        const quint64 before = Automation::LateBoundCallCount();
        timer.restart();
        QVERIFY(BuildReport(
            report, record, conclusion, [] {}));
        warm.add(timer.elapsed());
        calls = Automation::LateBoundCallCount() - before;
        endOffice();
    }
    QCOMPARE(boxes, QStringList());

    qInfo().noquote() << QStringLiteral("floor, office start + empty document shown: %1")
                             .arg(floor.text(QStringLiteral("ms")));
    qInfo().noquote() << QStringLiteral("full report, cold (office start included): %1")
                             .arg(cold.text(QStringLiteral("ms")));
    qInfo().noquote() << QStringLiteral("full report, warm (office running, report shown): %1")
                             .arg(warm.text(QStringLiteral("ms")));
    qInfo().noquote()
        << QStringLiteral("late-bound calls per report: %1 (goal: at most 872, half of 1744)").arg(calls);
}

QTEST_GUILESS_MAIN(BenchWriter)
#include "bench_writer.moc"
