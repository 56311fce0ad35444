#include "decision/NumberFields.h"

#include "decision/Norms.h"

#include <QLocale>

#include <cmath>

TFieldRange FieldRange(NumberField field)
{
    switch (field) {
    case NumberField::Height:
        return { Norms.HeightMin, Norms.HeightMax, 1 };
    case NumberField::Weight:
        return { Norms.WeightMin, Norms.WeightMax, 1 };
    case NumberField::Temperature:
        return { Norms.TemperatureMinTenths, Norms.TemperatureMaxTenths, 10 };
    case NumberField::Pulse:
        return { Norms.PulseMin, Norms.PulseMax, 1 };
    case NumberField::Systolic:
    case NumberField::Diastolic:
        return { Norms.PressureMin, Norms.PressureMax, 1 };
    case NumberField::Hemoglobin:
        return { Norms.HemoglobinMin, Norms.HemoglobinMax, 1 };
    case NumberField::Leucocytes:
        return { Norms.LeucocytesMinTenths, Norms.LeucocytesMaxTenths, 10 };
    case NumberField::Esr:
        return { Norms.EsrMin, Norms.EsrMax, 1 };
    case NumberField::UrineErythrocytes:
    case NumberField::UrineLeucocytes:
        return { Norms.UrineCountMin, Norms.UrineCountMax, 1 };
    }
    return { 0, 0, 1 };
}

bool IsOutOfRange(NumberField field, const std::optional<double>& typed)
{
    if (!typed)
        return false;
    const TFieldRange range = FieldRange(field);
    const double units = std::round(*typed * range.unitsPerWhole);
    return units < range.min || units > range.max;
}

QString NumberText(
    NumberField field, const std::optional<double>& typed, const QString& kept, const QString& unit)
{
    const QString suffix = unit.isEmpty() ? QString() : u' ' + unit;
    if (!typed)
        return kept + suffix;
    const QString number = QLocale().toString(*typed, 'f', QLocale::FloatingPointShortest);
    if (!IsOutOfRange(field, typed))
        return QStringLiteral("%1%2 (округлено до %3)").arg(number, suffix, kept.trimmed());
    const TFieldRange range = FieldRange(field);
    const int decimals = range.unitsPerWhole == 1 ? 0 : 1;
    const auto bound
        = [&](int units) { return QLocale().toString(double(units) / range.unitsPerWhole, 'f', decimals); };
    return QStringLiteral("введено %1 — вне пределов от %2 до %3%4")
        .arg(number, bound(range.min), bound(range.max), suffix);
}
