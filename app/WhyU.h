#pragma once

#include <QDialog>

#include <memory>

class Conclusion;
class QPushButton;

namespace Ui {
class TfrmWhy;
}

// Why the conclusion recommends each consultation: the facts of the record
// that the rule rows used, under the urgent notice when there is one. The
// text can be selected, and copied whole with «Копировать».
class TfrmWhy final : public QDialog {
    Q_OBJECT

public:
    TfrmWhy(const Conclusion& conclusion, QWidget* parent = nullptr);
    ~TfrmWhy() override;

    // Shows the explanation of a recommended specialist.
    void SelectSpecialist(int specialist);
    // The explanation shown, as it is copied.
    QString ExplanationText() const;

private:
    void ShowNotice(const Conclusion& conclusion);
    void FillConsultations(const Conclusion& conclusion);
    void lstConsultationsChange(int row);
    void btnCopyClick();

    std::unique_ptr<Ui::TfrmWhy> ui;
    QPushButton* btnCopy = nullptr;
    QList<int> FSpecialists;
    QList<QStringList> FExplanations;
};
