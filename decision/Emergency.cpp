#include "decision/Emergency.h"

#include "decision/ExaminationRecord.h"

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

} // namespace

namespace Emergency {

QString CallAmbulance()
{
    return QStringLiteral("Немедленно вызовите скорую помощь: 103 или 112.");
}

QString NoHurrySentence()
{
    return QStringLiteral("Срочно обращаться к врачу не нужно.");
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

QStringList ConclusionNotice(const ExaminationRecord& record)
{
    return StatementNotice(AnsweredStatements(record));
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
        QStringLiteral(
            "Это признаки состояния, опасного для жизни: помощь нужна сейчас, что бы ни показал опрос.") };
}

} // namespace Emergency
