#include "cardio/CardioU.h"

#include "platform/files/CodePage.h"
#include "platform/files/DataFile.h"
#include "platform/files/DataFolder.h"

#include <QBuffer>
#include <QIODevice>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

bool isKept(unsigned char c)
{
    // Letters А..я of code page 1251 and the few signs a question needs; "ё"
    // (184, 168) lies outside that range and is dropped like everything else.
    return c == ' ' || c == ',' || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == '?' || c >= 192;
}

constexpr TLikelihood Linked { 0.2, 0.8 };
constexpr TLikelihood NotLinked { 0.5, 0.5 };
// An answer to question 5 says more about an acute infarction than any other.
constexpr TLikelihood InfarctKeySign { 0.1, 0.9 };
constexpr int InfarctCondition = 1;
constexpr int InfarctKeyQuestion = 5;

} // namespace

char ReadKeptChar(QIODevice& file)
{
    char c = 0;
    while (file.getChar(&c)) {
        if (isKept(static_cast<unsigned char>(c)))
            return c;
    }
    // At the end the last byte read stands in, kept or not.
    return c;
}

void CardioKnowledgeBase::LoadCardioQuestions(QIODevice& file)
{
    CardioQuestions.fill(QString());
    int k = 1;
    while (!file.atEnd()) {
        QByteArray text;
        char c = ReadKeptChar(file);
        while (c != '?' && !file.atEnd()) {
            text.append(c);
            c = ReadKeptChar(file);
        }
        text.append(c);
        if (k <= CardioQuestionCount)
            CardioQuestions[static_cast<std::size_t>(k)] = CodePage::toUnicode(text);
        ++k;
    }
}

QString CardioKnowledgeBase::LoadCardioQuestions(const QString& fileName)
{
    DataFile::Contents contents = DataFile::read(fileName, MaxQuestionFileBytes);
    QBuffer file(&contents.bytes);
    file.open(QIODevice::ReadOnly);
    LoadCardioQuestions(file);
    return contents.status == DataFile::Status::Missing ? QString() : contents.problem;
}

void CardioKnowledgeBase::BuildLikelihoods()
{
    for (std::size_t c = 0; c < ConditionCount; ++c) {
        Likelihoods[c][0] = NotLinked;
        for (std::size_t q = 1; q <= CardioQuestionCount; ++q)
            Likelihoods[c][q] = ConditionQuestions[c].test(q) ? Linked : NotLinked;
    }
    Likelihoods[InfarctCondition][InfarctKeyQuestion] = InfarctKeySign;
}

CardioKnowledgeBase CardioKnowledgeBase::InitCardioKnowledgeBase(QString* problem)
{
    CardioKnowledgeBase base;
    const QString said = base.LoadCardioQuestions(DataFolder::file(QStringLiteral("cardio/qst03.txt")));
    if (problem)
        *problem = said;
    base.BuildLikelihoods();
    return base;
}

const TLikelihood& CardioKnowledgeBase::likelihood(int condition, int question) const
{
    return Likelihoods[static_cast<std::size_t>(condition)][static_cast<std::size_t>(question)];
}

namespace {

// The interview looks only at the last two positions, and for ties those
// depend on exactly how this partition moves records: keep it as it is.
void quickSort(TDiagnosisList& list, int left, int right)
{
    int i = left;
    int j = right;
    const double pivot = list[static_cast<std::size_t>((left + right) / 2)].Probability;
    do {
        while (list[static_cast<std::size_t>(i)].Probability < pivot)
            ++i;
        while (pivot < list[static_cast<std::size_t>(j)].Probability)
            --j;
        if (i <= j) {
            std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (left < j)
        quickSort(list, left, j);
    if (i < right)
        quickSort(list, i, right);
}

} // namespace

void SortDiagnoses(TDiagnosisList& list)
{
    quickSort(list, 0, ConditionCount - 1);
}

CardioInterview::CardioInterview(const CardioKnowledgeBase& base)
    : FBase(&base)
{
}

int CardioInterview::NextQuestion() const
{
    const CardioKnowledgeBase& base = *FBase;
    const int top = Diagnoses[8].Condition;
    const int second = Diagnoses[7].Condition;
    double bestYes = 0.0;
    double bestNo = 0.0;
    int questionYes = 0;
    int questionNo = 0;
    for (int q = 1; q <= CardioQuestionCount; ++q) {
        if (AskedQuestions.test(static_cast<std::size_t>(q)))
            continue;
        const double ratioYes = base.likelihood(top, q).PYes / base.likelihood(second, q).PYes;
        const double ratioNo = base.likelihood(top, q).PNo / base.likelihood(second, q).PNo;
        if (ratioYes > bestYes) {
            bestYes = ratioYes;
            questionYes = q;
        }
        if (ratioNo > bestNo) {
            bestNo = ratioNo;
            questionNo = q;
        }
    }
    return bestYes >= bestNo ? questionYes : questionNo;
}

bool CardioInterview::AllQuestionsAsked() const
{
    for (int q = 1; q <= CardioQuestionCount; ++q) {
        if (!AskedQuestions.test(static_cast<std::size_t>(q)))
            return false;
    }
    return true;
}

bool ReachesConclusion(double probability)
{
    // The double nearest 0.7 lies just below 0.7 and must not reach it; every
    // double above that one is at least 0.7 exactly.
    return probability > 0.7;
}

void CardioInterview::ResetInterview(CardioView& view)
{
    Diagnoses = DiagnosisPriors;
    AskedQuestions.reset();
    FAnswers.clear();
    view.RefreshBars();
    view.ClearBarHighlight();
    view.ClearLegendUnderline();
}

void CardioInterview::ChooseNextQuestion(CardioView& view)
{
    const int question = NextQuestion();
    if (question == 0)
        return;
    AskedQuestions.set(static_cast<std::size_t>(question));
    view.AskQuestion(question);
}

TDiagnosisList CardioInterview::Posterior(int question, std::uint8_t answer) const
{
    TDiagnosisList list = Diagnoses;
    double sum = 0.0;
    for (TDiagnosisRec& record : list) {
        const TLikelihood& cell = FBase->likelihood(record.Condition, question);
        record.Probability *= answer == AnswerYes ? cell.PYes : cell.PNo;
        sum += record.Probability;
    }
    for (TDiagnosisRec& record : list)
        record.Probability /= sum;
    return list;
}

namespace {

std::array<double, ConditionCount> ByCondition(const TDiagnosisList& list)
{
    std::array<double, ConditionCount> probabilities {};
    for (const TDiagnosisRec& record : list)
        probabilities[record.Condition] = record.Probability;
    return probabilities;
}

} // namespace

void CardioInterview::ApplyAnswer(int question, std::uint8_t answer, CardioView& view)
{
    if (question < 1 || question > CardioQuestionCount || (answer != AnswerYes && answer != AnswerNo))
        return;
    TGivenAnswer given { question, answer, ByCondition(Diagnoses), {} };
    Diagnoses = Posterior(question, answer);
    given.after = ByCondition(Diagnoses);
    FAnswers << given;
    SortDiagnoses(Diagnoses);
    view.RefreshBars();
    if (ReachesConclusion(Diagnoses[8].Probability))
        view.ShowCardioConclusion(QStringLiteral("RQ030%1").arg(Diagnoses[8].Condition));
}
