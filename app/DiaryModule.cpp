#include "app/DiaryModule.h"

#include "platform/files/Plugins.h"

IDiaryModule* DiaryModule(QString* problem)
{
    QString reason;
    auto* module = LoadPlugin<IDiaryModule>(QStringLiteral("tessora_diary"), &reason);
    if (!module && problem)
        *problem = QStringLiteral("Дневник обследований недоступен: не удалось загрузить модуль %1").arg(reason);
    return module;
}
