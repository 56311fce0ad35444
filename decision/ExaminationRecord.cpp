#include "decision/ExaminationRecord.h"

#include "decision/BodyMeasures.h"
#include "decision/Norms.h"
#include "decision/NumberFields.h"

#include <cmath>

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


template <typename T>
Given<T> Initially(T value)
{
    return { value, false };
}

template <size_t N>
QList<ExaminationRecord::FindingBox> BoxesOf(
    const std::array<ExaminationRecord::BoxDef, N>& table, const std::array<bool, N>& ticks)
{
    QList<ExaminationRecord::FindingBox> boxes;
    for (size_t i = 0; i < N; ++i)
        boxes.append({ QString::fromUtf16(table[i].caption), ticks[i] });
    return boxes;
}

} // namespace

int WholeYearsBetween(const QDateTime& a, const QDateTime& b)
{
    return WholeCalendarMonths(a, b) / 12;
}

int WholeMonthsBetween(const QDateTime& a, const QDateTime& b)
{
    return WholeCalendarMonths(a, b);
}

ExaminationRecord ExaminationRecord::initial(const QDateTime& now, int gender)
{
    ExaminationRecord record;
    record.gender = Initially(gender);
    record.birthDate = Initially(now.addYears(-Norms.AgeMax).addYears((Norms.AgeMax + Norms.AgeMin) / 2));
    static_assert(InitialAge == Norms.AgeMax - (Norms.AgeMax + Norms.AgeMin) / 2);
    record.height = Initially(double(Norms.HeightNorm));
    record.weight = Initially(double(Norms.WeightNorm));
    record.temperatureTenths = Initially(int(std::lround(Norms.TemperatureNorm * 10)));
    record.pulse = Initially(Norms.PulseNorm);
    record.systolic = Initially(Norms.SystolicNorm);
    record.diastolic = Initially(Norms.DiastolicNorm);
    for (TestDone& test : record.tests)
        test = { true, now };
    record.hemoglobin = Initially(Norms.HemoglobinNorm);
    record.leucocytesTenths = Initially(int(std::lround(Norms.LeucocytesNorm * 10)));
    record.esr = Initially(Norms.EsrNorm);
    record.urineErythrocytes = Initially(Norms.UrineErythrocytesNorm);
    record.urineLeucocytes = Initially(Norms.UrineLeucocytesNorm);
    return record;
}

int ExaminationRecord::GetAge(const QDateTime& now) const
{
    return WholeYearsBetween(birthDate.value, now);
}

double ExaminationRecord::GetHeight() const
{
    return CheckedHeight(height.value);
}

double ExaminationRecord::GetWeight() const
{
    return CheckedWeight(weight.value);
}

double ExaminationRecord::CalcBodyMassIndex() const
{
    try {
        const double h = GetHeight();
        const double w = GetWeight();
        return h != 0 ? w / (h * h) * 10000 : 0;
    } catch (const ERecordRangeError&) {
        return 0;
    }
}

bool ExaminationRecord::IsMeasured(Vital vital) const
{
    switch (vital) {
    case Vital::Temperature:
        return temperatureTenths.given;
    case Vital::Pulse:
        return pulse.given;
    case Vital::Pressure:
        return systolic.given || diastolic.given;
    }
    return false;
}

QList<ExaminationRecord::HistoryBox> ExaminationRecord::HistoryBoxes() const
{
    QList<HistoryBox> boxes;
    for (size_t i = 0; i < HistoryPanel.size(); ++i) {
        const BoxDef& box = HistoryPanel[i];
        const bool hidden = box.tag == GynecologistTag && GetGender() != 0;
        boxes.append({ box.tag, QString::fromUtf16(box.caption), observedBy[i] && !hidden });
    }
    return boxes;
}

QList<ExaminationRecord::FindingBox> ExaminationRecord::FindingBoxes(FindingGroup group) const
{
    switch (group) {
    case FindingGroup::ECG:
        return BoxesOf(EcgBoxes, ecgFindings);
    case FindingGroup::Lymph:
        return BoxesOf(LymphBoxes, lymphNodes);
    case FindingGroup::Limbs:
        return BoxesOf(LimbBoxes, limbs);
    case FindingGroup::Hernias:
        return BoxesOf(HerniaBoxes, hernias);
    }
    return {};
}

std::optional<double> ExaminationRecord::TypedOutOfRange(BodyMeasure measure) const
{
    const bool isHeight = measure == BodyMeasure::Height;
    const std::optional<double>& typed = (isHeight ? height : weight).typed;
    return IsOutOfRange(isHeight ? NumberField::Height : NumberField::Weight, typed) ? typed : std::nullopt;
}
