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
    QStringList lines
        = source.open(QIODevice::ReadOnly) ? QString::fromUtf8(source.readAll()).split(u'\n') : QStringList();
    lines = lines.mid(lines.indexOf(QStringLiteral("## ") + heading) + 1);
    QList<QStringList> rows;
    for (qsizetype at = lines.indexOf(QRegularExpression(QStringLiteral("\\|.*")));
         at >= 0 && at < lines.size() && lines.at(at).startsWith(u'|'); ++at) {
        const QStringList cells = lines.at(at).split(u'|').mid(1);
        rows << QStringList();
        for (const QString& cell : cells.mid(0, cells.size() - 1))
            rows.last() << cell.trimmed();
    }
    return rows.mid(2);
}
