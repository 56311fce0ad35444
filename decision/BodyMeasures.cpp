#include "decision/BodyMeasures.h"

#include "decision/ExaminationRecord.h"
#include "decision/Norms.h"

#include <QLocale>

#include <cmath>

namespace {

template <class ERangeError>
double CheckedNumber(double number, int min, int max, const char* tooSmall, const char* tooLarge)
{
    if (number < min)
        throw ERangeError(QString::fromUtf8(tooSmall));
    if (number > max)
        throw ERangeError(QString::fromUtf8(tooLarge));
    return number;
}

struct TMeasureRange {
    int min;
    int max;
    const char16_t* unit;
};

TMeasureRange RangeOf(ExaminationRecord::BodyMeasure measure)
{
    if (measure == ExaminationRecord::BodyMeasure::Height)
        return { Norms.HeightMin, Norms.HeightMax, u"см" };
    return { Norms.WeightMin, Norms.WeightMax, u"кг" };
}

} // namespace

double CheckedHeight(double height)
{
    return height == 0 ? 0
                       : CheckedNumber<EHeightError>(
                           height, Norms.HeightMin, Norms.HeightMax, "Рост слишком мал", "Рост слишком велик");
}

double CheckedWeight(double weight)
{
    return weight == 0 ? 0
                       : CheckedNumber<EWeightError>(
                           weight, Norms.WeightMin, Norms.WeightMax, "Вес слишком мал", "Вес слишком велик");
}

double FieldNumber(const QString& text)
{
    // The field takes "," as well as "." for the fraction.
    const double number
        = QLocale::c().toDouble(QString(text).trimmed().replace(QLatin1Char(','), QLatin1Char('.')));
    return std::isfinite(number) ? number : 0;
}

double CheckedHeight(const QString& text)
{
    return CheckedHeight(FieldNumber(text));
}

double CheckedWeight(const QString& text)
{
    return CheckedWeight(FieldNumber(text));
}

QString BodyMassIndexText(double index)
{
    return QStringLiteral("ИМТ - ") + QString::asprintf("%4.1f", index);
}

QString BodyMeasureText(const ExaminationRecord& record, ExaminationRecord::BodyMeasure measure)
{
    const TMeasureRange range = RangeOf(measure);
    const QString unit = QString::fromUtf16(range.unit);
    const bool height = measure == ExaminationRecord::BodyMeasure::Height;
    if (!(height ? record.height : record.weight).given)
        return QStringLiteral("не указан");
    const double value = height ? record.GetHeight() : record.GetWeight();
    const std::optional<double> typed = record.TypedOutOfRange(measure);
    if (!typed)
        return QStringLiteral("%1 %2").arg(QLocale().toString(value, 'f', 0).rightJustified(3), unit);
    return QStringLiteral("введено %1 %2 — вне пределов от %3 до %4 %2")
        .arg(QLocale().toString(*typed, 'f', QLocale::FloatingPointShortest), unit)
        .arg(range.min)
        .arg(range.max);
}

bool HasOwnBodyMassIndex(const ExaminationRecord& record)
{
    return record.height.given && record.weight.given && !record.IsBodyMeasureClamped();
}
