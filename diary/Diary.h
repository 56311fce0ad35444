#pragma once

#include "decision/Conclusion.h"
#include "diary/DiaryEntry.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

// The user's one examination diary and the keeping of examinations in it.
// Nothing here can stop the saving of the conclusion itself: a diary that
// cannot be written is only reported, and only once while it stays so.

struct DiaryOutcome {
    bool written = false;
    QString failure; // why the entry was not written; empty when it was or when nothing was to be written
    bool report = false; // the failure has not been reported yet
};

class Diary final {
public:
    // The diary in folder: the user's data folder unless a test says otherwise.
    explicit Diary(QString folder);

    const QString& folder() const { return m_folder; }

    // Keeps the examination whose conclusion was just saved as savedFile; a
    // second saving of the same examination and person updates its entry.
    // With the saving option off nothing is written.
    DiaryOutcome keep(const ExaminationRecord& record, const Conclusion& conclusion, const QUuid& examination,
        const QString& savedFile, bool saveNeeded);

    // Brings in the diaries that older versions kept beside the conclusions
    // in these folders, each once: nothing of them is lost or kept twice, and
    // their files are left as they are. What the person is to be told of it;
    // empty when there was nothing to merge.
    QString mergeOldDiaries(const QStringList& folders);

private:
    QString m_folder;
    QSet<QString> m_reportedFailures;
};

// The message box text of a diary that could not be written.
QString diaryFailureMessage(const QString& failure);

// What the diary window says above its table: how to start the diary, or why
// it cannot be read; empty when there is nothing to say. reportFolder is
// where the conclusions are saved.
QString diaryStateText(bool saveNeeded, const QString& reportFolder, qsizetype count, const QString& failure);
