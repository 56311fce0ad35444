#include "app/DiaryU.h"
#include "ui_DiaryU.h"

#include "app/DesktopOpener.h"
#include "app/Settings.h"
#include "diary/Diary.h"
#include "diary/DiaryCsv.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryTrends.h"
#include "diary/DoctorSummaryPdf.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/Contrast.h"
#include "platform/widgets/MessageBoxes.h"

#include <QAbstractTableModel>
#include <QAreaSeries>
#include <QChart>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QHelpEvent>
#include <QLineSeries>
#include <QScreen>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>

// The diary's table: the cells and flags come from the diary unit; this only
// colours them, in tints of the palette's base with text that reads on them.
class TDiaryModel final : public QAbstractTableModel {
public:
    TDiaryModel(const QList<TDiaryEntry>& entries, const QPalette& palette, QObject* parent)
        : QAbstractTableModel(parent)
        , FHeaders(DiaryHeaders())
        , FTintHigh(Contrast::Mix(FlagHigh, palette.color(QPalette::Base), TintAmount))
        , FTintLow(Contrast::Mix(FlagLow, palette.color(QPalette::Base), TintAmount))
        , FTextHigh(Contrast::Readable(FlagHigh, FTintHigh))
        , FTextLow(Contrast::Readable(FlagLow, FTintLow))
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
            // A flagged date is an urgent notice, which leads the findings.
            if (index.column() == int(TDiaryColumn::Findings)
                || (index.column() == int(TDiaryColumn::Moment) && flag != TDiaryFlag::None))
                return FCells[index.row()][int(TDiaryColumn::Findings)];
            return flag == TDiaryFlag::None ? QVariant()
                : flag == TDiaryFlag::High  ? QStringLiteral("Выше нормы или патология")
                                            : QStringLiteral("Ниже нормы");
        case Qt::ForegroundRole:
            return flag == TDiaryFlag::None ? QVariant()
                                            : QVariant(flag == TDiaryFlag::High ? FTextHigh : FTextLow);
        case Qt::BackgroundRole:
            return flag == TDiaryFlag::None ? QVariant()
                                            : QVariant(flag == TDiaryFlag::High ? FTintHigh : FTintLow);
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
    static constexpr double TintAmount = 0.12;

private:
    QStringList FHeaders;
    QColor FTintHigh;
    QColor FTintLow;
    QColor FTextHigh;
    QColor FTextLow;
    QList<QStringList> FCells;
    QList<QList<TDiaryFlag>> FFlags;
};

namespace {

const QColor LineColours[] = { QColor(0xC0, 0x20, 0x30), QColor(0x20, 0x50, 0xC0) };
// The norm of each line in a green of its own, so that two bands of one chart differ.
const QColor BandColours[] = { QColor(0x2E, 0xA0, 0x4A, 0x40), QColor(0x10, 0x90, 0xA0, 0x40) };
// What WCAG asks of lines and other graphics that carry meaning.
constexpr double GraphicRatio = 3.0;
// Markers on every point help a short diary; on a long one they only hide the line.
constexpr qsizetype MostMarkedPoints = 60;
// The tips of a line's points, in the order of its points.
constexpr const char* PointTips = "pointTips";
// How near the pointer must come to a point for its tip, in pixels.
constexpr double TipReach = 12;
const QString GeometryKey = QStringLiteral("DiaryGeometry");
const QString SplitterKey = QStringLiteral("DiarySplitter");

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
QAreaSeries* Band(const TNormalBand& band, const TTimeAxis& axis)
{
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    for (const QDateTime& end : { axis.first, axis.last }) {
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
    QStringList tips;
    for (const TTrendPoint& point : line.points)
        tips << point.tip;
    series->setProperty(PointTips, tips);
    return series;
}

// What a screen reader says for a chart: its lines with every value and date.
QString ChartText(const TTrendChart& trend)
{
    QStringList lines;
    for (const TTrendLine& line : trend.lines) {
        QStringList values;
        for (const TTrendPoint& point : line.points)
            values << point.tip;
        lines << QStringLiteral("%1: %2.").arg(line.name, values.join(QStringLiteral("; ")));
    }
    return lines.join(QLatin1Char(' '));
}

QChart* MakeChart(const TTrendChart& trend, const TTimeAxis& axis, const QPalette& palette)
{
    auto* chart = new QChart;
    // The desktop's dark colours, and lines that stand out from the chart's background.
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5;
    chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->setLocalizeNumbers(true);
    chart->setTitle(trend.title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setMargins(QMargins(4, 2, 4, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // A legend entry cut for want of room shows whole under the pointer.
    chart->legend()->setShowToolTips(true);
    QFont legendFont = chart->legend()->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.85);
    chart->legend()->setFont(legendFont);

    auto* time = new QDateTimeAxis;
    time->setFormat(axis.format);
    time->setTitleText(axis.title);
    time->setTickCount(axis.format.size() > 8 ? 4 : 6);
    time->setRange(axis.first, axis.last);
    chart->addAxis(time, Qt::AlignBottom);
    QValueAxis* left = ValueAxis(trend.range, trend.unit);
    chart->addAxis(left, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (!trend.secondUnit.isEmpty()) {
        right = ValueAxis(trend.secondRange, trend.secondUnit);
        chart->addAxis(right, Qt::AlignRight);
    }
    for (const TNormalBand& band : trend.bands)
        Attach(chart, Band(band, axis), time, band.secondAxis ? right : left);
    for (qsizetype k = 0; k < trend.lines.size(); ++k) {
        const TTrendLine& line = trend.lines[k];
        const QColor colour = Contrast::Readable(LineColours[k % 2], chart->backgroundBrush().color(), GraphicRatio);
        Attach(chart, Line(line, colour), time, line.secondAxis ? right : left);
    }
    return chart;
}

} // namespace

TfrmDiary::TfrmDiary(bool saveNeeded, const QString& folder, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmDiary>())
    , FOpener(new TDesktopOpener(this))
    , FSaveNeeded(saveNeeded)
    , FFolder(folder)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    Help::installF1(this);
    connect(ui->bbtnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->bbtnExport, &QPushButton::clicked, this, &TfrmDiary::bbtnExportClick);
    connect(ui->bbtnSummary, &QPushButton::clicked, this, &TfrmDiary::bbtnSummaryClick);
    connect(ui->bbtnDelete, &QPushButton::clicked, this, &TfrmDiary::bbtnDeleteClick);
    connect(ui->stgDiary, &QTableView::doubleClicked, this, &TfrmDiary::stgDiaryDoubleClick);
    connect(FOpener, &TDesktopOpener::opened, this, [this](const QString& path, const QString& application) {
        ui->lblStatus->setText(
            QStringLiteral("%1 открывается в программе «%2»…").arg(QFileInfo(path).fileName(), application));
    });
    connect(FOpener, &TDesktopOpener::failed, this, &TfrmDiary::OpenFailed);
    for (QChartView* view : { ui->chtPressure, ui->chtPulse, ui->chtWeight, ui->chtTemperature })
        view->viewport()->installEventFilter(this);
    ui->spDiary->setSizes({ 1000, 2000 });
    // Tab leaves the table for the charts and buttons; the arrows move between its cells.
    ui->stgDiary->setTabKeyNavigation(false);
    LoadEntries();
    RestoreGeometry();
}

TfrmDiary::~TfrmDiary() = default;

void TfrmDiary::RestoreGeometry()
{
    if (!restoreGeometry(UserSettings::WindowState(GeometryKey))) {
        // The form's size, but never larger than the screen it opens on.
        if (const QScreen* screen = this->screen())
            resize(size().boundedTo(screen->availableGeometry().size() - QSize(16, 40)));
    }
    ui->spDiary->restoreState(UserSettings::WindowState(SplitterKey));
}

void TfrmDiary::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) {
        UserSettings::SetWindowState(GeometryKey, saveGeometry());
        UserSettings::SetWindowState(SplitterKey, ui->spDiary->saveState());
    }
    QDialog::hideEvent(event);
}

void TfrmDiary::LoadEntries()
{
    QString failure;
    if (!FFolder.isEmpty()) {
        TDiaryStore store(FFolder, TDiaryStore::Access::Read);
        FEntries = store.entries();
        failure = store.errorText();
    }
    const QString state = DiaryStateText(FSaveNeeded, FFolder, FEntries.size(), failure);
    ui->lblState->setText(state);
    ui->lblState->setVisible(!state.isEmpty());
    ui->spDiary->setVisible(!FEntries.isEmpty());
    for (QWidget* control :
        std::initializer_list<QWidget*> { ui->bbtnExport, ui->bbtnSummary, ui->cbxPeriod })
        control->setEnabled(!FEntries.isEmpty());
    ui->bbtnDelete->setEnabled(false);

    delete FModel;
    FModel = new TDiaryModel(FEntries, ui->stgDiary->palette(), this);
    ui->stgDiary->setModel(FModel);
    connect(ui->stgDiary->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this] { ui->bbtnDelete->setEnabled(ui->stgDiary->selectionModel()->hasSelection()); });
    QHeaderView* header = ui->stgDiary->horizontalHeader();
    // Column widths from the first rows only: measuring a long diary whole costs more than it gives.
    header->setResizeContentsPrecision(40);
    ui->stgDiary->resizeColumnsToContents();
    // The findings in words can be long: the tip of the cell shows them whole.
    header->resizeSection(
        int(TDiaryColumn::Findings), std::min(header->sectionSize(int(TDiaryColumn::Findings)), 360));
    header->setStretchLastSection(true);
    ui->stgDiary->verticalHeader()->setDefaultSectionSize(ui->stgDiary->fontMetrics().height() + 6);
    if (!FEntries.isEmpty())
        ShowCharts();
}

void TfrmDiary::ShowCharts()
{
    const TTimeAxis axis = TrendTimeAxis(FEntries);
    const std::pair<QChartView*, TTrendKind> views[] = {
        { ui->chtPressure, TTrendKind::Pressure },
        { ui->chtPulse, TTrendKind::Pulse },
        { ui->chtWeight, TTrendKind::Weight },
        { ui->chtTemperature, TTrendKind::Temperature },
    };
    for (const auto& [view, kind] : views) {
        view->setRenderHint(QPainter::Antialiasing);
        // The view gives up the chart it had instead of deleting it.
        std::unique_ptr<QChart> previous(view->chart());
        const TTrendChart trend = TrendChart(kind, FEntries);
        view->setChart(MakeChart(trend, axis, palette()));
        view->setAccessibleName(trend.title);
        view->setAccessibleDescription(ChartText(trend));
    }
}

bool TfrmDiary::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        for (QChartView* view : { ui->chtPressure, ui->chtPulse, ui->chtWeight, ui->chtTemperature }) {
            if (watched == view->viewport()) {
                const auto* help = static_cast<QHelpEvent*>(event);
                if (!ShowPointTip(view, help->pos(), help->globalPos()))
                    QToolTip::hideText();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The tip of the point nearest to the pointer, when one is within reach.
bool TfrmDiary::ShowPointTip(QChartView* view, const QPoint& at, const QPoint& globalAt)
{
    QChart* chart = view->chart();
    const QPointF pointer = chart->mapFromScene(view->mapToScene(at));
    double nearest = TipReach;
    QString tip;
    for (QAbstractSeries* series : chart->series()) {
        const auto* line = qobject_cast<QLineSeries*>(series);
        const QStringList tips = series->property(PointTips).toStringList();
        for (qsizetype k = 0; line && k < tips.size() && k < line->count(); ++k) {
            const double distance = QLineF(chart->mapToPosition(line->at(int(k)), series), pointer).length();
            if (distance < nearest) {
                nearest = distance;
                tip = tips[k];
            }
        }
    }
    if (tip.isEmpty())
        return false;
    QToolTip::showText(globalAt, tip, view->viewport());
    return true;
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
    OpenInDesktop(path, QStringLiteral("Заключение"));
}

void TfrmDiary::OpenInDesktop(const QString& path, const QString& what)
{
    ui->lblStatus->setText(QStringLiteral("%1 %2 открывается…").arg(what, QFileInfo(path).fileName()));
    FOpener->open(path);
}

void TfrmDiary::OpenFailed(const QString& path, const QString& reason)
{
    ui->lblStatus->clear();
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir()) {
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(),
            QStringLiteral("Не могу открыть папку %1: %2.\nОткройте ее в файловом менеджере.")
                .arg(shown, reason));
        return;
    }
    const QString question
        = QStringLiteral("Не могу открыть файл %1: %2.\n\nОткрыть папку, в которой он лежит?")
              .arg(shown, reason);
    if (MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes)
        OpenInDesktop(QFileInfo(path).absolutePath(), QStringLiteral("Папка"));
}

void TfrmDiary::bbtnDeleteClick()
{
    const QModelIndexList rows = ui->stgDiary->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const TDiaryEntry entry = FEntries[rows.first().row()];
    const QString moment = QLocale().toString(entry.moment, QLocale::ShortFormat);
    const QString conclusion = ConclusionPath(rows.first().row());
    const bool fileKept = !conclusion.isEmpty() && QFileInfo(conclusion).isFile();
    QString question = QStringLiteral("Удалить из дневника обследование от %1?").arg(moment);
    if (fileKept)
        question
            += QStringLiteral("\n\nФайл заключения останется на месте, если Вы не попросите удалить и его.");
    if (MessageBoxes::show(this, QMessageBox::Question, MessageBoxes::title(), question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const bool deleteFile = fileKept
        && MessageBoxes::show(this, QMessageBox::Question, MessageBoxes::title(),
               QStringLiteral("Удалить и файл заключения %1?").arg(QDir::toNativeSeparators(conclusion)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    TDiaryStore store(FFolder);
    if (!store.remove(entry.id)) {
        MessageBoxes::showError(this, store.errorText());
        return;
    }
    if (deleteFile && !QFile::remove(conclusion))
        MessageBoxes::showError(this,
            QStringLiteral("Обследование удалено из дневника, но файл заключения %1 удалить не удалось.")
                .arg(QDir::toNativeSeparators(conclusion)));
    LoadEntries();
}

bool TfrmDiary::WriteSummaryTo(const QString& path, const QDateTime& now)
{
    const auto period = TSummaryPeriod(ui->cbxPeriod->currentIndex());
    const QList<TDiaryEntry> chosen = EntriesOfPeriod(FEntries, period, now);
    QString error;
    if (chosen.isEmpty())
        error = QStringLiteral("За %1 в дневнике нет обследований: выберите период длиннее.")
                    .arg(ui->cbxPeriod->currentText().mid(3).toLower());
    else if (WriteDoctorSummary(path, MakeDoctorSummary(chosen, SummaryPeriodName(period), now), error))
        return true;
    MessageBoxes::showError(this, error);
    return false;
}

void TfrmDiary::bbtnSummaryClick()
{
    const QString name = QStringLiteral("Сводка для врача %1.pdf")
                             .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    const QString start = QDir(FFolder.isEmpty() ? QDir::homePath() : FFolder).filePath(name);
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Сводка для врача"), start, QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty() && WriteSummaryTo(path))
        OpenInDesktop(path, QStringLiteral("Сводка"));
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
