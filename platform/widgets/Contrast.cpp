#include "platform/widgets/Contrast.h"

#include <algorithm>
#include <cmath>

namespace Contrast {

namespace {

double Channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Channel(rgb.redF()) + 0.7152 * Channel(rgb.greenF()) + 0.0722 * Channel(rgb.blueF());
}

} // namespace

double Ratio(const QColor& first, const QColor& second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    const auto [darker, lighter] = std::minmax(a, b);
    return (lighter + 0.05) / (darker + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& background, double least)
{
    if (Ratio(wanted, background) >= least)
        return wanted;
    const QColor towards = Luminance(background) < 0.18 ? Qt::white : Qt::black;
    // Mixing towards white or black only raises the ratio: the first mix that reads is the nearest.
    for (int percent = 5; percent < 100; percent += 5) {
        const QColor mixed = Mix(towards, wanted, percent / 100.0);
        if (Ratio(mixed, background) >= least)
            return mixed;
    }
    return towards;
}

QColor Mix(const QColor& wanted, const QColor& background, double amount)
{
    const QColor a = wanted.toRgb();
    const QColor b = background.toRgb();
    const auto channel = [amount](double x, double y) { return y + (x - y) * amount; };
    return QColor::fromRgbF(float(channel(a.redF(), b.redF())), float(channel(a.greenF(), b.greenF())),
        float(channel(a.blueF(), b.blueF())));
}

QColor UrgentText(const QPalette& palette)
{
    return Readable(QColor(0xC0, 0x00, 0x00), palette.color(QPalette::Base));
}

} // namespace Contrast
