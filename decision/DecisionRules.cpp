// Consultation rules of the DecisionU unit: which specialists to consult.
#include "decision/DecisionU.h"

#include "decision/FindingCodes.h"

namespace {

using namespace Code;
using namespace Specialist;
using S = TRuleCondition;

// Protein or erythrocytes in the urine are explained only while a urologist
// observes the person.
S UrineExplained()
{
    return !(F(UrineProtein) || F(UrineErythrocytes)) || O(Urologist);
}

// Signs that together point to a hormonal cause.
S EndocrineSuspect()
{
    return (F(Tachycardia) && F(Irritability)
               && (F(Tremor) || F(WeightLoss) || F(Sweating) || F(HeatIntolerance)
                   || (F(Appetite) && AgeUnder(40)) || F(WidePulsePressure)))
        || (F(Tachycardia) && F(WidePulsePressure) && AgeUnder(40) && (F(Tremor) || F(HeatIntolerance)))
        || (F(Irritability) && F(Tremor) && F(Sweating) && F(Appetite));
}

S CardiologistNeeded()
{
    const S es = EndocrineSuspect();
    return F(ExertionalChestPain) || ((F(HighSystolic) || F(HighDiastolic)) && UrineExplained())
        || (((F(ChestPain) && !F(Cough) && !F(Breathlessness) && !F(FluPathology))
                || (F(Palpitations) && !es))
            && !O(Rheumatologist) && AgeOver(40))
        || F(LegSwelling) || (F(EcgPathology) && AgeOver(40))
        || (F(HeartAche) && !F(BackPain) && !F(RadiatingBackPain) && !O(Rheumatologist) && !es
            && !O(Gastroenterologist) && !O(Psychotherapist));
}

S EntDoctorNeeded()
{
    return F(SoreThroat) || F(HearingLoss) || F(EarPain) || F(NeckLymphNodes) || F(JawLymphNodes);
}

S PulmonologistNeeded()
{
    return F(Choking)
        || (F(Cough)
            && ((F(ChestPain) && !F(EcgPathology)) || F(Breathlessness) || F(Sputum) || F(BloodInSputum)
                || F(PleuralPain) || F(HighEsr) || F(HighTemperature) || F(HighLeucocytes)
                || F(LowHemoglobin)))
        || (F(Breathlessness) && F(ChestPain) && AgeUnder(50) && !F(EcgPathology))
        || (UrineExplained() && !F(EcgPathology) && !O(Rheumatologist)
            && ((F(Sputum) && (F(HighEsr) || F(HighTemperature) || F(HighLeucocytes)))
                || (F(BloodInSputum) && F(HighEsr)) || (F(Weakness) && F(Chills) && F(Sputum))))
        || F(FluPathology) || (F(PleuralPain) && (F(Chills) || F(Sputum)))
        || (F(Breathlessness) && F(PleuralPain)) || (F(Sputum) && F(NightSweats)) || F(ArmpitLymphNodes);
}

S GastroenterologistNeeded()
{
    return (F(AbdominalPain) && !F(Hernia)) || F(Heartburn) || F(Belching) || F(Nausea) || F(BitterTaste)
        || F(BowelTrouble) || F(Bloating) || F(RightRibPain) || F(BlackStool);
}

S NephrologistNeeded()
{
    return (F(UrineProtein) || F(UrineErythrocytes)) && !O(Urologist);
}

S OphthalmologistNeeded()
{
    return F(PoorSight) || F(EyePain) || F(EyeFloaters);
}

S DermatologistNeeded()
{
    return F(SkinRash);
}

S NeurologistNeeded()
{
    return (F(Numbness) && !F(RadiatingBackPain)) || (F(Stiffness) && AgeOver(40))
        || (((F(HighSystolic) && F(HighDiastolic)) || (F(LowSystolic) && F(LowDiastolic))) && F(Headache)
            && F(PoorMemory))
        || (F(Dizziness) && !F(HearingLoss) && !F(EarPain)) || (F(TransientWeakness) && AgeOver(40))
        || (F(Migraine) && F(Headache)) || (F(PoorMemory) && F(PoorSleep) && F(HeadNoise))
        || (F(Irritability) && F(Flushing) && F(PoorSleep) && F(HeartAche) && !EndocrineSuspect()
            && !O(Gastroenterologist) && !O(Psychotherapist))
        || F(RadiatingBackPain) || F(BackPain) || F(MuscleAtrophy);
}

S RheumatologistNeeded()
{
    const S rowA = F(JointPain) && F(HighEsr) && UrineExplained() && !F(FluPathology) && AgeUnder(40)
        && (F(Chills) || F(MorningStiffness) || F(Weakness)
            || (F(ChestPain) && !F(Cough) && !F(Breathlessness)));
    const S rowB = AgeUnder(40)
        && ((F(Weakness) && F(HeartAche) && !F(BackPain) && !F(RadiatingBackPain))
            || (F(Palpitations) && !EndocrineSuspect()) || (F(MorningStiffness) && F(Weakness))
            || F(EcgPathology));
    return rowA || rowB;
}

S EndocrinologistNeeded()
{
    return EndocrineSuspect() || (F(HighBodyMass) && F(Drowsiness) && (F(FeelingCold) || F(LowTemperature)))
        || (F(SlowHealing) && AgeOver(25)) || F(Thirst) || F(NeckSwelling)
        || (F(PoorMemory) && (F(HighSystolic) || F(HighBodyMass))) || F(UrineSugar);
}

S OncologistNeeded()
{
    return F(Lump) || F(ChangedMole) || F(Ulcer) || F(Dysphagia)
        || (UrineExplained() && !F(Cough) && !F(Choking)
            && ((F(LowHemoglobin) && !F(FluPathology))
                || (F(Weakness) && F(Sweating) && F(PoorAppetite) && !F(JointPain))
                || (F(NightSweats) && !F(JointPain))))
        || (F(Sputum) && F(BloodInSputum) && AgeOver(50) && Male() && !F(FluPathology))
        || (F(MeatAversion) && F(LowBodyMass)) || (F(WeightLoss) && !EndocrineSuspect());
}

S PsychotherapistNeeded()
{
    return (F(Anxiety) && AgeUnder(60)) || F(PanicAttacks) || F(LowMood);
}

S NarcologistNeeded()
{
    return F(AlcoholCraving) || F(SedativeUse);
}

S SurgeonNeeded()
{
    return F(LegPainWalking) || F(LimbDeformation) || F(Hernia) || F(VaricoseVeins) || F(InflamedVeins);
}

S GynaecologistNeeded()
{
    return F(GroinLymphNodes) && Female();
}

S UrologistNeeded()
{
    return F(NightUrination) || F(PainfulUrination) || F(Code::UrineLeucocytes)
        || (F(GroinLymphNodes) && Male());
}

// Not when another doctor who would see these signs already observes the
// person; the ophthalmologist, psychotherapist and narcologist do not count.
S GeneralPractitionerNeeded()
{
    const S signs = F(HighTemperature) || F(LowLeucocytes) || F(HighLeucocytes) || F(HighEsr)
        || F(Bradycardia) || F(Tachycardia);
    return signs
        && !(O(Cardiologist) || O(EntDoctor) || O(Pulmonologist) || O(Gastroenterologist) || O(Nephrologist)
            || O(Dermatologist) || O(Neurologist) || O(Rheumatologist) || O(Endocrinologist) || O(Oncologist)
            || O(Surgeon) || O(Gynaecologist) || O(Urologist));
}

// Index = specialist number; 0 ("Здоров") has no rule and never holds.
const std::array<S, SpecialistCount>& SpecialistRules()
{
    static const std::array<S, SpecialistCount> rules {
        F(0), // code 0 is never a finding
        CardiologistNeeded(),
        EntDoctorNeeded(),
        PulmonologistNeeded(),
        GastroenterologistNeeded(),
        NephrologistNeeded(),
        OphthalmologistNeeded(),
        DermatologistNeeded(),
        NeurologistNeeded(),
        RheumatologistNeeded(),
        EndocrinologistNeeded(),
        OncologistNeeded(),
        PsychotherapistNeeded(),
        NarcologistNeeded(),
        SurgeonNeeded(),
        GynaecologistNeeded(),
        UrologistNeeded(),
        GeneralPractitionerNeeded(),
    };
    return rules;
}

} // namespace

TSpecialists ObservedSpecialists(const ExaminationRecord& record)
{
    TSpecialists observed;
    for (const ExaminationRecord::HistoryBox& box : record.HistoryBoxes()) {
        if (box.checked && box.tag > 0 && box.tag < SpecialistCount)
            observed.set(size_t(box.tag));
    }
    return observed;
}

TSpecialists ChooseSpecialists(const TRuleFacts& facts)
{
    TSpecialists recommended;
    for (int specialist = 1; specialist < SpecialistCount; ++specialist) {
        if (SpecialistRules()[size_t(specialist)].Holds(facts))
            recommended.set(size_t(specialist));
    }
    return recommended;
}

QList<TReason> SpecialistReasons(const TRuleFacts& facts, int specialist)
{
    QList<TReason> reasons;
    if (specialist > 0 && specialist < SpecialistCount)
        SpecialistRules()[size_t(specialist)].Trace(facts, reasons);
    return reasons;
}
