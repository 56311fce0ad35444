#include "diary/DiaryTrends.h"

#include "decision/Norms.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using Value = std::function<std::optional<double>(const TDiaryEntry&)>;

TTrendLine Line(const QString& name, const QList<TDiaryEntry>& oldestFirst, const Value& value, int decimals,
    const QString& unit)
{
    TTrendLine line { name, {}, false };
    for (const TDiaryEntry& entry : oldestFirst) {
        const std::optional<double> number = value(entry);
        if (!number)
            continue;
        const QString tip = QStringLiteral("%1\n%2: %3 %4")
                                .arg(QLocale().toString(entry.moment, QLocale::ShortFormat), name,
                                    QLocale().toString(*number, 'f', decimals), unit)
                                .trimmed();
        line.points.append({ entry.moment, *number, tip });
    }
    return line;
}

// The bands and the values, with a tenth of their span to spare above and below.
TValueRange RangeOf(const QList<TTrendLine>& lines, const QList<TNormalBand>& bands, bool secondAxis)
{
    double lower = INFINITY;
    double upper = -INFINITY;
    for (const TNormalBand& band : bands) {
        if (band.secondAxis == secondAxis) {
            lower = std::min(lower, band.lower);
            upper = std::max(upper, band.upper);
        }
    }
    for (const TTrendLine& line : lines) {
        if (line.secondAxis != secondAxis)
            continue;
        for (const TTrendPoint& point : line.points) {
            lower = std::min(lower, point.value);
            upper = std::max(upper, point.value);
        }
    }
    if (lower > upper)
        return { 0, 1 }; // nothing to show: an axis still needs a span
    const double margin = std::max((upper - lower) / 10, 1.0);
    return { std::floor(lower - margin), std::ceil(upper + margin) };
}

QList<TDiaryEntry> OldestFirst(QList<TDiaryEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
        [](const TDiaryEntry& a, const TDiaryEntry& b) { return a.moment < b.moment; });
    return entries;
}

// A vital sign kept as 0 was not measured and makes no point.
std::optional<double> Measured(double value)
{
    return value != 0 ? std::optional<double>(value) : std::nullopt;
}

// The bounds the findings compare against: values outside them are marked
// in the conclusion. They are not a physician's normal range (the systolic
// bound is 160), so the band says whose bounds it shows.
TNormalBand RuleBand(
    const QString& what, double lower, double upper, int decimals, bool secondAxis = false, int line = 0)
{
    const QString bounds = QStringLiteral("%1–%2").arg(
        QLocale().toString(lower, 'f', decimals), QLocale().toString(upper, 'f', decimals));
    // What the band is comes first, so that a legend short of room cuts the common words.
    const QString name = QStringLiteral("%1 — границы правил программы")
                             .arg(what.isEmpty() ? bounds : what + QLatin1Char(' ') + bounds);
    return { name, lower, upper, secondAxis, line };
}

} // namespace

TTrendChart TrendChart(TTrendKind kind, const QList<TDiaryEntry>& entries)
{
    const QList<TDiaryEntry> ordered = OldestFirst(entries);
    const QString mmHg = QStringLiteral("мм Hg");
    TTrendChart chart;
    switch (kind) {
    case TTrendKind::Pressure:
        chart.title = QStringLiteral("Артериальное давление");
        chart.unit = mmHg;
        chart.lines = {
            Line(
                QStringLiteral("Систолическое"), ordered,
                [](const TDiaryEntry& e) { return Measured(e.systolic); }, 0, mmHg),
            Line(
                QStringLiteral("Диастолическое"), ordered,
                [](const TDiaryEntry& e) { return Measured(e.diastolic); }, 0, mmHg),
        };
        chart.bands = {
            RuleBand(QStringLiteral("сист."), Norms.SystolicLower, Norms.SystolicUpper, 0),
            RuleBand(QStringLiteral("диаст."), Norms.DiastolicLower, Norms.DiastolicUpper, 0, false, 1),
        };
        break;
    case TTrendKind::Pulse:
        chart.title = QStringLiteral("Пульс");
        chart.unit = QStringLiteral("уд/мин");
        chart.lines = { Line(
            QStringLiteral("Пульс"), ordered, [](const TDiaryEntry& e) { return Measured(e.pulse); }, 0,
            chart.unit) };
        chart.bands = { RuleBand(QString(), Norms.PulseLower, Norms.PulseUpper, 0) };
        break;
    case TTrendKind::Weight: {
        chart.title = QStringLiteral("Вес и индекс массы тела");
        chart.unit = QStringLiteral("кг");
        chart.secondUnit = QStringLiteral("ИМТ");
        TTrendLine index = Line(
            QStringLiteral("ИМТ"), ordered,
            [](const TDiaryEntry& e) {
                return e.bodyMassIndex > 0 ? std::optional<double>(e.bodyMassIndex) : std::nullopt;
            },
            1, QString());
        index.secondAxis = true;
        chart.lines = { Line(
                            QStringLiteral("Вес"), ordered, [](const TDiaryEntry& e) { return e.weight; }, 0,
                            chart.unit),
            index };
        chart.bands = { RuleBand(QStringLiteral("ИМТ"), Norms.BmiLower, Norms.BmiUpper, 1, true, 1) };
        break;
    }
    case TTrendKind::Temperature:
        chart.title = QStringLiteral("Температура тела");
        chart.unit = QStringLiteral("°C");
        chart.lines = { Line(
            QStringLiteral("Температура"), ordered,
            [](const TDiaryEntry& e) { return Measured(e.temperature); }, 1, chart.unit) };
        chart.bands = { RuleBand(QString(), Norms.TemperatureLower, Norms.TemperatureUpper, 1) };
        break;
    }
    chart.range = RangeOf(chart.lines, chart.bands, false);
    if (!chart.secondUnit.isEmpty())
        chart.secondRange = RangeOf(chart.lines, chart.bands, true);
    return chart;
}

TTimeAxis TrendTimeAxis(const QList<TDiaryEntry>& entries)
{
    TTimeAxis axis;
    if (entries.isEmpty()) {
        axis.last = QDateTime::currentDateTime();
        axis.first = axis.last.addDays(-1);
        return axis;
    }
    const QList<TDiaryEntry> ordered = OldestFirst(entries);
    const QDateTime first = ordered.first().moment;
    const QDateTime last = ordered.last().moment;
    bool dayShared = false;
    for (qsizetype k = 1; k < ordered.size() && !dayShared; ++k)
        dayShared = ordered[k - 1].moment.date() == ordered[k].moment.date();
    const bool oneDay = first.date() == last.date();
    if (oneDay) {
        axis.format = QStringLiteral("HH:mm");
        axis.title = QLocale().toString(first.date(), QLocale::ShortFormat);
    } else {
        axis.format = dayShared ? QStringLiteral("dd.MM HH:mm") : QStringLiteral("dd.MM.yy");
    }
    // A day's examinations spread over the axis; a single one sits in the middle of an hour.
    const qint64 span = std::max<qint64>(first.msecsTo(last), oneDay ? 3600 * 1000 : 24 * 3600 * 1000);
    const qint64 room = span / 20 + (span - first.msecsTo(last)) / 2;
    axis.first = first.addMSecs(-room);
    axis.last = last.addMSecs(room);
    return axis;
}
