#pragma once

#include "app/pages/RecordPage.h"

#include <functional>
#include <memory>

class QLabel;

namespace Ui {
class AnthropometryPage;
}

// Sex, birth date, weight and height, with the body-mass index of the two.
class AnthropometryPage final : public RecordPage {
    Q_OBJECT

public:
    explicit AnthropometryPage(QWidget* parent = nullptr);
    ~AnthropometryPage() override;

    void store(ExaminationRecord& record) const override;
    // Where the names of the people already examined come from, asked when
    // the name field is first used (it loads the diary).
    void setPeopleSource(std::function<QStringList()> people) { m_people = std::move(people); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void show(const ExaminationRecord& record) override;

private slots:
    void edWeightChange();
    void speHeightChange();
    void rgGenderClick();

private:
    void storeMeasures(ExaminationRecord& record) const;
    void ShowBodyMassIndex();
    void SetLabelsColour(QLabel* first, QLabel* second, const QColor& colour);
    void CheckBirthDate();

    std::unique_ptr<Ui::AnthropometryPage> ui;
    // The index shown, kept while the height field holds no number.
    double m_shownIndex = 0;
    std::function<QStringList()> m_people;
};
