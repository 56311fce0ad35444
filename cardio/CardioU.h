#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <cstdint>
#include <initializer_list>

class QIODevice;

// Knowledge base and the cardiology interview: nine conditions, 83 yes/no
// questions, likelihoods and priors, and the Bayesian update.

constexpr int ConditionCount = 9;
constexpr int CardioQuestionCount = 83;

// A set of question numbers; only the elements 1..83 are used.
using QuestionSet = std::bitset<88>;

struct TDiagnosisRec {
    std::uint8_t Condition = 0;
    double Probability = 0.0;
};

using TDiagnosisList = std::array<TDiagnosisRec, ConditionCount>;

struct TLikelihood {
    double PNo = 0.0;
    double PYes = 0.0;
};

// Answer codes as the interview passes them around.
constexpr std::uint8_t AnswerNo = 1;
constexpr std::uint8_t AnswerYes = 2;

inline QuestionSet QuestionSetOf(std::initializer_list<int> questions)
{
    QuestionSet set;
    for (int q : questions)
        set.set(static_cast<std::size_t>(q));
    return set;
}

inline const std::array<QString, ConditionCount> ConditionNames = {
    QStringLiteral("Практически здоров"),
    QStringLiteral("Острый инфаркт миокарда, прогрессирующая стенокардия"),
    QStringLiteral("Стенокардия высоких функциональных классов"),
    QStringLiteral("Стенокардия 1-2 функциональных классов"),
    QStringLiteral("Пароксизмальное нарушение ритма"),
    QStringLiteral("Гипертоническая болезнь со стенокардией"),
    QStringLiteral("Гипертоническая болезнь"),
    QStringLiteral("Астено-невротический синдром."),
    QStringLiteral("Сердечная недостаточность"),
};

inline const std::array<QuestionSet, ConditionCount> ConditionQuestions = {
    QuestionSet(),
    QuestionSetOf({ 2, 5, 6, 12, 13, 14, 19, 20, 21, 22, 23, 24, 33, 40, 41, 42, 47, 49, 50, 51, 56, 67, 71,
        72, 73, 74 }),
    QuestionSetOf(
        { 2, 6, 9, 10, 13, 15, 17, 18, 24, 25, 27, 35, 38, 40, 42, 43, 46, 60, 65, 67, 71, 72, 74 }),
    QuestionSetOf({ 2, 7, 8, 13, 15, 17, 24, 25, 26, 39, 55, 56 }),
    QuestionSetOf({ 25, 26, 27, 28, 29, 30, 31, 32, 36, 53, 54, 55, 57, 58, 59 }),
    QuestionSetOf(
        { 1, 2, 6, 8, 9, 10, 15, 16, 17, 24, 36, 38, 54, 55, 58, 66, 69, 70, 75, 76, 78, 79, 80, 81, 83 }),
    QuestionSetOf({ 54, 55, 58, 66, 69, 70, 75, 76, 78, 79, 80, 81, 83 }),
    QuestionSetOf({ 1, 3, 4, 10, 11, 16, 17, 24, 25, 26, 35, 36, 37, 43, 55, 60, 66, 76 }),
    QuestionSetOf({ 1, 2, 24, 34, 35, 43, 44, 45, 48, 49, 50, 51, 53, 61, 62, 63, 67, 68, 74 }),
};

inline const TDiagnosisList DiagnosisPriors = { {
    { 0, 0.2 },
    { 1, 0.1 },
    { 2, 0.1 },
    { 3, 0.1 },
    { 4, 0.1 },
    { 5, 0.1 },
    { 6, 0.1 },
    { 7, 0.1 },
    { 8, 0.1 },
} };

// What the interview needs from the windows that show it.
class CardioView {
public:
    virtual ~CardioView() = default;
    virtual void AskQuestion(int question) = 0;
    // May throw when the explanation cannot be shown; the interview step ends there.
    virtual void ShowCardioConclusion(const QString& name) = 0;
    virtual void RefreshBars() = 0;
    virtual void ClearBarHighlight() = 0;
    virtual void ClearLegendUnderline() = 0;
};

// Next byte of the device that may appear in a question; see the .cpp for the set.
char ReadKeptChar(QIODevice& file);
// The most read of the question file: far beyond the shipped one.
inline constexpr qint64 MaxQuestionFileBytes = 1024 * 1024;

// The question texts and the likelihood table, loaded once at start-up.
class CardioKnowledgeBase {
public:
    // Question texts indexed 1..83; entry 0 stays empty.
    std::array<QString, CardioQuestionCount + 1> CardioQuestions;
    // Indexed [condition][question], questions 1..83; column 0 is unused.
    std::array<std::array<TLikelihood, CardioQuestionCount + 1>, ConditionCount> Likelihoods {};

    // The shipped questions and the likelihood table; problem, when given,
    // gets what LoadCardioQuestions says of the question file.
    static CardioKnowledgeBase InitCardioKnowledgeBase(QString* problem = nullptr);

    // Fills CardioQuestions; a missing file (or anything but a regular file)
    // leaves every text empty, a larger one is read up to MaxQuestionFileBytes.
    // Returns, in Russian, why nothing or only the beginning was read; empty when
    // the whole file was read.
    QString LoadCardioQuestions(const QString& fileName);
    void LoadCardioQuestions(QIODevice& file);
    void BuildLikelihoods();

    const TLikelihood& likelihood(int condition, int question) const;
};

void SortDiagnoses(TDiagnosisList& list);

// Whether a probability reaches the point where the interview concludes.
bool ReachesConclusion(double probability);

// How one answer to a question moves one condition's probability.
struct TAnswerEffect {
    int condition = 0;
    double before = 0.0;
    double ifYes = 0.0;
    double ifNo = 0.0;
    // The larger of the two moves, the measure the explanation sorts by.
    double reach() const;
};

// One interview: the probabilities, the questions asked, and what each answer
// did, so that a question and the conclusion can say why.
class CardioInterview {
public:
    explicit CardioInterview(const CardioKnowledgeBase& base);

    TDiagnosisList Diagnoses = DiagnosisPriors;
    QuestionSet AskedQuestions;

    const CardioKnowledgeBase& KnowledgeBase() const { return *FBase; }

    // The question that best separates the two most probable conditions;
    // 0 when every question has been asked.
    int NextQuestion() const;
    bool AllQuestionsAsked() const;

    void ResetInterview(CardioView& view);
    void ChooseNextQuestion(CardioView& view);
    void ApplyAnswer(int question, std::uint8_t answer, CardioView& view);

    // The conditions this question's answer would move most, most first: at
    // most three, only those it moves at all.
    QList<TAnswerEffect> QuestionEffects(int question) const;
    // The questions answered Yes in this interview, in the order given.
    QList<int> AnsweredYes() const;

    // «Почему этот вопрос?» in plain Russian.
    QStringList WhyQuestion(int question) const;
    // Of the answers given, the three that raised the condition's probability
    // most and the one that lowered it most, as lines for the explanation.
    QStringList AnswerReasons(int condition) const;

private:
    struct TGivenAnswer {
        int question = 0;
        std::uint8_t answer = 0;
        std::array<double, ConditionCount> before {};
        std::array<double, ConditionCount> after {};
    };

    TDiagnosisList Posterior(int question, std::uint8_t answer) const;

    const CardioKnowledgeBase* FBase;
    QList<TGivenAnswer> FAnswers;
};
