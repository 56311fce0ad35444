#include "platform/writer/WordTable.h"

#include "platform/writer/OfficeCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WordRange.h"
#include "platform/writer/WriterTableModel.h"
#include "platform/writer/WriterText.h"

#include <QScopeGuard>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

using namespace css;
using Automation::Args;
using Automation::DispatchObject;
using Automation::EOleError;
using Automation::MakeDispatch;
using Automation::Variant;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

struct TableHandle {
    Reference<text::XTextDocument> document;
    Reference<uno::XComponentContext> context;
    Reference<text::XTextTable> table;

    RangeTarget target(RangeTarget::Kind kind) const
    {
        RangeTarget t;
        t.kind = kind;
        t.context = context;
        t.document = document;
        t.table = table;
        return t;
    }
};

Reference<container::XIndexAccess> tablesOf(const Reference<text::XTextDocument>& document)
{
    return Reference<container::XIndexAccess>(
        Reference<text::XTextTablesSupplier>(document, UNO_QUERY_THROW)->getTextTables(), UNO_QUERY_THROW);
}

class WordRow : public DispatchObject {
public:
    WordRow(TableHandle handle, int row)
        : DispatchObject(QStringLiteral("Row"))
    {
        RangeTarget target = handle.target(RangeTarget::Kind::Row);
        target.row = row;
        addProperty(
            QStringLiteral("Cells"), [target] { return MakeDispatch<WordCells>(target)->asVariant(); });
        addProperty(QStringLiteral("Range"), [target] { return WordRange::make(target); });
        addProperty(QStringLiteral("Index"), [row] { return Variant(row); });
    }
};

Reference<beans::XPropertySet> rowProperties(const Reference<text::XTextTable>& table, int index)
{
    return Reference<beans::XPropertySet>(table->getRows()->getByIndex(index), UNO_QUERY_THROW);
}

// Word's AllowBreakAcrossPages of the rows there are: read from the first.
void addRowBreaking(WordCollection& rows, const TableHandle& handle)
{
    rows.add(
        QStringLiteral("AllowBreakAcrossPages"),
        [handle](const Args&) {
            return OfficeCall::run([&] {
                bool allowed = true;
                rowProperties(handle.table, 0)->getPropertyValue(OUString("IsSplitAllowed")) >>= allowed;
                return Variant(allowed);
            });
        },
        [handle](const Args&, const Variant& value) {
            const uno::Any allowed(value.toBool());
            OfficeCall::run([&] {
                const int count = handle.table->getRows()->getCount();
                for (int index = 0; index < count; ++index)
                    rowProperties(handle.table, index)->setPropertyValue(OUString("IsSplitAllowed"), allowed);
            });
        });
}

Variant MakeWordRows(const TableHandle& handle)
{
    auto rows = MakeDispatch<WordCollection>(
        QStringLiteral("Rows"),
        [handle] { return OfficeCall::run([&] { return WriterTableModel(handle.table).rowCount(); }); },
        [handle](int row) { return MakeDispatch<WordRow>(handle, row)->asVariant(); });
    addRowBreaking(*rows, handle);
    return rows->asVariant();
}

class WordTable : public DispatchObject {
public:
    explicit WordTable(TableHandle handle)
        : DispatchObject(QStringLiteral("Table"))
    {
        addProperty(QStringLiteral("Rows"), [handle] { return MakeWordRows(handle); });
        addProperty(QStringLiteral("Range"),
            [handle] { return WordRange::make(handle.target(RangeTarget::Kind::Table)); });
        addMember(QStringLiteral("Cell"), [handle](const Args& args) {
            const int row = args.required(0).toInt();
            const int column = args.required(1).toInt();
            RangeTarget target = handle.target(RangeTarget::Kind::Cell);
            target.cell = OfficeCall::run([&] { return WriterTableModel(handle.table).cell(row, column); });
            return MakeWordCell(target);
        });
    }
};

} // namespace

Variant MakeWordTable(Reference<text::XTextDocument> document, Reference<uno::XComponentContext> context,
    Reference<text::XTextTable> table)
{
    return MakeDispatch<WordTable>(TableHandle { std::move(document), std::move(context), std::move(table) })
        ->asVariant();
}

WordTables::WordTables(Reference<text::XTextDocument> document, Reference<uno::XComponentContext> context)
    : WordCollection(
        QStringLiteral("Tables"),
        [document] {
            return OfficeCall::run([&] { return static_cast<int>(tablesOf(document)->getCount()); });
        },
        [document, context](int index) {
            const auto table = OfficeCall::run([&] {
                return Reference<text::XTextTable>(
                    tablesOf(document)->getByIndex(index - 1), UNO_QUERY_THROW);
            });
            return MakeWordTable(document, context, table);
        })
{
    add(QStringLiteral("Add"), [document, context](const Args& args) {
        const RangeTarget* where = WordRange::targetOf(args.required(0));
        const int rows = args.required(1).toInt();
        const int columns = args.required(2).toInt();
        if (!where)
            throw EOleError(QStringLiteral("Первый аргумент Tables.Add должен быть диапазоном"),
                Automation::DISP_E_TYPEMISMATCH);
        if (rows < 1 || columns < 1 || rows > 32767 || columns > 63)
            throw EOleError(
                QStringLiteral("Недопустимое число строк или столбцов"), Automation::E_INVALIDARG);
        if (!(where->document == document))
            throw EOleError(
                QStringLiteral("Диапазон принадлежит другому документу"), Automation::E_INVALIDARG);
        Reference<text::XTextRange> position = OfficeCall::run([&] {
            if (where->kind == RangeTarget::Kind::Text)
                return where->text;
            // Any other range: at the start of its first cell.
            auto texts = resolveTexts(*where);
            if (texts.empty())
                throw EOleError(QStringLiteral("Некуда вставить таблицу"), Automation::E_INVALIDARG);
            return texts.front();
        });
        const auto changed = qScopeGuard(&DocumentLayout::forget);
        auto table = OfficeCall::run([&] { return addTable(document, position, rows, columns); });
        return MakeWordTable(document, context, table);
    });
}

Reference<text::XTextTable> WordTables::addTable(const Reference<text::XTextDocument>& document,
    const Reference<text::XTextRange>& where, int rows, int columns)
{
    Reference<lang::XMultiServiceFactory> factory(document, UNO_QUERY_THROW);
    Reference<text::XTextTable> table(
        factory->createInstance(OUString("com.sun.star.text.TextTable")), UNO_QUERY_THROW);
    table->initialize(rows, columns);
    where->getText()->insertTextContent(
        where->getStart(), Reference<text::XTextContent>(table, UNO_QUERY_THROW), false);
    const WriterTableModel model(table);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            const auto cell = model.cell(r, c);
            for (auto edge : { WriterText::Edge::Top, WriterText::Edge::Left, WriterText::Edge::Bottom,
                     WriterText::Edge::Right })
                WriterText::setBorder(cell, edge, 0);
        }
    }
    return table;
}
