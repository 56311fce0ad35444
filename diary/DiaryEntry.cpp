#include "diary/DiaryEntry.h"

#include "decision/BodyMeasures.h"

#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "diary/DiaryFindings.h"

#include <QLocale>

namespace {

using Test = ExaminationRecord::Test;
using Column = TDiaryColumn;

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

QString Number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

QString Number(const std::optional<double>& value, int decimals)
{
    return value ? Number(*value, decimals) : QString();
}

QString MeasuredNumber(double value, int decimals)
{
    return value != 0 ? Number(value, decimals) : QString();
}

QString Yes(bool yes)
{
    return yes ? QStringLiteral("есть") : QStringLiteral("нет");
}

// A value of a test the person did not fill in is not kept: no trend runs through it.
struct TGivenValue {
    QString name;
    Given<int> value;
    int unitsPerWhole;
};

QList<TDiaryValue> GivenValues(const QList<TGivenValue>& values)
{
    QList<TDiaryValue> kept;
    for (const TGivenValue& value : values) {
        if (value.value.given)
            kept.append({ value.name, double(value.value.value) / value.unitsPerWhole });
    }
    return kept;
}

QList<TDiaryValue> TestValues(const ExaminationRecord& record, Test kind)
{
    switch (kind) {
    case Test::ECG:
        return { { QStringLiteral("block"), double(record.ecgFindings[0]) },
            { QStringLiteral("hypertrophy"), double(record.ecgFindings[1]) },
            { QStringLiteral("scarring"), double(record.ecgFindings[2]) } };
    case Test::Flu:
        return { { QStringLiteral("pathology"), double(record.IsFluPathology()) } };
    case Test::Blood:
        return GivenValues({ { QStringLiteral("hemoglobin"), record.hemoglobin, 1 },
            { QStringLiteral("leucocytes"), record.leucocytesTenths, 10 },
            { QStringLiteral("esr"), record.esr, 1 } });
    case Test::Urine:
        return QList<TDiaryValue> { { QStringLiteral("protein"), double(record.urineProtein) },
                   { QStringLiteral("sugar"), double(record.urineSugar) } }
            + GivenValues({ { QStringLiteral("erythrocytes"), record.urineErythrocytes, 1 },
                { QStringLiteral("leucocytes"), record.urineLeucocytes, 1 } });
    }
    return {};
}

QString TestResult(const TDiaryTest& test)
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
            .arg(Number(test.value(QStringLiteral("hemoglobin")), 0),
                Number(test.value(QStringLiteral("leucocytes")), 1),
                Number(test.value(QStringLiteral("esr")), 0));
    case Test::Urine:
        return QStringLiteral("белок %1, сахар %2, эритроциты %3, лейкоциты %4")
            .arg(Yes(test.value(QStringLiteral("protein")) != 0),
                Yes(test.value(QStringLiteral("sugar")) != 0),
                Number(test.value(QStringLiteral("erythrocytes")), 0),
                Number(test.value(QStringLiteral("leucocytes")), 0));
    }
    return {};
}

QString TestCell(const TDiaryEntry& entry, Test kind)
{
    const TDiaryTest* test = entry.test(kind);
    if (!test)
        return {};
    return QStringLiteral("%1: %2").arg(
        QLocale().toString(test->performed.date(), QLocale::ShortFormat), TestResult(*test));
}

QString SpecialistList(const QList<int>& specialists)
{
    QStringList names;
    for (int number : specialists) {
        if (number > 0 && number < SpecialistCount)
            names << SpecialistNames[size_t(number)];
    }
    return names.join(QStringLiteral(", "));
}

// The diary keeps an unmeasured vital sign as 0.
Emergency::TMeasuredValues KeptValues(const TDiaryEntry& entry)
{
    Emergency::TMeasuredValues values;
    const TDiaryTest* blood = entry.test(Test::Blood);
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
QString FindingsCell(const TDiaryEntry& entry)
{
    const QString notice = (UrgentNotice(entry) << SameDayNotice(entry)).join(QLatin1Char(' '));
    const QString findings = FindingsText(entry);
    if (notice.isEmpty() || findings.isEmpty())
        return notice + findings;
    return QStringLiteral("%1 Отмечено: %2").arg(notice, findings);
}

TDiaryFlag FlagOf(const TDiaryEntry& entry, int lowCode, int highCode)
{
    if (entry.hasFinding(highCode))
        return TDiaryFlag::High;
    return entry.hasFinding(lowCode) ? TDiaryFlag::Low : TDiaryFlag::None;
}

TDiaryFlag FlagOfAny(
    const TDiaryEntry& entry, std::initializer_list<int> lowCodes, std::initializer_list<int> highCodes)
{
    for (int code : highCodes) {
        if (entry.hasFinding(code))
            return TDiaryFlag::High;
    }
    for (int code : lowCodes) {
        if (entry.hasFinding(code))
            return TDiaryFlag::Low;
    }
    return TDiaryFlag::None;
}

} // namespace

double TDiaryTest::value(const QString& name) const
{
    for (const TDiaryValue& item : values) {
        if (item.name == name)
            return item.value;
    }
    return 0;
}

const TDiaryTest* TDiaryEntry::test(ExaminationRecord::Test kind) const
{
    for (const TDiaryTest& item : tests) {
        if (item.kind == kind)
            return &item;
    }
    return nullptr;
}

TDiaryEntry EntryFromRecord(const ExaminationRecord& record, const Conclusion& conclusion, const QString& savedFile)
{
    TDiaryEntry entry;
    entry.moment = conclusion.Now;
    entry.sex = record.GetGender();
    entry.age = conclusion.Age;
    using Measure = ExaminationRecord::BodyMeasure;
    // A bound that stood in for the typed number is not the person's value.
    try {
        if (record.height.given && !record.TypedOutOfRange(Measure::Height))
            entry.height = record.GetHeight();
    } catch (const ERecordRangeError&) {
    }
    try {
        if (record.weight.given && !record.TypedOutOfRange(Measure::Weight))
            entry.weight = record.GetWeight();
    } catch (const ERecordRangeError&) {
    }
    if (HasOwnBodyMassIndex(record))
        entry.bodyMassIndex = record.CalcBodyMassIndex();
    using Vital = ExaminationRecord::Vital;
    if (record.IsMeasured(Vital::Temperature))
        entry.temperature = record.GetTemperature();
    if (record.IsMeasured(Vital::Pulse))
        entry.pulse = record.GetPulse();
    entry.rhythmic = record.IsPulseRhythmic();
    if (record.systolic.given)
        entry.systolic = record.GetSystolic();
    if (record.diastolic.given)
        entry.diastolic = record.GetDiastolic();
    for (Test kind : { Test::ECG, Test::Flu, Test::Blood, Test::Urine }) {
        if (conclusion.present(kind))
            entry.tests.append({ kind, record.TestDate(kind), TestValues(record, kind) });
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

QStringList UrgentNotice(const TDiaryEntry& entry)
{
    return Emergency::StatementNotice(entry.findings) << Emergency::MeasuredNotice(KeptValues(entry));
}

QStringList SameDayNotice(const TDiaryEntry& entry)
{
    return Emergency::SameDayNotice(entry.findings);
}

QStringList DiaryHeaders()
{
    QStringList headers;
    for (const char16_t* header : Headers)
        headers << QString::fromUtf16(header);
    return headers;
}

QStringList DiaryCells(const TDiaryEntry& entry)
{
    return {
        QLocale().toString(entry.moment, QLocale::ShortFormat),
        entry.sex == 1 ? QStringLiteral("муж") : QStringLiteral("жен"),
        QString::number(entry.age),
        Number(entry.height, 0),
        Number(entry.weight, 0),
        entry.bodyMassIndex > 0 ? Number(entry.bodyMassIndex, 1) : QString(),
        MeasuredNumber(entry.temperature, 1),
        MeasuredNumber(entry.pulse, 0),
        entry.rhythmic ? QStringLiteral("ритмичный") : QStringLiteral("аритмия"),
        MeasuredNumber(entry.systolic, 0),
        MeasuredNumber(entry.diastolic, 0),
        TestCell(entry, Test::ECG),
        TestCell(entry, Test::Flu),
        TestCell(entry, Test::Blood),
        TestCell(entry, Test::Urine),
        FindingsCell(entry),
        SpecialistList(entry.specialists),
        entry.savedFile,
    };
}

TDiaryFlag DiaryCellFlag(const TDiaryEntry& entry, TDiaryColumn column)
{
    switch (column) {
    case Column::Index:
        return FlagOf(entry, Code::LowBodyMass, Code::HighBodyMass);
    case Column::Temperature:
        return FlagOf(entry, Code::LowTemperature, Code::HighTemperature);
    case Column::Pulse:
        return FlagOf(entry, Code::Bradycardia, Code::Tachycardia);
    case Column::Rhythm:
        return entry.rhythmic ? TDiaryFlag::None : TDiaryFlag::High;
    case Column::Systolic:
        return FlagOf(entry, Code::LowSystolic, Code::HighSystolic);
    case Column::Diastolic:
        return FlagOf(entry, Code::LowDiastolic, Code::HighDiastolic);
    case Column::Ecg:
        return FlagOf(entry, -1, Code::EcgPathology);
    case Column::Flu:
        return FlagOf(entry, -1, Code::FluPathology);
    case Column::Blood:
        return FlagOfAny(
            entry, { Code::LowHemoglobin, Code::LowLeucocytes }, { Code::HighEsr, Code::HighLeucocytes });
    case Column::Urine:
        return FlagOfAny(entry, {},
            { Code::UrineProtein, Code::UrineSugar, Code::UrineErythrocytes, Code::UrineLeucocytes });
    case Column::Moment:
    case Column::Findings:
        return UrgentNotice(entry).isEmpty() ? TDiaryFlag::None : TDiaryFlag::High;
    default:
        return TDiaryFlag::None;
    }
}
