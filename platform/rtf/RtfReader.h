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
    Cut, // larger than MaxFileBytes (readFile), or a word longer than MaxWordLength: its beginning was loaded
};

// The most readFile reads: far beyond any shipped explanation.
inline constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

// Laying out one unbroken word takes time that grows faster than its length;
// no text a person reads has a word this long.
inline constexpr int MaxWordLength = 1000;

struct ReadResult {
    Outcome outcome = Outcome::Complete;
    QString problem; // Russian, for the user; empty when Complete
};

// Replaces the contents of the document.
ReadResult read(const QByteArray& rtf, QTextDocument& document);
// Reads a regular file of at most MaxFileBytes. When the file cannot be shown
// whole (damaged, empty, cut, not RTF), the problem also ends the document,
// so that the reader of the page learns of it.
ReadResult readFile(const QString& fileName, QTextDocument& document);

} // namespace Rtf
