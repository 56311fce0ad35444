#pragma once

#include "decision/Conclusion.h"
#include "diary/DiaryEntry.h"

#include <QDateTime>
#include <QString>

// Keeping an examination in the diary at the moment its conclusion is saved.
// Nothing here can stop the saving of the conclusion itself: a diary that
// cannot be written is only reported, and only once in a run.

struct DiaryOutcome {
    bool written = false;
    QString failure; // why the entry was not written; empty when it was or when nothing was to be written
    bool report = false; // the failure has not been reported yet in this run
};

// Writes the entry of the record whose conclusion was just saved as savedFile
// into the diary in folder. With the saving option off nothing is written.
DiaryOutcome recordExamination(const ExaminationRecord& record, const Conclusion& conclusion,
    const QString& savedFile, const QString& folder, bool saveNeeded);

// The message box text of a diary that could not be written.
QString diaryFailureMessage(const QString& failure);

// What the diary window says above its table: how to start the diary, or why
// it cannot be read; empty when there is nothing to say.
QString diaryStateText(bool saveNeeded, const QString& folder, qsizetype count, const QString& failure);
