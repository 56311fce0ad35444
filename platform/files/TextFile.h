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

// The lines of the file, or an empty list when it is missing or unreadable.
QStringList read(const QString& path);

} // namespace TextFile
