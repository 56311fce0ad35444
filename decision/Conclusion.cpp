#include "decision/Conclusion.h"

#include "decision/ComplaintPhrases.h"
#include "decision/Emergency.h"
#include "decision/FindingCodes.h"

using Test = ExaminationRecord::Test;

namespace {

TRuleFacts FactsOf(const Conclusion& conclusion, const ExaminationRecord& record)
{
    TRuleFacts facts;
    facts.findings = conclusion.Findings;
    facts.findings.set(Code::NightUrination, conclusion.has(Code::NightUrination));
    facts.observed = conclusion.Observed;
    facts.age = conclusion.Age;
    facts.male = record.GetGender() == 1;
    return facts;
}

void ReadTests(Conclusion& conclusion, const ExaminationRecord& record, const QDateTime& now)
{
    conclusion.Tests = { { { ECGPresent(record), ECGRecent(record, now) },
        { FluPresent(record), FluRecent(record, now) }, { BloodPresent(record), BloodRecent(record, now) },
        { UrinePresent(record), UrineRecent(record, now) } } };
}

// A finding the summary marks or a statement answered Yes; not a low mood that
// only an observing specialist's box sets, nor the index of a height or weight
// out of range.
bool MarksAnything(const Conclusion& conclusion, const ExaminationRecord& record)
{
    TFindings marked = conclusion.Findings;
    if (!record.IsAnsweredYes(Code::LowMood))
        marked.reset(Code::LowMood);
    if (record.CalcBodyMassIndex() <= 0)
        marked.reset(Code::LowBodyMass);
    return marked.any();
}

QList<int> Codes(const TFindings& findings)
{
    QList<int> codes;
    for (int code = 0; code < FindingCount; ++code) {
        if (findings.test(size_t(code)))
            codes << code;
    }
    return codes;
}

// The interview's own lines, urgent and same-day, after the conclusion's.
void AddInterviewNotices(Conclusion& conclusion, const QList<int>& answeredYes)
{
    QList<int> emergencies;
    for (int question : Emergency::CardioQuestions()) {
        if (answeredYes.contains(question))
            emergencies << question;
    }
    conclusion.Notice << Emergency::InterviewNotice(emergencies);
    conclusion.SameDay << Emergency::InterviewSameDayNotice(answeredYes);
}

} // namespace

QString SeeGeneralPractitioner()
{
    return QStringLiteral("Отмеченные значения и жалобы обсудите с терапевтом.");
}

bool Conclusion::has(int code) const
{
    if (code < 0 || code >= FindingCount || !Findings.test(size_t(code)))
        return false;
    return code != Code::NightUrination || FindingsOfManOver40;
}

bool Conclusion::heartConcern() const
{
    return Recommended.test(Specialist::Cardiologist) || Recommended.test(Specialist::Rheumatologist);
}

QList<int> Conclusion::recommendedSpecialists() const
{
    QList<int> specialists;
    for (int specialist = 0; specialist < SpecialistCount; ++specialist) {
        if (Recommended.test(size_t(specialist)))
            specialists << specialist;
    }
    return specialists;
}

QString Conclusion::recommendedList() const
{
    QStringList names;
    for (int specialist : recommendedSpecialists())
        names << SpecialistNames[size_t(specialist)];
    return names.join(QStringLiteral(", "));
}

QString Conclusion::recommendedListOrAdvice() const
{
    const QString list = recommendedList();
    return list.isEmpty() && Marked ? SeeGeneralPractitioner().chopped(1) : list;
}

QStringList Conclusion::RecommendationSentence() const
{
    const QString list = recommendedList();
    if (list.isEmpty()) {
        return { QStringLiteral("Введенные Вами данные не позволяют сделать определенного заключения."),
            Marked ? SeeGeneralPractitioner()
                   : QStringLiteral("Возможно, Вам просто надо хорошо отдохнуть?") };
    }
    if (!list.contains(QLatin1Char(',')))
        return { QStringLiteral("Вам рекомендуется консультация: %1.").arg(list) };
    return { QStringLiteral("Вам рекомендуются консультации: %1.").arg(list) };
}

bool Conclusion::present(Test test) const
{
    return Tests[size_t(test)].present;
}

bool Conclusion::recent(Test test) const
{
    return Tests[size_t(test)].recent;
}

Conclusion Conclude(const ExaminationRecord& record, const ComplaintPhrases& phrases, const QDateTime& now,
    const QList<int>& interviewAnsweredYes)
{
    Conclusion conclusion;
    conclusion.Now = now;
    conclusion.Age = record.GetAge(now);
    conclusion.Findings = ClassifyFindings(record, now);
    conclusion.FindingsOfManOver40 = record.GetGender() == 1 && conclusion.Age > 40;
    conclusion.Observed = ObservedSpecialists(record);
    conclusion.ObservedText = ObservedList(record);
    const TRuleFacts facts = FactsOf(conclusion, record);
    conclusion.Recommended = ChooseSpecialists(facts);
    for (int specialist : conclusion.recommendedSpecialists()) {
        conclusion.Reasons[size_t(specialist)] = SpecialistReasons(facts, specialist);
        conclusion.Explanations[size_t(specialist)] = ExplainReasons(
            conclusion.Reasons[size_t(specialist)], record, phrases, now, conclusion.Recommended);
    }
    ReadTests(conclusion, record, now);
    conclusion.Complaints = ComplaintList(record, phrases);
    conclusion.Marked = MarksAnything(conclusion, record);
    conclusion.Notice = Emergency::ConclusionNotice(record, now);
    conclusion.SameDay = Emergency::SameDayNotice(Codes(conclusion.Findings));
    if (!interviewAnsweredYes.isEmpty())
        AddInterviewNotices(conclusion, interviewAnsweredYes);
    try {
        ComposeConclusion(record, conclusion, conclusion.Lines, now);
    } catch (const ERecordRangeError& error) {
        conclusion.RangeError = error.message();
    }
    return conclusion;
}
