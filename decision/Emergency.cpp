#include "decision/Emergency.h"

#include "decision/Conclusion.h"
#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"
#include "decision/FindingCodes.h"
#include "decision/NumberFields.h"
#include "decision/RussianPlural.h"

#include <QLocale>

#include <algorithm>
#include <span>

namespace {

struct TSign {
    int number;
    const char16_t* reported; // accusative, to follow "Вы отметили:"
};

// Common/ksm.txt. The reasons are in data/Common/README-statements.md.
constexpr TSign StatementSigns[] {
    { 7, u"боли в груди" },
    { 13, u"приступы удушья" },
    { 37, u"чёрный стул или кровь в кале" },
    { 59, u"внезапную слабость руки или ноги, онемение лица или нарушение речи" },
};

// cardio/qst03.txt. The reasons are in data/cardio/README-questions.md.
constexpr TSign QuestionSigns[] {
    { 5, u"сильную боль за грудиной дольше 15 минут, не прошедшую после нитроглицерина" },
    { 12, u"боль в груди, отдающую в руку, челюсть или спину, с холодным потом" },
    { 19, u"приступы боли в груди, ставшие в последние дни чаще, сильнее или дольше" },
    { 21, u"резкую слабость, бледность или обморок во время боли в груди" },
    { 23, u"приступ боли в груди, не прошедший после трёх таблеток нитроглицерина" },
    { 41, u"небывало сильную боль в груди" },
    { 47, u"боль в груди с резкой одышкой и кашлем с пенистой мокротой" },
    { 51, u"синеву губ и кончиков пальцев при одышке" },
    { 57, u"падение давления с головокружением во время сердцебиения" },
    { 67, u"падение давления во время боли в груди или одышки" },
    { 72, u"резкий подъём давления во время боли в груди, когда нитроглицерин помогает плохо" },
    { 73, u"падение давления ниже 90 во время сильной боли в груди" },
};

// cardio/qst03.txt: a doctor today, not an ambulance. The reasons are in
// data/cardio/README-questions.md.
constexpr TSign SameDayQuestionSigns[] {
    { 6, u"боль за грудиной даже при небольшой нагрузке" },
    { 20, u"приступы боли за грудиной, впервые появившиеся в последний месяц" },
    { 40, u"боль за грудиной, которая будит ночью" },
    { 49, u"внезапную одышку, при которой приходится сесть" },
};

const TSign* Find(std::span<const TSign> signs, int number)
{
    const auto found = std::find_if(
        signs.begin(), signs.end(), [number](const TSign& sign) { return sign.number == number; });
    return found == signs.end() ? nullptr : &*found;
}

QList<int> Numbers(std::span<const TSign> signs)
{
    QList<int> numbers;
    for (const TSign& sign : signs)
        numbers << sign.number;
    return numbers;
}

QString Reported(std::span<const TSign> signs, const QList<int>& numbers)
{
    QStringList phrases;
    for (int number : numbers) {
        if (const TSign* sign = Find(signs, number))
            phrases << QString::fromUtf16(sign->reported);
    }
    return QStringLiteral("Вы отметили: %1.").arg(phrases.join(QStringLiteral("; ")));
}

using Vital = ExaminationRecord::Vital;

const QString SameDayLead = QStringLiteral("СЕГОДНЯ ЖЕ!");

// Statement 59 outside the hours in which an ambulance helps most.
QString StrokeSignsPassed()
{
    return QStringLiteral(
        "Если это было больше суток назад и уже прошло, всё равно не откладывайте: покажитесь "
        "неврологу в ближайшие сутки, а если прошло больше недели — в течение недели, не в "
        "плановом порядке: после таких приступов в первые дни высок риск инсульта.");
}

QString EyeFloatersToday()
{
    return QStringLiteral("%1 Вы отметили: пелену, «мушки» или вспышки перед глазами. Если это появилось "
                          "впервые, стало чаще или закрывает часть поля зрения, сегодня же обратитесь к "
                          "офтальмологу (в неотложный глазной кабинет): так может начинаться отслойка "
                          "сетчатки, и зрение удаётся сохранить, только если лечить её в первые дни.")
        .arg(SameDayLead);
}

QString SelfHarmThoughts()
{
    return QStringLiteral(
        "Если при подавленном настроении появляются мысли причинить себе вред или о том, что "
        "не хочется жить, не оставайтесь с ними одни: сразу позвоните 112 или на телефон "
        "доверия и расскажите о них близкому человеку и врачу.");
}

QString HeartConsultationStays(const Conclusion& conclusion)
{
    QStringList names;
    for (int specialist : { Specialist::Cardiologist, Specialist::Rheumatologist }) {
        if (conclusion.Recommended.test(size_t(specialist)))
            names << SpecialistNames[size_t(specialist)];
    }
    if (names.isEmpty())
        return {};
    return QStringLiteral("Опрос не заменяет консультацию %1, которую рекомендует заключение: обратитесь к "
                          "врачу, что бы ни показал опрос.")
        .arg(names.join(QStringLiteral(" и ")));
}

QString SeekCareToday(const char16_t* dangerSigns)
{
    return QStringLiteral(
        "Обратитесь к врачу сегодня; если %1, немедленно вызовите скорую помощь: 103 или 112.")
        .arg(QString::fromUtf16(dangerSigns));
}

QString Urgent(const QString& value, const QString& bound, const QString& advice)
{
    return QStringLiteral("СРОЧНО! %1 (%2). %3").arg(value, bound, advice);
}

// The reasons for the bounds and the advice are in data/Common/README-red-flags.md.
void AddHemoglobinFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    if (!values.hemoglobin || *values.hemoglobin >= Emergency::RedFlags.HemoglobinBelow)
        return;
    lines << Urgent(QStringLiteral("Гемоглобин %1 г/л").arg(*values.hemoglobin),
        QStringLiteral("ниже %1 г/л").arg(Emergency::RedFlags.HemoglobinBelow),
        SeekCareToday(u"есть обморок, одышка в покое, чёрный стул или кровотечение"));
}

// "Артериальное давление 190/115", or the one number given: "верхнее артериальное давление 190".
QString PressureWords(const Emergency::TMeasuredValues& values)
{
    if (values.systolic && values.diastolic)
        return QStringLiteral("Артериальное давление %1/%2").arg(*values.systolic).arg(*values.diastolic);
    return values.systolic ? QStringLiteral("Верхнее артериальное давление %1").arg(*values.systolic)
                           : QStringLiteral("Нижнее артериальное давление %1").arg(*values.diastolic);
}

void AddPressureFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    if (values.systolic.value_or(0) < Emergency::RedFlags.SystolicFrom
        && values.diastolic.value_or(0) < Emergency::RedFlags.DiastolicFrom)
        return;
    lines << Urgent(PressureWords(values),
        QStringLiteral("%1/%2 или выше")
            .arg(Emergency::RedFlags.SystolicFrom)
            .arg(Emergency::RedFlags.DiastolicFrom),
        SeekCareToday(u"болит голова или грудь, нарушены речь или зрение, ослабла рука или нога"));
}

// Tenths, so that 40,0 typed is 40,0 compared.
int Tenths(double temperature)
{
    return qRound(temperature * 10);
}

QString TemperatureWords(double temperature)
{
    return QStringLiteral("Температура тела %1 %2")
        .arg(QLocale().toString(temperature, 'f', 1), PluralForm(temperature, 1, Nouns::Degree));
}

void AddLowPressureFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    const auto& bounds = Emergency::RedFlags;
    if (!values.systolic || *values.systolic > bounds.SystolicAtMost)
        return;
    lines << Urgent(PressureWords(values), QStringLiteral("верхнее %1 или ниже").arg(bounds.SystolicAtMost),
        SeekCareToday(u"был обморок, есть спутанность сознания или холодный пот"));
    if (values.pulse && *values.pulse > bounds.ShockPulseAbove) {
        lines << QStringLiteral("СРОЧНО! Низкое давление вместе с частым пульсом (%1 %2 в минуту) бывает при "
                                "шоке — кровопотере, обезвоживании, тяжёлой инфекции. %3")
                     .arg(*values.pulse)
                     .arg(PluralForm(*values.pulse, Nouns::Beat), Emergency::CallAmbulance());
    }
}

void AddLowTemperatureFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    if (!values.temperature || Tenths(*values.temperature) > Tenths(Emergency::RedFlags.TemperatureAtMost))
        return;
    lines << Urgent(TemperatureWords(*values.temperature),
        QStringLiteral("%1 или ниже, переохлаждение")
            .arg(QLocale().toString(Emergency::RedFlags.TemperatureAtMost, 'f', 1)),
        QStringLiteral("Согрейтесь и измерьте температуру снова. ")
            + SeekCareToday(u"появились сонливость, вялость или спутанность сознания"));
}

void AddTemperatureFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    if (!values.temperature || Tenths(*values.temperature) < Tenths(Emergency::RedFlags.TemperatureFrom))
        return;
    lines << Urgent(TemperatureWords(*values.temperature),
        QStringLiteral("%1 или выше").arg(QLocale().toString(Emergency::RedFlags.TemperatureFrom, 'f', 1)),
        SeekCareToday(u"есть спутанность сознания, судороги, сыпь или трудно дышать"));
}

void AddPulseFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    if (!values.pulse)
        return;
    const int pulse = *values.pulse;
    const bool fast = pulse > Emergency::RedFlags.PulseAbove;
    if (!fast && pulse >= Emergency::RedFlags.PulseBelow)
        return;
    lines << Urgent(
        QStringLiteral("Пульс в покое %1 %2 в минуту").arg(pulse).arg(PluralForm(pulse, Nouns::Beat)),
        fast ? QStringLiteral("чаще %1").arg(Emergency::RedFlags.PulseAbove)
             : QStringLiteral("реже %1").arg(Emergency::RedFlags.PulseBelow),
        SeekCareToday(u"кружится голова, был обморок, болит грудь или не хватает воздуха"));
}

} // namespace

namespace Emergency {

QString CallAmbulance()
{
    return QStringLiteral("Немедленно вызовите скорую помощь: 103 или 112.");
}

bool IsReassuringExplanation(const QString& name)
{
    // RQ0300 "Практически здоров", RQ0307 the asthenic syndrome ("not a disease of the heart").
    return name == QLatin1String("RQ0300") || name == QLatin1String("RQ0307");
}

QString DisclaimerStart()
{
    return QStringLiteral("Тессора не ставит диагноз");
}

QList<int> Statements()
{
    return Numbers(StatementSigns);
}

bool IsEmergencyStatement(int statement)
{
    return Find(StatementSigns, statement) != nullptr;
}

QList<int> CardioQuestions()
{
    return Numbers(QuestionSigns);
}

bool IsEmergencyQuestion(int question)
{
    return Find(QuestionSigns, question) != nullptr;
}

QString StatementSign(int statement)
{
    const TSign* sign = Find(StatementSigns, statement);
    return sign ? QString::fromUtf16(sign->reported) : QString();
}

QString QuestionSign(int question)
{
    const TSign* sign = Find(QuestionSigns, question);
    return sign ? QString::fromUtf16(sign->reported) : QString();
}

QList<int> AnsweredStatements(const ExaminationRecord& record)
{
    QList<int> answered;
    for (const TSign& sign : StatementSigns) {
        if (record.IsAnsweredYes(sign.number))
            answered << sign.number;
    }
    return answered;
}

// What the person typed counts, also where its field kept a bound instead:
// a pulse typed as 400 needs care today.
TMeasuredValues CountedValues(const ExaminationRecord& record, const QDateTime& now)
{
    TMeasuredValues values;
    if (record.hemoglobin.given && BloodPresent(record) && BloodRecent(record, now))
        values.hemoglobin = qRound(TypedNumber(NumberField::Hemoglobin, record.hemoglobin));
    // Each of the pair counts only as given: the other one's initial value is not the person's.
    if (record.systolic.given)
        values.systolic = qRound(TypedNumber(NumberField::Systolic, record.systolic));
    if (record.diastolic.given)
        values.diastolic = qRound(TypedNumber(NumberField::Diastolic, record.diastolic));
    if (record.IsMeasured(Vital::Temperature))
        values.temperature = TypedNumber(NumberField::Temperature, record.temperatureTenths);
    if (record.IsMeasured(Vital::Pulse))
        values.pulse = qRound(TypedNumber(NumberField::Pulse, record.pulse));
    return values;
}

QStringList MeasuredNotice(const TMeasuredValues& values)
{
    QStringList lines;
    AddHemoglobinFlag(values, lines);
    AddPressureFlag(values, lines);
    AddLowPressureFlag(values, lines);
    AddTemperatureFlag(values, lines);
    AddLowTemperatureFlag(values, lines);
    AddPulseFlag(values, lines);
    return lines;
}

QStringList ConclusionNotice(const ExaminationRecord& record, const QDateTime& now)
{
    return StatementNotice(AnsweredStatements(record)) << MeasuredNotice(CountedValues(record, now));
}

QStringList StatementNotice(const QList<int>& statements)
{
    QList<int> answered;
    for (int statement : statements) {
        if (IsEmergencyStatement(statement))
            answered << statement;
    }
    if (answered.isEmpty())
        return {};
    QStringList lines { QStringLiteral("СРОЧНО! %1").arg(Reported(StatementSigns, answered)),
        QStringLiteral("Это может быть признаком состояния, опасного для жизни. Если это происходит сейчас "
                       "или случилось в последние сутки, не ждите консультации. %1")
            .arg(CallAmbulance()) };
    if (answered.contains(Code::TransientWeakness))
        lines << StrokeSignsPassed();
    return lines;
}

QStringList SameDayNotice(const QList<int>& findings)
{
    // What needs a doctor today first, then the word for a moment that may come.
    QStringList lines;
    if (findings.contains(Code::EyeFloaters))
        lines << EyeFloatersToday();
    if (findings.contains(Code::LowMood))
        lines << SelfHarmThoughts();
    return lines;
}

QList<int> SameDayQuestions()
{
    return Numbers(SameDayQuestionSigns);
}

QStringList InterviewSameDayNotice(const QList<int>& questions)
{
    QList<int> answered;
    for (int question : questions) {
        if (Find(SameDayQuestionSigns, question) && !answered.contains(question))
            answered << question;
    }
    if (answered.isEmpty())
        return {};
    std::sort(answered.begin(), answered.end());
    return { QStringLiteral("%1 В опросе %2 Сегодня же обратитесь к врачу (терапевту или кардиологу), не "
                            "откладывая на плановый приём: так бывает при нестабильной стенокардии или "
                            "сердечной недостаточности. Если боль в груди длится дольше 15 минут или одышка "
                            "не проходит в покое, вызывайте скорую помощь: 103 или 112.")
                 .arg(SameDayLead, Reported(SameDayQuestionSigns, answered)) };
}

bool IsSameDayLine(const QString& line)
{
    return line.startsWith(SameDayLead) || line == SelfHarmThoughts()
        || line.startsWith(QStringLiteral("Опрос не заменяет"));
}

QStringList InterviewResultNotice(const QList<int>& answeredYes, const Conclusion& conclusion)
{
    QList<int> emergencies;
    for (int question : answeredYes) {
        if (IsEmergencyQuestion(question) && !emergencies.contains(question))
            emergencies << question;
    }
    QStringList lines = InterviewNotice(emergencies)
        << conclusion.Notice << InterviewSameDayNotice(answeredYes) << conclusion.SameDay;
    const QString consultation = HeartConsultationStays(conclusion);
    if (!consultation.isEmpty())
        lines << consultation;
    return lines;
}

QString NotADiagnosis()
{
    return QStringLiteral("Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: "
                          "диагноз ставит только врач.");
}

QStringList InterviewNotice(const QList<int>& questions)
{
    if (questions.isEmpty())
        return {};
    return { CallAmbulance(), Reported(QuestionSigns, questions),
        QStringLiteral("Это признаки состояния, опасного для жизни: такой ответ требует скорой помощи, "
                       "что бы ни показали остальные ответы.") };
}

} // namespace Emergency
