// The examination diary as a plugin: the window with its charts (Qt Charts,
// OpenGL) and the store (Qt SQL) come with it.
#include "app/DiaryModule.h"
#include "app/DiaryWindow.h"
#include "app/PressureDialog.h"
#include "app/Settings.h"
#include "diary/Diary.h"
#include "diary/DiaryStore.h"
#include "platform/files/DataFolder.h"
#include "platform/widgets/MessageBoxes.h"

#include <QDir>
#include <QObject>
#include <QStandardPaths>

class DiaryPlugin : public QObject, public IDiaryModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessoraDiaryModule_iid)
    Q_INTERFACES(IDiaryModule)

public:
    QWidget* CreateDiaryWindow(bool saveNeeded, const QString& reportFolder, QWidget* parent) override
    {
        tellNews(parent);
        return new DiaryWindow(m_diary.folder(), saveNeeded, reportFolder, parent);
    }
    QWidget* CreatePressureDialog(const QString& person, QWidget* parent) override
    {
        tellNews(parent);
        return new PressureDialog(m_diary.folder(), person, parent);
    }
    QString KeepExamination(const ExaminationRecord& record, const Conclusion& conclusion,
        const QUuid& examination, const QString& savedFile, bool saveNeeded) override
    {
        QStringList told { takeNews() };
        const DiaryOutcome outcome = m_diary.keep(record, conclusion, examination, savedFile, saveNeeded);
        if (outcome.report)
            told << diaryFailureMessage(outcome.failure);
        told.removeAll(QString());
        return told.join(QStringLiteral("\n\n"));
    }
    QStringList people() override
    {
        m_news = takeNews();
        return DiaryStore(m_diary.folder(), DiaryStore::Access::Read).people();
    }

private:
    // Where older versions kept a diary: beside the saved conclusions, in the
    // folder the settings name or in a fallback folder.
    static QStringList oldDiaryFolders()
    {
        return { UserSettings::ReportPath(), QDir::homePath(), DataFolder::path(),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) };
    }

    QString takeNews()
    {
        if (!m_merged) {
            m_merged = true;
            m_news = m_diary.mergeOldDiaries(oldDiaryFolders());
        }
        return std::exchange(m_news, QString());
    }

    void tellNews(QWidget* parent)
    {
        if (const QString news = takeNews(); !news.isEmpty())
            MessageBoxes::show(parent, QMessageBox::Information, MessageBoxes::title(), news);
    }

    Diary m_diary { DiaryStore::defaultFolder() };
    bool m_merged = false;
    QString m_news;
};

#include "DiaryPlugin.moc"
