#include "app/pages/VitalPages.h"
#include "ui_PressurePage.h"
#include "ui_PulsePage.h"
#include "ui_TemperaturePage.h"

#include "app/RecordU.h"
#include "app/SpinEdits.h"

#include <algorithm>

// ---------------------------------------------------------------- any vital sign

void VitalPage::setUp(QList<QWidget*> fields, QLabel* initialLine)
{
    m_fields = std::move(fields);
    m_initialLine = initialLine;
    for (QWidget* field : std::as_const(m_fields))
        watch(field);
    connect(this, &RecordPage::changed, this, &VitalPage::showInitialLine);
}

bool VitalPage::isMeasured() const
{
    return std::ranges::any_of(m_fields, [this](const QWidget* field) { return isGiven(field); });
}

void VitalPage::setMeasured(bool measured)
{
    for (const QWidget* field : std::as_const(m_fields))
        setGiven(field, measured);
    showInitialLine();
}

void VitalPage::showInitialLine()
{
    m_initialLine->setVisible(!isMeasured());
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
    keepRange(ui->speTermo, NumberField::Temperature);
    setUp({ ui->speTermo }, ui->lblTermoInitial);
}

TemperaturePage::~TemperaturePage() = default;

void TemperaturePage::show(const ExaminationRecord& record)
{
    showNumber(ui->speTermo, record.temperatureTenths);
    setMeasured(record.temperatureTenths.given);
}

void TemperaturePage::store(ExaminationRecord& record) const
{
    record.temperatureTenths = numberOf(ui->speTermo);
    record.temperatureTenths.given = isMeasured();
}

// ---------------------------------------------------------------- pulse

PulsePage::PulsePage(QWidget* parent)
    : VitalPage(parent)
    , ui(std::make_unique<Ui::PulsePage>())
{
    ui->setupUi(this);
    // The rhythm is felt while the pulse is counted.
    setUp({ ui->spePulsP, ui->cbxPulsPokRitm }, ui->lblPulsInitial);
    keepRange(ui->spePulsP, NumberField::Pulse);
    connect(ui->cbxPulsPokRitm, &QCheckBox::toggled, this,
        [this](bool checked) { setHint(ui->cbxPulsPokRitm, PulseRhythmHint(checked)); });
}

PulsePage::~PulsePage() = default;

void PulsePage::show(const ExaminationRecord& record)
{
    showNumber(ui->spePulsP, record.pulse);
    ui->cbxPulsPokRitm->setChecked(record.pulseRhythmic);
    setHint(ui->cbxPulsPokRitm, PulseRhythmHint(record.pulseRhythmic));
    setMeasured(record.pulse.given);
}

void PulsePage::store(ExaminationRecord& record) const
{
    record.pulse = numberOf(ui->spePulsP);
    record.pulse.given = isMeasured();
    record.pulseRhythmic = ui->cbxPulsPokRitm->isChecked();
}

// ---------------------------------------------------------------- pressure

PressurePage::PressurePage(QWidget* parent)
    : VitalPage(parent)
    , ui(std::make_unique<Ui::PressurePage>())
{
    ui->setupUi(this);
    setUp({ ui->speSisMes, ui->speDiaMes }, ui->lblPressInitial);
    keepRange(ui->speSisMes, NumberField::Systolic);
    keepRange(ui->speDiaMes, NumberField::Diastolic);
    for (TSpinEdit* spin : { ui->speSisMes, ui->speDiaMes })
        connect(spin, &TSpinEdit::left, this, [this, spin] { CheckPressureOrder(spin); });
}

PressurePage::~PressurePage() = default;

void PressurePage::show(const ExaminationRecord& record)
{
    showNumber(ui->speSisMes, record.systolic);
    showNumber(ui->speDiaMes, record.diastolic);
    showInitialLine();
}

// Each of the two numbers is the person's only once given: the other one's
// initial value is never printed as measured.
void PressurePage::store(ExaminationRecord& record) const
{
    record.systolic = numberOf(ui->speSisMes);
    record.diastolic = numberOf(ui->speDiaMes);
}

// A systolic value not above the diastolic one is a slip of the hand: the
// field just left takes back its value. The pair is compared only once the
// person gave both.
void PressurePage::CheckPressureOrder(TSpinEdit* left)
{
    const int systolic = ui->speSisMes->value();
    const int diastolic = ui->speDiaMes->value();
    if (systolic > diastolic || !isGiven(ui->speSisMes) || !isGiven(ui->speDiaMes))
        return;
    left->takeBack(QStringLiteral("Давление %1/%2 не принято: систолическое (верхнее) должно быть выше "
                                  "диастолического (нижнего); возвращено прежнее значение")
                       .arg(systolic)
                       .arg(diastolic));
}
