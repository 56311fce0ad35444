#include "report/ReportLayout.h"

#include "platform/automation/WordTypeLib.h"

#include <QLocale>
#include <QRegularExpression>

using Automation::Variant;

namespace {

constexpr int NameRow = 3; // the header is the first section after the picture
constexpr int BodyFontSize = 11;
constexpr int NameFontSize = 16;
constexpr int StampFontSize = 8;

void SetLine(const Variant& borders, int border, int lineStyle)
{
    borders.call(QStringLiteral("Item"), border).set(QStringLiteral("LineStyle"), lineStyle);
}

Variant BordersOf(const Variant& range)
{
    return range.get(QStringLiteral("Borders"));
}

// A left line before the row's first cell and a right line after every cell.
void FrameRow(const Variant& rowRange)
{
    const Variant borders = BordersOf(rowRange);
    for (int border : { Word::wdBorderLeft, Word::wdBorderRight, Word::wdBorderVertical })
        SetLine(borders, border, Word::wdLineStyleSingle);
}

void SetBold(const Variant& range)
{
    range.get(QStringLiteral("Font")).set(QStringLiteral("Bold"), true);
}

void SetFontSize(const Variant& range, int size)
{
    range.get(QStringLiteral("Font")).set(QStringLiteral("Size"), size);
}

} // namespace

TReportLayout::TReportLayout(Variant document, Variant table, int rows)
    : m_document(std::move(document))
    , m_table(std::move(table))
    , m_rows(m_table.get(QStringLiteral("Rows")))
    , m_rowCount(rows)
{
}

Variant TReportLayout::RowRange(int row) const
{
    return m_rows.call(QStringLiteral("Item"), row).get(QStringLiteral("Range"));
}

Variant TReportLayout::CellRange(int row, int column) const
{
    return m_table.call(QStringLiteral("Cell"), row, column).get(QStringLiteral("Range"));
}

void TReportLayout::Write(const QString& text, int row, int column) const
{
    CellRange(row, column).call(QStringLiteral("InsertBefore"), text);
}

void TReportLayout::SplitRow(int row, int rows, int columns)
{
    m_rows.call(QStringLiteral("Item"), row)
        .get(QStringLiteral("Cells"))
        .call(QStringLiteral("Split"), rows, columns);
    m_rowCount += rows - 1;
}

void TReportLayout::MergeRowCells(int row, int first, int last) const
{
    m_table.call(QStringLiteral("Cell"), row, first)
        .call(QStringLiteral("Merge"), m_table.call(QStringLiteral("Cell"), row, last));
}

void TReportLayout::AddBoldLabel(const QString& text, int row, int column) const
{
    const Variant cell = CellRange(row, column);
    cell.call(QStringLiteral("InsertBefore"), text);
    SetBold(cell);
}

void TReportLayout::AddLabelFirstWordBold(const QString& text, int row, int column) const
{
    const Variant cell = CellRange(row, column);
    cell.call(QStringLiteral("InsertBefore"), text);
    SetBold(cell.get(QStringLiteral("Words")).call(QStringLiteral("Item"), 1));
}

// Grey background on every cell of the rows first..last.
void TReportLayout::ShadeRows(int first, int last) const
{
    for (int row = first; row <= last; ++row)
        m_rows.call(QStringLiteral("Item"), row)
            .get(QStringLiteral("Cells"))
            .get(QStringLiteral("Shading"))
            .set(QStringLiteral("BackgroundPatternColor"), Word::wdColorGray40);
}

// Word's keep-with-next on every row but the last.
void TReportLayout::KeepRowsTogether(int first, int last) const
{
    for (int row = first; row < last; ++row)
        RowRange(row).get(QStringLiteral("ParagraphFormat")).set(QStringLiteral("KeepWithNext"), true);
}

// Title row n+1 and the header row below it, as every dated section writes them.
void TReportLayout::WriteValueHeader(const QString& title, int n) const
{
    Write(title, n + 1, 1);
    const QString headers[] { QStringLiteral("Дата"), QStringLiteral("Показатель"),
        QStringLiteral("Значение"), QStringLiteral("Единицы измерения") };
    for (int column = 1; column <= 4; ++column)
        Write(headers[column - 1], n + 2, column);
}

// Rows n+2 .. n+2+valueRows of a blood or urine table: split into sixths,
// then date, indicator (2 sixths), value, unit (2 sixths).
void TReportLayout::SplitValueRows(int n, int valueRows)
{
    SplitRow(n, 4, 1);
    SplitRow(n + 2, valueRows + 1, 6);
    for (int row = n + 2; row <= n + 2 + valueRows; ++row)
        MergeRowCells(row, 2, 3);
    for (int row = n + 2; row <= n + 2 + valueRows; ++row)
        MergeRowCells(row, 4, 5);
}

// Frames the header and value rows, the first two of them bold; the date
// column shows no line between the value rows.
void TReportLayout::FrameValueRows(int n, int valueRows) const
{
    const Variant title = RowRange(n + 1);
    SetLine(BordersOf(title), Word::wdBorderTop, Word::wdLineStyleNone);
    for (int row = n + 2; row <= n + 2 + valueRows; ++row) {
        FrameRow(RowRange(row));
        if (row >= n + 4)
            SetLine(BordersOf(CellRange(row, 1)), Word::wdBorderTop, Word::wdLineStyleNone);
    }
    SetBold(title);
    SetBold(RowRange(n + 2));
}

void TReportLayout::WriteValues(
    int row, const QString& indicator, const QString& value, const QString& unit) const
{
    Write(indicator, row, 2);
    Write(value, row, 3);
    Write(unit, row, 4);
}

void TReportLayout::AddPatientHeader(
    const QString& name, const QString& sex, const QString& age, const QDate& date)
{
    const int n = m_rowCount;
    SplitRow(n, 4, 1);
    SplitRow(n + 2, 1, 6);
    Write(name, n + 1, 1);
    AddBoldLabel(QStringLiteral("Пол"), n + 2, 1);
    Write(sex, n + 2, 2);
    AddBoldLabel(QStringLiteral("Возраст"), n + 2, 3);
    Write(age.trimmed(), n + 2, 4);
    AddBoldLabel(QStringLiteral("Дата осмотра"), n + 2, 5);
    Write(ReportDate(date), n + 2, 6);
    const Variant values = RowRange(n + 2);
    const Variant borders = BordersOf(values);
    SetLine(borders, Word::wdBorderTop, Word::wdLineStyleSingle);
    SetLine(borders, Word::wdBorderBottom, Word::wdLineStyleSingle);
    FrameRow(values);
    SetBold(RowRange(n + 1));
    KeepRowsTogether(n + 1, n + 2);
}

void TReportLayout::AddTextSection(const QString& title, const QString& text)
{
    const int n = m_rowCount;
    SplitRow(n, 3, 1);
    SplitRow(n + 2, 2, 1);
    Write(title, n + 1, 1);
    if (!text.isEmpty())
        Write(text.trimmed() + QLatin1Char('.'), n + 2, 1);
    const Variant titleRow = RowRange(n + 1);
    SetBold(titleRow);
    SetLine(BordersOf(titleRow), Word::wdBorderTop, Word::wdLineStyleNone);
    const Variant box = BordersOf(RowRange(n + 2));
    for (int border : { Word::wdBorderTop, Word::wdBorderLeft, Word::wdBorderBottom, Word::wdBorderRight })
        SetLine(box, border, Word::wdLineStyleSingle);
    KeepRowsTogether(n + 1, n + 2);
}

void TReportLayout::AddUrgentSection(const QString& title, const QString& text)
{
    AddTextSection(title, text);
    SetBold(RowRange(m_rowCount - 1));
}

void TReportLayout::AddObjectiveTable(const QString& height, const QString& weight, const QString& bmi,
    const QString& pressure, const QString& pulse, const QString& temperature)
{
    const int n = m_rowCount;
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
    const Variant titleRow = RowRange(n + 1);
    const Variant titleBorders = BordersOf(titleRow);
    SetLine(titleBorders, Word::wdBorderTop, Word::wdLineStyleNone);
    SetLine(titleBorders, Word::wdBorderBottom, Word::wdLineStyleSingle);
    FrameRow(RowRange(n + 2));
    FrameRow(RowRange(n + 3));
    SetBold(titleRow);
    KeepRowsTogether(n + 1, n + 3);
}

void TReportLayout::AddDatedResult(
    const QString& title, const QString& header, const QString& text, bool highlight, const QDate& date)
{
    const int n = m_rowCount;
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
    const Variant titleRow = RowRange(n + 1);
    const Variant headerRow = RowRange(n + 2);
    SetLine(BordersOf(titleRow), Word::wdBorderTop, Word::wdLineStyleNone);
    FrameRow(headerRow);
    FrameRow(RowRange(n + 3));
    SetBold(titleRow);
    SetBold(headerRow);
    if (highlight)
        ShadeRows(n + 3, n + 3);
    KeepRowsTogether(n + 1, n + 3);
}

void TReportLayout::AddBloodTable(const QString& hemoglobin, const QString& leucocytes, const QString& esr,
    bool highlight, const QDate& date)
{
    constexpr int ValueRows = 3;
    const int n = m_rowCount;
    SplitValueRows(n, ValueRows);
    WriteValueHeader(QStringLiteral("Анализ крови:"), n);
    FrameValueRows(n, ValueRows);
    Write(ReportDate(date), n + 3, 1);
    WriteValues(n + 3, QStringLiteral("Гемоглобин"), hemoglobin, QStringLiteral("г/л"));
    WriteValues(n + 4, QStringLiteral("Лейкоциты"), leucocytes, QStringLiteral("тыс./мкл"));
    WriteValues(n + 5, QStringLiteral("СОЭ"), esr, QStringLiteral("мм/час"));
    if (highlight)
        ShadeRows(n + 3, n + 2 + ValueRows);
    KeepRowsTogether(n + 1, n + 2 + ValueRows);
}

void TReportLayout::AddUrineTable(const QString& protein, const QString& sugar, const QString& erythrocytes,
    bool highlight, const QString& leucocytes, const QDate& date)
{
    constexpr int ValueRows = 4;
    const int n = m_rowCount;
    SplitValueRows(n, ValueRows);
    WriteValueHeader(QStringLiteral("Анализ мочи:"), n);
    FrameValueRows(n, ValueRows);
    Write(ReportDate(date), n + 3, 1);
    WriteValues(n + 3, QStringLiteral("Белок"), protein, QStringLiteral("наличие"));
    WriteValues(n + 4, QStringLiteral("Сахар"), sugar, QStringLiteral("наличие"));
    WriteValues(n + 5, QStringLiteral("Эритроциты"), erythrocytes, QStringLiteral("ед. в препарате"));
    WriteValues(n + 6, QStringLiteral("Лейкоциты"), leucocytes, QStringLiteral("ед. в поле зрения"));
    if (highlight)
        ShadeRows(n + 3, n + 2 + ValueRows);
    KeepRowsTogether(n + 1, n + 2 + ValueRows);
}

void TReportLayout::AddShadingKey()
{
    AddNote(QStringLiteral(
        "Серым выделены результаты, срок действия которых истек: в заключении они не учтены."));
}

void TReportLayout::AddNote(const QString& text)
{
    const int n = m_rowCount;
    SplitRow(n, 3, 1);
    Write(text, n + 1, 1);
}

void TReportLayout::FinishReportTable(const QDateTime& now)
{
    const Variant stampRow = RowRange(m_rowCount);
    stampRow.call(QStringLiteral("InsertBefore"), ReportStamp(now));
    stampRow.get(QStringLiteral("ParagraphFormat"))
        .set(QStringLiteral("Alignment"), Word::wdAlignParagraphRight);
    SetFontSize(m_table.get(QStringLiteral("Range")), BodyFontSize);
    SetFontSize(CellRange(NameRow, 1), NameFontSize);
    SetFontSize(stampRow, StampFontSize);
    // A row split at a page end would part its section.
    m_rows.set(QStringLiteral("AllowBreakAcrossPages"), false);
    m_document.get(QStringLiteral("ActiveWindow"))
        .get(QStringLiteral("View"))
        .set(QStringLiteral("TableGridlines"), false);
}

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
