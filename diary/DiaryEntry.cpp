#include "diary/DiaryEntry.h"

#include "decision/BodyMeasures.h"

#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "diary/DiaryFindings.h"

#include <QLocale>

namespace {

using Test = ExaminationRecord::Test;
using Column = DiaryColumn;

const char16_t* const Headers[DiaryColumnCount] = {
    u"Дата и время",
    u"Обследуемый",
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

// A value of a test the person did not fill in is not kept: no trend runs through it.
struct GivenValue {
    QString name;
    Given<int> value;
    int unitsPerWhole;
};

QList<DiaryValue> givenValues(const QList<GivenValue>& values)
{
    QList<DiaryValue> kept;
    for (const GivenValue& value : values) {
        if (value.value.given)
            kept.append({ value.name, double(value.value.value) / value.unitsPerWhole });
    }
    return kept;
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
        return givenValues({ { QStringLiteral("hemoglobin"), record.hemoglobin, 1 },
            { QStringLiteral("leucocytes"), record.leucocytesTenths, 10 },
            { QStringLiteral("esr"), record.esr, 1 } });
    case Test::Urine:
        return QList<DiaryValue> { { QStringLiteral("protein"), double(record.urineProtein) },
                   { QStringLiteral("sugar"), double(record.urineSugar) } }
            + givenValues({ { QStringLiteral("erythrocytes"), record.urineErythrocytes, 1 },
                { QStringLiteral("leucocytes"), record.urineLeucocytes, 1 } });
    }
    return {};
}

using Part = DiaryResultPart;

// A value flagged by the first of its codes that the conclusion found.
Part flagged(const DiaryEntry& entry, const QString& text, int lowCode, int highCode)
{
    if (entry.hasFinding(highCode))
        return { text, DiaryFlag::High };
    return { text, entry.hasFinding(lowCode) ? DiaryFlag::Low : DiaryFlag::None };
}

QString testResult(const DiaryEntry& entry, const DiaryTest& test)
{
    QString text;
    for (const Part& part : testResultParts(entry, test))
        text += part.text;
    return text;
}

QString testCell(const DiaryEntry& entry, Test kind)
{
    const DiaryTest* test = entry.test(kind);
    if (!test)
        return {};
    return QStringLiteral("%1: %2").arg(
        QLocale().toString(test->performed.date(), QLocale::ShortFormat), testResult(entry, *test));
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
    if (blood && blood->counted)
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
    const QString notice = (urgentNotice(entry) + entry.sameDayNotice).join(QLatin1Char(' '));
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

DiaryEntry entryFromRecord(const ExaminationRecord& record, const Conclusion& conclusion,
    const QUuid& examination, const QString& savedFile)
{
    DiaryEntry entry;
    entry.examination = examination;
    entry.person = record.name.simplified();
    entry.moment = conclusion.Now;
    entry.sex = record.GetGender();
    entry.age = conclusion.Age;
    entry.sameDayNotice = conclusion.SameDay;
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
            entry.tests.append(
                { kind, record.TestDate(kind), testValues(record, kind), conclusion.recent(kind) });
    }
    for (int code = 0; code < FindingCount; ++code) {
        if (conclusion.Findings.test(size_t(code)))
            entry.findings << code;
    }
    for (int number = 1; number < SpecialistCount; ++number) {
        if (conclusion.Recommended.test(size_t(number)))
            entry.specialists << number;
    }
    entry.notice = conclusion.Notice;
    if (!savedFile.isEmpty())
        entry.savedFiles << savedFile;
    return entry;
}

QStringList urgentNotice(const DiaryEntry& entry)
{
    if (entry.notice)
        return *entry.notice;
    return Emergency::StatementNotice(entry.findings) << Emergency::MeasuredNotice(keptValues(entry));
}

bool sameExamination(const DiaryEntry& a, const DiaryEntry& b)
{
    const auto content = [](DiaryEntry entry) {
        entry.id = 0;
        entry.savedFiles.clear();
        return entry;
    };
    return content(a) == content(b);
}

QList<DiaryResultPart> testResultParts(const DiaryEntry& entry, const DiaryTest& test)
{
    const auto value = [&test](const char* name) { return test.value(QString::fromLatin1(name)); };
    switch (test.kind) {
    case Test::ECG: {
        QStringList found;
        for (const auto& [name, words] : EcgFindings) {
            if (value(name) != 0)
                found << QString::fromUtf16(words);
        }
        if (found.isEmpty())
            return { { QStringLiteral("без особенностей") } };
        return { flagged(entry, found.join(QStringLiteral(", ")), -1, Code::EcgPathology) };
    }
    case Test::Flu:
        if (value("pathology") == 0)
            return { { QStringLiteral("норма") } };
        return { flagged(entry, QStringLiteral("патология"), -1, Code::FluPathology) };
    case Test::Blood:
        return { { QStringLiteral("гемоглобин ") },
            flagged(entry, number(value("hemoglobin"), 0), Code::LowHemoglobin, -1),
            { QStringLiteral(" г/л, лейкоциты ") },
            flagged(entry, number(value("leucocytes"), 1), Code::LowLeucocytes, Code::HighLeucocytes),
            { QStringLiteral(" тыс./мкл, СОЭ ") }, flagged(entry, number(value("esr"), 0), -1, Code::HighEsr),
            { QStringLiteral(" мм/час") } };
    case Test::Urine:
        return { { QStringLiteral("белок ") },
            flagged(entry, yes(value("protein") != 0), -1, Code::UrineProtein),
            { QStringLiteral(", сахар ") }, flagged(entry, yes(value("sugar") != 0), -1, Code::UrineSugar),
            { QStringLiteral(", эритроциты ") },
            flagged(entry, number(value("erythrocytes"), 0), -1, Code::UrineErythrocytes),
            { QStringLiteral(", лейкоциты ") },
            flagged(entry, number(value("leucocytes"), 0), -1, Code::UrineLeucocytes) };
    }
    return {};
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
        entry.person,
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
        entry.savedFiles.join(QStringLiteral("; ")),
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
