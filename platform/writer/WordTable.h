#pragma once

#include "platform/writer/WordCollection.h"

#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

// Word's Tables collection of a document, and Table, Rows and Row on Writer tables.
class WordTables : public WordCollection {
public:
    WordTables(css::uno::Reference<css::text::XTextDocument> document,
        css::uno::Reference<css::uno::XComponentContext> context);

    // A new table of rows x columns at the range, without borders (the
    // caller draws the lines it wants).
    static css::uno::Reference<css::text::XTextTable> addTable(
        const css::uno::Reference<css::text::XTextDocument>& document,
        const css::uno::Reference<css::text::XTextRange>& where, int rows, int columns);
};

Automation::Variant MakeWordTable(css::uno::Reference<css::text::XTextDocument> document,
    css::uno::Reference<css::uno::XComponentContext> context,
    css::uno::Reference<css::text::XTextTable> table);
