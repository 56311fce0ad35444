#include "decision/DecisionU.h"

#include "decision/BodyMeasures.h"
#include "decision/FindingCodes.h"
#include "decision/Norms.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

using Test = ExaminationRecord::Test;

namespace {

bool Counts(const ExaminationRecord& record, Test test, const QDateTime& now)
{
    switch (test) {
    case Test::ECG:
        return ECGPresent(record) && ECGRecent(record, now);
    case Test::Flu:
        return FluPresent(record) && FluRecent(record, now);
    case Test::Blood:
        return BloodPresent(record) && BloodRecent(record, now);
    case Test::Urine:
        return UrinePresent(record) && UrineRecent(record, now);
    }
    return false;
}

bool IsComplaintCode(int code)
{
    return code >= 1 && code <= QuestionCount && code != 6 && code != 32 && code != 38 && code != 53;
}

bool AnyHistoryBoxWithTag(const ExaminationRecord& record, std::initializer_list<int> tags)
{
    for (const ExaminationRecord::HistoryBox& box : record.HistoryBoxes()) {
        if (box.checked && std::find(tags.begin(), tags.end(), box.tag) != tags.end())
            return true;
    }
    return false;
}

// Everything a finding condition reads, taken from the record once.
struct TClassifiedRecord {
    const ExaminationRecord& record;
    QDateTime now;
    double temperature = record.GetTemperature();
    int pulse = record.GetPulse();
    int systolic = record.GetSystolic();
    int diastolic = record.GetDiastolic();
    // An index of a height or weight not given, or of a bound that replaced the typed one, is not the person's.
    std::optional<double> bodyMassIndex
        = HasOwnBodyMassIndex(record) ? std::optional(record.CalcBodyMassIndex()) : std::nullopt;
    bool bloodCounts = Counts(record, Test::Blood, now);
    bool urineCounts = Counts(record, Test::Urine, now);
};

bool ComplaintOrSignHolds(const TClassifiedRecord& c, int code)
{
    const ExaminationRecord& r = c.record;
    switch (code) {
    case Code::Palpitations:
        return r.IsAnsweredYes(Code::Palpitations) || !r.IsPulseRhythmic();
    case Code::LowMood:
        return r.IsAnsweredYes(Code::LowMood)
            || AnyHistoryBoxWithTag(r, { Specialist::Psychotherapist, Specialist::Narcologist });
    case Code::EarPain:
        return r.IsAnsweredYes(32);
    case Code::EyeFloaters:
        return r.IsAnsweredYes(53);
    default:
        return IsComplaintCode(code) && r.IsAnsweredYes(code);
    }
}

bool VitalSignHolds(const TClassifiedRecord& c, int code)
{
    switch (code) {
    case Code::LowTemperature:
        return c.temperature < Norms.TemperatureLower;
    case Code::HighTemperature:
        return c.temperature > Norms.TemperatureUpper;
    case Code::LowSystolic:
        return c.systolic < Norms.SystolicLower;
    case Code::HighSystolic:
        return c.systolic > Norms.SystolicUpper;
    case Code::LowDiastolic:
        return c.diastolic < Norms.DiastolicLower;
    case Code::HighDiastolic:
        return c.diastolic > Norms.DiastolicUpper;
    case Code::WidePulsePressure:
        return c.systolic >= Norms.SystolicLower && c.systolic <= Norms.SystolicUpper
            && c.systolic - c.diastolic > Norms.PulsePressureBound;
    case Code::Bradycardia:
        return c.pulse < Norms.PulseLower;
    case Code::Tachycardia:
        return c.pulse > Norms.PulseUpper;
    case Code::LowBodyMass:
        return c.bodyMassIndex && *c.bodyMassIndex < Norms.BmiLower;
    case Code::HighBodyMass:
        return c.bodyMassIndex && *c.bodyMassIndex > Norms.BmiUpper;
    default:
        return false;
    }
}

bool TestFindingHolds(const TClassifiedRecord& c, int code)
{
    const ExaminationRecord& r = c.record;
    switch (code) {
    case Code::EcgPathology:
        return Counts(r, Test::ECG, c.now)
            && std::ranges::any_of(r.ecgFindings, std::identity());
    case Code::FluPathology:
        return Counts(r, Test::Flu, c.now) && r.IsFluPathology();
    case Code::LowHemoglobin:
        return c.bloodCounts && EffectiveHemoglobin(r, c.now) < Norms.HemoglobinLower;
    case Code::LowLeucocytes:
        return c.bloodCounts && EffectiveLeucocytes(r, c.now) < Norms.LeucocytesLower;
    case Code::HighLeucocytes:
        return c.bloodCounts && EffectiveLeucocytes(r, c.now) > Norms.LeucocytesUpper;
    case Code::HighEsr:
        return c.bloodCounts && EffectiveESR(r, c.now) > Norms.EsrUpper;
    case Code::UrineProtein:
        return c.urineCounts && EffectiveProtein(r, c.now);
    case Code::UrineSugar:
        return c.urineCounts && EffectiveSugar(r, c.now);
    case Code::UrineErythrocytes:
        return c.urineCounts && EffectiveUrineErythrocytes(r, c.now) > Norms.UrineErythrocytesBound;
    case Code::UrineLeucocytes:
        return c.urineCounts && EffectiveUrineLeucocytes(r, c.now) > Norms.UrineLeucocytesBound;
    default:
        return false;
    }
}

bool SelfExaminationHolds(const TClassifiedRecord& c, int code)
{
    const ExaminationRecord& r = c.record;
    switch (code) {
    case Code::NeckLymphNodes:
        return r.lymphNodes[0];
    case Code::JawLymphNodes:
        return r.lymphNodes[1];
    case Code::ArmpitLymphNodes:
        return r.lymphNodes[2];
    case Code::GroinLymphNodes:
        return r.lymphNodes[3];
    case Code::MuscleAtrophy:
        return r.limbs[2];
    case Code::LimbDeformation:
        return r.limbs[3];
    case Code::Hernia:
        return std::ranges::any_of(r.hernias, std::identity());
    case Code::VaricoseVeins:
        return r.limbs[0];
    case Code::InflamedVeins:
        return r.limbs[1];
    default:
        return false;
    }
}

bool FindingHolds(const TClassifiedRecord& c, int code)
{
    return ComplaintOrSignHolds(c, code) || VitalSignHolds(c, code) || TestFindingHolds(c, code)
        || SelfExaminationHolds(c, code);
}

} // namespace

// ---- Tests ----------------------------------------------------------------

bool ECGPresent(const ExaminationRecord& record)
{
    return !record.IsTestAbsent(Test::ECG);
}
bool FluPresent(const ExaminationRecord& record)
{
    return !record.IsTestAbsent(Test::Flu);
}
bool BloodPresent(const ExaminationRecord& record)
{
    return !record.IsTestAbsent(Test::Blood);
}
bool UrinePresent(const ExaminationRecord& record)
{
    return !record.IsTestAbsent(Test::Urine);
}

bool IsTestRecent(Test test, const QDateTime& performed, const QDateTime& now)
{
    switch (test) {
    case Test::ECG:
        return WholeYearsBetween(performed, now) < Norms.EcgValidityYears;
    case Test::Flu:
        return WholeYearsBetween(performed, now) < Norms.FluValidityYears;
    case Test::Blood:
        return WholeMonthsBetween(performed, now) <= Norms.BloodValidityMonths;
    case Test::Urine:
        return WholeMonthsBetween(performed, now) <= Norms.UrineValidityMonths;
    }
    return false;
}

bool ECGRecent(const ExaminationRecord& record, const QDateTime& now)
{
    return IsTestRecent(Test::ECG, record.TestDate(Test::ECG), now);
}

bool FluRecent(const ExaminationRecord& record, const QDateTime& now)
{
    return IsTestRecent(Test::Flu, record.TestDate(Test::Flu), now);
}

bool BloodRecent(const ExaminationRecord& record, const QDateTime& now)
{
    return IsTestRecent(Test::Blood, record.TestDate(Test::Blood), now);
}

bool UrineRecent(const ExaminationRecord& record, const QDateTime& now)
{
    return IsTestRecent(Test::Urine, record.TestDate(Test::Urine), now);
}

int EffectiveHemoglobin(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Blood, now) ? record.hemoglobin.value : Norms.HemoglobinNorm;
}

double EffectiveLeucocytes(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Blood, now) ? record.leucocytesTenths.value / 10.0 : Norms.LeucocytesNorm;
}

int EffectiveESR(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Blood, now) ? record.esr.value : Norms.EsrNorm;
}

bool EffectiveProtein(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) && record.urineProtein;
}

bool EffectiveSugar(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) && record.urineSugar;
}

int EffectiveUrineErythrocytes(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) ? record.urineErythrocytes.value : Norms.UrineErythrocytesNorm;
}

int EffectiveUrineLeucocytes(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) ? record.urineLeucocytes.value : Norms.UrineLeucocytesNorm;
}

// ---- Findings ---------------------------------------------------------------

TFindings ClassifyFindings(const ExaminationRecord& record, const QDateTime& now)
{
    TFindings findings;
    const TClassifiedRecord classified { record, now };
    for (int code = 0; code < FindingCount; ++code) {
        if (FindingHolds(classified, code))
            findings.set(size_t(code));
    }
    return findings;
}
