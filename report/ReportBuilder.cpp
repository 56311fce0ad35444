#include "report/ReportBuilder.h"

#include "decision/Conclusion.h"
#include "decision/DecisionU.h"
#include "decision/RussianPlural.h"
#include "decision/WordTables.h"
#include "platform/files/DataFolder.h"
#include "report/ReportLayout.h"
#include "report/ReportU.h"

#include <QLocale>

using Automation::Variant;
using FindingGroup = ExaminationRecord::FindingGroup;
using Test = ExaminationRecord::Test;

namespace {

const QString LineBreak = QStringLiteral("\r\n");

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

QDate DateOf(const ExaminationRecord& record, Test test)
{
    return record.TestDate(test).date();
}

// The report's sections over the layout of its table.
class TReportBuilder : public TReportLayout {
public:
    explicit TReportBuilder(TReportState& report)
        : TReportLayout(report)
        , Report(report)
    {
    }

    bool CreateReportDocument();
    bool Build(const ExaminationRecord& record, const Conclusion& conclusion, const TReportStep& step,
        const QDateTime& now);

private:
    void AddPictureRow();
    void AddHeader(const ExaminationRecord& record, const QDateTime& now);
    void AddUrgentNotice(const Conclusion& conclusion);
    void AddObjective(const ExaminationRecord& record);
    void AddEcg(const ExaminationRecord& record, const QDateTime& now);
    void AddFluorography(const ExaminationRecord& record, const QDateTime& now);
    void AddBlood(const ExaminationRecord& record, const QDateTime& now);
    void AddUrine(const ExaminationRecord& record, const QDateTime& now);
    void AddSelfExam(const ExaminationRecord& record, const QDateTime& now);
    void SetScreenUpdating(bool on);
    void ResumeScreenUpdating();

    TReportState& Report;
    Variant& WordApp = Report.WordApp;
};

void TReportBuilder::AddPictureRow()
{
    const QString picture = DataFolder::file(QStringLiteral("Images/Tessora.jpg"));
    ReportTable.call(QStringLiteral("Cell"), 1, 1)
        .get(QStringLiteral("Range"))
        .get(QStringLiteral("InlineShapes"))
        .call(QStringLiteral("AddPicture"), picture, false, true);
}

void TReportBuilder::AddHeader(const ExaminationRecord& record, const QDateTime& now)
{
    const int years = record.GetAge();
    const QString age = QStringLiteral("%1 %2").arg(Integer(years), PluralForm(years, Nouns::Year));
    const QString sex = SexWords[record.GetGender() == 1 ? 1 : 0];
    const QString name = ReportDoc.call(QStringLiteral("BuiltInDocumentProperties"), QStringLiteral("AUTHOR"))
                             .get(QStringLiteral("Value"))
                             .toString();
    AddPatientHeader(name, sex, age, now.date());
}

// An emergency statement answered Yes puts the conclusion's urgent notice
// right under the header, where a doctor reading the paper sees it first.
void TReportBuilder::AddUrgentNotice(const Conclusion& conclusion)
{
    QString notice = conclusion.Notice.join(QLatin1Char(' '));
    if (notice.isEmpty())
        return;
    notice.chop(notice.endsWith(QLatin1Char('.')) ? 1 : 0); // the section adds its own full stop
    AddTextSection(QStringLiteral("Срочно:"), notice);
}

void TReportBuilder::AddObjective(const ExaminationRecord& record)
{
    const QString temperature = QStringLiteral("%1 град. Ц").arg(Real(record.GetTemperature(), 1));
    const QString pulse = QStringLiteral("%1 %2").arg(
        Integer(record.GetPulse()), RhythmWords[record.IsPulseRhythmic() ? 1 : 0]);
    const QString pressure
        = QStringLiteral("%1/%2 мм Hg").arg(record.GetSystolic()).arg(record.GetDiastolic());
    const QString bmi = Real(record.CalcBodyMassIndex(), 1);
    const QString weight = QStringLiteral("%1 кг").arg(Real(record.GetWeight(), 0));
    const QString height = QStringLiteral("%1 см").arg(Real(record.GetHeight(), 0));
    AddObjectiveTable(height, weight, bmi, pressure, pulse, temperature);
}

void TReportBuilder::AddEcg(const ExaminationRecord& record, const QDateTime& now)
{
    const QString title = QStringLiteral("Электрокардиография:");
    if (ECGPresent(record))
        AddDatedResult(title, QStringLiteral("Заключение"), EcgFindingsText(record), !ECGRecent(record, now),
            DateOf(record, Test::ECG));
    else
        AddTextSection(title, QString());
}

void TReportBuilder::AddFluorography(const ExaminationRecord& record, const QDateTime& now)
{
    const QString title = QStringLiteral("Флюорография:");
    if (FluPresent(record))
        AddDatedResult(title, QStringLiteral("Заключение"), FluorographyText(record), !FluRecent(record, now),
            DateOf(record, Test::Flu));
    else
        AddTextSection(title, QString());
}

// The values as entered, also for a test too old to count: the grey shading
// says that it is old, and the norm values would read as measured ones.
void TReportBuilder::AddBlood(const ExaminationRecord& record, const QDateTime& now)
{
    if (!BloodPresent(record)) {
        AddTextSection(QStringLiteral("Анализ крови:"), QString());
        return;
    }
    const QString leucocytes = QLocale().toString(record.LeucocytesTenths() / 10.0, 'f', 1);
    AddBloodTable(QString::number(record.Hemoglobin()), leucocytes, QString::number(record.Esr()),
        !BloodRecent(record, now), DateOf(record, Test::Blood));
}

void TReportBuilder::AddUrine(const ExaminationRecord& record, const QDateTime& now)
{
    if (!UrinePresent(record)) {
        AddTextSection(QStringLiteral("Анализ мочи:"), QString());
        return;
    }
    AddUrineTable(UrinePresenceWords[record.UrineProtein() ? 1 : 0],
        UrinePresenceWords[record.UrineSugar() ? 1 : 0], LeftInteger(record.UrineErythrocytes()),
        !UrineRecent(record, now), LeftInteger(record.UrineLeucocytes()), DateOf(record, Test::Urine));
}

void TReportBuilder::AddSelfExam(const ExaminationRecord& record, const QDateTime& now)
{
    const QString title = QStringLiteral("При самостоятельном осмотре:");
    const QString found = SelfExamText(record);
    if (found.isEmpty())
        AddTextSection(title, QString());
    else
        AddDatedResult(title, QStringLiteral("Выявлены"), found, false, now.date());
}

void TReportBuilder::SetScreenUpdating(bool on)
{
    WordApp.set(QStringLiteral("ScreenUpdating"), on);
}

// A report that failed half-way is left as it is, but drawn again, so that
// showing it on the next command shows what was built.
void TReportBuilder::ResumeScreenUpdating()
{
    try {
        if (!WordApp.isEmpty())
            SetScreenUpdating(true);
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

QString EcgFindingsText(const ExaminationRecord& record)
{
    if (!ECGPresent(record))
        return {};
    const QString found = CheckedCaptions(record.FindingBoxes(FindingGroup::ECG));
    return found.isEmpty() ? StudyResultWords[0] : found;
}

QString FluorographyText(const ExaminationRecord& record)
{
    return FluPresent(record) ? StudyResultWords[record.IsFluPathology() ? 1 : 0] : QString();
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

bool TReportBuilder::CreateReportDocument()
{
    if (!Report.ConnectWord())
        return false;
    try {
        ReportDoc = WordApp.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), Report.OmittedArg);
        Report.DocSink->Disconnect();
        Report.DocSink->Connect(ReportDoc);
        const Variant where = WordApp.get(QStringLiteral("Selection")).get(QStringLiteral("Range"));
        ReportTable = ReportDoc.get(QStringLiteral("Tables")).call(QStringLiteral("Add"), where, 2, 1);
        AddPictureRow();
    } catch (const std::exception& error) {
        Report.ShowReportMessage(QString::fromUtf8(error.what()));
    }
    return true;
}

bool TReportBuilder::Build(const ExaminationRecord& record, const Conclusion& conclusion,
    const TReportStep& step, const QDateTime& now)
{
    step();
    if (!CreateReportDocument())
        return false;
    try {
        SetScreenUpdating(false);
        step();
        step();
        AddHeader(record, now);
        AddUrgentNotice(conclusion);
        step();
        AddTextSection(QStringLiteral("Наблюдается:"), ObservedList(record));
        step();
        AddTextSection(QStringLiteral("Жалуется на:"), conclusion.Complaints);
        step();
        AddObjective(record);
        step();
        AddEcg(record, now);
        step();
        AddFluorography(record, now);
        step();
        AddBlood(record, now);
        step();
        AddUrine(record, now);
        step();
        AddSelfExam(record, now);
        step();
        AddTextSection(QStringLiteral("Рекомендованы консультации:"), conclusion.recommendedList());
        step();
        FinishReportTable(now);
        step();
        SetScreenUpdating(true);
    } catch (...) {
        ResumeScreenUpdating();
        throw;
    }
    Report.ShowReport();
    return true;
}

bool CreateReportDocument(TReportState& report)
{
    return TReportBuilder(report).CreateReportDocument();
}

bool BuildReport(TReportState& report, const ExaminationRecord& record, const Conclusion& conclusion,
    const TReportStep& step, const QDateTime& now)
{
    return TReportBuilder(report).Build(record, conclusion, step, now);
}
