#pragma once

#include <QPluginLoader>
#include <QString>

// The program's plugins lie in plugins/ beside its file, in the build and
// installed alike.
QString PluginFolder();

// The root object of the plugin `name` (a file name without prefix and
// suffix) as the interface T, loaded on the first call; nullptr, with the
// file and the loader's reason in `problem`, when it cannot be loaded or does
// not offer T.
template <class T> T* LoadPlugin(const QString& name, QString* problem = nullptr)
{
    const QString path = PluginFolder() + QLatin1Char('/') + name;
    QPluginLoader loader(path);
    T* plugin = qobject_cast<T*>(loader.instance());
    // A missing file leaves the loader without a file name.
    if (!plugin && problem)
        *problem = QStringLiteral("%1 (%2)").arg(loader.fileName().isEmpty() ? path : loader.fileName(),
            loader.errorString());
    return plugin;
}
