#include "app/PageRecord.h"
#include "ui_MainU.h"

#include "app/Questionnaire.h"
#include "decision/BodyMeasures.h"
#include "decision/DecisionU.h"

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

ExaminationRecord TPageRecord::Read() const
{
    using Test = ExaminationRecord::Test;
    ExaminationRecord r;
    r.gender = { ui.rbGenderMale->isChecked() ? 1 : 0, false };
    r.birthDate = { ui.dtpBirthDate->dateTime(), false };
    r.height = { FieldNumber(ui.speHeight->text()), false };
    r.weight = { FieldNumber(ui.speWeight->text()), false };
    r.typedOutOfRange = { ui.speHeight->typedOutOfRange(), ui.speWeight->typedOutOfRange() };
    r.temperatureTenths = { ui.speTermo->value(), IsMeasured(Vital::Temperature) };
    r.pulse = { ui.spePulsP->value(), IsMeasured(Vital::Pulse) };
    r.pulseRhythmic = ui.cbxPulsPokRitm->isChecked();
    r.systolic = { ui.speSisMes->value(), IsMeasured(Vital::Pressure) };
    r.diastolic = { ui.speDiaMes->value(), IsMeasured(Vital::Pressure) };
    for (Test test : { Test::ECG, Test::Flu, Test::Blood, Test::Urine }) {
        const TTestControls controls = TestControls(ui, test);
        r.tests[size_t(test)] = { controls.absent->isChecked(), controls.date->dateTime() };
    }
    r.ecgFindings = { ui.cbxBlock->isChecked(), ui.cbxGiper->isChecked(), ui.cbxRubec->isChecked() };
    r.fluPathology = ui.rbFluPatolog->isChecked();
    r.hemoglobin = { ui.speGemo->value(), false };
    r.leucocytesTenths = { ui.spebLeico->value(), false };
    r.esr = { ui.speSoe->value(), false };
    r.urineProtein = ui.cbxProtein->isChecked();
    r.urineSugar = ui.cbxShugar->isChecked();
    r.urineErythrocytes = { ui.speuEritro->value(), false };
    r.urineLeucocytes = { ui.speuLeico->value(), false };
    r.lymphNodes = { ui.cbxLSheja->isChecked(), ui.cbxLChelust->isChecked(), ui.cbxLPodmish->isChecked(),
        ui.cbxLPah->isChecked() };
    r.limbs = { ui.cbxFVaricos->isChecked(), ui.cbxFVosVen->isChecked(), ui.cbxFAtrof->isChecked(),
        ui.cbxFDeform->isChecked() };
    r.hernias = { ui.cbxBPah->isChecked(), ui.cbxBPup->isChecked(), ui.cbxBOper->isChecked(),
        ui.cbxBBedro->isChecked() };
    for (size_t i = 0; i < r.HistoryPanel.size(); ++i)
        r.observedBy[i] = ui.pnlAnamnes->findChild<QCheckBox*>(QLatin1String(r.HistoryPanel[i].control))->isChecked();
    for (int n = 1; n <= FQuestionnaire.Questions().count(); ++n)
        r.answers << (FQuestionnaire.IsAnsweredYes(n) ? ExaminationRecord::Answer::Yes : ExaminationRecord::Answer::None);
    return r;
}
