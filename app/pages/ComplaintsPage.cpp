#include "app/pages/ComplaintsPage.h"
#include "ui_ComplaintsPage.h"

#include "app/Questionnaire.h"

#include <algorithm>

using Answer = ExaminationRecord::Answer;

ComplaintsPage::ComplaintsPage(QWidget* parent)
    : RecordPage(parent)
    , ui(std::make_unique<Ui::ComplaintsPage>())
{
    ui->setupUi(this);
    m_questionnaire = new TQuestionnaire(ui->pnlQst);
    connect(m_questionnaire, &TQuestionnaire::hintChanged, this, &ComplaintsPage::hintChanged);
    connect(m_questionnaire->stgQst->model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (!isLoading())
            emit changed();
    });
}

ComplaintsPage::~ComplaintsPage() = default;

void ComplaintsPage::show(const ExaminationRecord& record)
{
    m_questionnaire->LoadQuestions();
    const TQuestionList& questions = m_questionnaire->Questions();
    for (int i = 0; i < questions.count() && i < record.answers.size(); ++i)
        questions.item(i)->AnswerState = quint8(record.answers[i]);
    m_questionnaire->FillQuestionGrid(m_questionnaire->QuestionView());
    m_questionnaire->SetColumnWidths();
}

void ComplaintsPage::store(ExaminationRecord& record) const
{
    const TQuestionList& questions = m_questionnaire->Questions();
    QList<Answer> answers;
    for (int i = 0; i < questions.count(); ++i)
        answers << Answer(questions.item(i)->AnswerState);
    const bool none = std::ranges::all_of(answers, [](Answer answer) { return answer == Answer::None; });
    record.answers = none ? QList<Answer>() : answers;
}
