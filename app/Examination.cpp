#include "app/Examination.h"

#include "app/RecordU.h"
#include "report/ReportU.h"

Examination::Examination(ComplaintPhrases phrases, CardioKnowledgeBase knowledgeBase)
    : m_phrases(std::move(phrases))
    , m_knowledgeBase(std::move(knowledgeBase))
    , m_interview(m_knowledgeBase)
    , m_report(std::make_unique<TReportState>())
{
}

Examination::~Examination() = default;

void Examination::startNew(const QDateTime& now)
{
    m_start = ExaminationRecord::initial(now, DrawGender(m_seed));
    m_record = m_start;
    m_conclusion = {};
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
    m_conclusion = Conclude(m_record, m_phrases, now);
    return m_conclusion;
}

bool Examination::buildReport(const TReportStep& step)
{
    return BuildReport(*m_report, m_record, m_conclusion, step);
}
