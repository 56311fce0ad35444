#include "decision/BodyMeasures.h"

#include "decision/ExaminationRecord.h"
#include "decision/Norms.h"

#include <QLocale>

namespace {

// A text that is not a number reads as 0 and is not checked.
template <class ERangeError>
double CheckedNumber(const QString& text, int min, int max, const char* tooSmall, const char* tooLarge)
{
    bool ok = false;
    // The field takes "," as well as "." for the fraction.
    const double number
        = QLocale::c().toDouble(text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    if (!ok)
        return 0;
    if (number < min)
        throw ERangeError(QString::fromUtf8(tooSmall));
    if (number > max)
        throw ERangeError(QString::fromUtf8(tooLarge));
    return number;
}

} // namespace

double CheckedHeight(const QString& text)
{
    return CheckedNumber<EHeightError>(
        text, Norms.HeightMin, Norms.HeightMax, "Рост слишком мал", "Рост слишком велик");
}

double CheckedWeight(const QString& text)
{
    return CheckedNumber<EWeightError>(
        text, Norms.WeightMin, Norms.WeightMax, "Вес слишком мал", "Вес слишком велик");
}

QString BodyMassIndexText(double index)
{
    return QStringLiteral("ИМТ - ") + QString::asprintf("%4.1f", index);
}
