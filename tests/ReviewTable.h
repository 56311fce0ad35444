#pragma once

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

// The rows (cells trimmed, header left out) of the table under a "## heading"
// of a review table beside the data: what a physician reviews is what is checked.
inline QList<QStringList> ReviewTable(const QString& file, const QString& heading)
{
    QFile source(QStringLiteral(TESSORA_SOURCE_DATA_DIR "/") + file);
    source.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(source.readAll());
    QList<QStringList> rows;
    for (const QString& line : text.mid(text.indexOf("\n## " + heading)).section(u'\n', 2).split(u'\n')) {
        if (line.startsWith(u'|'))
            rows << line.split(u'|')
                        .mid(1, line.count(u'|') - 1)
                        .replaceInStrings(QRegularExpression("^\\s+|\\s+$"), QString());
        else if (!rows.isEmpty())
            break;
    }
    return rows.mid(2);
}
