#include "diary/DiaryEntry.h"

#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "diary/DiaryFindings.h"

#include <QLocale>

namespace {

using Test = ExaminationRecord::Test;
using Column = DiaryColumn;

const char16_t* const Headers[DiaryColumnCount] = {
    u"Дата и время",
    u"Пол",
    u"Возраст",
    u"Рост, см",
    u"Вес, кг",
    u"ИМТ",
    u"Температура, °C",
    u"Пульс, уд/мин",
    u"Ритм",
    u"Систолическое, мм Hg",
    u"Диастолическое, мм Hg",
    u"ЭКГ",
    u"Флюорография",
    u"Анализ крови",
    u"Анализ мочи",
    u"Находки",
    u"Рекомендованы консультации",
    u"Файл заключения",
};

// The ECG findings by value name, as the diary writes them.
const std::pair<const char*, const char16_t*> EcgFindings[] = {
    { "block", u"блокада ножки пучка Гиса" },
    { "hypertrophy", u"гипертрофия левого желудочка" },
    { "scarring", u"рубцовые изменения миокарда" },
};

QString number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

QString number(const std::optional<double>& value, int decimals)
{
    return value ? number(*value, decimals) : QString();
}

QString measuredNumber(double value, int decimals)
{
    return value != 0 ? number(value, decimals) : QString();
}

QString yes(bool present)
{
    return present ? QStringLiteral("есть") : QStringLiteral("нет");
}

QList<DiaryValue> testValues(const ExaminationRecord& record, Test kind)
{
    switch (kind) {
    case Test::ECG:
        return { { QStringLiteral("block"), double(record.ecgFindings[0]) },
            { QStringLiteral("hypertrophy"), double(record.ecgFindings[1]) },
            { QStringLiteral("scarring"), double(record.ecgFindings[2]) } };
    case Test::Flu:
        return { { QStringLiteral("pathology"), double(record.IsFluPathology()) } };
    case Test::Blood:
        return { { QStringLiteral("hemoglobin"), double(record.hemoglobin.value) },
            { QStringLiteral("leucocytes"), record.leucocytesTenths.value / 10.0 },
            { QStringLiteral("esr"), double(record.esr.value) } };
    case Test::Urine:
        return { { QStringLiteral("protein"), double(record.urineProtein) },
            { QStringLiteral("sugar"), double(record.urineSugar) },
            { QStringLiteral("erythrocytes"), double(record.urineErythrocytes.value) },
            { QStringLiteral("leucocytes"), double(record.urineLeucocytes.value) } };
    }
    return {};
}

QString testResult(const DiaryTest& test)
{
    switch (test.kind) {
    case Test::ECG: {
        QStringList found;
        for (const auto& [name, words] : EcgFindings) {
            if (test.value(QString::fromLatin1(name)) != 0)
                found << QString::fromUtf16(words);
        }
        return found.isEmpty() ? QStringLiteral("без особенностей") : found.join(QStringLiteral(", "));
    }
    case Test::Flu:
        return test.value(QStringLiteral("pathology")) != 0 ? QStringLiteral("патология")
                                                            : QStringLiteral("норма");
    case Test::Blood:
        return QStringLiteral("гемоглобин %1 г/л, лейкоциты %2 тыс./мкл, СОЭ %3 мм/час")
            .arg(number(test.value(QStringLiteral("hemoglobin")), 0),
                number(test.value(QStringLiteral("leucocytes")), 1),
                number(test.value(QStringLiteral("esr")), 0));
    case Test::Urine:
        return QStringLiteral("белок %1, сахар %2, эритроциты %3, лейкоциты %4")
            .arg(yes(test.value(QStringLiteral("protein")) != 0),
                yes(test.value(QStringLiteral("sugar")) != 0),
                number(test.value(QStringLiteral("erythrocytes")), 0),
                number(test.value(QStringLiteral("leucocytes")), 0));
    }
    return {};
}

QString testCell(const DiaryEntry& entry, Test kind)
{
    const DiaryTest* test = entry.test(kind);
    if (!test)
        return {};
    return QStringLiteral("%1: %2").arg(
        QLocale().toString(test->performed.date(), QLocale::ShortFormat), testResult(*test));
}

QString specialistList(const QList<int>& specialists)
{
    QStringList names;
    for (int number : specialists) {
        if (number > 0 && number < SpecialistCount)
            names << SpecialistNames[size_t(number)];
    }
    return names.join(QStringLiteral(", "));
}

// The diary keeps an unmeasured vital sign as 0.
Emergency::TMeasuredValues keptValues(const DiaryEntry& entry)
{
    Emergency::TMeasuredValues values;
    const DiaryTest* blood = entry.test(Test::Blood);
    if (blood && IsTestRecent(Test::Blood, blood->performed, entry.moment))
        values.hemoglobin = qRound(blood->value(QStringLiteral("hemoglobin")));
    if (entry.systolic != 0) {
        values.systolic = entry.systolic;
        values.diastolic = entry.diastolic;
    }
    if (entry.temperature != 0)
        values.temperature = entry.temperature;
    if (entry.pulse != 0)
        values.pulse = entry.pulse;
    return values;
}

// The notice leads the findings, as it leads the conclusion.
QString findingsCell(const DiaryEntry& entry)
{
    const QString notice = urgentNotice(entry).join(QLatin1Char(' '));
    const QString findings = findingsText(entry);
    if (notice.isEmpty() || findings.isEmpty())
        return notice + findings;
    return QStringLiteral("%1 Отмечено: %2").arg(notice, findings);
}

DiaryFlag flagOf(const DiaryEntry& entry, int lowCode, int highCode)
{
    if (entry.hasFinding(highCode))
        return DiaryFlag::High;
    return entry.hasFinding(lowCode) ? DiaryFlag::Low : DiaryFlag::None;
}

DiaryFlag flagOfAny(
    const DiaryEntry& entry, std::initializer_list<int> lowCodes, std::initializer_list<int> highCodes)
{
    for (int code : highCodes) {
        if (entry.hasFinding(code))
            return DiaryFlag::High;
    }
    for (int code : lowCodes) {
        if (entry.hasFinding(code))
            return DiaryFlag::Low;
    }
    return DiaryFlag::None;
}

} // namespace

double DiaryTest::value(const QString& name) const
{
    for (const DiaryValue& item : values) {
        if (item.name == name)
            return item.value;
    }
    return 0;
}

const DiaryTest* DiaryEntry::test(ExaminationRecord::Test kind) const
{
    for (const DiaryTest& item : tests) {
        if (item.kind == kind)
            return &item;
    }
    return nullptr;
}

DiaryEntry entryFromRecord(const ExaminationRecord& record, const Conclusion& conclusion, const QString& savedFile)
{
    DiaryEntry entry;
    entry.moment = conclusion.Now;
    entry.sex = record.GetGender();
    entry.age = conclusion.Age;
    using Measure = ExaminationRecord::BodyMeasure;
    // A bound that stood in for the typed number is not the person's value.
    try {
        if (!record.TypedOutOfRange(Measure::Height))
            entry.height = record.GetHeight();
    } catch (const ERecordRangeError&) {
    }
    try {
        if (!record.TypedOutOfRange(Measure::Weight))
            entry.weight = record.GetWeight();
    } catch (const ERecordRangeError&) {
    }
    if (!record.IsBodyMeasureClamped())
        entry.bodyMassIndex = record.CalcBodyMassIndex();
    using Vital = ExaminationRecord::Vital;
    if (record.IsMeasured(Vital::Temperature))
        entry.temperature = record.GetTemperature();
    if (record.IsMeasured(Vital::Pulse))
        entry.pulse = record.GetPulse();
    entry.rhythmic = record.IsPulseRhythmic();
    if (record.IsMeasured(Vital::Pressure)) {
        entry.systolic = record.GetSystolic();
        entry.diastolic = record.GetDiastolic();
    }
    for (Test kind : { Test::ECG, Test::Flu, Test::Blood, Test::Urine }) {
        if (conclusion.present(kind))
            entry.tests.append({ kind, record.TestDate(kind), testValues(record, kind) });
    }
    for (int code = 0; code < FindingCount; ++code) {
        if (conclusion.Findings.test(size_t(code)))
            entry.findings << code;
    }
    for (int number = 1; number < SpecialistCount; ++number) {
        if (conclusion.Recommended.test(size_t(number)))
            entry.specialists << number;
    }
    entry.savedFile = savedFile;
    return entry;
}

QStringList urgentNotice(const DiaryEntry& entry)
{
    return Emergency::StatementNotice(entry.findings) << Emergency::MeasuredNotice(keptValues(entry));
}

QStringList diaryHeaders()
{
    QStringList headers;
    for (const char16_t* header : Headers)
        headers << QString::fromUtf16(header);
    return headers;
}

QStringList diaryCells(const DiaryEntry& entry)
{
    return {
        QLocale().toString(entry.moment, QLocale::ShortFormat),
        entry.sex == 1 ? QStringLiteral("муж") : QStringLiteral("жен"),
        QString::number(entry.age),
        number(entry.height, 0),
        number(entry.weight, 0),
        entry.bodyMassIndex > 0 ? number(entry.bodyMassIndex, 1) : QString(),
        measuredNumber(entry.temperature, 1),
        measuredNumber(entry.pulse, 0),
        entry.rhythmic ? QStringLiteral("ритмичный") : QStringLiteral("аритмия"),
        measuredNumber(entry.systolic, 0),
        measuredNumber(entry.diastolic, 0),
        testCell(entry, Test::ECG),
        testCell(entry, Test::Flu),
        testCell(entry, Test::Blood),
        testCell(entry, Test::Urine),
        findingsCell(entry),
        specialistList(entry.specialists),
        entry.savedFile,
    };
}

DiaryFlag diaryCellFlag(const DiaryEntry& entry, DiaryColumn column)
{
    switch (column) {
    case Column::Index:
        return flagOf(entry, Code::LowBodyMass, Code::HighBodyMass);
    case Column::Temperature:
        return flagOf(entry, Code::LowTemperature, Code::HighTemperature);
    case Column::Pulse:
        return flagOf(entry, Code::Bradycardia, Code::Tachycardia);
    case Column::Rhythm:
        return entry.rhythmic ? DiaryFlag::None : DiaryFlag::High;
    case Column::Systolic:
        return flagOf(entry, Code::LowSystolic, Code::HighSystolic);
    case Column::Diastolic:
        return flagOf(entry, Code::LowDiastolic, Code::HighDiastolic);
    case Column::Ecg:
        return flagOf(entry, -1, Code::EcgPathology);
    case Column::Flu:
        return flagOf(entry, -1, Code::FluPathology);
    case Column::Blood:
        return flagOfAny(
            entry, { Code::LowHemoglobin, Code::LowLeucocytes }, { Code::HighEsr, Code::HighLeucocytes });
    case Column::Urine:
        return flagOfAny(entry, {},
            { Code::UrineProtein, Code::UrineSugar, Code::UrineErythrocytes, Code::UrineLeucocytes });
    case Column::Moment:
    case Column::Findings:
        return urgentNotice(entry).isEmpty() ? DiaryFlag::None : DiaryFlag::High;
    default:
        return DiaryFlag::None;
    }
}
