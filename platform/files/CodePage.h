#pragma once

#include <QByteArray>
#include <QString>

// Conversion between Unicode and the Cyrillic Windows code page 1251, in which
// every shipped text file is kept.
namespace CodePage {

// Bytes that 1251 leaves undefined (0x98) become U+FFFD; decoding never fails.
QString toUnicode(const QByteArray& cp1251);

// Characters that 1251 cannot hold become '?'.
QByteArray fromUnicode(const QString& text);

} // namespace CodePage
