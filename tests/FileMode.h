#pragma once

#include <QFile>
#include <QString>

#include <sys/stat.h>

// The permission bits of a file or folder, whatever the umask made of them;
// -1 when there is none.
inline int FileMode(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777) : -1;
}
