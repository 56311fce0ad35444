#pragma once

#include "cardio/CardioU.h"

#include <QDialog>

#include <memory>

class QAction;
class QLabel;
class QSlider;

namespace Ui {
class TfrmMonitor;
}

// A small stay-on-top window with one vertical bar per condition: the higher
// the thumb, the more probable the condition. The bars grow with the window.
class TfrmMonitor final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmMonitor(QWidget* parent = nullptr);
    ~TfrmMonitor() override;

    // The checkable action that shows this window; closing the window unchecks it.
    void SetToggleAction(QAction* action);

    void RefreshBars(const TDiagnosisList& diagnoses);
    void ClearBarHighlight();
    void ClearLegendUnderline();

    // A legend line marks the whole length of its bar.
    void lblInfarctClick(QLabel* label);
    // A number under a bar underlines the legend line of that bar.
    void lbl0Click(QLabel* label);

    // The marked part of a bar, like a track bar's selection; 0 when none.
    static int SelectionEnd(const QSlider* bar);
    static void SetSelectionEnd(QSlider* bar, int end);
    // Rounds to the nearest integer, halves to the even neighbour.
    static int RoundHalfEven(double value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void FormClose();
    QList<QLabel*> LegendLabels() const;
    QList<QSlider*> Bars() const;

    std::unique_ptr<Ui::TfrmMonitor> ui;
    QAction* FToggleAction = nullptr;
    bool FPlaced = false;
};
