#include "app/pages/HistoryPage.h"
#include "ui_HistoryPage.h"

#include "app/RecordU.h"

HistoryPage::HistoryPage(QWidget* parent)
    : RecordPage(parent)
    , ui(std::make_unique<Ui::HistoryPage>())
{
    ui->setupUi(this);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        QCheckBox* box = findChild<QCheckBox*>(QLatin1String(ExaminationRecord::HistoryPanel[i].control));
        m_boxes[i] = box;
        watch(box);
        connect(box, &QCheckBox::toggled, this, [this, box] { RenewHint(box); });
    }
}

HistoryPage::~HistoryPage() = default;

void HistoryPage::show(const ExaminationRecord& record)
{
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i]->setChecked(record.observedBy[i]);
        RenewHint(m_boxes[i]);
    }
}

void HistoryPage::store(ExaminationRecord& record) const
{
    for (size_t i = 0; i < m_boxes.size(); ++i)
        record.observedBy[i] = m_boxes[i]->isChecked();
}

void HistoryPage::follow(const ExaminationRecord& record)
{
    ShowGynecologist(record.GetGender());
}

void HistoryPage::ShowGynecologist(int gender)
{
    ui->cbxGinecol->setVisible(gender == 0);
}

void HistoryPage::RenewHint(QCheckBox* box)
{
    setHint(box, HistoryHint(box->isChecked(), box->text(), box->property("Tag").toInt()));
}
