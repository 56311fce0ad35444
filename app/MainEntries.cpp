// What the person enters on the record's pages and how it is taken: which
// vital signs are measured, the pressure pair, and dates outside what the
// program uses. Every value changed or refused here is told in the status bar.
#include "app/MainU.h"
#include "ui_MainU.h"

#include "app/PageRecord.h"
#include "decision/Norms.h"

#include <QLocale>

#include <algorithm>

namespace {

using Vital = ExaminationRecord::Vital;

constexpr int TemperatureTag = 4;
constexpr int PulseTag = 5;
constexpr int PressureTag = 6;

// The picker's last date the program took, to put back a refused one.
const char* const AcceptedDate = "acceptedDate";
// The earliest date of an ECG or fluorography the program takes.
const char* const EarliestDate = "earliestDate";

QString DateText(const QDate& date)
{
    return QLocale().toString(date, QStringLiteral("dd.MM.yyyy"));
}

QString TestGenitive(const QDateTimeEdit* picker, const Ui::TfrmTessora& ui)
{
    if (picker == ui.dtpECGDate)
        return QStringLiteral("ЭКГ");
    if (picker == ui.dtpFluDate)
        return QStringLiteral("флюорографии");
    if (picker == ui.dtpBloodDate)
        return QStringLiteral("анализа крови");
    return QStringLiteral("анализа мочи");
}

} // namespace

void TfrmTessora::ConnectEntries()
{
    const std::pair<TSpinEdit*, Vital> vitals[] { { ui->speTermo, Vital::Temperature },
        { ui->spePulsP, Vital::Pulse }, { ui->speSisMes, Vital::Pressure },
        { ui->speDiaMes, Vital::Pressure } };
    for (const auto& [spin, vital] : vitals)
        connect(spin, &TSpinEdit::changed, this, [this, vital] { MarkMeasured(vital); });
    // The rhythm is felt while the pulse is counted.
    connect(ui->cbxPulsPokRitm, &QCheckBox::toggled, this, [this] { MarkMeasured(Vital::Pulse); });
    for (TSpinEdit* spin : { ui->speSisMes, ui->speDiaMes })
        connect(spin, &TSpinEdit::left, this, [this, spin] { CheckPressureOrder(spin); });
    connect(ui->dtpBirthDate, &QDateTimeEdit::editingFinished, this, &TfrmTessora::CheckBirthDate);
    for (QDateTimeEdit* picker : { ui->dtpECGDate, ui->dtpFluDate, ui->dtpBloodDate, ui->dtpUrinaDate })
        connect(picker, &QDateTimeEdit::editingFinished, this, [this, picker] { CheckTestDate(picker); });
}

void TfrmTessora::TellAdjustment(const QString& message)
{
    FAdjustment = message;
    ui->sbMain->showMessage(message);
}

// ---------------------------------------------------------------- vital signs

void TfrmTessora::MarkMeasured(ExaminationRecord::Vital vital)
{
    FRecord->MarkMeasured(vital);
    ShowInitialValues();
}

// «Дальше» from a vital sign's page confirms the value it shows.
void TfrmTessora::ConfirmShownVital()
{
    switch (ActivePageTag()) {
    case TemperatureTag:
        MarkMeasured(Vital::Temperature);
        break;
    case PulseTag:
        MarkMeasured(Vital::Pulse);
        break;
    case PressureTag:
        MarkMeasured(Vital::Pressure);
        break;
    default:
        break;
    }
}

void TfrmTessora::ShowInitialValues()
{
    ui->lblTermoInitial->setVisible(!FRecord->IsMeasured(Vital::Temperature));
    ui->lblPulsInitial->setVisible(!FRecord->IsMeasured(Vital::Pulse));
    ui->lblPressInitial->setVisible(!FRecord->IsMeasured(Vital::Pressure));
}

void TfrmTessora::ForgetMeasured()
{
    FRecord->ForgetMeasured();
    ShowInitialValues();
}

// A systolic value below the diastolic one is a slip of the hand: the field
// just left takes back its value.
void TfrmTessora::CheckPressureOrder(TSpinEdit* left)
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

// ---------------------------------------------------------------- dates

// The program is made for ages AgeMin to AgeMax: a birth date outside is
// brought to the nearest bound, which the field then shows, and told.
void TfrmTessora::CheckBirthDate()
{
    const QDate today = QDate::currentDate();
    const QDate typed = ui->dtpBirthDate->date();
    const QDate used = std::clamp(typed, today.addYears(-Norms.AgeMax), today.addYears(-Norms.AgeMin));
    if (used == typed)
        return;
    ui->dtpBirthDate->setDate(used);
    TellAdjustment(QStringLiteral("Введена дата рождения %1 — программа рассчитана на возраст от %2 до %3 "
                                  "лет; записано %4")
                       .arg(DateText(typed))
                       .arg(Norms.AgeMin)
                       .arg(Norms.AgeMax)
                       .arg(DateText(used)));
}

// Dates outside stay typeable, so that CheckTestDate can bring them in aloud.
void TfrmTessora::SetTestDateRange(QDateTimeEdit* picker)
{
    picker->setProperty(
        EarliestDate, QDateTime::currentDateTime().addYears(Norms.AgeMin - Record().GetAge(QDateTime::currentDateTime())).date());
}

// A test cannot be made after today: the date is refused and the last one
// taken comes back. An ECG or fluorography date before the earliest becomes
// the earliest, as a birth date becomes its bound.
void TfrmTessora::CheckTestDate(QDateTimeEdit* picker)
{
    const QDateTime typed = picker->dateTime();
    const QDate earliest = picker->property(EarliestDate).toDate();
    if (earliest.isValid() && typed.date() < earliest) {
        picker->setDate(earliest);
        picker->setProperty(AcceptedDate, picker->dateTime());
        TellAdjustment(
            QStringLiteral("Введена дата %1 %2 — программа принимает даты не раньше %3; записано %3")
                .arg(TestGenitive(picker, *ui), DateText(typed.date()), DateText(earliest)));
        return;
    }
    if (typed.date() <= QDate::currentDate()) {
        picker->setProperty(AcceptedDate, typed);
        return;
    }
    const QDateTime accepted = picker->property(AcceptedDate).toDateTime();
    picker->setDateTime(accepted.isValid() ? accepted : QDateTime::currentDateTime());
    TellAdjustment(QStringLiteral("Дата %1 %2 ещё не наступила и не принята; оставлено %3")
                       .arg(TestGenitive(picker, *ui), DateText(typed.date()), DateText(picker->date())));
}

// The reset's dates are the ones to come back to.
void TfrmTessora::AcceptTestDates()
{
    for (QDateTimeEdit* picker : { ui->dtpECGDate, ui->dtpFluDate, ui->dtpBloodDate, ui->dtpUrinaDate })
        picker->setProperty(AcceptedDate, picker->dateTime());
}
