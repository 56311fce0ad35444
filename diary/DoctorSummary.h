#pragma once

#include "diary/DiaryEntry.h"
#include "diary/DiaryTrends.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the summary for a doctor holds: the person, the period, the latest
// conclusion, the trends and the table of the examinations with raised and
// lowered values marked by arrows, so that a black-and-white print keeps them.

enum class SummaryPeriod { All, ThreeMonths, Year };

// "все обследования", "последние 3 месяца", "последний год".
QString summaryPeriodName(SummaryPeriod period);

// The entries of the period that ends now, in the order given.
QList<DiaryEntry> entriesOfPeriod(
    const QList<DiaryEntry>& entries, SummaryPeriod period, const QDateTime& now);

struct SummaryCell {
    QString text;
    bool marked = false; // raised or lowered: printed bold with its arrow
};

struct DoctorSummary {
    QString person; // "Мужчина, 45 лет" at the latest examination
    QString period; // the chosen period, its dates and the number of examinations
    QString made; // when and by what the summary was made
    QString latestTitle; // "Последнее обследование: 18.03.2026 09:15"
    QStringList urgent; // the urgent notice of the latest conclusion; empty when it had none
    QString findings; // what the latest conclusion found, in its words
    QString recommendations; // its recommended consultations
    QList<TrendChart> charts; // pressure, pulse, weight, temperature
    TimeAxis timeAxis;
    QStringList headers;
    QList<QList<SummaryCell>> rows; // newest first
};

// The summary of these entries (any order, at least one); periodName says
// which period they are.
DoctorSummary makeDoctorSummary(
    const QList<DiaryEntry>& entries, const QString& periodName, const QDateTime& made);

// The legend of the arrows, printed under the table.
QString summaryMarksLegend();
