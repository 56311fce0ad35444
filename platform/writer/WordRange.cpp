#include "platform/writer/WordRange.h"

#include "platform/automation/WordTypeLib.h"
#include "platform/writer/OfficeCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterTableModel.h"
#include "platform/writer/WriterText.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextTableCursor.hpp>

#include <QScopeGuard>
#include <QStringList>
#include <map>

using namespace css;
using Automation::Args;
using Automation::DispatchObject;
using Automation::EOleError;
using Automation::MakeDispatch;
using Automation::Variant;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

using TextList = std::vector<Reference<text::XTextRange>>;

int rowOfCellName(const QString& name)
{
    int digits = name.size();
    while (digits > 0 && name[digits - 1].isDigit())
        --digits;
    return name.mid(digits).toInt();
}

QString cellNameOf(const Reference<table::XCell>& cell)
{
    OUString name;
    Reference<beans::XPropertySet>(cell, UNO_QUERY_THROW)->getPropertyValue(OUString("CellName")) >>= name;
    return toQString(name);
}

std::vector<ResolvedCell> rowCells(const Reference<text::XTextTable>& table, int row)
{
    const WriterTableModel model(table);
    std::vector<ResolvedCell> cells;
    const int count = model.cellCount(row);
    for (int c = 1; c <= count; ++c)
        cells.push_back({ table, model.cell(row, c), WriterTableModel::cellName(row, c), row });
    return cells;
}

// In Word two neighbouring cells share one line; Writer keeps a line on each
// side. Removing a cell's line therefore also removes the neighbour's line on
// the same place: the bottom of the cells above, the right of the cell before.
void clearSharedLine(const ResolvedCell& cell, WriterText::Edge edge)
{
    using WriterText::Edge;
    const WriterTableModel model(cell.table);
    const int column = WriterTableModel::columnOfCellName(cell.name);
    switch (edge) {
    case Edge::Top:
    case Edge::Bottom: {
        const int other = edge == Edge::Top ? cell.row - 1 : cell.row + 1;
        if (other < 1 || other > model.rowCount())
            return;
        const Edge facing = edge == Edge::Top ? Edge::Bottom : Edge::Top;
        for (int c : model.columnsAlong(cell.row, column, other))
            WriterText::setBorder(model.cell(other, c), facing, 0);
        return;
    }
    case Edge::Left:
        if (column > 1)
            WriterText::setBorder(model.cell(cell.row, column - 1), Edge::Right, 0);
        return;
    case Edge::Right:
        if (column < model.cellCount(cell.row))
            WriterText::setBorder(model.cell(cell.row, column + 1), Edge::Left, 0);
        return;
    }
}

void setBorder(const ResolvedCell& cell, WriterText::Edge edge, int lineStyle)
{
    WriterText::setBorder(cell.cell, edge, lineStyle);
    if (lineStyle == 0)
        clearSharedLine(cell, edge);
}

// Word's border of a block of cells: top and bottom lines along its first and
// last rows, left and right lines at the ends of every row.
void setBorders(const std::vector<ResolvedCell>& cells, WriterText::Edge edge, int lineStyle)
{
    if (cells.empty())
        return;
    std::map<int, std::vector<const ResolvedCell*>> byRow;
    for (const ResolvedCell& cell : cells)
        byRow[cell.row].push_back(&cell);
    using WriterText::Edge;
    if (edge == Edge::Top || edge == Edge::Bottom) {
        const auto& row = edge == Edge::Top ? byRow.begin()->second : byRow.rbegin()->second;
        for (const ResolvedCell* cell : row)
            setBorder(*cell, edge, lineStyle);
        return;
    }
    for (const auto& [row, rowCellsList] : byRow)
        setBorder(*(edge == Edge::Left ? rowCellsList.front() : rowCellsList.back()), edge, lineStyle);
}

// Word's inside vertical lines of a block of cells are the right lines of
// the cells that have a neighbour after them in their row. Only a span of
// positions can reach from one table into the next.
std::vector<ResolvedCell> cellsBeforeAnother(const std::vector<ResolvedCell>& cells, bool oneTable)
{
    std::vector<ResolvedCell> before;
    for (size_t i = 0; i + 1 < cells.size(); ++i)
        if (cells[i].row == cells[i + 1].row
            && (oneTable || tableName(cells[i].table) == tableName(cells[i + 1].table)))
            before.push_back(cells[i]);
    return before;
}

// After a change of the rows row..lastRow of the table, which now stand as
// lastRow + rowShift, what is known of the other rows stays known. A change
// that failed half-way may have touched any row from the first on.
void forgetRows(const Reference<text::XTextDocument>& document, const Reference<text::XTextTable>& table,
    int row, int lastRow, int rowShift, bool done) noexcept
{
    if (!DocumentLayout::isKept(document))
        return;
    try {
        OfficeCall::run([&] {
            if (done)
                DocumentLayout::forgetRows(document, table, row, lastRow, rowShift);
            else
                DocumentLayout::forgetFrom(document, table, row);
        });
    } catch (...) {
        DocumentLayout::forget();
    }
}

// The cells of a table row or of a whole table as one table cursor, through
// which the office formats all their text in one call; null for other ranges.
Reference<beans::XPropertySet> cellBlock(const RangeTarget& target)
{
    if (target.kind != RangeTarget::Kind::Row && target.kind != RangeTarget::Kind::Table)
        return {};
    const WriterTableModel model(target.table);
    const int firstRow = target.kind == RangeTarget::Kind::Row ? target.row : 1;
    const int lastRow = target.kind == RangeTarget::Kind::Row ? target.row : model.rowCount();
    const int lastCells = model.cellCount(lastRow);
    Reference<text::XTextTableCursor> cursor
        = target.table->createCursorByCellName(toOUString(WriterTableModel::cellName(firstRow, 1)));
    if (!cursor->gotoCellByName(toOUString(WriterTableModel::cellName(lastRow, lastCells)), true))
        return {};
    return Reference<beans::XPropertySet>(cursor, uno::UNO_QUERY);
}

class WordFont : public DispatchObject {
public:
    WordFont(std::function<TextList()> texts, RangeTarget target)
        : DispatchObject(QStringLiteral("Font"))
        , m_texts(std::move(texts))
        , m_target(std::move(target))
    {
        addProperty(
            QStringLiteral("Bold"), [this] { return Variant(read<float>("CharWeight", 0) > 100.0f); },
            [this](const Variant& v) { write("CharWeight", uno::Any(v.toBool() ? 150.0f : 100.0f)); });
        addProperty(
            QStringLiteral("Italic"),
            [this] { return Variant(read("CharPosture", awt::FontSlant_NONE) == awt::FontSlant_ITALIC); },
            [this](const Variant& v) {
                write("CharPosture", uno::Any(v.toBool() ? awt::FontSlant_ITALIC : awt::FontSlant_NONE));
            });
        addProperty(
            QStringLiteral("Size"),
            [this] { return Variant(static_cast<double>(read<float>("CharHeight", 0))); },
            [this](const Variant& v) {
                const double size = v.toDouble();
                if (size < 1 || size > 1638)
                    throw EOleError(QStringLiteral("Недопустимый размер шрифта"), Automation::E_INVALIDARG);
                write("CharHeight", uno::Any(static_cast<float>(size)));
            });
        addProperty(
            QStringLiteral("Name"), [this] { return Variant(toQString(read("CharFontName", OUString()))); },
            [this](const Variant& v) { write("CharFontName", uno::Any(toOUString(v.toString()))); });
    }

private:
    // The property of the range's first text; fallback when it has no text.
    template <class T> T read(const char* name, T fallback) const
    {
        return OfficeCall::run([&] {
            T value = fallback;
            const TextList texts = m_texts();
            if (!texts.empty())
                WriterText::property(texts.front(), QString::fromLatin1(name)) >>= value;
            return value;
        });
    }
    void write(const char* name, const uno::Any& value) const
    {
        OfficeCall::run([&] {
            if (const auto block = cellBlock(m_target); block.is()) {
                block->setPropertyValue(OUString::createFromAscii(name), value);
                return;
            }
            for (const auto& text : m_texts())
                WriterText::setProperty(text, QString::fromLatin1(name), value);
        });
    }
    std::function<TextList()> m_texts;
    RangeTarget m_target;
};

class WordBorder : public DispatchObject {
public:
    WordBorder(RangeTarget target, int wordIndex)
        : DispatchObject(QStringLiteral("Border"))
    {
        const bool inside = wordIndex == Word::wdBorderVertical;
        const auto edge = inside ? WriterText::Edge::Right : WriterText::edgeFromWord(wordIndex);
        auto resolve = [target, inside] {
            auto cells = resolveCells(target);
            return inside ? cellsBeforeAnother(cells, target.kind != RangeTarget::Kind::Span) : cells;
        };
        addProperty(
            QStringLiteral("LineStyle"),
            [resolve, edge] {
                return OfficeCall::run([&] {
                    const auto cells = resolve();
                    return Variant(cells.empty() ? 0 : WriterText::borderLineStyle(cells.front().cell, edge));
                });
            },
            [resolve, edge, inside](const Variant& v) {
                const int style = v.toInt();
                OfficeCall::run([&] {
                    if (!inside) {
                        setBorders(resolve(), edge, style);
                        return;
                    }
                    for (const ResolvedCell& cell : resolve())
                        setBorder(cell, edge, style);
                });
            });
        addProperty(QStringLiteral("Visible"), [resolve, edge] {
            return OfficeCall::run([&] {
                const auto cells = resolve();
                return Variant(!cells.empty() && WriterText::borderLineStyle(cells.front().cell, edge) != 0);
            });
        });
    }
};

class WordBorders : public DispatchObject {
public:
    explicit WordBorders(RangeTarget target)
        : DispatchObject(QStringLiteral("Borders"))
    {
        addMember(QStringLiteral("Item"), [target](const Args& args) {
            return MakeDispatch<WordBorder>(target, args.required(0).toInt())->asVariant();
        });
        addProperty(QStringLiteral("Count"), [] { return Variant(4); });
    }
};

class WordShading : public DispatchObject {
public:
    explicit WordShading(std::function<std::vector<ResolvedCell>()> cells)
        : DispatchObject(QStringLiteral("Shading"))
    {
        addProperty(
            QStringLiteral("BackgroundPatternColor"),
            [cells] {
                return OfficeCall::run([&] {
                    const auto list = cells();
                    return Variant(list.empty() ? -16777216 : WriterText::backgroundColor(list.front().cell));
                });
            },
            [cells](const Variant& v) {
                const int color = v.toInt();
                OfficeCall::run([&] {
                    for (const ResolvedCell& cell : cells())
                        WriterText::setBackgroundColor(cell.cell, color);
                });
            });
    }
};

class WordParagraphFormat : public DispatchObject {
public:
    explicit WordParagraphFormat(std::function<TextList()> texts)
        : DispatchObject(QStringLiteral("ParagraphFormat"))
    {
        addProperty(
            QStringLiteral("Alignment"),
            [texts] {
                return OfficeCall::run([&] {
                    const TextList list = texts();
                    return Variant(list.empty() ? 0 : WriterText::alignment(list.front()));
                });
            },
            [texts](const Variant& v) {
                const int alignment = v.toInt();
                OfficeCall::run([&] {
                    for (const auto& text : texts())
                        WriterText::setAlignment(text, alignment);
                });
            });
        // Writer's "keep with next paragraph"; in a table it keeps the row
        // with the next one (see the document's TableRowKeep).
        addProperty(
            QStringLiteral("KeepWithNext"),
            [texts] {
                return OfficeCall::run([&] {
                    const TextList list = texts();
                    bool keep = false;
                    if (!list.empty())
                        WriterText::property(list.front(), QStringLiteral("ParaKeepTogether")) >>= keep;
                    return Variant(keep);
                });
            },
            [texts](const Variant& v) {
                const uno::Any keep(v.toBool());
                OfficeCall::run([&] {
                    for (const auto& text : texts())
                        WriterText::setProperty(text, QStringLiteral("ParaKeepTogether"), keep);
                });
            });
    }
};

class WordInlineShapes : public DispatchObject {
public:
    WordInlineShapes(RangeTarget target, std::function<TextList()> texts)
        : DispatchObject(QStringLiteral("InlineShapes"))
    {
        // Pictures are always embedded: a report must not depend on a file
        // that may later move.
        addMember(QStringLiteral("AddPicture"), [target, texts](const Args& args) {
            const QString file = args.required(0).toString();
            const auto changed = qScopeGuard(&DocumentLayout::forget);
            OfficeCall::run([&] {
                const TextList list = texts();
                if (list.empty())
                    throw EOleError(QStringLiteral("Некуда вставить рисунок"), Automation::E_INVALIDARG);
                WriterText::insertPicture(target.document, target.context, list.front(), file);
            });
            return Variant();
        });
    }
};

class WordWords : public DispatchObject {
public:
    WordWords(RangeTarget target, std::function<TextList()> texts)
        : DispatchObject(QStringLiteral("Words"))
    {
        addMember(QStringLiteral("Item"), [target, texts](const Args& args) {
            const int index = args.required(0).toInt();
            if (index != 1)
                throw EOleError(
                    QStringLiteral("Поддерживается только первое слово"), Automation::DISP_E_BADINDEX);
            RangeTarget word = target;
            word.kind = RangeTarget::Kind::Text;
            word.text = OfficeCall::run([&] {
                const TextList list = texts();
                if (list.empty())
                    throw EOleError(QStringLiteral("В диапазоне нет слов"), Automation::DISP_E_BADINDEX);
                return WriterText::firstWord(list.front()->getText());
            });
            return WordRange::make(word);
        });
    }
};

// Word's Cell.Merge: the cells from one cell to another become one.
void mergeCells(const RangeTarget& from, const RangeTarget& to)
{
    const auto [first, last] = OfficeCall::run([&] {
        if (tableName(from.table) != tableName(to.table))
            throw EOleError(
                QStringLiteral("Объединить можно только ячейки одной таблицы"), Automation::E_FAIL);
        return std::pair(cellNameOf(from.cell), cellNameOf(to.cell));
    });
    // The list form returns values: the two-argument form would refer to temporaries.
    const auto [top, bottom] = std::minmax({ rowOfCellName(first), rowOfCellName(last) });
    bool done = false;
    const auto changed = qScopeGuard([&] { forgetRows(from.document, from.table, top, bottom, 0, done); });
    OfficeCall::run([&] { WriterTableModel(from.table).merge(first, last); });
    done = true;
}

class WordCell : public DispatchObject {
public:
    explicit WordCell(RangeTarget target)
        : DispatchObject(QStringLiteral("Cell"))
        , m_target(target)
    {
        addMember(QStringLiteral("Merge"), [target](const Args& args) {
            const auto* other = dynamic_cast<const WordCell*>(args.required(0).toDispatch().get());
            if (!other)
                throw EOleError(QStringLiteral("Cell.Merge объединяет ячейку только с другой ячейкой"),
                    Automation::DISP_E_TYPEMISMATCH);
            mergeCells(target, other->m_target);
            return Variant();
        });
        addProperty(QStringLiteral("Range"), [target] { return WordRange::make(target); });
        addProperty(QStringLiteral("Shading"), [target] {
            return MakeDispatch<WordShading>([target] { return resolveCells(target); })->asVariant();
        });
        addProperty(QStringLiteral("RowIndex"), [target] {
            return OfficeCall::run([&] { return Variant(rowOfCellName(cellNameOf(target.cell))); });
        });
    }

private:
    RangeTarget m_target;
};

} // namespace

std::vector<ResolvedCell> resolveCells(const RangeTarget& t)
{
    return OfficeCall::run([&] {
        std::vector<ResolvedCell> cells;
        switch (t.kind) {
        case RangeTarget::Kind::Cell: {
            const QString name = cellNameOf(t.cell);
            cells.push_back({ t.table, t.cell, name, rowOfCellName(name) });
            break;
        }
        case RangeTarget::Kind::Row:
            cells = rowCells(t.table, t.row);
            break;
        case RangeTarget::Kind::Table: {
            const int rows = WriterTableModel(t.table).rowCount();
            for (int r = 1; r <= rows; ++r)
                for (ResolvedCell& cell : rowCells(t.table, r))
                    cells.push_back(std::move(cell));
            break;
        }
        case RangeTarget::Kind::Span:
            for (const CellSpan& span : DocumentLayout::of(t.document).cellsIn(t.start, t.end))
                cells.push_back(
                    { span.table, span.table->getCellByName(toOUString(span.name)), span.name, span.row });
            break;
        case RangeTarget::Kind::Text:
            break;
        }
        return cells;
    });
}

TextList resolveTexts(const RangeTarget& t)
{
    if (t.kind == RangeTarget::Kind::Text)
        return { t.text };
    return OfficeCall::run([&] {
        TextList texts;
        for (const ResolvedCell& cell : resolveCells(t))
            texts.push_back(WriterText::wholeText(Reference<text::XText>(cell.cell, UNO_QUERY_THROW)));
        return texts;
    });
}

std::vector<ResolvedCell> WordRange::cells() const
{
    return resolveCells(m_target);
}

std::vector<Reference<text::XTextRange>> WordRange::texts() const
{
    return resolveTexts(m_target);
}

Variant MakeWordCell(RangeTarget cellTarget)
{
    return MakeDispatch<WordCell>(std::move(cellTarget))->asVariant();
}

WordRange::WordRange(RangeTarget target)
    : DispatchObject(QStringLiteral("Range"))
    , m_target(std::move(target))
{
    auto texts = [self = m_target] { return resolveTexts(self); };
    addMember(QStringLiteral("InsertBefore"), [this](const Args& args) {
        const QString text = args.required(0).toString();
        // Which row changes matters only while positions of the document are kept.
        const bool kept = DocumentLayout::isKept(m_target.document);
        int row = 0;
        if (kept && m_target.kind == RangeTarget::Kind::Row)
            row = m_target.row;
        else if (kept && m_target.kind == RangeTarget::Kind::Cell)
            row = OfficeCall::run([&] { return rowOfCellName(cellNameOf(m_target.cell)); });
        bool done = false;
        const auto changed = qScopeGuard([&] {
            if (row > 0)
                forgetRows(m_target.document, m_target.table, row, row, 0, done);
            else
                DocumentLayout::forget();
        });
        insertBefore(text);
        done = true;
        return Variant();
    });
    addProperty(
        QStringLiteral("Text"), [this] { return Variant(text()); },
        [this, texts](const Variant& v) {
            const QString value = v.toString();
            const auto changed = qScopeGuard(&DocumentLayout::forget);
            OfficeCall::run([&] {
                for (const auto& range : texts())
                    range->setString(OUString());
                const auto list = texts();
                if (!list.empty())
                    list.front()->setString(toOUString(value));
            });
        });
    addProperty(QStringLiteral("Start"), [this] { return Variant(position(false)); });
    addProperty(QStringLiteral("End"), [this] { return Variant(position(true)); });
    addProperty(QStringLiteral("Font"),
        [this, texts] { return MakeDispatch<WordFont>(texts, m_target)->asVariant(); });
    addProperty(QStringLiteral("ParagraphFormat"),
        [texts] { return MakeDispatch<WordParagraphFormat>(texts)->asVariant(); });
    addProperty(
        QStringLiteral("Borders"), [this] { return MakeDispatch<WordBorders>(m_target)->asVariant(); });
    addProperty(QStringLiteral("Words"),
        [this, texts] { return MakeDispatch<WordWords>(m_target, texts)->asVariant(); });
    addProperty(QStringLiteral("InlineShapes"),
        [this, texts] { return MakeDispatch<WordInlineShapes>(m_target, texts)->asVariant(); });
    addProperty(QStringLiteral("Cells"), [this] {
        if (m_target.kind == RangeTarget::Kind::Row)
            return MakeDispatch<WordCells>(m_target)->asVariant();
        return MakeDispatch<WordCells>(cells(), m_target)->asVariant();
    });
    addProperty(QStringLiteral("Shading"), [this] {
        return MakeDispatch<WordShading>([self = m_target] { return resolveCells(self); })->asVariant();
    });
}

Variant WordRange::make(RangeTarget target)
{
    return MakeDispatch<WordRange>(std::move(target))->asVariant();
}

const RangeTarget* WordRange::targetOf(const Variant& value)
{
    if (!value.isDispatch())
        return nullptr;
    auto* range = dynamic_cast<WordRange*>(value.toDispatch().get());
    return range ? &range->m_target : nullptr;
}

int WordRange::position(bool atEnd) const
{
    switch (m_target.kind) {
    case RangeTarget::Kind::Span:
        return atEnd ? m_target.end : m_target.start;
    case RangeTarget::Kind::Text:
        return 0;
    default:
        break;
    }
    return OfficeCall::run([&] {
        const DocumentLayout layout = DocumentLayout::of(m_target.document);
        const auto at = [atEnd](const auto* span) { return atEnd ? span->end : span->start; };
        switch (m_target.kind) {
        case RangeTarget::Kind::Cell:
            if (const CellSpan* span = layout.findCell(m_target.table, cellNameOf(m_target.cell)))
                return at(span);
            break;
        case RangeTarget::Kind::Row:
            if (const RowSpan* span = layout.findRow(m_target.table, m_target.row))
                return at(span);
            break;
        case RangeTarget::Kind::Table: {
            const int row = atEnd ? WriterTableModel(m_target.table).rowCount() : 1;
            if (const RowSpan* span = layout.findRow(m_target.table, row))
                return at(span);
            break;
        }
        default:
            break;
        }
        throw EOleError(QStringLiteral("Диапазон больше не существует"), Automation::E_FAIL);
    });
}

void WordRange::insertBefore(const QString& value)
{
    OfficeCall::run([&] {
        if (m_target.kind == RangeTarget::Kind::Cell) {
            WriterText::insertBefore(Reference<text::XText>(m_target.cell, UNO_QUERY_THROW), value);
            return;
        }
        if (m_target.kind == RangeTarget::Kind::Text) {
            m_target.text->getText()->insertString(
                m_target.text->getStart(), toOUString(WriterText::wordParagraphs(value)), false);
            return;
        }
        const auto list = cells();
        if (list.empty())
            throw EOleError(QStringLiteral("Диапазон не содержит текста"), Automation::E_FAIL);
        WriterText::insertBefore(Reference<text::XText>(list.front().cell, UNO_QUERY_THROW), value);
    });
}

QString WordRange::text() const
{
    return OfficeCall::run([&] {
        QStringList parts;
        for (const auto& range : texts())
            parts << toQString(range->getString());
        return parts.join(QLatin1Char('\r'));
    });
}

WordCells::WordCells(RangeTarget rowTarget)
    : DispatchObject(QStringLiteral("Cells"))
    , m_isRow(true)
    , m_owner(std::move(rowTarget))
{
    addMembers();
}

WordCells::WordCells(std::vector<ResolvedCell> cells, RangeTarget owner)
    : DispatchObject(QStringLiteral("Cells"))
    , m_isRow(false)
    , m_owner(std::move(owner))
    , m_cells(std::move(cells))
{
    addMembers();
}

std::vector<ResolvedCell> WordCells::current() const
{
    if (!m_isRow)
        return m_cells;
    return OfficeCall::run([&] { return rowCells(m_owner.table, m_owner.row); });
}

void WordCells::addMembers()
{
    addProperty(QStringLiteral("Count"), [this] { return Variant(static_cast<int>(current().size())); });
    addMember(QStringLiteral("Item"), [this](const Args& args) {
        const int index = args.required(0).toInt();
        RangeTarget target = m_owner;
        target.kind = RangeTarget::Kind::Cell;
        if (m_isRow) {
            // Only the cell asked for is looked up; a cell the row does not
            // have has no name in the table.
            target.cell = OfficeCall::run([&] {
                if (index < 1)
                    throw OfficeCall::noSuchItem(index);
                return WriterTableModel(m_owner.table).cell(m_owner.row, index);
            });
            return MakeWordCell(target);
        }
        if (index < 1 || index > static_cast<int>(m_cells.size()))
            throw OfficeCall::noSuchItem(index);
        target.table = m_cells[index - 1].table;
        target.cell = m_cells[index - 1].cell;
        return MakeWordCell(target);
    });
    addMember(QStringLiteral("Split"), [this](const Args& args) {
        const int rows = args.isMissing(0) ? 1 : args[0].toInt();
        const int columns = args.isMissing(1) ? 1 : args[1].toInt();
        if (!m_isRow)
            throw EOleError(
                QStringLiteral("Разбить можно только ячейки одной строки"), Automation::E_NOTIMPL);
        bool done = false;
        const auto changed = qScopeGuard(
            [&] { forgetRows(m_owner.document, m_owner.table, m_owner.row, m_owner.row, rows - 1, done); });
        OfficeCall::run([&] { WriterTableModel(m_owner.table).splitRow(m_owner.row, rows, columns); });
        done = true;
        return Variant();
    });
    addMember(QStringLiteral("Merge"), [this](const Args&) {
        const auto cells = current();
        if (cells.size() < 2)
            return Variant();
        const QString table = tableName(cells.front().table);
        for (const ResolvedCell& cell : cells)
            if (tableName(cell.table) != table)
                throw EOleError(
                    QStringLiteral("Объединить можно только ячейки одной таблицы"), Automation::E_FAIL);
        bool done = false;
        const auto changed = qScopeGuard([&] {
            forgetRows(m_owner.document, cells.front().table, cells.front().row, cells.back().row, 0, done);
        });
        OfficeCall::run(
            [&] { WriterTableModel(cells.front().table).merge(cells.front().name, cells.back().name); });
        done = true;
        return Variant();
    });
    addProperty(QStringLiteral("Shading"),
        [this] { return MakeDispatch<WordShading>([cells = current()] { return cells; })->asVariant(); });
}
