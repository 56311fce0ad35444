// The main window's pages of the examination record: each is built the first
// time it is shown, loads the record then, and hands back what the person
// changes, which the other pages follow.
#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/DiaryModule.h"
#include "app/Examination.h"
#include "app/StatusHints.h"
#include "app/pages/AnthropometryPage.h"
#include "app/pages/ComplaintsPage.h"
#include "app/pages/HistoryPage.h"
#include "app/pages/SelfExamPages.h"
#include "app/pages/TestPages.h"
#include "app/pages/VitalPages.h"

namespace {

RecordPage* CreatePage(TPageTag tag, QWidget* parent)
{
    switch (tag) {
    case TPageTag::Anthropometry:
        return new AnthropometryPage(parent);
    case TPageTag::Complaints:
        return new ComplaintsPage(parent);
    case TPageTag::Anamnesis:
        return new HistoryPage(parent);
    case TPageTag::Temperature:
        return new TemperaturePage(parent);
    case TPageTag::Pulse:
        return new PulsePage(parent);
    case TPageTag::Pressure:
        return new PressurePage(parent);
    case TPageTag::Ecg:
        return new EcgPage(parent);
    case TPageTag::Fluorography:
        return new FluorographyPage(parent);
    case TPageTag::Blood:
        return new BloodPage(parent);
    case TPageTag::Urine:
        return new UrinePage(parent);
    case TPageTag::LymphNodes:
        return new LymphNodesPage(parent);
    case TPageTag::Limbs:
        return new LimbsPage(parent);
    case TPageTag::Hernias:
        return new HerniasPage(parent);
    default:
        return nullptr;
    }
}

bool IsRecordPageTag(int tag)
{
    return tag >= 1 && tag <= RecordPageCount;
}

} // namespace

// The stack holds a tagged stand-in for each page of the record until the
// page is built.
void TfrmTessora::AddPagePlaceholders()
{
    for (int tag = RecordPageCount; tag >= 1; --tag) {
        auto* placeholder = new QWidget(ui->pgcMain);
        placeholder->setProperty("Tag", tag);
        ui->pgcMain->insertWidget(0, placeholder);
    }
}

QWidget* TfrmTessora::Page(int tag)
{
    if (!IsRecordPageTag(tag)) {
        for (int i = 0; i < ui->pgcMain->count(); ++i) {
            if (PageTag(ui->pgcMain->widget(i)) == tag)
                return ui->pgcMain->widget(i);
        }
        return nullptr;
    }
    return BuiltPage(tag) ? BuiltPage(tag) : BuildPage(tag);
}

RecordPage* TfrmTessora::BuiltPage(int tag) const
{
    return IsRecordPageTag(tag) ? FPages[size_t(tag - 1)] : nullptr;
}

RecordPage* TfrmTessora::BuildPage(int tag)
{
    RecordPage* page = CreatePage(TPageTag(tag), ui->pgcMain);
    FramePagePanel(page);
    // The stand-in is never the current page here: pages are built before they are shown.
    QWidget* placeholder = ui->pgcMain->widget(tag - 1);
    {
        const QSignalBlocker blocker(ui->pgcMain);
        ui->pgcMain->insertWidget(tag - 1, page);
        ui->pgcMain->removeWidget(placeholder);
    }
    delete placeholder;
    FPages[size_t(tag - 1)] = page;
    page->load(Record());
    ConnectPage(page);
    if (auto* anthropometry = qobject_cast<AnthropometryPage*>(page)) {
        anthropometry->setPeopleSource([] {
            QString problem;
            IDiaryModule* diary = DiaryModule(&problem);
            return diary ? diary->people() : QStringList();
        });
    }
    return page;
}

void TfrmTessora::ConnectPage(RecordPage* page)
{
    connect(page, &RecordPage::changed, this, [this, page] { StoreRecord(page); });
    connect(page, &RecordPage::adjusted, this,
        [this](const QString& message) { m_hints->tellAdjustment(message); });
    connect(page, &RecordPage::hintRenewed, this, [this](QWidget* control) { m_hints->renew(control); });
    if (auto* complaints = qobject_cast<ComplaintsPage*>(page)) {
        // The hint changes while the pointer moves within the header or the grid.
        connect(complaints, &ComplaintsPage::hintChanged, this,
            [this](const QString& hint) { m_hints->show(hint); });
    }
}

void TfrmTessora::StoreRecord(RecordPage* page)
{
    ExaminationRecord record = Record();
    page->store(record);
    FExamination->setRecord(record);
    ShowPersonInTitle();
    for (RecordPage* other : FPages) {
        if (other && other != page)
            other->follow(record);
    }
}

// A new examination: every page built so far shows the new record.
void TfrmTessora::LoadPages()
{
    for (RecordPage* page : FPages) {
        if (page)
            page->load(Record());
    }
    ShowPersonInTitle();
}

// The person examined is named in the window's title.
void TfrmTessora::ShowPersonInTitle()
{
    if (FCaption.isEmpty())
        FCaption = windowTitle();
    const QString& name = Record().name;
    setWindowTitle(name.isEmpty() ? FCaption : QStringLiteral("%1 — %2").arg(FCaption, name));
}

void TfrmTessora::ConfirmShownVital()
{
    if (RecordPage* page = BuiltPage(ActivePageTag()))
        page->confirm();
}
