// Why a specialist is recommended: the facts of a rule row's trace in plain Russian.
#include "decision/Conclusion.h"

#include "decision/ComplaintPhrases.h"
#include "decision/FindingCodes.h"
#include "decision/Norms.h"

#include <QLocale>

#include <algorithm>

namespace {

using Test = ExaminationRecord::Test;

struct TWordedFinding {
    int code;
    const char16_t* words;
};

const TWordedFinding SelfExaminationWords[] {
    { Code::NeckLymphNodes, u"увеличенные шейные лимфатические узлы" },
    { Code::JawLymphNodes, u"увеличенные подчелюстные лимфатические узлы" },
    { Code::ArmpitLymphNodes, u"увеличенные подмышечные лимфатические узлы" },
    { Code::GroinLymphNodes, u"увеличенные паховые лимфатические узлы" },
    { Code::MuscleAtrophy, u"атрофия мышц конечностей" },
    { Code::LimbDeformation, u"деформация конечностей" },
    { Code::Hernia, u"грыжа" },
    { Code::VaricoseVeins, u"варикозное расширение вен конечностей" },
    { Code::InflamedVeins, u"воспаление вен конечностей" },
    { Code::UrineProtein, u"белок в моче" },
    { Code::UrineSugar, u"сахар в моче" },
};

// Everything a fact's words read, gathered once.
struct TExplained {
    const ExaminationRecord& record;
    const ComplaintPhrases& phrases;
    QDateTime now;
};

QString Number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

// "пульс 96 уд/мин — выше 90"
QString Crossed(
    const QString& what, double value, const QString& unit, bool above, double bound, int decimals)
{
    const QString measured = unit.isEmpty() ? Number(value, decimals) : Number(value, decimals) + u' ' + unit;
    return QStringLiteral("%1 %2 — %3 %4")
        .arg(
            what, measured, above ? QStringLiteral("выше") : QStringLiteral("ниже"), Number(bound, decimals));
}

// What the person typed where the field kept a bound or a rounded number instead.
template <typename T> double AsTyped(const Given<T>& value, double kept)
{
    return value.typed.value_or(kept);
}

QString Answered(const TExplained& e, int statement)
{
    QString text = e.phrases.Statement(statement).trimmed();
    if (text.isEmpty())
        text = e.phrases.Phrase(statement).trimmed();
    if (text.isEmpty())
        text = QStringLiteral("утверждение %1").arg(statement);
    return QStringLiteral("«%1» — ответ «Да»").arg(text);
}

QString StudyDate(const TExplained& e, Test test)
{
    return QLocale().toString(e.record.TestDate(test).date(), QLocale::ShortFormat);
}

QString ObservedBy(const ExaminationRecord& record, std::initializer_list<int> tags)
{
    QStringList doctors;
    for (const ExaminationRecord::HistoryBox& box : record.HistoryBoxes()) {
        if (box.checked && std::find(tags.begin(), tags.end(), box.tag) != tags.end())
            doctors << box.caption.toLower();
    }
    return QStringLiteral("Вы наблюдаетесь у %1").arg(doctors.join(QStringLiteral(", ")));
}

QString MeasuredFinding(const TExplained& e, int code)
{
    const ExaminationRecord& r = e.record;
    switch (code) {
    case Code::LowTemperature:
    case Code::HighTemperature:
        return Crossed(QStringLiteral("температура"), AsTyped(r.temperatureTenths, r.GetTemperature()),
            QStringLiteral("°C"), code == Code::HighTemperature,
            code == Code::HighTemperature ? Norms.TemperatureUpper : Norms.TemperatureLower, 1);
    case Code::LowSystolic:
    case Code::HighSystolic:
        return Crossed(QStringLiteral("верхнее давление"), AsTyped(r.systolic, r.GetSystolic()),
            QStringLiteral("мм рт. ст."), code == Code::HighSystolic,
            code == Code::HighSystolic ? Norms.SystolicUpper : Norms.SystolicLower, 0);
    case Code::LowDiastolic:
    case Code::HighDiastolic:
        return Crossed(QStringLiteral("нижнее давление"), AsTyped(r.diastolic, r.GetDiastolic()),
            QStringLiteral("мм рт. ст."), code == Code::HighDiastolic,
            code == Code::HighDiastolic ? Norms.DiastolicUpper : Norms.DiastolicLower, 0);
    case Code::WidePulsePressure:
        return Crossed(QStringLiteral("разница верхнего и нижнего давления"),
            AsTyped(r.systolic, r.GetSystolic()) - AsTyped(r.diastolic, r.GetDiastolic()),
            QStringLiteral("мм рт. ст."), true, Norms.PulsePressureBound, 0);
    case Code::Bradycardia:
    case Code::Tachycardia:
        return Crossed(QStringLiteral("пульс"), AsTyped(r.pulse, r.GetPulse()), QStringLiteral("уд/мин"),
            code == Code::Tachycardia, code == Code::Tachycardia ? Norms.PulseUpper : Norms.PulseLower, 0);
    case Code::LowBodyMass:
    case Code::HighBodyMass:
        return Crossed(QStringLiteral("индекс массы тела"), r.CalcBodyMassIndex(), QString(),
            code == Code::HighBodyMass, code == Code::HighBodyMass ? Norms.BmiUpper : Norms.BmiLower, 1);
    default:
        return {};
    }
}

QString TestFinding(const TExplained& e, int code)
{
    const ExaminationRecord& r = e.record;
    switch (code) {
    case Code::EcgPathology:
        return QStringLiteral("ЭКГ от %1: патология").arg(StudyDate(e, Test::ECG));
    case Code::FluPathology:
        return QStringLiteral("флюорография от %1: патология").arg(StudyDate(e, Test::Flu));
    case Code::LowHemoglobin:
        return Crossed(QStringLiteral("гемоглобин"), AsTyped(r.hemoglobin, EffectiveHemoglobin(r, e.now)),
            QStringLiteral("г/л"), false, Norms.HemoglobinLower, 0);
    case Code::LowLeucocytes:
    case Code::HighLeucocytes:
        return Crossed(QStringLiteral("лейкоциты крови"),
            AsTyped(r.leucocytesTenths, EffectiveLeucocytes(r, e.now)), QStringLiteral("тыс/мкл"),
            code == Code::HighLeucocytes,
            code == Code::HighLeucocytes ? Norms.LeucocytesUpper : Norms.LeucocytesLower, 1);
    case Code::HighEsr:
        return Crossed(QStringLiteral("СОЭ"), AsTyped(r.esr, EffectiveESR(r, e.now)),
            QStringLiteral("мм/час"), true, Norms.EsrUpper, 0);
    case Code::UrineErythrocytes:
        return Crossed(QStringLiteral("эритроциты в моче"),
            AsTyped(r.urineErythrocytes, EffectiveUrineErythrocytes(r, e.now)), QStringLiteral("в препарате"),
            true, Norms.UrineErythrocytesBound, 0);
    case Code::UrineLeucocytes:
        return Crossed(QStringLiteral("лейкоциты в моче"),
            AsTyped(r.urineLeucocytes, EffectiveUrineLeucocytes(r, e.now)), QStringLiteral("в поле зрения"),
            true, Norms.UrineLeucocytesBound, 0);
    default:
        for (const TWordedFinding& item : SelfExaminationWords) {
            if (item.code == code)
                return QString::fromUtf16(item.words);
        }
        return {};
    }
}

QString StatementFinding(const TExplained& e, int code)
{
    switch (code) {
    case Code::Palpitations:
        return e.record.IsAnsweredYes(code) ? Answered(e, code) : QStringLiteral("пульс неритмичный");
    case Code::LowMood:
        return e.record.IsAnsweredYes(code) ? Answered(e, code)
                                            : ObservedBy(e.record, { Specialist::Psychotherapist, 13 });
    case Code::NightUrination:
        return Answered(e, code) + QStringLiteral(", у мужчины старше 40 лет");
    case Code::EarPain:
        return Answered(e, 32);
    case Code::EyeFloaters:
        return Answered(e, 53);
    default:
        return code >= 1 && code <= QuestionCount ? Answered(e, code) : QString();
    }
}

QString FindingFact(const TExplained& e, int code)
{
    QString text = StatementFinding(e, code);
    if (text.isEmpty())
        text = MeasuredFinding(e, code);
    if (text.isEmpty())
        text = TestFinding(e, code);
    return text;
}

// A value the person did not give is never a reason: the advice rests on the
// program's starting value until the person gives it.
QString NotGivenOnAnthropometry(const QString& what)
{
    return QStringLiteral("%1: совет дан для значения по умолчанию, укажите его на странице «Антропометрия»")
        .arg(what);
}

QString Fact(const TExplained& e, const TReason& reason)
{
    switch (reason.kind) {
    case TReason::Kind::Finding:
        return FindingFact(e, reason.subject);
    case TReason::Kind::Observed:
        return QStringLiteral("Вы наблюдаетесь у %1").arg(SpecialistNames[size_t(reason.subject)]);
    case TReason::Kind::NotObserved:
        return SpecialistNames[size_t(reason.subject)];
    case TReason::Kind::AgeOver:
    case TReason::Kind::AgeUnder:
        if (!e.record.birthDate.given)
            return NotGivenOnAnthropometry(QStringLiteral("дата рождения не указана"));
        return (reason.kind == TReason::Kind::AgeOver ? QStringLiteral("возраст старше %1 лет")
                                                      : QStringLiteral("возраст младше %1 лет"))
            .arg(reason.subject);
    case TReason::Kind::Sex:
        if (!e.record.gender.given)
            return NotGivenOnAnthropometry(QStringLiteral("пол не указан"));
        return reason.subject == 1 ? QStringLiteral("мужской пол") : QStringLiteral("женский пол");
    }
    return {};
}

// "Вы не наблюдаетесь у …", said in a word when the list is long; those also
// recommended in the same conclusion are said apart, so that the line does not
// read as a reason against them.
constexpr int LongestNamedList = 3;

QStringList NotObservedLines(const QStringList& others, const QStringList& recommendedToo)
{
    QStringList lines;
    if (others.size() > LongestNamedList)
        lines << QStringLiteral(
            "Вас не наблюдает ни один из узких специалистов, к которым с этим можно было бы "
            "обратиться");
    else if (!others.isEmpty())
        lines << QStringLiteral("Вы не наблюдаетесь у %1").arg(others.join(QStringLiteral(", ")));
    if (!recommendedToo.isEmpty())
        lines << QStringLiteral("Вы не наблюдаетесь у %1, и %2 тоже рекомендована")
                     .arg(recommendedToo.join(QStringLiteral(", ")),
                         recommendedToo.size() > 1 ? QStringLiteral("их консультация")
                                                   : QStringLiteral("его консультация"));
    return lines;
}

} // namespace

QStringList ExplainReasons(const QList<TReason>& reasons, const ExaminationRecord& record,
    const ComplaintPhrases& phrases, const QDateTime& now, const TSpecialists& recommended)
{
    const TExplained e { record, phrases, now };
    QStringList lines;
    QStringList notObserving;
    QStringList recommendedToo;
    for (const TReason& reason : reasons) {
        const QString fact = Fact(e, reason);
        if (reason.kind == TReason::Kind::NotObserved)
            (recommended.test(size_t(reason.subject)) ? recommendedToo : notObserving) << fact;
        else if (!fact.isEmpty() && !lines.contains(fact))
            lines << fact;
    }
    notObserving.removeDuplicates();
    recommendedToo.removeDuplicates();
    return lines << NotObservedLines(notObserving, recommendedToo);
}
