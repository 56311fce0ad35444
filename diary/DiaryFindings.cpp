#include "diary/DiaryFindings.h"

#include "decision/ComplaintPhrases.h"
#include "decision/DecisionU.h"
#include "decision/FindingCodes.h"
#include "decision/FindingWords.h"

namespace {

constexpr int LastComplaint = 69;
// Findings that stand for a statement of another number.
constexpr std::pair<int, int> StatementOfFinding[] { { Code::EarPain, 32 }, { Code::EyeFloaters, 53 } };

// The diary is opened from a plugin that gets no phrases handed in: it reads
// them once, on first use.
const ComplaintPhrases& phrases()
{
    static const ComplaintPhrases phrases = ComplaintPhrases::Load();
    return phrases;
}

QString complaint(int statement)
{
    const QString phrase = phrases().Phrase(statement).trimmed();
    return phrase.isEmpty() ? QStringLiteral("утверждение %1").arg(statement) : phrase;
}

QStringList complaintPhrases(const DiaryEntry& entry)
{
    QStringList phrases;
    for (int code : entry.findings) {
        // An irregular pulse sets the finding of the palpitations statement too;
        // the diary cannot tell whether the statement was also answered.
        if (code == Code::Palpitations && !entry.rhythmic)
            continue;
        if (code >= 1 && code <= LastComplaint) {
            QString phrase = complaint(code);
            // Set as well by a history box of a psychiatrist, psychotherapist or narcologist.
            if (code == Code::LowMood)
                phrase += QStringLiteral(" (или наблюдение психиатра, психотерапевта, нарколога)");
            phrases << phrase;
        }
        for (const auto& [finding, statement] : StatementOfFinding) {
            if (code == finding)
                phrases << complaint(statement);
        }
    }
    return phrases;
}

// In the conclusion's words and order; the rhythm follows the pulse, and
// pressure is told once even when both of its values are out.
QStringList objectiveWords(const DiaryEntry& entry)
{
    QStringList words;
    bool rhythmTold = entry.rhythmic;
    for (const TFindingWord& row : FindingWordRows()) {
        if (!rhythmTold && row.group > TFindingGroup::Pulse) {
            words << QStringLiteral("аритмия");
            rhythmTold = true;
        }
        const QString alone = FindingAlone(row);
        if (entry.hasFinding(row.code) && !words.contains(alone))
            words << alone;
    }
    return words;
}

} // namespace

QString findingsText(const DiaryEntry& entry)
{
    const QString objective = objectiveWords(entry).join(QStringLiteral(", "));
    const QStringList complaints = complaintPhrases(entry);
    if (complaints.isEmpty())
        return objective;
    const QString told = QStringLiteral("жалобы на: %1").arg(complaints.join(QStringLiteral("; ")));
    return objective.isEmpty() ? told : objective + QStringLiteral("; ") + told;
}
