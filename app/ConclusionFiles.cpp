#include "app/ConclusionFiles.h"

#include <QDir>
#include <QFileInfo>

namespace ConclusionFiles {

QString FreeFileName(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    QString file = dir.filePath(name + QStringLiteral(".doc"));
    for (int copy = 2; QFileInfo::exists(file); ++copy)
        file = dir.filePath(QStringLiteral("%1 (%2).doc").arg(name, QString::number(copy)));
    return file;
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
