#include "platform/files/TextFile.h"

#include "platform/files/CodePage.h"

#include <QFile>
#include <QFileInfo>

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

QStringList read(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return parse(bytes);
}

} // namespace TextFile
