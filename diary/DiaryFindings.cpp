#include "diary/DiaryFindings.h"

#include "decision/ComplaintPhrases.h"
#include "decision/DecisionU.h"
#include "decision/FindingCodes.h"

namespace {

struct TFindingWords {
    int code;
    const char16_t* words;
};

// In the order of the conclusion: body, temperature, pulse, pressure, tests,
// self-examination. Pressure is told once even when both of its values are out.
const TFindingWords ObjectiveWords[] {
    { Code::HighBodyMass, u"масса повышена" },
    { Code::LowBodyMass, u"масса снижена" },
    { Code::HighTemperature, u"температура повышена" },
    { Code::LowTemperature, u"температура снижена" },
    { Code::Tachycardia, u"тахикардия" },
    { Code::Bradycardia, u"брадикардия" },
    { Code::WidePulsePressure, u"пульсовое давление больше 60 мм Hg" },
    { Code::EcgPathology, u"ЭКГ: патология" },
    { Code::FluPathology, u"флюорография: патология" },
    { Code::LowHemoglobin, u"гемоглобин снижен" },
    { Code::LowLeucocytes, u"лейкоциты крови снижены" },
    { Code::HighLeucocytes, u"лейкоциты крови повышены" },
    { Code::HighEsr, u"СОЭ повышена" },
    { Code::UrineProtein, u"белок в моче" },
    { Code::UrineSugar, u"сахар в моче" },
    { Code::UrineErythrocytes, u"эритроциты в моче повышены" },
    { Code::UrineLeucocytes, u"лейкоциты в моче повышены" },
    { Code::NeckLymphNodes, u"увеличенные шейные лимфатические узлы" },
    { Code::JawLymphNodes, u"увеличенные подчелюстные лимфатические узлы" },
    { Code::ArmpitLymphNodes, u"увеличенные подмышечные лимфатические узлы" },
    { Code::GroinLymphNodes, u"увеличенные паховые лимфатические узлы" },
    { Code::MuscleAtrophy, u"атрофия мышц конечностей" },
    { Code::LimbDeformation, u"деформация конечностей" },
    { Code::VaricoseVeins, u"варикозное расширение вен конечностей" },
    { Code::InflamedVeins, u"воспаление вен конечностей" },
    { Code::Hernia, u"грыжи" },
};

constexpr int LastComplaint = 69;
// Findings that stand for a statement of another number.
constexpr std::pair<int, int> StatementOfFinding[] { { Code::EarPain, 32 }, { Code::EyeFloaters, 53 } };

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
    if (entry.hasFinding(Code::HighSystolic) || entry.hasFinding(Code::HighDiastolic))
        return QStringLiteral("гипертензия");
    if (entry.hasFinding(Code::LowSystolic) || entry.hasFinding(Code::LowDiastolic))
        return QStringLiteral("гипотензия");
    return {};
}

QStringList Complaints(const TDiaryEntry& entry)
{
    QStringList phrases;
    for (int code : entry.findings) {
        // An irregular pulse sets the finding of the palpitations statement too;
        // the diary cannot tell whether the statement was also answered.
        if (code == Code::Palpitations && !entry.rhythmic)
            continue;
        if (code >= 1 && code <= LastComplaint) {
            QString phrase = Complaint(code);
            // Set as well by a history box of a psychiatrist, psychotherapist or narcologist.
            if (code == Code::LowMood)
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
