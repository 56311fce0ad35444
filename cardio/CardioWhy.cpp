// Why the interview asks a question, and which answers led to its conclusion,
// from the knowledge base's own likelihoods.
#include "cardio/CardioU.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr int NamedConditions = 3;
constexpr int RaisingAnswers = 3;

QString Percent(double probability)
{
    return QLocale().toString(probability * 100, 'f', 0) + QStringLiteral(" %");
}

// A move that rounds to the same whole percent is told as none.
QString Move(const QString& answer, double before, double after)
{
    if (Percent(before) == Percent(after))
        return QStringLiteral("ответ «%1» почти не изменит её (около %2)").arg(answer, Percent(before));
    const QString way = after >= before ? QStringLiteral("повысит") : QStringLiteral("понизит");
    return QStringLiteral("ответ «%1» %2 её с %3 до %4").arg(answer, way, Percent(before), Percent(after));
}

// "Астено-невротический синдром." ends its sentence itself.
QString ConditionName(int condition)
{
    QString name = ConditionNames[std::size_t(condition)];
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

QString AnswerWord(std::uint8_t answer)
{
    return answer == AnswerYes ? QStringLiteral("Да") : QStringLiteral("Нет");
}

} // namespace

double TAnswerEffect::reach() const
{
    return std::max(std::abs(ifYes - before), std::abs(ifNo - before));
}

QList<TAnswerEffect> CardioInterview::QuestionEffects(int question) const
{
    QList<TAnswerEffect> effects;
    if (question < 1 || question > CardioQuestionCount)
        return effects;
    const TDiagnosisList yes = Posterior(question, AnswerYes);
    const TDiagnosisList no = Posterior(question, AnswerNo);
    for (std::size_t k = 0; k < Diagnoses.size(); ++k) {
        const TAnswerEffect effect { Diagnoses[k].Condition, Diagnoses[k].Probability, yes[k].Probability,
            no[k].Probability };
        if (effect.reach() > 1e-9)
            effects << effect;
    }
    std::stable_sort(effects.begin(), effects.end(),
        [](const TAnswerEffect& a, const TAnswerEffect& b) { return a.reach() > b.reach(); });
    if (effects.size() > NamedConditions)
        effects.resize(NamedConditions);
    return effects;
}

QStringList CardioInterview::WhyQuestion(int question) const
{
    const QList<TAnswerEffect> effects = QuestionEffects(question);
    if (effects.isEmpty())
        return { QStringLiteral("Ответ на этот вопрос уже не изменит вероятности состояний: "
                                "остальные вопросы заданы.") };
    QStringList lines { QStringLiteral(
        "Ответ на этот вопрос сильнее всего изменит вероятность таких состояний:") };
    for (const TAnswerEffect& effect : effects) {
        lines << QStringLiteral("• %1: %2, %3.")
                     .arg(ConditionName(effect.condition),
                         Move(QStringLiteral("Да"), effect.before, effect.ifYes),
                         Move(QStringLiteral("Нет"), effect.before, effect.ifNo));
    }
    // Before any answer the figures are the program's starting points.
    return lines << QStringLiteral("Проценты — оценки программы по Вашим ответам. До первого ответа они "
                                   "исходные, одинаковые для всех, а не Ваш личный риск.");
}

QStringList CardioInterview::AnswerReasons(int condition) const
{
    if (condition < 0 || condition >= ConditionCount)
        return {};
    const auto change = [condition](const TGivenAnswer& given) {
        return given.after[std::size_t(condition)] - given.before[std::size_t(condition)];
    };
    QList<TGivenAnswer> answers = FAnswers;
    std::stable_sort(answers.begin(), answers.end(),
        [&change](const TGivenAnswer& a, const TGivenAnswer& b) { return change(a) > change(b); });
    const auto line = [this, condition](const TGivenAnswer& given) {
        return QStringLiteral("• «%1» — «%2» (с %3 до %4)")
            .arg(FBase->CardioQuestions[std::size_t(given.question)].trimmed(), AnswerWord(given.answer),
                Percent(given.before[std::size_t(condition)]), Percent(given.after[std::size_t(condition)]));
    };
    QStringList lines;
    for (int k = 0; k < std::min<int>(RaisingAnswers, int(answers.size())) && change(answers[k]) > 0; ++k) {
        if (k == 0)
            lines << QStringLiteral("Оценку состояния «%1» больше всего повысили ответы:")
                         .arg(ConditionName(condition));
        lines << line(answers[k]);
    }
    if (!answers.isEmpty() && change(answers.last()) < 0)
        lines << QStringLiteral("Больше всего понизил эту оценку ответ:") << line(answers.last());
    return lines;
}

QList<int> CardioInterview::AnsweredYes() const
{
    QList<int> questions;
    for (const TGivenAnswer& given : FAnswers) {
        if (given.answer == AnswerYes)
            questions << given.question;
    }
    return questions;
}
