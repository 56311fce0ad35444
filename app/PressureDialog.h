#pragma once

#include "diary/HomePressure.h"

#include <QDialog>

#include <memory>

namespace Ui {
class PressureDialog;
}

// The quick entry of blood pressure measured at home: one reading after
// another, each with the time from the clock, into the diary; a reading at a
// red-flag bound tells its urgent notice at once.
class PressureDialog final : public QDialog {
    Q_OBJECT

public:
    PressureDialog(const QString& diaryFolder, const QString& person, QWidget* parent = nullptr);
    ~PressureDialog() override;

private:
    void addReading();
    void updateAddButton();
    PressureReading enteredReading() const;

    std::unique_ptr<Ui::PressureDialog> ui;
    QString m_diaryFolder;
};
