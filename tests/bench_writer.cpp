#include "platform/automation/Automation.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterServer.h"
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

// Prints how long the office takes to start and how much late binding
// costs over calling UNO directly for the report's typical write.
class BenchWriter : public QObject {
    Q_OBJECT

private slots:
    void cellWrites();
};

namespace {

constexpr int kRows = 100;
constexpr int kColumns = 10;

Reference<text::XTextTable> firstTableOf(
    const QString& pipe, const QString& title, std::shared_ptr<UnoOffice>& office)
{
    office = UnoOffice::connect(pipe);
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

QTEST_GUILESS_MAIN(BenchWriter)
#include "bench_writer.moc"
