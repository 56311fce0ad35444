#include "app/pages/SelfExamPages.h"
#include "ui_HerniasPage.h"
#include "ui_LimbsPage.h"
#include "ui_LymphNodesPage.h"

#include "app/RecordU.h"

#include <QCheckBox>

#include <span>

namespace {

std::span<bool> TicksOf(ExaminationRecord& record, ExaminationRecord::FindingGroup group)
{
    switch (group) {
    case ExaminationRecord::FindingGroup::Lymph:
        return record.lymphNodes;
    case ExaminationRecord::FindingGroup::Limbs:
        return record.limbs;
    case ExaminationRecord::FindingGroup::Hernias:
        return record.hernias;
    case ExaminationRecord::FindingGroup::ECG:
        return record.ecgFindings;
    }
    return {};
}

} // namespace

SelfExamPage::SelfExamPage(Group group, QWidget* parent)
    : RecordPage(parent)
    , m_group(group)
{
}

void SelfExamPage::setUp(QList<QCheckBox*> boxes, HintOf hint)
{
    m_boxes = std::move(boxes);
    m_hint = std::move(hint);
    for (QCheckBox* box : std::as_const(m_boxes)) {
        watch(box);
        connect(box, &QCheckBox::toggled, this, [this, box] { RenewHint(box); });
    }
}

void SelfExamPage::show(const ExaminationRecord& record)
{
    const QList<ExaminationRecord::FindingBox> found = record.FindingBoxes(m_group);
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i]->setChecked(found.value(i).checked);
        RenewHint(m_boxes[i]);
    }
}

void SelfExamPage::store(ExaminationRecord& record) const
{
    const std::span<bool> ticks = TicksOf(record, m_group);
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        ticks[size_t(i)] = m_boxes[i]->isChecked();
}

void SelfExamPage::RenewHint(QCheckBox* box)
{
    setHint(box, m_hint(box));
}

LymphNodesPage::LymphNodesPage(QWidget* parent)
    : SelfExamPage(Group::Lymph, parent)
    , ui(std::make_unique<Ui::LymphNodesPage>())
{
    ui->setupUi(this);
    setUp({ ui->cbxLSheja, ui->cbxLChelust, ui->cbxLPodmish, ui->cbxLPah },
        [](const QCheckBox* box) { return LymphHint(box->isChecked(), box->text()); });
}

LymphNodesPage::~LymphNodesPage() = default;

LimbsPage::LimbsPage(QWidget* parent)
    : SelfExamPage(Group::Limbs, parent)
    , ui(std::make_unique<Ui::LimbsPage>())
{
    ui->setupUi(this);
    // The box's Tag picks the phrase of its hint.
    setUp({ ui->cbxFVaricos, ui->cbxFVosVen, ui->cbxFAtrof, ui->cbxFDeform },
        [](const QCheckBox* box) { return LimbHint(box->isChecked(), box->property("Tag").toInt()); });
}

LimbsPage::~LimbsPage() = default;

HerniasPage::HerniasPage(QWidget* parent)
    : SelfExamPage(Group::Hernias, parent)
    , ui(std::make_unique<Ui::HerniasPage>())
{
    ui->setupUi(this);
    setUp({ ui->cbxBPah, ui->cbxBPup, ui->cbxBOper, ui->cbxBBedro },
        [](const QCheckBox* box) { return HerniaHint(box->isChecked(), box->text()); });
}

HerniasPage::~HerniasPage() = default;
