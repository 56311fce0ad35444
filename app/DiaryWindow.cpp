#include "app/DiaryWindow.h"
#include "ui_DiaryWindow.h"

#include "app/DesktopOpener.h"
#include "app/PressureDialog.h"
#include "app/Settings.h"
#include "diary/Diary.h"
#include "diary/DiaryCsv.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryTrends.h"
#include "diary/DoctorSummary.h"
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
#include <QFileSystemWatcher>
#include <QFont>
#include <QHelpEvent>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>
#include <tuple>

// The diary's table: the cells and flags come from the diary unit; this only
// colours them, in tints of the palette's base with text that reads on them.
class DiaryModel final : public QAbstractTableModel {
public:
    DiaryModel(const QList<DiaryEntry>& entries, const QPalette& palette, QObject* parent)
        : QAbstractTableModel(parent)
        , m_headers(diaryHeaders())
        , m_tintHigh(Contrast::Mix(flagHigh, palette.color(QPalette::Base), tintAmount))
        , m_tintLow(Contrast::Mix(flagLow, palette.color(QPalette::Base), tintAmount))
        , m_textHigh(Contrast::Readable(flagHigh, m_tintHigh))
        , m_textLow(Contrast::Readable(flagLow, m_tintLow))
    {
        m_cells.reserve(entries.size());
        for (const DiaryEntry& entry : entries) {
            m_cells << diaryCells(entry);
            QList<DiaryFlag> flags;
            for (int column = 0; column < DiaryColumnCount; ++column)
                flags << diaryCellFlag(entry, DiaryColumn(column));
            m_flags << flags;
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_cells.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : DiaryColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const DiaryFlag flag = m_flags[index.row()][index.column()];
        switch (role) {
        case Qt::DisplayRole:
            return m_cells[index.row()][index.column()];
        case Qt::ToolTipRole:
            // A flagged date is an urgent notice, which leads the findings.
            if (index.column() == int(DiaryColumn::Findings)
                || (index.column() == int(DiaryColumn::Moment) && flag != DiaryFlag::None))
                return m_cells[index.row()][int(DiaryColumn::Findings)];
            return flag == DiaryFlag::None ? QVariant()
                : flag == DiaryFlag::High  ? QStringLiteral("Выше нормы или патология")
                                           : QStringLiteral("Ниже нормы");
        case Qt::ForegroundRole:
            return flag == DiaryFlag::None ? QVariant()
                                           : QVariant(flag == DiaryFlag::High ? m_textHigh : m_textLow);
        case Qt::BackgroundRole:
            return flag == DiaryFlag::None ? QVariant()
                                           : QVariant(flag == DiaryFlag::High ? m_tintHigh : m_tintLow);
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_headers.value(section);
        return {};
    }

    static inline const QColor flagHigh { 0xB0, 0x00, 0x20 };
    static inline const QColor flagLow { 0x00, 0x40, 0xB0 };
    static constexpr double tintAmount = 0.12;

private:
    QStringList m_headers;
    QColor m_tintHigh;
    QColor m_tintLow;
    QColor m_textHigh;
    QColor m_textLow;
    QList<QStringList> m_cells;
    QList<QList<DiaryFlag>> m_flags;
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

QValueAxis* valueAxis(const ValueRange& range, const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setRange(range.lower, range.upper);
    axis->setTitleText(title);
    axis->setLabelFormat(range.upper - range.lower < 10 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
    axis->applyNiceNumbers();
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* time, QAbstractAxis* values)
{
    chart->addSeries(series);
    series->attachAxis(time);
    series->attachAxis(values);
}

// The band is a filled area between two flat lines across the whole time axis.
QAreaSeries* bandSeries(const NormalBand& band, const TimeAxis& axis)
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

QXYSeries* lineSeries(const TrendLine& line, const QColor& colour)
{
    QXYSeries* series = nullptr;
    if (line.pointsOnly) {
        // Home readings as light points around the examinations' line.
        auto* scatter = new QScatterSeries;
        scatter->setMarkerSize(7);
        scatter->setColor(colour.lighter(150));
        scatter->setBorderColor(colour);
        series = scatter;
    } else {
        auto* plain = new QLineSeries;
        plain->setPen(QPen(colour, 2));
        plain->setPointsVisible(line.points.size() <= MostMarkedPoints);
        plain->setMarkerSize(5);
        series = plain;
    }
    series->setName(line.name);
    QList<QPointF> points;
    points.reserve(line.points.size());
    for (const TrendPoint& point : line.points)
        points.append(QPointF(point.moment.toMSecsSinceEpoch(), point.value));
    series->replace(points);
    QStringList tips;
    for (const TrendPoint& point : line.points)
        tips << point.tip;
    series->setProperty(PointTips, tips);
    return series;
}

// What a screen reader says for a chart: its lines with every value and date.
QString chartText(const TrendChart& trend)
{
    QStringList lines;
    for (const TrendLine& line : trend.lines) {
        QStringList values;
        for (const TrendPoint& point : line.points)
            values << point.tip;
        lines << QStringLiteral("%1: %2.").arg(line.name, values.join(QStringLiteral("; ")));
    }
    return lines.join(QLatin1Char(' '));
}

QChart* makeChart(const TrendChart& trend, const TimeAxis& axis, const QPalette& palette)
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
    // The chart's own legend keeps to one line and cuts its entries short
    // where a larger text or scale leaves it narrow: the label under the chart
    // wraps them instead.
    chart->legend()->hide();

    auto* time = new QDateTimeAxis;
    time->setFormat(axis.format);
    time->setTitleText(axis.title);
    time->setTickCount(axis.format.size() > 8 ? 4 : 6);
    time->setRange(axis.first, axis.last);
    chart->addAxis(time, Qt::AlignBottom);
    QValueAxis* left = valueAxis(trend.range, trend.unit);
    chart->addAxis(left, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (!trend.secondUnit.isEmpty()) {
        right = valueAxis(trend.secondRange, trend.secondUnit);
        chart->addAxis(right, Qt::AlignRight);
    }
    for (const NormalBand& band : trend.bands)
        attach(chart, bandSeries(band, axis), time, band.secondAxis ? right : left);
    for (qsizetype k = 0; k < trend.lines.size(); ++k) {
        const TrendLine& line = trend.lines[k];
        const QColor colour = Contrast::Readable(LineColours[k % 2], chart->backgroundBrush().color(), GraphicRatio);
        attach(chart, lineSeries(line, colour), time, line.secondAxis ? right : left);
    }
    return chart;
}

// The chart's legend as text: each line's name after a mark of its colour,
// as it shows on the background.
QString legendText(const QChart* chart, const QColor& background)
{
    QStringList entries;
    for (const QAbstractSeries* series : chart->series()) {
        QColor colour;
        QString mark = QStringLiteral("■");
        if (const auto* band = qobject_cast<const QAreaSeries*>(series)) {
            colour = band->brush().color();
        } else if (const auto* points = qobject_cast<const QScatterSeries*>(series)) {
            colour = points->color();
            mark = QStringLiteral("●");
        } else if (const auto* line = qobject_cast<const QXYSeries*>(series)) {
            colour = line->pen().color();
        }
        entries << QStringLiteral("<span style=\"color:%1\">%2</span>&nbsp;%3")
                       .arg(Contrast::Mix(colour, background, colour.alphaF()).name(), mark,
                           series->name().toHtmlEscaped());
    }
    return entries.join(QStringLiteral("&nbsp;&nbsp; "));
}

} // namespace

DiaryWindow::DiaryWindow(
    const QString& diaryFolder, bool saveNeeded, const QString& reportFolder, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DiaryWindow>())
    , m_opener(new TDesktopOpener(this))
    , m_diaryFolder(diaryFolder)
    , m_saveNeeded(saveNeeded)
    , m_reportFolder(reportFolder)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    Help::installF1(this);
    connect(ui->bbtnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->bbtnExport, &QPushButton::clicked, this, &DiaryWindow::exportTable);
    connect(ui->bbtnSummary, &QPushButton::clicked, this, &DiaryWindow::saveSummary);
    connect(ui->bbtnDelete, &QPushButton::clicked, this, &DiaryWindow::deleteSelected);
    connect(ui->bbtnReading, &QPushButton::clicked, this, &DiaryWindow::addReadings);
    connect(ui->stgDiary, &QTableView::doubleClicked, this, &DiaryWindow::openConclusion);
    connect(new QShortcut(QKeySequence::Delete, ui->stgDiary, nullptr, nullptr, Qt::WidgetShortcut),
        &QShortcut::activated, this, &DiaryWindow::deleteSelected);
    // One write makes and removes its journal beside the diary: the diary is read once they are done.
    m_watcher = new QFileSystemWatcher(this);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(150);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_reloadTimer, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_reloadTimer, qOverload<>(&QTimer::start));
    connect(m_reloadTimer, &QTimer::timeout, this, &DiaryWindow::reloadIfChanged);
    connect(ui->cbxPerson, &QComboBox::currentIndexChanged, this, &DiaryWindow::showPerson);
    connect(m_opener, &TDesktopOpener::opened, this, [this](const QString& path, const QString& application) {
        ui->lblStatus->setText(
            QStringLiteral("%1 открывается в программе «%2»…").arg(QFileInfo(path).fileName(), application));
    });
    connect(m_opener, &TDesktopOpener::failed, this, &DiaryWindow::showOpenFailure);
    for (QChartView* view : { ui->chtPressure, ui->chtPulse, ui->chtWeight, ui->chtTemperature })
        view->viewport()->installEventFilter(this);
    for (QLabel* legend :
        { ui->lblPressureLegend, ui->lblPulseLegend, ui->lblWeightLegend, ui->lblTemperatureLegend }) {
        QFont font = legend->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        legend->setFont(font);
    }
    ui->spDiary->setSizes({ 1000, 2000 });
    // Tab leaves the table for the charts and buttons; the arrows move between its cells.
    ui->stgDiary->setTabKeyNavigation(false);
    loadDiary();
    restoreSizes();
}

DiaryWindow::~DiaryWindow() = default;

void DiaryWindow::restoreSizes()
{
    if (!restoreGeometry(UserSettings::WindowState(GeometryKey))) {
        // The form's size, but never larger than the screen it opens on.
        if (const QScreen* screen = this->screen())
            resize(size().boundedTo(screen->availableGeometry().size() - QSize(16, 40)));
    }
    ui->spDiary->restoreState(UserSettings::WindowState(SplitterKey));
}

void DiaryWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) {
        UserSettings::SetWindowState(GeometryKey, saveGeometry());
        UserSettings::SetWindowState(SplitterKey, ui->spDiary->saveState());
    }
    QDialog::hideEvent(event);
}

void DiaryWindow::changeEvent(QEvent* event)
{
    // Where the diary cannot be watched, coming back to the window shows what was written meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        reloadIfChanged();
    QDialog::changeEvent(event);
}

void DiaryWindow::loadDiary()
{
    const qint64 selected = selectedEntry();
    const int column = std::max(ui->stgDiary->currentIndex().column(), 0);
    // Taken before reading, so that a write in between is read again rather than missed.
    m_shownMark = DiaryStore::changeMark(m_diaryFolder);
    {
        DiaryStore store(m_diaryFolder, DiaryStore::Access::Read);
        m_allEntries = store.entries();
        m_allReadings = store.readings();
        m_failure = store.errorText();
    }
    fillPeople();
    showPerson();
    selectEntry(selected, column);
    watchDiary();
}

void DiaryWindow::reloadIfChanged()
{
    if (DiaryStore::changeMark(m_diaryFolder) != m_shownMark)
        loadDiary();
}

// The folder as well as the file: the diary may be made after the window opens.
void DiaryWindow::watchDiary()
{
    const QString file = QDir(m_diaryFolder).filePath(DiaryStore::fileName());
    for (const QString& path : { m_diaryFolder, file }) {
        if (QFileInfo::exists(path) && !m_watcher->files().contains(path)
            && !m_watcher->directories().contains(path))
            m_watcher->addPath(path);
    }
}

qint64 DiaryWindow::selectedEntry() const
{
    const QItemSelectionModel* selection = ui->stgDiary->selectionModel();
    const QModelIndexList rows = selection ? selection->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? 0 : m_entries.value(rows.first().row()).id;
}

void DiaryWindow::selectEntry(qint64 id, int column)
{
    const auto row = std::find_if(
        m_entries.cbegin(), m_entries.cend(), [id](const DiaryEntry& entry) { return entry.id == id; });
    if (id == 0 || row == m_entries.cend())
        return;
    const QModelIndex index = m_model->index(int(row - m_entries.cbegin()), column);
    ui->stgDiary->setCurrentIndex(index);
    ui->stgDiary->scrollTo(index);
}

// Everyone in the diary, the latest examined or measured first; the entries
// without a name as a person of their own; all of them together only where
// there is more than one.
void DiaryWindow::fillPeople()
{
    // Everyone together is an item without data; nothing chosen yet is no item.
    const bool wasChosen = ui->cbxPerson->currentIndex() >= 0;
    const QVariant chosen = ui->cbxPerson->currentData();
    QStringList people;
    for (const DiaryEntry& entry : std::as_const(m_allEntries))
        people << entry.person;
    for (const PressureReading& reading : std::as_const(m_allReadings))
        people << reading.person;
    std::stable_sort(people.begin(), people.end(),
        [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    people.erase(std::unique(people.begin(), people.end()), people.end());
    const QSignalBlocker blocker(ui->cbxPerson);
    ui->cbxPerson->clear();
    for (const QString& person : std::as_const(people))
        ui->cbxPerson->addItem(person.isEmpty() ? QStringLiteral("без имени") : person, person);
    if (people.size() > 1)
        ui->cbxPerson->insertItem(0, QStringLiteral("все"), QVariant());
    // The person last examined, or the one chosen before.
    QString latest;
    QDateTime latestMoment;
    for (const DiaryEntry& entry : std::as_const(m_allEntries)) {
        if (!latestMoment.isValid() || entry.moment > latestMoment)
            std::tie(latest, latestMoment) = std::pair(entry.person, entry.moment);
    }
    int index = -1;
    if (wasChosen)
        index = chosen.isValid() ? ui->cbxPerson->findData(chosen) : (people.size() > 1 ? 0 : -1);
    if (index < 0)
        index = ui->cbxPerson->findData(latest);
    ui->cbxPerson->setCurrentIndex(std::max(index, 0));
}

void DiaryWindow::choosePerson(const QString& person)
{
    ui->cbxPerson->setCurrentIndex(ui->cbxPerson->findData(person));
}

void DiaryWindow::showPerson()
{
    const QVariant chosen = ui->cbxPerson->currentData();
    const auto everyone = !chosen.isValid();
    const QString person = chosen.toString();
    m_entries.clear();
    std::copy_if(m_allEntries.begin(), m_allEntries.end(), std::back_inserter(m_entries),
        [&](const DiaryEntry& entry) { return everyone || entry.person == person; });
    m_readings = everyone ? m_allReadings : readingsOf(m_allReadings, person);
    setWindowTitle(everyone || person.isEmpty() ? QStringLiteral("Дневник обследований")
                                                : QStringLiteral("Дневник обследований — %1").arg(person));
    const std::optional<HomeSeries> series = everyone ? std::nullopt : lastSeries(m_readings);
    ui->lblSeries->setText(series ? homeSeriesText(*series) : QString());
    ui->lblSeries->setToolTip(series && series->raised ? homeThresholdText() : QString());
    ui->lblSeries->setStyleSheet(series && series->raised ? QStringLiteral("font-weight: bold;") : QString());

    const QString state = diaryStateText(m_saveNeeded, m_reportFolder, m_allEntries.size(), m_failure);
    ui->lblState->setText(state);
    ui->lblState->setVisible(!state.isEmpty());
    const bool shown = !m_entries.isEmpty() || !m_readings.isEmpty();
    ui->spDiary->setVisible(shown);
    for (QWidget* control :
        std::initializer_list<QWidget*> { ui->bbtnExport, ui->bbtnSummary, ui->cbxPeriod })
        control->setEnabled(!m_entries.isEmpty());
    ui->bbtnDelete->setEnabled(false);

    delete m_model;
    m_model = new DiaryModel(m_entries, ui->stgDiary->palette(), this);
    ui->stgDiary->setModel(m_model);
    connect(ui->stgDiary->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this] { ui->bbtnDelete->setEnabled(ui->stgDiary->selectionModel()->hasSelection()); });
    QHeaderView* header = ui->stgDiary->horizontalHeader();
    // Column widths from the first rows only: measuring a long diary whole costs more than it gives.
    header->setResizeContentsPrecision(40);
    ui->stgDiary->resizeColumnsToContents();
    // The findings in words can be long: the tip of the cell shows them whole.
    header->resizeSection(
        int(DiaryColumn::Findings), std::min(header->sectionSize(int(DiaryColumn::Findings)), 360));
    header->setStretchLastSection(true);
    ui->stgDiary->setColumnHidden(int(DiaryColumn::Person), !everyone);
    ui->stgDiary->verticalHeader()->setDefaultSectionSize(ui->stgDiary->fontMetrics().height() + 6);
    if (shown)
        showCharts();
}

void DiaryWindow::showCharts()
{
    const TimeAxis axis = trendTimeAxis(m_entries, m_readings);
    const std::tuple<QChartView*, QLabel*, TrendKind> views[] = {
        { ui->chtPressure, ui->lblPressureLegend, TrendKind::Pressure },
        { ui->chtPulse, ui->lblPulseLegend, TrendKind::Pulse },
        { ui->chtWeight, ui->lblWeightLegend, TrendKind::Weight },
        { ui->chtTemperature, ui->lblTemperatureLegend, TrendKind::Temperature },
    };
    for (const auto& [view, legend, kind] : views) {
        view->setRenderHint(QPainter::Antialiasing);
        // The view gives up the chart it had instead of deleting it.
        std::unique_ptr<QChart> previous(view->chart());
        const TrendChart trend = trendChart(kind, m_entries, m_readings);
        view->setChart(makeChart(trend, axis, palette()));
        view->setAccessibleName(trend.title);
        view->setAccessibleDescription(chartText(trend));
        legend->setText(legendText(view->chart(), legend->palette().color(legend->backgroundRole())));
    }
}

bool DiaryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        for (QChartView* view : { ui->chtPressure, ui->chtPulse, ui->chtWeight, ui->chtTemperature }) {
            if (watched == view->viewport()) {
                const auto* help = static_cast<QHelpEvent*>(event);
                if (!showPointTip(view, help->pos(), help->globalPos()))
                    QToolTip::hideText();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The tip of the point nearest to the pointer, when one is within reach.
bool DiaryWindow::showPointTip(QChartView* view, const QPoint& at, const QPoint& globalAt)
{
    QChart* chart = view->chart();
    const QPointF pointer = chart->mapFromScene(view->mapToScene(at));
    double nearest = TipReach;
    QString tip;
    for (QAbstractSeries* series : chart->series()) {
        const auto* line = qobject_cast<QXYSeries*>(series);
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

QString DiaryWindow::conclusionPath(int row) const
{
    if (row < 0 || row >= m_entries.size() || m_entries[row].savedFiles.isEmpty())
        return {};
    const QStringList& files = m_entries[row].savedFiles;
    const auto there = std::find_if(
        files.rbegin(), files.rend(), [](const QString& file) { return QFileInfo::exists(file); });
    return there != files.rend() ? *there : files.last();
}

void DiaryWindow::openConclusion(const QModelIndex& index)
{
    const QString path = conclusionPath(index.row());
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(),
            QStringLiteral("Файл заключения %1 не найден.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    openInDesktop(path, QStringLiteral("Заключение"));
}

void DiaryWindow::openInDesktop(const QString& path, const QString& what)
{
    ui->lblStatus->setText(QStringLiteral("%1 %2 открывается…").arg(what, QFileInfo(path).fileName()));
    m_opener->open(path);
}

void DiaryWindow::showOpenFailure(const QString& path, const QString& reason)
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
        openInDesktop(QFileInfo(path).absolutePath(), QStringLiteral("Папка"));
}

void DiaryWindow::deleteSelected()
{
    const QModelIndexList rows = ui->stgDiary->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const DiaryEntry entry = m_entries[rows.first().row()];
    const QString moment = QLocale().toString(entry.moment, QLocale::ShortFormat);
    const QString conclusion = conclusionPath(rows.first().row());
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
    DiaryStore store(m_diaryFolder);
    if (!store.remove(entry.id)) {
        MessageBoxes::showError(this, store.errorText());
        return;
    }
    if (deleteFile && !QFile::remove(conclusion))
        MessageBoxes::showError(this,
            QStringLiteral("Обследование удалено из дневника, но файл заключения %1 удалить не удалось.")
                .arg(QDir::toNativeSeparators(conclusion)));
    loadDiary();
}

void DiaryWindow::addReadings()
{
    const QVariant chosen = ui->cbxPerson->currentData();
    PressureDialog dialog(m_diaryFolder, chosen.toString(), this);
    dialog.exec();
    loadDiary();
}

bool DiaryWindow::writeSummaryTo(const QString& path, const QDateTime& now)
{
    const auto period = SummaryPeriod(ui->cbxPeriod->currentIndex());
    const QList<DiaryEntry> chosen = entriesOfPeriod(m_entries, period, now);
    QString error;
    if (!ui->cbxPerson->currentData().isValid())
        error = QStringLiteral("Сводка для врача составляется для одного человека: выберите его в списке "
                               "«Обследуемый».");
    else if (chosen.isEmpty())
        error = QStringLiteral("За %1 в дневнике нет обследований: выберите период длиннее.")
                    .arg(ui->cbxPeriod->currentText().mid(3).toLower());
    else if (writeDoctorSummary(path,
                 makeDoctorSummary(
                     chosen, readingsOfPeriod(m_readings, period, now), summaryPeriodName(period), now),
                 error))
        return true;
    MessageBoxes::showError(this, error);
    return false;
}

void DiaryWindow::saveSummary()
{
    const QString person = ui->cbxPerson->currentData().toString();
    const QString name = QStringLiteral("Сводка для врача%1 %2.pdf")
                             .arg(person.isEmpty() ? QString() : QStringLiteral(" — ") + person,
                                 QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    const QString start = QDir(m_reportFolder.isEmpty() ? QDir::homePath() : m_reportFolder).filePath(name);
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Сводка для врача"), start, QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty() && writeSummaryTo(path))
        openInDesktop(path, QStringLiteral("Сводка"));
}

bool DiaryWindow::exportTo(const QString& path)
{
    QString error;
    if (writeDiaryCsv(path, m_entries, error))
        return true;
    MessageBoxes::showError(this, error);
    return false;
}

void DiaryWindow::exportTable()
{
    const QString start = QDir(m_reportFolder.isEmpty() ? QDir::homePath() : m_reportFolder)
                              .filePath(QStringLiteral("Дневник обследований.csv"));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Экспорт дневника"), start, QStringLiteral("Таблица CSV (*.csv)"));
    if (!path.isEmpty())
        exportTo(path);
}
