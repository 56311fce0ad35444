#pragma once

#include "app/pages/RecordPage.h"

#include <QDate>
#include <QDateTime>

#include <memory>

class QGroupBox;

namespace Ui {
class EcgPage;
class FluorographyPage;
class BloodPage;
class UrinePage;
}

// A page of one of the four tests: its "отсутствует" box, which disables and
// greys the rest, and the date it was made, which cannot lie in the future.
class TestPage : public RecordPage {
    Q_OBJECT

public:
    using Test = ExaminationRecord::Test;

    TestPage(Test test, QWidget* parent);

    void store(ExaminationRecord& record) const override;

protected:
    // The page's absent box, its date, the group holding its values (none for
    // ECG and fluorography) and what the absent box disables.
    void setUp(QCheckBox* absent, QDateTimeEdit* date, QGroupBox* values, QList<QWidget*> dependents);
    void showTest(const ExaminationRecord& record);
    // An ECG or fluorography date before this one becomes this one.
    void setEarliestDate(const QDate& earliest) { m_earliest = earliest; }
    virtual void absentChanged(bool absent) { Q_UNUSED(absent); }

private:
    void TestAbsentClick();
    void CheckTestDate();
    QString TestGenitive() const;

    const Test m_test;
    QCheckBox* m_absent = nullptr;
    QDateTimeEdit* m_date = nullptr;
    QGroupBox* m_values = nullptr;
    QList<QWidget*> m_dependents;
    QDate m_earliest;
    // The last date taken, to put back a refused one.
    QDateTime m_acceptedDate;
};

class EcgPage final : public TestPage {
    Q_OBJECT

public:
    explicit EcgPage(QWidget* parent = nullptr);
    ~EcgPage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    QList<QCheckBox*> FindingBoxes() const;
    void RenewHint(QCheckBox* box);

    std::unique_ptr<Ui::EcgPage> ui;
};

class FluorographyPage final : public TestPage {
    Q_OBJECT

public:
    explicit FluorographyPage(QWidget* parent = nullptr);
    ~FluorographyPage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;
    void absentChanged(bool absent) override;

private:
    std::unique_ptr<Ui::FluorographyPage> ui;
};

class BloodPage final : public TestPage {
    Q_OBJECT

public:
    explicit BloodPage(QWidget* parent = nullptr);
    ~BloodPage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    std::unique_ptr<Ui::BloodPage> ui;
};

class UrinePage final : public TestPage {
    Q_OBJECT

public:
    explicit UrinePage(QWidget* parent = nullptr);
    ~UrinePage() override;

    void store(ExaminationRecord& record) const override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    std::unique_ptr<Ui::UrinePage> ui;
};
