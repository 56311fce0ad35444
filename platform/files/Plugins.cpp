#include "platform/files/Plugins.h"

#include <QCoreApplication>

QString PluginFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins");
}
