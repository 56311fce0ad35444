#include "report/ReportLayout.h"

#include "platform/automation/WordTypeLib.h"
#include "report/ReportU.h"

#include <QLocale>
#include <QRegularExpression>

using Automation::Variant;

namespace {

constexpr int NameRow = 3; // the header is the first section after the picture
constexpr int BodyFontSize = 11;
constexpr int NameFontSize = 16;
constexpr int StampFontSize = 8;

Variant Rows()
{
    return ReportTable.get(QStringLiteral("Rows"));
}

Variant Row(int row)
{
    return Rows().call(QStringLiteral("Item"), row);
}

int RowCount()
{
    return Rows().get(QStringLiteral("Count")).toInt();
}

Variant RowRange(int row)
{
    return Row(row).get(QStringLiteral("Range"));
}

Variant CellRange(int row, int column)
{
    return ReportTable.call(QStringLiteral("Cell"), row, column).get(QStringLiteral("Range"));
}

void Write(const QString& text, int row, int column)
{
    CellRange(row, column).call(QStringLiteral("InsertBefore"), text);
}

void SplitRow(int row, int rows, int columns)
{
    Row(row).get(QStringLiteral("Cells")).call(QStringLiteral("Split"), rows, columns);
}

void SetBorder(const Variant& range, int border, int lineStyle)
{
    range.get(QStringLiteral("Borders"))
        .call(QStringLiteral("Item"), border)
        .set(QStringLiteral("LineStyle"), lineStyle);
}

void SetBold(const Variant& range)
{
    range.get(QStringLiteral("Font")).set(QStringLiteral("Bold"), true);
}

void SetFontSize(const Variant& range, int size)
{
    range.get(QStringLiteral("Font")).set(QStringLiteral("Size"), size);
}

Variant CellOfRow(int row, int cell)
{
    return Row(row).get(QStringLiteral("Cells")).call(QStringLiteral("Item"), cell);
}

// Title row n+1 and the header row below it, as every dated section writes them.
void WriteValueHeader(const QString& title, int n)
{
    Write(title, n + 1, 1);
    const QString headers[] { QStringLiteral("Дата"), QStringLiteral("Показатель"),
        QStringLiteral("Значение"), QStringLiteral("Единицы измерения") };
    for (int column = 1; column <= 4; ++column)
        Write(headers[column - 1], n + 2, column);
}

// Rows n+2 .. n+2+valueRows of a blood or urine table: split into sixths,
// then date, indicator (2 sixths), value, unit (2 sixths).
void SplitValueRows(int n, int valueRows)
{
    SplitRow(n, 4, 1);
    SplitRow(n + 2, valueRows + 1, 6);
    for (int row = n + 2; row <= n + 2 + valueRows; ++row)
        MergeRowCells(row, 2, 3);
    for (int row = n + 2; row <= n + 2 + valueRows; ++row)
        MergeRowCells(row, 4, 5);
}

// Frames the header and value rows; the date column shows no line between
// the value rows.
void FrameValueRows(int n, int valueRows)
{
    SetBorder(CellRange(n + 1, 1), Word::wdBorderTop, Word::wdLineStyleNone);
    for (int row = n + 2; row <= n + 2 + valueRows; ++row) {
        FrameRowCells(row);
        if (row >= n + 4)
            SetBorder(CellRange(row, 1), Word::wdBorderTop, Word::wdLineStyleNone);
    }
}

void WriteValues(int row, const QString& indicator, const QString& value, const QString& unit)
{
    Write(indicator, row, 2);
    Write(value, row, 3);
    Write(unit, row, 4);
}

} // namespace

QString ReportDate(const QDate& date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString ReportStamp(const QDateTime& moment)
{
    // The locale's long time format ends with the time zone; the stamp gives
    // the wall-clock time as the desktop clock shows it.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return ReportDate(moment.date()) + QLatin1Char(' ') + QLocale().toString(moment.time(), format.trimmed());
}

void AddLabelFirstWordBold(const QString& text, int row, int column)
{
    CellRange(row, column).call(QStringLiteral("InsertBefore"), text);
    SetBold(CellRange(row, column).get(QStringLiteral("Words")).call(QStringLiteral("Item"), 1));
}

void AddBoldLabel(const QString& text, int row, int column)
{
    CellRange(row, column).call(QStringLiteral("InsertBefore"), text);
    SetBold(CellRange(row, column));
}

void FrameRowCells(int row)
{
    SetBorder(CellRange(row, 1), Word::wdBorderLeft, Word::wdLineStyleSingle);
    const int cells = Row(row).get(QStringLiteral("Cells")).get(QStringLiteral("Count")).toInt();
    for (int i = 1; i <= cells; ++i)
        SetBorder(
            CellOfRow(row, i).get(QStringLiteral("Range")), Word::wdBorderRight, Word::wdLineStyleSingle);
}

void MergeRowCells(int row, int first, int last)
{
    const Variant end = CellOfRow(row, last).get(QStringLiteral("Range")).get(QStringLiteral("End"));
    const Variant start = CellOfRow(row, first).get(QStringLiteral("Range")).get(QStringLiteral("Start"));
    ReportDoc.call(QStringLiteral("Range"), start, end)
        .get(QStringLiteral("Cells"))
        .call(QStringLiteral("Merge"));
}

void BoldTwoRows(int row)
{
    SetBold(RowRange(row));
    SetBold(RowRange(row + 1));
}

void ShadeRows(int first, int last)
{
    const Variant end = RowRange(last).get(QStringLiteral("End"));
    const Variant start = RowRange(first).get(QStringLiteral("Start"));
    ReportDoc.call(QStringLiteral("Range"), start, end)
        .get(QStringLiteral("Cells"))
        .get(QStringLiteral("Shading"))
        .set(QStringLiteral("BackgroundPatternColor"), Word::wdColorGray40);
}

void KeepRowsTogether(int first, int last)
{
    if (last <= first)
        return;
    const Variant end = RowRange(last - 1).get(QStringLiteral("End"));
    const Variant start = RowRange(first).get(QStringLiteral("Start"));
    ReportDoc.call(QStringLiteral("Range"), start, end)
        .get(QStringLiteral("ParagraphFormat"))
        .set(QStringLiteral("KeepWithNext"), true);
}

void AddPatientHeader(const QString& name, const QString& sex, const QString& age, const QDate& date)
{
    const int n = RowCount();
    SplitRow(n, 4, 1);
    SplitRow(n + 2, 1, 6);
    Write(name, n + 1, 1);
    AddBoldLabel(QStringLiteral("Пол"), n + 2, 1);
    Write(sex, n + 2, 2);
    AddBoldLabel(QStringLiteral("Возраст"), n + 2, 3);
    Write(age.trimmed(), n + 2, 4);
    AddBoldLabel(QStringLiteral("Дата осмотра"), n + 2, 5);
    Write(ReportDate(date), n + 2, 6);
    SetBorder(RowRange(n + 2), Word::wdBorderTop, Word::wdLineStyleSingle);
    SetBorder(RowRange(n + 2), Word::wdBorderBottom, Word::wdLineStyleSingle);
    FrameRowCells(n + 2);
    SetBold(RowRange(n + 1));
    KeepRowsTogether(n + 1, n + 2);
}

void AddTextSection(const QString& title, const QString& text)
{
    const int n = RowCount();
    SplitRow(n, 3, 1);
    SplitRow(n + 2, 2, 1);
    Write(title, n + 1, 1);
    if (!text.isEmpty())
        Write(text.trimmed() + QLatin1Char('.'), n + 2, 1);
    SetBold(RowRange(n + 1));
    SetBorder(RowRange(n + 1), Word::wdBorderTop, Word::wdLineStyleNone);
    for (int border : { Word::wdBorderTop, Word::wdBorderLeft, Word::wdBorderBottom, Word::wdBorderRight })
        SetBorder(RowRange(n + 2), border, Word::wdLineStyleSingle);
    KeepRowsTogether(n + 1, n + 2);
}

void AddObjectiveTable(const QString& height, const QString& weight, const QString& bmi,
    const QString& pressure, const QString& pulse, const QString& temperature)
{
    const int n = RowCount();
    SplitRow(n, 4, 1);
    SplitRow(n + 2, 2, 6);
    Write(QStringLiteral("Объективно:"), n + 1, 1);
    const QString labels[] { QStringLiteral("Рост"), QStringLiteral("Вес"), QStringLiteral("ИМТ"),
        QStringLiteral("Температура"), QStringLiteral("Пульс (в мин)"), QStringLiteral("АД") };
    for (int column = 1; column <= 6; ++column)
        AddLabelFirstWordBold(labels[column - 1], n + 2, column);
    // The order of the labels, not of the arguments.
    const QString values[] { height, weight, bmi, temperature, pulse, pressure };
    for (int column = 1; column <= 6; ++column)
        Write(values[column - 1].trimmed(), n + 3, column);
    SetBorder(RowRange(n + 1), Word::wdBorderTop, Word::wdLineStyleNone);
    SetBorder(RowRange(n + 1), Word::wdBorderBottom, Word::wdLineStyleSingle);
    FrameRowCells(n + 2);
    FrameRowCells(n + 3);
    SetBold(RowRange(n + 1));
    KeepRowsTogether(n + 1, n + 3);
}

void AddDatedResult(
    const QString& title, const QString& header, const QString& text, bool highlight, const QDate& date)
{
    const int n = RowCount();
    SplitRow(n, 4, 1);
    SplitRow(n + 2, 2, 6);
    MergeRowCells(n + 2, 2, 6);
    MergeRowCells(n + 3, 2, 6);
    Write(title, n + 1, 1);
    Write(QStringLiteral("Дата"), n + 2, 1);
    Write(header, n + 2, 2);
    if (!text.isEmpty()) {
        Write(text + QLatin1Char('.'), n + 3, 2);
        Write(ReportDate(date), n + 3, 1);
    }
    SetBorder(CellRange(n + 1, 1), Word::wdBorderTop, Word::wdLineStyleNone);
    FrameRowCells(n + 2);
    FrameRowCells(n + 3);
    BoldTwoRows(n + 1);
    if (highlight)
        ShadeRows(n + 3, n + 3);
    KeepRowsTogether(n + 1, n + 3);
}

void AddBloodTable(const QString& hemoglobin, const QString& leucocytes, const QString& esr, bool highlight,
    const QDate& date)
{
    constexpr int ValueRows = 3;
    const int n = RowCount();
    SplitValueRows(n, ValueRows);
    WriteValueHeader(QStringLiteral("Анализ крови:"), n);
    FrameValueRows(n, ValueRows);
    BoldTwoRows(n + 1);
    Write(ReportDate(date), n + 3, 1);
    WriteValues(n + 3, QStringLiteral("Гемоглобин"), hemoglobin, QStringLiteral("г/л"));
    WriteValues(n + 4, QStringLiteral("Лейкоциты"), leucocytes, QStringLiteral("тыс./мкл"));
    WriteValues(n + 5, QStringLiteral("СОЭ"), esr, QStringLiteral("мм/час"));
    if (highlight)
        ShadeRows(n + 3, n + 2 + ValueRows);
    KeepRowsTogether(n + 1, n + 2 + ValueRows);
}

void AddUrineTable(const QString& protein, const QString& sugar, const QString& erythrocytes, bool highlight,
    const QString& leucocytes, const QDate& date)
{
    constexpr int ValueRows = 4;
    const int n = RowCount();
    SplitValueRows(n, ValueRows);
    WriteValueHeader(QStringLiteral("Анализ мочи:"), n);
    FrameValueRows(n, ValueRows);
    BoldTwoRows(n + 1);
    Write(ReportDate(date), n + 3, 1);
    WriteValues(n + 3, QStringLiteral("Белок"), protein, QStringLiteral("наличие"));
    WriteValues(n + 4, QStringLiteral("Сахар"), sugar, QStringLiteral("наличие"));
    WriteValues(n + 5, QStringLiteral("Эритроциты"), erythrocytes, QStringLiteral("ед. в препарате"));
    WriteValues(n + 6, QStringLiteral("Лейкоциты"), leucocytes, QStringLiteral("ед. в поле зрения"));
    if (highlight)
        ShadeRows(n + 3, n + 2 + ValueRows);
    KeepRowsTogether(n + 1, n + 2 + ValueRows);
}

void AddShadingKey()
{
    const int n = RowCount();
    SplitRow(n, 3, 1);
    Write(
        QStringLiteral("Серым выделены результаты, срок действия которых истек: в заключении они не учтены."),
        n + 1, 1);
}

void FinishReportTable(const QDateTime& now)
{
    const QString stamp = ReportStamp(now);
    RowRange(RowCount()).call(QStringLiteral("InsertBefore"), stamp);
    RowRange(RowCount())
        .get(QStringLiteral("ParagraphFormat"))
        .set(QStringLiteral("Alignment"), Word::wdAlignParagraphRight);
    SetFontSize(ReportTable.get(QStringLiteral("Range")), BodyFontSize);
    SetFontSize(CellRange(NameRow, 1), NameFontSize);
    SetFontSize(RowRange(RowCount()), StampFontSize);
    // A row split at a page end would part its section.
    Rows().set(QStringLiteral("AllowBreakAcrossPages"), false);
    ReportDoc.get(QStringLiteral("ActiveWindow"))
        .get(QStringLiteral("View"))
        .set(QStringLiteral("TableGridlines"), false);
}
