#pragma once

#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QString>
#include <vector>

// Formatting of Writer text and table cells with Word's values. Errors are
// thrown as UNO exceptions or EOleError.
namespace WriterText {

using CellList = std::vector<css::uno::Reference<css::table::XCell>>;

// Word's border index: -1 top, -2 left, -3 bottom, -4 right.
enum class Edge { Top, Left, Bottom, Right };
Edge edgeFromWord(int index);

// Word's LineStyle: 0 none, 1 single; other styles draw a single line too.
void setBorder(const css::uno::Reference<css::table::XCell>& cell, Edge edge, int lineStyle);
int borderLineStyle(const css::uno::Reference<css::table::XCell>& cell, Edge edge);

// Word colours are 0x00BBGGRR.
void setBackgroundColor(const css::uno::Reference<css::table::XCell>& cell, int wordColor);
int backgroundColor(const css::uno::Reference<css::table::XCell>& cell);

// Character and paragraph properties on the whole of a text range.
void setProperty(
    const css::uno::Reference<css::text::XTextRange>& range, const QString& name, const css::uno::Any& value);
css::uno::Any property(const css::uno::Reference<css::text::XTextRange>& range, const QString& name);

// The whole text of a cell (or any text) as a range, and its first word.
css::uno::Reference<css::text::XTextRange> wholeText(const css::uno::Reference<css::text::XText>& text);
css::uno::Reference<css::text::XTextRange> firstWord(const css::uno::Reference<css::text::XText>& text);

// Text as Word inserts it: CR LF is one paragraph mark.
QString wordParagraphs(QString value);
void insertBefore(const css::uno::Reference<css::text::XText>& text, const QString& value);

// Word's paragraph alignment: 0 left, 1 centre, 2 right, 3 justify.
void setAlignment(const css::uno::Reference<css::text::XTextRange>& range, int wordAlignment);
int alignment(const css::uno::Reference<css::text::XTextRange>& range);

// Embeds the picture file at the start of the range, as a character;
// EOleError for a missing or unreadable picture.
void insertPicture(const css::uno::Reference<css::text::XTextDocument>& document,
    const css::uno::Reference<css::uno::XComponentContext>& context,
    const css::uno::Reference<css::text::XTextRange>& where, const QString& file);

} // namespace WriterText
