#include "app/PressureDialog.h"
#include "ui_PressureDialog.h"

#include "diary/DiaryStore.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"

#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>

namespace {

// "20.04.2026 19:05 — 150/95, пульс 80"
QString readingText(const PressureReading& reading)
{
    QString text = QStringLiteral("%1 — %2/%3")
                       .arg(QLocale().toString(reading.taken, QLocale::ShortFormat))
                       .arg(reading.systolic)
                       .arg(reading.diastolic);
    if (reading.pulse)
        text += QStringLiteral(", пульс %1").arg(*reading.pulse);
    return text;
}

} // namespace

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
    ui->lstReadings->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (QSpinBox* box : { ui->speSystolic, ui->speDiastolic })
        connect(box, &QSpinBox::valueChanged, this, &PressureDialog::updateAddButton);
    connect(ui->bbtnAdd, &QPushButton::clicked, this, &PressureDialog::addReading);
    connect(ui->bbtnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->cbxPerson, &QComboBox::currentTextChanged, this, &PressureDialog::showReadings);
    connect(ui->lstReadings, &QTreeWidget::itemSelectionChanged, this,
        [this] { ui->bbtnDelete->setEnabled(!ui->lstReadings->selectedItems().isEmpty()); });
    connect(ui->bbtnDelete, &QPushButton::clicked, this, &PressureDialog::deleteReading);
    connect(new QShortcut(QKeySequence::Delete, ui->lstReadings, nullptr, nullptr, Qt::WidgetShortcut),
        &QShortcut::activated, this, &PressureDialog::deleteReading);
    readReadings();
    ui->speSystolic->setFocus();
}

PressureDialog::~PressureDialog() = default;

void PressureDialog::updateAddButton()
{
    const int systolic = ui->speSystolic->value();
    const int diastolic = ui->speDiastolic->value();
    ui->bbtnAdd->setEnabled(systolic > 0 && diastolic > 0 && systolic > diastolic);
}

QString PressureDialog::person() const
{
    return ui->cbxPerson->currentText().simplified();
}

PressureReading PressureDialog::enteredReading() const
{
    PressureReading reading;
    reading.person = person();
    reading.taken = ui->dtpTaken->dateTime();
    reading.systolic = ui->speSystolic->value();
    reading.diastolic = ui->speDiastolic->value();
    if (ui->spePulse->value() > 0)
        reading.pulse = ui->spePulse->value();
    return reading;
}

void PressureDialog::readReadings()
{
    m_readings = DiaryStore(m_diaryFolder, DiaryStore::Access::Read).readings();
    showReadings();
}

// The person's readings, the newest first.
void PressureDialog::showReadings()
{
    const QList<PressureReading> shown = readingsOf(m_readings, person());
    ui->lstReadings->clear();
    for (auto reading = shown.crbegin(); reading != shown.crend(); ++reading) {
        auto* item = new QTreeWidgetItem(ui->lstReadings,
            { QLocale().toString(reading->taken, QLocale::ShortFormat),
                QStringLiteral("%1/%2").arg(reading->systolic).arg(reading->diastolic),
                reading->pulse ? QString::number(*reading->pulse) : QStringLiteral("—") });
        item->setData(0, Qt::UserRole, reading->id);
    }
    ui->bbtnDelete->setEnabled(!ui->lstReadings->selectedItems().isEmpty());
}

void PressureDialog::tellKept(
    const QString& what, const QList<PressureReading>& readings, const QString& person)
{
    QString kept = what;
    if (const auto series = lastSeries(readingsOf(readings, person)))
        kept += QStringLiteral(".\n") + homeSeriesText(*series);
    ui->lblKept->setText(kept);
}

void PressureDialog::addReading()
{
    const PressureReading reading = enteredReading();
    DiaryStore store(m_diaryFolder);
    if (!store.addReadings({ reading })) {
        MessageBoxes::showError(this, QStringLiteral("Измерение не записано.\n%1").arg(store.errorText()));
        return;
    }
    m_readings = store.readings();
    showReadings();
    tellKept(QStringLiteral("Записано: ") + readingText(reading), m_readings, reading.person);
    for (QSpinBox* box : { ui->speSystolic, ui->speDiastolic, ui->spePulse })
        box->setValue(0);
    ui->dtpTaken->setDateTime(QDateTime::currentDateTime());
    ui->speSystolic->setFocus();
    const QStringList notice = readingNotice(reading);
    m_noticeOf = notice.isEmpty() ? std::nullopt : std::optional(reading);
    ui->lblNotice->setText(notice.join(QLatin1Char('\n')));
    ui->lblNotice->setVisible(!notice.isEmpty());
    adjustSize();
    if (!notice.isEmpty())
        MessageBoxes::show(this, QMessageBox::Warning, MessageBoxes::title(), notice.join(QLatin1Char('\n')));
}

void PressureDialog::deleteReading()
{
    QTreeWidgetItem* item = ui->lstReadings->currentItem();
    const qint64 id = item && item->isSelected() ? item->data(0, Qt::UserRole).toLongLong() : 0;
    const auto chosen = std::find_if(m_readings.cbegin(), m_readings.cend(),
        [id](const PressureReading& reading) { return reading.id == id; });
    if (id == 0 || chosen == m_readings.cend())
        return;
    PressureReading reading = *chosen;
    const int row = ui->lstReadings->indexOfTopLevelItem(item);
    if (MessageBoxes::show(this, QMessageBox::Question, MessageBoxes::title(),
            QStringLiteral("Удалить из дневника измерение от %1?").arg(readingText(reading)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    DiaryStore store(m_diaryFolder);
    if (!store.removeReading(reading.id)) {
        MessageBoxes::showError(this, QStringLiteral("Измерение не удалено.\n%1").arg(store.errorText()));
        // Another window may have deleted it already: the list shows the diary as it is.
        readReadings();
        return;
    }
    m_readings = store.readings();
    showReadings();
    // The next reading is chosen, so that several can be deleted from the keyboard.
    if (QTreeWidgetItem* next
        = ui->lstReadings->topLevelItem(std::min(row, ui->lstReadings->topLevelItemCount() - 1)))
        ui->lstReadings->setCurrentItem(next);
    tellKept(QStringLiteral("Удалено: ") + readingText(reading), m_readings, reading.person);
    reading.id = 0;
    if (m_noticeOf == reading) {
        m_noticeOf.reset();
        ui->lblNotice->hide();
    }
}
