#include "app/Examination.h"

#include "app/RecordU.h"
#include "report/ReportU.h"

Examination::Examination()
    : m_report(std::make_unique<TReportState>())
{
}

Examination::~Examination() = default;

void Examination::startNew(const QDateTime& now)
{
    m_start = ExaminationRecord::initial(now, DrawGender(m_seed));
    m_record = m_start;
    m_conclusion = {};
    // The interview's page keeps hold of the interview: it starts again in place.
    if (m_interview)
        *m_interview = CardioInterview(*m_knowledgeBase);
    m_id = QUuid::createUuid();
}

void Examination::setRecord(const ExaminationRecord& record)
{
    if (record.name != m_record.name)
        m_id = QUuid::createUuid();
    m_record = record;
}

const Conclusion& Examination::conclude(const QDateTime& now)
{
    const QList<int> answeredYes = m_interview ? m_interview->AnsweredYes() : QList<int>();
    m_conclusion = Conclude(m_record, phrases(), now, answeredYes);
    return m_conclusion;
}

Conclusion Examination::concludeBeforeInterview(const QDateTime& now)
{
    return Conclude(m_record, phrases(), now);
}

const ComplaintPhrases& Examination::phrases()
{
    if (!m_phrases)
        m_phrases = ComplaintPhrases::Load();
    return *m_phrases;
}

CardioInterview& Examination::interview(QString* problem)
{
    if (!m_interview) {
        m_knowledgeBase = CardioKnowledgeBase::InitCardioKnowledgeBase(problem);
        m_interview.emplace(*m_knowledgeBase);
    }
    return *m_interview;
}

bool Examination::buildReport(const TReportStep& step)
{
    return BuildReport(*m_report, m_record, m_conclusion, step);
}
