#include "platform/files/WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Less room than this after a failed write means the disk is full: a report
// takes a few hundred kilobytes.
constexpr unsigned long long FullDiskBytes = 4ull * 1024 * 1024;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

// What creating a file in the folder says now; 0 when it can be done.
int ProbeFolder(const QString& folder)
{
    const QString probe = QDir(folder).filePath(QStringLiteral(".~Тессора-проба"));
    const int fd = ::open(Native(probe).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno == EEXIST ? 0 : errno;
    ::close(fd);
    ::unlink(Native(probe).constData());
    return 0;
}

bool NearlyFull(const QString& folder)
{
    struct statvfs status {};
    if (::statvfs(Native(folder).constData(), &status) != 0 || status.f_blocks == 0)
        return false;
    return static_cast<unsigned long long>(status.f_bavail) * status.f_frsize < FullDiskBytes;
}

} // namespace

namespace WriteFailure {

QString reason(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("папки больше нет, и создать ее снова не удалось");
    switch (ProbeFolder(folder)) {
    case 0:
        break;
    case EROFS:
    case EACCES:
    case EPERM:
        return QStringLiteral("в папку нельзя записывать (она только для чтения)");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("на диске нет места");
    default:
        return QStringLiteral("в папку не удается записать файл");
    }
    if (NearlyFull(folder))
        return QStringLiteral("на диске нет места");
    return QStringLiteral("текстовый редактор не смог записать файл");
}

} // namespace WriteFailure
