#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Blood pressure measured at home between examinations: the readings, the
// average of the last series and what it says against the home threshold.

// One reading of the home monitor.
struct PressureReading {
    qint64 id = 0; // the row in the store; 0 until the reading is kept
    QString person; // empty when no name was given
    QDateTime taken;
    int systolic = 0;
    int diastolic = 0;
    std::optional<int> pulse {};
    bool operator==(const PressureReading&) const = default;
};

// An average at or above this, measured at home, is raised pressure; the
// bound and its source are in data/Common/README-home-pressure.md.
struct HomePressureBounds {
    int SystolicFrom = 135;
    int DiastolicFrom = 85;
};
inline constexpr HomePressureBounds HomeThreshold {};

// How many days back from the latest reading its series reaches: the home
// measurement runs for a week.
inline constexpr int SeriesDays = 7;

struct HomeSeries {
    QDateTime first;
    QDateTime last;
    int count = 0;
    // Averages in whole units, as printed; the threshold is compared with these.
    int systolic = 0;
    int diastolic = 0;
    std::optional<int> pulse {};
    bool raised = false; // at or above HomeThreshold
    bool operator==(const HomeSeries&) const = default;
};

// The readings of the SeriesDays days that end with the latest one (any
// order in); none without readings.
std::optional<HomeSeries> lastSeries(const QList<PressureReading>& readings);

// "Давление дома: среднее 14 измерений с 20.11.2026 по 26.11.2026 — 138/86 мм Hg, пульс 72 уд/мин."
QString homeSeriesText(const HomeSeries& series);
// What a raised average asks of the person and their doctor.
QString homeThresholdText();

// The urgent notice of a reading at a red-flag bound, in the conclusion's words.
QStringList readingNotice(const PressureReading& reading);

// The readings of one person, in the order given.
QList<PressureReading> readingsOf(const QList<PressureReading>& readings, const QString& person);
