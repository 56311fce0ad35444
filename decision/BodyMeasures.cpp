#include "decision/BodyMeasures.h"

#include "decision/ExaminationRecord.h"
#include "decision/Norms.h"
#include "decision/NumberFields.h"

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
    const bool height = measure == ExaminationRecord::BodyMeasure::Height;
    const Given<double>& given = height ? record.height : record.weight;
    if (!given.given)
        return QStringLiteral("не указан");
    const double value = height ? record.GetHeight() : record.GetWeight();
    return NumberText(height ? NumberField::Height : NumberField::Weight, given,
        QLocale().toString(value, 'f', 0).rightJustified(3),
        height ? QStringLiteral("см") : QStringLiteral("кг"));
}

bool HasOwnBodyMassIndex(const ExaminationRecord& record)
{
    return record.height.given && record.weight.given && !record.IsBodyMeasureClamped();
}
