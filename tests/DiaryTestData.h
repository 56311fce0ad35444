#pragma once

// Diary entries made by the conclusion logic from TestRecord descriptions,
// for the diary's tests, its benchmark and its screenshot.

#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "diary/DiaryEntry.h"
#include "tests/TestRecord.h"

#include <cmath>

// The entry of a record described as for TestRecord ("male bp=170/80") of
// the person named, saved at moment as the named conclusion file.
inline DiaryEntry diaryTestEntry(
    const QString& description, const QDateTime& moment, const QString& file, const QString& person = {})
{
    TestRecord record(moment);
    record.name = person;
    const QString unknown = record.apply(description);
    if (!unknown.isEmpty())
        qFatal("diaryTestEntry: unknown word %s", qPrintable(unknown));
    const Conclusion conclusion = Conclude(record, ComplaintPhrases(), moment);
    return entryFromRecord(record, conclusion, QUuid(), file);
}

// count examinations of one man, every third day up to last, oldest first;
// the values wander around their norms and now and then leave them, and
// every fourth examination brings a blood test.
inline QList<DiaryEntry> diaryTestSeries(int count, const QDateTime& last, const QString& person = {})
{
    QList<DiaryEntry> entries;
    for (int i = 0; i < count; ++i) {
        const QDateTime moment = last.addDays(-3 * (count - 1 - i)).addSecs(-(i % 5) * 1800);
        const auto wave
            = [i](double middle, double swing, double step) { return middle + swing * std::sin(i * step); };
        QString description = QStringLiteral("male age=45 height=178 weight=%1 temp=%2 pulse=%3 bp=%4/%5")
                                  .arg(qRound(wave(86, 5, 0.23)))
                                  .arg(wave(36.7, 0.5, 1.7), 0, 'f', 1)
                                  .arg(qRound(wave(76, 18, 1.1)))
                                  .arg(qRound(wave(132, 34, 0.7)))
                                  .arg(qRound(wave(82, 13, 0.9)));
        if (i % 4 == 0)
            description += QStringLiteral(" blood=2 hb=%1 leu=6.2 esr=%2").arg(128 - i % 20).arg(6 + i % 12);
        entries << diaryTestEntry(description, moment,
            QStringLiteral("Заключение %1.doc").arg(moment.toString(QStringLiteral("yyyy-MM-dd hh-mm"))),
            person);
    }
    return entries;
}
