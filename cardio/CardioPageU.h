#pragma once

#include "cardio/CardioU.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QActionGroup;
class TfrmMonitor;

namespace Ui {
class TCardioPage;
}

// The cardiologist page: one question at a time with its Yes and No answers.
// The main window owns it, starts an interview when the page is entered and
// stops it when another page is; answers outside an interview do nothing.
class TCardioPage final : public QWidget, public CardioView {
    Q_OBJECT

public:
    // Shows the named explanation, preceded by the urgent notice when it is
    // not empty; throws std::exception with a Russian message when it cannot
    // be shown.
    // The reasons (the answers that moved the named condition most) follow the notice.
    using ConclusionShower
        = std::function<void(const QString& name, const QStringList& notice, const QStringList& reasons)>;

    // The interview belongs to the examination; the page asks it and shows it.
    explicit TCardioPage(CardioInterview& interview, QWidget* parent = nullptr);
    ~TCardioPage() override;

    void SetMonitor(TfrmMonitor* monitor);
    void SetConclusionShower(ConclusionShower shower);

    void StartInterview();
    void StopInterview();
    int CurrentQuestion() const { return FCurQuestion; }
    const CardioInterview& Interview() const { return FInterview; }

    void AnswerQuestion(std::uint8_t answer);
    // Buttons 60 pixels apart about the centre; the question frame fills the width.
    void LayoutAnswerPanel();

    void AskQuestion(int question) override;
    void ShowCardioConclusion(const QString& name) override;
    void RefreshBars() override;
    void ClearBarHighlight() override;
    void ClearLegendUnderline() override;

public slots:
    void acYesExecute();
    void acNoExecute();
    // «Почему этот вопрос?»: the conditions the answer moves most, in a box.
    void acWhyExecute();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<Ui::TCardioPage> ui;
    CardioInterview& FInterview;
    QActionGroup* acLstAnswer = nullptr;
    TfrmMonitor* FMonitor = nullptr;
    ConclusionShower FShowConclusion;
    bool FRunning = false;
    std::uint8_t FCurQuestion = 0;
    std::uint8_t FCurAnswer = 0;
    QList<int> FEmergencyAnswers;
};
