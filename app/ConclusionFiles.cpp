#include "app/ConclusionFiles.h"

#include "platform/files/PrivateFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

const QString TemporaryPrefix = QStringLiteral(".~Тессора-");

QString LockOf(const QString& file)
{
    const QFileInfo info(file);
    return info.dir().filePath(QStringLiteral(".~lock.%1#").arg(info.fileName()));
}

bool Taken(const QString& file)
{
    return QFileInfo::exists(file) || PrivateFile::isLink(file) || QFileInfo::exists(LockOf(file));
}

bool ProcessRuns(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

namespace ConclusionFiles {

QString FreeFileName(const QString& folder, const QString& name, const QString& suffix)
{
    const QDir dir(folder);
    QString file = dir.filePath(name + suffix);
    for (int copy = 2; Taken(file); ++copy)
        file = dir.filePath(QStringLiteral("%1 (%2)%3").arg(name, QString::number(copy), suffix));
    return file;
}

QString TemporaryFileName(const QString& folder)
{
    static std::atomic<int> counter = 0;
    const QDir dir(folder);
    QString file;
    do {
        file = dir.filePath(QStringLiteral("%1%2-%3.doc")
                                .arg(TemporaryPrefix, QString::number(QCoreApplication::applicationPid()),
                                    QString::number(++counter)));
    } while (Taken(file));
    return file;
}

QString Publish(const QString& temporary, const QString& folder, const QString& name)
{
    if (!PrivateFile::restrict(temporary))
        return {};
    // A hard link fails rather than replace a file that appeared meanwhile.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString file = FreeFileName(folder, name);
        if (::link(Native(temporary).constData(), Native(file).constData()) == 0) {
            ::unlink(Native(temporary).constData());
            return file;
        }
        if (errno != EEXIST)
            break;
    }
    return {};
}

void Discard(const QString& temporary)
{
    QFile::remove(temporary);
    QFile::remove(LockOf(temporary));
}

void RemoveStale(const QString& folder)
{
    static const QRegularExpression temporary(
        QStringLiteral("^(?:\\.~lock\\.)?%1(\\d+)-\\d+\\.doc#?$").arg(QRegularExpression::escape(TemporaryPrefix)));
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = temporary.match(entry);
        if (match.hasMatch() && !ProcessRuns(match.captured(1).toLongLong()))
            QFile::remove(dir.filePath(entry));
    }
}

bool SameFolder(const QString& first, const QString& second)
{
    if (first.isEmpty() || second.isEmpty())
        return false;
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath()))
        return true;
    const QString canonical = a.canonicalFilePath();
    return !canonical.isEmpty() && canonical == b.canonicalFilePath();
}

} // namespace ConclusionFiles
