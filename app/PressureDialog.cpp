#include "app/PressureDialog.h"
#include "ui_PressureDialog.h"

#include "diary/DiaryStore.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"

#include <QLocale>
#include <QPushButton>

PressureDialog::PressureDialog(const QString& diaryFolder, const QString& person, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::PressureDialog>())
    , m_diaryFolder(diaryFolder)
{
    ui->setupUi(this);
    Help::installF1(this);
    ui->cbxPerson->addItems(DiaryStore(m_diaryFolder, DiaryStore::Access::Read).people());
    ui->cbxPerson->setCurrentText(person.simplified());
    ui->dtpTaken->setDateTime(QDateTime::currentDateTime());
    ui->lblNotice->hide();
    // Room for what was kept, so that the fields do not move under the hand once it is told.
    ui->lblKept->setMinimumHeight(ui->lblKept->fontMetrics().lineSpacing() * 3);
    for (QSpinBox* box : { ui->speSystolic, ui->speDiastolic })
        connect(box, &QSpinBox::valueChanged, this, &PressureDialog::updateAddButton);
    connect(ui->bbtnAdd, &QPushButton::clicked, this, &PressureDialog::addReading);
    connect(ui->bbtnClose, &QPushButton::clicked, this, &QDialog::close);
    ui->speSystolic->setFocus();
}

PressureDialog::~PressureDialog() = default;

void PressureDialog::updateAddButton()
{
    const int systolic = ui->speSystolic->value();
    const int diastolic = ui->speDiastolic->value();
    ui->bbtnAdd->setEnabled(systolic > 0 && diastolic > 0 && systolic > diastolic);
}

PressureReading PressureDialog::enteredReading() const
{
    PressureReading reading;
    reading.person = ui->cbxPerson->currentText().simplified();
    reading.taken = ui->dtpTaken->dateTime();
    reading.systolic = ui->speSystolic->value();
    reading.diastolic = ui->speDiastolic->value();
    if (ui->spePulse->value() > 0)
        reading.pulse = ui->spePulse->value();
    return reading;
}

void PressureDialog::addReading()
{
    const PressureReading reading = enteredReading();
    DiaryStore store(m_diaryFolder);
    if (!store.addReadings({ reading })) {
        MessageBoxes::showError(this, QStringLiteral("Измерение не записано.\n%1").arg(store.errorText()));
        return;
    }
    QString kept = QStringLiteral("Записано: %1 — %2/%3")
                       .arg(QLocale().toString(reading.taken, QLocale::ShortFormat))
                       .arg(reading.systolic)
                       .arg(reading.diastolic);
    if (reading.pulse)
        kept += QStringLiteral(", пульс %1").arg(*reading.pulse);
    if (const auto series = lastSeries(readingsOf(store.readings(), reading.person)))
        kept += QStringLiteral(".\n") + homeSeriesText(*series);
    ui->lblKept->setText(kept);
    for (QSpinBox* box : { ui->speSystolic, ui->speDiastolic, ui->spePulse })
        box->setValue(0);
    ui->dtpTaken->setDateTime(QDateTime::currentDateTime());
    ui->speSystolic->setFocus();
    const QStringList notice = readingNotice(reading);
    ui->lblNotice->setText(notice.join(QLatin1Char('\n')));
    ui->lblNotice->setVisible(!notice.isEmpty());
    adjustSize();
    if (!notice.isEmpty())
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), notice.join(QLatin1Char('\n')));
}
