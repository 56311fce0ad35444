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

enum class TSummaryPeriod { All, ThreeMonths, Year };

// "все обследования", "последние 3 месяца", "последний год".
QString SummaryPeriodName(TSummaryPeriod period);

// The entries of the period that ends now, in the order given.
QList<TDiaryEntry> EntriesOfPeriod(
    const QList<TDiaryEntry>& entries, TSummaryPeriod period, const QDateTime& now);

struct TSummaryCell {
    QString text;
    bool marked = false; // raised or lowered: printed bold with its arrow
};

struct TDoctorSummary {
    QString person; // "Мужчина, 45 лет" at the latest examination
    QString period; // the chosen period, its dates and the number of examinations
    QString made; // when and by what the summary was made
    QString latestTitle; // "Последнее обследование: 18.03.2026 09:15"
    QStringList urgent; // the urgent notice of the latest conclusion; empty when it had none
    QStringList sameDay; // its same-day notice
    QString findings; // what the latest conclusion found, in its words
    QString recommendations; // its recommended consultations
    QList<TTrendChart> charts; // pressure, pulse, weight, temperature
    TTimeAxis timeAxis;
    QStringList headers;
    QList<QList<TSummaryCell>> rows; // newest first
};

// The summary of these entries (any order, at least one); periodName says
// which period they are.
TDoctorSummary MakeDoctorSummary(
    const QList<TDiaryEntry>& entries, const QString& periodName, const QDateTime& made);

// The legend of the arrows, printed under the table.
QString SummaryMarksLegend();
