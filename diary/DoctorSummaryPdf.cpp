#include "diary/DoctorSummaryPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Resolution = 1200; // dots per inch of the page's coordinates
constexpr double Margin = 15; // mm

double mm(double millimetres)
{
    return millimetres * Resolution / 25.4;
}

QFont font(double points, bool bold = false)
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
class PageFlow {
public:
    PageFlow(QPdfWriter& writer, QPainter& painter)
        : m_writer(writer)
        , m_painter(painter)
        , m_width(writer.width())
        , m_height(writer.height() - mm(6))
    {
        number();
    }

    QPainter& painter() { return m_painter; }
    double width() const { return m_width; }
    double top() const { return m_top; }
    // Drawn at the top of each page that follows (a table's header).
    std::function<void()> pageHead;

    void makeRoom(double height)
    {
        if (m_top + height > m_height && m_top > 0) {
            m_writer.newPage();
            m_top = 0;
            number();
            if (pageHead)
                pageHead();
        }
    }
    void advance(double height) { m_top += height; }

    double paragraphHeight(const QString& text, const QFont& font)
    {
        m_painter.setFont(font);
        return m_painter
            .boundingRect(
                QRectF(0, 0, m_width, m_height), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text)
            .height();
    }

    // A paragraph across the page.
    void paragraph(const QString& text, const QFont& font, double spaceAfter = mm(1.5))
    {
        const QRectF bounds(0, 0, m_width, paragraphHeight(text, font));
        makeRoom(bounds.height());
        m_painter.drawText(
            QRectF(0, m_top, m_width, bounds.height()), Qt::TextWordWrap | Qt::AlignLeft, text);
        advance(bounds.height() + spaceAfter);
    }

private:
    void number()
    {
        m_painter.setFont(font(7));
        m_painter.drawText(QRectF(0, m_height + mm(2), m_width, mm(4)), Qt::AlignRight | Qt::AlignBottom,
            QStringLiteral("Сводка обследований для врача, стр. %1").arg(++m_page));
    }

    QPdfWriter& m_writer;
    QPainter& m_painter;
    double m_width;
    double m_height;
    double m_top = 0;
    int m_page = 0;
};

// ticks at 1, 2 or 5 times a power of ten, about five of them.
QList<double> ticksOf(const ValueRange& range)
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

int decimalsOf(const QList<double>& ticks)
{
    return ticks.size() > 1 && ticks[1] - ticks[0] < 1 ? 1 : 0;
}

class ChartPainter {
public:
    ChartPainter(QPainter& painter, const TrendChart& chart, const TimeAxis& axis)
        : m_painter(painter)
        , m_chart(chart)
        , m_axis(axis)
    {
    }

    void paint(const QRectF& area)
    {
        m_painter.save();
        m_painter.setPen(QPen(Qt::black, mm(0.2)));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(area);
        m_painter.setFont(font(8, true));
        m_painter.drawText(
            QRectF(area.left(), area.top() + mm(1), area.width(), mm(4)), Qt::AlignHCenter, m_chart.title);
        const double legendHeight = legend(area);
        m_plot = QRectF(area.left() + mm(11), area.top() + mm(7),
            area.width() - mm(m_chart.secondUnit.isEmpty() ? 14 : 22),
            area.height() - mm(7) - mm(m_axis.title.isEmpty() ? 6 : 9) - legendHeight);
        bands();
        valueAxis(m_chart.range, m_chart.unit, false);
        if (!m_chart.secondUnit.isEmpty())
            valueAxis(m_chart.secondRange, m_chart.secondUnit, true);
        timeAxis();
        for (qsizetype k = 0; k < m_chart.lines.size(); ++k)
            line(m_chart.lines[k], int(k % 2));
        m_painter.restore();
    }

private:
    double x(const QDateTime& moment) const
    {
        const double span = double(m_axis.first.msecsTo(m_axis.last));
        return m_plot.left() + m_plot.width() * double(m_axis.first.msecsTo(moment)) / span;
    }
    double y(double value, bool second) const
    {
        const ValueRange& range = second ? m_chart.secondRange : m_chart.range;
        return m_plot.bottom() - m_plot.height() * (value - range.lower) / (range.upper - range.lower);
    }

    void bands()
    {
        for (const NormalBand& band : m_chart.bands) {
            const QRectF rect(QPointF(m_plot.left(), y(band.upper, band.secondAxis)),
                QPointF(m_plot.right(), y(band.lower, band.secondAxis)));
            m_painter.fillRect(rect, BandColours[band.line % 2]);
            m_painter.setPen(QPen(Qt::darkGray, mm(0.2), BandEdges[band.line % 2]));
            m_painter.drawLine(rect.topLeft(), rect.topRight());
            m_painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    }

    void valueAxis(const ValueRange& range, const QString& unit, bool second)
    {
        const QList<double> ticks = ticksOf(range);
        const int decimals = decimalsOf(ticks);
        m_painter.setFont(font(6));
        for (double value : ticks) {
            const double at = y(value, second);
            m_painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), mm(0.1)));
            if (!second)
                m_painter.drawLine(QPointF(m_plot.left(), at), QPointF(m_plot.right(), at));
            m_painter.setPen(Qt::black);
            const QRectF label = second ? QRectF(m_plot.right() + mm(1), at - mm(2), mm(9), mm(4))
                                        : QRectF(m_plot.left() - mm(10), at - mm(2), mm(9), mm(4));
            m_painter.drawText(label, (second ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                QLocale().toString(value, 'f', decimals));
        }
        m_painter.save();
        m_painter.translate(second ? m_plot.right() + mm(5.5) : m_plot.left() - mm(6.5), m_plot.center().y());
        m_painter.rotate(second ? 90 : -90);
        m_painter.drawText(
            QRectF(-m_plot.height() / 2, -mm(3.5), m_plot.height(), mm(3)), Qt::AlignCenter, unit);
        m_painter.restore();
        m_painter.setPen(QPen(Qt::black, mm(0.2)));
        const double edge = second ? m_plot.right() : m_plot.left();
        m_painter.drawLine(QPointF(edge, m_plot.top()), QPointF(edge, m_plot.bottom()));
    }

    void timeAxis()
    {
        m_painter.setPen(QPen(Qt::black, mm(0.2)));
        m_painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());
        m_painter.setFont(font(6));
        constexpr int Labels = 5;
        const qint64 span = m_axis.first.msecsTo(m_axis.last);
        for (int k = 0; k < Labels; ++k) {
            const QDateTime moment = m_axis.first.addMSecs(span / 10 + span * 8 / 10 * k / (Labels - 1));
            const double at = x(moment);
            m_painter.drawLine(QPointF(at, m_plot.bottom()), QPointF(at, m_plot.bottom() + mm(1)));
            m_painter.drawText(QRectF(at - mm(12), m_plot.bottom() + mm(1), mm(24), mm(3.5)),
                Qt::AlignHCenter, moment.toString(m_axis.format));
        }
        if (!m_axis.title.isEmpty())
            m_painter.drawText(QRectF(m_plot.left(), m_plot.bottom() + mm(4.5), m_plot.width(), mm(3.5)),
                Qt::AlignHCenter, m_axis.title);
    }

    void line(const TrendLine& line, int style)
    {
        if (line.points.isEmpty())
            return;
        if (line.pointsOnly) {
            m_painter.save();
            m_painter.setPen(QPen(LineColours[style], mm(0.25)));
            for (const TrendPoint& point : line.points)
                cross(QPointF(x(point.moment), y(point.value, line.secondAxis)));
            m_painter.restore();
            return;
        }
        QPainterPath path;
        path.moveTo(x(line.points.first().moment), y(line.points.first().value, line.secondAxis));
        for (const TrendPoint& point : line.points)
            path.lineTo(x(point.moment), y(point.value, line.secondAxis));
        m_painter.save();
        m_painter.setClipRect(m_plot.adjusted(-mm(1), -mm(1), mm(1), mm(1)));
        m_painter.setPen(QPen(LineColours[style], mm(0.35), LineStyles[style]));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(path);
        if (line.points.size() <= MostMarkedPoints) {
            m_painter.setPen(QPen(LineColours[style], mm(0.2)));
            m_painter.setBrush(style == 0 ? QBrush(LineColours[style]) : QBrush(Qt::white));
            for (const TrendPoint& point : line.points)
                marker(QPointF(x(point.moment), y(point.value, line.secondAxis)), style);
        }
        m_painter.restore();
    }

    // A home reading: a cross, told apart from an examination's marker in a grey print too.
    void cross(const QPointF& at)
    {
        const double r = mm(0.6);
        m_painter.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
        m_painter.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
    }

    void marker(const QPointF& at, int style)
    {
        const double r = mm(0.7);
        if (style == 0)
            m_painter.drawEllipse(at, r, r);
        else
            m_painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    }

    // The names of the lines and bands under the chart; returns its height.
    double legend(const QRectF& area)
    {
        struct Item {
            QString name;
            int style;
            bool band;
            bool points = false;
        };
        QList<Item> items;
        for (qsizetype k = 0; k < m_chart.lines.size(); ++k)
            items.append({ m_chart.lines[k].name, int(k % 2), false, m_chart.lines[k].pointsOnly });
        for (const NormalBand& band : m_chart.bands)
            items.append({ band.name, band.line % 2, true });
        m_painter.setFont(font(6));
        const double rowHeight = mm(3.5);
        const double rows = double(items.size());
        double top = area.bottom() - rows * rowHeight - mm(1);
        for (const Item& item : items) {
            const QRectF sample(area.left() + mm(3), top + mm(0.8), mm(6), mm(2));
            if (item.band) {
                m_painter.fillRect(sample, BandColours[item.style]);
                m_painter.setPen(QPen(Qt::darkGray, mm(0.2), BandEdges[item.style]));
                m_painter.drawLine(sample.topLeft(), sample.topRight());
                m_painter.drawLine(sample.bottomLeft(), sample.bottomRight());
            } else if (item.points) {
                m_painter.setPen(QPen(LineColours[item.style], mm(0.25)));
                for (double at : { 0.25, 0.75 })
                    cross(QPointF(sample.left() + sample.width() * at, sample.center().y()));
            } else {
                m_painter.setPen(QPen(LineColours[item.style], mm(0.35), LineStyles[item.style]));
                m_painter.drawLine(QPointF(sample.left(), sample.center().y()),
                    QPointF(sample.right(), sample.center().y()));
            }
            m_painter.setPen(Qt::black);
            m_painter.drawText(QRectF(sample.right() + mm(1.5), top, area.width() - mm(12), rowHeight),
                Qt::AlignLeft | Qt::AlignVCenter, item.name);
            top += rowHeight;
        }
        return rows * rowHeight + mm(1);
    }

    QPainter& m_painter;
    const TrendChart& m_chart;
    const TimeAxis& m_axis;
    QRectF m_plot;
};

// Lines in a frame of their colour, so that a grey print shows them too.
void framed(PageFlow& flow, const QStringList& lines, const QColor& colour)
{
    QPainter& painter = flow.painter();
    painter.setFont(font(9, true));
    const QString text = lines.join(QLatin1Char('\n'));
    const QRectF bounds
        = painter.boundingRect(QRectF(0, 0, flow.width() - mm(4), 1e6), Qt::TextWordWrap, text);
    flow.makeRoom(bounds.height() + mm(4));
    const QRectF box(0, flow.top(), flow.width(), bounds.height() + mm(3));
    painter.setPen(QPen(colour, mm(0.6)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(colour);
    painter.drawText(box.adjusted(mm(2), mm(1.5), -mm(2), -mm(1.5)), Qt::TextWordWrap, text);
    flow.advance(box.height() + mm(2));
    painter.setPen(Qt::black);
}

void paintConclusion(PageFlow& flow, const DoctorSummary& summary)
{
    flow.paragraph(summary.latestTitle, font(11, true), mm(1));
    if (!summary.urgent.isEmpty())
        framed(flow, summary.urgent, QColor(0xB0, 0x00, 0x20));
    if (!summary.sameDay.isEmpty())
        framed(flow, summary.sameDay, QColor(0x80, 0x40, 0x00));
    flow.paragraph(summary.findings, font(9));
    flow.paragraph(summary.recommendations, font(9, true), mm(4));
    if (summary.homePressure.isEmpty())
        return;
    flow.paragraph(summary.homePressure, font(9, !summary.homeThreshold.isEmpty()), mm(1));
    if (!summary.homeThreshold.isEmpty())
        flow.paragraph(summary.homeThreshold, font(9, true), mm(1));
    flow.advance(mm(3));
}

void paintCharts(PageFlow& flow, const DoctorSummary& summary)
{
    const double gap = mm(3);
    const double width = (flow.width() - gap) / 2;
    const double height = mm(62);
    for (qsizetype k = 0; k < summary.charts.size(); k += 2) {
        flow.makeRoom(height);
        for (qsizetype c = k; c < std::min(k + 2, summary.charts.size()); ++c) {
            const QRectF area((c - k) * (width + gap), flow.top(), width, height);
            ChartPainter(flow.painter(), summary.charts[c], summary.timeAxis).paint(area);
        }
        flow.advance(height + gap);
    }
}

// Widths of the table's columns, in parts of the page's width.
const double ColumnParts[] = { 0.11, 0.11, 0.09, 0.07, 0.09, 0.27, 0.26 };

// A cell laid out at the page's resolution. A cell of one look is plain text;
// one with bold or grey runs among the others goes through a text document,
// which costs more.
class LaidCell {
public:
    LaidCell(QPainter& painter, const SummaryCell& cell, double width, bool header)
        : m_width(width)
    {
        const bool uniform = std::all_of(cell.runs.begin(), cell.runs.end(), [&cell](const SummaryRun& run) {
            return run.marked == cell.runs.first().marked && run.old == cell.runs.first().old;
        });
        if (uniform) {
            const SummaryRun first = cell.runs.value(0);
            m_text = cell.text();
            m_font = font(7, header || first.marked);
            m_colour = first.old ? OldColour : QColor(Qt::black);
            painter.setFont(m_font);
            m_height = painter.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, m_text).height();
            return;
        }
        m_document = std::make_unique<QTextDocument>();
        m_document->documentLayout()->setPaintDevice(painter.device());
        m_document->setDocumentMargin(0);
        m_document->setDefaultFont(font(7));
        m_document->setTextWidth(width);
        QTextCursor cursor(m_document.get());
        for (const SummaryRun& run : cell.runs) {
            QTextCharFormat format;
            format.setFontWeight(header || run.marked ? QFont::Bold : QFont::Normal);
            if (run.old)
                format.setForeground(OldColour);
            cursor.insertText(run.text, format);
        }
        m_height = m_document->size().height();
    }

    double height() const { return m_height; }

    void draw(QPainter& painter, const QPointF& at) const
    {
        painter.save();
        if (m_document) {
            painter.translate(at);
            m_document->drawContents(&painter);
        } else {
            painter.setFont(m_font);
            painter.setPen(m_colour);
            painter.drawText(QRectF(at, QSizeF(m_width, m_height)),
                Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, m_text);
        }
        painter.restore();
    }

private:
    static inline const QColor OldColour { 0x70, 0x70, 0x70 };
    double m_width;
    double m_height = 0;
    std::unique_ptr<QTextDocument> m_document;
    QString m_text;
    QFont m_font;
    QColor m_colour;
};

// The cells of a row laid out, and the row's height.
struct LaidRow {
    std::vector<LaidCell> cells;
    double height = 0;
};

LaidRow layRow(QPainter& painter, const QList<SummaryCell>& cells, const QList<double>& widths, bool header)
{
    LaidRow row;
    row.cells.reserve(size_t(cells.size()));
    for (qsizetype c = 0; c < cells.size(); ++c) {
        row.cells.emplace_back(painter, cells[c], widths[c] - mm(1.5), header);
        row.height = std::max(row.height, row.cells.back().height());
    }
    row.height += mm(1.2);
    return row;
}

// keepWith: room the row needs below it on its page (the legend under the last row).
void tableRow(PageFlow& flow, const QList<SummaryCell>& cells, const QList<double>& widths, bool header,
    double keepWith = 0)
{
    QPainter& painter = flow.painter();
    const LaidRow row = layRow(painter, cells, widths, header);
    flow.makeRoom(row.height + keepWith);
    double left = 0;
    if (header)
        painter.fillRect(QRectF(0, flow.top(), flow.width(), row.height), QColor(0xE8, 0xE8, 0xE8));
    for (qsizetype c = 0; c < cells.size(); ++c) {
        row.cells[size_t(c)].draw(painter, QPointF(left + mm(0.75), flow.top() + mm(0.6)));
        left += widths[c];
    }
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), mm(0.1)));
    painter.drawLine(QPointF(0, flow.top() + row.height), QPointF(flow.width(), flow.top() + row.height));
    painter.setPen(Qt::black);
    flow.advance(row.height);
}

void paintTable(PageFlow& flow, const DoctorSummary& summary)
{
    QList<double> widths;
    for (double part : ColumnParts)
        widths << part * flow.width();
    QList<SummaryCell> header;
    for (const QString& text : summary.headers)
        header.append({ { { text } } });
    // The title and the header stay with the first row.
    const QString title = QStringLiteral("Обследования");
    QPainter& painter = flow.painter();
    flow.makeRoom(flow.paragraphHeight(title, font(11, true)) + mm(1)
        + layRow(painter, header, widths, true).height
        + (summary.rows.isEmpty() ? 0 : layRow(painter, summary.rows.first(), widths, false).height));
    flow.paragraph(title, font(11, true), mm(1));
    tableRow(flow, header, widths, true);
    flow.pageHead = [&flow, &header, &widths] { tableRow(flow, header, widths, true); };
    const QString legend = summaryMarksLegend();
    const double legendHeight = mm(1.5) + flow.paragraphHeight(legend, font(7));
    for (qsizetype k = 0; k < summary.rows.size(); ++k)
        tableRow(flow, summary.rows[k], widths, false, k + 1 == summary.rows.size() ? legendHeight : 0);
    flow.pageHead = nullptr;
    flow.advance(mm(1.5));
    flow.paragraph(legend, font(7));
}

void paint(QPdfWriter& writer, const DoctorSummary& summary)
{
    QPainter painter(&writer);
    PageFlow flow(writer, painter);
    flow.paragraph(QStringLiteral("Сводка обследований для врача"), font(16, true), mm(2));
    flow.paragraph(summary.person, font(11, true), mm(1));
    flow.paragraph(summary.period, font(9), mm(1));
    flow.paragraph(summary.made, font(7), mm(4));
    paintConclusion(flow, summary);
    paintCharts(flow, summary);
    paintTable(flow, summary);
}

} // namespace

bool writeDoctorSummary(const QString& path, const DoctorSummary& summary, QString& error)
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
            paint(writer, summary);
        }
        // Health data, readable by its owner only, like the saved conclusions.
        if (file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) && file.commit())
            return true;
    }
    error = QStringLiteral("Не могу записать файл %1: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}
