#pragma once

#include "app/pages/RecordPage.h"

#include <memory>

class QLabel;
class TSpinEdit;

namespace Ui {
class TemperaturePage;
class PulsePage;
class PressurePage;
}

// A page of a vital sign: its fields start at a norm value, which counts as
// measured once the person enters a value or confirms the shown one with
// «Дальше»; until then a line under the fields says so.
class VitalPage : public RecordPage {
    Q_OBJECT

public:
    using RecordPage::RecordPage;

    void confirm() override;

protected:
    // The page's value fields and its line about the initial value.
    void setUp(QList<QWidget*> fields, QLabel* initialLine);
    // Entering or confirming any field of the sign measures it.
    bool isMeasured() const;
    void setMeasured(bool measured);
    void showInitialLine();

private:
    QList<QWidget*> m_fields;
    QLabel* m_initialLine = nullptr;
};

class TemperaturePage final : public VitalPage {
    Q_OBJECT

public:
    explicit TemperaturePage(QWidget* parent = nullptr);
    ~TemperaturePage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    std::unique_ptr<Ui::TemperaturePage> ui;
};

class PulsePage final : public VitalPage {
    Q_OBJECT

public:
    explicit PulsePage(QWidget* parent = nullptr);
    ~PulsePage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    std::unique_ptr<Ui::PulsePage> ui;
};

class PressurePage final : public VitalPage {
    Q_OBJECT

public:
    explicit PressurePage(QWidget* parent = nullptr);
    ~PressurePage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    void CheckPressureOrder(TSpinEdit* left);

    std::unique_ptr<Ui::PressurePage> ui;
};
