#include "platform/widgets/Contrast.h"

#include "platform/widgets/TextRuns.h"

#include <QRegularExpression>

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

void MakeReadable(QTextDocument* document, const QColor& background)
{
    ChangeTextRuns(
        document,
        [&background](const QTextCharFormat& format) {
            return format.hasProperty(QTextFormat::ForegroundBrush)
                && Ratio(format.foreground().color(), background) < TextRatio;
        },
        [&background](QTextCharFormat& format) {
            format.setForeground(Readable(format.foreground().color(), background));
        });
}

QString AdaptStyleSheet(const QString& css, const QPalette& palette)
{
    static const QRegularExpression rule(QStringLiteral("([^{}]*)\\{([^}]*)\\}"));
    static const QRegularExpression background(QStringLiteral("background-color:\\s*(#[0-9a-fA-F]{3,6})"));
    static const QRegularExpression text(QStringLiteral("(^|[;\\s])color:\\s*(#[0-9a-fA-F]{3,6})"));
    const QColor base = palette.color(QPalette::Base);
    const bool dark = base.lightnessF() < 0.5;
    QString adapted;
    for (const QRegularExpressionMatch& match : rule.globalMatch(css)) {
        QString declarations = match.captured(2);
        QColor behind = base;
        if (const QRegularExpressionMatch found = background.match(declarations); found.hasMatch()) {
            behind = dark ? Mix(QColor(found.captured(1)), base, 0.15) : QColor(found.captured(1));
            declarations.replace(found.capturedStart(1), found.capturedLength(1), behind.name());
        }
        if (const QRegularExpressionMatch found = text.match(declarations); found.hasMatch()) {
            const QColor wanted = dark && match.captured(1).trimmed() == QLatin1String("body")
                ? palette.color(QPalette::Text)
                : QColor(found.captured(2));
            declarations.replace(found.capturedStart(2), found.capturedLength(2), Readable(wanted, behind).name());
        }
        adapted += match.captured(1) + QLatin1Char('{') + declarations + QLatin1Char('}');
    }
    return adapted;
}

} // namespace Contrast
