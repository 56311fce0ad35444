#pragma once

#include "diary/DiaryEntry.h"
#include "diary/DiaryTrends.h"
#include "diary/HomePressure.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the summary for a doctor holds: the person, the period, the latest
// conclusion with its notices, the home pressure, the trends and the table of
// the examinations with raised and lowered values marked by arrows, so that a
// black-and-white print keeps them.

enum class SummaryPeriod { All, ThreeMonths, Year };

// "все обследования", "последние 3 месяца", "последний год".
QString summaryPeriodName(SummaryPeriod period);

// The entries and readings of the period that ends now, in the order given.
QList<DiaryEntry> entriesOfPeriod(
    const QList<DiaryEntry>& entries, SummaryPeriod period, const QDateTime& now);
QList<PressureReading> readingsOfPeriod(
    const QList<PressureReading>& readings, SummaryPeriod period, const QDateTime& now);

// A piece of a table cell: a raised or lowered value is printed bold with its
// arrow; a test too old to count is printed grey, without arrows.
struct SummaryRun {
    QString text;
    bool marked = false;
    bool old = false;
    bool operator==(const SummaryRun&) const = default;
};

struct SummaryCell {
    QList<SummaryRun> runs;
    QString text() const;
};

struct DoctorSummary {
    QString person; // "Анна Смирнова, женщина, 52 года" at the latest examination
    QString period; // the chosen period, its dates and the number of examinations
    QString made; // when and by what the summary was made
    QString latestTitle; // "Последнее обследование: 18.03.2026 09:15"
    QStringList urgent; // the urgent notice of the latest conclusion; empty when it had none
    QStringList sameDay; // its lines that ask for a doctor the same day
    QString findings; // what the latest conclusion found, in its words
    QString recommendations; // its recommended consultations
    QString homePressure; // the average of the last home series; empty without readings
    QString homeThreshold; // what a raised average asks; empty when it is not raised
    QList<TrendChart> charts; // pressure, pulse, weight, temperature
    TimeAxis timeAxis;
    QStringList headers;
    QList<QList<SummaryCell>> rows; // newest first
};

// The summary of one person's entries (any order, at least one) and home
// readings; periodName says which period they are.
DoctorSummary makeDoctorSummary(const QList<DiaryEntry>& entries, const QList<PressureReading>& readings,
    const QString& periodName, const QDateTime& made);

// The legend of the arrows and of the grey, printed under the table.
QString summaryMarksLegend();
