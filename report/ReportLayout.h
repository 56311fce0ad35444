#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The report table, written by late-bound calls on ReportTable and ReportDoc.
// Every section appends its rows after the table's last row, which is always
// an empty single-cell row (the open row); row numbers are read from the word
// processor at the moment of each call. Automation failures are thrown.

// ---- Table helpers ----------------------------------------------------------

void AddBoldLabel(const QString& text, int row, int column);
void AddLabelFirstWordBold(const QString& text, int row, int column);
// A left line before the row's first cell and a right line after every cell.
void FrameRowCells(int row);
void MergeRowCells(int row, int first, int last);
void BoldTwoRows(int row);
// Grey background on every cell of the rows first..last.
void ShadeRows(int first, int last);
// The rows first..last go on one page: a page break falls only after last.
void KeepRowsTogether(int first, int last);

// ---- Sections ---------------------------------------------------------------

void AddPatientHeader(const QString& name, const QString& sex, const QString& age, const QDate& date);
// A bold title over one boxed row holding "text." (empty when text is).
void AddTextSection(const QString& title, const QString& text);
void AddObjectiveTable(const QString& height, const QString& weight, const QString& bmi,
    const QString& pressure, const QString& pulse, const QString& temperature);
void AddDatedResult(
    const QString& title, const QString& header, const QString& text, bool highlight, const QDate& date);
void AddBloodTable(const QString& hemoglobin, const QString& leucocytes, const QString& esr, bool highlight,
    const QDate& date);
void AddUrineTable(const QString& protein, const QString& sugar, const QString& erythrocytes, bool highlight,
    const QString& leucocytes, const QDate& date);
// One line saying what the grey rows are; under the last section.
void AddShadingKey();

// The time stamp in the open row, the font sizes and hidden gridlines; once,
// after the last section.
void FinishReportTable(const QDateTime& now = QDateTime::currentDateTime());

// ---- Texts ------------------------------------------------------------------

// A date in the user's short date format.
QString ReportDate(const QDate& date);
// The time stamp: short date and the long time format without the time zone.
QString ReportStamp(const QDateTime& moment);
