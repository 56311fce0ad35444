#pragma once

#include "decision/ExaminationRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <bitset>

// Reduction of the examination record and the complaint answers to numbered
// findings, the consultation rules over them, and the text of the conclusion.
// The findings, the chosen specialists and the complaint phrases are kept at
// unit level; every routine reads the record it is given at the moment of the
// call. Routines that depend on today take `now` so that callers (and tests)
// evaluate one conclusion against one moment.

// ---- Dates ----------------------------------------------------------------

// Whole calendar years between the days of two date-times, either order: a
// birthday or an anniversary counts on its day, whatever the time of day.
int WholeYearsBetween(const QDateTime& a, const QDateTime& b);

// Whole calendar months between the days of two date-times, either order; the
// day a month reaches counts, the 31st reaching the shorter month's last day.
int WholeMonthsBetween(const QDateTime& a, const QDateTime& b);

// ---- Tests: present, recent, effective values -----------------------------

bool ECGPresent(const ExaminationRecord& record);
bool FluPresent(const ExaminationRecord& record);
bool BloodPresent(const ExaminationRecord& record);
bool UrinePresent(const ExaminationRecord& record);

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

// The finding codes of the last classification.
extern TFindings Findings;

// Empties Findings and sets every code whose condition holds for the record.
void ClassifyFindings(const ExaminationRecord& record, const QDateTime& now = QDateTime::currentDateTime());

// Membership in Findings; code 30 counts only for a man older than 40 (as the
// record stood at the last classification). Codes outside 0..255 are never set.
bool HasFinding(int code);

// ---- Consultation rules -----------------------------------------------------

constexpr int SpecialistCount = 18; // 0 "Здоров" .. 17 general practitioner
constexpr int Cardiologist = 1;
constexpr int Rheumatologist = 9;
constexpr int Urologist = 16;
using TSpecialists = std::bitset<32>;

// Genitive names, as they follow "консультация"; index 0 is never recommended.
extern const std::array<QString, SpecialistCount> SpecialistNames;

// The specialists chosen by the last ChooseSpecialists, and the specialist
// numbers of the history boxes that were ticked then.
extern TSpecialists Recommended;
extern TSpecialists Observed;

// Rebuilds Observed and Recommended; runs after ClassifyFindings.
void ChooseSpecialists(const ExaminationRecord& record);

// Names of Recommended in index order, joined with ", ".
QString RecommendedList();

// One sentence naming the recommended consultations, or two lines when
// nothing is recommended.
QStringList RecommendationSentence();

// Whether the last conclusion points to the heart (cardiologist or
// rheumatologist), which opens the cardiology interview.
bool HeartSpecialistRecommended();

// ---- Conclusion text ---------------------------------------------------------

constexpr int ComplaintTextCount = 256;

// Complaint phrase of statement n at index n - 1, from Common/ANS.txt.
extern std::array<QString, ComplaintTextCount> ComplaintTexts;

// Reads Common/ANS.txt (code page 1251, CR LF, CR or LF line ends, no
// trimming, at most 256 lines). A missing or unreadable file leaves every
// phrase empty.
void LoadComplaintTexts();

// Phrases of the statements answered Yes (1..69), joined with "; ".
QString ComplaintList(const ExaminationRecord& record);

// The ticked history boxes in panel order, in the instrumental case
// ("Кардиолога" → "кардиологом"), joined with ", ".
QString ObservedList(const ExaminationRecord& record);

// Enlarged lymph nodes found, joined with ", ". Reads Findings.
QString LymphNodeList();

// Changes of the limbs found, joined with ", ", first letter capital. Reads Findings.
QString LimbFindingList();

// Whether any hernia was found. Reads Findings.
bool HerniaFound();

// The line of 150 minus signs between the blocks of the conclusion.
void AddSeparator(QStringList& memo);

// Clears memo and writes the conclusion for the current Findings and
// Recommended. An out-of-range height or weight throws EHeightError or
// EWeightError from the body line; memo then holds the lines written so far.
void ComposeConclusion(
    const ExaminationRecord& record, QStringList& memo, const QDateTime& now = QDateTime::currentDateTime());

// Classifies, chooses the specialists and composes the conclusion into memo.
void ShowConclusion(
    const ExaminationRecord& record, QStringList& memo, const QDateTime& now = QDateTime::currentDateTime());
