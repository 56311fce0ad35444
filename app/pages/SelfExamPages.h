#pragma once

#include "app/pages/RecordPage.h"

#include <functional>
#include <memory>

namespace Ui {
class LymphNodesPage;
class LimbsPage;
class HerniasPage;
}

// A page of the self-examination: one group of boxes, each ticked for what
// the person found, each with a hint that says what the next click means.
class SelfExamPage : public RecordPage {
    Q_OBJECT

public:
    using Group = ExaminationRecord::FindingGroup;
    using HintOf = std::function<QString(const QCheckBox* box)>;

    SelfExamPage(Group group, QWidget* parent);

    void store(ExaminationRecord& record) const override;

protected:
    void setUp(QList<QCheckBox*> boxes, HintOf hint);
    void show(const ExaminationRecord& record) override;

private:
    void RenewHint(QCheckBox* box);

    const Group m_group;
    QList<QCheckBox*> m_boxes;
    HintOf m_hint;
};

class LymphNodesPage final : public SelfExamPage {
    Q_OBJECT

public:
    explicit LymphNodesPage(QWidget* parent = nullptr);
    ~LymphNodesPage() override;

private:
    std::unique_ptr<Ui::LymphNodesPage> ui;
};

class LimbsPage final : public SelfExamPage {
    Q_OBJECT

public:
    explicit LimbsPage(QWidget* parent = nullptr);
    ~LimbsPage() override;

private:
    std::unique_ptr<Ui::LimbsPage> ui;
};

class HerniasPage final : public SelfExamPage {
    Q_OBJECT

public:
    explicit HerniasPage(QWidget* parent = nullptr);
    ~HerniasPage() override;

private:
    std::unique_ptr<Ui::HerniasPage> ui;
};
