#include "app/ConclusionFiles.h"

#include "platform/files/PrivateFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <atomic>
#include <optional>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
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

// The files of the folder that some process of this user holds open: an
// office's temporary file ("lu….tmp") is its leftover only when none does.
QSet<QString> OpenFiles(const QString& folder)
{
    QSet<QString> open;
    const QString prefix = QFileInfo(folder).canonicalFilePath() + QLatin1Char('/');
    for (const QString& process : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(process));
        for (const QString& descriptor : descriptors.entryList(QDir::System)) {
            const QString file = QFile::symLinkTarget(descriptors.filePath(descriptor));
            if (file.startsWith(prefix))
                open.insert(QDir(folder).filePath(file.mid(prefix.size())));
        }
    }
    return open;
}

bool NoSuchFeature(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
}

// Gives the file its name, never replacing another: a hard link where the
// file system has them; elsewhere (vfat) an exclusive create takes the name
// first, and the complete file replaces that empty one. 0 or the error.
int NameFile(const QByteArray& temporary, const QByteArray& file)
{
    if (::link(temporary.constData(), file.constData()) == 0)
        return ::unlink(temporary.constData()), 0;
    if (!NoSuchFeature(errno))
        return errno;
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    if (::rename(temporary.constData(), file.constData()) == 0)
        return 0;
    const int error = errno;
    ::unlink(file.constData());
    return error;
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
    // A file system without modes (vfat) gives every file the mode of its mount.
    if (!PrivateFile::restrict(temporary) && !NoSuchFeature(errno))
        return {};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString file = FreeFileName(folder, name);
        const int error = NameFile(Native(temporary), Native(file));
        if (error == 0)
            return file;
        if (error != EEXIST)
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
    static const QRegularExpression officeTemporary(QStringLiteral("^lu[^/]*\\.tmp$"));
    const QDir dir(folder);
    std::optional<QSet<QString>> open;
    const auto unused = [&](const QString& file) {
        if (!open)
            open = OpenFiles(folder);
        return !open->contains(file);
    };
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = temporary.match(entry);
        // This instance saves one conclusion at a time, and none while this runs.
        const bool stale = match.hasMatch()
            ? (match.captured(1).toLongLong() == QCoreApplication::applicationPid()
                  || !ProcessRuns(match.captured(1).toLongLong()))
            : officeTemporary.match(entry).hasMatch() && unused(dir.filePath(entry));
        if (stale)
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
