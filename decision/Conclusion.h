#pragma once

#include "decision/DecisionU.h"
#include "decision/ExaminationRecord.h"
#include "decision/RuleCondition.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class ComplaintPhrases;

// The conclusion drawn from one examination record at one moment: its
// findings, the observed and recommended specialists, the urgent notice, the
// text and why each specialist is recommended. A value: the window keeps the
// one it showed and hands that same value on to the report and the diary.
class Conclusion {
public:
    struct TTestState {
        bool present = false;
        bool recent = false;
    };

    // The instant the conclusion was drawn at: the age, the recency of the
    // tests, the report's stamp and the diary's entry are of this moment.
    QDateTime Now;
    // Whole years from the birth date to Now.
    int Age = 0;
    TFindings Findings;
    // Question 30 is a finding only for a man older than 40.
    bool FindingsOfManOver40 = false;
    TSpecialists Observed;
    // The ticked history boxes in panel order, in the instrumental case, joined with ", ".
    QString ObservedText;
    TSpecialists Recommended;
    // The phrases of the complaints answered Yes, joined with "; ".
    QString Complaints;
    // The lines that open the conclusion when an emergency statement is
    // answered Yes or a measured value is a red flag.
    QStringList Notice;
    // The lines that follow it when a complaint or an interview answer needs
    // a doctor today though not an ambulance, or a low mood a word on
    // thoughts of self-harm.
    QStringList SameDay;
    // Whether the summary marks a value or a statement is answered Yes: then
    // a conclusion that recommends nobody sends the person to the general
    // practitioner rather than to rest.
    bool Marked = false;
    // The whole text, the notice first; when the height or weight is out of
    // range, the lines written before it.
    QStringList Lines;
    // The Russian message of an out-of-range height or weight; empty otherwise.
    QString RangeError;
    std::array<TTestState, 4> Tests;
    // Per specialist: the facts the holding rule row rests on, and the same as
    // lines of plain Russian; empty for a specialist not recommended.
    std::array<QList<TReason>, SpecialistCount> Reasons;
    std::array<QStringList, SpecialistCount> Explanations;

    // Membership in Findings, code 30 restricted as above; codes outside
    // 0..255 are never set.
    bool has(int code) const;
    // Whether the conclusion points to the heart (cardiologist or
    // rheumatologist), which opens the cardiology interview.
    bool heartConcern() const;
    // Recommended in index order.
    QList<int> recommendedSpecialists() const;
    // Names of Recommended in index order, joined with ", ".
    QString recommendedList() const;
    // The same, or when it is empty while something is marked, the advice to
    // see the general practitioner (without its full stop, as a list is), so
    // that the report never leaves it blank.
    QString recommendedListOrAdvice() const;
    // One sentence naming the recommended consultations, or two lines when
    // nothing is recommended: the second suggests rest when nothing is
    // marked, else the general practitioner.
    QStringList RecommendationSentence() const;
    bool present(ExaminationRecord::Test test) const;
    bool recent(ExaminationRecord::Test test) const;
};

// "Отмеченные значения и жалобы обсудите с терапевтом."
QString SeeGeneralPractitioner();

// Classifies the record, chooses the specialists, explains each of them and
// writes the text. The cardiology questions answered Yes in an interview that
// ran for this record add their urgent and same-day lines to the notices.
Conclusion Conclude(const ExaminationRecord& record, const ComplaintPhrases& phrases, const QDateTime& now,
    const QList<int>& interviewAnsweredYes = {});

// One line of plain Russian per fact of a specialist's reasons, the
// specialists who do not observe gathered into one line (a long list said in
// a word; one also recommended said so).
QStringList ExplainReasons(const QList<TReason>& reasons, const ExaminationRecord& record,
    const ComplaintPhrases& phrases, const QDateTime& now, const TSpecialists& recommended = {});
