#pragma once

// An examination record for the tests of the conclusion logic, made from a
// short description such as "male age=41 q30 bp=170/80". It starts as a new
// examination starts (a woman of 27, every value at its norm, every test
// absent, nothing ticked or answered), but with every value given as the
// person's own; "unmeasured" takes the vital signs back to not given.

#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"
#include "decision/Norms.h"

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

    // "clampedHeight=250": typed, then brought to the bound on leaving the field.
    void setClamped(BodyMeasure measure, Given<double>& field, double number, int min, int max)
    {
        typedOutOfRange[size_t(measure)] = number;
        field = { double(std::clamp(int(std::lround(number)), min, max)), true };
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
            systolic = { parts.value(0).toInt(&ok), true };
            diastolic = { parts.value(1).toInt(&ok), true };
            return ok;
        }
        if (!ok)
            return false;
        const int whole = int(number);
        const int tenths = int(std::lround(number * 10));
        static const QHash<QString, Given<int> ExaminationRecord::*> wholes {
            { QStringLiteral("pulse"), &ExaminationRecord::pulse },
            { QStringLiteral("hb"), &ExaminationRecord::hemoglobin },
            { QStringLiteral("esr"), &ExaminationRecord::esr },
            { QStringLiteral("uery"), &ExaminationRecord::urineErythrocytes },
            { QStringLiteral("uleu"), &ExaminationRecord::urineLeucocytes },
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
        else if (key == QLatin1String("clampedHeight"))
            setClamped(BodyMeasure::Height, height, number, Norms.HeightMin, Norms.HeightMax);
        else if (key == QLatin1String("clampedWeight"))
            setClamped(BodyMeasure::Weight, weight, number, Norms.WeightMin, Norms.WeightMax);
        else if (key == QLatin1String("temp"))
            temperatureTenths = { tenths, true };
        else if (key == QLatin1String("leu"))
            leucocytesTenths = { tenths, true };
        else if (wholes.contains(key))
            this->*wholes.value(key) = { whole, true };
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
