#pragma once

#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include <QString>
#include <utility>
#include <vector>

// Word's view of a Writer table: rows numbered from 1, and cells numbered
// from 1 within their own row, as the row counts them at the moment of the
// call. Errors are thrown as EOleError.
class WriterTableModel {
public:
    explicit WriterTableModel(css::uno::Reference<css::text::XTextTable> table);

    // Cells per row, row 1 first.
    std::vector<int> rowLayout() const;
    int rowCount() const;
    int cellCount(int row) const;
    css::uno::Reference<css::table::XCell> cell(int row, int column) const;
    static QString cellName(int row, int column);

    // Word's Cells.Split on a row: every cell of the row becomes rows x columns
    // cells of equal width; the text stays in the first of them.
    void splitRow(int row, int rows, int columns);
    // Merges the cells from one cell name to another into one cell.
    void merge(const QString& firstCell, const QString& lastCell);

    // The columns of otherRow whose cells lie, in part at least, over or under
    // cell (row, column): the cells that share its top or bottom line.
    std::vector<int> columnsAlong(int row, int column, int otherRow) const;
    // The column of a cell name ("C4" gives 3), 0 for a name of no cell.
    static int columnOfCellName(const QString& name);

    const css::uno::Reference<css::text::XTextTable>& table() const { return m_table; }

private:
    void checkRow(int row) const;
    void splitAcross(int row, int rows, int cellsInRow);
    // Left and right edge of every cell of a row, in the table's relative units.
    std::vector<std::pair<int, int>> cellExtents(int row) const;
    css::uno::Reference<css::text::XTextTable> m_table;
};

// Tables are told apart by name: the office may hand out different objects
// for the same table.
QString tableName(const css::uno::Reference<css::text::XTextTable>& table);

// Word's character positions: every paragraph counts its text and one mark,
// every table cell its text and one end-of-cell mark, every table row one
// end-of-row mark. Computed afresh from the document on each use.
struct CellSpan {
    css::uno::Reference<css::text::XTextTable> table;
    QString tableName;
    QString name;
    int row = 0;
    int column = 0;
    int start = 0;
    int end = 0;
};
struct RowSpan {
    css::uno::Reference<css::text::XTextTable> table;
    QString tableName;
    int row = 0;
    int start = 0;
    int end = 0;
};
struct DocumentLayout {
    std::vector<CellSpan> cells;
    std::vector<RowSpan> rows;
    int length = 0;

    // Reading the layout takes a call per paragraph and cell, so the last one
    // is kept until the bridge changes text or cells (forget) or the program's
    // event loop runs again, after which the user may have typed.
    static DocumentLayout of(const css::uno::Reference<css::text::XTextDocument>& document);
    static void forget();
    // Only the rows from this one on (and what follows them) changed.
    static void forgetFrom(const css::uno::Reference<css::text::XTextTable>& table, int row);
    // Only the rows row..lastRow changed, and now stand as lastRow + rowShift
    // rows; the rows after them only moved.
    static void forgetRows(
        const css::uno::Reference<css::text::XTextTable>& table, int row, int lastRow, int rowShift);
    const CellSpan* findCell(
        const css::uno::Reference<css::text::XTextTable>& table, const QString& name) const;
    const RowSpan* findRow(const css::uno::Reference<css::text::XTextTable>& table, int row) const;
    // The cells that the span [start, end) touches, in document order.
    std::vector<CellSpan> cellsIn(int start, int end) const;
};
