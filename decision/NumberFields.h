#pragma once

#include "decision/ExaminationRecord.h"

#include <QString>

#include <optional>

// The number fields of the examination pages: the range each keeps and how a
// value is said when the field did not keep the number the person typed.
enum class NumberField {
    Height,
    Weight,
    Temperature,
    Pulse,
    Systolic,
    Diastolic,
    Hemoglobin,
    Leucocytes,
    Esr,
    UrineErythrocytes,
    UrineLeucocytes
};

struct TFieldRange {
    int min; // in the units the field keeps
    int max;
    int unitsPerWhole; // 10 for a field of tenths
};

TFieldRange FieldRange(NumberField field);

// Whether a typed number lay outside its field's range once rounded to what
// the field keeps; false for none typed.
bool IsOutOfRange(NumberField field, const std::optional<double>& typed);

// A value as the person gave it, `kept` being the field's number as the text
// writes it and `unit` what follows a number ("см"; may be empty):
//   "170 см" when the field kept what was typed;
//   "70,5 кг (округлено до 71)" for a number finer than the field keeps;
//   "введено 250 — вне пределов от 110 до 210 см" for one outside its range.
QString NumberText(
    NumberField field, const std::optional<double>& typed, const QString& kept, const QString& unit = {});

template <typename T>
QString NumberText(NumberField field, const Given<T>& value, const QString& kept, const QString& unit = {})
{
    return NumberText(field, value.typed, kept, unit);
}

// The number the person typed, else the one the field holds, in whole units:
// what a red flag and «Почему?» quote.
template <typename T> double TypedNumber(NumberField field, const Given<T>& value)
{
    return value.typed.value_or(double(value.value) / FieldRange(field).unitsPerWhole);
}

// The number the diary keeps: what the person typed, also where its field
// kept a bound; none for a value not given, or one out of range that was
// never typed so (a field still being typed in), so that no trend runs through it.
template <typename T> std::optional<double> OwnNumber(NumberField field, const Given<T>& value)
{
    const double number = TypedNumber(field, value);
    if (!value.given || (!value.typed && IsOutOfRange(field, number)))
        return std::nullopt;
    return number;
}
