#include "app/DiaryU.h"
#include "ui_DiaryU.h"

#include "diary/Diary.h"
#include "diary/DiaryCsv.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryTrends.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"

#include <QAbstractTableModel>
#include <QAreaSeries>
#include <QChart>
#include <QCursor>
#include <QDateTimeAxis>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QLineSeries>
#include <QToolTip>
#include <QUrl>
#include <QValueAxis>

#include <cmath>

// The diary's table: the cells and flags come from the diary unit; this only
// colours them.
class TDiaryModel final : public QAbstractTableModel {
public:
    TDiaryModel(const QList<TDiaryEntry>& entries, QObject* parent)
        : QAbstractTableModel(parent)
        , FHeaders(DiaryHeaders())
    {
        FCells.reserve(entries.size());
        for (const TDiaryEntry& entry : entries) {
            FCells << DiaryCells(entry);
            QList<TDiaryFlag> flags;
            for (int column = 0; column < DiaryColumnCount; ++column)
                flags << DiaryCellFlag(entry, TDiaryColumn(column));
            FFlags << flags;
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(FCells.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : DiaryColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const TDiaryFlag flag = FFlags[index.row()][index.column()];
        switch (role) {
        case Qt::DisplayRole:
            return FCells[index.row()][index.column()];
        case Qt::ToolTipRole:
            return flag == TDiaryFlag::None ? QVariant()
                : flag == TDiaryFlag::High  ? QStringLiteral("Выше нормы или патология")
                                            : QStringLiteral("Ниже нормы");
        case Qt::ForegroundRole:
            return flag == TDiaryFlag::None ? QVariant()
                                            : QVariant(flag == TDiaryFlag::High ? FlagHigh : FlagLow);
        case Qt::BackgroundRole:
            return flag == TDiaryFlag::None ? QVariant()
                                            : QVariant(flag == TDiaryFlag::High ? TintHigh : TintLow);
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return FHeaders.value(section);
        return {};
    }

    static inline const QColor FlagHigh { 0xB0, 0x00, 0x20 };
    static inline const QColor FlagLow { 0x00, 0x40, 0xB0 };
    static inline const QColor TintHigh { 0xFF, 0xE4, 0xE4 };
    static inline const QColor TintLow { 0xE2, 0xEC, 0xFF };

private:
    QStringList FHeaders;
    QList<QStringList> FCells;
    QList<QList<TDiaryFlag>> FFlags;
};

namespace {

const QColor LineColours[] = { QColor(0xC0, 0x20, 0x30), QColor(0x20, 0x50, 0xC0) };
// The norm of each line in a green of its own, so that two bands of one chart differ.
const QColor BandColours[] = { QColor(0x2E, 0xA0, 0x4A, 0x40), QColor(0x10, 0x90, 0xA0, 0x40) };
// Markers on every point help a short diary; on a long one they only hide the line.
constexpr qsizetype MostMarkedPoints = 60;

QValueAxis* ValueAxis(const TValueRange& range, const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setRange(range.lower, range.upper);
    axis->setTitleText(title);
    axis->setLabelFormat(range.upper - range.lower < 10 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
    axis->applyNiceNumbers();
    return axis;
}

void Attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* time, QAbstractAxis* values)
{
    chart->addSeries(series);
    series->attachAxis(time);
    series->attachAxis(values);
}

// The band is a filled area between two flat lines across the whole time axis.
QAreaSeries* Band(const TNormalBand& band, const std::pair<QDateTime, QDateTime>& span)
{
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    for (const QDateTime& end : { span.first, span.second }) {
        upper->append(end.toMSecsSinceEpoch(), band.upper);
        lower->append(end.toMSecsSinceEpoch(), band.lower);
    }
    auto* area = new QAreaSeries(upper, lower);
    // The area series draws its edges but does not own them.
    upper->setParent(area);
    lower->setParent(area);
    area->setName(band.name);
    area->setBrush(BandColours[band.line % 2]);
    area->setPen(Qt::NoPen);
    return area;
}

QLineSeries* Line(const TTrendLine& line, const QColor& colour)
{
    auto* series = new QLineSeries;
    series->setName(line.name);
    QList<QPointF> points;
    points.reserve(line.points.size());
    for (const TTrendPoint& point : line.points)
        points.append(QPointF(point.moment.toMSecsSinceEpoch(), point.value));
    series->replace(points);
    series->setPen(QPen(colour, 2));
    series->setPointsVisible(line.points.size() <= MostMarkedPoints);
    series->setMarkerSize(5);
    // The tip of the point nearest in time to where the pointer is.
    QObject::connect(series, &QLineSeries::hovered, series, [line](const QPointF& at, bool entered) {
        if (!entered || line.points.isEmpty()) {
            QToolTip::hideText();
            return;
        }
        const auto nearest = std::min_element(
            line.points.begin(), line.points.end(), [x = at.x()](const TTrendPoint& a, const TTrendPoint& b) {
                return std::abs(a.moment.toMSecsSinceEpoch() - x)
                    < std::abs(b.moment.toMSecsSinceEpoch() - x);
            });
        QToolTip::showText(QCursor::pos(), nearest->tip);
    });
    return series;
}

QChart* MakeChart(const TTrendChart& trend, const std::pair<QDateTime, QDateTime>& span)
{
    auto* chart = new QChart;
    chart->setTitle(trend.title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setMargins(QMargins(4, 2, 4, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("dd.MM.yy"));
    time->setTickCount(6);
    time->setRange(span.first, span.second);
    chart->addAxis(time, Qt::AlignBottom);
    QValueAxis* left = ValueAxis(trend.range, trend.unit);
    chart->addAxis(left, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (!trend.secondUnit.isEmpty()) {
        right = ValueAxis(trend.secondRange, trend.secondUnit);
        chart->addAxis(right, Qt::AlignRight);
    }
    for (const TNormalBand& band : trend.bands)
        Attach(chart, Band(band, span), time, band.secondAxis ? right : left);
    for (qsizetype k = 0; k < trend.lines.size(); ++k) {
        const TTrendLine& line = trend.lines[k];
        Attach(chart, Line(line, LineColours[k % 2]), time, line.secondAxis ? right : left);
    }
    return chart;
}

} // namespace

TfrmDiary::TfrmDiary(bool saveNeeded, const QString& folder, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmDiary>())
    , FFolder(folder)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    Help::installF1(this);
    connect(ui->bbtnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->bbtnExport, &QPushButton::clicked, this, &TfrmDiary::bbtnExportClick);
    connect(ui->stgDiary, &QTableView::doubleClicked, this, &TfrmDiary::stgDiaryDoubleClick);
    LoadEntries(saveNeeded);
    if (!FEntries.isEmpty())
        ShowCharts();
}

TfrmDiary::~TfrmDiary() = default;

void TfrmDiary::LoadEntries(bool saveNeeded)
{
    QString failure;
    if (!FFolder.isEmpty()) {
        TDiaryStore store(FFolder, TDiaryStore::Access::Read);
        FEntries = store.entries();
        failure = store.errorText();
    }
    const QString state = DiaryStateText(saveNeeded, FFolder, FEntries.size(), failure);
    ui->lblState->setText(state);
    ui->lblState->setVisible(!state.isEmpty());
    ui->spDiary->setVisible(!FEntries.isEmpty());
    ui->bbtnExport->setEnabled(!FEntries.isEmpty());

    FModel = new TDiaryModel(FEntries, this);
    ui->stgDiary->setModel(FModel);
    QHeaderView* header = ui->stgDiary->horizontalHeader();
    // Column widths from the first rows only: measuring a long diary whole costs more than it gives.
    header->setResizeContentsPrecision(40);
    ui->stgDiary->resizeColumnsToContents();
    header->setStretchLastSection(true);
    ui->stgDiary->verticalHeader()->setDefaultSectionSize(ui->stgDiary->fontMetrics().height() + 6);
    ui->spDiary->setSizes({ 250, 530 });
}

void TfrmDiary::ShowCharts()
{
    const auto span = TrendTimeSpan(FEntries);
    const std::pair<QChartView*, TTrendKind> views[] = {
        { ui->chtPressure, TTrendKind::Pressure },
        { ui->chtPulse, TTrendKind::Pulse },
        { ui->chtWeight, TTrendKind::Weight },
        { ui->chtTemperature, TTrendKind::Temperature },
    };
    for (const auto& [view, kind] : views) {
        view->setRenderHint(QPainter::Antialiasing);
        // The view gives up the empty chart it was made with instead of deleting it.
        std::unique_ptr<QChart> empty(view->chart());
        view->setChart(MakeChart(TrendChart(kind, FEntries), span));
    }
}

QString TfrmDiary::ConclusionPath(int row) const
{
    if (row < 0 || row >= FEntries.size() || FEntries[row].savedFile.isEmpty())
        return {};
    return QDir(FFolder).absoluteFilePath(FEntries[row].savedFile);
}

void TfrmDiary::stgDiaryDoubleClick(const QModelIndex& index)
{
    const QString path = ConclusionPath(index.row());
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(),
            QStringLiteral("Файл заключения %1 не найден.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        MessageBoxes::showError(
            this, QStringLiteral("Не могу открыть файл заключения %1.").arg(QDir::toNativeSeparators(path)));
}

bool TfrmDiary::ExportTo(const QString& path)
{
    QString error;
    if (WriteDiaryCsv(path, FEntries, error))
        return true;
    MessageBoxes::showError(this, error);
    return false;
}

void TfrmDiary::bbtnExportClick()
{
    const QString start = QDir(FFolder.isEmpty() ? QDir::homePath() : FFolder)
                              .filePath(QStringLiteral("Дневник обследований.csv"));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Экспорт дневника"), start, QStringLiteral("Таблица CSV (*.csv)"));
    if (!path.isEmpty())
        ExportTo(path);
}
