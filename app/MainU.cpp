#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/Examination.h"
#include "app/pages/ComplaintsPage.h"
#include "app/WhyU.h"
#include "app/frmAboutU.h"
#include "app/uTessoraClasses.h"
#include "cardio/CardioPageU.h"
#include "cardio/MonitorU.h"
#include "decision/Emergency.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFile.h"
#include "platform/files/DataFolder.h"
#include "platform/help/HelpViewer.h"
#include "platform/jpeg/JpegLoader.h"
#include "platform/widgets/BusyBox.h"
#include "platform/widgets/MessageBoxes.h"
#include "report/ReportU.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitterHandle>
#include <QTextCursor>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <utility>

namespace {

// Tree nodes by absolute index: caption, page tag (0 for a group), level.
struct NodeDef {
    const char* caption;
    int tag;
    bool child;
};

constexpr NodeDef FixedNodes[] = {
    { "Антропометрия", int(TPageTag::Anthropometry), false },
    { "Жалобы", int(TPageTag::Complaints), false },
    { "Анамнез", int(TPageTag::Anamnesis), false },
    { "Объективно", 0, false },
    { "Температура", int(TPageTag::Temperature), true },
    { "Пульс", int(TPageTag::Pulse), true },
    { "Давление", int(TPageTag::Pressure), true },
    { "ЭКГ", int(TPageTag::Ecg), true },
    { "Флюорография", int(TPageTag::Fluorography), true },
    { "Кровь", int(TPageTag::Blood), true },
    { "Моча", int(TPageTag::Urine), true },
    { "Осмотр", 0, false },
    { "Лимфатические узлы", int(TPageTag::LymphNodes), true },
    { "Конечности", int(TPageTag::Limbs), true },
    { "Грыжи", int(TPageTag::Hernias), true },
    { "Заключение", int(TPageTag::Conclusion), false },
};
constexpr int FixedNodeCount = int(std::size(FixedNodes));
constexpr int SpecialistsIndex = 16;
constexpr int CardiologistIndex = 17;

constexpr int PictureBottomHeight = 250;
constexpr int InitialBottomHeight = 275;
constexpr int InitialTreeWidth = 210;

const char* const DataHint = "Рекомендации по вводу данных и другие полезные сведения";
const char* const ConclusionHint = "Интерпретация Ваших данных и рекомендации Тессоры";

// The urgent notice opens the conclusion in bold red, as it opens the report
// and the interview's explanation.
void EmphasiseNotice(QPlainTextEdit* memo, int lines)
{
    if (lines <= 0)
        return;
    QTextCursor cursor(memo->document());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, lines - 1);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat urgent;
    urgent.setFontWeight(QFont::Bold);
    urgent.setForeground(QColor(Qt::red));
    cursor.mergeCharFormat(urgent);
}

// Writes the conclusion into the memo. An out-of-range height or weight stops
// it: the memo keeps the lines written so far and the message is shown.
void WriteConclusion(const Conclusion& conclusion, QPlainTextEdit* memo, QWidget* parent)
{
    memo->setPlainText(conclusion.Lines.join(QLatin1Char('\n')));
    EmphasiseNotice(memo, int(conclusion.Notice.size()));
    if (!conclusion.RangeError.isEmpty())
        MessageBoxes::showError(parent, conclusion.RangeError);
}

// A tip is a page of text; a larger file is shown up to this size rather than
// filling the memory.
constexpr qint64 MaxTipBytes = 64 * 1024;

// The base name of a page's tip and picture; empty for a tag without one.
QString PageFileName(int tag)
{
    return tag >= 0 && tag < int(PageFileNames.size()) ? PageFileNames[tag] : QString();
}

QString ReadTipText(const QString& path)
{
    return CodePage::toUnicode(DataFile::read(path, MaxTipBytes).bytes);
}

} // namespace

TfrmTessora::TfrmTessora(QWidget* parent)
    : TfrmTessora(ComplaintPhrases::Load(), CardioKnowledgeBase::InitCardioKnowledgeBase(), parent)
{
}

TfrmTessora::TfrmTessora(ComplaintPhrases phrases, CardioKnowledgeBase knowledgeBase, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TfrmTessora>())
    , FExamination(std::make_unique<Examination>(std::move(phrases), std::move(knowledgeBase)))
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
    ui->trvMain->setColumnCount(1);
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
    FormResize();
}

void TfrmTessora::ConnectActions()
{
    connect(ui->acNew, &QAction::triggered, this, &TfrmTessora::acNewExecute);
    connect(ui->acNextTab, &QAction::triggered, this, &TfrmTessora::acNextTabExecute);
    connect(ui->acPrevTab, &QAction::triggered, this, &TfrmTessora::acPrevTabExecute);
    connect(ui->acExit, &QAction::triggered, this, &TfrmTessora::acExitExecute);
    connect(ui->acReport, &QAction::triggered, this, &TfrmTessora::acReportExecute);
    connect(ui->acHelpCont, &QAction::triggered, this, [this] { Help::showContents(this); });
    connect(ui->acAbout, &QAction::triggered, this, [this] { TfrmAbout::Execute(this); });
    connect(ui->pgcMain, &QStackedWidget::currentChanged, this, &TfrmTessora::UpdateTabActions);
    connect(ui->pgcMain, &QStackedWidget::currentChanged, this, &TfrmTessora::pgcMainChange);
    connect(ui->trvMain, &QTreeWidget::currentItemChanged, this, &TfrmTessora::trvMainChange);
    connect(ui->trvMain, &QTreeWidget::itemExpanded, this, &TfrmTessora::trvMainExpanded);
    connect(ui->trvMain, &QTreeWidget::itemCollapsed, this, &TfrmTessora::trvMainCollapsed);
    connect(ui->trvMain, &QTreeWidget::itemClicked, this, &TfrmTessora::ToggleGroupOnClick);
    // Two clicks on a group's name open and close it again, as two clicks on its arrow do.
    ui->trvMain->setExpandsOnDoubleClick(false);
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

int TfrmTessora::TagForNodeIndex(int index)
{
    if (index >= 0 && index < FixedNodeCount)
        return FixedNodes[index].tag;
    return index == CardiologistIndex ? CardiologistTag : 0;
}

int TfrmTessora::NodeIndexForTag(int tag)
{
    if (tag == CardiologistTag)
        return CardiologistIndex;
    const auto node = std::find_if(
        std::begin(FixedNodes), std::end(FixedNodes), [tag](const NodeDef& def) { return def.tag == tag; });
    return tag != 0 && node != std::end(FixedNodes) ? int(node - std::begin(FixedNodes)) : 0;
}

QTreeWidgetItem* TfrmTessora::NodeAt(int absoluteIndex) const
{
    int index = 0;
    for (QTreeWidgetItemIterator it(ui->trvMain); *it; ++it, ++index) {
        if (index == absoluteIndex)
            return *it;
    }
    return nullptr;
}

int TfrmTessora::NodeCount() const
{
    int count = 0;
    for (QTreeWidgetItemIterator it(ui->trvMain); *it; ++it)
        ++count;
    return count;
}

static int AbsoluteIndexOf(QTreeWidget* tree, const QTreeWidgetItem* item)
{
    int index = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it, ++index) {
        if (*it == item)
            return index;
    }
    return -1;
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
    if (QTreeWidgetItem* node = NodeAt(NodeIndexForTag(tag)))
        ui->trvMain->setCurrentItem(node);
}

void TfrmTessora::trvMainChange(QTreeWidgetItem* current)
{
    if (!current)
        return;
    if (current->childCount() > 0) {
        const int image = current->isExpanded() ? GroupExpanded : GroupCollapsed;
        SetNodeImages(current, image, image);
    } else {
        SetNodeImages(current, Opened, current->data(0, SelectedImageRole).toInt());
    }
    SelectPageByTag(TagForNodeIndex(AbsoluteIndexOf(ui->trvMain, current)));
}

void TfrmTessora::trvMainExpanded(QTreeWidgetItem* item)
{
    SetNodeImages(item, GroupExpanded, GroupExpanded);
}

void TfrmTessora::trvMainCollapsed(QTreeWidgetItem* item)
{
    SetNodeImages(item, GroupCollapsed, GroupCollapsed);
}

// A click on a group's name opens or closes it, as its arrow does.
void TfrmTessora::ToggleGroupOnClick(QTreeWidgetItem* item)
{
    if (item->childCount() > 0)
        item->setExpanded(!item->isExpanded());
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
    const bool nextOffered = ui->pgcMain->currentWidget() != ui->tsResult || NodeCount() > FixedNodeCount;
    ui->acNextTab->setEnabled(index < ui->pgcMain->count() - 1 && nextOffered);
    acReportUpdate();
}

// ---------------------------------------------------------------- tree

void TfrmTessora::SetNodeImages(QTreeWidgetItem* item, int image, int selectedImage)
{
    item->setData(0, ImageRole, image);
    item->setData(0, SelectedImageRole, selectedImage);
    item->setIcon(0, TreeIcon(image, selectedImage));
}

// A node changes its picture at every step through the tree: each pair of
// pictures is decoded once.
QIcon TfrmTessora::TreeIcon(int image, int selectedImage)
{
    QIcon& icon = FTreeIcons[{ image, selectedImage }];
    if (icon.isNull()) {
        icon.addFile(QStringLiteral(":/icons/tree/%1.png").arg(image));
        icon.addFile(QStringLiteral(":/icons/tree/%1.png").arg(selectedImage), QSize(), QIcon::Selected);
    }
    return icon;
}

QTreeWidgetItem* TfrmTessora::AddNode(QTreeWidgetItem* parent, const QString& caption, bool group, int image)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(ui->trvMain);
    item->setText(0, caption);
    SetNodeImages(item, group ? GroupCollapsed : image, group ? GroupCollapsed : SelectedPage);
    return item;
}

void TfrmTessora::BuildSectionTree()
{
    const QSignalBlocker blocker(ui->trvMain);
    ui->trvMain->clear();
    QTreeWidgetItem* group = nullptr;
    for (int i = 0; i < FixedNodeCount; ++i) {
        const NodeDef& node = FixedNodes[i];
        const bool isGroup = node.tag == 0;
        const int image = i == 0 ? Opened : NotOpened;
        QTreeWidgetItem* item
            = AddNode(node.child ? group : nullptr, QString::fromUtf8(node.caption), isGroup, image);
        if (isGroup)
            group = item;
    }
    SetAllGroupsExpanded(true);
}

void TfrmTessora::SetAllGroupsExpanded(bool expanded)
{
    for (QTreeWidgetItemIterator it(ui->trvMain); *it; ++it) {
        if ((*it)->childCount() == 0)
            continue;
        (*it)->setExpanded(expanded);
        const int image = expanded ? GroupExpanded : GroupCollapsed;
        SetNodeImages(*it, image, image);
    }
}

void TfrmTessora::UpdateSpecialistsNode(bool show)
{
    if (!show) {
        delete NodeAt(SpecialistsIndex);
        return;
    }
    if (NodeCount() != FixedNodeCount)
        return;
    QTreeWidgetItem* group = AddNode(nullptr, QStringLiteral("Специалисты"), true, GroupCollapsed);
    AddNode(group, QStringLiteral("Кардиолог"), false, NotOpened);
    // The new node shows at once; the other groups stay as the user left them.
    group->setExpanded(true);
    SetNodeImages(group, GroupExpanded, GroupExpanded);
}

// ---------------------------------------------------------------- page entry

void TfrmTessora::ActivatePage(QWidget* page)
{
    const int tag = PageTag(page);
    CenterPagePanel(page);
    ArrangeWorkArea(tag);
    const bool showPicture = tag != ComplaintsTag && tag != ConclusionTag;
    ui->pnlPict->setVisible(showPicture);
    ui->acReport->setVisible(tag == ConclusionTag);
    ui->acReport->setEnabled(tag == ConclusionTag);
    LoadPageTip(tag);
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

void TfrmTessora::LoadPageTip(int tag)
{
    ui->mmoCommon->clear();
    const QString name = PageFileName(tag);
    if (!name.isEmpty())
        ui->mmoCommon->setPlainText(ReadTipText(DataFolder::file(QStringLiteral("Common/%1.txt").arg(name))));
}

void TfrmTessora::LoadPagePicture(int tag)
{
    const QString name = PageFileName(tag);
    if (name.isEmpty())
        return;
    const QString path = DataFolder::file(QStringLiteral("Images/%1.jpg").arg(name));
    if (!QFileInfo(path).isFile())
        return;
    const JpegResult picture = LoadJpeg(path);
    // A damaged picture keeps whatever was decoded; one that yields nothing keeps the old picture.
    if (!picture.image.isNull())
        ui->imgMain->setPixmap(QPixmap::fromImage(picture.image));
    const int total = ui->pnlWork->height();
    ui->pnlWork->setSizes({ total - PictureBottomHeight, PictureBottomHeight });
    ui->pnlRightBot->update();
}

void TfrmTessora::EnterConclusionPage()
{
    ui->mmoCommon->setStatusTip(QString::fromUtf8(ConclusionHint));
    ui->pnlRightBot->hide();
    ui->pnlWork->handle(1)->hide();
    const Conclusion& conclusion = FExamination->conclude(QDateTime::currentDateTime());
    WriteConclusion(conclusion, ui->mmoCommon, this);
    UpdateWhyMenu();
    UpdateSpecialistsNode(conclusion.heartConcern());
    UpdateTabActions();
    // The report is usually asked for from here: its office starts meanwhile.
    PrepareWord();
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
    ui->pnlWork->handle(1)->show();
    UpdateSpecialistsNode(tag >= ConclusionTag);
}

void TfrmTessora::EnterCardiologistPage()
{
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
    for (QObject* child : page->children()) {
        auto* panel = qobject_cast<QWidget*>(child);
        if (panel && panel->objectName().startsWith(QLatin1String("pnl")))
            return panel;
    }
    return nullptr;
}

// A page's panel takes the size its contents ask for when the page is first
// shown: measuring the wrapped texts of every page would delay the start.
void TfrmTessora::CenterPagePanel(QWidget* page)
{
    QWidget* panel = PagePanel(page);
    if (!panel || page->layout())
        return;
    if (!FSizedPanels.contains(panel)) {
        FSizedPanels.insert(panel);
        panel->resize(panel->sizeHint());
    }
    const QRect client = page->contentsRect();
    panel->move((client.width() - panel->width()) / 2, (client.height() - panel->height()) / 2);
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
    FExamination->startNew(QDateTime::currentDateTime());
    LoadPages();
    BuildSectionTree();
    StoreSaveNeeded(false);
    SelectPageByTag(int(TPageTag::Anthropometry));
    {
        const QSignalBlocker blocker(ui->trvMain);
        ui->trvMain->setCurrentItem(NodeAt(0));
    }
    CenterPagePanel(Page(int(TPageTag::Anthropometry)));
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
}

void TfrmTessora::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

QString TfrmTessora::HintFor(const QWidget* widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (!widget->statusTip().isEmpty())
            return widget->statusTip();
        if (widget == this)
            break;
    }
    return {};
}

void TfrmTessora::ShowHintInStatusBar()
{
    // The report's progress stays in view while the window answers the person.
    if (FBuildingReport)
        return;
    // A number changed on leaving its field outlasts the hint of the field
    // that takes the focus, so that the user sees what was written.
    ui->sbMain->showMessage(FAdjustment.isEmpty() ? FCurrentHint : std::exchange(FAdjustment, {}));
}

void TfrmTessora::ShowRenewedHint(QWidget* control)
{
    if (control != FHintWidget && !control->hasFocus())
        return;
    FHintWidget = control;
    FCurrentHint = HintFor(control);
    ShowHintInStatusBar();
}

bool TfrmTessora::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of the application passes here: only a few kinds are worth
    // finding the widget and its window for.
    const QEvent::Type type = event->type();
    const bool concerned = type == QEvent::Enter || type == QEvent::Leave || type == QEvent::StatusTip
        || type == QEvent::Resize || type == QEvent::FocusIn || type == QEvent::MouseButtonPress;
    auto* widget = concerned ? qobject_cast<QWidget*>(watched) : nullptr;
    if (widget && widget->window() == this) {
        switch (event->type()) {
        case QEvent::FocusIn:
            // The window coming back from a box over it (the office's busy
            // box) keeps the status bar's message.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
                break;
            [[fallthrough]];
        case QEvent::Enter:
            FHintWidget = widget;
            FCurrentHint = HintFor(widget);
            ShowHintInStatusBar();
            break;
        case QEvent::Leave:
            FHintWidget = widget->parentWidget();
            FCurrentHint = HintFor(widget->parentWidget());
            ShowHintInStatusBar();
            break;
        case QEvent::MouseButtonPress:
            // Choosing the node that is already current starts nothing by itself;
            // the click handler needs to know it was so before the press.
            if (widget == ui->trvMain->viewport()) {
                const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
                FPressOnCurrentNode = ui->trvMain->itemAt(at) == ui->trvMain->currentItem();
            }
            break;
        case QEvent::StatusTip:
            // A control with a hint sends it itself on Enter and Leave; Enter and
            // Leave above show it instead, falling back to the nearest ancestor's
            // hint. Tips of menu items come through the menu bar and pass on.
            if (!widget->statusTip().isEmpty())
                return true;
            break;
        case QEvent::Resize:
            if (widget->parentWidget() == ui->pgcMain)
                CenterPagePanel(widget);
            else if (widget == ui->pnlTop || widget == ui->pnlButtons || widget == ui->mmoCommon->viewport())
                FormResize();
            break;
        default:
            break;
        }
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
