#pragma once

#include "app/pages/RecordPage.h"

#include <memory>

class TQuestionnaire;

namespace Ui {
class ComplaintsPage;
}

// The complaint statements with their answers.
class ComplaintsPage final : public RecordPage {
    Q_OBJECT

public:
    explicit ComplaintsPage(QWidget* parent = nullptr);
    ~ComplaintsPage() override;

    // No answer at all is kept as no answers, as a new record has them.
    void store(ExaminationRecord& record) const override;
    TQuestionnaire* Questionnaire() const { return m_questionnaire; }

signals:
    // The hint under the pointer changed while it moved over the header or the grid.
    void hintChanged(const QString& hint);

protected:
    void show(const ExaminationRecord& record) override;

private:
    std::unique_ptr<Ui::ComplaintsPage> ui;
    TQuestionnaire* m_questionnaire = nullptr;
};
