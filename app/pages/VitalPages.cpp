#include "app/pages/VitalPages.h"
#include "ui_PressurePage.h"
#include "ui_PulsePage.h"
#include "ui_TemperaturePage.h"

#include "app/RecordU.h"
#include "app/SpinEdits.h"

// ---------------------------------------------------------------- any vital sign

void VitalPage::setUp(QList<QWidget*> fields, QLabel* initialLine)
{
    m_fields = std::move(fields);
    m_initialLine = initialLine;
    for (QWidget* field : std::as_const(m_fields)) {
        watch(field);
        if (auto* spin = qobject_cast<TSpinEdit*>(field))
            connect(spin, &TSpinEdit::adjusted, this, &RecordPage::adjusted);
    }
    // Entering one field of the sign measures the whole sign.
    connect(this, &RecordPage::changed, this, [this] { setMeasured(true); });
}

void VitalPage::setMeasured(bool measured)
{
    for (const QWidget* field : std::as_const(m_fields))
        setGiven(field, measured);
    m_initialLine->setVisible(!measured);
}

void VitalPage::confirm()
{
    if (isMeasured())
        return;
    setMeasured(true);
    emit changed();
}

// ---------------------------------------------------------------- temperature

TemperaturePage::TemperaturePage(QWidget* parent)
    : VitalPage(parent)
    , ui(std::make_unique<Ui::TemperaturePage>())
{
    ui->setupUi(this);
    setUp({ ui->speTermo }, ui->lblTermoInitial);
}

TemperaturePage::~TemperaturePage() = default;

void TemperaturePage::show(const ExaminationRecord& record)
{
    ui->speTermo->setValue(record.temperatureTenths.value);
    setMeasured(record.temperatureTenths.given);
}

void TemperaturePage::store(ExaminationRecord& record) const
{
    record.temperatureTenths = { ui->speTermo->value(), isMeasured() };
}

// ---------------------------------------------------------------- pulse

PulsePage::PulsePage(QWidget* parent)
    : VitalPage(parent)
    , ui(std::make_unique<Ui::PulsePage>())
{
    ui->setupUi(this);
    // The rhythm is felt while the pulse is counted.
    setUp({ ui->spePulsP, ui->cbxPulsPokRitm }, ui->lblPulsInitial);
    connect(ui->cbxPulsPokRitm, &QCheckBox::toggled, this,
        [this](bool checked) { setHint(ui->cbxPulsPokRitm, PulseRhythmHint(checked)); });
}

PulsePage::~PulsePage() = default;

void PulsePage::show(const ExaminationRecord& record)
{
    ui->spePulsP->setValue(record.pulse.value);
    ui->cbxPulsPokRitm->setChecked(record.pulseRhythmic);
    setHint(ui->cbxPulsPokRitm, PulseRhythmHint(record.pulseRhythmic));
    setMeasured(record.pulse.given);
}

void PulsePage::store(ExaminationRecord& record) const
{
    record.pulse = { ui->spePulsP->value(), isMeasured() };
    record.pulseRhythmic = ui->cbxPulsPokRitm->isChecked();
}

// ---------------------------------------------------------------- pressure

PressurePage::PressurePage(QWidget* parent)
    : VitalPage(parent)
    , ui(std::make_unique<Ui::PressurePage>())
{
    ui->setupUi(this);
    setUp({ ui->speSisMes, ui->speDiaMes }, ui->lblPressInitial);
    for (TSpinEdit* spin : { ui->speSisMes, ui->speDiaMes })
        connect(spin, &TSpinEdit::left, this, [this, spin] { CheckPressureOrder(spin); });
}

PressurePage::~PressurePage() = default;

void PressurePage::show(const ExaminationRecord& record)
{
    ui->speSisMes->setValue(record.systolic.value);
    ui->speDiaMes->setValue(record.diastolic.value);
    setMeasured(record.IsMeasured(ExaminationRecord::Vital::Pressure));
}

void PressurePage::store(ExaminationRecord& record) const
{
    record.systolic = { ui->speSisMes->value(), isMeasured() };
    record.diastolic = { ui->speDiaMes->value(), isMeasured() };
}

// A systolic value below the diastolic one is a slip of the hand: the field
// just left takes back its value.
void PressurePage::CheckPressureOrder(TSpinEdit* left)
{
    const int systolic = ui->speSisMes->value();
    const int diastolic = ui->speDiaMes->value();
    if (systolic >= diastolic)
        return;
    left->takeBack(QStringLiteral("Давление %1/%2 не принято: систолическое (верхнее) не может быть ниже "
                                  "диастолического (нижнего); возвращено прежнее значение")
                       .arg(systolic)
                       .arg(diastolic));
}
