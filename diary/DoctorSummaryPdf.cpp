#include "diary/DoctorSummaryPdf.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <functional>

namespace {

constexpr int Resolution = 1200; // dots per inch of the page's coordinates
constexpr double Margin = 15; // mm

double Mm(double millimetres)
{
    return millimetres * Resolution / 25.4;
}

QFont Font(double points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Colours that stay apart in a grey print too; the lines differ by style as well.
const QColor LineColours[] = { QColor(0xA0, 0x10, 0x20), QColor(0x10, 0x30, 0x90) };
const Qt::PenStyle LineStyles[] = { Qt::SolidLine, Qt::DashLine };
const QColor BandColours[] = { QColor(0x2E, 0xA0, 0x4A, 0x38), QColor(0x10, 0x90, 0xA0, 0x38) };
const Qt::PenStyle BandEdges[] = { Qt::DotLine, Qt::DashDotLine };
constexpr qsizetype MostMarkedPoints = 60;

// Draws from the top of the page down, starting a new page when what comes
// next does not fit; every page is numbered at its foot.
class TPageFlow {
public:
    TPageFlow(QPdfWriter& writer, QPainter& painter)
        : FWriter(writer)
        , FPainter(painter)
        , FWidth(writer.width())
        , FHeight(writer.height() - Mm(6))
    {
        number();
    }

    QPainter& painter() { return FPainter; }
    double width() const { return FWidth; }
    double top() const { return FTop; }
    // Drawn at the top of each page that follows (a table's header).
    std::function<void()> pageHead;

    void makeRoom(double height)
    {
        if (FTop + height > FHeight && FTop > 0) {
            FWriter.newPage();
            FTop = 0;
            number();
            if (pageHead)
                pageHead();
        }
    }
    void advance(double height) { FTop += height; }

    // A paragraph across the page.
    void paragraph(const QString& text, const QFont& font, double spaceAfter = Mm(1.5))
    {
        FPainter.setFont(font);
        const QRectF bounds = FPainter.boundingRect(
            QRectF(0, 0, FWidth, FHeight), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        makeRoom(bounds.height());
        FPainter.drawText(QRectF(0, FTop, FWidth, bounds.height()), Qt::TextWordWrap | Qt::AlignLeft, text);
        advance(bounds.height() + spaceAfter);
    }

private:
    void number()
    {
        FPainter.setFont(Font(7));
        FPainter.drawText(QRectF(0, FHeight + Mm(2), FWidth, Mm(4)), Qt::AlignRight | Qt::AlignBottom,
            QStringLiteral("Сводка обследований для врача, стр. %1").arg(++FPage));
    }

    QPdfWriter& FWriter;
    QPainter& FPainter;
    double FWidth;
    double FHeight;
    double FTop = 0;
    int FPage = 0;
};

// Ticks at 1, 2 or 5 times a power of ten, about five of them.
QList<double> Ticks(const TValueRange& range)
{
    const double raw = (range.upper - range.lower) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double factor : { 2.0, 5.0, 10.0 }) {
        if (step < raw)
            step = power * factor;
    }
    QList<double> ticks;
    for (double value = std::ceil(range.lower / step) * step; value <= range.upper + step / 1000;
         value += step)
        ticks << value;
    return ticks;
}

int DecimalsOf(const QList<double>& ticks)
{
    return ticks.size() > 1 && ticks[1] - ticks[0] < 1 ? 1 : 0;
}

class TChartPainter {
public:
    TChartPainter(QPainter& painter, const TTrendChart& chart, const TTimeAxis& axis)
        : P(painter)
        , C(chart)
        , A(axis)
    {
    }

    void paint(const QRectF& area)
    {
        P.save();
        P.setPen(QPen(Qt::black, Mm(0.2)));
        P.setBrush(Qt::NoBrush);
        P.drawRect(area);
        P.setFont(Font(8, true));
        P.drawText(QRectF(area.left(), area.top() + Mm(1), area.width(), Mm(4)), Qt::AlignHCenter, C.title);
        const double legendHeight = legend(area);
        FPlot = QRectF(area.left() + Mm(11), area.top() + Mm(7),
            area.width() - Mm(C.secondUnit.isEmpty() ? 14 : 22),
            area.height() - Mm(7) - Mm(A.title.isEmpty() ? 6 : 9) - legendHeight);
        bands();
        valueAxis(C.range, C.unit, false);
        if (!C.secondUnit.isEmpty())
            valueAxis(C.secondRange, C.secondUnit, true);
        timeAxis();
        for (qsizetype k = 0; k < C.lines.size(); ++k)
            line(C.lines[k], int(k % 2));
        P.restore();
    }

private:
    double x(const QDateTime& moment) const
    {
        const double span = double(A.first.msecsTo(A.last));
        return FPlot.left() + FPlot.width() * double(A.first.msecsTo(moment)) / span;
    }
    double y(double value, bool second) const
    {
        const TValueRange& range = second ? C.secondRange : C.range;
        return FPlot.bottom() - FPlot.height() * (value - range.lower) / (range.upper - range.lower);
    }

    void bands()
    {
        for (const TNormalBand& band : C.bands) {
            const QRectF rect(QPointF(FPlot.left(), y(band.upper, band.secondAxis)),
                QPointF(FPlot.right(), y(band.lower, band.secondAxis)));
            P.fillRect(rect, BandColours[band.line % 2]);
            P.setPen(QPen(Qt::darkGray, Mm(0.2), BandEdges[band.line % 2]));
            P.drawLine(rect.topLeft(), rect.topRight());
            P.drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    }

    void valueAxis(const TValueRange& range, const QString& unit, bool second)
    {
        const QList<double> ticks = Ticks(range);
        const int decimals = DecimalsOf(ticks);
        P.setFont(Font(6));
        for (double value : ticks) {
            const double at = y(value, second);
            P.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), Mm(0.1)));
            if (!second)
                P.drawLine(QPointF(FPlot.left(), at), QPointF(FPlot.right(), at));
            P.setPen(Qt::black);
            const QRectF label = second ? QRectF(FPlot.right() + Mm(1), at - Mm(2), Mm(9), Mm(4))
                                        : QRectF(FPlot.left() - Mm(10), at - Mm(2), Mm(9), Mm(4));
            P.drawText(label, (second ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                QLocale().toString(value, 'f', decimals));
        }
        P.save();
        P.translate(second ? FPlot.right() + Mm(5.5) : FPlot.left() - Mm(6.5), FPlot.center().y());
        P.rotate(second ? 90 : -90);
        P.drawText(QRectF(-FPlot.height() / 2, -Mm(3.5), FPlot.height(), Mm(3)), Qt::AlignCenter, unit);
        P.restore();
        P.setPen(QPen(Qt::black, Mm(0.2)));
        const double edge = second ? FPlot.right() : FPlot.left();
        P.drawLine(QPointF(edge, FPlot.top()), QPointF(edge, FPlot.bottom()));
    }

    void timeAxis()
    {
        P.setPen(QPen(Qt::black, Mm(0.2)));
        P.drawLine(FPlot.bottomLeft(), FPlot.bottomRight());
        P.setFont(Font(6));
        constexpr int Labels = 5;
        const qint64 span = A.first.msecsTo(A.last);
        for (int k = 0; k < Labels; ++k) {
            const QDateTime moment = A.first.addMSecs(span / 10 + span * 8 / 10 * k / (Labels - 1));
            const double at = x(moment);
            P.drawLine(QPointF(at, FPlot.bottom()), QPointF(at, FPlot.bottom() + Mm(1)));
            P.drawText(QRectF(at - Mm(12), FPlot.bottom() + Mm(1), Mm(24), Mm(3.5)), Qt::AlignHCenter,
                moment.toString(A.format));
        }
        if (!A.title.isEmpty())
            P.drawText(QRectF(FPlot.left(), FPlot.bottom() + Mm(4.5), FPlot.width(), Mm(3.5)),
                Qt::AlignHCenter, A.title);
    }

    void line(const TTrendLine& line, int style)
    {
        if (line.points.isEmpty())
            return;
        QPainterPath path;
        path.moveTo(x(line.points.first().moment), y(line.points.first().value, line.secondAxis));
        for (const TTrendPoint& point : line.points)
            path.lineTo(x(point.moment), y(point.value, line.secondAxis));
        P.save();
        P.setClipRect(FPlot.adjusted(-Mm(1), -Mm(1), Mm(1), Mm(1)));
        P.setPen(QPen(LineColours[style], Mm(0.35), LineStyles[style]));
        P.setBrush(Qt::NoBrush);
        P.drawPath(path);
        if (line.points.size() <= MostMarkedPoints) {
            P.setPen(QPen(LineColours[style], Mm(0.2)));
            P.setBrush(style == 0 ? QBrush(LineColours[style]) : QBrush(Qt::white));
            for (const TTrendPoint& point : line.points)
                marker(QPointF(x(point.moment), y(point.value, line.secondAxis)), style);
        }
        P.restore();
    }

    void marker(const QPointF& at, int style)
    {
        const double r = Mm(0.7);
        if (style == 0)
            P.drawEllipse(at, r, r);
        else
            P.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    }

    // The names of the lines and bands under the chart; returns its height.
    double legend(const QRectF& area)
    {
        struct Item {
            QString name;
            int style;
            bool band;
        };
        QList<Item> items;
        for (qsizetype k = 0; k < C.lines.size(); ++k)
            items.append({ C.lines[k].name, int(k % 2), false });
        for (const TNormalBand& band : C.bands)
            items.append({ band.name, band.line % 2, true });
        P.setFont(Font(6));
        const double rowHeight = Mm(3.5);
        const double rows = double(items.size());
        double top = area.bottom() - rows * rowHeight - Mm(1);
        for (const Item& item : items) {
            const QRectF sample(area.left() + Mm(3), top + Mm(0.8), Mm(6), Mm(2));
            if (item.band) {
                P.fillRect(sample, BandColours[item.style]);
                P.setPen(QPen(Qt::darkGray, Mm(0.2), BandEdges[item.style]));
                P.drawLine(sample.topLeft(), sample.topRight());
                P.drawLine(sample.bottomLeft(), sample.bottomRight());
            } else {
                P.setPen(QPen(LineColours[item.style], Mm(0.35), LineStyles[item.style]));
                P.drawLine(QPointF(sample.left(), sample.center().y()),
                    QPointF(sample.right(), sample.center().y()));
            }
            P.setPen(Qt::black);
            P.drawText(QRectF(sample.right() + Mm(1.5), top, area.width() - Mm(12), rowHeight),
                Qt::AlignLeft | Qt::AlignVCenter, item.name);
            top += rowHeight;
        }
        return rows * rowHeight + Mm(1);
    }

    QPainter& P;
    const TTrendChart& C;
    const TTimeAxis& A;
    QRectF FPlot;
};

// A notice in a frame, not only in colour, so that a grey print shows it too.
void FramedNotice(TPageFlow& flow, const QStringList& lines, const QColor& colour)
{
    if (lines.isEmpty())
        return;
    QPainter& painter = flow.painter();
    painter.setFont(Font(9, true));
    const QString text = lines.join(QLatin1Char('\n'));
    const QRectF bounds
        = painter.boundingRect(QRectF(0, 0, flow.width() - Mm(4), 1e6), Qt::TextWordWrap, text);
    flow.makeRoom(bounds.height() + Mm(4));
    const QRectF box(0, flow.top(), flow.width(), bounds.height() + Mm(3));
    painter.setPen(QPen(colour, Mm(0.6)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(colour);
    painter.drawText(box.adjusted(Mm(2), Mm(1.5), -Mm(2), -Mm(1.5)), Qt::TextWordWrap, text);
    flow.advance(box.height() + Mm(2));
    painter.setPen(Qt::black);
}

void Conclusion(TPageFlow& flow, const TDoctorSummary& summary)
{
    flow.paragraph(summary.latestTitle, Font(11, true), Mm(1));
    FramedNotice(flow, summary.urgent, QColor(0xB0, 0x00, 0x20));
    // The same-day notice in brown, as the conclusion shows it.
    FramedNotice(flow, summary.sameDay, QColor(0xA0, 0x40, 0x00));
    flow.paragraph(summary.findings, Font(9));
    flow.paragraph(summary.recommendations, Font(9, true), Mm(4));
}

void Charts(TPageFlow& flow, const TDoctorSummary& summary)
{
    const double gap = Mm(3);
    const double width = (flow.width() - gap) / 2;
    const double height = Mm(62);
    for (qsizetype k = 0; k < summary.charts.size(); k += 2) {
        flow.makeRoom(height);
        for (qsizetype c = k; c < std::min(k + 2, summary.charts.size()); ++c) {
            const QRectF area((c - k) * (width + gap), flow.top(), width, height);
            TChartPainter(flow.painter(), summary.charts[c], summary.timeAxis).paint(area);
        }
        flow.advance(height + gap);
    }
}

// Widths of the table's columns, in parts of the page's width.
const double ColumnParts[] = { 0.11, 0.11, 0.09, 0.07, 0.09, 0.27, 0.26 };

double RowHeight(QPainter& painter, const QList<TSummaryCell>& cells, const QList<double>& widths)
{
    double height = 0;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        painter.setFont(Font(7, cells[c].marked));
        height = std::max(height,
            painter.boundingRect(QRectF(0, 0, widths[c] - Mm(1.5), 1e6), Qt::TextWordWrap, cells[c].text)
                .height());
    }
    return height + Mm(1.2);
}

void TableRow(TPageFlow& flow, const QList<TSummaryCell>& cells, const QList<double>& widths, bool header)
{
    QPainter& painter = flow.painter();
    const double height = RowHeight(painter, cells, widths);
    flow.makeRoom(height);
    double left = 0;
    if (header)
        painter.fillRect(QRectF(0, flow.top(), flow.width(), height), QColor(0xE8, 0xE8, 0xE8));
    for (qsizetype c = 0; c < cells.size(); ++c) {
        painter.setFont(Font(7, header || cells[c].marked));
        painter.drawText(QRectF(left + Mm(0.75), flow.top() + Mm(0.6), widths[c] - Mm(1.5), height),
            Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, cells[c].text);
        left += widths[c];
    }
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), Mm(0.1)));
    painter.drawLine(QPointF(0, flow.top() + height), QPointF(flow.width(), flow.top() + height));
    painter.setPen(Qt::black);
    flow.advance(height);
}

void Table(TPageFlow& flow, const TDoctorSummary& summary)
{
    flow.paragraph(QStringLiteral("Обследования"), Font(11, true), Mm(1));
    QList<double> widths;
    for (double part : ColumnParts)
        widths << part * flow.width();
    QList<TSummaryCell> header;
    for (const QString& text : summary.headers)
        header.append({ text, false });
    TableRow(flow, header, widths, true);
    flow.pageHead = [&flow, &header, &widths] { TableRow(flow, header, widths, true); };
    for (const QList<TSummaryCell>& row : summary.rows)
        TableRow(flow, row, widths, false);
    flow.pageHead = nullptr;
    flow.advance(Mm(1.5));
    flow.paragraph(SummaryMarksLegend(), Font(7));
}

void Paint(QPdfWriter& writer, const TDoctorSummary& summary)
{
    QPainter painter(&writer);
    TPageFlow flow(writer, painter);
    flow.paragraph(QStringLiteral("Сводка обследований для врача"), Font(16, true), Mm(2));
    flow.paragraph(summary.person, Font(11, true), Mm(1));
    flow.paragraph(summary.period, Font(9), Mm(1));
    flow.paragraph(summary.made, Font(7), Mm(4));
    Conclusion(flow, summary);
    Charts(flow, summary);
    Table(flow, summary);
}

} // namespace

bool WriteDoctorSummary(const QString& path, const TDoctorSummary& summary, QString& error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter writer(&file);
            writer.setResolution(Resolution);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Millimeter));
            writer.setTitle(QStringLiteral("Сводка обследований для врача"));
            writer.setCreator(QStringLiteral("Тессора Про"));
            Paint(writer, summary);
        }
        if (file.commit())
            return true;
    }
    error = QStringLiteral("Не могу записать файл %1: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}
