#include "diary/HomePressure.h"

#include "decision/Emergency.h"
#include "decision/RussianPlural.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const TNounForms Measurement { QStringLiteral("измерения"), QStringLiteral("измерений"),
    QStringLiteral("измерений") };

int average(qint64 sum, qsizetype count)
{
    return int(std::lround(double(sum) / double(count)));
}

QString day(const QDateTime& moment)
{
    return QLocale().toString(moment.date(), QLocale::ShortFormat);
}

} // namespace

std::optional<HomeSeries> lastSeries(const QList<PressureReading>& readings)
{
    if (readings.isEmpty())
        return std::nullopt;
    const auto latest = std::max_element(readings.begin(), readings.end(),
        [](const PressureReading& a, const PressureReading& b) { return a.taken < b.taken; });
    const QDate start = latest->taken.date().addDays(1 - SeriesDays);
    HomeSeries series { latest->taken, latest->taken };
    qint64 systolic = 0;
    qint64 diastolic = 0;
    qint64 pulse = 0;
    int pulses = 0;
    for (const PressureReading& reading : readings) {
        if (reading.taken.date() < start)
            continue;
        series.first = std::min(series.first, reading.taken);
        ++series.count;
        systolic += reading.systolic;
        diastolic += reading.diastolic;
        if (reading.pulse) {
            pulse += *reading.pulse;
            ++pulses;
        }
    }
    series.systolic = average(systolic, series.count);
    series.diastolic = average(diastolic, series.count);
    if (pulses > 0)
        series.pulse = average(pulse, pulses);
    series.raised
        = series.systolic >= HomeThreshold.SystolicFrom || series.diastolic >= HomeThreshold.DiastolicFrom;
    return series;
}

QString homeSeriesText(const HomeSeries& series)
{
    const QString period = series.first.date() == series.last.date()
        ? day(series.first)
        : QStringLiteral("с %1 по %2").arg(day(series.first), day(series.last));
    QString text = QStringLiteral("Давление дома: среднее %1 %2 %3 — %4/%5 мм Hg")
                       .arg(series.count)
                       .arg(PluralForm(series.count, Measurement), period)
                       .arg(series.systolic)
                       .arg(series.diastolic);
    if (series.pulse)
        text += QStringLiteral(", пульс %1 в минуту").arg(*series.pulse);
    return text + QLatin1Char('.');
}

QString homeThresholdText()
{
    return QStringLiteral("Среднее домашнее давление %1/%2 мм Hg или выше считается повышенным: покажите "
                          "эти измерения терапевту.")
        .arg(HomeThreshold.SystolicFrom)
        .arg(HomeThreshold.DiastolicFrom);
}

QStringList readingNotice(const PressureReading& reading)
{
    Emergency::TMeasuredValues values;
    values.systolic = reading.systolic;
    values.diastolic = reading.diastolic;
    values.pulse = reading.pulse;
    return Emergency::MeasuredNotice(values);
}

QList<PressureReading> readingsOf(const QList<PressureReading>& readings, const QString& person)
{
    QList<PressureReading> chosen;
    std::copy_if(readings.begin(), readings.end(), std::back_inserter(chosen),
        [&person](const PressureReading& reading) { return reading.person == person; });
    return chosen;
}
