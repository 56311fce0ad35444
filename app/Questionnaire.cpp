#include "app/Questionnaire.h"

#include "platform/files/DataFolder.h"
#include "platform/files/TextFile.h"

#include <QEvent>
#include <QVBoxLayout>

TQuestionnaire::TQuestionnaire(QWidget* panel)
    : QObject(panel)
    , hdcTop(new TQuestionHeader(panel))
    , stgQst(new TQuestionGrid(panel))
    , pnlQst(panel)
    , FModel(new TQuestionModel(FQuestions, this))
{
    QLayout* layout = panel->layout();
    if (!layout) {
        layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(hdcTop);
    layout->addWidget(stgQst);

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
    FQuestions.load(TextFile::read(DataFolder::file(QStringLiteral("Common/ksm.txt"))));
    FillQuestionGrid(0);
}

void TQuestionnaire::FillQuestionGrid(int view)
{
    FQuestionView = view;
    FModel->fill(view);
    stgQst->setVisible(FModel->rowCount() != 0);
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
