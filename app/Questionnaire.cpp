#include "app/Questionnaire.h"

#include "platform/files/DataFolder.h"
#include "platform/files/TextFile.h"
#include "platform/widgets/MessageBoxes.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// By view: 0 all, 1 not answered, 2 yes, 3 no.
const char* const FilterLines[] = {
    "",
    "Показаны утверждения без ответа — щелкните «#» в заголовке, чтобы показать все",
    "Показаны утверждения с ответом «Да» — щелкните «#» в заголовке, чтобы показать все",
    "Показаны утверждения с ответом «Нет» — щелкните «#» в заголовке, чтобы показать все",
};

const char* const EmptyViewLines[] = {
    "Список утверждений пуст",
    "Нет утверждений без ответа",
    "Нет утверждений с ответом «Да»",
    "Нет утверждений с ответом «Нет»",
};

QLabel* NewLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setMargin(6);
    label->hide();
    return label;
}

} // namespace

TQuestionnaire::TQuestionnaire(QWidget* panel)
    : QObject(panel)
    , hdcTop(new TQuestionHeader(panel))
    , stgQst(new TQuestionGrid(panel))
    , lblQstFilter(NewLabel(panel, "lblQstFilter"))
    , lblQstEmpty(NewLabel(panel, "lblQstEmpty"))
    , pnlQst(panel)
    , FModel(new TQuestionModel(FQuestions, this))
{
    QLayout* layout = panel->layout();
    if (!layout) {
        layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(lblQstFilter);
    layout->addWidget(hdcTop);
    layout->addWidget(stgQst);
    layout->addWidget(lblQstEmpty);
    // Without it the header alone would drift to the middle of the page.
    lblQstEmpty->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblQstEmpty->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    lblQstFilter->setAutoFillBackground(true);
    lblQstFilter->setBackgroundRole(QPalette::ToolTipBase);
    lblQstFilter->setForegroundRole(QPalette::ToolTipText);

    stgQst->setModel(FModel);
    stgQst->setItemDelegate(new TQuestionDelegate(stgQst));

    connect(hdcTop, &QHeaderView::sectionClicked, this, &TQuestionnaire::hdcTopSectionClick);
    connect(hdcTop, &QHeaderView::sectionResized, this, &TQuestionnaire::hdcTopSectionResize);
    connect(stgQst, &TQuestionGrid::cellPressed, this, &TQuestionnaire::stgQstMouseDown);
    connect(stgQst, &TQuestionGrid::spacePressed, this, &TQuestionnaire::stgQstKeyPress);
    connect(hdcTop, &TQuestionHeader::hintChanged, this, &TQuestionnaire::hintChanged);
    connect(stgQst, &TQuestionGrid::hintChanged, this, &TQuestionnaire::hintChanged);

    // The grid may be hidden when the panel resizes; it gets its widths when it shows again.
    pnlQst->installEventFilter(this);
    hdcTop->installEventFilter(this);
    stgQst->installEventFilter(this);
    SetColumnWidths();
}

void TQuestionnaire::LoadQuestions()
{
    FreeQuestions();
    QString problem;
    FQuestions.load(TextFile::read(DataFolder::file(QStringLiteral("Common/ksm.txt")), &problem));
    if (!problem.isEmpty())
        MessageBoxes::showError(qobject_cast<QWidget*>(parent()), problem);
    FillQuestionGrid(0);
}

void TQuestionnaire::FillQuestionGrid(int view)
{
    FQuestionView = view;
    FModel->fill(view);
    stgQst->setVisible(FModel->rowCount() != 0);
    ShowViewState();
}

void TQuestionnaire::ShowViewState()
{
    const int view = FQuestionView >= 0 && FQuestionView < 4 ? FQuestionView : 0;
    hdcTop->MarkSection(view == 0 ? -1 : view);
    lblQstFilter->setText(QString::fromUtf8(FilterLines[view]));
    lblQstFilter->setVisible(view != 0);
    lblQstEmpty->setText(QString::fromUtf8(EmptyViewLines[view]));
    lblQstEmpty->setVisible(stgQst->isHidden());
}

TCheck* TQuestionnaire::QuestionOfRow(int row) const
{
    return FModel->questionOfRow(row);
}

void TQuestionnaire::ChangeAnswer(int column, int row)
{
    FModel->changeAnswer(column, row);
}

void TQuestionnaire::FreeQuestions()
{
    // The grid drops its rows first: they name items that are about to go.
    FModel->clear();
    FQuestions.clear();
}

bool TQuestionnaire::IsAnsweredYes(int n) const
{
    return FQuestions.isAnsweredYes(n);
}

void TQuestionnaire::SetColumnWidths()
{
    if (FSettingWidths)
        return;
    FSettingWidths = true;
    // Every column's width in a QTableView includes its grid line, so the cells
    // line up with the header sections of the same widths.
    const int textWidth = stgQst->width() - NumberWidth - 2 * AnswerWidth;
    stgQst->setColumnWidth(TQuestionModel::NumberColumn, NumberWidth);
    stgQst->setColumnWidth(TQuestionModel::TextColumn, qMax(0, textWidth));
    stgQst->setColumnWidth(TQuestionModel::YesColumn, AnswerWidth);
    stgQst->setColumnWidth(TQuestionModel::NoColumn, AnswerWidth);

    const int sectionWidth = hdcTop->width() - NumberWidth - 2 * AnswerWidth;
    hdcTop->resizeSection(0, NumberWidth);
    hdcTop->resizeSection(1, qMax(0, sectionWidth));
    hdcTop->resizeSection(2, AnswerWidth);
    hdcTop->resizeSection(3, AnswerWidth);
    FSettingWidths = false;
}

bool TQuestionnaire::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == pnlQst || watched == hdcTop || watched == stgQst))
        SetColumnWidths();
    return QObject::eventFilter(watched, event);
}

void TQuestionnaire::hdcTopSectionClick(int section)
{
    FillQuestionGrid(section);
    stgQst->viewport()->update();
}

void TQuestionnaire::hdcTopSectionResize()
{
    // The sections keep their widths: a drag by the user is undone at once.
    SetColumnWidths();
}

void TQuestionnaire::stgQstMouseDown(int column, int row)
{
    ChangeAnswer(column, row);
    stgQst->viewport()->update();
}

void TQuestionnaire::stgQstKeyPress()
{
    ChangeAnswer(TQuestionModel::TextColumn, stgQst->currentIndex().row());
    stgQst->viewport()->update();
}
