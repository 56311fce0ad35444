#pragma once

// Reads the report table of a Writer document through UNO as a user sees it,
// one line of text per row:
//   ‾ / _      the row has a line above / below (any of its cells)
//   [1 2 1 2]  widths of the cells in sixths, for a row of several cells
//   [text]     a cell with its left / right line
//   ▒          a grey cell
//   *text*     bold text; paragraphs of a cell joined by " ¶ "
// Cells are separated by " ¦ ".

#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterTableModel.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include <QStringList>
#include <cmath>
#include <set>

struct ReportTableView {
    QStringList rows;
    std::vector<std::set<double>> fontSizes; // per row, every size met in it
    std::vector<bool> rightAligned; // per row, every paragraph right-aligned
};

namespace ReportTableReader {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

inline css::uno::Any Property(const css::uno::Reference<css::uno::XInterface>& object, const char* name)
{
    return Reference<css::beans::XPropertySet>(object, UNO_QUERY_THROW)
        ->getPropertyValue(OUString::createFromAscii(name));
}

inline bool HasLine(const Reference<css::uno::XInterface>& cell, const char* edge)
{
    css::table::BorderLine2 line;
    Property(cell, edge) >>= line;
    return line.OuterLineWidth + line.InnerLineWidth > 0;
}

inline QStringList Widths(const Reference<css::text::XTextTable>& table, int row, int cells)
{
    sal_Int16 sum = 10000;
    Property(table, "TableColumnRelativeSum") >>= sum;
    css::uno::Sequence<css::text::TableColumnSeparator> separators;
    Property(Reference<css::uno::XInterface>(table->getRows()->getByIndex(row - 1), UNO_QUERY_THROW),
        "TableColumnSeparators")
        >>= separators;
    QStringList widths;
    int left = 0;
    for (int c = 0; c < cells; ++c) {
        const int right = c < separators.getLength() ? separators[c].Position : sum;
        widths << QString::number(std::lround(6.0 * (right - left) / sum));
        left = right;
    }
    return widths;
}

// The cell's text with bold runs marked, and what the row keeps of its formats.
inline QString CellText(const Reference<css::text::XText>& text, std::set<double>& sizes, bool& right)
{
    QStringList paragraphs;
    Reference<css::container::XEnumeration> parts
        = Reference<css::container::XEnumerationAccess>(text, UNO_QUERY_THROW)->createEnumeration();
    while (parts->hasMoreElements()) {
        Reference<css::uno::XInterface> paragraph(parts->nextElement(), UNO_QUERY_THROW);
        sal_Int16 adjust = 0;
        Property(paragraph, "ParaAdjust") >>= adjust;
        right = right && adjust == sal_Int16(css::style::ParagraphAdjust_RIGHT);
        float height = 0;
        QString marked;
        Reference<css::container::XEnumeration> portions
            = Reference<css::container::XEnumerationAccess>(paragraph, UNO_QUERY_THROW)->createEnumeration();
        while (portions->hasMoreElements()) {
            Reference<css::text::XTextRange> portion(portions->nextElement(), UNO_QUERY_THROW);
            const QString piece = toQString(portion->getString());
            if (piece.isEmpty())
                continue;
            float weight = 100;
            Property(portion, "CharWeight") >>= weight;
            Property(portion, "CharHeight") >>= height;
            sizes.insert(height);
            marked += weight > 100 ? QStringLiteral("*%1*").arg(piece) : piece;
        }
        // An empty paragraph shows the size of its mark.
        if (marked.isEmpty()) {
            Property(paragraph, "CharHeight") >>= height;
            sizes.insert(height);
        }
        paragraphs << marked.replace(QStringLiteral("**"), QString());
    }
    return paragraphs.join(QStringLiteral(" ¶ "));
}

inline ReportTableView Read(const Reference<css::text::XTextTable>& table)
{
    ReportTableView view;
    const WriterTableModel model(table);
    const std::vector<int> layout = model.rowLayout();
    for (int r = 1; r <= int(layout.size()); ++r) {
        std::set<double> sizes;
        bool right = true;
        bool above = false;
        bool below = false;
        QStringList cells;
        for (int c = 1; c <= layout[r - 1]; ++c) {
            const auto cell = model.cell(r, c);
            above = above || HasLine(cell, "TopBorder");
            below = below || HasLine(cell, "BottomBorder");
            sal_Int32 colour = -1;
            bool transparent = true;
            Property(cell, "BackColor") >>= colour;
            Property(cell, "BackTransparent") >>= transparent;
            const QString text = CellText(Reference<css::text::XText>(cell, UNO_QUERY_THROW), sizes, right);
            cells << QStringLiteral("%1%2%3%4")
                         .arg(HasLine(cell, "LeftBorder") ? QStringLiteral("[") : QString(),
                             !transparent && colour == 0x999999 ? QStringLiteral("▒") : QString(), text,
                             HasLine(cell, "RightBorder") ? QStringLiteral("]") : QString());
        }
        QString line
            = QString(above ? QStringLiteral("‾") : QString()) + (below ? QStringLiteral("_") : QString());
        if (cells.size() > 1)
            line += QStringLiteral("[%1] ").arg(Widths(table, r, int(cells.size())).join(QLatin1Char(' ')));
        view.rows << line + cells.join(QStringLiteral(" ¦ "));
        view.fontSizes.push_back(sizes);
        view.rightAligned.push_back(right);
    }
    return view;
}

inline Reference<css::text::XTextTable> FirstTable(const Reference<css::uno::XInterface>& document)
{
    Reference<css::container::XIndexAccess> tables(
        Reference<css::text::XTextTablesSupplier>(document, UNO_QUERY_THROW)->getTextTables(),
        UNO_QUERY_THROW);
    return Reference<css::text::XTextTable>(tables->getByIndex(0), UNO_QUERY_THROW);
}

} // namespace ReportTableReader
