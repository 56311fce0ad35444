#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Conclusion;
class ExaminationRecord;

// The signs that need an ambulance at once, in one place for a physician to
// review: the complaint statements (Common/ksm.txt) and the cardiology
// questions (cardio/qst03.txt) that describe an emergency, each with the words
// that tell the user what they reported, and the notices built from them.
// Also the measured values that need a doctor today or an ambulance. The
// conclusion, the cardiology interview and the report read them here;
// data/Common/README-statements.md, data/Common/README-red-flags.md and
// data/cardio/README-questions.md give the reason for every entry.
namespace Emergency {

// The bounds of the measured red flags.
struct TRedFlagBounds {
    int HemoglobinBelow = 80; // g/l
    int SystolicFrom = 180;
    int DiastolicFrom = 110;
    double TemperatureFrom = 40.0;
    int PulseAbove = 130;
    int PulseBelow = 40;
    int SystolicAtMost = 90;
    double TemperatureAtMost = 35.0;
    // A pulse above this with the systolic at most SystolicAtMost: possible shock.
    int ShockPulseAbove = 100;
};
inline constexpr TRedFlagBounds RedFlags {};

// "Немедленно вызовите скорую помощь: 103 или 112."
QString CallAmbulance();

// Complaint statement numbers (counted from 1) that describe an emergency, ascending.
QList<int> Statements();
bool IsEmergencyStatement(int statement);

// Cardiology question numbers (1..83) that describe an emergency, ascending.
QList<int> CardioQuestions();
bool IsEmergencyQuestion(int question);

// What the user reported, as a phrase ("внезапную слабость руки или ноги, …");
// empty for a number that is not in the lists.
QString StatementSign(int statement);
QString QuestionSign(int question);

// The emergency statements answered Yes, ascending.
QList<int> AnsweredStatements(const ExaminationRecord& record);

// The values a red flag reads, each empty when it does not count: a vital
// sign not measured, a blood test absent or no longer recent at the
// examination. The conclusion takes them from the record, the diary from
// what it kept, so that both say the same.
struct TMeasuredValues {
    std::optional<int> hemoglobin; // g/l
    std::optional<int> systolic; // with diastolic, or neither
    std::optional<int> diastolic;
    std::optional<double> temperature;
    std::optional<int> pulse;
};

// The values of the record that count at `now`.
TMeasuredValues CountedValues(const ExaminationRecord& record, const QDateTime& now);

// One line for each value past its red-flag bound, naming the value, the bound
// and where to turn.
QStringList MeasuredNotice(const TMeasuredValues& values);

// The lines that open the conclusion when an emergency statement is answered
// Yes (what was reported and the call), then those of MeasuredNotice; empty
// when there is nothing urgent.
QStringList ConclusionNotice(const ExaminationRecord& record, const QDateTime& now);

// The notice of the emergency statements among these numbers (the first part
// of ConclusionNotice); empty when none is.
QStringList StatementNotice(const QList<int>& statements);

// The lines of the interview's urgent notice for the emergency questions
// answered Yes: the call, what was reported, and that the answer needs help
// whatever the others show; empty for no questions.
QStringList InterviewNotice(const QList<int>& questions);

// The finding codes that need a doctor today though not an ambulance (or, for
// a low mood, a word on thoughts of self-harm): one line each, that word last;
// empty when none holds. The conclusion and the diary both read them here.
QStringList SameDayNotice(const QList<int>& findings);

// The same for the cardiology questions answered Yes (1..83), ascending.
QList<int> SameDayQuestions();
QStringList InterviewSameDayNotice(const QList<int>& questions);

// Whether a line of a notice is of the same-day tier or advice beside it, not
// a call for an ambulance: shown distinct from the urgent lines.
bool IsSameDayLine(const QString& line);

// The notice that leads the interview's result: the urgent lines of the
// interview's answers and of the conclusion, then the same-day ones, then,
// when the conclusion recommends the cardiologist or the rheumatologist, that
// the interview does not replace that consultation.
QStringList InterviewResultNotice(const QList<int>& answeredYes, const Conclusion& conclusion);

// The one line that says what the program's conclusion is: a prompt to see a
// doctor, not a diagnosis.
QString NotADiagnosis();

// Whether the named explanation of the interview (cardio/RQ03nn) tells the
// person that the heart is well or that a routine visit is enough: under an
// urgent notice it is not shown.
bool IsReassuringExplanation(const QString& name);

// How the closing paragraph of every explanation begins (that the program
// does not diagnose); it stays when a reassuring explanation is left out.
QString DisclaimerStart();

} // namespace Emergency
