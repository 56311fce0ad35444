#pragma once

#include "decision/ExaminationRecord.h"

#include <QString>

// The checks of the height and weight fields and the text of the body-mass
// index, shared by the record, the conclusion and the report.

// The number in the text of the height or weight field, "." or "," as the
// separator; 0 for a text that is not a number.
double FieldNumber(const QString& text);

// A height or weight as the record holds it: 0 (no number) passes unchecked,
// out of range throws EHeightError or EWeightError with the Russian message.
double CheckedHeight(double height);
double CheckedWeight(double weight);
// The same for the text of the field.
double CheckedHeight(const QString& text);
double CheckedWeight(const QString& text);

// "ИМТ - %s" with the index written as "%4.1f" ("." as separator).
QString BodyMassIndexText(double index);

// "170 см", " 70 кг" ("%3.0f"); for a value its field brought to a bound,
// what was typed and the range: "введено 250 — вне пределов от 110 до 210 см";
// "не указан" for a value the person did not give.
// Throws as GetHeight and GetWeight do.
QString BodyMeasureText(const ExaminationRecord& record, ExaminationRecord::BodyMeasure measure);

// Whether the body-mass index is the person's own: both values given and
// neither brought to a bound.
bool HasOwnBodyMassIndex(const ExaminationRecord& record);
