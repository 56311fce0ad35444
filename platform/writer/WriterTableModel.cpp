#include "platform/writer/WriterTableModel.h"

#include "platform/automation/OleError.h"
#include "platform/writer/OfficeCall.h"
#include "platform/writer/UnoOffice.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextTableCursor.hpp>

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <map>
#include <mutex>
#include <optional>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int kLettersPerDigit = 52;

QString columnLetters(int column)
{
    // A..Z, a..z, then two letters, as Writer names its cells.
    QString letters;
    int n = column - 1;
    for (;;) {
        const int digit = n % kLettersPerDigit;
        letters.prepend(digit < 26 ? QChar('A' + digit) : QChar('a' + digit - 26));
        n = n / kLettersPerDigit - 1;
        if (n < 0)
            return letters;
    }
}

bool parseCellName(const QString& name, int* row, int* column)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z]+)([0-9]+)$"));
    const auto match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    int value = 0;
    for (QChar c : match.captured(1)) {
        const int digit = c.isUpper() ? c.unicode() - 'A' : c.unicode() - 'a' + 26;
        value = value * kLettersPerDigit + digit + 1;
    }
    *column = value;
    *row = match.captured(2).toInt();
    return true;
}

} // namespace

WriterTableModel::WriterTableModel(Reference<text::XTextTable> table)
    : m_table(std::move(table))
{
}

std::vector<int> WriterTableModel::rowLayout() const
{
    std::map<int, int> counts;
    for (const OUString& name : m_table->getCellNames()) {
        int row = 0;
        int column = 0;
        if (parseCellName(toQString(name), &row, &column))
            counts[row] = std::max(counts[row], column);
    }
    std::vector<int> layout;
    for (const auto& [row, count] : counts) {
        layout.resize(row, 0);
        layout[row - 1] = count;
    }
    return layout;
}

int WriterTableModel::rowCount() const
{
    return m_table->getRows()->getCount();
}

int WriterTableModel::cellCount(int row) const
{
    checkRow(row);
    const auto layout = rowLayout();
    return row <= static_cast<int>(layout.size()) ? layout[row - 1] : 0;
}

QString WriterTableModel::cellName(int row, int column)
{
    return columnLetters(column) + QString::number(row);
}

Reference<table::XCell> WriterTableModel::cell(int row, int column) const
{
    if (row < 1 || column < 1)
        throw OfficeCall::noSuchItem(cellName(std::max(row, 0), std::max(column, 1)));
    Reference<table::XCell> found = m_table->getCellByName(toOUString(cellName(row, column)));
    if (!found.is())
        throw OfficeCall::noSuchItem(QStringLiteral("%1, %2").arg(row).arg(column));
    return found;
}

void WriterTableModel::checkRow(int row) const
{
    if (row < 1 || row > rowCount())
        throw OfficeCall::noSuchItem(row);
}

void WriterTableModel::splitRow(int row, int rows, int columns)
{
    checkRow(row);
    if (rows < 1 || columns < 1 || rows > 100 || columns > 63)
        throw Automation::EOleError(
            QStringLiteral("Недопустимое число строк или столбцов"), Automation::E_INVALIDARG);
    const int cellsInRow = cellCount(row);
    if (rows > 1) {
        splitAcross(row, rows, cellsInRow);
    }
    if (columns == 1)
        return;
    for (int r = row; r < row + rows; ++r) {
        for (int c = cellsInRow; c >= 1; --c) {
            Reference<text::XTextTableCursor> cursor
                = m_table->createCursorByCellName(toOUString(cellName(r, c)));
            if (!cursor->splitRange(static_cast<sal_Int16>(columns - 1), false))
                throw Automation::EOleError(QStringLiteral("Не удалось разбить ячейки строки %1").arg(r));
        }
    }
}

void WriterTableModel::splitAcross(int row, int rows, int cellsInRow)
{
    // Splitting a whole row across makes whole new rows, with the cells'
    // content and format kept in the first of them.
    const int before = rowCount();
    Reference<text::XTextTableCursor> cursor = m_table->createCursorByCellName(toOUString(cellName(row, 1)));
    if (cellsInRow > 1)
        cursor->gotoCellByName(toOUString(cellName(row, cellsInRow)), true);
    if (!cursor->splitRange(static_cast<sal_Int16>(rows - 1), true) || rowCount() != before + rows - 1)
        throw Automation::EOleError(QStringLiteral("Не удалось разбить строку %1").arg(row));
}

void WriterTableModel::merge(const QString& firstCell, const QString& lastCell)
{
    if (firstCell == lastCell)
        return;
    Reference<text::XTextTableCursor> cursor = m_table->createCursorByCellName(toOUString(firstCell));
    if (!cursor.is() || !cursor->gotoCellByName(toOUString(lastCell), true) || !cursor->mergeRange())
        throw Automation::EOleError(
            QStringLiteral("Не удалось объединить ячейки %1:%2").arg(firstCell, lastCell));
}

int WriterTableModel::columnOfCellName(const QString& name)
{
    int row = 0;
    int column = 0;
    return parseCellName(name, &row, &column) ? column : 0;
}

std::vector<std::pair<int, int>> WriterTableModel::cellExtents(int row) const
{
    checkRow(row);
    Reference<beans::XPropertySet> table(m_table, UNO_QUERY_THROW);
    sal_Int16 sum = 10000;
    table->getPropertyValue(OUString("TableColumnRelativeSum")) >>= sum;
    Reference<beans::XPropertySet> rowProperties(m_table->getRows()->getByIndex(row - 1), UNO_QUERY_THROW);
    uno::Sequence<text::TableColumnSeparator> separators;
    rowProperties->getPropertyValue(OUString("TableColumnSeparators")) >>= separators;
    std::vector<std::pair<int, int>> extents;
    int left = 0;
    for (const text::TableColumnSeparator& separator : separators) {
        extents.emplace_back(left, separator.Position);
        left = separator.Position;
    }
    extents.emplace_back(left, sum);
    return extents;
}

std::vector<int> WriterTableModel::columnsAlong(int row, int column, int otherRow) const
{
    const auto own = cellExtents(row);
    if (column < 1 || column > static_cast<int>(own.size()))
        throw OfficeCall::noSuchItem(cellName(row, column));
    const auto [left, right] = own[column - 1];
    const auto other = cellExtents(otherRow);
    std::vector<int> columns;
    for (int c = 1; c <= static_cast<int>(other.size()); ++c)
        if (other[c - 1].first < right && other[c - 1].second > left)
            columns.push_back(c);
    return columns;
}

namespace {

// Where a kept layout stops being known: from this row of this table on.
// When only the rows up to lastRow changed (one change since the layout was
// read), the rows after them are kept too, renumbered by rowShift.
struct LayoutResume {
    DocumentLayout kept; // the spans before that row, in document order
    QString table;
    int row = 0;
    int lastRow = INT_MAX;
    int rowShift = 0;
    DocumentLayout tail; // the spans of the table's rows after the changed ones
};

struct LayoutCache {
    std::mutex mutex;
    Reference<uno::XInterface> document;
    std::optional<DocumentLayout> layout;
    std::optional<LayoutResume> resume;
    bool forgetQueued = false;
};

// Never destroyed: the references it may hold must not be released after
// the UNO runtime went away at the program's end.
LayoutCache& layoutCache()
{
    // Process-wide: tables of every document of the program's office share it.
    static auto* cache = new LayoutCache;
    return *cache;
}

void readRows(DocumentLayout& layout, const Reference<text::XTextTable>& table, const QString& name,
    int firstRow, int& position, int lastRow = INT_MAX)
{
    const auto rows = WriterTableModel(table).rowLayout();
    for (int r = firstRow; r <= std::min(lastRow, static_cast<int>(rows.size())); ++r) {
        const int rowStart = position;
        for (int c = 1; c <= rows[r - 1]; ++c) {
            const QString cell = WriterTableModel::cellName(r, c);
            Reference<text::XText> text(table->getCellByName(toOUString(cell)), UNO_QUERY_THROW);
            const int length = text->getString().getLength();
            layout.cells.push_back({ table, name, cell, r, c, position, position + length + 1 });
            position += length + 1;
        }
        position += 1;
        layout.rows.push_back({ table, name, r, rowStart, position });
    }
}

// Appends the unchanged rows after a change, moved to their new numbers and
// positions.
void appendTail(DocumentLayout& layout, const DocumentLayout& tail, int rowShift, int& position)
{
    const int shift = position - tail.rows.front().start;
    for (RowSpan row : tail.rows) {
        row.row += rowShift;
        row.start += shift;
        row.end += shift;
        position = row.end;
        layout.rows.push_back(row);
    }
    for (CellSpan cell : tail.cells) {
        cell.row += rowShift;
        cell.name = WriterTableModel::cellName(cell.row, cell.column);
        cell.start += shift;
        cell.end += shift;
        layout.cells.push_back(cell);
    }
}

// Copies the kept spans of a table up to (not including) a row; returns
// false when none are kept.
bool copyKept(
    DocumentLayout& layout, const DocumentLayout& kept, const QString& name, int beforeRow, int& position)
{
    bool copied = false;
    for (const RowSpan& row : kept.rows) {
        if (row.tableName != name || row.row >= beforeRow)
            continue;
        layout.rows.push_back(row);
        position = row.end;
        copied = true;
    }
    for (const CellSpan& cell : kept.cells)
        if (cell.tableName == name && cell.row < beforeRow)
            layout.cells.push_back(cell);
    return copied;
}

// Reads the layout; with a resume point, the tables before it and the rows
// of its table before its row are taken from the kept spans.
DocumentLayout readLayout(
    const Reference<text::XTextDocument>& document, const std::optional<LayoutResume>& resume)
{
    DocumentLayout layout;
    Reference<container::XEnumerationAccess> body(document->getText(), UNO_QUERY_THROW);
    Reference<container::XEnumeration> parts = body->createEnumeration();
    int position = 0;
    bool reading = !resume;
    while (parts->hasMoreElements()) {
        const uno::Any element = parts->nextElement();
        Reference<text::XTextTable> table(element, UNO_QUERY);
        if (!table.is()) {
            // A paragraph: its text and its mark.
            Reference<text::XTextRange> paragraph(element, UNO_QUERY);
            position += (paragraph.is() ? paragraph->getString().getLength() : 0) + 1;
            continue;
        }
        const QString name = tableName(table);
        int firstRow = 1;
        if (!reading) {
            const bool changed = name == resume->table;
            const int start = position;
            if (copyKept(layout, resume->kept, name, changed ? resume->row : INT_MAX, position)) {
                firstRow = changed ? resume->row : INT_MAX;
            } else {
                position = start;
            }
            reading = changed;
            if (changed && resume->lastRow != INT_MAX && !resume->tail.rows.empty()) {
                readRows(layout, table, name, firstRow, position, resume->lastRow);
                appendTail(layout, resume->tail, resume->rowShift, position);
                continue;
            }
        }
        readRows(layout, table, name, firstRow, position);
    }
    layout.length = position;
    return layout;
}

} // namespace

DocumentLayout DocumentLayout::of(const Reference<text::XTextDocument>& document)
{
    LayoutCache& cache = layoutCache();
    const Reference<uno::XInterface> identity(document, UNO_QUERY);
    std::optional<LayoutResume> resume;
    {
        const std::lock_guard lock(cache.mutex);
        if (cache.document == identity) {
            if (cache.layout)
                return *cache.layout;
            resume = cache.resume;
        }
    }
    DocumentLayout layout = readLayout(document, resume);
    auto* application = QCoreApplication::instance();
    if (!application)
        return layout;
    const std::lock_guard lock(cache.mutex);
    cache.document = identity;
    cache.layout = layout;
    cache.resume.reset();
    if (!std::exchange(cache.forgetQueued, true))
        QMetaObject::invokeMethod(application, &DocumentLayout::forget, Qt::QueuedConnection);
    return layout;
}

bool DocumentLayout::isKept(const Reference<text::XTextDocument>& document)
{
    const Reference<uno::XInterface> identity(document, UNO_QUERY);
    LayoutCache& cache = layoutCache();
    const std::lock_guard lock(cache.mutex);
    return cache.document == identity && (cache.layout || cache.resume);
}

void DocumentLayout::forget()
{
    LayoutCache& cache = layoutCache();
    const std::lock_guard lock(cache.mutex);
    cache.layout.reset();
    cache.resume.reset();
    cache.document.clear();
    cache.forgetQueued = false;
}

void DocumentLayout::forgetFrom(
    const Reference<text::XTextDocument>& document, const Reference<text::XTextTable>& table, int row)
{
    forgetRows(document, table, row, INT_MAX, 0);
}

void DocumentLayout::forgetRows(const Reference<text::XTextDocument>& document,
    const Reference<text::XTextTable>& table, int row, int lastRow, int rowShift)
{
    const QString name = tableName(table);
    const Reference<uno::XInterface> identity(document, UNO_QUERY);
    LayoutCache& cache = layoutCache();
    const std::lock_guard lock(cache.mutex);
    // The kept layout is another document's: this change does not touch it.
    if (cache.document != identity)
        return;
    if (cache.resume && cache.resume->table == name && cache.resume->row <= row) {
        // A second change before the layout was read again: from the first
        // changed row on, everything is read.
        cache.resume->lastRow = INT_MAX;
        cache.resume->tail = {};
        return;
    }
    const DocumentLayout* known = cache.layout ? &*cache.layout
        : cache.resume                         ? &cache.resume->kept
                                               : nullptr;
    const auto first = known ? std::find_if(known->rows.begin(), known->rows.end(),
                           [&](const RowSpan& span) { return span.tableName == name && span.row >= row; })
                             : std::vector<RowSpan>::const_iterator();
    if (!known || first == known->rows.end()) {
        cache.layout.reset();
        cache.resume.reset();
        return;
    }
    LayoutResume resume { {}, name, row, INT_MAX, 0, {} };
    resume.kept.rows.assign(known->rows.cbegin(), first);
    for (const CellSpan& cell : known->cells)
        if (cell.start < first->start)
            resume.kept.cells.push_back(cell);
    if (cache.layout && lastRow != INT_MAX) {
        resume.lastRow = lastRow + rowShift;
        resume.rowShift = rowShift;
        for (const RowSpan& span : known->rows)
            if (span.tableName == name && span.row > lastRow)
                resume.tail.rows.push_back(span);
        for (const CellSpan& span : known->cells)
            if (span.tableName == name && span.row > lastRow)
                resume.tail.cells.push_back(span);
    }
    cache.layout.reset();
    cache.resume = std::move(resume);
}

QString tableName(const Reference<text::XTextTable>& table)
{
    return toQString(Reference<container::XNamed>(table, UNO_QUERY_THROW)->getName());
}

const CellSpan* DocumentLayout::findCell(const Reference<text::XTextTable>& table, const QString& name) const
{
    const QString wanted = tableName(table);
    for (const CellSpan& span : cells)
        if (span.name == name && span.tableName == wanted)
            return &span;
    return nullptr;
}

const RowSpan* DocumentLayout::findRow(const Reference<text::XTextTable>& table, int row) const
{
    const QString wanted = tableName(table);
    for (const RowSpan& span : rows)
        if (span.row == row && span.tableName == wanted)
            return &span;
    return nullptr;
}

std::vector<CellSpan> DocumentLayout::cellsIn(int start, int end) const
{
    std::vector<CellSpan> found;
    for (const CellSpan& span : cells)
        if (span.start < std::max(end, start + 1) && span.end > start)
            found.push_back(span);
    return found;
}
