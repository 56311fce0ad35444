#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads the shipped text files (statements, complaint phrases) in code page
// 1251, one item per line.
namespace TextFile {

// Lines end at CR LF, LF or CR; a break at the very end starts no further
// line; a zero byte ends the text. Lines are kept exactly, empty ones too.
QStringList parse(const QByteArray& cp1251);

// The most read of one file: far beyond any shipped list.
inline constexpr qint64 MaxBytes = 1024 * 1024;

// The lines of the file, or an empty list when it is missing, unreadable or
// not a regular file. Of a larger file the first MaxBytes are read, without
// the line cut there. problem, when given, says why nothing or only the
// beginning was read, and is cleared otherwise.
QStringList read(const QString& path, QString* problem = nullptr);

} // namespace TextFile
