#include "cardio/CardioPageU.h"

#include "ui_CardioPageU.h"

#include "cardio/MonitorU.h"
#include "decision/Emergency.h"
#include "platform/widgets/MessageBoxes.h"

#include <QActionGroup>

#include <algorithm>
#include <exception>

namespace {

constexpr int AnswerPanelHeight = 50;
constexpr int ButtonGap = 30;
constexpr int FrameInset = 14;
constexpr int LabelInset = 10;

} // namespace

TCardioPage::TCardioPage(CardioInterview& interview, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TCardioPage>())
    , FInterview(interview)
{
    ui->setupUi(this);
    acLstAnswer = new QActionGroup(this);
    acLstAnswer->setObjectName(QStringLiteral("acLstAnswer"));
    acLstAnswer->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    acLstAnswer->addAction(ui->acYes);
    acLstAnswer->addAction(ui->acNo);
    ui->bbYes->setDefaultAction(ui->acYes);
    ui->bbNo->setDefaultAction(ui->acNo);
    connect(ui->acYes, &QAction::triggered, this, &TCardioPage::acYesExecute);
    connect(ui->acNo, &QAction::triggered, this, &TCardioPage::acNoExecute);
    ui->bbWhy->setDefaultAction(ui->acWhy);
    connect(ui->acWhy, &QAction::triggered, this, &TCardioPage::acWhyExecute);
    StopInterview();
}

TCardioPage::~TCardioPage() = default;

void TCardioPage::SetMonitor(TfrmMonitor* monitor)
{
    FMonitor = monitor;
}

void TCardioPage::SetConclusionShower(ConclusionShower shower)
{
    FShowConclusion = std::move(shower);
}

void TCardioPage::StartInterview()
{
    FInterview.ResetInterview(*this);
    FEmergencyAnswers.clear();
    FInterview.ChooseNextQuestion(*this);
    // A run that ended without an answer hid the lead-in; without it the
    // questions of a new interview would not read as sentences.
    ui->lblQstCapt->show();
    FRunning = true;
    acLstAnswer->setEnabled(true);
    ui->acWhy->setEnabled(true);
}

void TCardioPage::StopInterview()
{
    FRunning = false;
    acLstAnswer->setEnabled(false);
    ui->acWhy->setEnabled(false);
    FCurQuestion = 0;
    ui->lblQst->setText(QStringLiteral("Чтобы начать опрос, выберите в дереве разделов пункт «Кардиолог» "
                                       "или в меню «Сервис» пункт «Начать опрос заново»."));
}

void TCardioPage::acYesExecute()
{
    AnswerQuestion(AnswerYes);
}

void TCardioPage::acNoExecute()
{
    AnswerQuestion(AnswerNo);
}

void TCardioPage::AnswerQuestion(std::uint8_t answer)
{
    if (!FRunning)
        return;
    FCurAnswer = answer;
    if (FInterview.AllQuestionsAsked()) {
        ui->lblQstCapt->hide();
        MessageBoxes::show(
            this, QMessageBox::Information, MessageBoxes::title(), QStringLiteral("Ничего не могу понять"));
        return;
    }
    // The interview goes on as always; an emergency is told at once, whatever
    // it later concludes.
    if (answer == AnswerYes && Emergency::IsEmergencyQuestion(FCurQuestion)
        && !FEmergencyAnswers.contains(FCurQuestion)) {
        FEmergencyAnswers << FCurQuestion;
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(),
            Emergency::InterviewNotice({ FCurQuestion }).join(QLatin1Char('\n')));
    }
    try {
        FInterview.ApplyAnswer(FCurQuestion, FCurAnswer, *this);
    } catch (const std::exception& error) {
        // The question stays on display; the probabilities were already updated.
        MessageBoxes::showError(this, QString::fromUtf8(error.what()));
        return;
    }
    FInterview.ChooseNextQuestion(*this);
}

void TCardioPage::acWhyExecute()
{
    if (FRunning && FCurQuestion != 0)
        MessageBoxes::show(this, QMessageBox::Information, MessageBoxes::title(),
            FInterview.WhyQuestion(FCurQuestion).join(QLatin1Char('\n')));
}

void TCardioPage::AskQuestion(int question)
{
    FCurQuestion = static_cast<std::uint8_t>(question);
    ui->lblQst->setText(FInterview.KnowledgeBase().CardioQuestions[static_cast<std::size_t>(question)]);
}

void TCardioPage::ShowCardioConclusion(const QString& name)
{
    if (FShowConclusion)
        FShowConclusion(name, Emergency::InterviewNotice(FEmergencyAnswers),
            FInterview.AnswerReasons(FInterview.Diagnoses[ConditionCount - 1].Condition));
}

void TCardioPage::RefreshBars()
{
    if (FMonitor)
        FMonitor->RefreshBars(FInterview.Diagnoses);
}

void TCardioPage::ClearBarHighlight()
{
    if (FMonitor)
        FMonitor->ClearBarHighlight();
}

void TCardioPage::ClearLegendUnderline()
{
    if (FMonitor)
        FMonitor->ClearLegendUnderline();
}

void TCardioPage::LayoutAnswerPanel()
{
    ui->pnlAns->setGeometry(0, height() - AnswerPanelHeight, width(), AnswerPanelHeight);
    const int half = ui->pnlAns->contentsRect().width() / 2;
    ui->bbYes->move(half - ui->bbYes->width() - ButtonGap, ui->bbYes->y());
    ui->bbNo->move(half + ButtonGap, ui->bbNo->y());

    const int frameHeight = std::max(40, ui->pnlAns->y() - ui->bvlCardio->y() - 4);
    ui->bvlCardio->resize(ui->pnlAns->width() - FrameInset, frameHeight);
    ui->lblQst->resize(ui->bvlCardio->width() - LabelInset, frameHeight - LabelInset);
    ui->lblQstCapt->resize(ui->bvlCardio->width(), ui->lblQstCapt->height());
    ui->bbWhy->adjustSize();
    ui->bbWhy->move(ui->bvlCardio->geometry().right() - ui->bbWhy->width(), ui->bbWhy->y());
    ui->bbWhy->raise();
}

void TCardioPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutAnswerPanel();
}
