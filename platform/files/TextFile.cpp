#include "platform/files/TextFile.h"

#include "platform/files/CodePage.h"
#include "platform/files/DataFile.h"

#include <algorithm>

namespace TextFile {

QStringList parse(const QByteArray& cp1251)
{
    const qsizetype zero = cp1251.indexOf('\0');
    const QString text = CodePage::toUnicode(zero < 0 ? cp1251 : cp1251.left(zero));

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QStringList read(const QString& path, QString* problem)
{
    DataFile::Contents contents = DataFile::read(path, MaxBytes);
    // The shipped lists are optional: a missing one leaves its place empty unsaid.
    if (problem)
        *problem = contents.status == DataFile::Status::Missing ? QString() : contents.problem;
    if (contents.status == DataFile::Status::Cut) {
        const qsizetype lastBreak
            = std::max(contents.bytes.lastIndexOf('\n'), contents.bytes.lastIndexOf('\r'));
        contents.bytes.truncate(std::max<qsizetype>(lastBreak, 0));
    }
    return parse(contents.bytes);
}

} // namespace TextFile
