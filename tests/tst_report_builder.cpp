#include "report/ReportBuilder.h"

#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "platform/files/DataFolder.h"
#include "platform/writer/WordDocument.h"
#include "report/ReportLayout.h"
#include "report/ReportU.h"
#include "tests/OfficeConnection.h"
#include "tests/ReportTableReader.h"
#include "tests/TestRecord.h"
#include "tests/WriterTestOffice.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <pwd.h>

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace css;
using Automation::Variant;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

const QDateTime Now(QDate(2026, 3, 12), QTime(10, 15, 30));

// Everything present and something ticked on every page; the fluorography and
// the blood test are too old to count.
const char* const FullRecord = "male age=41 height=182 weight=84 temp=36.9 pulse=72 arrhythmia bp=135/85 "
                               "ecg=400 block scarring flu=500 fluPathology blood=90 hb=150 leu=6.4 esr=12 "
                               "urine=10 protein uery=3 uleu=12 cbxLPah cbxLSheja cbxFDeform cbxBPup "
                               "cbxCardio cbxOftal q1 q2";

// The finished table of FullRecord; {…} stand for the dates of the record.
const char* const FullReport = R"(


*{account}*
‾_[1 1 1 1 1 1] [*Пол*] ¦ мужчина] ¦ *Возраст*] ¦ 41 год] ¦ *Дата осмотра*] ¦ {today}]

*Наблюдается:*
‾_[кардиологом, офтальмологом.]

*Жалуется на:*
‾_[общую слабость, быструю утомляемость; головные боли.]

_*Объективно:*
[1 1 1 1 1 1] [*Рост*] ¦ *Вес*] ¦ *ИМТ*] ¦ *Температура*] ¦ *Пульс *(в мин)] ¦ *АД*]
[1 1 1 1 1 1] [182 см] ¦ 84 кг] ¦ 25,4] ¦ 36,9 град. Ц] ¦ 72 аритмия] ¦ 135/85 мм Hg]

*Электрокардиография:*
[1 5] [*Дата*] ¦ *Заключение*]
[1 5] [{ecg}] ¦ Блокада ножки пучка Гиса, рубцовые изменения миокарда.]

*Флюорография:*
[1 5] [*Дата*] ¦ *Заключение*]
[1 5] [▒{flu}] ¦ ▒Патология.]

*Анализ крови:*
[1 2 1 2] [*Дата*] ¦ *Показатель*] ¦ *Значение*] ¦ *Единицы измерения*]
[1 2 1 2] [▒{blood}] ¦ ▒Гемоглобин] ¦ ▒150] ¦ ▒г/л]
[1 2 1 2] [▒] ¦ ▒Лейкоциты] ¦ ▒6,4] ¦ ▒тыс./мкл]
[1 2 1 2] [▒] ¦ ▒СОЭ] ¦ ▒12] ¦ ▒мм/час]

*Анализ мочи:*
[1 2 1 2] [*Дата*] ¦ *Показатель*] ¦ *Значение*] ¦ *Единицы измерения*]
[1 2 1 2] [{urine}] ¦ Белок] ¦ +] ¦ наличие]
[1 2 1 2] [] ¦ Сахар] ¦ отсутствует] ¦ наличие]
[1 2 1 2] [] ¦ Эритроциты] ¦ 3 ] ¦ ед. в препарате]
[1 2 1 2] [] ¦ Лейкоциты] ¦ 12] ¦ ед. в поле зрения]

*При самостоятельном осмотре:*
[1 5] [*Дата*] ¦ *Выявлены*]
[1 5] [{today}] ¦ Увеличенные лимфатические узлы: на шее, в паху. ¶ Деформация конечностей. ¶ Грыжи: пупочная.]

*Рекомендованы консультации:*
‾_[кардиолога, ЛОР врача, нефролога, хирурга, уролога.]

Серым выделены результаты, срок действия которых истек: в заключении они не учтены.

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
{stamp})";

// The full name in the password entry of the test's user, else the login.
QString AccountName()
{
    const passwd* entry = getpwuid(getuid());
    const QString comment = QString::fromLocal8Bit(entry->pw_gecos).section(QLatin1Char(','), 0, 0);
    return comment.isEmpty() ? QString::fromLocal8Bit(entry->pw_name) : comment;
}

QString Expected(QString table, const TestRecord& record)
{
    using Test = ExaminationRecord::Test;
    return table.replace(QStringLiteral("{today}"), ReportDate(Now.date()))
        .replace(QStringLiteral("{ecg}"), ReportDate(record.TestDate(Test::ECG).date()))
        .replace(QStringLiteral("{flu}"), ReportDate(record.TestDate(Test::Flu).date()))
        .replace(QStringLiteral("{blood}"), ReportDate(record.TestDate(Test::Blood).date()))
        .replace(QStringLiteral("{urine}"), ReportDate(record.TestDate(Test::Urine).date()))
        .replace(QStringLiteral("{stamp}"), ReportStamp(Now))
        .replace(QStringLiteral("{account}"), AccountName());
}

Reference<frame::XModel> ModelOf(const Variant& document)
{
    auto* word = dynamic_cast<WordDocument*>(document.toDispatch().get());
    return word ? word->model() : Reference<frame::XModel>();
}

// The rows of the section under the bold title, up to the next empty row.
QStringList Section(const QStringList& rows, const QString& title)
{
    qsizetype first = rows.indexOf(QStringLiteral("*%1*").arg(title));
    if (first < 0) // a title row with a line under it
        first = rows.indexOf(QStringLiteral("_*%1*").arg(title));
    const qsizetype end = rows.indexOf(QString(), first);
    return first < 0 ? QStringList() : rows.mid(first + 1, end - first - 1);
}

// The rows that begin on another page than the row above them in their
// section (a run of rows between empty ones) or end on another page than they
// begin, the time stamp left out.
QStringList RowsParted(const Reference<frame::XModel>& document, const QStringList& rows)
{
    const Reference<text::XTextViewCursor> cursor
        = Reference<text::XTextViewCursorSupplier>(document->getCurrentController(), UNO_QUERY_THROW)
              ->getViewCursor();
    const WriterTableModel table(ReportTableReader::FirstTable(document));
    const auto pageAt = [&](const Reference<text::XTextRange>& at) {
        cursor->gotoRange(at, false);
        return int(Reference<text::XPageCursor>(cursor, UNO_QUERY_THROW)->getPage());
    };
    QStringList parted;
    for (int row = 1, above = 0; row < rows.size(); ++row) {
        const Reference<text::XText> text(table.cell(row, 1), UNO_QUERY_THROW);
        const int page = pageAt(text->getStart());
        if ((page != above && row > 1 && !rows[row - 1].isEmpty() && !rows[row - 2].isEmpty())
            || pageAt(text->getEnd()) != page)
            parted << rows[row - 1];
        above = page;
    }
    return parted;
}

void SetProfileName(
    const Reference<uno::XComponentContext>& office, const QString& given, const QString& surname)
{
    const uno::Any path(
        beans::NamedValue(OUString("nodepath"), uno::Any(OUString("/org.openoffice.UserProfile/Data"))));
    const Reference<container::XNameReplace> data(
        configuration::theDefaultProvider::get(office)->createInstanceWithArguments(
            OUString("com.sun.star.configuration.ConfigurationUpdateAccess"),
            uno::Sequence<uno::Any>(&path, 1)),
        UNO_QUERY_THROW);
    data->replaceByName(OUString("givenname"), uno::Any(toOUString(given)));
    data->replaceByName(OUString("sn"), uno::Any(toOUString(surname)));
    Reference<util::XChangesBatch>(data, UNO_QUERY_THROW)->commitChanges();
}

} // namespace

class TestReportBuilder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void fullReportReadBackFromTheSavedDocument();
    void sections_data();
    void sections();
    void nameRowAndAuthor_data();
    void nameRowAndAuthor();
    void refusedValueStopsTheReportAndKeepsTheDocument();
    void missingPictureLeavesOnlyTheFirstRowEmpty();
    void withoutWordProcessorNothingIsBuilt();

private:
    ReportTableView BuildLive(TestRecord& record);

    std::unique_ptr<WriterTestOffice> m_office;
    QTemporaryDir m_folder;
    QStringList m_boxes;
    std::unique_ptr<TReportState> m_report;
    ComplaintPhrases m_phrases;
    int m_steps = 0;
};

void TestReportBuilder::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    m_office = std::make_unique<WriterTestOffice>(QStringLiteral("tst_builder"));
    m_phrases = ComplaintPhrases::Load();
    m_report = std::make_unique<TReportState>();
    m_report->SetReportErrorBox([this](const QString& text) { m_boxes << QStringLiteral("error: ") + text; });
    m_report->SetReportMessageBox([this](const QString& text) { m_boxes << text; });
}

void TestReportBuilder::init()
{
    m_boxes.clear();
    m_steps = 0;
}

void TestReportBuilder::cleanup()
{
    // The office stays for the next report; only the document goes.
    if (!m_report->ReportDoc.isEmpty())
        m_report->ReportDoc.call(QStringLiteral("Close"), 0);
}

void TestReportBuilder::cleanupTestCase()
{
    m_report->CloseConclusionDocuments();
    m_report.reset();
    m_office.reset();
}

ReportTableView TestReportBuilder::BuildLive(TestRecord& record)
{
    if (!BuildReport(
            *m_report, record, Conclude(record, m_phrases, Now), [this] { ++m_steps; }))
        return {};
    WriterTestOffice::remember();
    return ReportTableReader::Read(ReportTableReader::FirstTable(ModelOf(m_report->ReportDoc)));
}

void TestReportBuilder::fullReportReadBackFromTheSavedDocument()
{
    TestRecord record(Now);
    QCOMPARE(record.apply(QString::fromUtf8(FullRecord)), QString());
    QVERIFY(BuildReport(
        *m_report, record, Conclude(record, m_phrases, Now), [this] { ++m_steps; }));
    WriterTestOffice::remember();
    QCOMPARE(m_steps, ReportSteps);
    QCOMPARE(m_boxes, QStringList());
    QCOMPARE(m_report->ReportDoc.get(QStringLiteral("ActiveWindow"))
                 .get(QStringLiteral("View"))
                 .get(QStringLiteral("TableGridlines"))
                 .toBool(),
        false);
    const QString file = m_folder.filePath(QStringLiteral("report.doc"));
    m_report->ReportDoc.call(QStringLiteral("SaveAs"), file);

    std::shared_ptr<UnoOffice> office = ConnectToTestOffice(m_office->pipeName());
    QVERIFY(office);
    const beans::PropertyValue hidden = namedValue("Hidden", uno::Any(true));
    Reference<lang::XComponent> saved
        = Reference<frame::XComponentLoader>(office->desktop(), UNO_QUERY_THROW)
              ->loadComponentFromURL(toOUString(QUrl::fromLocalFile(file).toString()), OUString("_blank"), 0,
                  uno::Sequence<beans::PropertyValue>(&hidden, 1));
    const auto closeSaved
        = qScopeGuard([&] { Reference<util::XCloseable>(saved, UNO_QUERY_THROW)->close(true); });
    const Reference<text::XTextTable> table = ReportTableReader::FirstTable(saved);
    const ReportTableView view = ReportTableReader::Read(table);

    QCOMPARE(view.rows.join(QLatin1Char('\n')), Expected(QString::fromUtf8(FullReport).mid(1), record));
    QCOMPARE(RowsParted(Reference<frame::XModel>(saved, UNO_QUERY_THROW), view.rows), QStringList());
    // A row too long for what is left of its page goes to the next one whole.
    m_report->ReportTable.call(QStringLiteral("Cell"), 10, 1)
        .get(QStringLiteral("Range"))
        .call(QStringLiteral("InsertBefore"), QStringLiteral("жалоба\r\n").repeated(50));
    QCOMPARE(RowsParted(ModelOf(m_report->ReportDoc), view.rows), QStringList());
    for (int row = 1; row <= view.rows.size(); ++row) {
        const double size = row == 3 ? 16 : row == view.rows.size() ? 8 : 11;
        QVERIFY2(view.fontSizes[row - 1] == std::set<double> { size }, qPrintable(QString::number(row)));
        QCOMPARE(view.rightAligned[row - 1], row == view.rows.size());
    }
    Reference<container::XIndexAccess> pictures(
        Reference<text::XTextGraphicObjectsSupplier>(saved, UNO_QUERY_THROW)->getGraphicObjects(),
        UNO_QUERY_THROW);
    QCOMPARE(pictures->getCount(), 1);
    const Reference<text::XTextContent> picture(pictures->getByIndex(0), UNO_QUERY_THROW);
    QVERIFY(picture->getAnchor()->getText()
        == Reference<text::XText>(table->getCellByName(OUString("A1")), UNO_QUERY));
}

void TestReportBuilder::sections_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("rows");
    const QString emptyBox = QStringLiteral("‾_[]");
    QTest::newRow("absent ECG: an empty boxed row") << ""
                                                    << "Электрокардиография:" << emptyBox;
    QTest::newRow("absent fluorography") << ""
                                         << "Флюорография:" << emptyBox;
    QTest::newRow("absent blood test") << ""
                                       << "Анализ крови:" << emptyBox;
    QTest::newRow("absent urine test") << ""
                                       << "Анализ мочи:" << emptyBox;
    QTest::newRow("self-examination without findings") << ""
                                                       << "При самостоятельном осмотре:" << emptyBox;
    QTest::newRow("nobody observes") << ""
                                     << "Наблюдается:" << emptyBox;
    QTest::newRow("no complaints") << ""
                                   << "Жалуется на:" << emptyBox;
    QTest::newRow("ECG without findings, five years old")
        << "ecg=1830"
        << "Электрокардиография:"
        << "[1 5] [*Дата*] ¦ *Заключение*]\n[1 5] [▒{ecg}] ¦ ▒Без особенностей.]";
    QTest::newRow("fresh fluorography, nothing particular")
        << "flu=20"
        << "Флюорография:"
        << "[1 5] [*Дата*] ¦ *Заключение*]\n[1 5] [{flu}] ¦ Без особенностей.]";
    QTest::newRow("old blood test: the entered values, grey")
        << "blood=70 hb=95 leu=9.1 esr=30"
        << "Анализ крови:"
        << "[1 2 1 2] [*Дата*] ¦ *Показатель*] ¦ *Значение*] ¦ *Единицы измерения*]\n"
           "[1 2 1 2] [▒{blood}] ¦ ▒Гемоглобин] ¦ ▒95] ¦ ▒г/л]\n"
           "[1 2 1 2] [▒] ¦ ▒Лейкоциты] ¦ ▒9,1] ¦ ▒тыс./мкл]\n"
           "[1 2 1 2] [▒] ¦ ▒СОЭ] ¦ ▒30] ¦ ▒мм/час]";
    QTest::newRow("urine sugar, counts 12 and 3")
        << "urine=3 sugar uery=12 uleu=3"
        << "Анализ мочи:"
        << "[1 2 1 2] [*Дата*] ¦ *Показатель*] ¦ *Значение*] ¦ *Единицы измерения*]\n"
           "[1 2 1 2] [{urine}] ¦ Белок] ¦ отсутствует] ¦ наличие]\n"
           "[1 2 1 2] [] ¦ Сахар] ¦ +] ¦ наличие]\n"
           "[1 2 1 2] [] ¦ Эритроциты] ¦ 12] ¦ ед. в препарате]\n"
           "[1 2 1 2] [] ¦ Лейкоциты] ¦ 3 ] ¦ ед. в поле зрения]";
    QTest::newRow("limbs and hernias without lymph nodes")
        << "cbxFVosVen cbxFVaricos cbxBBedro cbxBPah"
        << "При самостоятельном осмотре:"
        << "[1 5] [*Дата*] ¦ *Выявлены*]\n"
           "[1 5] [{today}] ¦ Расширение вен, воспаление вен конечностей. ¶ Грыжи: в паху, на бедре.]";
    QTest::newRow("age 7, trimmed; a woman")
        << "female age=7"
        << ""
        << "‾_[1 1 1 1 1 1] [*Пол*] ¦ женщина] ¦ *Возраст*] ¦ 7 лет] ¦ *Дата осмотра*] ¦ {today}]";
    QTest::newRow("age 22 agrees") << "age=22"
                                   << ""
                                   << "‾_[1 1 1 1 1 1] [*Пол*] ¦ женщина] ¦ *Возраст*] ¦ 22 года] ¦ "
                                      "*Дата осмотра*] ¦ {today}]";
    QTest::newRow("stroke signs: the urgent notice under the header")
        << "q59"
        << "Срочно:"
        << "‾_[*СРОЧНО! Вы отметили: внезапную слабость руки или ноги, онемение лица или нарушение речи. "
           "Это может быть признаком состояния, опасного для жизни. Если это происходит сейчас или случилось "
           "в последние сутки, не ждите консультации. Немедленно вызовите скорую помощь: 103 или 112. "
           "Если это было больше суток назад и уже прошло, всё равно не откладывайте: покажитесь неврологу "
           "в ближайшие сутки, а если прошло больше недели — в течение недели, не в плановом порядке: после "
           "таких приступов в первые дни высок риск инсульта.*]";
    QTest::newRow("pressure 190/115: the urgent notice")
        << "bp=190/115"
        << "Срочно:"
        << "‾_[*СРОЧНО! Артериальное давление 190/115 (180/110 или выше). Обратитесь к врачу сегодня; если "
           "болит голова или грудь, нарушены речь или зрение, ослабла рука или нога, немедленно вызовите "
           "скорую помощь: 103 или 112.*]";
    QTest::newRow("floaters: the same-day notice under its own title")
        << "q53"
        << "Сегодня же к врачу:"
        << "‾_[*СЕГОДНЯ ЖЕ! Вы отметили: пелену, «мушки» или вспышки перед глазами. Если это появилось "
           "впервые, стало чаще или закрывает часть поля зрения, сегодня же обратитесь к офтальмологу (в "
           "неотложный глазной кабинет): так может начинаться отслойка сетчатки, и зрение удаётся сохранить, "
           "только если лечить её в первые дни.*]";
    QTest::newRow("pulse and pressure typed out of range")
        << "pulse=400 bp=350/80"
        << "Объективно:"
        << "[1 1 1 1 1 1] [*Рост*] ¦ *Вес*] ¦ *ИМТ*] ¦ *Температура*] ¦ *Пульс *(в мин)] ¦ *АД*]\n"
           "[1 1 1 1 1 1] [170 см] ¦ 70 кг] ¦ 24,2] ¦ 36,6 град. Ц] ¦ введено 400 — вне пределов от 30 до "
           "200, "
           "ритмичный] ¦ верхнее введено 350 — вне пределов от 30 до 300, нижнее 80 мм Hg]";
    QTest::newRow("vital signs not measured, height typed out of range")
        << "unmeasured clampedHeight=250"
        << "Объективно:"
        << "[1 1 1 1 1 1] [*Рост*] ¦ *Вес*] ¦ *ИМТ*] ¦ *Температура*] ¦ *Пульс *(в мин)] ¦ *АД*]\n"
           "[1 1 1 1 1 1] [введено 250 — вне пределов от 110 до 210 см] ¦ 70 кг] ¦ не рассчитан] ¦ не "
           "измерена] ¦ "
           "не измерен] ¦ не измерено]";
}

void TestReportBuilder::sections()
{
    QFETCH(QString, record);
    QFETCH(QString, title);
    QFETCH(QString, rows);
    TestRecord examination(Now);
    QCOMPARE(examination.apply(record), QString());
    const ReportTableView view = BuildLive(examination);
    // The header, without a title, is the section after the name row.
    const QStringList section = title.isEmpty() ? view.rows.mid(3, 1) : Section(view.rows, title);
    QCOMPARE(section.join(QLatin1Char('\n')), Expected(rows, examination));
}

// The name row holds the person examined when named, else the office's
// user; the saved document's author is the name row's.
void TestReportBuilder::nameRowAndAuthor_data()
{
    QTest::addColumn<bool>("profile"); // the office's profile holds a name
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no name: the office user") << true << QString() << QStringLiteral("Анна Смирнова");
    QTest::newRow("no name, no profile: the account") << false << QString() << AccountName();
    QTest::newRow("named") << true << QStringLiteral("  Борис   Смирнов ") << QStringLiteral("Борис Смирнов");
}

void TestReportBuilder::nameRowAndAuthor()
{
    QFETCH(bool, profile);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    std::shared_ptr<UnoOffice> office = ConnectToTestOffice(m_office->pipeName());
    QVERIFY(office);
    if (profile)
        SetProfileName(office->context(), QStringLiteral("Анна"), QStringLiteral("Смирнова"));
    const auto restore = qScopeGuard([&] { SetProfileName(office->context(), QString(), QString()); });
    TestRecord record(Now);
    record.name = name;
    QCOMPARE(BuildLive(record).rows.value(2), QStringLiteral("*%1*").arg(shown));
    const QString file = m_folder.filePath(QStringLiteral("named.doc"));
    m_report->ReportDoc.call(QStringLiteral("SaveAs"), file);
    const beans::PropertyValue hidden = namedValue("Hidden", uno::Any(true));
    const Reference<lang::XComponent> saved
        = Reference<frame::XComponentLoader>(office->desktop(), UNO_QUERY_THROW)
              ->loadComponentFromURL(toOUString(QUrl::fromLocalFile(file).toString()), OUString("_blank"), 0,
                  uno::Sequence<beans::PropertyValue>(&hidden, 1));
    const auto closeSaved
        = qScopeGuard([&] { Reference<util::XCloseable>(saved, UNO_QUERY_THROW)->close(true); });
    QCOMPARE(toQString(Reference<document::XDocumentPropertiesSupplier>(saved, UNO_QUERY_THROW)
                           ->getDocumentProperties()
                           ->getAuthor()),
        shown);
}

void TestReportBuilder::refusedValueStopsTheReportAndKeepsTheDocument()
{
    TestRecord record(Now);
    QCOMPARE(record.apply(QStringLiteral("weight=400 cbxBPup")), QString());
    QVERIFY_THROWS_EXCEPTION(EWeightError,
        BuildReport(
            *m_report, record, Conclude(record, m_phrases, Now), [this] { ++m_steps; }));
    QVERIFY(!m_report->ReportDoc.isEmpty());
    QCOMPARE(m_steps, 6);
    // What was built so far stays: the header and the two text sections.
    const ReportTableView view
        = ReportTableReader::Read(ReportTableReader::FirstTable(ModelOf(m_report->ReportDoc)));
    QCOMPARE(view.rows.size(), 11);
    QCOMPARE(m_report->WordApp.get(QStringLiteral("ScreenUpdating")).toBool(), true);
}

void TestReportBuilder::missingPictureLeavesOnlyTheFirstRowEmpty()
{
    QTemporaryDir folder;
    DataFolder::setPath(folder.path());
    const auto restore = qScopeGuard([] { DataFolder::setPath(QString()); });
    TestRecord record(Now);
    const ReportTableView view = BuildLive(record);
    // The error's own text, in a plain box.
    const QString missing
        = QStringLiteral("Файл %1 не найден").arg(DataFolder::file(QStringLiteral("Images/Tessora.jpg")));
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes.first().endsWith(missing), qPrintable(m_boxes.first()));
    QCOMPARE(m_steps, ReportSteps);
    QCOMPARE(view.rows.last(), ReportStamp(Now));
    // Nothing is grey, so nothing says what grey means.
    QVERIFY(!view.rows.join(u'\n').contains(QStringLiteral("Серым выделены")));
    Reference<container::XIndexAccess> pictures(
        Reference<text::XTextGraphicObjectsSupplier>(ModelOf(m_report->ReportDoc), UNO_QUERY_THROW)
            ->getGraphicObjects(),
        UNO_QUERY_THROW);
    QCOMPARE(pictures->getCount(), 0);
}

void TestReportBuilder::withoutWordProcessorNothingIsBuilt()
{
    const WriterServer::Settings usual = WriterServer::settings();
    WriterServer::Settings missing = usual;
    missing.officeProgram = m_folder.filePath(QStringLiteral("no-office/soffice"));
    missing.pipeName += QStringLiteral("_missing");
    WriterServer::setSettings(missing);
    const auto restore = qScopeGuard([&] { WriterServer::setSettings(usual); });
    TestRecord record(Now);
    QVERIFY(!BuildReport(
        *m_report, record, Conclude(record, m_phrases, Now), [this] { ++m_steps; }));
    QCOMPARE(m_boxes,
        QStringList { QStringLiteral("error: Не могу запустить текстовый редактор LibreOffice Writer.\n"
                                     "LibreOffice Writer не установлен (нет программы %1). "
                                     "Установите его командой: sudo apt install libreoffice-writer")
                          .arg(missing.officeProgram) });
    QVERIFY(m_report->ReportDoc.isEmpty());
    QCOMPARE(m_steps, 1);
}

QTEST_GUILESS_MAIN(TestReportBuilder)
#include "tst_report_builder.moc"
