#include "report/ReportBuilder.h"

#include "decision/BodyMeasures.h"
#include "decision/Conclusion.h"
#include "decision/DecisionU.h"
#include "decision/Emergency.h"
#include "decision/NumberFields.h"
#include "decision/RussianPlural.h"
#include "decision/WordTables.h"
#include "platform/files/DataFolder.h"
#include "report/ReportLayout.h"
#include "report/ReportU.h"

#include <QLocale>

#include <algorithm>

using Automation::Variant;
using FindingGroup = ExaminationRecord::FindingGroup;
using Test = ExaminationRecord::Test;

namespace {

const QString LineBreak = QStringLiteral("\r\n");
// The new table: the picture row and the open row.
constexpr int TableRows = 2;

// "%3.1f", "%3.0f": the user's decimal separator, at least three places.
QString Real(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals).rightJustified(3, QLatin1Char(' '));
}

// "%3d"
QString Integer(int value)
{
    return QString::number(value).rightJustified(3, QLatin1Char(' '));
}

// "%-2d": left-aligned in two places, so one digit gets a trailing blank.
QString LeftInteger(int value)
{
    return QString::number(value).leftJustified(2, QLatin1Char(' '));
}

// A value the person did not give is never printed as their own.
QString Filled(bool given, const QString& value)
{
    return given ? value : QStringLiteral("не указано");
}

// A test's value as the person typed it, `kept` being the field's number.
QString Filled(const Given<int>& value, NumberField field, const QString& kept)
{
    return Filled(value.given, NumberText(field, value, kept));
}

QDate DateOf(const ExaminationRecord& record, Test test)
{
    return record.TestDate(test).date();
}

void AddPictureRow(const Variant& table)
{
    const QString picture = DataFolder::file(QStringLiteral("Images/Tessora.jpg"));
    table.call(QStringLiteral("Cell"), 1, 1)
        .get(QStringLiteral("Range"))
        .get(QStringLiteral("InlineShapes"))
        .call(QStringLiteral("AddPicture"), picture, false, true);
}

Variant AuthorProperty(const Variant& document)
{
    return document.call(QStringLiteral("BuiltInDocumentProperties"), QStringLiteral("AUTHOR"));
}

// The person examined, when named; else the office's user, as the new
// document's author. Returns the name written.
QString AddHeader(TReportLayout& layout, const Variant& document, const ExaminationRecord& record,
    const Conclusion& conclusion)
{
    const int years = conclusion.Age;
    const QString age = Filled(record.birthDate.given,
        QStringLiteral("%1 %2").arg(Integer(years), PluralForm(years, Nouns::Year)));
    const QString sex = Filled(record.gender.given, SexWords[record.GetGender() == 1 ? 1 : 0]);
    const QString given = record.name.simplified();
    const QString name
        = given.isEmpty() ? AuthorProperty(document).get(QStringLiteral("Value")).toString() : given;
    layout.AddPatientHeader(name, sex, age, conclusion.Now.date());
    return name;
}

// An emergency statement answered Yes or a measured value past its red flag
// puts the conclusion's urgent notice, bold, right under the header, where a
// doctor reading the paper sees it first.
void AddUrgentNotice(TReportLayout& layout, const QString& title, const QStringList& lines)
{
    QString notice = lines.join(QLatin1Char(' '));
    if (notice.isEmpty())
        return;
    notice.chop(notice.endsWith(QLatin1Char('.')) ? 1 : 0); // the section adds its own full stop
    layout.AddUrgentSection(title, notice);
}

// The same-day notice follows the urgent one, under its own title.
void AddUrgentNotice(TReportLayout& layout, const Conclusion& conclusion)
{
    AddUrgentNotice(layout, QStringLiteral("Срочно:"), conclusion.Notice);
    AddUrgentNotice(layout, QStringLiteral("Сегодня же к врачу:"), conclusion.SameDay);
}

// A vital sign the person did not measure is not printed as its initial value.
QString MeasuredOr(const ExaminationRecord& record, ExaminationRecord::Vital vital, const QString& value,
    const char16_t* notMeasured)
{
    return record.IsMeasured(vital) ? value : QString::fromUtf16(notMeasured);
}

void AddObjective(TReportLayout& layout, const ExaminationRecord& record)
{
    using Vital = ExaminationRecord::Vital;
    const QString temperature = MeasuredOr(record, Vital::Temperature,
        NumberText(NumberField::Temperature, record.temperatureTenths, Real(record.GetTemperature(), 1),
            QStringLiteral("град. Ц")),
        u"не измерена");
    const QString pulse = MeasuredOr(record, Vital::Pulse,
        QStringLiteral("%1%2 %3").arg(
            NumberText(NumberField::Pulse, record.pulse, Integer(record.GetPulse())),
            record.pulse.typed ? QStringLiteral(",") : QString(),
            RhythmWords[record.IsPulseRhythmic() ? 1 : 0]),
        u"не измерен");
    const QString pressure
        = MeasuredOr(record, Vital::Pressure, PressureText(record, QStringLiteral("мм Hg")), u"не измерено");
    const QString bmi = !HasOwnBodyMassIndex(record) ? QStringLiteral("не рассчитан")
                                                      : Real(record.CalcBodyMassIndex(), 1);
    const QString weight = BodyMeasureText(record, ExaminationRecord::BodyMeasure::Weight);
    const QString height = BodyMeasureText(record, ExaminationRecord::BodyMeasure::Height);
    layout.AddObjectiveTable(height, weight, bmi, pressure, pulse, temperature);
}

void AddEcg(TReportLayout& layout, const ExaminationRecord& record, const Conclusion& conclusion)
{
    const QString title = QStringLiteral("Электрокардиография:");
    if (conclusion.present(Test::ECG))
        layout.AddDatedResult(title, QStringLiteral("Заключение"), EcgFindingsText(record, conclusion),
            !conclusion.recent(Test::ECG), DateOf(record, Test::ECG));
    else
        layout.AddTextSection(title, QString());
}

void AddFluorography(TReportLayout& layout, const ExaminationRecord& record, const Conclusion& conclusion)
{
    const QString title = QStringLiteral("Флюорография:");
    if (conclusion.present(Test::Flu))
        layout.AddDatedResult(title, QStringLiteral("Заключение"), FluorographyText(record, conclusion),
            !conclusion.recent(Test::Flu), DateOf(record, Test::Flu));
    else
        layout.AddTextSection(title, QString());
}

// The values as entered, also for a test too old to count: the grey shading
// says that it is old, and the norm values would read as measured ones.
void AddBlood(TReportLayout& layout, const ExaminationRecord& record, const Conclusion& conclusion)
{
    if (!conclusion.present(Test::Blood)) {
        layout.AddTextSection(QStringLiteral("Анализ крови:"), QString());
        return;
    }
    const QString leucocytes = QLocale().toString(record.leucocytesTenths.value / 10.0, 'f', 1);
    layout.AddBloodTable(
        Filled(record.hemoglobin, NumberField::Hemoglobin, QString::number(record.hemoglobin.value)),
        Filled(record.leucocytesTenths, NumberField::Leucocytes, leucocytes),
        Filled(record.esr, NumberField::Esr, QString::number(record.esr.value)),
        !conclusion.recent(Test::Blood), DateOf(record, Test::Blood));
}

void AddUrine(TReportLayout& layout, const ExaminationRecord& record, const Conclusion& conclusion)
{
    if (!conclusion.present(Test::Urine)) {
        layout.AddTextSection(QStringLiteral("Анализ мочи:"), QString());
        return;
    }
    layout.AddUrineTable(UrinePresenceWords[record.urineProtein ? 1 : 0],
        UrinePresenceWords[record.urineSugar ? 1 : 0],
        Filled(record.urineErythrocytes, NumberField::UrineErythrocytes,
            LeftInteger(record.urineErythrocytes.value)),
        !conclusion.recent(Test::Urine),
        Filled(
            record.urineLeucocytes, NumberField::UrineLeucocytes, LeftInteger(record.urineLeucocytes.value)),
        DateOf(record, Test::Urine));
}

// A result too old to count is printed grey; the report then says what grey means.
bool ShadesAResult(const Conclusion& conclusion)
{
    return std::ranges::any_of(conclusion.Tests, [](const Conclusion::TTestState& test) {
        return test.present && !test.recent;
    });
}

void AddSelfExam(TReportLayout& layout, const ExaminationRecord& record, const QDate& today)
{
    const QString title = QStringLiteral("При самостоятельном осмотре:");
    const QString found = SelfExamText(record);
    if (found.isEmpty())
        layout.AddTextSection(title, QString());
    else
        layout.AddDatedResult(title, QStringLiteral("Выявлены"), found, false, today);
}

void SetScreenUpdating(const Variant& word, bool on)
{
    word.set(QStringLiteral("ScreenUpdating"), on);
}

// A report that failed half-way is left as it is, but drawn again, so that
// showing it on the next command shows what was built.
void ResumeScreenUpdating(const Variant& word)
{
    try {
        if (!word.isEmpty())
            SetScreenUpdating(word, true);
    } catch (const std::exception&) {
    }
}

void AppendLine(QString& text, const QString& line)
{
    if (!text.isEmpty())
        text += QLatin1Char('.') + LineBreak;
    text += line;
}

} // namespace

QString CheckedCaptions(const QList<ExaminationRecord::FindingBox>& group)
{
    QString text;
    for (const ExaminationRecord::FindingBox& box : group) {
        if (!box.checked)
            continue;
        text = text.isEmpty() ? box.caption : QStringLiteral("%1, %2").arg(text, box.caption.toLower());
    }
    return text.trimmed();
}

QString EcgFindingsText(const ExaminationRecord& record, const Conclusion& conclusion)
{
    if (!conclusion.present(Test::ECG))
        return {};
    const QString found = CheckedCaptions(record.FindingBoxes(FindingGroup::ECG));
    return found.isEmpty() ? StudyResultWords[0] : found;
}

QString FluorographyText(const ExaminationRecord& record, const Conclusion& conclusion)
{
    return conclusion.present(Test::Flu) ? StudyResultWords[record.IsFluPathology() ? 1 : 0] : QString();
}

QString SelfExamText(const ExaminationRecord& record)
{
    QString text;
    const QString lymph = CheckedCaptions(record.FindingBoxes(FindingGroup::Lymph));
    if (!lymph.isEmpty())
        text = QStringLiteral("Увеличенные лимфатические узлы: %1").arg(lymph.toLower());
    const QString limbs = CheckedCaptions(record.FindingBoxes(FindingGroup::Limbs));
    if (!limbs.isEmpty())
        AppendLine(text, QStringLiteral("%1 конечностей").arg(limbs));
    const QString hernias = CheckedCaptions(record.FindingBoxes(FindingGroup::Hernias));
    if (!hernias.isEmpty())
        AppendLine(text, QStringLiteral("Грыжи: %1").arg(hernias.toLower()));
    return text;
}

bool CreateReportDocument(TReportState& report)
{
    if (!report.ConnectWord())
        return false;
    try {
        report.ReportDoc
            = report.WordApp.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), report.OmittedArg);
        report.DocSink->Disconnect();
        report.DocSink->Connect(report.ReportDoc);
        const Variant where = report.WordApp.get(QStringLiteral("Selection")).get(QStringLiteral("Range"));
        report.ReportTable
            = report.ReportDoc.get(QStringLiteral("Tables")).call(QStringLiteral("Add"), where, TableRows, 1);
        AddPictureRow(report.ReportTable);
    } catch (const std::exception& error) {
        report.ShowReportMessage(QString::fromUtf8(error.what()));
    }
    return true;
}

bool BuildReport(
    TReportState& report, const ExaminationRecord& record, const Conclusion& conclusion, const TReportStep& step)
{
    step();
    if (!CreateReportDocument(report))
        return false;
    QString name;
    try {
        SetScreenUpdating(report.WordApp, false);
        TReportLayout layout(report.ReportDoc, report.ReportTable, TableRows);
        step();
        step();
        name = AddHeader(layout, report.ReportDoc, record, conclusion);
        AddUrgentNotice(layout, conclusion);
        step();
        layout.AddTextSection(QStringLiteral("Наблюдается:"), conclusion.ObservedText);
        step();
        layout.AddTextSection(QStringLiteral("Жалуется на:"), conclusion.Complaints);
        step();
        AddObjective(layout, record);
        step();
        AddEcg(layout, record, conclusion);
        step();
        AddFluorography(layout, record, conclusion);
        step();
        AddBlood(layout, record, conclusion);
        step();
        AddUrine(layout, record, conclusion);
        step();
        AddSelfExam(layout, record, conclusion.Now.date());
        step();
        layout.AddTextSection(
            QStringLiteral("Рекомендованы консультации:"), conclusion.recommendedListOrAdvice());
        if (ShadesAResult(conclusion))
            layout.AddShadingKey();
        layout.AddNote(Emergency::NotADiagnosis());
        step();
        layout.FinishReportTable(conclusion.Now);
        step();
        SetScreenUpdating(report.WordApp, true);
    } catch (...) {
        ResumeScreenUpdating(report.WordApp);
        throw;
    }
    report.ShowReport();
    // The saved file's author is the name row's. Written once the report is
    // shown: showing it gives a new document the office's user as author again.
    AuthorProperty(report.ReportDoc).set(QStringLiteral("Value"), name);
    return true;
}
