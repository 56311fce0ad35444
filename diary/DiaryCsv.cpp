#include "diary/DiaryCsv.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString field(QString text)
{
    const bool quoted = text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text != text.trimmed();
    if (!quoted)
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString row(const QStringList& cells)
{
    QStringList fields;
    for (const QString& cell : cells)
        fields << field(cell);
    return fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

} // namespace

QByteArray diaryCsv(const QList<DiaryEntry>& entries)
{
    QString text = row(diaryHeaders());
    for (const DiaryEntry& entry : entries)
        text += row(diaryCells(entry));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeDiaryCsv(const QString& path, const QList<DiaryEntry>& entries, QString& error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(diaryCsv(entries)) >= 0 && file.commit())
        return true;
    error = QStringLiteral("Не могу записать файл %1: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}
