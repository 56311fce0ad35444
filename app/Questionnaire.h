#pragma once

#include "app/QuestionGrid.h"
#include "app/QuestionList.h"

#include <QObject>

class QLabel;

// The complaints page: the header hdcTop and the grid stgQst on the panel
// pnlQst, the statements read from Common/ksm.txt and the answers.
class TQuestionnaire final : public QObject {
    Q_OBJECT

public:
    static constexpr int NumberWidth = 20;
    static constexpr int AnswerWidth = 80;

    // Adds hdcTop and stgQst to the panel's layout (one is made when it has none).
    explicit TQuestionnaire(QWidget* pnlQst);

    // Reads the statements again, forgets every answer and shows them all.
    void LoadQuestions();
    // Shows the statements of a view: 0 all, 1 not answered, 2 yes, 3 no.
    void FillQuestionGrid(int view);
    // The statement shown in a row of the grid, or nullptr.
    TCheck* QuestionOfRow(int row) const;
    void ChangeAnswer(int column, int row);
    void FreeQuestions();
    // Whether statement n (counted from 1) is answered yes; false when there is none.
    bool IsAnsweredYes(int n) const;

    // Sets the column and section widths from the current widths of grid and header.
    void SetColumnWidths();
    int QuestionView() const { return FQuestionView; }
    const TQuestionList& Questions() const { return FQuestions; }

    TQuestionHeader* const hdcTop;
    TQuestionGrid* const stgQst;
    // Above the header: which answers the grid is limited to, while it is.
    QLabel* const lblQstFilter;
    // In place of the grid when the view holds no statement.
    QLabel* const lblQstEmpty;

signals:
    // The hint under the pointer changed while it moved over the header or the grid.
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void hdcTopSectionClick(int section);
    void hdcTopSectionResize();
    void stgQstMouseDown(int column, int row);
    void stgQstKeyPress();

private:
    void ShowViewState();

    QWidget* const pnlQst;
    TQuestionList FQuestions;
    TQuestionModel* const FModel;
    int FQuestionView = 0;
    bool FSettingWidths = false;
};
