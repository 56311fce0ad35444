// The examination record part of the main window: accessors, reset, hints,
// absent boxes of the tests and the body-mass index.
#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/Questionnaire.h"
#include "app/RecordU.h"
#include "decision/DecisionU.h"
#include "decision/Norms.h"

#include <QLocale>

#include <cmath>

namespace {

bool IsChecked(const QRadioButton* button)
{
    return button && button->isChecked();
}

// The four-digit year keeps dates unambiguous whatever the locale's short format.
QString DateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

} // namespace

// ---------------------------------------------------------------- accessors

int TfrmTessora::GetGender() const
{
    return IsChecked(ui->rbGenderMale) ? 1 : 0;
}

QDateTime TfrmTessora::BirthDate() const
{
    return ui->dtpBirthDate->dateTime();
}

int TfrmTessora::GetAge() const
{
    return WholeYearsBetween(BirthDate(), QDateTime::currentDateTime());
}

double TfrmTessora::GetHeight()
{
    FHeightValue = 0;
    FHeightValue = CheckedHeight(ui->speHeight->text());
    return FHeightValue;
}

double TfrmTessora::GetWeight()
{
    FWeightValue = 0;
    FWeightValue = CheckedWeight(ui->speWeight->text());
    return FWeightValue;
}

double TfrmTessora::CalcBodyMassIndex()
{
    const QColor normal = palette().color(QPalette::WindowText);
    SetLabelsColour(ui->lblHeight, ui->lblSm, normal);
    SetLabelsColour(ui->lblWeight, ui->lblKg, normal);
    try {
        const double height = GetHeight();
        const double weight = GetWeight();
        // A height that is not a number reads as 0: the index keeps its last value.
        if (height != 0) {
            FBodyMassIndex = weight / (height * height) * 10000;
            ui->lblIndex->setText(BodyMassIndexText(FBodyMassIndex));
        }
    } catch (const EHeightError&) {
        SetLabelsColour(ui->lblHeight, ui->lblSm, Qt::red);
        FBodyMassIndex = 0;
    } catch (const EWeightError&) {
        SetLabelsColour(ui->lblWeight, ui->lblKg, Qt::red);
        FBodyMassIndex = 0;
    }
    ui->lblIndex->setVisible(FBodyMassIndex != 0);
    return FBodyMassIndex;
}

void TfrmTessora::SetLabelsColour(QLabel* first, QLabel* second, const QColor& colour)
{
    for (QLabel* label : { first, second }) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

double TfrmTessora::GetTemperature() const
{
    return ui->speTermo->value() / 10.0;
}

void TfrmTessora::SetTemperature(double celsius)
{
    ui->speTermo->setValue(int(std::lround(celsius * 10)));
}

void TfrmTessora::SetLeucocytes(double thousandsPerMicrolitre)
{
    ui->spebLeico->setValue(int(std::lround(thousandsPerMicrolitre * 10)));
}

int TfrmTessora::GetPulse() const
{
    return ui->spePulsP->value();
}
bool TfrmTessora::IsPulseRhythmic() const
{
    return ui->cbxPulsPokRitm->isChecked();
}
int TfrmTessora::GetSystolic() const
{
    return ui->speSisMes->value();
}
int TfrmTessora::GetDiastolic() const
{
    return ui->speDiaMes->value();
}

bool TfrmTessora::IsTestAbsent(Test test) const
{
    switch (test) {
    case Test::ECG:
        return ui->cbxECG->isChecked();
    case Test::Flu:
        return ui->cbxFlu->isChecked();
    case Test::Blood:
        return ui->cbxBlood->isChecked();
    case Test::Urine:
        return ui->cbxUrina->isChecked();
    }
    return true;
}

QDateTime TfrmTessora::TestDate(Test test) const
{
    switch (test) {
    case Test::ECG:
        return ui->dtpECGDate->dateTime();
    case Test::Flu:
        return ui->dtpFluDate->dateTime();
    case Test::Blood:
        return ui->dtpBloodDate->dateTime();
    case Test::Urine:
        return ui->dtpUrinaDate->dateTime();
    }
    return {};
}

bool TfrmTessora::HasBundleBranchBlock() const
{
    return ui->cbxBlock->isChecked();
}
bool TfrmTessora::HasVentricularHypertrophy() const
{
    return ui->cbxGiper->isChecked();
}
bool TfrmTessora::HasMyocardialScarring() const
{
    return ui->cbxRubec->isChecked();
}
bool TfrmTessora::IsFluPathology() const
{
    return IsChecked(ui->rbFluPatolog);
}
int TfrmTessora::Hemoglobin() const
{
    return ui->speGemo->value();
}
int TfrmTessora::LeucocytesTenths() const
{
    return ui->spebLeico->value();
}
int TfrmTessora::Esr() const
{
    return ui->speSoe->value();
}
bool TfrmTessora::UrineProtein() const
{
    return ui->cbxProtein->isChecked();
}
bool TfrmTessora::UrineSugar() const
{
    return ui->cbxShugar->isChecked();
}
int TfrmTessora::UrineErythrocytes() const
{
    return ui->speuEritro->value();
}
int TfrmTessora::UrineLeucocytes() const
{
    return ui->speuLeico->value();
}
bool TfrmTessora::LymphNeck() const
{
    return ui->cbxLSheja->isChecked();
}
bool TfrmTessora::LymphJaw() const
{
    return ui->cbxLChelust->isChecked();
}
bool TfrmTessora::LymphArmpit() const
{
    return ui->cbxLPodmish->isChecked();
}
bool TfrmTessora::LymphGroin() const
{
    return ui->cbxLPah->isChecked();
}
bool TfrmTessora::LimbVaricose() const
{
    return ui->cbxFVaricos->isChecked();
}
bool TfrmTessora::LimbInflamedVeins() const
{
    return ui->cbxFVosVen->isChecked();
}
bool TfrmTessora::LimbAtrophy() const
{
    return ui->cbxFAtrof->isChecked();
}
bool TfrmTessora::LimbDeformation() const
{
    return ui->cbxFDeform->isChecked();
}
bool TfrmTessora::HerniaGroin() const
{
    return ui->cbxBPah->isChecked();
}
bool TfrmTessora::HerniaUmbilical() const
{
    return ui->cbxBPup->isChecked();
}
bool TfrmTessora::HerniaAfterOperation() const
{
    return ui->cbxBOper->isChecked();
}
bool TfrmTessora::HerniaThigh() const
{
    return ui->cbxBBedro->isChecked();
}

QList<ExaminationRecord::HistoryBox> TfrmTessora::HistoryBoxes() const
{
    // The panel order in which the conclusion lists the observing specialists.
    const QCheckBox* const order[] = {
        ui->cbxCardio,
        ui->cbxUrolog,
        ui->cbxUrgent,
        ui->cbxRevma,
        ui->cbxPulmon,
        ui->cbxPsihoter,
        ui->cbxPsihiatr,
        ui->cbxOnko,
        ui->cbxOftal,
        ui->cbxNevropat,
        ui->cbxNevro,
        ui->cbxNefro,
        ui->cbxNarcolog,
        ui->cbxLor,
        ui->cbxGinecol,
        ui->cbxGastro,
        ui->cbxEndocrin,
        ui->cbxDerma,
    };
    QList<HistoryBox> boxes;
    for (const QCheckBox* box : order)
        boxes.append({ box->property("Tag").toInt(), box->text(), box->isChecked() });
    return boxes;
}

bool TfrmTessora::IsAnsweredYes(int n) const
{
    return FQuestionnaire && FQuestionnaire->IsAnsweredYes(n);
}

// ---------------------------------------------------------------- dates

void TfrmTessora::SetDateFormats()
{
    const QString format = DateFormat();
    for (QDateTimeEdit* picker :
        { ui->dtpBirthDate, ui->dtpECGDate, ui->dtpFluDate, ui->dtpBloodDate, ui->dtpUrinaDate })
        picker->setDisplayFormat(format);
}

void TfrmTessora::SetBirthDateLimits()
{
    const QDateTime now = QDateTime::currentDateTime();
    ui->dtpBirthDate->setDateTimeRange(now.addYears(-Norms.AgeMax), now.addYears(-Norms.AgeMin));
}

void TfrmTessora::SetTestDateRange(QDateTimeEdit* picker)
{
    const QDateTime now = QDateTime::currentDateTime();
    picker->setDateTimeRange(now.addYears(Norms.AgeMin - GetAge()), now);
}

// ---------------------------------------------------------------- handlers

void TfrmTessora::ConnectRecord()
{
    connect(ui->speWeight, &TSpinEdit::changed, this, &TfrmTessora::edWeightChange);
    connect(ui->speHeight, &TSpinEdit::changed, this, &TfrmTessora::speHeightChange);
    connect(ui->rbGenderFemale, &QRadioButton::toggled, this, &TfrmTessora::rgGenderClick);
    connect(ui->cbxECG, &QCheckBox::toggled, this, &TfrmTessora::cbxECGClick);
    connect(ui->cbxFlu, &QCheckBox::toggled, this, &TfrmTessora::cbxFluClick);
    connect(ui->cbxBlood, &QCheckBox::toggled, this, &TfrmTessora::cbxBloodClick);
    connect(ui->cbxUrina, &QCheckBox::toggled, this, &TfrmTessora::cbxUrinaClick);

    const QList<QWidget*> hintPanels
        = { ui->pnlAnamnes, ui->pnlPuls, ui->pnlUrina, ui->pnlEcg, ui->pnlLimfo, ui->pnlFeet, ui->pnlBulb };
    for (QWidget* panel : hintPanels) {
        for (QCheckBox* box : panel->findChildren<QCheckBox*>()) {
            if (box == ui->cbxECG || box == ui->cbxUrina)
                continue;
            connect(box, &QCheckBox::toggled, this, [this, box] { RenewHint(box); });
        }
    }
}

void TfrmTessora::edWeightChange()
{
    FWeightValue = ui->speWeight->value();
    CalcBodyMassIndex();
}

void TfrmTessora::speHeightChange()
{
    FHeightValue = ui->speHeight->value();
    CalcBodyMassIndex();
}

void TfrmTessora::rgGenderClick()
{
    ShowGynecologist();
}

void TfrmTessora::ShowGynecologist()
{
    ui->cbxGinecol->setVisible(GetGender() == 0);
}

void TfrmTessora::RenewHint(QCheckBox* box)
{
    const bool checked = box->isChecked();
    const QObject* owner = box->parent();
    QString hint;
    if (owner == ui->pnlAnamnes)
        hint = HistoryHint(checked, box->text(), box->property("Tag").toInt());
    else if (owner == ui->gbxLimfo)
        hint = LymphHint(checked, box->text());
    else if (owner == ui->gbxFeet)
        hint = LimbHint(checked, box->property("Tag").toInt());
    else if (owner == ui->gbxBulb)
        hint = HerniaHint(checked, box->text());
    else if (owner == ui->gbxECG)
        hint = EcgFindingHint(checked, box->text(), box == ui->cbxRubec);
    else if (box == ui->cbxPulsPokRitm)
        hint = PulseRhythmHint(checked);
    else if (box == ui->cbxProtein)
        hint = ProteinHint(checked);
    else if (box == ui->cbxShugar)
        hint = SugarHint(checked);
    else
        return;
    box->setStatusTip(hint);
}

void TfrmTessora::ApplyAbsent(
    bool absent, std::initializer_list<QWidget*> dependents, QDateTimeEdit* picker, QGroupBox* group)
{
    for (QWidget* control : dependents)
        control->setEnabled(!absent);

    const QPalette standard = QApplication::palette();
    const QColor background = standard.color(absent ? QPalette::Button : QPalette::Base);
    QList<QWidget*> fields = { picker };
    if (group) {
        for (TSpinEdit* spin : group->findChildren<TSpinEdit*>())
            fields.append(spin);
        QPalette palette = group->palette();
        const QColor text = absent ? standard.color(QPalette::Disabled, QPalette::WindowText)
                                   : standard.color(QPalette::WindowText);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
        group->setPalette(palette);
    }
    for (QWidget* field : fields) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, background);
        field->setPalette(palette);
    }
}

void TfrmTessora::cbxECGClick()
{
    const bool absent = ui->cbxECG->isChecked();
    ApplyAbsent(absent, { ui->cbxBlock, ui->cbxGiper, ui->cbxRubec, ui->lblECGDate, ui->dtpECGDate },
        ui->dtpECGDate, nullptr);
    ui->cbxECG->setStatusTip(EcgAbsentHint(absent));
}

void TfrmTessora::cbxFluClick()
{
    const bool absent = ui->cbxFlu->isChecked();
    if (absent)
        ui->rbFluNorma->setChecked(true);
    ApplyAbsent(absent, { ui->rgFluData, ui->lblFluDate, ui->dtpFluDate }, ui->dtpFluDate, nullptr);
    ui->cbxFlu->setStatusTip(FluAbsentHint(absent));
}

void TfrmTessora::cbxBloodClick()
{
    const bool absent = ui->cbxBlood->isChecked();
    ApplyAbsent(
        absent, { ui->gbxBloodClin, ui->lblBloodDate, ui->dtpBloodDate }, ui->dtpBloodDate, ui->gbxBloodClin);
    ui->cbxBlood->setStatusTip(BloodAbsentHint(absent));
}

void TfrmTessora::cbxUrinaClick()
{
    const bool absent = ui->cbxUrina->isChecked();
    ApplyAbsent(
        absent, { ui->gbxUrinaCom, ui->lblUrinaDate, ui->dtpUrinaDate }, ui->dtpUrinaDate, ui->gbxUrinaCom);
    ui->cbxUrina->setStatusTip(UrineAbsentHint(absent));
}

// ---------------------------------------------------------------- reset

void TfrmTessora::ResetRecord()
{
    const QDateTime now = QDateTime::currentDateTime();
    (DrawGender() == 1 ? ui->rbGenderMale : ui->rbGenderFemale)->setChecked(true);
    ShowGynecologist();

    ui->dtpBirthDate->setDateTime(
        ui->dtpBirthDate->minimumDateTime().addYears((Norms.AgeMax + Norms.AgeMin) / 2));

    try {
        ui->speWeight->setValue(Norms.WeightNorm);
        ui->speHeight->setValue(Norms.HeightNorm);
    } catch (const ERecordRangeError&) {
    }

    SetTemperature(Norms.TemperatureNorm);

    ui->spePulsP->setValue(Norms.PulseNorm);
    ui->cbxPulsPokRitm->setChecked(true);
    RenewHint(ui->cbxPulsPokRitm);

    ui->speSisMes->setValue(Norms.SystolicNorm);
    ui->speDiaMes->setValue(Norms.DiastolicNorm);

    ui->cbxECG->setChecked(true);
    ui->dtpECGDate->setDateTime(now);
    for (QCheckBox* box : ui->gbxECG->findChildren<QCheckBox*>()) {
        box->setChecked(false);
        RenewHint(box);
    }
    cbxECGClick();

    ui->cbxFlu->setChecked(true);
    ui->rbFluNorma->setChecked(true);
    ui->dtpFluDate->setDateTime(now);
    cbxFluClick();

    ui->cbxBlood->setChecked(true);
    ui->speGemo->setValue(Norms.HemoglobinNorm);
    SetLeucocytes(Norms.LeucocytesNorm);
    ui->speSoe->setValue(Norms.EsrNorm);
    ui->dtpBloodDate->setDateTime(now);
    cbxBloodClick();

    ui->cbxUrina->setChecked(true);
    ui->speuEritro->setValue(Norms.UrineErythrocytesNorm);
    ui->speuLeico->setValue(Norms.UrineLeucocytesNorm);
    ui->cbxProtein->setChecked(false);
    ui->cbxShugar->setChecked(false);
    RenewHint(ui->cbxProtein);
    RenewHint(ui->cbxShugar);
    ui->dtpUrinaDate->setDateTime(now);
    cbxUrinaClick();
}

void TfrmTessora::ResetPanelChecks()
{
    const auto uncheck = [this](QCheckBox* box) {
        box->setChecked(false);
        RenewHint(box);
    };
    for (QWidget* panel : { ui->pnlAnamnes, ui->pnlLimfo, ui->pnlFeet, ui->pnlBulb }) {
        for (QCheckBox* box : panel->findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
            uncheck(box);
        for (QGroupBox* group : panel->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
            for (QCheckBox* box : group->findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
                uncheck(box);
        }
    }
}
