// The examination record's pages of the main window: reset, hints, absent
// boxes of the tests and the body-mass index display.
#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/PageRecord.h"
#include "decision/BodyMeasures.h"

#include "app/Questionnaire.h"
#include "app/RecordU.h"
#include "decision/DecisionU.h"
#include "decision/Norms.h"

#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>

#include <cmath>

namespace {

using Test = ExaminationRecord::Test;

constexpr ExaminationRecord::Test AllTests[] = { ExaminationRecord::Test::ECG, ExaminationRecord::Test::Flu,
    ExaminationRecord::Test::Blood, ExaminationRecord::Test::Urine };

QString TestAbsentHint(ExaminationRecord::Test test, bool absent)
{
    switch (test) {
    case ExaminationRecord::Test::ECG:
        return EcgAbsentHint(absent);
    case ExaminationRecord::Test::Flu:
        return FluAbsentHint(absent);
    case ExaminationRecord::Test::Blood:
        return BloodAbsentHint(absent);
    case ExaminationRecord::Test::Urine:
        return UrineAbsentHint(absent);
    }
    return {};
}

// The four-digit year keeps dates unambiguous whatever the locale's short format.
QString DateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// A click into a date selects the day, month or year under the pointer, so
// that the digits typed next replace it; a dragged selection is left alone.
class DateSectionOnClick final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            auto* edit = qobject_cast<QLineEdit*>(watched);
            auto* picker = edit ? qobject_cast<QDateTimeEdit*>(edit->parentWidget()) : nullptr;
            if (picker && !edit->hasSelectedText())
                picker->setSelectedSection(picker->currentSection());
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// ---------------------------------------------------------------- body-mass index

// Shows the index of the current height and weight; the labels of the first
// value out of range turn red and the index is hidden.
void TfrmTessora::ShowBodyMassIndex()
{
    const QColor normal = palette().color(QPalette::WindowText);
    SetLabelsColour(ui->lblHeight, ui->lblSm, normal);
    SetLabelsColour(ui->lblWeight, ui->lblKg, normal);
    const ExaminationRecord record = Record();
    try {
        record.GetHeight();
        record.GetWeight();
    } catch (const EHeightError&) {
        SetLabelsColour(ui->lblHeight, ui->lblSm, Qt::red);
    } catch (const EWeightError&) {
        SetLabelsColour(ui->lblWeight, ui->lblKg, Qt::red);
    }
    // A height that is no number keeps the index shown.
    const double index = record.height.value != 0 ? record.CalcBodyMassIndex() : FShownIndex;
    FShownIndex = index;
    if (index != 0)
        ui->lblIndex->setText(BodyMassIndexText(index));
    // An index of a bound put in place of the typed value is not the person's.
    ui->lblIndex->setVisible(index != 0 && !record.IsBodyMeasureClamped());
}

void TfrmTessora::SetLabelsColour(QLabel* first, QLabel* second, const QColor& colour)
{
    for (QLabel* label : { first, second }) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

// ---------------------------------------------------------------- dates

void TfrmTessora::SetDateFormats()
{
    const QString format = DateFormat();
    auto* sectionOnClick = new DateSectionOnClick(this);
    for (QDateTimeEdit* picker :
        { ui->dtpBirthDate, ui->dtpECGDate, ui->dtpFluDate, ui->dtpBloodDate, ui->dtpUrinaDate }) {
        picker->setDisplayFormat(format);
        picker->findChild<QLineEdit*>()->installEventFilter(sectionOnClick);
    }
}

// ---------------------------------------------------------------- handlers

void TfrmTessora::ConnectRecord()
{
    connect(ui->speWeight, &TSpinEdit::changed, this, &TfrmTessora::edWeightChange);
    connect(ui->speHeight, &TSpinEdit::changed, this, &TfrmTessora::speHeightChange);
    for (TSpinEdit* spin : { ui->speWeight, ui->speHeight })
        connect(spin, &TSpinEdit::left, this, &TfrmTessora::ShowBodyMassIndex);
    connect(ui->rbGenderFemale, &QRadioButton::toggled, this, &TfrmTessora::rgGenderClick);
    // A number changed on leaving its field is told where the hints are read.
    for (TSpinEdit* spin : findChildren<TSpinEdit*>())
        connect(spin, &TSpinEdit::adjusted, this, &TfrmTessora::TellAdjustment);
    for (Test test : AllTests) {
        connect(TestControls(*ui, test).absent, &QCheckBox::toggled, this,
            [this, test] { TestAbsentClick(test); });
    }

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
    ShowBodyMassIndex();
}

void TfrmTessora::speHeightChange()
{
    ShowBodyMassIndex();
}

void TfrmTessora::rgGenderClick()
{
    ShowGynecologist();
}

void TfrmTessora::ShowGynecologist()
{
    ui->cbxGinecol->setVisible(!ui->rbGenderMale->isChecked());
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
    ShowRenewedHint(box);
}

// A test's absent box enables its controls exactly when not absent and greys
// the date (and the values and text of its group) while absent.
void TfrmTessora::TestAbsentClick(ExaminationRecord::Test test)
{
    const TTestControls controls = TestControls(*ui, test);
    const bool absent = controls.absent->isChecked();
    if (test == Test::Flu && absent)
        ui->rbFluNorma->setChecked(true);
    for (QWidget* control : controls.dependents)
        control->setEnabled(!absent);

    const QPalette standard = QApplication::palette();
    const QColor background = standard.color(absent ? QPalette::Button : QPalette::Base);
    QList<QWidget*> fields = { controls.date };
    if (QGroupBox* group = controls.values) {
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
    controls.absent->setStatusTip(TestAbsentHint(test, absent));
    ShowRenewedHint(controls.absent);
}

// ---------------------------------------------------------------- reset

void TfrmTessora::ResetRecord()
{
    const QDateTime now = QDateTime::currentDateTime();
    (DrawGender() == 1 ? ui->rbGenderMale : ui->rbGenderFemale)->setChecked(true);
    ShowGynecologist();

    ui->dtpBirthDate->setDateTime(now.addYears(-Norms.AgeMax).addYears((Norms.AgeMax + Norms.AgeMin) / 2));

    try {
        ui->speWeight->setValue(Norms.WeightNorm);
        ui->speHeight->setValue(Norms.HeightNorm);
    } catch (const ERecordRangeError&) {
    }

    ui->speTermo->setValue(int(std::lround(Norms.TemperatureNorm * 10)));

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
    TestAbsentClick(Test::ECG);

    ui->cbxFlu->setChecked(true);
    ui->rbFluNorma->setChecked(true);
    ui->dtpFluDate->setDateTime(now);
    TestAbsentClick(Test::Flu);

    ui->cbxBlood->setChecked(true);
    ui->speGemo->setValue(Norms.HemoglobinNorm);
    ui->spebLeico->setValue(int(std::lround(Norms.LeucocytesNorm * 10)));
    ui->speSoe->setValue(Norms.EsrNorm);
    ui->dtpBloodDate->setDateTime(now);
    TestAbsentClick(Test::Blood);

    ui->cbxUrina->setChecked(true);
    ui->speuEritro->setValue(Norms.UrineErythrocytesNorm);
    ui->speuLeico->setValue(Norms.UrineLeucocytesNorm);
    ui->cbxProtein->setChecked(false);
    ui->cbxShugar->setChecked(false);
    RenewHint(ui->cbxProtein);
    RenewHint(ui->cbxShugar);
    ui->dtpUrinaDate->setDateTime(now);
    TestAbsentClick(Test::Urine);
    AcceptTestDates();
    ForgetMeasured();
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

// ---------------------------------------------------------------- changes since the reset

QStringList TfrmTessora::EnteredValues() const
{
    QStringList values;
    for (const QWidget* control : ui->pgcMain->findChildren<QWidget*>()) {
        const QString name = control->objectName() + QLatin1Char('=');
        if (const auto* box = qobject_cast<const QCheckBox*>(control))
            values << name + QString::number(box->isChecked());
        else if (const auto* radio = qobject_cast<const QRadioButton*>(control))
            values << name + QString::number(radio->isChecked());
        else if (const auto* spin = qobject_cast<const TSpinEdit*>(control))
            values << name + spin->text();
        else if (const auto* picker = qobject_cast<const QDateTimeEdit*>(control))
            values << name + picker->dateTime().toString(Qt::ISODateWithMs);
    }
    // Raising a widget reorders its parent's children: compare by name.
    values.sort();
    const TQuestionList& questions = FQuestionnaire->Questions();
    for (int i = 0; i < questions.count(); ++i)
        values << QString::number(questions.item(i)->AnswerState);
    return values;
}

bool TfrmTessora::RecordChangedSinceReset() const
{
    return !FResetValues.isEmpty() && EnteredValues() != FResetValues;
}
