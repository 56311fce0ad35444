#pragma once

#include "decision/Conclusion.h"
#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// What the examination diary keeps of one saved conclusion, and the texts of
// its row in the diary's table and CSV file.

// One value of a test, by name ("hemoglobin"); a tick is kept as 0 or 1.
struct DiaryValue {
    QString name;
    double value = 0;
    bool operator==(const DiaryValue&) const = default;
};

// A test whose "отсутствует" box was unticked, with the values as entered.
struct DiaryTest {
    ExaminationRecord::Test kind = ExaminationRecord::Test::ECG;
    QDateTime performed;
    QList<DiaryValue> values;
    // Recent enough at the examination for the conclusion to count it; an
    // older diary that did not keep this has it worked out from the dates.
    bool counted = true;
    bool operator==(const DiaryTest&) const = default;

    // The value of that name, 0 when the test does not hold it.
    double value(const QString& name) const;
    // The same, none when the test does not hold it (the person did not fill it in).
    std::optional<double> find(const QString& name) const;
};

struct DiaryEntry {
    qint64 id = 0; // the row in the store; 0 until the entry is kept
    // The examination the entry is of: saved again, it replaces its entry.
    // Null for an entry of a diary that did not keep it.
    QUuid examination;
    QString person; // the name of the person examined; empty when none was given
    QDateTime moment; // the examination's instant
    // Sex and age as the person gave them; NotGiven otherwise.
    static constexpr int NotGiven = -1;
    int sex = 0; // 0 female, 1 male
    int age = 0;
    std::optional<double> height; // as typed; empty when not given
    std::optional<double> weight;
    double bodyMassIndex = 0; // 0 while height or weight is out of range
    // 0: the vital sign was not measured (its field held the initial value).
    double temperature = 0;
    int pulse = 0;
    bool rhythmic = true;
    int systolic = 0;
    int diastolic = 0;
    QList<DiaryTest> tests; // in the order ECG, fluorography, blood, urine
    QList<int> findings; // ascending codes
    QList<int> specialists; // ascending specialist numbers
    // The conclusion's urgent notice as it gave it; empty (not an empty list)
    // for an entry of a diary that did not keep it, whose notice is worked
    // out again from the kept values.
    std::optional<QStringList> notice;
    QStringList sameDayNotice; // the conclusion's lines that ask for a doctor the same day
    QStringList savedFiles; // every file the conclusion was saved as, full paths, first saved first
    bool operator==(const DiaryEntry&) const = default;

    bool hasFinding(int code) const { return findings.contains(code); }
    const DiaryTest* test(ExaminationRecord::Test kind) const;
};

// The entry of the examination whose conclusion was saved as savedFile:
// values and the person's name as entered; the moment, the age, the tests
// present and counted, the findings, the specialists and the notices of that
// conclusion.
DiaryEntry entryFromRecord(const ExaminationRecord& record, const Conclusion& conclusion,
    const QUuid& examination, const QString& savedFile);

// The urgent notice of the entry's conclusion, in the conclusion's words: the
// emergency complaints and the kept values past their red flags.
QStringList urgentNotice(const DiaryEntry& entry);

// Whether two entries hold one examination: everything kept but the row and
// the files alike (an older diary kept the same conclusion once per save).
bool sameExamination(const DiaryEntry& a, const DiaryEntry& b);

// The columns of the diary's table and of its CSV file.
enum class DiaryColumn {
    Moment,
    Person,
    Sex,
    Age,
    Height,
    Weight,
    Index,
    Temperature,
    Pulse,
    Rhythm,
    Systolic,
    Diastolic,
    Ecg,
    Flu,
    Blood,
    Urine,
    Findings,
    Specialists,
    File,
};
constexpr int DiaryColumnCount = int(DiaryColumn::File) + 1;

// How the conclusion flags a value: lowered, raised (or pathological), or not at all.
// The date and the findings of an examination with an urgent notice count as raised.
enum class DiaryFlag { None, Low, High };

// A piece of a test's result: a value with its flag, or the words between.
struct DiaryResultPart {
    QString text;
    DiaryFlag flag = DiaryFlag::None;
    bool operator==(const DiaryResultPart&) const = default;
};
// The result of a test in words, each value flagged as the conclusion
// flagged it ("гемоглобин ", "105" low, " г/л, …").
QList<DiaryResultPart> testResultParts(const DiaryEntry& entry, const DiaryTest& test);

QStringList diaryHeaders();
// The cells of an entry's row, numbers and dates in the user's locale.
QStringList diaryCells(const DiaryEntry& entry);
DiaryFlag diaryCellFlag(const DiaryEntry& entry, DiaryColumn column);
