#include "platform/files/PrivateFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

namespace PrivateFile {

bool makeFolder(const QString& path)
{
    if (::mkdir(Native(path).constData(), 0700) == 0)
        return true;
    struct stat status {};
    return errno == EEXIST && ::stat(Native(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool makePath(const QString& path)
{
    const QFileInfo folder(path);
    const QString parent = folder.absolutePath();
    if (parent != folder.absoluteFilePath() && !QFileInfo(parent).isDir() && !makePath(parent))
        return false;
    return makeFolder(path);
}

bool writeNew(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t part = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (part < 0 && errno == EINTR)
            continue;
        if (part <= 0)
            break;
        written += part;
    }
    const bool complete = written == bytes.size() && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !complete) {
        // A part of the text is no copy of it.
        ::unlink(Native(path).constData());
        return false;
    }
    return true;
}

bool ensureFile(const QString& path)
{
    const int fd = ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0)
        return ::close(fd) == 0;
    struct stat status {};
    return errno == EEXIST && ::lstat(Native(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

bool restrict(const QString& path)
{
    return ::chmod(Native(path).constData(), 0600) == 0;
}

bool isLink(const QString& path)
{
    struct stat status {};
    return ::lstat(Native(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace PrivateFile
