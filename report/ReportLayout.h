#pragma once

#include "platform/automation/Variant.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The report table, written by late-bound calls on the report document and
// its table. Every section appends its rows after the table's last row, which
// is always an empty single-cell row (the open row). What the layout already
// knows (how many rows the table has, how many cells a row was split into) is
// counted here instead of asked for, and a row's range and borders are
// fetched once for all that is set on them: every call is a round trip to the
// word processor. Automation failures are thrown.
class TReportLayout {
public:
    // The table as Tables.Add left it with `rows` single-cell rows.
    TReportLayout(Automation::Variant document, Automation::Variant table, int rows);

    void AddPatientHeader(const QString& name, const QString& sex, const QString& age, const QDate& date);
    // A bold title over one boxed row holding "text." (empty when text is).
    void AddTextSection(const QString& title, const QString& text);
    // A text section whose text is bold too: an urgent notice.
    void AddUrgentSection(const QString& title, const QString& text);
    void AddObjectiveTable(const QString& height, const QString& weight, const QString& bmi,
        const QString& pressure, const QString& pulse, const QString& temperature);
    void AddDatedResult(
        const QString& title, const QString& header, const QString& text, bool highlight, const QDate& date);
    void AddBloodTable(const QString& hemoglobin, const QString& leucocytes, const QString& esr,
        bool highlight, const QDate& date);
    void AddUrineTable(const QString& protein, const QString& sugar, const QString& erythrocytes,
        bool highlight, const QString& leucocytes, const QDate& date);
    // One line saying what the grey rows are; under the last section.
    void AddShadingKey();
    // A line of small print after the sections.
    void AddNote(const QString& text);

    // The time stamp in the open row, the font sizes and hidden gridlines;
    // once, after the last section.
    void FinishReportTable(const QDateTime& now = QDateTime::currentDateTime());

    int RowCount() const { return m_rowCount; }

private:
    Automation::Variant RowRange(int row) const;
    Automation::Variant CellRange(int row, int column) const;
    void Write(const QString& text, int row, int column) const;
    // Word's Cells.Split of the row; the table grows by rows - 1 rows.
    void SplitRow(int row, int rows, int columns);
    void MergeRowCells(int row, int first, int last) const;
    void AddBoldLabel(const QString& text, int row, int column) const;
    void AddLabelFirstWordBold(const QString& text, int row, int column) const;
    void ShadeRows(int first, int last) const;
    // The rows first..last go on one page: a page break falls only after last.
    void KeepRowsTogether(int first, int last) const;
    void WriteValueHeader(const QString& title, int n) const;
    void SplitValueRows(int n, int valueRows);
    void FrameValueRows(int n, int valueRows) const;
    void WriteValues(int row, const QString& indicator, const QString& value, const QString& unit) const;

    Automation::Variant m_document;
    Automation::Variant m_table;
    Automation::Variant m_rows;
    int m_rowCount;
};

// A date in the user's short date format.
QString ReportDate(const QDate& date);
// The time stamp: short date and the long time format without the time zone.
QString ReportStamp(const QDateTime& moment);
