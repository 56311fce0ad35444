#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/Examination.h"
#include "app/PageTips.h"
#include "app/Settings.h"
#include "app/StatusHints.h"
#include "app/WhyU.h"
#include "app/frmAboutU.h"
#include "cardio/CardioPageU.h"
#include "cardio/MonitorU.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/Accessibility.h"
#include "platform/widgets/BusyBox.h"
#include "platform/widgets/Contrast.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/PanelScrollArea.h"
#include "platform/widgets/TextZoom.h"
#include "platform/widgets/WrappingStatusBar.h"
#include "report/ReportU.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScrollBar>
#include <QSplitterHandle>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int PictureBottomHeight = 250;
constexpr int InitialBottomHeight = 275;
constexpr int InitialTreeWidth = 210;

const char* const DataHint = "Рекомендации по вводу данных и другие полезные сведения";
const char* const ConclusionHint = "Интерпретация Ваших данных и рекомендации Тессоры";

// The form's sizes are the design's at its font: a larger desktop font or
// scale gets the room its texts need, never less than the design gave.
void FitToText(QWidget* control)
{
    const QSize needed = control->sizeHint().expandedTo(control->size());
    control->setMaximumSize(control->maximumSize().expandedTo(needed));
    control->setMinimumSize(control->minimumSize().expandedTo(needed).boundedTo(control->maximumSize()));
    control->resize(needed);
}

// The tree is as wide as its longest caption needs, beyond the design's limit if need be.
int TreeWidthForCaptions(QTreeWidget* tree)
{
    int widest = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 1;
        for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        widest = std::max(widest,
            depth * tree->indentation() + tree->iconSize().width() + tree->fontMetrics().horizontalAdvance((*it)->text(0)));
    }
    const int needed = widest + 2 * tree->fontMetrics().averageCharWidth() + 12 + 2 * tree->frameWidth() + tree->verticalScrollBar()->sizeHint().width();
    tree->setMaximumWidth(std::max(tree->maximumWidth(), needed));
    return std::clamp(needed, InitialTreeWidth, tree->maximumWidth());
}

// The urgent notice opens the conclusion in bold red, as it opens the report
// and the interview's explanation; the same-day notice after it in bold
// brown, told apart at a glance; both in shades that read on the desktop's colours.
void EmphasiseNotice(QPlainTextEdit* memo, int lines, int first = 0, const QColor& colour = Qt::red)
{
    if (lines <= 0)
        return;
    QTextCursor cursor(memo->document());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, first);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, lines - 1);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat urgent;
    urgent.setFontWeight(QFont::Bold);
    urgent.setForeground(Contrast::Readable(colour, memo->palette().color(QPalette::Base)));
    cursor.mergeCharFormat(urgent);
}

// The conclusion's separator lines stay one line at any width of the memo:
// where the memo is narrower, their dashes are drawn closer together. The text
// itself, which the report and the saved text take, keeps every dash.
void FitSeparators(QPlainTextEdit* memo)
{
    const QFontMetricsF metrics(memo->font());
    const qreal room = memo->viewport()->width() - 2 * memo->document()->documentMargin()
        - metrics.averageCharWidth();
    const qreal advance = metrics.horizontalAdvance(QLatin1Char('-'));
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.size() < 2 || text.count(QLatin1Char('-')) != text.size())
            continue;
        QTextCharFormat format;
        format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        format.setFontLetterSpacing(std::min(0.0, room / qreal(text.size()) - advance));
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
}

// Writes the conclusion into the memo. An out-of-range height or weight stops
// it: the memo keeps the lines written so far and the message is shown.
void WriteConclusion(const Conclusion& conclusion, QPlainTextEdit* memo, QWidget* parent)
{
    memo->setPlainText(conclusion.Lines.join(QLatin1Char('\n')));
    EmphasiseNotice(memo, int(conclusion.Notice.size()));
    EmphasiseNotice(memo, int(conclusion.SameDay.size()), int(conclusion.Notice.size()), SameDayColour);
    FitSeparators(memo);
    if (!conclusion.RangeError.isEmpty())
        MessageBoxes::showError(parent, conclusion.RangeError);
}

} // namespace

TfrmTessora::TfrmTessora(QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TfrmTessora>())
    , FExamination(std::make_unique<Examination>())
{
    ui->setupUi(this);
    FormCreate();
}

TfrmTessora::~TfrmTessora()
{
    // Closing the window moves the focus, and a field that loses it reports
    // its editing finished: no handler may run once this object is going.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    qApp->removeEventFilter(this);
    Automation::SetBusyView({});
}

void TfrmTessora::FormCreate()
{
    MessageBoxes::setTitle(ProgramTitle);
    Help::setProgramCaption(windowTitle());
    FDesignHeight = height();
    ui->splMain->setSizes({ InitialTreeWidth, width() - InitialTreeWidth });
    ui->splMain->handle(1)->setObjectName(QStringLiteral("spV"));
    ui->pnlWork->handle(1)->setObjectName(QStringLiteral("spHor"));
    ui->pnlWork->setStretchFactor(0, 1);
    ui->pnlWork->setStretchFactor(1, 0);
    ui->pnlWork->setSizes({ height() - InitialBottomHeight, InitialBottomHeight });
    ui->bbtnPrev->setDefaultAction(ui->acPrevTab);
    ui->bbtnNext->setDefaultAction(ui->acNextTab);
    ui->bbtnReport->setDefaultAction(ui->acReport);
    ui->bbtnReport->raise();
    // A button shows exactly while its action is visible, as the menu and tool bar entries do.
    connect(ui->acReport, &QAction::changed, this,
        [this] { ui->bbtnReport->setVisible(ui->acReport->isVisible()); });

    // The tips read larger than the form, as 13 to 11 pixels.
    QFont tipFont = ui->mmoCommon->font();
    tipFont.setPointSizeF(tipFont.pointSizeF() * 13 / 11);
    ui->mmoCommon->setFont(tipFont);
    // The memo scrolls past its end, so that the «Отчет» button over its
    // lower right corner never hides the last line.
    ui->mmoCommon->setCenterOnScroll(true);
    m_sections = std::make_unique<SectionTree>(ui->trvMain);
    m_hints = std::make_unique<StatusHints>(this, ui->sbMain);
    TextZoom::SetStore(UserSettings::TextZoom, UserSettings::SetTextZoom);
    TextZoom::Attach(ui->mmoCommon);
    TextZoom::Attach(ui->redCardio);
    ui->trvMain->setAccessibleName(QStringLiteral("Разделы обследования"));
    ui->redCardio->setAccessibleName(QStringLiteral("Заключение кардиологического опроса"));
    Accessibility::NameControlsOfEveryWindow();
    WrappingStatusBar::Install(ui->sbMain);
    ConnectActions();
    ConnectCardio();
    ConnectSaving();
    ConnectDiary();
    AddPagePlaceholders();
    qApp->installEventFilter(this);
    Help::installF1(this);
    FExamination->report().SetReportErrorBox([this](const QString& text) { MessageBoxes::showError(this, text); });
    FExamination->report().SetReportMessageBox([this](const QString& text) {
        MessageBoxes::show(this, QMessageBox::NoIcon, MessageBoxes::title(), text);
    });
    Automation::SetBusyView(BusyBox::View(this));

    acNewExecute();
    for (QWidget* button : { ui->bbtnPrev, ui->bbtnNext, ui->bbtnReport, ui->bbtnWhy })
        FitToText(button);
    ui->pnlButtons->setFixedHeight(std::max(ui->pnlButtons->height(), ui->bbtnNext->height() + 16));
    ui->splMain->setSizes({ TreeWidthForCaptions(ui->trvMain), width() - TreeWidthForCaptions(ui->trvMain) });
    FormResize();
}

void TfrmTessora::ConnectActions()
{
    connect(ui->lblNotGiven, &QLabel::linkActivated, this,
        [this] { SelectTreeNodeForTag(int(TPageTag::Anthropometry)); });
    connect(ui->acNew, &QAction::triggered, this, &TfrmTessora::acNewExecute);
    connect(ui->acNextTab, &QAction::triggered, this, &TfrmTessora::acNextTabExecute);
    connect(ui->acPrevTab, &QAction::triggered, this, &TfrmTessora::acPrevTabExecute);
    connect(ui->acExit, &QAction::triggered, this, &TfrmTessora::acExitExecute);
    connect(ui->acReport, &QAction::triggered, this, &TfrmTessora::acReportExecute);
    connect(ui->acHelpCont, &QAction::triggered, this, [this] { Help::showContents(this); });
    connect(ui->acAbout, &QAction::triggered, this, [this] { TfrmAbout::Execute(this); });
    connect(ui->pgcMain, &QStackedWidget::currentChanged, this, &TfrmTessora::UpdateTabActions);
    connect(ui->pgcMain, &QStackedWidget::currentChanged, this, &TfrmTessora::pgcMainChange);
    connect(m_sections.get(), &SectionTree::pageChosen, this, &TfrmTessora::SelectPageByTag);
}

// ---------------------------------------------------------------- navigation

int TfrmTessora::PageTag(const QWidget* page)
{
    return page ? page->property("Tag").toInt() : 0;
}

int TfrmTessora::ActivePageTag() const
{
    return PageTag(ui->pgcMain->currentWidget());
}

QTreeWidgetItem* TfrmTessora::NodeAt(int absoluteIndex) const
{
    return m_sections->nodeAt(absoluteIndex);
}

int TfrmTessora::NodeCount() const
{
    return m_sections->nodeCount();
}

void TfrmTessora::SelectPageByTag(int tag)
{
    if (QWidget* page = Page(tag)) {
        ui->pgcMain->setCurrentWidget(page);
        UpdateTabActions();
        ActivatePage(page);
    }
}

void TfrmTessora::SelectTreeNodeForTag(int tag)
{
    m_sections->selectNodeForTag(tag);
}

void TfrmTessora::acNextTabExecute()
{
    ConfirmShownVital();
    const int next = ui->pgcMain->currentIndex() + 1;
    if (next >= ui->pgcMain->count())
        return;
    ui->pgcMain->setCurrentWidget(Page(PageTag(ui->pgcMain->widget(next))));
    SelectTreeNodeForTag(ActivePageTag());
}

void TfrmTessora::acPrevTabExecute()
{
    const int previous = ui->pgcMain->currentIndex() - 1;
    if (previous < 0)
        return;
    ui->pgcMain->setCurrentWidget(Page(PageTag(ui->pgcMain->widget(previous))));
    SelectTreeNodeForTag(ActivePageTag());
}

void TfrmTessora::UpdateTabActions()
{
    const int index = ui->pgcMain->currentIndex();
    ui->acPrevTab->setEnabled(index > 0);
    // The cardiologist's page follows the conclusion only while its node is offered.
    const bool nextOffered = ui->pgcMain->currentWidget() != ui->tsResult || m_sections->offersSpecialists();
    ui->acNextTab->setEnabled(index < ui->pgcMain->count() - 1 && nextOffered);
    acReportUpdate();
}

void TfrmTessora::UpdateSpecialistsNode(bool show)
{
    m_sections->updateSpecialistsNode(show);
}

// ---------------------------------------------------------------- page entry

void TfrmTessora::ActivatePage(QWidget* page)
{
    const int tag = PageTag(page);
    SizePagePanel(page);
    ArrangeWorkArea(tag);
    const bool showPicture = tag != ComplaintsTag && tag != ConclusionTag;
    ui->pnlPict->setVisible(showPicture);
    ui->acReport->setVisible(tag == ConclusionTag);
    ui->acReport->setEnabled(tag == ConclusionTag);
    ui->mmoCommon->setPlainText(PageTipText(tag));
    if (showPicture)
        LoadPagePicture(tag);
    if (tag == ConclusionTag)
        EnterConclusionPage();
    else
        EnterDataPage(tag);
    if (tag == CardiologistTag)
        EnterCardiologistPage();
    else
        LeaveCardiologistPage();
    FormResize();
}

void TfrmTessora::LoadPagePicture(int tag)
{
    const std::optional<QImage> picture = PagePicture(tag);
    if (!picture)
        return;
    // A damaged picture keeps whatever was decoded; one that yields nothing keeps the old picture.
    if (!picture->isNull())
        ui->imgMain->setPixmap(QPixmap::fromImage(*picture));
    const int total = ui->pnlWork->height();
    ui->pnlWork->setSizes({ total - PictureBottomHeight, PictureBottomHeight });
    ui->pnlRightBot->update();
}

void TfrmTessora::EnterConclusionPage()
{
    ui->mmoCommon->setStatusTip(QString::fromUtf8(ConclusionHint));
    ui->mmoCommon->setAccessibleName(QStringLiteral("Заключение"));
    ui->pnlRightBot->hide();
    ui->pnlWork->handle(1)->hide();
    // The latest interview's answers carry their notices into the conclusion and the report.
    const Conclusion& conclusion = FExamination->conclude(QDateTime::currentDateTime());
    WriteConclusion(conclusion, ui->mmoCommon, this);
    ShowNotGiven();
    UpdateWhyMenu();
    UpdateSpecialistsNode(conclusion.heartConcern());
    UpdateTabActions();
    // The report is usually asked for from here: its office starts meanwhile.
    PrepareWord();
}

// The advice rests on the sex and the age: one line says so while they were not given.
void TfrmTessora::ShowNotGiven()
{
    const ExaminationRecord& record = Record();
    const bool missing = !record.gender.given || !record.birthDate.given;
    const QString what = !record.gender.given && !record.birthDate.given ? QStringLiteral("Пол и дата рождения не указаны")
        : !record.gender.given ? QStringLiteral("Пол не указан")
                               : QStringLiteral("Дата рождения не указана");
    ui->lblNotGiven->setText(
        QStringLiteral("%1, а советы программы зависят от пола и возраста. "
                       "<a href=\"#anthropometry\">Указать на странице «Антропометрия»</a>")
            .arg(what));
    ui->lblNotGiven->setVisible(missing);
}

void TfrmTessora::UpdateWhyMenu()
{
    QMenu* menu = ui->bbtnWhy->menu();
    if (!menu) {
        menu = new QMenu(ui->bbtnWhy);
        menu->setObjectName(QStringLiteral("mnuWhy"));
        ui->bbtnWhy->setMenu(menu);
    }
    menu->clear();
    for (int specialist : ShownConclusion().recommendedSpecialists()) {
        menu->addAction(QStringLiteral("консультация %1").arg(SpecialistNames[size_t(specialist)]), this,
            [this, specialist] { ShowWhy(specialist); });
    }
    ui->bbtnWhy->setVisible(!menu->isEmpty());
    ui->bbtnWhy->raise();
}

void TfrmTessora::ShowWhy(int specialist)
{
    TfrmWhy why(ShownConclusion(), this);
    why.SelectSpecialist(specialist);
    why.exec();
}

void TfrmTessora::EnterDataPage(int tag)
{
    ui->bbtnWhy->hide();
    ui->pnlRightBot->show();
    ui->mmoCommon->setStatusTip(QString::fromUtf8(DataHint));
    ui->mmoCommon->setAccessibleName(QStringLiteral("Советы по вводу данных"));
    ui->lblNotGiven->hide();
    ui->pnlWork->handle(1)->show();
    UpdateSpecialistsNode(tag >= ConclusionTag);
}

void TfrmTessora::EnterCardiologistPage()
{
    // The result leads with the conclusion's own notices, not with an earlier interview's.
    CardioPage()->SetConclusion(FExamination->concludeBeforeInterview(QDateTime::currentDateTime()));
    CardioPage()->StartInterview();
    ui->acMonitor->setVisible(true);
    frmMonitor->setVisible(ui->acMonitor->isChecked());
    frmMonitor->ClearBarHighlight();
    frmMonitor->ClearLegendUnderline();
}

void TfrmTessora::LeaveCardiologistPage()
{
    ui->stkWork->setCurrentWidget(ui->mmoCommon);
    ui->bbtnReport->raise();
    ui->acMonitor->setVisible(false);
    if (FCardioPage) {
        FCardioPage->StopInterview();
        frmMonitor->hide();
    }
}

QWidget* TfrmTessora::PagePanel(QWidget* page)
{
    if (auto* area = page->findChild<PanelScrollArea*>(QString(), Qt::FindDirectChildrenOnly))
        return area->panel();
    for (QObject* child : page->children()) {
        auto* panel = qobject_cast<QWidget*>(child);
        if (panel && panel->objectName().startsWith(QLatin1String("pnl")))
            return panel;
    }
    return nullptr;
}

// The panel lies in a scroll area over the whole page: centred where it fits,
// scrolled where a larger text or scale leaves the page too small.
void TfrmTessora::FramePagePanel(QWidget* page)
{
    QWidget* panel = PagePanel(page);
    if (!panel || page->layout())
        return;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(QMargins());
    layout->addWidget(new PanelScrollArea(panel, page));
}

// A page's panel takes the size its contents ask for when the page is first
// shown: measuring the wrapped texts of every page would delay the start.
void TfrmTessora::SizePagePanel(QWidget* page)
{
    auto* area = page->findChild<PanelScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    if (!area || FSizedPanels.contains(area->panel()))
        return;
    FSizedPanels.insert(area->panel());
    area->panel()->resize(area->panel()->sizeHint());
}

// ---------------------------------------------------------------- the examination

const ExaminationRecord& TfrmTessora::Record() const
{
    return FExamination->record();
}

const Conclusion& TfrmTessora::ShownConclusion() const
{
    return FExamination->conclusion();
}

TReportState& TfrmTessora::Report()
{
    return FExamination->report();
}

void TfrmTessora::ArrangeWorkArea(int tag)
{
    const bool complaints = tag == ComplaintsTag;
    if (complaints == (FBottomHeightOutsideComplaints >= 0))
        return;
    QSplitter* work = ui->pnlWork;
    // Coming from the conclusion, the lower panel is hidden; the splitter gives
    // it back its height once it has seen it shown.
    ui->pnlRightBot->show();
    work->handle(1)->show();
    QCoreApplication::sendPostedEvents(work, QEvent::LayoutRequest);
    const int total = work->contentsRect().height() - work->handleWidth();
    if (complaints) {
        FBottomHeightOutsideComplaints = ui->pnlRightBot->height();
        const int extra = std::max(0, height() - FDesignHeight);
        const int top = std::max(0, total - FBottomHeightOutsideComplaints - extra);
        work->setStretchFactor(0, 0);
        work->setStretchFactor(1, 1);
        work->setSizes({ top, total - top });
    } else {
        const int bottom = std::exchange(FBottomHeightOutsideComplaints, -1);
        work->setStretchFactor(0, 1);
        work->setStretchFactor(1, 0);
        work->setSizes({ total - bottom, bottom });
    }
}

// ---------------------------------------------------------------- reset

// Whatever was entered since the reset is lost only after a Yes.
bool TfrmTessora::MayDiscardRecord(const QString& question)
{
    return !RecordChangedSinceReset()
        || MessageBoxes::show(this, QMessageBox::Question, MessageBoxes::title(),
               QStringLiteral("%1 Все введённые данные и ответы будут стёрты.").arg(question),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void TfrmTessora::acNewExecute()
{
    if (!MayDiscardRecord(QStringLiteral("Начать новое обследование?")))
        return;
    CloseReportDocuments();
    if (FCardioPage)
        FCardioPage->ForgetInterview();
    FExamination->startNew(QDateTime::currentDateTime());
    LoadPages();
    m_sections->build();
    StoreSaveNeeded(false);
    SelectPageByTag(int(TPageTag::Anthropometry));
    m_sections->markNodeForTag(int(TPageTag::Anthropometry));
}

bool TfrmTessora::RecordChangedSinceReset() const
{
    return FExamination->changedSinceStart();
}

void TfrmTessora::acExitExecute()
{
    if (MayDiscardRecord(QStringLiteral("Выйти из программы?")))
        close();
}

// ---------------------------------------------------------------- layout, hints, close

void TfrmTessora::FormResize()
{
    const int half = ui->pnlButtons->contentsRect().width() / 2;
    ui->bbtnPrev->move(half - ui->bbtnPrev->width() - 5, ui->bbtnPrev->y());
    ui->bbtnNext->move(half + 5, ui->bbtnNext->y());

    const QWidget* client = ui->mmoCommon->viewport();
    const QPoint origin = client->mapTo(ui->pnlTop, QPoint(0, 0));
    ui->bbtnReport->move(origin.x() + client->width() - ui->bbtnReport->width() - 5,
        origin.y() + client->height() - ui->bbtnReport->height() - 5);
    ui->bbtnReport->raise();
    ui->bbtnWhy->move(ui->bbtnReport->x() - ui->bbtnWhy->width() - 5, ui->bbtnReport->y());
    ui->bbtnWhy->raise();
    if (FCardioPage)
        FCardioPage->LayoutAnswerPanel();
    FitSeparators(ui->mmoCommon);
}

void TfrmTessora::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TfrmTessora::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of the application passes here: only a few kinds are worth
    // finding the widget and its window for.
    const QEvent::Type type = event->type();
    const bool concerned = type == QEvent::Enter || type == QEvent::Leave || type == QEvent::StatusTip
        || type == QEvent::Resize || type == QEvent::FocusIn || type == QEvent::FontChange;
    auto* widget = concerned ? qobject_cast<QWidget*>(watched) : nullptr;
    if (widget && widget->window() == this) {
        if (type == QEvent::FontChange) {
            if (widget == ui->mmoCommon)
                FitSeparators(ui->mmoCommon);
            return QMainWindow::eventFilter(watched, event);
        }
        if (type != QEvent::Resize)
            return m_hints->handle(widget, event) || QMainWindow::eventFilter(watched, event);
        if (widget == ui->pnlTop || widget == ui->pnlButtons || widget == ui->mmoCommon->viewport())
            FormResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmTessora::closeEvent(QCloseEvent* event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfrmTessora::FormClose()
{
    CloseReportDocuments();
    StoreSaveNeeded(true);
}
