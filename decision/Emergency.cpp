#include "decision/Emergency.h"

#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"
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

void AddPressureFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    if (!values.systolic || !values.diastolic
        || (*values.systolic < Emergency::RedFlags.SystolicFrom
            && *values.diastolic < Emergency::RedFlags.DiastolicFrom))
        return;
    lines << Urgent(
        QStringLiteral("Артериальное давление %1/%2").arg(*values.systolic).arg(*values.diastolic),
        QStringLiteral("%1/%2 или выше")
            .arg(Emergency::RedFlags.SystolicFrom)
            .arg(Emergency::RedFlags.DiastolicFrom),
        SeekCareToday(u"болит голова или грудь, нарушены речь или зрение, ослабла рука или нога"));
}

void AddTemperatureFlag(const Emergency::TMeasuredValues& values, QStringList& lines)
{
    // Tenths, so that 40,0 typed is 40,0 compared.
    if (!values.temperature
        || qRound(*values.temperature * 10) < qRound(Emergency::RedFlags.TemperatureFrom * 10))
        return;
    const double temperature = *values.temperature;
    lines << Urgent(
        QStringLiteral("Температура тела %1 %2")
            .arg(QLocale().toString(temperature, 'f', 1), PluralForm(temperature, 1, Nouns::Degree)),
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

TMeasuredValues CountedValues(const ExaminationRecord& record, const QDateTime& now)
{
    TMeasuredValues values;
    if (BloodPresent(record) && BloodRecent(record, now))
        values.hemoglobin = record.hemoglobin.value;
    if (record.IsMeasured(Vital::Pressure)) {
        values.systolic = record.GetSystolic();
        values.diastolic = record.GetDiastolic();
    }
    if (record.IsMeasured(Vital::Temperature))
        values.temperature = record.GetTemperature();
    if (record.IsMeasured(Vital::Pulse))
        values.pulse = record.GetPulse();
    return values;
}

QStringList MeasuredNotice(const TMeasuredValues& values)
{
    QStringList lines;
    AddHemoglobinFlag(values, lines);
    AddPressureFlag(values, lines);
    AddTemperatureFlag(values, lines);
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
    return { QStringLiteral("СРОЧНО! %1").arg(Reported(StatementSigns, answered)),
        QStringLiteral("Это может быть признаком состояния, опасного для жизни. Если это происходит сейчас "
                       "или случилось в последние сутки, не ждите консультации. %1")
            .arg(CallAmbulance()) };
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
