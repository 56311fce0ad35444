#include "diary/DiaryTrends.h"

#include "decision/Norms.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using Value = std::function<std::optional<double>(const DiaryEntry&)>;

TrendLine line(const QString& name, const QList<DiaryEntry>& oldestFirst, const Value& value, int decimals,
    const QString& unit)
{
    TrendLine line { name, {}, false };
    for (const DiaryEntry& entry : oldestFirst) {
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

// The home readings of one value as points of their own, in the order of time.
TrendLine homeLine(const QString& name, const QList<PressureReading>& readings,
    const std::function<std::optional<int>(const PressureReading&)>& value, const QString& unit)
{
    TrendLine line { name, {}, false, true };
    for (const PressureReading& reading : readings) {
        if (const std::optional<int> number = value(reading))
            line.points.append({ reading.taken, double(*number),
                QStringLiteral("%1\n%2: %3 %4")
                    .arg(QLocale().toString(reading.taken, QLocale::ShortFormat), line.name)
                    .arg(*number)
                    .arg(unit) });
    }
    std::stable_sort(line.points.begin(), line.points.end(),
        [](const TrendPoint& a, const TrendPoint& b) { return a.moment < b.moment; });
    return line;
}

// The bands and the values, with a tenth of their span to spare above and below.
ValueRange rangeOf(const QList<TrendLine>& lines, const QList<NormalBand>& bands, bool secondAxis)
{
    double lower = INFINITY;
    double upper = -INFINITY;
    for (const NormalBand& band : bands) {
        if (band.secondAxis == secondAxis) {
            lower = std::min(lower, band.lower);
            upper = std::max(upper, band.upper);
        }
    }
    for (const TrendLine& line : lines) {
        if (line.secondAxis != secondAxis)
            continue;
        for (const TrendPoint& point : line.points) {
            lower = std::min(lower, point.value);
            upper = std::max(upper, point.value);
        }
    }
    if (lower > upper)
        return { 0, 1 }; // nothing to show: an axis still needs a span
    const double margin = std::max((upper - lower) / 10, 1.0);
    return { std::floor(lower - margin), std::ceil(upper + margin) };
}

QList<DiaryEntry> oldestFirst(QList<DiaryEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
        [](const DiaryEntry& a, const DiaryEntry& b) { return a.moment < b.moment; });
    return entries;
}

// A vital sign kept as 0 was not measured and makes no point.
std::optional<double> measured(double value)
{
    return value != 0 ? std::optional<double>(value) : std::nullopt;
}

// The bounds the findings compare against: values outside them are marked
// in the conclusion. They are not a physician's normal range (the systolic
// bound is 160), so the band says whose bounds it shows.
NormalBand ruleBand(
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

TrendChart trendChart(
    TrendKind kind, const QList<DiaryEntry>& entries, const QList<PressureReading>& readings)
{
    const QList<DiaryEntry> ordered = oldestFirst(entries);
    const QString mmHg = QStringLiteral("мм Hg");
    TrendChart chart;
    switch (kind) {
    case TrendKind::Pressure:
        chart.title = QStringLiteral("Артериальное давление");
        chart.unit = mmHg;
        chart.lines = {
            line(
                QStringLiteral("Систолическое"), ordered,
                [](const DiaryEntry& e) { return measured(e.systolic); }, 0, mmHg),
            line(
                QStringLiteral("Диастолическое"), ordered,
                [](const DiaryEntry& e) { return measured(e.diastolic); }, 0, mmHg),
        };
        if (!readings.isEmpty())
            chart.lines << homeLine(
                QStringLiteral("сист. дома"), readings, [](const PressureReading& r) { return r.systolic; },
                mmHg)
                        << homeLine(
                               QStringLiteral("диаст. дома"), readings,
                               [](const PressureReading& r) { return r.diastolic; }, mmHg);
        chart.bands = {
            ruleBand(QStringLiteral("сист."), Norms.SystolicLower, Norms.SystolicUpper, 0),
            ruleBand(QStringLiteral("диаст."), Norms.DiastolicLower, Norms.DiastolicUpper, 0, false, 1),
        };
        break;
    case TrendKind::Pulse:
        chart.title = QStringLiteral("Пульс");
        chart.unit = QStringLiteral("уд/мин");
        chart.lines = { line(
            QStringLiteral("Пульс"), ordered, [](const DiaryEntry& e) { return measured(e.pulse); }, 0,
            chart.unit) };
        if (std::any_of(readings.begin(), readings.end(), [](const PressureReading& r) { return r.pulse; }))
            chart.lines << homeLine(
                QStringLiteral("пульс дома"), readings, [](const PressureReading& r) { return r.pulse; },
                chart.unit);
        chart.bands = { ruleBand(QString(), Norms.PulseLower, Norms.PulseUpper, 0) };
        break;
    case TrendKind::Weight: {
        chart.title = QStringLiteral("Вес и индекс массы тела");
        chart.unit = QStringLiteral("кг");
        chart.secondUnit = QStringLiteral("ИМТ");
        TrendLine index = line(
            QStringLiteral("ИМТ"), ordered,
            [](const DiaryEntry& e) {
                return e.bodyMassIndex > 0 ? std::optional<double>(e.bodyMassIndex) : std::nullopt;
            },
            1, QString());
        index.secondAxis = true;
        chart.lines = { line(
                            QStringLiteral("Вес"), ordered, [](const DiaryEntry& e) { return e.weight; },
                            QLocale::FloatingPointShortest, chart.unit),
            index };
        chart.bands = { ruleBand(QStringLiteral("ИМТ"), Norms.BmiLower, Norms.BmiUpper, 1, true, 1) };
        break;
    }
    case TrendKind::Temperature:
        chart.title = QStringLiteral("Температура тела");
        chart.unit = QStringLiteral("°C");
        chart.lines = { line(
            QStringLiteral("Температура"), ordered,
            [](const DiaryEntry& e) { return measured(e.temperature); }, 1, chart.unit) };
        chart.bands = { ruleBand(QString(), Norms.TemperatureLower, Norms.TemperatureUpper, 1) };
        break;
    }
    chart.range = rangeOf(chart.lines, chart.bands, false);
    if (!chart.secondUnit.isEmpty())
        chart.secondRange = rangeOf(chart.lines, chart.bands, true);
    return chart;
}

TimeAxis trendTimeAxis(const QList<DiaryEntry>& entries, const QList<PressureReading>& readings)
{
    TimeAxis axis;
    QList<QDateTime> moments;
    for (const DiaryEntry& entry : entries)
        moments << entry.moment;
    for (const PressureReading& reading : readings)
        moments << reading.taken;
    if (moments.isEmpty()) {
        axis.last = QDateTime::currentDateTime();
        axis.first = axis.last.addDays(-1);
        return axis;
    }
    std::sort(moments.begin(), moments.end());
    const QDateTime first = moments.first();
    const QDateTime last = moments.last();
    bool dayShared = false;
    for (qsizetype k = 1; k < moments.size() && !dayShared; ++k)
        dayShared = moments[k - 1].date() == moments[k].date();
    const bool oneDay = first.date() == last.date();
    if (oneDay) {
        axis.format = QStringLiteral("HH:mm");
        axis.title = QLocale().toString(first.date(), QLocale::ShortFormat);
    } else {
        // Over a week the hours of home readings twice a day would only crowd the labels.
        axis.format = dayShared && first.daysTo(last) < 7 ? QStringLiteral("dd.MM HH:mm")
                                                          : QStringLiteral("dd.MM.yy");
    }
    // A day's examinations spread over the axis; a single one sits in the middle of an hour.
    const qint64 span = std::max<qint64>(first.msecsTo(last), oneDay ? 3600 * 1000 : 24 * 3600 * 1000);
    const qint64 room = span / 20 + (span - first.msecsTo(last)) / 2;
    axis.first = first.addMSecs(-room);
    axis.last = last.addMSecs(room);
    return axis;
}
