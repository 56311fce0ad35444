#include "app/pages/AnthropometryPage.h"
#include "ui_AnthropometryPage.h"

#include "decision/BodyMeasures.h"
#include "decision/Norms.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

QString DateText(const QDate& date)
{
    return QLocale().toString(date, QStringLiteral("dd.MM.yyyy"));
}

} // namespace

AnthropometryPage::AnthropometryPage(QWidget* parent)
    : RecordPage(parent)
    , ui(std::make_unique<Ui::AnthropometryPage>())
{
    ui->setupUi(this);
    prepareDatePicker(ui->dtpBirthDate);
    keepRange(ui->speHeight, NumberField::Height);
    keepRange(ui->speWeight, NumberField::Weight);
    connect(ui->cbName, &QComboBox::editTextChanged, this, [this] { noteChange(ui->cbName); });
    ui->cbName->installEventFilter(this);
    watch(ui->dtpBirthDate);
    watch(ui->speWeight);
    watch(ui->speHeight);
    connect(ui->rbGenderMale, &QRadioButton::toggled, this, &AnthropometryPage::rgGenderClick);
    connect(ui->speWeight, &TSpinEdit::changed, this, &AnthropometryPage::edWeightChange);
    connect(ui->speHeight, &TSpinEdit::changed, this, &AnthropometryPage::speHeightChange);
    for (TSpinEdit* spin : { ui->speWeight, ui->speHeight })
        connect(spin, &TSpinEdit::left, this, &AnthropometryPage::ShowBodyMassIndex);
    connect(ui->dtpBirthDate, &QDateTimeEdit::editingFinished, this, &AnthropometryPage::CheckBirthDate);
}

AnthropometryPage::~AnthropometryPage() = default;

void AnthropometryPage::show(const ExaminationRecord& record)
{
    ui->cbName->setEditText(record.name);
    (record.GetGender() == 1 ? ui->rbGenderMale : ui->rbGenderFemale)->setChecked(true);
    setGiven(ui->rgGender, record.gender.given);
    ui->dtpBirthDate->setDateTime(record.BirthDate());
    setGiven(ui->dtpBirthDate, record.birthDate.given);
    try {
        ui->speWeight->setValue(int(std::lround(record.weight.value)), record.weight.typed);
        ui->speHeight->setValue(int(std::lround(record.height.value)), record.height.typed);
    } catch (const ERecordRangeError&) {
    }
    setGiven(ui->speWeight, record.weight.given);
    setGiven(ui->speHeight, record.height.given);
    ShowBodyMassIndex();
}

void AnthropometryPage::store(ExaminationRecord& record) const
{
    record.name = ui->cbName->currentText().simplified();
    record.gender = { ui->rbGenderMale->isChecked() ? 1 : 0, isGiven(ui->rgGender) };
    record.birthDate = { ui->dtpBirthDate->dateTime(), isGiven(ui->dtpBirthDate) };
    storeMeasures(record);
}

void AnthropometryPage::storeMeasures(ExaminationRecord& record) const
{
    record.height
        = { FieldNumber(ui->speHeight->text()), isGiven(ui->speHeight), ui->speHeight->typedNumber() };
    record.weight
        = { FieldNumber(ui->speWeight->text()), isGiven(ui->speWeight), ui->speWeight->typedNumber() };
}

void AnthropometryPage::edWeightChange()
{
    ShowBodyMassIndex();
}

void AnthropometryPage::speHeightChange()
{
    ShowBodyMassIndex();
}

// The history page shows the gynaecologist's box by the sex stored.
void AnthropometryPage::rgGenderClick()
{
    noteChange(ui->rgGender);
}

// The people of the diary are offered once the person turns to the name.
bool AnthropometryPage::eventFilter(QObject* watched, QEvent* event)
{
    const bool turnedTo = event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress;
    if (watched == ui->cbName && turnedTo && m_people) {
        const QString typed = ui->cbName->currentText();
        ui->cbName->addItems(std::exchange(m_people, {})());
        ui->cbName->setEditText(typed);
    }
    return RecordPage::eventFilter(watched, event);
}

// Shows the index of the current height and weight; the labels of the first
// value out of range turn red and the index is hidden.
void AnthropometryPage::ShowBodyMassIndex()
{
    ExaminationRecord measures;
    storeMeasures(measures);
    const QColor normal = palette().color(QPalette::WindowText);
    SetLabelsColour(ui->lblHeight, ui->lblSm, normal);
    SetLabelsColour(ui->lblWeight, ui->lblKg, normal);
    try {
        measures.GetHeight();
        measures.GetWeight();
    } catch (const EHeightError&) {
        SetLabelsColour(ui->lblHeight, ui->lblSm, Qt::red);
    } catch (const EWeightError&) {
        SetLabelsColour(ui->lblWeight, ui->lblKg, Qt::red);
    }
    // A height that is no number keeps the index shown.
    const double index = measures.height.value != 0 ? measures.CalcBodyMassIndex() : m_shownIndex;
    m_shownIndex = index;
    if (index != 0)
        ui->lblIndex->setText(BodyMassIndexText(index));
    // An index of a bound put in place of the typed value is not the person's.
    ui->lblIndex->setVisible(index != 0 && !measures.IsBodyMeasureClamped());
}

void AnthropometryPage::SetLabelsColour(QLabel* first, QLabel* second, const QColor& colour)
{
    for (QLabel* label : { first, second }) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

// The program is made for ages AgeMin to AgeMax: a birth date outside is
// brought to the nearest bound, which the field then shows, and told.
void AnthropometryPage::CheckBirthDate()
{
    const QDate today = QDate::currentDate();
    const QDate typed = ui->dtpBirthDate->date();
    const QDate used = std::clamp(typed, today.addYears(-Norms.AgeMax), today.addYears(-Norms.AgeMin));
    if (used == typed)
        return;
    ui->dtpBirthDate->setDate(used);
    tellAdjustment(ui->dtpBirthDate, QStringLiteral("Введена дата рождения %1 — программа рассчитана на возраст от %2 до %3 "
                                  "лет; записано %4")
                       .arg(DateText(typed))
                       .arg(Norms.AgeMin)
                       .arg(Norms.AgeMax)
                       .arg(DateText(used)));
}
