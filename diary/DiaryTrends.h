#pragma once

#include "diary/DiaryEntry.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The trend charts of the diary: for each chart its lines over time and the
// normal bands from the norms table, ready to be drawn.

struct TTrendPoint {
    QDateTime moment;
    double value = 0;
    QString tip; // the exact value with its date, shown on hover
    bool operator==(const TTrendPoint&) const = default;
};

struct TTrendLine {
    QString name;
    QList<TTrendPoint> points; // oldest first
    bool secondAxis = false; // drawn against the right-hand value axis
    bool operator==(const TTrendLine&) const = default;
};

struct TNormalBand {
    QString name;
    double lower = 0;
    double upper = 0;
    bool secondAxis = false;
    int line = 0; // the index of the line whose norm it is
    bool operator==(const TNormalBand&) const = default;
};

struct TValueRange {
    double lower = 0;
    double upper = 0;
    bool operator==(const TValueRange&) const = default;
};

struct TTrendChart {
    QString title;
    QString unit; // of the left-hand axis
    QString secondUnit; // of the right-hand axis, empty when there is none
    QList<TTrendLine> lines;
    QList<TNormalBand> bands;
    TValueRange range; // of the left-hand axis, bands and values with a margin
    TValueRange secondRange;
    bool operator==(const TTrendChart&) const = default;
};

enum class TTrendKind { Pressure, Pulse, Weight, Temperature };

// One chart of the kept entries (in any order); a value that was out of
// range (a weight of none) leaves no point.
TTrendChart TrendChart(TTrendKind kind, const QList<TDiaryEntry>& entries);

// The time axis: from the first to the last examination with a little room
// at either end, at least an hour wide for one day and a day wide otherwise;
// its labels give the time when examinations share a day, else the date.
struct TTimeAxis {
    QDateTime first;
    QDateTime last;
    QString format = QStringLiteral("dd.MM.yy"); // of QDateTime::toString
    QString title; // the day, when every examination is of one day
};
TTimeAxis TrendTimeAxis(const QList<TDiaryEntry>& entries);
