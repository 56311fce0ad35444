#pragma once

#include "platform/automation/DispatchObject.h"

#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <vector>

// What a Word Range stands for in the Writer document: one cell, one table
// row, a whole table, a span of Word positions, or a piece of text.
struct RangeTarget {
    enum class Kind { Cell, Row, Table, Span, Text };
    Kind kind = Kind::Text;
    css::uno::Reference<css::uno::XComponentContext> context;
    css::uno::Reference<css::text::XTextDocument> document;
    css::uno::Reference<css::text::XTextTable> table; // Cell, Row, Table
    css::uno::Reference<css::table::XCell> cell; // Cell
    int row = 0; // Row
    int start = 0; // Span
    int end = 0; // Span
    css::uno::Reference<css::text::XTextRange> text; // Text
};

// A table cell as resolved at the moment of a call.
struct ResolvedCell {
    css::uno::Reference<css::text::XTextTable> table;
    css::uno::Reference<css::table::XCell> cell;
    QString name;
    int row = 0;
};

// The cells and the texts a target covers, resolved now.
std::vector<ResolvedCell> resolveCells(const RangeTarget& target);
std::vector<css::uno::Reference<css::text::XTextRange>> resolveTexts(const RangeTarget& target);

// Word's Range object on a RangeTarget.
class WordRange : public Automation::DispatchObject {
public:
    explicit WordRange(RangeTarget target);
    static Automation::Variant make(RangeTarget target);
    // The target of a Range handed back by a client, or nullptr.
    static const RangeTarget* targetOf(const Automation::Variant& value);

    const RangeTarget& target() const { return m_target; }
    std::vector<ResolvedCell> cells() const;
    std::vector<css::uno::Reference<css::text::XTextRange>> texts() const;

private:
    // Word's Start (or End) of the target, from the layout as it is now.
    int position(bool atEnd) const;
    void insertBefore(const QString& text);
    QString text() const;
    RangeTarget m_target;
};

// Word's Cell object on a cell target.
Automation::Variant MakeWordCell(RangeTarget cellTarget);

// Word's Cells collection over cells resolved at call time; for the cells of
// one table row it also splits.
class WordCells : public Automation::DispatchObject {
public:
    // All cells of one row, counted when each member is called.
    WordCells(RangeTarget rowTarget);
    // A fixed set of cells.
    explicit WordCells(std::vector<ResolvedCell> cells, RangeTarget owner);

private:
    std::vector<ResolvedCell> current() const;
    void addMembers();
    bool m_isRow;
    RangeTarget m_owner;
    std::vector<ResolvedCell> m_cells;
};
