#include "app/PageRecord.h"
#include "ui_MainU.h"

#include "app/Questionnaire.h"
#include "decision/BodyMeasures.h"
#include "decision/DecisionU.h"

namespace {

using FindingGroup = ExaminationRecord::FindingGroup;

QList<const QCheckBox*> FindingBoxesOf(const Ui::TfrmTessora& ui, FindingGroup group)
{
    switch (group) {
    case FindingGroup::ECG:
        return { ui.cbxBlock, ui.cbxGiper, ui.cbxRubec };
    case FindingGroup::Lymph:
        return { ui.cbxLSheja, ui.cbxLChelust, ui.cbxLPodmish, ui.cbxLPah };
    case FindingGroup::Limbs:
        return { ui.cbxFVaricos, ui.cbxFVosVen, ui.cbxFAtrof, ui.cbxFDeform };
    case FindingGroup::Hernias:
        return { ui.cbxBPah, ui.cbxBPup, ui.cbxBOper, ui.cbxBBedro };
    }
    return {};
}

} // namespace

TTestControls TestControls(const Ui::TfrmTessora& ui, ExaminationRecord::Test test)
{
    switch (test) {
    case ExaminationRecord::Test::ECG:
        return { ui.cbxECG, ui.dtpECGDate, nullptr,
            { ui.cbxBlock, ui.cbxGiper, ui.cbxRubec, ui.lblECGDate, ui.dtpECGDate } };
    case ExaminationRecord::Test::Flu:
        return { ui.cbxFlu, ui.dtpFluDate, nullptr, { ui.rgFluData, ui.lblFluDate, ui.dtpFluDate } };
    case ExaminationRecord::Test::Blood:
        return { ui.cbxBlood, ui.dtpBloodDate, ui.gbxBloodClin,
            { ui.gbxBloodClin, ui.lblBloodDate, ui.dtpBloodDate } };
    case ExaminationRecord::Test::Urine:
        return { ui.cbxUrina, ui.dtpUrinaDate, ui.gbxUrinaCom,
            { ui.gbxUrinaCom, ui.lblUrinaDate, ui.dtpUrinaDate } };
    }
    return {};
}

TPageRecord::TPageRecord(const Ui::TfrmTessora& form, const TQuestionnaire& questionnaire)
    : ui(form)
    , FQuestionnaire(questionnaire)
{
}

int TPageRecord::GetGender() const
{
    return ui.rbGenderMale->isChecked() ? 1 : 0;
}

QDateTime TPageRecord::BirthDate() const
{
    return ui.dtpBirthDate->dateTime();
}

int TPageRecord::GetAge() const
{
    return WholeYearsBetween(BirthDate(), QDateTime::currentDateTime());
}

double TPageRecord::GetHeight() const
{
    return CheckedHeight(ui.speHeight->text());
}

double TPageRecord::GetWeight() const
{
    return CheckedWeight(ui.speWeight->text());
}

double TPageRecord::CalcBodyMassIndex() const
{
    try {
        const double height = GetHeight();
        const double weight = GetWeight();
        // A height that is not a number reads as 0: the index keeps the value the page shows.
        return height != 0 ? weight / (height * height) * 10000 : FShownIndex;
    } catch (const ERecordRangeError&) {
        return 0;
    }
}

double TPageRecord::GetTemperature() const
{
    return ui.speTermo->value() / 10.0;
}

int TPageRecord::GetPulse() const
{
    return ui.spePulsP->value();
}

bool TPageRecord::IsPulseRhythmic() const
{
    return ui.cbxPulsPokRitm->isChecked();
}

int TPageRecord::GetSystolic() const
{
    return ui.speSisMes->value();
}

int TPageRecord::GetDiastolic() const
{
    return ui.speDiaMes->value();
}

bool TPageRecord::IsMeasured(Vital vital) const
{
    return FMeasured.test(size_t(vital));
}

std::optional<double> TPageRecord::TypedOutOfRange(BodyMeasure measure) const
{
    return (measure == BodyMeasure::Height ? ui.speHeight : ui.speWeight)->typedOutOfRange();
}

bool TPageRecord::IsTestAbsent(Test test) const
{
    return TestControls(ui, test).absent->isChecked();
}

QDateTime TPageRecord::TestDate(Test test) const
{
    return TestControls(ui, test).date->dateTime();
}

bool TPageRecord::HasBundleBranchBlock() const
{
    return ui.cbxBlock->isChecked();
}

bool TPageRecord::HasVentricularHypertrophy() const
{
    return ui.cbxGiper->isChecked();
}

bool TPageRecord::HasMyocardialScarring() const
{
    return ui.cbxRubec->isChecked();
}

bool TPageRecord::IsFluPathology() const
{
    return ui.rbFluPatolog->isChecked();
}

int TPageRecord::Hemoglobin() const
{
    return ui.speGemo->value();
}

int TPageRecord::LeucocytesTenths() const
{
    return ui.spebLeico->value();
}

int TPageRecord::Esr() const
{
    return ui.speSoe->value();
}

bool TPageRecord::UrineProtein() const
{
    return ui.cbxProtein->isChecked();
}

bool TPageRecord::UrineSugar() const
{
    return ui.cbxShugar->isChecked();
}

int TPageRecord::UrineErythrocytes() const
{
    return ui.speuEritro->value();
}

int TPageRecord::UrineLeucocytes() const
{
    return ui.speuLeico->value();
}

bool TPageRecord::LymphNeck() const
{
    return ui.cbxLSheja->isChecked();
}

bool TPageRecord::LymphJaw() const
{
    return ui.cbxLChelust->isChecked();
}

bool TPageRecord::LymphArmpit() const
{
    return ui.cbxLPodmish->isChecked();
}

bool TPageRecord::LymphGroin() const
{
    return ui.cbxLPah->isChecked();
}

bool TPageRecord::LimbVaricose() const
{
    return ui.cbxFVaricos->isChecked();
}

bool TPageRecord::LimbInflamedVeins() const
{
    return ui.cbxFVosVen->isChecked();
}

bool TPageRecord::LimbAtrophy() const
{
    return ui.cbxFAtrof->isChecked();
}

bool TPageRecord::LimbDeformation() const
{
    return ui.cbxFDeform->isChecked();
}

bool TPageRecord::HerniaGroin() const
{
    return ui.cbxBPah->isChecked();
}

bool TPageRecord::HerniaUmbilical() const
{
    return ui.cbxBPup->isChecked();
}

bool TPageRecord::HerniaAfterOperation() const
{
    return ui.cbxBOper->isChecked();
}

bool TPageRecord::HerniaThigh() const
{
    return ui.cbxBBedro->isChecked();
}

QList<ExaminationRecord::HistoryBox> TPageRecord::HistoryBoxes() const
{
    // The panel order in which the conclusion lists the observing specialists.
    const QCheckBox* const order[] = {
        ui.cbxCardio,
        ui.cbxUrolog,
        ui.cbxUrgent,
        ui.cbxRevma,
        ui.cbxPulmon,
        ui.cbxPsihoter,
        ui.cbxPsihiatr,
        ui.cbxOnko,
        ui.cbxOftal,
        ui.cbxNevropat,
        ui.cbxNevro,
        ui.cbxNefro,
        ui.cbxNarcolog,
        ui.cbxLor,
        ui.cbxGinecol,
        ui.cbxGastro,
        ui.cbxEndocrin,
        ui.cbxDerma,
    };
    // A hidden box (the gynaecologist's while the sex is male) keeps its tick
    // for switching back, but it is not the user's answer now.
    QList<HistoryBox> boxes;
    for (const QCheckBox* box : order)
        boxes.append({ box->property("Tag").toInt(), box->text(), box->isChecked() && !box->isHidden() });
    return boxes;
}

QList<ExaminationRecord::FindingBox> TPageRecord::FindingBoxes(FindingGroup group) const
{
    QList<FindingBox> boxes;
    for (const QCheckBox* box : FindingBoxesOf(ui, group))
        boxes.append({ box->text(), box->isChecked() });
    return boxes;
}

bool TPageRecord::IsAnsweredYes(int n) const
{
    return FQuestionnaire.IsAnsweredYes(n);
}
