#pragma once

#include "diary/HomePressure.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class PressureDialog;
}

// The quick entry of blood pressure measured at home: one reading after
// another, each with the time from the clock, into the diary; a reading at a
// red-flag bound tells its urgent notice at once. The person's readings are
// listed beside, so that a mistyped one can be deleted.
class PressureDialog final : public QDialog {
    Q_OBJECT

public:
    PressureDialog(const QString& diaryFolder, const QString& person, QWidget* parent = nullptr);
    ~PressureDialog() override;

private:
    void addReading();
    void deleteReading();
    void updateAddButton();
    void readReadings();
    void showReadings();
    void tellKept(const QString& what, const QList<PressureReading>& readings, const QString& person);
    QString person() const;
    PressureReading enteredReading() const;

    std::unique_ptr<Ui::PressureDialog> ui;
    QString m_diaryFolder;
    QList<PressureReading> m_readings;
    // The reading whose urgent notice is shown, as it was entered.
    std::optional<PressureReading> m_noticeOf;
};
