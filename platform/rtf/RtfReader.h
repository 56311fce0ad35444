#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads Rich Text Format as word processors write it (LibreOffice, WordPad,
// Word) into a QTextDocument: paragraphs and line breaks, bold, italic,
// underline, strike-out, sizes, colours, fonts, alignment, indents, and text
// in the document's code page or as Unicode escapes. Pictures, objects and
// other destinations are skipped. Damaged input never stops the reading:
// whatever can be read is shown.
namespace Rtf {

enum class Outcome {
    Complete, // well-formed
    Damaged, // truncated or unbalanced; the readable part was loaded
    NotRtf, // no RTF header; the bytes were shown as plain text
    CannotOpen, // readFile only: the document was left unchanged
};

struct ReadResult {
    Outcome outcome = Outcome::Complete;
    QString problem; // Russian, for the user; empty when Complete
};

// Replaces the contents of the document.
ReadResult read(const QByteArray& rtf, QTextDocument& document);
ReadResult readFile(const QString& fileName, QTextDocument& document);

} // namespace Rtf
