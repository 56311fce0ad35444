#pragma once

// An examination record for the tests of the conclusion logic, made from a
// short description such as "male age=41 q30 bp=170/80". It starts as a new
// examination starts (a woman of 27, every value at its norm, every test
// absent, nothing ticked or answered), but with every value given as the
// person's own; "unmeasured" takes the vital signs back to not given. A number
// other than height and weight is typed as into its field: "pulse=400" keeps
// 200 and says 400 was typed.

#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"
#include "decision/Norms.h"
#include "decision/NumberFields.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

struct TestRecord : ExaminationRecord {
    explicit TestRecord(const QDateTime& now)
        : ExaminationRecord(initial(now, 0))
        , now(now)
    {
        gender.given = birthDate.given = height.given = weight.given = true;
        for (Given<int>* value : { &temperatureTenths, &pulse, &systolic, &diastolic, &hemoglobin,
                 &leucocytesTenths, &esr, &urineErythrocytes, &urineLeucocytes })
            value->given = true;
        answers.fill(Answer::None, QuestionCount);
        for (const BoxDef& box : HistoryPanel)
            historyNames << QString::fromLatin1(box.control);
    }

    void setAge(int years) { birthDate.value = now.addYears(-years); }

    // Applies blank-separated words; returns the first word it does not know.
    QString apply(const QString& description)
    {
        for (const QString& word : description.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!applyWord(word))
                return word;
        }
        return {};
    }

    void fillTestDates(const QDateTime& date)
    {
        for (TestDone& test : tests)
            test.date = date;
    }

    QDateTime now;
    QStringList historyNames;

private:
    template <size_t N>
    bool tick(const std::array<BoxDef, N>& table, std::array<bool, N>& ticks, const QString& word)
    {
        for (size_t i = 0; i < N; ++i) {
            if (word == QLatin1String(table[i].control))
                return ticks[i] = true;
        }
        return false;
    }

    // "blood=60" makes the blood test present, 60 days old (fractions allowed).
    void setTest(Test test, double daysAgo)
    {
        tests[size_t(test)] = { false, now.addMSecs(-qint64(std::llround(daysAgo * 86400000.0))) };
    }

    bool applyFlag(const QString& word)
    {
        static const QHash<QString, bool ExaminationRecord::*> flags {
            { QStringLiteral("protein"), &ExaminationRecord::urineProtein },
            { QStringLiteral("sugar"), &ExaminationRecord::urineSugar },
            { QStringLiteral("fluPathology"), &ExaminationRecord::fluPathology },
        };
        if (word == QLatin1String("male") || word == QLatin1String("female"))
            gender.value = word == QLatin1String("male") ? 1 : 0;
        else if (word == QLatin1String("arrhythmia"))
            pulseRhythmic = false;
        else if (word == QLatin1String("block") || word == QLatin1String("hypertrophy")
            || word == QLatin1String("scarring"))
            ecgFindings[word == QLatin1String("block") ? 0 : word == QLatin1String("hypertrophy") ? 1 : 2] = true;
        else if (flags.contains(word))
            this->*flags.value(word) = true;
        else if (word == QLatin1String("unmeasured"))
            temperatureTenths.given = pulse.given = systolic.given = diastolic.given = false;
        else if (word.startsWith(QLatin1Char('q')) && word.mid(1).toInt() > 0) {
            const int n = word.mid(1).toInt();
            if (n <= answers.size())
                answers[n - 1] = Answer::Yes;
        } else
            return tick(HistoryPanel, observedBy, word) || tick(LymphBoxes, lymphNodes, word)
                || tick(LimbBoxes, limbs, word) || tick(HerniaBoxes, hernias, word);
        return true;
    }

    // The number as its field keeps it once left: rounded and brought into
    // its range, with what was typed when that differs.
    template <typename T> static Given<T> typed(NumberField field, double number)
    {
        const TFieldRange range = FieldRange(field);
        const double units = number * range.unitsPerWhole;
        const int kept = std::clamp(int(std::lround(units)), range.min, range.max);
        return { T(kept), true, kept == units ? std::nullopt : std::optional(number) };
    }

    bool applyValue(const QString& key, const QString& value)
    {
        // "blood=2026-01-15": the test was made on that day, at the time of now.
        const QDate day = QDate::fromString(value, Qt::ISODate);
        if (day.isValid())
            return applyValue(key, QString::number(day.daysTo(now.date())));
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (key == QLatin1String("bp")) {
            const QStringList parts = value.split(QLatin1Char('/'));
            systolic = typed<int>(NumberField::Systolic, parts.value(0).toDouble(&ok));
            diastolic = typed<int>(NumberField::Diastolic, parts.value(1).toDouble(&ok));
            return ok;
        }
        if (!ok)
            return false;
        const int whole = int(number);
        static const QHash<QString, std::pair<NumberField, Given<int> ExaminationRecord::*>> fields {
            { QStringLiteral("temp"), { NumberField::Temperature, &ExaminationRecord::temperatureTenths } },
            { QStringLiteral("pulse"), { NumberField::Pulse, &ExaminationRecord::pulse } },
            { QStringLiteral("hb"), { NumberField::Hemoglobin, &ExaminationRecord::hemoglobin } },
            { QStringLiteral("leu"), { NumberField::Leucocytes, &ExaminationRecord::leucocytesTenths } },
            { QStringLiteral("esr"), { NumberField::Esr, &ExaminationRecord::esr } },
            { QStringLiteral("uery"),
                { NumberField::UrineErythrocytes, &ExaminationRecord::urineErythrocytes } },
            { QStringLiteral("uleu"), { NumberField::UrineLeucocytes, &ExaminationRecord::urineLeucocytes } },
        };
        static const QHash<QString, Test> testKeys { { QStringLiteral("ecg"), Test::ECG },
            { QStringLiteral("flu"), Test::Flu }, { QStringLiteral("blood"), Test::Blood },
            { QStringLiteral("urine"), Test::Urine } };
        if (key == QLatin1String("age"))
            setAge(whole);
        else if (key == QLatin1String("height"))
            height = { double(whole), true };
        else if (key == QLatin1String("weight"))
            weight = { double(whole), true };
        // Typed, then brought into the range on leaving the field; "height="
        // is the field's number while typing, which the range errors read.
        else if (key == QLatin1String("clampedHeight"))
            height = typed<double>(NumberField::Height, number);
        else if (key == QLatin1String("clampedWeight"))
            weight = typed<double>(NumberField::Weight, number);
        else if (fields.contains(key))
            this->*fields.value(key).second = typed<int>(fields.value(key).first, number);
        else if (testKeys.contains(key))
            setTest(testKeys.value(key), number);
        else if (key == QLatin1String("questions"))
            answers.resize(whole, Answer::None);
        else
            return false;
        return true;
    }

    bool applyWord(const QString& word)
    {
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        if (equals < 0)
            return applyFlag(word);
        return applyValue(word.left(equals), word.mid(equals + 1));
    }
};
