#pragma once

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>

class QIODevice;

// Knowledge base and state of the cardiology interview: nine conditions,
// 83 yes/no questions, likelihoods and priors, and the Bayesian update.

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

extern const std::array<QString, ConditionCount> ConditionNames;
extern const std::array<QuestionSet, ConditionCount> ConditionQuestions;
extern const TDiagnosisList DiagnosisPriors;

// Question texts indexed 1..83; entry 0 stays empty.
extern std::array<QString, CardioQuestionCount + 1> CardioQuestions;
// Indexed [condition][question], questions 1..83; column 0 is unused.
extern std::array<std::array<TLikelihood, CardioQuestionCount + 1>, ConditionCount> Likelihoods;

extern TDiagnosisList Diagnoses;
extern QuestionSet AskedQuestions;

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
// Fills CardioQuestions; a missing file (or anything but a regular file)
// leaves every text empty, a larger one is read up to MaxQuestionFileBytes.
// Returns, in Russian, why nothing or only the beginning was read; empty when
// the whole file was read.
QString LoadCardioQuestions(const QString& fileName);
void LoadCardioQuestions(QIODevice& file);
void BuildLikelihoods();
// Start-up load of the shipped questions and the likelihood table; returns
// what LoadCardioQuestions says of the question file.
QString InitCardioKnowledgeBase();

void SortDiagnoses(TDiagnosisList& list);

// The question that best separates the two most probable conditions;
// 0 when every question has been asked.
int NextQuestion();
bool AllQuestionsAsked();
// Whether a probability reaches the point where the interview concludes.
bool ReachesConclusion(double probability);

void ResetInterview(CardioView& view);
void ChooseNextQuestion(CardioView& view);
void ApplyAnswer(int question, std::uint8_t answer, CardioView& view);
