#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// The rows of the first table under a heading of a review table beside the
// data (data/…/README-*.md), each row its cells trimmed; the header row and
// the rule under it are left out. Tests read thresholds and texts from there,
// so that what a physician reviews is what is checked.
inline QList<QStringList> ReviewTable(const QString& file, const QString& heading)
{
    QFile source(QStringLiteral(TESSORA_SOURCE_DATA_DIR "/") + file);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'));
    QList<QStringList> rows;
    qsizetype at = lines.indexOf(QStringLiteral("## ") + heading);
    while (at >= 0 && ++at < lines.size() && (rows.isEmpty() || lines.at(at).startsWith(QLatin1Char('|')))) {
        if (!lines.at(at).startsWith(QLatin1Char('|')))
            continue;
        QStringList cells = lines.at(at).split(QLatin1Char('|'));
        cells = cells.mid(1, cells.size() - 2);
        for (QString& cell : cells)
            cell = cell.trimmed();
        rows << cells;
    }
    return rows.mid(2);
}
