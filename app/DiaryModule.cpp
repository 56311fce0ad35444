#include "app/DiaryModule.h"

#include "platform/automation/OleServer.h"

#include <QPluginLoader>

IDiaryModule* DiaryModule(QString* problem)
{
    QPluginLoader loader(Automation::PluginFolder() + QStringLiteral("/tessora_diary"));
    auto* module = qobject_cast<IDiaryModule*>(loader.instance());
    if (!module && problem)
        *problem = QStringLiteral("Дневник обследований недоступен: не удалось загрузить модуль %1 (%2)")
                       .arg(loader.fileName(), loader.errorString());
    return module;
}
