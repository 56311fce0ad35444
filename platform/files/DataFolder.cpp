#include "platform/files/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString& overridden()
{
    static QString folder;
    return folder;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Units may initialise before the application object exists.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

} // namespace

namespace DataFolder {

QString path()
{
    return withSeparator(overridden().isEmpty() ? executableFolder() : overridden());
}

QString file(const QString& relativePath)
{
    return path() + relativePath;
}

void setPath(const QString& folder)
{
    overridden() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

} // namespace DataFolder
