// Consultation rules of the DecisionU unit: which specialists to consult.
#include "decision/DecisionU.h"

const std::array<QString, SpecialistCount> SpecialistNames {
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

TSpecialists Recommended;
TSpecialists Observed;

namespace {

bool F(int code)
{
    return HasFinding(code);
}
bool O(int specialist)
{
    return Observed.test(size_t(specialist));
}

// Protein or erythrocytes in the urine are explained only while a urologist
// observes the person.
bool UrineExplained()
{
    return !(F(84) || F(86)) || O(Urologist);
}

// Signs that together point to a hormonal cause.
bool EndocrineSuspect(int age)
{
    return (F(188) && F(4) && (F(40) || F(24) || F(41) || F(51) || (F(33) && age < 40) || F(78)))
        || (F(188) && F(78) && age < 40 && (F(40) || F(51))) || (F(4) && F(40) && F(41) && F(33));
}

// What the rows read besides the findings and Observed, fixed once per evaluation.
struct TRuleInput {
    int age = 0;
    bool male = false;
    bool urineExplained = false;
    bool endocrineSuspect = false;
};

bool CardiologistNeeded(const TRuleInput& in)
{
    const bool es = in.endocrineSuspect;
    return F(62) || ((F(176) || F(177)) && in.urineExplained)
        || (((F(7) && !F(12) && !F(14) && !F(71)) || (F(6) && !es)) && !O(9) && in.age > 40) || F(69)
        || (F(70) && in.age > 40) || (F(8) && !F(60) && !F(58) && !O(9) && !es && !O(4) && !O(12));
}

bool EntDoctorNeeded(const TRuleInput&)
{
    return F(28) || F(29) || F(92) || F(93) || F(94);
}

bool PulmonologistNeeded(const TRuleInput& in)
{
    return F(13)
        || (F(12)
            && ((F(7) && !F(70)) || F(14) || F(15) || F(16) || F(17) || F(83) || F(175) || F(182) || F(81)))
        || (F(14) && F(7) && in.age < 50 && !F(70))
        || (in.urineExplained && !F(70) && !O(9)
            && ((F(15) && (F(83) || F(175) || F(182))) || (F(16) && F(83)) || (F(1) && F(5) && F(15))))
        || F(71) || (F(17) && (F(5) || F(15))) || (F(14) && F(17)) || (F(15) && F(49)) || F(95);
}

bool GastroenterologistNeeded(const TRuleInput&)
{
    return (F(18) && !F(100)) || F(20) || F(21) || F(22) || F(23) || F(25) || F(35) || F(36) || F(37);
}

bool NephrologistNeeded(const TRuleInput&)
{
    return (F(84) || F(86)) && !O(Urologist);
}

bool OphthalmologistNeeded(const TRuleInput&)
{
    return F(63) || F(64) || F(120);
}

bool DermatologistNeeded(const TRuleInput&)
{
    return F(34);
}

bool NeurologistNeeded(const TRuleInput& in)
{
    return (F(56) && !F(58)) || (F(57) && in.age > 40)
        || (((F(176) && F(177)) || (F(76) && F(77))) && F(2) && F(50)) || (F(54) && !F(29) && !F(92))
        || (F(59) && in.age > 40) || (F(55) && F(2)) || (F(50) && F(3) && F(48))
        || (F(4) && F(61) && F(3) && F(8) && !in.endocrineSuspect && !O(4) && !O(12)) || F(58) || F(60)
        || F(97);
}

bool RheumatologistNeeded(const TRuleInput& in)
{
    const bool rowA = F(9) && F(83) && in.urineExplained && !F(71) && in.age < 40
        && (F(5) || F(10) || F(1) || (F(7) && !F(12) && !F(14)));
    const bool rowB = in.age < 40
        && ((F(1) && F(8) && !F(60) && !F(58)) || (F(6) && !in.endocrineSuspect) || (F(10) && F(1)) || F(70));
    return rowA || rowB;
}

bool EndocrinologistNeeded(const TRuleInput& in)
{
    return in.endocrineSuspect || (F(191) && F(42) && (F(31) || F(75))) || (F(44) && in.age > 25) || F(45)
        || F(46) || (F(50) && (F(176) || F(191))) || F(85);
}

bool OncologistNeeded(const TRuleInput& in)
{
    return F(65) || F(66) || F(67) || F(68)
        || (in.urineExplained && !F(12) && !F(13)
            && ((F(81) && !F(71)) || (F(1) && F(41) && F(43) && !F(9)) || (F(49) && !F(9))))
        || (F(15) && F(16) && in.age > 50 && in.male && !F(71)) || (F(19) && F(91))
        || (F(24) && !in.endocrineSuspect);
}

bool PsychotherapistNeeded(const TRuleInput& in)
{
    return (F(47) && in.age < 60) || F(52) || F(38);
}

bool NarcologistNeeded(const TRuleInput&)
{
    return F(26) || F(27);
}

bool SurgeonNeeded(const TRuleInput&)
{
    return F(11) || F(99) || F(100) || F(101) || F(102);
}

bool GynaecologistNeeded(const TRuleInput& in)
{
    return F(96) && !in.male;
}

bool UrologistNeeded(const TRuleInput& in)
{
    return F(30) || F(39) || F(87) || (F(96) && in.male);
}

// Not when another doctor who would see these signs already observes the
// person; the ophthalmologist, psychotherapist and narcologist do not count.
bool GeneralPractitionerNeeded(const TRuleInput&)
{
    const bool signs = F(175) || F(82) || F(182) || F(83) || F(88) || F(188);
    for (int specialist : { 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 14, 15, 16 }) {
        if (O(specialist))
            return false;
    }
    return signs;
}

using TSpecialistRule = bool (*)(const TRuleInput&);

// Index = specialist number; 0 ("Здоров") has no rule.
const std::array<TSpecialistRule, SpecialistCount> SpecialistRules {
    nullptr,
    CardiologistNeeded,
    EntDoctorNeeded,
    PulmonologistNeeded,
    GastroenterologistNeeded,
    NephrologistNeeded,
    OphthalmologistNeeded,
    DermatologistNeeded,
    NeurologistNeeded,
    RheumatologistNeeded,
    EndocrinologistNeeded,
    OncologistNeeded,
    PsychotherapistNeeded,
    NarcologistNeeded,
    SurgeonNeeded,
    GynaecologistNeeded,
    UrologistNeeded,
    GeneralPractitionerNeeded,
};

void CollectObserved(const ExaminationRecord& record)
{
    for (const ExaminationRecord::HistoryBox& box : record.HistoryBoxes()) {
        if (box.checked && box.tag > 0 && box.tag < SpecialistCount)
            Observed.set(size_t(box.tag));
    }
}

} // namespace

void ChooseSpecialists(const ExaminationRecord& record)
{
    Recommended.reset();
    Observed.reset();
    CollectObserved(record);

    TRuleInput input;
    input.age = record.GetAge();
    input.male = record.GetGender() == 1;
    input.urineExplained = UrineExplained();
    input.endocrineSuspect = EndocrineSuspect(input.age);

    for (int specialist = 1; specialist < SpecialistCount; ++specialist) {
        if (SpecialistRules[size_t(specialist)](input))
            Recommended.set(size_t(specialist));
    }
}

QString RecommendedList()
{
    QStringList names;
    for (int specialist = 0; specialist < SpecialistCount; ++specialist) {
        if (Recommended.test(size_t(specialist)))
            names << SpecialistNames[size_t(specialist)];
    }
    return names.join(QStringLiteral(", "));
}

QStringList RecommendationSentence()
{
    const QString list = RecommendedList();
    if (list.isEmpty()) {
        return { QStringLiteral("Введенные Вами данные не позволяют сделать определенного заключения."),
            QStringLiteral("Возможно, Вам просто надо хорошо отдохнуть?") };
    }
    if (!list.contains(QLatin1Char(',')))
        return { QStringLiteral("Вам рекомендуется консультация: %1.").arg(list) };
    return { QStringLiteral("Вам рекомендуются консультации: %1.").arg(list) };
}

bool HeartSpecialistRecommended()
{
    return Recommended.test(Cardiologist) || Recommended.test(Rheumatologist);
}
