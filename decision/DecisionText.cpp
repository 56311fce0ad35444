// Conclusion text of the DecisionU unit: complaint phrases, list formatters and
// the conclusion itself.
#include "decision/DecisionU.h"

#include "decision/BodyMeasures.h"
#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "decision/FindingWords.h"
#include "decision/NumberFields.h"
#include "decision/RussianPlural.h"
#include "decision/WordTables.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

constexpr int SeparatorLength = 150;

// The words of a group's findings that hold, in the table's order.
QStringList FoundWords(const Conclusion& conclusion, TFindingGroup group)
{
    QStringList words;
    for (const TFindingWord& row : FindingWordRows()) {
        if (row.group == group && conclusion.has(row.code))
            words << QString::fromUtf16(row.word);
    }
    return words;
}

// "%3.0f" / "%3.1f": a real with the locale's decimal separator, right-aligned
// in at least `width` characters.
QString Real(double value, int decimals, int width = 3)
{
    return QLocale().toString(value, 'f', decimals).rightJustified(width, QLatin1Char(' '));
}

QString Integer(int value, int width = 0)
{
    return QString::number(value).rightJustified(width, QLatin1Char(' '));
}

// "- ПОВЫШЕНА" after a value: the first finding of its group that holds.
QString ValueFlag(const Conclusion& conclusion, TFindingGroup group)
{
    const QStringList words = FoundWords(conclusion, group);
    return words.isEmpty() ? QString() : QLocale().toUpper(QStringLiteral("- ") + words.first());
}

QString ShortDate(const QDateTime& moment)
{
    return QLocale().toString(moment.date(), QLocale::ShortFormat);
}

// The locale's long time format ends with the time zone ("H:mm:ss t"); the
// conclusion gives the wall-clock time the way the desktop clock shows it.
QString LongTime(const QDateTime& moment)
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return QLocale().toString(moment, format.trimmed());
}

// A value of a test the person marked as done but did not fill in is said so.
QString GivenOr(const Given<int>& value, NumberField field, const QString& kept, const char16_t* unit,
    const char16_t* notGiven)
{
    return value.given ? NumberText(field, value, kept, QString::fromUtf16(unit))
                       : QString::fromUtf16(notGiven);
}

// A value line whose flag may be empty: no blank before the full stop.
QString Sentence(const QString& text)
{
    return text.trimmed() + QLatin1Char('.');
}

void AddSummaryHead(const ExaminationRecord& record, const Conclusion& conclusion, QStringList& memo)
{
    memo << QStringLiteral("%1, %2.").arg(PersonSex(record), PersonAge(record, conclusion.Age));
    memo << QString();

    const QString& complaints = conclusion.Complaints;
    if (complaints.isEmpty()) {
        memo << QStringLiteral("Жалоб нет.");
    } else {
        memo << QStringLiteral("Жалуется на:");
        AddSeparator(memo);
        memo << complaints + QLatin1Char('.');
        AddSeparator(memo);
    }
    memo << QString();

    const QString& observed = conclusion.ObservedText;
    if (!observed.isEmpty())
        memo << QStringLiteral("Постоянно наблюдается %1.").arg(observed) << QString();
}

// A bound that replaced the typed height or weight is not the person's: what
// was typed is said instead, and no index is drawn from it.
QString BodyMeasurePart(const ExaminationRecord& record, ExaminationRecord::BodyMeasure measure)
{
    const QString text = BodyMeasureText(record, measure);
    return record.TypedOutOfRange(measure) ? text + QStringLiteral(", которые принимает программа") : text;
}

QString BodyMassIndexPart(const ExaminationRecord& record, const Conclusion& conclusion)
{
    if (!HasOwnBodyMassIndex(record))
        return QStringLiteral("не рассчитан.");
    return Sentence(QStringLiteral("%1 %2").arg(
        Real(record.CalcBodyMassIndex(), 1), ValueFlag(conclusion, TFindingGroup::BodyMass)));
}

// A vital sign the person did not measure is said so, never as its initial value.
QString VitalLine(const ExaminationRecord& record, ExaminationRecord::Vital vital, const QString& title,
    const char16_t* notMeasured, const QString& measured)
{
    return QStringLiteral("%1: %2").arg(
        title, record.IsMeasured(vital) ? Sentence(measured) : QString::fromUtf16(notMeasured));
}

void AddObjectiveData(const ExaminationRecord& record, const Conclusion& conclusion, QStringList& memo)
{
    using Vital = ExaminationRecord::Vital;
    memo << QStringLiteral("Объективно:");
    AddSeparator(memo);
    memo << QString();

    using Measure = ExaminationRecord::BodyMeasure;
    const QString height = BodyMeasurePart(record, Measure::Height);
    const QString weight = BodyMeasurePart(record, Measure::Weight);
    memo << QStringLiteral("Рост: %1. Вес: %2. Индекс массы тела: %3")
                .arg(height, weight, BodyMassIndexPart(record, conclusion));
    const double temperature = record.GetTemperature();
    memo << VitalLine(record, Vital::Temperature, QStringLiteral("Температура тела"), u"не измерена.",
        QStringLiteral("%1 %2 Цельсия %3")
            .arg(NumberText(NumberField::Temperature, record.temperatureTenths, Real(temperature, 1)),
                PluralForm(temperature, 1, Nouns::Degree),
                ValueFlag(conclusion, TFindingGroup::Temperature)));
    const int pulse = record.GetPulse();
    memo << VitalLine(record, Vital::Pulse, QStringLiteral("Пульс"), u"не измерен.",
        QStringLiteral("%1 %2 в минуту, %3 %4")
            .arg(NumberText(NumberField::Pulse, record.pulse, Integer(pulse)), PluralForm(pulse, Nouns::Beat),
                RhythmWords[record.IsPulseRhythmic() ? 1 : 0], ValueFlag(conclusion, TFindingGroup::Pulse)));
    memo << VitalLine(record, Vital::Pressure, QStringLiteral("Артериальное давление"), u"не измерено.",
        QStringLiteral("%1 %2").arg(
            PressureText(record, QStringLiteral("мм ртутного столба")), ValueFlag(conclusion, TFindingGroup::Pressure)));
    memo << QString();
}

void AddCountedTests(
    const ExaminationRecord& record, const Conclusion& conclusion, QStringList& memo, const QDateTime& now)
{
    using Test = ExaminationRecord::Test;
    if (ECGPresent(record) && ECGRecent(record, now)) {
        memo << QStringLiteral("ЭКГ от %1: %2.")
                    .arg(ShortDate(record.TestDate(Test::ECG)),
                        StudyResultWords[conclusion.has(Code::EcgPathology) ? 1 : 0]);
        memo << QString();
    }
    if (FluPresent(record) && FluRecent(record, now)) {
        memo << QStringLiteral("Флюорография от %1: %2.")
                    .arg(ShortDate(record.TestDate(Test::Flu)),
                        StudyResultWords[conclusion.has(Code::FluPathology) ? 1 : 0]);
        memo << QString();
    }
    if (BloodPresent(record) && BloodRecent(record, now)) {
        memo << QStringLiteral("Анализ крови от %1:").arg(ShortDate(record.TestDate(Test::Blood)));
        memo << QStringLiteral("Гемоглобин - %1, Лейкоциты - %2, СОЭ - %3.")
                    .arg(GivenOr(record.hemoglobin, NumberField::Hemoglobin,
                             Integer(EffectiveHemoglobin(record, now), 3), u"г/л", u"не указан"),
                        GivenOr(record.leucocytesTenths, NumberField::Leucocytes,
                            Real(EffectiveLeucocytes(record, now), 1), u"тыс/мкл", u"не указаны"),
                        GivenOr(record.esr, NumberField::Esr, Integer(EffectiveESR(record, now)), u"мм/час",
                            u"не указана"));
        memo << QString();
    }
    if (UrinePresent(record) && UrineRecent(record, now)) {
        memo << QStringLiteral("Анализ мочи от %1:").arg(ShortDate(record.TestDate(Test::Urine)));
        memo << QStringLiteral("Белок - %1, Сахар - %2, Эритроциты - %3, Лейкоциты - %4.")
                    .arg(UrinePresenceWords[EffectiveProtein(record, now) ? 1 : 0],
                        UrinePresenceWords[EffectiveSugar(record, now) ? 1 : 0],
                        GivenOr(record.urineErythrocytes, NumberField::UrineErythrocytes,
                            Integer(EffectiveUrineErythrocytes(record, now)), u"в препарате", u"не указаны"),
                        GivenOr(record.urineLeucocytes, NumberField::UrineLeucocytes,
                            Integer(EffectiveUrineLeucocytes(record, now)), u"в поле зрения", u"не указаны"));
    }
    AddSeparator(memo);
    memo << QString();
}

void AddSelfExamination(const Conclusion& conclusion, QStringList& memo)
{
    const QString lymphNodes = LymphNodeList(conclusion);
    const QString limbs = LimbFindingList(conclusion);
    if (lymphNodes.isEmpty() && limbs.isEmpty() && !HerniaFound(conclusion))
        return;
    memo << QStringLiteral("При самостоятельном осмотре выявлены:");
    AddSeparator(memo);
    memo << QString();
    if (!lymphNodes.isEmpty())
        memo << QStringLiteral("Увеличенные %1 лимфатические узлы.").arg(lymphNodes);
    if (!limbs.isEmpty())
        memo << QStringLiteral("%1 конечностей.").arg(limbs);
    if (HerniaFound(conclusion))
        memo << QStringLiteral("Грыжи.");
    AddSeparator(memo);
}

} // namespace

QString ComplaintList(const ExaminationRecord& record, const ComplaintPhrases& phrases)
{
    QStringList answered;
    for (int n = 1; n <= QuestionCount; ++n) {
        // A phrase missing from a short or absent phrase file is left out.
        if (record.IsAnsweredYes(n) && !phrases.Phrase(n).trimmed().isEmpty())
            answered << phrases.Phrase(n);
    }
    return answered.join(QStringLiteral("; "));
}

QString ObservedList(const ExaminationRecord& record)
{
    QStringList specialists;
    for (const ExaminationRecord::HistoryBox& box : record.HistoryBoxes()) {
        if (box.checked && !box.caption.isEmpty())
            specialists << box.caption.toLower().chopped(1) + QStringLiteral("ом");
    }
    return specialists.join(QStringLiteral(", "));
}

QString LymphNodeList(const Conclusion& conclusion)
{
    return FoundWords(conclusion, TFindingGroup::LymphNodes).join(QStringLiteral(", "));
}

QString LimbFindingList(const Conclusion& conclusion)
{
    QString list = FoundWords(conclusion, TFindingGroup::Limbs).join(QStringLiteral(", "));
    if (!list.isEmpty())
        list[0] = QLocale().toUpper(list.left(1)).at(0);
    return list;
}

bool HerniaFound(const Conclusion& conclusion)
{
    return conclusion.has(Code::Hernia);
}

void AddSeparator(QStringList& memo)
{
    memo << QString(SeparatorLength, QLatin1Char('-'));
}

void ComposeConclusion(
    const ExaminationRecord& record, const Conclusion& conclusion, QStringList& memo, const QDateTime& now)
{
    // An emergency comes first; under it, a conclusion that recommends
    // nobody says only whom to see, never "rest" nor "no definite conclusion".
    memo << conclusion.Notice << conclusion.SameDay;
    if (conclusion.Notice.isEmpty() || conclusion.Recommended.any())
        memo << conclusion.RecommendationSentence();
    else
        memo << SeeGeneralPractitioner();
    AddSeparator(memo);
    memo << QString();
    AddSummaryHead(record, conclusion, memo);
    AddObjectiveData(record, conclusion, memo);
    AddCountedTests(record, conclusion, memo, now);
    AddSelfExamination(conclusion, memo);
    memo << Emergency::NotADiagnosis();
    memo << QStringLiteral("Тессора Про %1 [%2]").arg(ShortDate(now), LongTime(now));
}

QString PressureText(const ExaminationRecord& record, const QString& unit)
{
    const QString systolic
        = NumberText(NumberField::Systolic, record.systolic, Integer(record.GetSystolic()));
    const QString diastolic
        = NumberText(NumberField::Diastolic, record.diastolic, Integer(record.GetDiastolic()));
    const bool typed = record.systolic.typed || record.diastolic.typed;
    if (record.systolic.given && record.diastolic.given)
        return (typed ? QStringLiteral("верхнее %1, нижнее %2 %3") : QStringLiteral("%1/%2 %3"))
            .arg(systolic, diastolic, unit);
    if (record.systolic.given)
        return QStringLiteral("верхнее %1 %2, нижнее не измерено").arg(systolic, unit);
    return QStringLiteral("нижнее %1 %2, верхнее не измерено").arg(diastolic, unit);
}

QString PersonSex(const ExaminationRecord& record)
{
    return PersonSex(record.gender.given ? std::optional(record.GetGender()) : std::nullopt);
}

QString PersonAge(const ExaminationRecord& record, int age)
{
    return PersonAge(record.birthDate.given ? std::optional(age) : std::nullopt);
}

QString PersonSex(std::optional<int> sex)
{
    return sex ? SexWords[*sex == 1 ? 1 : 0] : QStringLiteral("пол не указан");
}

QString PersonAge(std::optional<int> age)
{
    return age ? QStringLiteral("%1 %2").arg(*age).arg(PluralForm(*age, Nouns::Year))
               : QStringLiteral("возраст не указан");
}
