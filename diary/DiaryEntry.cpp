#include "diary/DiaryEntry.h"

#include "decision/BodyMeasures.h"

#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "decision/NumberFields.h"
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
    NumberField field;
};

QList<DiaryValue> givenValues(const QList<GivenValue>& values)
{
    QList<DiaryValue> kept;
    for (const GivenValue& value : values) {
        if (const std::optional<double> own = OwnNumber(value.field, value.value))
            kept.append({ value.name, *own });
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
        return givenValues({ { QStringLiteral("hemoglobin"), record.hemoglobin, NumberField::Hemoglobin },
            { QStringLiteral("leucocytes"), record.leucocytesTenths, NumberField::Leucocytes },
            { QStringLiteral("esr"), record.esr, NumberField::Esr } });
    case Test::Urine:
        return QList<DiaryValue> { { QStringLiteral("protein"), double(record.urineProtein) },
            { QStringLiteral("sugar"), double(record.urineSugar) } }
        + givenValues(
            { { QStringLiteral("erythrocytes"), record.urineErythrocytes, NumberField::UrineErythrocytes },
                { QStringLiteral("leucocytes"), record.urineLeucocytes, NumberField::UrineLeucocytes } });
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

// A number of a test as its part of the result: its name, the number flagged,
// its unit; a number the person did not fill in is said so.
struct ShownValue {
    const char* name;
    const char16_t* label;
    int decimals;
    const char16_t* unit;
    const char16_t* notGiven;
    int lowCode;
    int highCode;
};

QList<Part> valueParts(
    const DiaryEntry& entry, const DiaryTest& test, std::initializer_list<ShownValue> shown)
{
    QList<Part> parts;
    for (const ShownValue& item : shown) {
        parts << Part { QString::fromUtf16(item.label) };
        const std::optional<double> value = test.find(QString::fromLatin1(item.name));
        if (!value) {
            parts << Part { QString::fromUtf16(item.notGiven) };
            continue;
        }
        parts << flagged(entry, number(*value, item.decimals), item.lowCode, item.highCode);
        if (*item.unit)
            parts << Part { QString::fromUtf16(item.unit) };
    }
    return parts;
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
    const std::optional<double> hemoglobin = blood ? blood->find(QStringLiteral("hemoglobin")) : std::nullopt;
    if (hemoglobin && blood->counted)
        values.hemoglobin = qRound(*hemoglobin);
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
    return find(name).value_or(0);
}

std::optional<double> DiaryTest::find(const QString& name) const
{
    for (const DiaryValue& item : values) {
        if (item.name == name)
            return item.value;
    }
    return std::nullopt;
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
    entry.sex = record.gender.given ? record.GetGender() : DiaryEntry::NotGiven;
    entry.age = record.birthDate.given ? conclusion.Age : DiaryEntry::NotGiven;
    entry.sameDayNotice = conclusion.SameDay;
    // The numbers as typed: a bound that stood in for one is not the person's.
    entry.height = OwnNumber(NumberField::Height, record.height);
    entry.weight = OwnNumber(NumberField::Weight, record.weight);
    if (HasOwnBodyMassIndex(record))
        entry.bodyMassIndex = record.CalcBodyMassIndex();
    entry.temperature = OwnNumber(NumberField::Temperature, record.temperatureTenths).value_or(0);
    entry.pulse = qRound(OwnNumber(NumberField::Pulse, record.pulse).value_or(0));
    entry.rhythmic = record.IsPulseRhythmic();
    entry.systolic = qRound(OwnNumber(NumberField::Systolic, record.systolic).value_or(0));
    entry.diastolic = qRound(OwnNumber(NumberField::Diastolic, record.diastolic).value_or(0));
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
        return valueParts(entry, test,
            { { "hemoglobin", u"гемоглобин ", 0, u" г/л", u"не указан", Code::LowHemoglobin, -1 },
                { "leucocytes", u", лейкоциты ", 1, u" тыс./мкл", u"не указаны", Code::LowLeucocytes,
                    Code::HighLeucocytes },
                { "esr", u", СОЭ ", 0, u" мм/час", u"не указана", -1, Code::HighEsr } });
    case Test::Urine:
        return QList<Part> { { QStringLiteral("белок ") },
            flagged(entry, yes(value("protein") != 0), -1, Code::UrineProtein),
            { QStringLiteral(", сахар ") }, flagged(entry, yes(value("sugar") != 0), -1, Code::UrineSugar) }
        + valueParts(entry, test,
            { { "erythrocytes", u", эритроциты ", 0, u"", u"не указаны", -1, Code::UrineErythrocytes },
                { "leucocytes", u", лейкоциты ", 0, u"", u"не указаны", -1, Code::UrineLeucocytes } });
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
        entry.sex == DiaryEntry::NotGiven ? QString()
            : entry.sex == 1              ? QStringLiteral("муж")
                                          : QStringLiteral("жен"),
        entry.age == DiaryEntry::NotGiven ? QString() : QString::number(entry.age),
        number(entry.height, QLocale::FloatingPointShortest),
        number(entry.weight, QLocale::FloatingPointShortest),
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
