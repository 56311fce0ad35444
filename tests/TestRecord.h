#pragma once

// A plain examination record held in fields, for the tests of the conclusion
// logic. It starts as the window's reset leaves the record (a woman of 27,
// every value at its norm, every test absent, nothing ticked or answered) and
// is changed by a short description such as "male age=41 q30 bp=170/80".

#include "decision/BodyMeasures.h"
#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"
#include "decision/Norms.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

class TestRecord final : public ExaminationRecord {
public:
    explicit TestRecord(const QDateTime& now)
        : now(now)
    {
        setAge(27);
        dates.fill(now);
        const std::pair<const char*, HistoryBox> panel[] {
            { "cbxCardio", { 1, QStringLiteral("Кардиолога") } },
            { "cbxUrolog", { 16, QStringLiteral("Уролога") } },
            { "cbxUrgent", { 14, QStringLiteral("Хирурга") } },
            { "cbxRevma", { 9, QStringLiteral("Ревматолога") } },
            { "cbxPulmon", { 3, QStringLiteral("Пульмонолога") } },
            { "cbxPsihoter", { 12, QStringLiteral("Психотерапевта") } },
            { "cbxPsihiatr", { 12, QStringLiteral("Психиатра") } },
            { "cbxOnko", { 11, QStringLiteral("Онколога") } },
            { "cbxOftal", { 6, QStringLiteral("Офтальмолога") } },
            { "cbxNevropat", { 8, QStringLiteral("Невропатолога") } },
            { "cbxNevro", { 8, QStringLiteral("Невролога") } },
            { "cbxNefro", { 5, QStringLiteral("Нефролога") } },
            { "cbxNarcolog", { 13, QStringLiteral("Нарколога") } },
            { "cbxLor", { 2, QStringLiteral("ЛОР врача") } },
            { "cbxGinecol", { 15, QStringLiteral("Гинеколога") } },
            { "cbxGastro", { 4, QStringLiteral("Гастроэнтеролога") } },
            { "cbxEndocrin", { 10, QStringLiteral("Эндокринолога") } },
            { "cbxDerma", { 7, QStringLiteral("Дерматолога") } },
        };
        for (const auto& [name, box] : panel) {
            historyNames << QString::fromLatin1(name);
            history << box;
        }
    }

    void setAge(int years) { birthDate = now.addYears(-years); }

    // Applies blank-separated words; returns the first word it does not know.
    QString apply(const QString& description)
    {
        for (const QString& word : description.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!applyWord(word))
                return word;
        }
        return {};
    }

    int GetGender() const override { return gender; }
    QDateTime BirthDate() const override { return birthDate; }
    int GetAge() const override { return WholeYearsBetween(birthDate, now); }
    double GetHeight() const override { return CheckedHeight(QString::number(height)); }
    double GetWeight() const override { return CheckedWeight(QString::number(weight)); }
    double CalcBodyMassIndex() const override
    {
        try {
            const double h = GetHeight();
            const double w = GetWeight();
            return w / (h * h) * 10000;
        } catch (const ERecordRangeError&) {
            return 0;
        }
    }

    double GetTemperature() const override { return temperatureTenths / 10.0; }
    int GetPulse() const override { return pulse; }
    bool IsPulseRhythmic() const override { return rhythmic; }
    int GetSystolic() const override { return systolic; }
    int GetDiastolic() const override { return diastolic; }
    bool IsMeasured(Vital vital) const override { return measured[size_t(vital)]; }
    std::optional<double> TypedOutOfRange(BodyMeasure measure) const override
    {
        return typed[size_t(measure)];
    }

    bool IsTestAbsent(Test test) const override { return absent[size_t(test)]; }
    QDateTime TestDate(Test test) const override { return dates[size_t(test)]; }

    bool HasBundleBranchBlock() const override { return block; }
    bool HasVentricularHypertrophy() const override { return hypertrophy; }
    bool HasMyocardialScarring() const override { return scarring; }
    bool IsFluPathology() const override { return fluPathology; }

    int Hemoglobin() const override { return hemoglobin; }
    int LeucocytesTenths() const override { return leucocytesTenths; }
    int Esr() const override { return esr; }
    bool UrineProtein() const override { return protein; }
    bool UrineSugar() const override { return sugar; }
    int UrineErythrocytes() const override { return urineErythrocytes; }
    int UrineLeucocytes() const override { return urineLeucocytes; }

    bool LymphNeck() const override { return boxes.contains(QStringLiteral("cbxLSheja")); }
    bool LymphJaw() const override { return boxes.contains(QStringLiteral("cbxLChelust")); }
    bool LymphArmpit() const override { return boxes.contains(QStringLiteral("cbxLPodmish")); }
    bool LymphGroin() const override { return boxes.contains(QStringLiteral("cbxLPah")); }
    bool LimbVaricose() const override { return boxes.contains(QStringLiteral("cbxFVaricos")); }
    bool LimbInflamedVeins() const override { return boxes.contains(QStringLiteral("cbxFVosVen")); }
    bool LimbAtrophy() const override { return boxes.contains(QStringLiteral("cbxFAtrof")); }
    bool LimbDeformation() const override { return boxes.contains(QStringLiteral("cbxFDeform")); }
    bool HerniaGroin() const override { return boxes.contains(QStringLiteral("cbxBPah")); }
    bool HerniaUmbilical() const override { return boxes.contains(QStringLiteral("cbxBPup")); }
    bool HerniaAfterOperation() const override { return boxes.contains(QStringLiteral("cbxBOper")); }
    bool HerniaThigh() const override { return boxes.contains(QStringLiteral("cbxBBedro")); }

    QList<HistoryBox> HistoryBoxes() const override { return history; }

    QList<FindingBox> FindingBoxes(FindingGroup group) const override
    {
        static const std::pair<const char*, const char*> ecg[] { { "cbxBlock", "Блокада ножки пучка Гиса" },
            { "cbxGiper", "Гипертрофия левого желудочка" }, { "cbxRubec", "Рубцовые изменения миокарда" } };
        static const std::pair<const char*, const char*> lymph[] { { "cbxLSheja", "На шее" },
            { "cbxLChelust", "Под челюстью" }, { "cbxLPodmish", "Подмышкой" }, { "cbxLPah", "В паху" } };
        static const std::pair<const char*, const char*> limbs[] { { "cbxFVaricos", "Расширение вен" },
            { "cbxFVosVen", "Воспаление вен" }, { "cbxFAtrof", "Атрофия мышц" },
            { "cbxFDeform", "Деформация" } };
        static const std::pair<const char*, const char*> hernias[] { { "cbxBPah", "В паху" },
            { "cbxBPup", "Пупочная" }, { "cbxBOper", "После операции" }, { "cbxBBedro", "На бедре" } };
        QList<FindingBox> result;
        const auto add = [&](const auto& table) {
            for (const auto& [name, caption] : table)
                result.append({ QString::fromUtf8(caption), isTicked(name) });
        };
        switch (group) {
        case FindingGroup::ECG:
            add(ecg);
            break;
        case FindingGroup::Lymph:
            add(lymph);
            break;
        case FindingGroup::Limbs:
            add(limbs);
            break;
        case FindingGroup::Hernias:
            add(hernias);
            break;
        }
        return result;
    }

    bool IsAnsweredYes(int n) const override { return n >= 1 && n <= questionCount && yes.contains(n); }

    QDateTime now;
    int gender = 0;
    QDateTime birthDate;
    int height = Norms.HeightNorm;
    int weight = Norms.WeightNorm;
    int temperatureTenths = qRound(Norms.TemperatureNorm * 10);
    int pulse = Norms.PulseNorm;
    bool rhythmic = true;
    int systolic = Norms.SystolicNorm;
    int diastolic = Norms.DiastolicNorm;
    // The vitals count as measured unless "unmeasured" says otherwise; a value given measures it again.
    std::array<bool, 3> measured { true, true, true };
    std::array<std::optional<double>, 2> typed; // typed out of range, then clamped
    std::array<bool, 4> absent { true, true, true, true };
    std::array<QDateTime, 4> dates;
    bool block = false;
    bool hypertrophy = false;
    bool scarring = false;
    bool fluPathology = false;
    int hemoglobin = Norms.HemoglobinNorm;
    int leucocytesTenths = qRound(Norms.LeucocytesNorm * 10);
    int esr = Norms.EsrNorm;
    bool protein = false;
    bool sugar = false;
    int urineErythrocytes = 0;
    int urineLeucocytes = 0;
    QSet<QString> boxes; // ticked self-examination boxes by name
    QStringList historyNames;
    QList<HistoryBox> history;
    QSet<int> yes;
    int questionCount = 69;

private:
    // The ECG findings are fields of their own; the self-examination boxes are named.
    bool isTicked(const char* name) const
    {
        const QString box = QString::fromLatin1(name);
        if (box == QLatin1String("cbxBlock"))
            return block;
        if (box == QLatin1String("cbxGiper"))
            return hypertrophy;
        if (box == QLatin1String("cbxRubec"))
            return scarring;
        return boxes.contains(box);
    }

    // "blood=60" makes the blood test present, 60 days old (fractions allowed).
    void setTest(Test test, double daysAgo)
    {
        absent[size_t(test)] = false;
        dates[size_t(test)] = now.addMSecs(-qint64(std::llround(daysAgo * 86400000.0)));
    }

    bool applyFlag(const QString& word)
    {
        if (word == QLatin1String("male"))
            gender = 1;
        else if (word == QLatin1String("female"))
            gender = 0;
        else if (word == QLatin1String("arrhythmia"))
            rhythmic = false;
        else if (word == QLatin1String("block"))
            block = true;
        else if (word == QLatin1String("hypertrophy"))
            hypertrophy = true;
        else if (word == QLatin1String("scarring"))
            scarring = true;
        else if (word == QLatin1String("fluPathology"))
            fluPathology = true;
        else if (word == QLatin1String("protein"))
            protein = true;
        else if (word == QLatin1String("sugar"))
            sugar = true;
        else if (word == QLatin1String("unmeasured"))
            measured.fill(false);
        else if (historyNames.contains(word))
            history[historyNames.indexOf(word)].checked = true;
        else if (word.startsWith(QLatin1String("cbx")))
            boxes.insert(word);
        else if (word.startsWith(QLatin1Char('q')) && word.mid(1).toInt() > 0)
            yes.insert(word.mid(1).toInt());
        else
            return false;
        return true;
    }

    void setVital(Vital vital, int& field, int value)
    {
        field = value;
        measured[size_t(vital)] = true;
    }

    // "clampedHeight=250": typed, then brought to the bound on leaving the field.
    void setClamped(BodyMeasure measure, int& field, double number, int min, int max)
    {
        typed[size_t(measure)] = number;
        field = std::clamp(int(std::lround(number)), min, max);
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
            systolic = parts.value(0).toInt(&ok);
            diastolic = parts.value(1).toInt(&ok);
            measured[size_t(Vital::Pressure)] = true;
            return ok;
        }
        if (!ok)
            return false;
        const int whole = int(number);
        const int tenths = int(std::lround(number * 10));
        if (key == QLatin1String("age"))
            setAge(whole);
        else if (key == QLatin1String("height"))
            height = whole;
        else if (key == QLatin1String("weight"))
            weight = whole;
        else if (key == QLatin1String("clampedHeight"))
            setClamped(BodyMeasure::Height, height, number, Norms.HeightMin, Norms.HeightMax);
        else if (key == QLatin1String("clampedWeight"))
            setClamped(BodyMeasure::Weight, weight, number, Norms.WeightMin, Norms.WeightMax);
        else if (key == QLatin1String("temp"))
            setVital(Vital::Temperature, temperatureTenths, tenths);
        else if (key == QLatin1String("pulse"))
            setVital(Vital::Pulse, pulse, whole);
        else if (key == QLatin1String("ecg"))
            setTest(Test::ECG, number);
        else if (key == QLatin1String("flu"))
            setTest(Test::Flu, number);
        else if (key == QLatin1String("blood"))
            setTest(Test::Blood, number);
        else if (key == QLatin1String("urine"))
            setTest(Test::Urine, number);
        else if (key == QLatin1String("hb"))
            hemoglobin = whole;
        else if (key == QLatin1String("leu"))
            leucocytesTenths = tenths;
        else if (key == QLatin1String("esr"))
            esr = whole;
        else if (key == QLatin1String("uery"))
            urineErythrocytes = whole;
        else if (key == QLatin1String("uleu"))
            urineLeucocytes = whole;
        else if (key == QLatin1String("questions"))
            questionCount = whole;
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
