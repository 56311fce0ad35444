#include "diary/DiaryCsv.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString Field(QString text)
{
    const bool quoted = text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text != text.trimmed();
    if (!quoted)
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString Row(const QStringList& cells)
{
    QStringList fields;
    for (const QString& cell : cells)
        fields << Field(cell);
    return fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

} // namespace

QByteArray DiaryCsv(const QList<TDiaryEntry>& entries)
{
    QString text = Row(DiaryHeaders());
    for (const TDiaryEntry& entry : entries)
        text += Row(DiaryCells(entry));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool WriteDiaryCsv(const QString& path, const QList<TDiaryEntry>& entries, QString& error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(DiaryCsv(entries)) >= 0 && file.commit())
        return true;
    error = QStringLiteral("Не могу записать файл %1: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}
