#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ExaminationRecord;

// The signs that need an ambulance at once, in one place for a physician to
// review: the complaint statements (Common/ksm.txt) and the cardiology
// questions (cardio/qst03.txt) that describe an emergency, each with the words
// that tell the user what they reported, and the notices built from them.
// The conclusion, the cardiology interview and the report read them here;
// data/Common/README-statements.md and data/cardio/README-questions.md give
// the reason for every entry.
namespace Emergency {

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

// The lines that open the conclusion when an emergency statement is answered
// Yes: what was reported and the call; empty when none is.
QStringList ConclusionNotice(const ExaminationRecord& record);
// The same notice for the emergency statements among these numbers.
QStringList StatementNotice(const QList<int>& statements);

// The lines of the interview's urgent notice for the emergency questions
// answered Yes: the call, then what was reported; empty for no questions.
QStringList InterviewNotice(const QList<int>& questions);

// The sentence of the healthy-heart explanation (cardio/RQ0300.rtf) that says
// there is no hurry; it is left out of the explanation under an urgent notice.
QString NoHurrySentence();

} // namespace Emergency
