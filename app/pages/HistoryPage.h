#pragma once

#include "app/pages/RecordPage.h"

#include <array>
#include <memory>

namespace Ui {
class HistoryPage;
}

// The specialists who already observe the person.
class HistoryPage final : public RecordPage {
    Q_OBJECT

public:
    explicit HistoryPage(QWidget* parent = nullptr);
    ~HistoryPage() override;

    void store(ExaminationRecord& record) const override;
    // The gynaecologist's box shows for a woman only; hidden, it keeps its tick.
    void follow(const ExaminationRecord& record) override;

protected:
    void show(const ExaminationRecord& record) override;

private:
    void RenewHint(QCheckBox* box);
    void ShowGynecologist(int gender);

    std::unique_ptr<Ui::HistoryPage> ui;
    // The boxes in the panel order of the record.
    std::array<QCheckBox*, ExaminationRecord::HistoryBoxCount> m_boxes {};
};
