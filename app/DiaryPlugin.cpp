// The examination diary as a plugin: the window with its charts (Qt Charts,
// OpenGL) and the store (Qt SQL) come with it.
#include "app/DiaryModule.h"
#include "app/DiaryWindow.h"
#include "diary/Diary.h"

#include <QObject>

class DiaryPlugin : public QObject, public IDiaryModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessoraDiaryModule_iid)
    Q_INTERFACES(IDiaryModule)

public:
    QWidget* CreateDiaryWindow(bool saveNeeded, const QString& folder, QWidget* parent) override
    {
        return new DiaryWindow(saveNeeded, folder, parent);
    }
    QString KeepExamination(const ExaminationRecord& record, const Conclusion& conclusion,
        const QString& savedFile, const QString& folder, bool saveNeeded) override
    {
        const DiaryOutcome outcome = recordExamination(record, conclusion, savedFile, folder, saveNeeded);
        return outcome.report ? diaryFailureMessage(outcome.failure) : QString();
    }
};

#include "DiaryPlugin.moc"
