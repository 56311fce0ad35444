#pragma once

#include "cardio/CardioU.h"
#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "decision/ExaminationRecord.h"
#include "report/ReportBuilder.h"

#include <QUuid>

#include <memory>
#include <optional>

class TReportState;

// One examination and all that is drawn from it: the record as the person
// entered it, the conclusion, the cardiology interview, the printed report
// and the instant the conclusion was drawn at. It holds no widgets: the main
// window shows it and hands it what the person does.
class Examination {
public:
    // The complaint phrases and the cardiology knowledge base are read when
    // first needed: most starts of the program reach neither.
    Examination();
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

    // Draws the conclusion of the record at now, the instant of this
    // examination, with the notices of the interview's answers.
    const Conclusion& conclude(const QDateTime& now);
    // The conclusion of the record alone, which an interview starting now leads with.
    Conclusion concludeBeforeInterview(const QDateTime& now);
    // The conclusion drawn last; an empty one before the first.
    const Conclusion& conclusion() const { return m_conclusion; }
    bool hasConclusion() const { return m_conclusion.Now.isValid(); }

    // The interview over the knowledge base read at the first call; problem,
    // when given, gets what was said of the question file then.
    CardioInterview& interview(QString* problem = nullptr);
    TReportState& report() { return *m_report; }
    // Builds the printable report of the record and its conclusion.
    bool buildReport(const TReportStep& step);

    // Changes with every new examination and with every other person named.
    QUuid id() const { return m_id; }

private:
    const ComplaintPhrases& phrases();

    std::optional<ComplaintPhrases> m_phrases;
    std::optional<CardioKnowledgeBase> m_knowledgeBase;
    std::optional<CardioInterview> m_interview;
    std::unique_ptr<TReportState> m_report;
    // The sex of a new examination is drawn; the first draw of a run is female.
    quint32 m_seed = 0;
    ExaminationRecord m_start;
    ExaminationRecord m_record;
    Conclusion m_conclusion;
    QUuid m_id;
};
