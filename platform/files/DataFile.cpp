#include "platform/files/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

QString sizeText(qint64 bytes)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QStringLiteral("%1 МБ").arg(russian.toString(bytes / (1024 * 1024)));
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QStringLiteral("%1 КБ").arg(russian.toString(bytes / 1024));
    return QStringLiteral("%1 байт").arg(russian.toString(bytes));
}

} // namespace

namespace DataFile {

Contents read(const QString& path, qint64 maxBytes)
{
    Contents contents;
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists()) {
        contents.problem = QStringLiteral("Файл %1 не найден.").arg(name);
        return contents;
    }
    if (!info.isFile()) {
        contents.status = Status::NotAFile;
        contents.problem = QStringLiteral("%1 не является обычным файлом и не читается.").arg(name);
        return contents;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.status = Status::CannotOpen;
        contents.problem = file.error() == QFileDevice::PermissionsError
            ? QStringLiteral("Нет доступа к файлу %1.").arg(name)
            : QStringLiteral("Не удается открыть файл %1.").arg(name);
        return contents;
    }
    // One byte more than allowed tells a file of exactly the limit from a
    // larger one. The buffer is as large as the file, not as the limit: a
    // page's picture would otherwise ask for the whole 128 MB of a JPEG's.
    contents.bytes = file.read(std::min(maxBytes, info.size()) + 1);
    if (file.error() != QFileDevice::NoError) {
        contents.status = Status::CannotOpen;
        contents.bytes.clear();
        contents.problem = QStringLiteral("Не удается прочитать файл %1.").arg(name);
        return contents;
    }
    contents.status = Status::Read;
    if (contents.bytes.size() > maxBytes) {
        contents.bytes.truncate(maxBytes);
        contents.status = Status::Cut;
        contents.problem
            = QStringLiteral("Файл %1 больше %2: прочитано только его начало.").arg(name, sizeText(maxBytes));
    }
    return contents;
}

} // namespace DataFile
