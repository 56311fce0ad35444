#include "decision/DecisionU.h"

#include "decision/Norms.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

using Test = ExaminationRecord::Test;

namespace {

// Whole calendar months from the earlier to the later day of two wall-clock
// date-times: an anniversary counts from the morning of its day, so the time
// of day does not matter. A day that the shorter month lacks falls on its last
// day (31 January + 1 month = 28 February; 29 February + 1 year = 28 February).
int WholeCalendarMonths(const QDateTime& a, const QDateTime& b)
{
    QDate from = a.toLocalTime().date();
    QDate to = b.toLocalTime().date();
    if (from > to)
        std::swap(from, to);
    int months = (to.year() - from.year()) * 12 + (to.month() - from.month());
    if (from.addMonths(months) > to)
        --months;
    return months;
}

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
    // An index of a bound that replaced the typed height or weight is not the person's.
    std::optional<double> bodyMassIndex
        = record.IsBodyMeasureClamped() ? std::nullopt : std::optional(record.CalcBodyMassIndex());
    bool bloodCounts = Counts(record, Test::Blood, now);
    bool urineCounts = Counts(record, Test::Urine, now);
};

bool ComplaintOrSignHolds(const TClassifiedRecord& c, int code)
{
    const ExaminationRecord& r = c.record;
    switch (code) {
    case 6:
        return r.IsAnsweredYes(6) || !r.IsPulseRhythmic();
    case 38:
        return r.IsAnsweredYes(38) || AnyHistoryBoxWithTag(r, { 12, 13 });
    case 92:
        return r.IsAnsweredYes(32);
    case 120:
        return r.IsAnsweredYes(53);
    default:
        return IsComplaintCode(code) && r.IsAnsweredYes(code);
    }
}

bool VitalSignHolds(const TClassifiedRecord& c, int code)
{
    switch (code) {
    case 75:
        return c.temperature < Norms.TemperatureLower;
    case 175:
        return c.temperature > Norms.TemperatureUpper;
    case 76:
        return c.systolic < Norms.SystolicLower;
    case 176:
        return c.systolic > Norms.SystolicUpper;
    case 77:
        return c.diastolic < Norms.DiastolicLower;
    case 177:
        return c.diastolic > Norms.DiastolicUpper;
    case 78:
        return c.systolic >= Norms.SystolicLower && c.systolic <= Norms.SystolicUpper
            && c.systolic - c.diastolic > Norms.PulsePressureBound;
    case 88:
        return c.pulse < Norms.PulseLower;
    case 188:
        return c.pulse > Norms.PulseUpper;
    case 91:
        return c.bodyMassIndex && *c.bodyMassIndex < Norms.BmiLower;
    case 191:
        return c.bodyMassIndex && *c.bodyMassIndex > Norms.BmiUpper;
    default:
        return false;
    }
}

bool TestFindingHolds(const TClassifiedRecord& c, int code)
{
    const ExaminationRecord& r = c.record;
    switch (code) {
    case 70:
        return Counts(r, Test::ECG, c.now)
            && (r.HasBundleBranchBlock() || r.HasVentricularHypertrophy() || r.HasMyocardialScarring());
    case 71:
        return Counts(r, Test::Flu, c.now) && r.IsFluPathology();
    case 81:
        return c.bloodCounts && EffectiveHemoglobin(r, c.now) < Norms.HemoglobinLower;
    case 82:
        return c.bloodCounts && EffectiveLeucocytes(r, c.now) < Norms.LeucocytesLower;
    case 182:
        return c.bloodCounts && EffectiveLeucocytes(r, c.now) > Norms.LeucocytesUpper;
    case 83:
        return c.bloodCounts && EffectiveESR(r, c.now) > Norms.EsrUpper;
    case 84:
        return c.urineCounts && EffectiveProtein(r, c.now);
    case 85:
        return c.urineCounts && EffectiveSugar(r, c.now);
    case 86:
        return c.urineCounts && EffectiveUrineErythrocytes(r, c.now) > Norms.UrineErythrocytesBound;
    case 87:
        return c.urineCounts && EffectiveUrineLeucocytes(r, c.now) > Norms.UrineLeucocytesBound;
    default:
        return false;
    }
}

bool SelfExaminationHolds(const TClassifiedRecord& c, int code)
{
    const ExaminationRecord& r = c.record;
    switch (code) {
    case 93:
        return r.LymphNeck();
    case 94:
        return r.LymphJaw();
    case 95:
        return r.LymphArmpit();
    case 96:
        return r.LymphGroin();
    case 97:
        return r.LimbAtrophy();
    case 99:
        return r.LimbDeformation();
    case 100:
        return r.HerniaGroin() || r.HerniaUmbilical() || r.HerniaAfterOperation() || r.HerniaThigh();
    case 101:
        return r.LimbVaricose();
    case 102:
        return r.LimbInflamedVeins();
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

// ---- Dates ----------------------------------------------------------------

int WholeYearsBetween(const QDateTime& a, const QDateTime& b)
{
    return WholeCalendarMonths(a, b) / 12;
}

int WholeMonthsBetween(const QDateTime& a, const QDateTime& b)
{
    return WholeCalendarMonths(a, b);
}

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
    return Counts(record, Test::Blood, now) ? record.Hemoglobin() : Norms.HemoglobinNorm;
}

double EffectiveLeucocytes(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Blood, now) ? record.LeucocytesTenths() / 10.0 : Norms.LeucocytesNorm;
}

int EffectiveESR(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Blood, now) ? record.Esr() : Norms.EsrNorm;
}

bool EffectiveProtein(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) && record.UrineProtein();
}

bool EffectiveSugar(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) && record.UrineSugar();
}

int EffectiveUrineErythrocytes(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) ? record.UrineErythrocytes() : Norms.UrineErythrocytesNorm;
}

int EffectiveUrineLeucocytes(const ExaminationRecord& record, const QDateTime& now)
{
    return Counts(record, Test::Urine, now) ? record.UrineLeucocytes() : Norms.UrineLeucocytesNorm;
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
