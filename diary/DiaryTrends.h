#pragma once

#include "diary/DiaryEntry.h"
#include "diary/HomePressure.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The trend charts of the diary: for each chart its lines over time and the
// normal bands from the norms table, ready to be drawn.

struct TrendPoint {
    QDateTime moment;
    double value = 0;
    QString tip; // the exact value with its date, shown on hover
    bool operator==(const TrendPoint&) const = default;
};

struct TrendLine {
    QString name;
    QList<TrendPoint> points; // oldest first
    bool secondAxis = false; // drawn against the right-hand value axis
    // Home readings: points without a line, many a week around the examinations' line.
    bool pointsOnly = false;
    bool operator==(const TrendLine&) const = default;
};

struct NormalBand {
    QString name;
    double lower = 0;
    double upper = 0;
    bool secondAxis = false;
    int line = 0; // the index of the line whose norm it is
    bool operator==(const NormalBand&) const = default;
};

struct ValueRange {
    double lower = 0;
    double upper = 0;
    bool operator==(const ValueRange&) const = default;
};

struct TrendChart {
    QString title;
    QString unit; // of the left-hand axis
    QString secondUnit; // of the right-hand axis, empty when there is none
    QList<TrendLine> lines;
    QList<NormalBand> bands;
    ValueRange range; // of the left-hand axis, bands and values with a margin
    ValueRange secondRange;
    bool operator==(const TrendChart&) const = default;
};

enum class TrendKind { Pressure, Pulse, Weight, Temperature };

// One chart of the kept entries (in any order), the home readings with them
// on the pressure and pulse charts; a value that was out of range (a weight
// of none) leaves no point.
TrendChart trendChart(
    TrendKind kind, const QList<DiaryEntry>& entries, const QList<PressureReading>& readings = {});

// The time axis: from the first to the last examination or reading with a little room
// at either end, at least an hour wide for one day and a day wide otherwise;
// its labels give the time when examinations share a day, else the date.
struct TimeAxis {
    QDateTime first;
    QDateTime last;
    QString format = QStringLiteral("dd.MM.yy"); // of QDateTime::toString
    QString title; // the day, when every examination is of one day
};
TimeAxis trendTimeAxis(const QList<DiaryEntry>& entries, const QList<PressureReading>& readings = {});
