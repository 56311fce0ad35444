#pragma once

#include "cardio/CardioU.h"
#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "decision/ExaminationRecord.h"
#include "report/ReportBuilder.h"

#include <QUuid>

#include <memory>

class TReportState;

// One examination and all that is drawn from it: the record as the person
// entered it, the conclusion, the cardiology interview, the printed report
// and the instant the conclusion was drawn at. It holds no widgets: the main
// window shows it and hands it what the person does.
class Examination {
public:
    Examination(ComplaintPhrases phrases, CardioKnowledgeBase knowledgeBase);
    ~Examination();
    Examination(const Examination&) = delete;
    Examination& operator=(const Examination&) = delete;

    // A new examination at now: the initial record with a drawn sex, no
    // conclusion, a new identity.
    void startNew(const QDateTime& now);
    const ExaminationRecord& record() const { return m_record; }
    // What the pages hold now. Another person named starts another examination.
    void setRecord(const ExaminationRecord& record);
    // Whether anything was entered or answered since the start.
    bool changedSinceStart() const { return m_record != m_start; }

    // Draws the conclusion of the record at now, the instant of this examination.
    const Conclusion& conclude(const QDateTime& now);
    // The conclusion drawn last; an empty one before the first.
    const Conclusion& conclusion() const { return m_conclusion; }
    bool hasConclusion() const { return m_conclusion.Now.isValid(); }

    CardioInterview& interview() { return m_interview; }
    TReportState& report() { return *m_report; }
    // Builds the printable report of the record and its conclusion.
    bool buildReport(const TReportStep& step);

    // Changes with every new examination and with every other person named.
    QUuid id() const { return m_id; }

private:
    const ComplaintPhrases m_phrases;
    const CardioKnowledgeBase m_knowledgeBase;
    CardioInterview m_interview;
    std::unique_ptr<TReportState> m_report;
    // The sex of a new examination is drawn; the first draw of a run is female.
    quint32 m_seed = 0;
    ExaminationRecord m_start;
    ExaminationRecord m_record;
    Conclusion m_conclusion;
    QUuid m_id;
};
