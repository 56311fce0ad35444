#include "diary/DiaryFindings.h"

#include "decision/ComplaintPhrases.h"
#include "decision/DecisionU.h"

namespace {

struct TFindingWords {
    int code;
    const char16_t* words;
};

// In the order of the conclusion: body, temperature, pulse, pressure, tests,
// self-examination. Pressure is told once even when both of its values are out.
const TFindingWords ObjectiveWords[] {
    { 191, u"масса повышена" },
    { 91, u"масса снижена" },
    { 175, u"температура повышена" },
    { 75, u"температура снижена" },
    { 188, u"тахикардия" },
    { 88, u"брадикардия" },
    { 78, u"пульсовое давление больше 60 мм Hg" },
    { 70, u"ЭКГ: патология" },
    { 71, u"флюорография: патология" },
    { 81, u"гемоглобин снижен" },
    { 82, u"лейкоциты крови снижены" },
    { 182, u"лейкоциты крови повышены" },
    { 83, u"СОЭ повышена" },
    { 84, u"белок в моче" },
    { 85, u"сахар в моче" },
    { 86, u"эритроциты в моче повышены" },
    { 87, u"лейкоциты в моче повышены" },
    { 93, u"увеличенные шейные лимфатические узлы" },
    { 94, u"увеличенные подчелюстные лимфатические узлы" },
    { 95, u"увеличенные подмышечные лимфатические узлы" },
    { 96, u"увеличенные паховые лимфатические узлы" },
    { 97, u"атрофия мышц конечностей" },
    { 99, u"деформация конечностей" },
    { 101, u"варикозное расширение вен конечностей" },
    { 102, u"воспаление вен конечностей" },
    { 100, u"грыжи" },
};

constexpr int LastComplaint = 69;
// Findings that stand for a statement of another number.
constexpr std::pair<int, int> StatementOfFinding[] { { 92, 32 }, { 120, 53 } };
constexpr int Arrhythmia = 6;
constexpr int MentalHealth = 38;

// The diary is opened from a plugin that gets no phrases handed in: it reads
// them once, on first use.
const ComplaintPhrases& Phrases()
{
    static const ComplaintPhrases phrases = ComplaintPhrases::Load();
    return phrases;
}

QString Complaint(int statement)
{
    const QString phrase = Phrases().Phrase(statement).trimmed();
    return phrase.isEmpty() ? QStringLiteral("утверждение %1").arg(statement) : phrase;
}

QString PressureWords(const TDiaryEntry& entry)
{
    if (entry.hasFinding(176) || entry.hasFinding(177))
        return QStringLiteral("гипертензия");
    if (entry.hasFinding(76) || entry.hasFinding(77))
        return QStringLiteral("гипотензия");
    return {};
}

QStringList Complaints(const TDiaryEntry& entry)
{
    QStringList phrases;
    for (int code : entry.findings) {
        // An irregular pulse sets the finding of the palpitations statement too;
        // the diary cannot tell whether the statement was also answered.
        if (code == Arrhythmia && !entry.rhythmic)
            continue;
        if (code >= 1 && code <= LastComplaint) {
            QString phrase = Complaint(code);
            // Set as well by a history box of a psychiatrist, psychotherapist or narcologist.
            if (code == MentalHealth)
                phrase += QStringLiteral(" (или наблюдение психиатра, психотерапевта, нарколога)");
            phrases << phrase;
        }
        for (const auto& [finding, statement] : StatementOfFinding) {
            if (code == finding)
                phrases << Complaint(statement);
        }
    }
    return phrases;
}

QStringList Objective(const TDiaryEntry& entry)
{
    QStringList words;
    for (const TFindingWords& item : ObjectiveWords) {
        if (entry.hasFinding(item.code))
            words << QString::fromUtf16(item.words);
        if (item.code == 88 && !entry.rhythmic)
            words << QStringLiteral("аритмия");
        if (item.code == 88 && !PressureWords(entry).isEmpty())
            words << PressureWords(entry);
    }
    return words;
}

} // namespace

QString FindingsText(const TDiaryEntry& entry)
{
    const QString objective = Objective(entry).join(QStringLiteral(", "));
    const QStringList complaints = Complaints(entry);
    if (complaints.isEmpty())
        return objective;
    const QString told = QStringLiteral("жалобы на: %1").arg(complaints.join(QStringLiteral("; ")));
    return objective.isEmpty() ? told : objective + QStringLiteral("; ") + told;
}
