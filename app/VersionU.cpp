#include "app/VersionU.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QStringView>

namespace {

QHash<QString, QString> parseEntries(const QByteArray& resource)
{
    QHash<QString, QString> entries;
    const QString text = QString::fromUtf8(resource);
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'#') || equals <= 0)
            continue;
        entries.insert(line.left(equals).toString(), line.sliced(equals + 1).toString());
    }
    return entries;
}

// Hex bytes separated by blanks; reading stops at the first token that is not a byte.
QByteArray translationBytes(const QString& value)
{
    QByteArray bytes;
    for (QStringView token : QStringView(value).split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint byte = token.toUInt(&ok, 16);
        if (!ok || token.size() > 2)
            break;
        bytes.append(char(byte));
    }
    return bytes;
}

QString hexWord(const QByteArray& bytes, int at)
{
    const uint word = uchar(bytes[at]) | (uint(uchar(bytes[at + 1])) << 8);
    return QString::number(word, 16).toUpper().rightJustified(4, u'0');
}

} // namespace

QString VersionInfo::GetVersionValue(const QString& key) const
{
    const QString value = Entries.value(QStringLiteral("\\StringFileInfo\\") + VersionLanguage + u'\\' + key);
    return value.isEmpty() ? QStringLiteral("n/a") : value;
}

VersionInfo ReadVersionResource(const QByteArray& resource, const QString& programPath)
{
    VersionInfo info;
    if (resource.isEmpty())
        return info;
    info.Entries = parseEntries(resource);
    const QByteArray translation
        = translationBytes(info.Entries.value(QStringLiteral("\\VarFileInfo\\Translation")));
    if (translation.size() < 4)
        throw EReadError(QStringLiteral("Invalid language info in file ") + programPath);
    info.VersionLanguage = hexWord(translation, 0) + hexWord(translation, 2);
    QString* const strings[] = { &info.CompanyName, &info.FileDescription, &info.FileVersion,
        &info.InternalName, &info.LegalCopyright, &info.OriginalFilename, &info.ProductName,
        &info.ProductVersion, &info.Comments };
    for (size_t i = 0; i < VersionKeys.size(); ++i)
        *strings[i] = info.GetVersionValue(QString::fromLatin1(VersionKeys[i]));
    return info;
}

const VersionInfo& ProgramVersion()
{
    static const VersionInfo program = [] {
        QFile file(QString::fromLatin1(ProgramVersionResource));
        const QByteArray resource = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return ReadVersionResource(resource, QCoreApplication::applicationFilePath());
    }();
    return program;
}
