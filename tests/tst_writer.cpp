#include "platform/automation/Automation.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterServer.h"
#include "tests/OfficeConnection.h"
#include "tests/WriterTestOffice.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace css;
using Automation::EOleError;
using Automation::Variant;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

using Call = std::function<void(const Variant& word, const Variant& doc, const Variant& table)>;
Q_DECLARE_METATYPE(Call)

namespace {

constexpr int kGrey = 10066329;

// The report's table helpers, written only with late-bound Word calls.
struct TableWriter {
    Variant doc;
    Variant table;

    Variant cellRange(int row, int col) const { return table.call("Cell", row, col).get("Range"); }
    Variant row(int r) const { return table.get("Rows").call("Item", r); }
    int rowCount() const { return table.get("Rows").get("Count").toInt(); }
    void split(int r, int rows, int cols) const { row(r).get("Cells").call("Split", rows, cols); }
    void write(int r, int c, const QString& text) const { cellRange(r, c).call("InsertBefore", text); }
    void mergeRowCells(int r, int first, int last) const
    {
        const int end = row(r).get("Cells").call("Item", last).get("Range").get("End").toInt();
        const int start = row(r).get("Cells").call("Item", first).get("Range").get("Start").toInt();
        doc.call("Range", start, end).get("Cells").call("Merge");
    }
    void frameRowCells(int r) const
    {
        cellRange(r, 1).get("Borders").call("Item", -2).set("LineStyle", 1);
        const int count = row(r).get("Cells").get("Count").toInt();
        for (int i = 1; i <= count; ++i)
            row(r)
                .get("Cells")
                .call("Item", i)
                .get("Range")
                .get("Borders")
                .call("Item", -4)
                .set("LineStyle", 1);
    }
    void shadeRows(int first, int last) const
    {
        const int end = row(last).get("Range").get("End").toInt();
        const int start = row(first).get("Range").get("Start").toInt();
        doc.call("Range", start, end).get("Cells").get("Shading").set("BackgroundPatternColor", kGrey);
    }
};

// Reads a saved document back through a UNO connection of the test's own.
class SavedDocument {
public:
    SavedDocument(const QString& pipe, const QString& file)
    {
        m_office = ConnectToTestOffice(pipe);
        if (!m_office)
            return;
        Reference<frame::XComponentLoader> loader(m_office->desktop(), UNO_QUERY_THROW);
        beans::PropertyValue hidden;
        hidden.Name = OUString("Hidden");
        hidden.Value <<= true;
        m_document = loader->loadComponentFromURL(toOUString(QUrl::fromLocalFile(file).toString()),
            OUString("_blank"), 0, uno::Sequence<beans::PropertyValue>(&hidden, 1));
        Reference<container::XIndexAccess> tables(
            Reference<text::XTextTablesSupplier>(m_document, UNO_QUERY_THROW)->getTextTables(),
            UNO_QUERY_THROW);
        m_tableCount = tables->getCount();
        if (m_tableCount > 0)
            m_table.set(tables->getByIndex(0), UNO_QUERY_THROW);
    }
    ~SavedDocument()
    {
        if (Reference<util::XCloseable> closeable { m_document, UNO_QUERY }; closeable.is())
            closeable->close(true);
    }
    int tableCount() const { return m_tableCount; }
    int rowCount() const { return m_table->getRows()->getCount(); }
    int cellsInRow(int row) const
    {
        int count = 0;
        for (const OUString& name : m_table->getCellNames()) {
            const QString text = toQString(name);
            int digits = 0;
            while (digits < text.size() && text[digits].isLetter())
                ++digits;
            if (text.mid(digits).toInt() == row)
                ++count;
        }
        return count;
    }
    Reference<table::XCell> cell(const QString& name) const
    {
        return m_table->getCellByName(toOUString(name));
    }
    QString text(const QString& name) const
    {
        return toQString(Reference<text::XText>(cell(name), UNO_QUERY_THROW)->getString());
    }
    uno::Any cellProperty(const QString& name, const char* property) const
    {
        return Reference<beans::XPropertySet>(cell(name), UNO_QUERY_THROW)
            ->getPropertyValue(OUString::createFromAscii(property));
    }
    uno::Any charProperty(const QString& name, const char* property) const
    {
        Reference<text::XText> text(cell(name), UNO_QUERY_THROW);
        Reference<text::XTextCursor> cursor = text->createTextCursor();
        cursor->gotoStart(false);
        cursor->goRight(1, true);
        return Reference<beans::XPropertySet>(cursor, UNO_QUERY_THROW)
            ->getPropertyValue(OUString::createFromAscii(property));
    }
    bool hasBorder(const QString& name, const char* edge) const
    {
        table::BorderLine2 line;
        cellProperty(name, edge) >>= line;
        return line.OuterLineWidth + line.InnerLineWidth > 0;
    }
    // Cell widths of a row in sixths of the table's width.
    QList<int> sixths(int row) const
    {
        uno::Sequence<text::TableColumnSeparator> separators;
        Reference<beans::XPropertySet>(m_table->getRows()->getByIndex(row - 1), UNO_QUERY_THROW)
            ->getPropertyValue(OUString("TableColumnSeparators"))
            >>= separators;
        QList<int> widths;
        int previous = 0;
        for (const auto& separator : separators) {
            widths << qRound((separator.Position - previous) * 6.0 / 10000.0);
            previous = separator.Position;
        }
        widths << qRound((10000 - previous) * 6.0 / 10000.0);
        return widths;
    }
    int pictureCount() const { return pictures()->getCount(); }
    // The pixel width of the first picture as the document holds it.
    int pictureWidth() const
    {
        Reference<graphic::XGraphic> picture;
        Reference<beans::XPropertySet>(pictures()->getByIndex(0), UNO_QUERY_THROW)
            ->getPropertyValue(OUString("Graphic"))
            >>= picture;
        awt::Size size;
        if (Reference<beans::XPropertySet> properties { picture, UNO_QUERY }; properties.is())
            properties->getPropertyValue(OUString("SizePixel")) >>= size;
        return size.Width;
    }

private:
    Reference<container::XIndexAccess> pictures() const
    {
        Reference<text::XTextGraphicObjectsSupplier> supplier(m_document, UNO_QUERY_THROW);
        return Reference<container::XIndexAccess>(supplier->getGraphicObjects(), UNO_QUERY_THROW);
    }

    std::shared_ptr<UnoOffice> m_office;
    Reference<lang::XComponent> m_document;
    Reference<text::XTextTable> m_table;
    int m_tableCount = 0;
};

} // namespace

class TestWriter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void reportTableSurvivesSavingAsDoc();
    void splitRows_data();
    void splitRows();
    void positionsResolveToCells();
    void wordSharesLinesAndParagraphMarks();
    void captionsAndClosingOnlyConclusions();
    void activeObjectIsTheRunningOffice();
    void documentSettingsReadBack();
    void badPictureIsAnError_data();
    void badPictureIsAnError();
    void badArgumentsAreErrors_data();
    void badArgumentsAreErrors();
    void unknownMemberIsNamed();
    void missingOfficeFailsQuickly();
    void quitEndsStartedOffice();

private:
    Variant newTable(int rows, int cols);
    QString jpegFile();

    std::unique_ptr<WriterTestOffice> m_office;
    QTemporaryDir m_files;
    Variant m_word;
};

void TestWriter::initTestCase()
{
    m_office = std::make_unique<WriterTestOffice>(QStringLiteral("writer"));
    QVERIFY(m_files.isValid());
    m_word = Variant(Automation::CreateOleObject(QStringLiteral("Word.Application")));
    WriterTestOffice::remember();
    QVERIFY(m_word.isDispatch());
    m_word.set("DisplayAlerts", 0);
    m_word.get("Options").set("CheckSpellingAsYouType", false);
    m_word.get("Options").set("CheckGrammarAsYouType", false);
    m_word.set("Visible", false);
}

void TestWriter::cleanupTestCase()
{
    m_word.clear();
    m_office.reset();
}

QString TestWriter::jpegFile()
{
    const QString file = m_files.filePath(QStringLiteral("picture.jpg"));
    if (!QFile::exists(file)) {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(QColor(30, 120, 200));
        image.save(file, "JPEG");
    }
    return file;
}

Variant TestWriter::newTable(int rows, int cols)
{
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    return doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), rows, cols);
}

void TestWriter::reportTableSurvivesSavingAsDoc()
{
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    TableWriter t { doc, doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), 2, 1) };
    t.cellRange(1, 1).get("InlineShapes").call("AddPicture", jpegFile(), false, true);
    m_word.set("ScreenUpdating", false);

    // Header: four single rows, the third split into six cells.
    int n = t.rowCount();
    QCOMPARE(n, 2);
    t.split(n, 4, 1);
    t.split(n + 2, 1, 6);
    t.write(n + 1, 1, QStringLiteral("Иванова Анна"));
    t.write(n + 2, 1, QStringLiteral("Пол"));
    t.cellRange(n + 2, 1).get("Font").set("Bold", true);
    t.write(n + 2, 2, QStringLiteral("женщина"));
    t.write(n + 2, 6, QStringLiteral("07.12.2026"));
    t.row(n + 2).get("Range").get("Borders").call("Item", -1).set("LineStyle", 1);
    t.frameRowCells(n + 2);

    // A dated result: row of six cells merged to date + text.
    n = t.rowCount();
    QCOMPARE(n, 5);
    t.split(n, 4, 1);
    t.split(n + 2, 2, 6);
    t.mergeRowCells(n + 2, 2, 6);
    t.mergeRowCells(n + 3, 2, 6);
    t.write(n + 2, 1, QStringLiteral("Дата"));
    t.write(n + 2, 2, QStringLiteral("Заключение"));
    t.write(n + 3, 2, QStringLiteral("Без особенностей."));
    t.cellRange(n + 3, 2).get("Words").call("Item", 1).get("Font").set("Bold", true);

    // A blood table: four rows of six cells, merged into widths 1, 2, 1, 2.
    n = t.rowCount();
    QCOMPARE(n, 9);
    t.split(n, 4, 1);
    t.split(n + 2, 4, 6);
    for (int r = n + 2; r <= n + 5; ++r)
        t.mergeRowCells(r, 2, 3);
    for (int r = n + 2; r <= n + 5; ++r)
        t.mergeRowCells(r, 4, 5);
    t.write(n + 3, 2, QStringLiteral("Гемоглобин"));
    t.write(n + 3, 3, QStringLiteral("130"));
    t.shadeRows(n + 3, n + 5);

    // Finish: time stamp in the open row, sizes, gridlines.
    const int last = t.rowCount();
    QCOMPARE(last, 15);
    t.row(last).get("Range").call("InsertBefore", QStringLiteral("07.12.2026 19:00:00"));
    t.row(last).get("Range").get("ParagraphFormat").set("Alignment", 2);
    t.table.get("Range").get("Font").set("Size", 11);
    t.cellRange(3, 1).get("Font").set("Size", 16);
    t.row(last).get("Range").get("Font").set("Size", 8);
    doc.get("ActiveWindow").get("View").set("TableGridlines", false);
    m_word.set("ScreenUpdating", true);

    QCOMPARE(t.row(4).get("Cells").get("Count").toInt(), 6);
    QCOMPARE(t.row(7).get("Cells").get("Count").toInt(), 2);
    QCOMPARE(t.row(12).get("Cells").get("Count").toInt(), 4);
    QCOMPARE(t.cellRange(12, 2).get("Text").toString(), QStringLiteral("Гемоглобин"));
    QVERIFY(t.cellRange(8, 2).get("Words").call("Item", 1).get("Font").get("Bold").toBool());
    QCOMPARE(doc.get("Saved").toBool(), false);

    const QString file = m_files.filePath(QStringLiteral("Заключение.doc"));
    doc.call("SaveAs", file);
    QVERIFY(QFile::exists(file));
    QCOMPARE(doc.get("Path").toString(), m_files.path());
    QVERIFY(doc.get("Saved").toBool());
    doc.call("Close", 0);

    // The picture lives in the document, not in the file it came from.
    QVERIFY(QFile::remove(jpegFile()));

    // A document opened by someone else in the same office counts too.
    const int before = m_word.get("Documents").get("Count").toInt();
    const SavedDocument saved(m_office->pipeName(), file);
    QCOMPARE(m_word.get("Documents").get("Count").toInt(), before + 1);
    const Variant opened = m_word.get("Documents").call("Item", before + 1);
    QVERIFY(opened.get("Windows").call("Item", 1).get("Caption").toString().contains(
        QStringLiteral("Заключение")));
    QCOMPARE(opened.get("Path").toString(), m_files.path());
    QCOMPARE(saved.tableCount(), 1);
    QCOMPARE(saved.rowCount(), 15);
    const int expectedCells[] = { 1, 1, 1, 6, 1, 1, 2, 2, 1, 1, 4, 4, 4, 4, 1 };
    for (int r = 1; r <= 15; ++r)
        QVERIFY2(saved.cellsInRow(r) == expectedCells[r - 1],
            qPrintable(QStringLiteral("row %1: %2 cells").arg(r).arg(saved.cellsInRow(r))));
    QCOMPARE(saved.pictureCount(), 1);
    QCOMPARE(saved.pictureWidth(), 120);
    QCOMPARE(saved.sixths(4), (QList<int> { 1, 1, 1, 1, 1, 1 }));
    QCOMPARE(saved.sixths(7), (QList<int> { 1, 5 }));
    QCOMPARE(saved.sixths(12), (QList<int> { 1, 2, 1, 2 }));
    QCOMPARE(saved.text("A3"), QStringLiteral("Иванова Анна"));
    QCOMPARE(saved.text("A4"), QStringLiteral("Пол"));
    QCOMPARE(saved.text("F4"), QStringLiteral("07.12.2026"));
    QCOMPARE(saved.text("B8"), QStringLiteral("Без особенностей."));
    QCOMPARE(saved.text("B12"), QStringLiteral("Гемоглобин"));
    QCOMPARE(saved.text("C12"), QStringLiteral("130"));
    QCOMPARE(saved.text("A15"), QStringLiteral("07.12.2026 19:00:00"));
    QCOMPARE(saved.charProperty("A4", "CharWeight").get<float>(), 150.0f);
    QCOMPARE(saved.charProperty("B4", "CharWeight").get<float>(), 100.0f);
    QCOMPARE(saved.charProperty("B8", "CharWeight").get<float>(), 150.0f);
    QCOMPARE(saved.charProperty("A3", "CharHeight").get<float>(), 16.0f);
    QCOMPARE(saved.charProperty("B12", "CharHeight").get<float>(), 11.0f);
    QCOMPARE(saved.charProperty("A15", "CharHeight").get<float>(), 8.0f);
    QCOMPARE(saved.charProperty("A15", "ParaAdjust").get<sal_Int16>(), sal_Int16(1)); // right
    QVERIFY(saved.hasBorder("A4", "TopBorder"));
    QVERIFY(saved.hasBorder("A4", "LeftBorder"));
    QVERIFY(saved.hasBorder("F4", "RightBorder"));
    QVERIFY(!saved.hasBorder("A3", "TopBorder"));
    for (const char* name : { "A12", "B13", "D14" })
        QCOMPARE(saved.cellProperty(name, "BackColor").get<sal_Int32>(), sal_Int32(0x999999));
    QVERIFY(saved.cellProperty("A11", "BackColor").get<sal_Int32>() != sal_Int32(0x999999));
}

void TestWriter::splitRows_data()
{
    QTest::addColumn<int>("cellsBefore");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QList<int>>("cellsPerRow");
    QTest::newRow("four rows of one cell") << 1 << 4 << 1 << QList<int> { 1, 1, 1, 1, 1, 1 };
    QTest::newRow("one row of six cells") << 1 << 1 << 6 << QList<int> { 1, 6, 1 };
    QTest::newRow("two rows of six cells") << 1 << 2 << 6 << QList<int> { 1, 6, 6, 1 };
    QTest::newRow("five rows of six cells") << 1 << 5 << 6 << QList<int> { 1, 6, 6, 6, 6, 6, 1 };
    QTest::newRow("nothing to split") << 1 << 1 << 1 << QList<int> { 1, 1, 1 };
    QTest::newRow("row of two cells into two rows") << 2 << 2 << 1 << QList<int> { 1, 2, 2, 1 };
    QTest::newRow("row of two cells, each in three") << 2 << 1 << 3 << QList<int> { 1, 6, 1 };
}

void TestWriter::splitRows()
{
    QFETCH(int, cellsBefore);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QList<int>, cellsPerRow);
    const Variant table = newTable(3, 1);
    if (cellsBefore > 1)
        table.get("Rows").call("Item", 2).get("Cells").call("Split", 1, cellsBefore);
    table.call("Cell", 2, 1).get("Range").call("InsertBefore", QStringLiteral("текст"));
    table.call("Cell", 2, 1).get("Range").get("Font").set("Bold", true);
    table.get("Rows").call("Item", 2).get("Cells").call("Split", rows, cols);
    QCOMPARE(table.get("Rows").get("Count").toInt(), cellsPerRow.size());
    for (int r = 1; r <= cellsPerRow.size(); ++r)
        QCOMPARE(table.get("Rows").call("Item", r).get("Cells").get("Count").toInt(), cellsPerRow[r - 1]);
    // The text stays in the first of the new cells, and so does its format.
    const Variant first = table.call("Cell", 2, 1).get("Range");
    QCOMPARE(first.get("Text").toString(), QStringLiteral("текст"));
    QVERIFY(first.get("Font").get("Bold").toBool());
    for (int r = 3; r < 2 + rows; ++r)
        QCOMPARE(table.call("Cell", r, 1).get("Range").get("Text").toString(), QString());
    // Cells are addressed by their place in their own row.
    const int last = cellsPerRow[1];
    table.call("Cell", 2, last).get("Range").call("InsertBefore", QStringLiteral("край"));
    QVERIFY(table.get("Rows")
                .call("Item", 2)
                .get("Cells")
                .call("Item", last)
                .get("Range")
                .get("Text")
                .toString()
                .startsWith(QStringLiteral("край")));
    QVERIFY_THROWS_EXCEPTION(EOleError, table.call("Cell", 2, last + 1));
}

void TestWriter::positionsResolveToCells()
{
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    const Variant table = doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), 3, 1);
    const Variant rows = table.get("Rows");
    rows.call("Item", 2).get("Cells").call("Split", 1, 6);
    for (int c = 1; c <= 6; ++c)
        table.call("Cell", 2, c).get("Range").call("InsertBefore", QString(c, QLatin1Char('x')));
    // Positions grow with the text before them and stay ordered.
    int previousEnd = table.call("Cell", 1, 1).get("Range").get("End").toInt();
    for (int c = 1; c <= 6; ++c) {
        const Variant range = table.call("Cell", 2, c).get("Range");
        const int start = range.get("Start").toInt();
        QVERIFY(start >= previousEnd);
        QCOMPARE(range.get("End").toInt() - start, c + 1);
        previousEnd = range.get("End").toInt();
    }
    const int start = table.call("Cell", 2, 2).get("Range").get("Start").toInt();
    const int end = table.call("Cell", 2, 4).get("Range").get("End").toInt();
    QCOMPARE(doc.call("Range", start, end).get("Cells").get("Count").toInt(), 3);
    doc.call("Range", start, end).get("Cells").call("Merge");
    QCOMPARE(rows.call("Item", 2).get("Cells").get("Count").toInt(), 4);
    const int rowStart = rows.call("Item", 1).get("Range").get("Start").toInt();
    const int rowEnd = rows.call("Item", 2).get("Range").get("End").toInt();
    QCOMPARE(doc.call("Range", rowStart, rowEnd).get("Cells").get("Count").toInt(), 5);
    QVERIFY_THROWS_EXCEPTION(EOleError, doc.call("Range", 10, 5));
    doc.call("Close", 0);
}

void TestWriter::wordSharesLinesAndParagraphMarks()
{
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    const Variant table = doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), 2, 1);
    table.get("Rows").call("Item", 2).get("Cells").call("Split", 1, 2);
    const auto border = [&](int row, int column, int item) {
        return table.call("Cell", row, column).get("Range").get("Borders").call("Item", item);
    };
    for (int column = 1; column <= 2; ++column)
        border(2, column, -3).set("LineStyle", 1);
    border(1, 1, -3).set("LineStyle", 1);
    border(2, 1, -4).set("LineStyle", 1);
    // One line between two cells: taking it away on one side takes it away.
    border(2, 2, -1).set("LineStyle", 0);
    border(2, 2, -2).set("LineStyle", 0);
    QCOMPARE(border(1, 1, -3).get("LineStyle").toInt(), 0);
    QCOMPARE(border(2, 1, -4).get("LineStyle").toInt(), 0);
    QCOMPARE(border(2, 1, -3).get("LineStyle").toInt(), 1);

    // CR LF is one paragraph mark, as in Word.
    const Variant range = table.call("Cell", 2, 1).get("Range");
    range.call("InsertBefore", QStringLiteral("a\r\nb"));
    QCOMPARE(range.get("End").toInt() - range.get("Start").toInt(), 4);
    doc.call("Close", 0);
}

void TestWriter::captionsAndClosingOnlyConclusions()
{
    const Variant documents = m_word.get("Documents");
    const int before = documents.get("Count").toInt();
    const Variant user = documents.call("Add", Variant::Omitted());
    const Variant report = documents.call("Add", Variant::Omitted());
    QCOMPARE(documents.get("Count").toInt(), before + 2);
    const QString caption = QStringLiteral("Заключение 2026 декабря 7 понедельник 19-00");
    report.get("Windows").call("Item", 1).set("Caption", caption);
    QCOMPARE(report.get("Windows").call("Item", 1).get("Caption").toString(), caption);
    report.get("Windows").call("Item", 1).call("SetFocus");
    QVERIFY(!user.get("Windows").call("Item", 1).get("Caption").toString().contains(
        QStringLiteral("Заключение")));

    // The program's own closing loop: last to first, only conclusions.
    const int count = documents.get("Count").toInt();
    for (int i = 0; i < count; ++i) {
        const Variant doc = documents.call("Item", count - i);
        if (doc.get("Windows").call("Item", 1).get("Caption").toString().contains(
                QStringLiteral("Заключение")))
            doc.call("Close", 0);
    }
    QCOMPARE(documents.get("Count").toInt(), before + 1);
    bool userStays = false;
    for (int i = 1; i <= documents.get("Count").toInt(); ++i)
        userStays = userStays || documents.call("Item", i) == user;
    QVERIFY(userStays);
    QVERIFY_THROWS_EXCEPTION(EOleError, report.get("Saved"));
    user.call("Close", 0);
}

void TestWriter::activeObjectIsTheRunningOffice()
{
    const Variant active(Automation::GetActiveOleObject(QStringLiteral("Word.Application")));
    QVERIFY(active == m_word);
    const Variant doc = active.get("Documents").call("Add", Variant::Omitted());
    QVERIFY(m_word.get("Documents").get("Count").toInt() >= 1);
    doc.call("Close", 0);
}

void TestWriter::documentSettingsReadBack()
{
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    doc.call("BuiltInDocumentProperties", "AUTHOR").set("Value", QStringLiteral("Петрова Мария"));
    QCOMPARE(doc.call("BuiltInDocumentProperties", "Author").get("Value").toString(),
        QStringLiteral("Петрова Мария"));
    QVERIFY_THROWS_EXCEPTION(EOleError, doc.call("BuiltInDocumentProperties", "No such property"));

    doc.get("ActiveWindow").get("View").set("TableGridlines", false);
    QCOMPARE(doc.get("ActiveWindow").get("View").get("TableGridlines").toBool(), false);
    doc.get("ActiveWindow").get("View").set("TableGridlines", true);
    QCOMPARE(doc.get("ActiveWindow").get("View").get("TableGridlines").toBool(), true);

    doc.set("Saved", true);
    QVERIFY(doc.get("Saved").toBool());
    QCOMPARE(doc.get("Path").toString(), QString());

    const Variant options = m_word.get("Options");
    for (bool on : { true, false }) {
        options.set("CheckSpellingAsYouType", on);
        QCOMPARE(options.get("CheckSpellingAsYouType").toBool(), on);
    }

    // The documents folder, and the folder the file dialogs open in.
    const QString folder = m_files.path();
    m_word.get("Options").setIndexed("DefaultFilePath", { Word::wdDocumentsPath }, folder);
    QCOMPARE(m_word.get("Options").call("DefaultFilePath", Word::wdDocumentsPath).toString(), folder);
    QVERIFY_THROWS_EXCEPTION(
        EOleError, m_word.call("ChangeFileOpenDirectory", folder + QStringLiteral("/missing")));
    m_word.call("ChangeFileOpenDirectory", folder);
    doc.call("Close", 0);
}

void TestWriter::badPictureIsAnError_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("not a picture") << QByteArray("no picture here") << true;
    QTest::newRow("truncated JPEG") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) << true;
}

void TestWriter::badPictureIsAnError()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    const QString file = m_files.filePath(QStringLiteral("bad.jpg"));
    QFile::remove(file);
    if (exists) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    const Variant table = newTable(2, 1);
    const Variant range = table.call("Cell", 1, 1).get("Range");
    QVERIFY_THROWS_EXCEPTION(EOleError, range.get("InlineShapes").call("AddPicture", file, false, true));
    // The document goes on working.
    range.call("InsertBefore", QStringLiteral("дальше"));
    QCOMPARE(range.get("Text").toString(), QStringLiteral("дальше"));
}

void TestWriter::badArgumentsAreErrors_data()
{
    QTest::addColumn<Call>("call");
    QTest::newRow("table at no range") << Call(
        [](const Variant&, const Variant& doc, const Variant&) { doc.get("Tables").call("Add", 5, 2, 1); });
    QTest::newRow("table without rows") << Call([](const Variant& word, const Variant& doc, const Variant&) {
        doc.get("Tables").call("Add", word.get("Selection").get("Range"), 0, 1);
    });
    QTest::newRow("row beyond the table") << Call(
        [](const Variant&, const Variant&, const Variant& table) { table.get("Rows").call("Item", 3); });
    QTest::newRow("split into no cells") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.get("Rows").call("Item", 1).get("Cells").call("Split", 2, 0);
    });
    QTest::newRow("cell zero") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.get("Rows").call("Item", 1).get("Cells").call("Item", 0);
    });
    QTest::newRow("border five") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.call("Cell", 1, 1).get("Range").get("Borders").call("Item", -5);
    });
    QTest::newRow("merge with no cell") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.call("Cell", 1, 1).call("Merge", 5);
    });
    QTest::newRow("alignment seven") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.call("Cell", 1, 1).get("Range").get("ParagraphFormat").set("Alignment", 7);
    });
    QTest::newRow("font size zero") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.call("Cell", 1, 1).get("Range").get("Font").set("Size", 0);
    });
    QTest::newRow("second word") << Call([](const Variant&, const Variant&, const Variant& table) {
        table.call("Cell", 1, 1).get("Range").get("Words").call("Item", 2);
    });
    QTest::newRow("range past the end")
        << Call([](const Variant&, const Variant& doc, const Variant&) { doc.call("Range", 0, 100000); });
    QTest::newRow("save without a name")
        << Call([](const Variant&, const Variant& doc, const Variant&) { doc.call("SaveAs", QString()); });
    QTest::newRow("save into a missing folder")
        << Call([](const Variant&, const Variant& doc, const Variant&) {
               doc.call("SaveAs",
                   QStringLiteral("%1/tessora-missing-%2/x.doc")
                       .arg(QDir::tempPath())
                       .arg(QCoreApplication::applicationPid()));
           });
    QTest::newRow("window two") << Call(
        [](const Variant&, const Variant& doc, const Variant&) { doc.get("Windows").call("Item", 2); });
}

void TestWriter::badArgumentsAreErrors()
{
    QFETCH(Call, call);
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    const Variant table = doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), 2, 1);
    QVERIFY_THROWS_EXCEPTION(EOleError, call(m_word, doc, table));
    // The document is still whole and usable.
    QCOMPARE(table.get("Rows").get("Count").toInt(), 2);
    table.call("Cell", 1, 1).get("Range").call("InsertBefore", QStringLiteral("ещё"));
    doc.call("Close", 0);
}

void TestWriter::unknownMemberIsNamed()
{
    try {
        m_word.get("Documents").call("Frobnicate");
        QFAIL("no error for an unknown member");
    } catch (const EOleError& e) {
        QVERIFY2(e.Message().contains(QStringLiteral("Frobnicate")), qPrintable(e.Message()));
    }
}

void TestWriter::missingOfficeFailsQuickly()
{
    const WriterServer::Settings saved = WriterServer::settings();
    WriterServer::Settings missing = saved;
    missing.officeProgram = m_files.filePath(QStringLiteral("no-office/soffice"));
    missing.pipeName = saved.pipeName + QStringLiteral("_missing");
    WriterServer::setSettings(missing);
    QElapsedTimer timer;
    timer.start();
    Automation::ComPtr<Automation::IDispatch> created;
    const Automation::HRESULT hr = Automation::CoCreateInstance(Word::CLSID_Application, created);
    QVERIFY(Automation::FAILED(hr));
    QVERIFY(!created);
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY_THROWS_EXCEPTION(EOleError, Automation::CreateOleObject(QStringLiteral("Word.Application")));
    WriterServer::setSettings(saved);
}

void TestWriter::quitEndsStartedOffice()
{
    const qint64 pid = WriterServer::startedOfficePid();
    QVERIFY(pid > 0);
    m_word.call("Quit");
    m_word.clear();
    QVERIFY(OfficeProcess::waitForEnd(pid, 20000));
    Automation::ComPtr<Automation::IUnknown> active;
    QCOMPARE(Automation::GetActiveObject(Word::CLSID_Application, active), Automation::MK_E_UNAVAILABLE);
}

QTEST_GUILESS_MAIN(TestWriter)
#include "tst_writer.moc"
