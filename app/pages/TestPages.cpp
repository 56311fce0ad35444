#include "app/pages/TestPages.h"
#include "ui_BloodPage.h"
#include "ui_EcgPage.h"
#include "ui_FluorographyPage.h"
#include "ui_UrinePage.h"

#include "app/RecordU.h"
#include "decision/Norms.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLocale>

namespace {

QString DateText(const QDate& date)
{
    return QLocale().toString(date, QStringLiteral("dd.MM.yyyy"));
}

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

// An ECG or a fluorography is taken up to (InitialAge − AgeMin) years back.
QDate EarliestStudyDate()
{
    return QDate::currentDate().addYears(Norms.AgeMin - ExaminationRecord::InitialAge);
}

} // namespace

// ---------------------------------------------------------------- any test

TestPage::TestPage(Test test, QWidget* parent)
    : RecordPage(parent)
    , m_test(test)
{
}

void TestPage::setUp(QCheckBox* absent, QDateTimeEdit* date, QGroupBox* values, QList<QWidget*> dependents)
{
    m_absent = absent;
    m_date = date;
    m_values = values;
    m_dependents = std::move(dependents);
    prepareDatePicker(m_date);
    watch(m_absent);
    watch(m_date);
    connect(m_absent, &QCheckBox::toggled, this, &TestPage::TestAbsentClick);
    connect(m_date, &QDateTimeEdit::editingFinished, this, &TestPage::CheckTestDate);
    // A day picked from the calendar is checked at once, not when the field is left.
    connect(m_date->calendarWidget(), &QCalendarWidget::clicked, this, &TestPage::CheckTestDate,
        Qt::QueuedConnection);
    if (m_values) {
        for (TSpinEdit* spin : m_values->findChildren<TSpinEdit*>())
            watch(spin);
    }
}

void TestPage::showTest(const ExaminationRecord& record)
{
    const ExaminationRecord::TestDone& test = record.tests[size_t(m_test)];
    m_absent->setChecked(test.absent);
    m_date->setDateTime(test.date);
    m_acceptedDate = test.date;
    TestAbsentClick();
}

void TestPage::store(ExaminationRecord& record) const
{
    record.tests[size_t(m_test)] = { m_absent->isChecked(), m_date->dateTime() };
}

// A test's absent box enables its controls exactly when not absent and greys
// the date (and the values and text of its group) while absent.
void TestPage::TestAbsentClick()
{
    const bool absent = m_absent->isChecked();
    absentChanged(absent);
    for (QWidget* control : std::as_const(m_dependents))
        control->setEnabled(!absent);

    const QPalette standard = QApplication::palette();
    const QColor background = standard.color(absent ? QPalette::Button : QPalette::Base);
    QList<QWidget*> fields = { m_date };
    if (m_values) {
        for (TSpinEdit* spin : m_values->findChildren<TSpinEdit*>())
            fields.append(spin);
        QPalette palette = m_values->palette();
        const QColor text = absent ? standard.color(QPalette::Disabled, QPalette::WindowText)
                                   : standard.color(QPalette::WindowText);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
        m_values->setPalette(palette);
    }
    for (QWidget* field : fields) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, background);
        field->setPalette(palette);
    }
    setHint(m_absent, TestAbsentHint(m_test, absent));
}

// A test cannot be made after today: the date is refused and the last one
// taken comes back. An ECG or fluorography date before the earliest becomes
// the earliest, as a birth date becomes its bound.
void TestPage::CheckTestDate()
{
    const QDateTime typed = m_date->dateTime();
    if (m_earliest.isValid() && typed.date() < m_earliest) {
        m_date->setDate(m_earliest);
        m_acceptedDate = m_date->dateTime();
        tellAdjustment(m_date, QStringLiteral("Введена дата %1 %2 — программа принимает даты не раньше %3; записано %3")
                           .arg(TestGenitive(), DateText(typed.date()), DateText(m_earliest)));
        return;
    }
    if (typed.date() <= QDate::currentDate()) {
        m_acceptedDate = typed;
        return;
    }
    m_date->setDateTime(m_acceptedDate.isValid() ? m_acceptedDate : QDateTime::currentDateTime());
    tellAdjustment(m_date, QStringLiteral("Дата %1 %2 ещё не наступила и не принята; оставлено %3")
                       .arg(TestGenitive(), DateText(typed.date()), DateText(m_date->date())));
}

QString TestPage::TestGenitive() const
{
    switch (m_test) {
    case Test::ECG:
        return QStringLiteral("ЭКГ");
    case Test::Flu:
        return QStringLiteral("флюорографии");
    case Test::Blood:
        return QStringLiteral("анализа крови");
    case Test::Urine:
        return QStringLiteral("анализа мочи");
    }
    return {};
}

// ---------------------------------------------------------------- ECG

EcgPage::EcgPage(QWidget* parent)
    : TestPage(Test::ECG, parent)
    , ui(std::make_unique<Ui::EcgPage>())
{
    ui->setupUi(this);
    setUp(ui->cbxECG, ui->dtpECGDate, nullptr,
        { ui->cbxBlock, ui->cbxGiper, ui->cbxRubec, ui->lblECGDate, ui->dtpECGDate });
    setEarliestDate(EarliestStudyDate());
    for (QCheckBox* box : FindingBoxes()) {
        watch(box);
        connect(box, &QCheckBox::toggled, this, [this, box] { RenewHint(box); });
    }
}

EcgPage::~EcgPage() = default;

QList<QCheckBox*> EcgPage::FindingBoxes() const
{
    return { ui->cbxBlock, ui->cbxGiper, ui->cbxRubec };
}

void EcgPage::show(const ExaminationRecord& record)
{
    const QList<QCheckBox*> boxes = FindingBoxes();
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        boxes[i]->setChecked(record.ecgFindings[size_t(i)]);
        RenewHint(boxes[i]);
    }
    showTest(record);
}

void EcgPage::store(ExaminationRecord& record) const
{
    TestPage::store(record);
    const QList<QCheckBox*> boxes = FindingBoxes();
    for (qsizetype i = 0; i < boxes.size(); ++i)
        record.ecgFindings[size_t(i)] = boxes[i]->isChecked();
}

void EcgPage::RenewHint(QCheckBox* box)
{
    setHint(box, EcgFindingHint(box->isChecked(), box->text(), box == ui->cbxRubec));
}

// ---------------------------------------------------------------- fluorography

FluorographyPage::FluorographyPage(QWidget* parent)
    : TestPage(Test::Flu, parent)
    , ui(std::make_unique<Ui::FluorographyPage>())
{
    ui->setupUi(this);
    setUp(ui->cbxFlu, ui->dtpFluDate, nullptr, { ui->rgFluData, ui->lblFluDate, ui->dtpFluDate });
    setEarliestDate(EarliestStudyDate());
    watch(ui->rbFluPatolog);
}

FluorographyPage::~FluorographyPage() = default;

void FluorographyPage::show(const ExaminationRecord& record)
{
    (record.fluPathology ? ui->rbFluPatolog : ui->rbFluNorma)->setChecked(true);
    showTest(record);
}

void FluorographyPage::store(ExaminationRecord& record) const
{
    TestPage::store(record);
    record.fluPathology = ui->rbFluPatolog->isChecked();
}

void FluorographyPage::absentChanged(bool absent)
{
    if (absent)
        ui->rbFluNorma->setChecked(true);
}

// ---------------------------------------------------------------- blood

BloodPage::BloodPage(QWidget* parent)
    : TestPage(Test::Blood, parent)
    , ui(std::make_unique<Ui::BloodPage>())
{
    ui->setupUi(this);
    setUp(ui->cbxBlood, ui->dtpBloodDate, ui->gbxBloodClin, { ui->gbxBloodClin, ui->lblBloodDate, ui->dtpBloodDate });
    keepRange(ui->speGemo, NumberField::Hemoglobin);
    keepRange(ui->spebLeico, NumberField::Leucocytes);
    keepRange(ui->speSoe, NumberField::Esr);
}

BloodPage::~BloodPage() = default;

void BloodPage::show(const ExaminationRecord& record)
{
    showNumber(ui->speGemo, record.hemoglobin);
    showNumber(ui->spebLeico, record.leucocytesTenths);
    showNumber(ui->speSoe, record.esr);
    showTest(record);
}

void BloodPage::store(ExaminationRecord& record) const
{
    TestPage::store(record);
    record.hemoglobin = numberOf(ui->speGemo);
    record.leucocytesTenths = numberOf(ui->spebLeico);
    record.esr = numberOf(ui->speSoe);
}

// ---------------------------------------------------------------- urine

UrinePage::UrinePage(QWidget* parent)
    : TestPage(Test::Urine, parent)
    , ui(std::make_unique<Ui::UrinePage>())
{
    ui->setupUi(this);
    setUp(ui->cbxUrina, ui->dtpUrinaDate, ui->gbxUrinaCom, { ui->gbxUrinaCom, ui->lblUrinaDate, ui->dtpUrinaDate });
    keepRange(ui->speuEritro, NumberField::UrineErythrocytes);
    keepRange(ui->speuLeico, NumberField::UrineLeucocytes);
    for (QCheckBox* box : { ui->cbxProtein, ui->cbxShugar })
        watch(box);
    connect(ui->cbxProtein, &QCheckBox::toggled, this,
        [this](bool checked) { setHint(ui->cbxProtein, ProteinHint(checked)); });
    connect(ui->cbxShugar, &QCheckBox::toggled, this,
        [this](bool checked) { setHint(ui->cbxShugar, SugarHint(checked)); });
}

UrinePage::~UrinePage() = default;

void UrinePage::show(const ExaminationRecord& record)
{
    showNumber(ui->speuEritro, record.urineErythrocytes);
    showNumber(ui->speuLeico, record.urineLeucocytes);
    ui->cbxProtein->setChecked(record.urineProtein);
    ui->cbxShugar->setChecked(record.urineSugar);
    setHint(ui->cbxProtein, ProteinHint(record.urineProtein));
    setHint(ui->cbxShugar, SugarHint(record.urineSugar));
    showTest(record);
}

void UrinePage::store(ExaminationRecord& record) const
{
    TestPage::store(record);
    record.urineErythrocytes = numberOf(ui->speuEritro);
    record.urineLeucocytes = numberOf(ui->speuLeico);
    record.urineProtein = ui->cbxProtein->isChecked();
    record.urineSugar = ui->cbxShugar->isChecked();
}
