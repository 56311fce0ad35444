#pragma once

#include "decision/ExaminationRecord.h"
#include "decision/RuleCondition.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <optional>

class ComplaintPhrases;
class Conclusion;

// Reduction of the examination record and the complaint answers to numbered
// findings, the consultation rules over them, and the text of the conclusion:
// the parts that Conclude (decision/Conclusion.h) puts together. Every routine
// reads the record it is given at the moment of the call. Routines that
// depend on today take `now` so that callers (and tests) evaluate one
// conclusion against one moment.

// ---- Tests: present, recent, effective values -----------------------------

bool ECGPresent(const ExaminationRecord& record);
bool FluPresent(const ExaminationRecord& record);
bool BloodPresent(const ExaminationRecord& record);
bool UrinePresent(const ExaminationRecord& record);

// Whether a test made at `performed` still counts at `now`: ECG 5 years,
// fluorography 1 year, blood and urine a month.
bool IsTestRecent(ExaminationRecord::Test test, const QDateTime& performed, const QDateTime& now);

// Recency only; the absent box is not looked at.
bool ECGRecent(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
bool FluRecent(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
bool BloodRecent(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
bool UrineRecent(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());

// The entered value of a present and recent test, the norm value otherwise.
int EffectiveHemoglobin(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
double EffectiveLeucocytes(
    const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
int EffectiveESR(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
bool EffectiveProtein(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
bool EffectiveSugar(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
int EffectiveUrineErythrocytes(
    const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());
int EffectiveUrineLeucocytes(
    const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());

// ---- Findings ---------------------------------------------------------------

constexpr int FindingCount = 256;
constexpr int QuestionCount = 69; // statements that take part in the findings and the complaints
using TFindings = std::bitset<FindingCount>;

// Every code whose condition holds for the record. Code 30 is set whatever
// the sex and age; the conclusion counts it only for a man older than 40.
TFindings ClassifyFindings(const ExaminationRecord& record, const QDateTime& now);

// ---- Consultation rules -----------------------------------------------------

constexpr int SpecialistCount = 18; // 0 "Здоров" .. 17 general practitioner
using TSpecialists = std::bitset<32>;

// Genitive names, as they follow "консультация"; index 0 is never recommended.
inline const std::array<QString, SpecialistCount> SpecialistNames {
    QStringLiteral("Здоров"),
    QStringLiteral("кардиолога"),
    QStringLiteral("ЛОР врача"),
    QStringLiteral("пульмонолога"),
    QStringLiteral("гастроэнтеролога"),
    QStringLiteral("нефролога"),
    QStringLiteral("офтальмолога"),
    QStringLiteral("дерматолога"),
    QStringLiteral("невролога"),
    QStringLiteral("ревматолога"),
    QStringLiteral("эндокринолога"),
    QStringLiteral("онколога"),
    QStringLiteral("психотерапевта"),
    QStringLiteral("нарколога"),
    QStringLiteral("хирурга"),
    QStringLiteral("гинеколога"),
    QStringLiteral("уролога"),
    QStringLiteral("терапевта"),
};

// The specialist numbers of the ticked history boxes.
TSpecialists ObservedSpecialists(const ExaminationRecord& record);

// The specialists whose rule row holds.
TSpecialists ChooseSpecialists(const TRuleFacts& facts);

// The facts that the holding row of a specialist's rule rests on, in the
// row's order; empty when the rule does not hold.
QList<TReason> SpecialistReasons(const TRuleFacts& facts, int specialist);

// ---- Conclusion text ---------------------------------------------------------

// Phrases of the statements answered Yes (1..69), joined with "; ".
QString ComplaintList(const ExaminationRecord& record, const ComplaintPhrases& phrases);

// The ticked history boxes in panel order, in the instrumental case
// ("Кардиолога" → "кардиологом"), joined with ", ".
QString ObservedList(const ExaminationRecord& record);

// Enlarged lymph nodes found, joined with ", ".
QString LymphNodeList(const Conclusion& conclusion);

// Changes of the limbs found, joined with ", ", first letter capital.
QString LimbFindingList(const Conclusion& conclusion);

// Whether any hernia was found.
bool HerniaFound(const Conclusion& conclusion);

// "120/80 <unit>", or the one number the person gave: "верхнее 75 <unit>,
// нижнее не измерено"; for a pressure measured at all. A number the field did
// not keep as typed is said as typed, each number on its own: "верхнее
// введено 350 — вне пределов от 30 до 300, нижнее 80 <unit>".
QString PressureText(const ExaminationRecord& record, const QString& unit);
// "женщина", "мужчина", or "пол не указан" while the person did not give it.
QString PersonSex(const ExaminationRecord& record);
// "27 лет", or "возраст не указан" while the person did not give the birth date.
QString PersonAge(const ExaminationRecord& record, int age);
// The same for a sex (0 female, 1 male) or an age kept without the record; none when not given.
QString PersonSex(std::optional<int> sex);
QString PersonAge(std::optional<int> age);
// The line of 150 minus signs between the blocks of the conclusion.
void AddSeparator(QStringList& memo);

// Writes the text of the conclusion after its urgent notice. An out-of-range
// height or weight throws EHeightError or EWeightError from the body line;
// memo then holds the lines written so far.
void ComposeConclusion(
    const ExaminationRecord& record, const Conclusion& conclusion, QStringList& memo, const QDateTime& now);
