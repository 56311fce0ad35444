#include "diary/DoctorSummaryPdf.h"
#include "tests/DiaryTestData.h"
#include "tests/FileMode.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime First(QDate(2026, 3, 2), QTime(9, 15));

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2")
            .arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestDoctorSummary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void threeExaminations();
    void legendWithItsTable();
    void period_data();
    void period();
};

void TestDoctorSummary::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// Read back as text, the summary holds the person, the values with their
// arrows, only those bold, an old test grey and said so, the urgent notice,
// the home pressure and the recommendations; its charts are vector drawings,
// so the file holds no picture at all, and it is its owner's only.
void TestDoctorSummary::threeExaminations()
{
    const QString anna = QStringLiteral("Анна Смирнова");
    const QList<DiaryEntry> entries = {
        diaryTestEntry(
            QStringLiteral("female age=52 height=165 weight=60 temp=36.6 pulse=72 bp=120/80 blood=65 "
                           "hb=105 leu=6.2 esr=25"),
            First, QStringLiteral("a.doc"), anna),
        diaryTestEntry(
            QStringLiteral("female age=52 height=165 weight=62 temp=37.4 pulse=95 bp=170/95 blood=3 "
                           "hb=105 leu=6.2 esr=20 urine=2 protein"),
            First.addDays(7), QStringLiteral("b.doc"), anna),
        diaryTestEntry(
            QStringLiteral("female age=52 height=165 weight=63 temp=36.8 pulse=38 bp=150/65 q7 q2"),
            First.addDays(14), QStringLiteral("c.doc"), anna),
    };
    QList<PressureReading> readings;
    for (int k = 0; k < 14; ++k)
        readings.append(
            { 0, anna, First.addDays(8 + k / 2).addSecs(k % 2 * 12 * 3600), 136 + k % 3, 84, 70 });
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Сводка.pdf"));
    QString error;
    QVERIFY2(
        writeDoctorSummary(path,
            makeDoctorSummary(entries, readings, summaryPeriodName(SummaryPeriod::All), First.addDays(20)),
            error),
        qPrintable(error));
    QCOMPARE(FileMode(path), 0600);

    const QString text = Run(QStringLiteral("pdftotext"), { path, QStringLiteral("-") }).simplified();
    for (const char* expected :
        {
            "Анна Смирнова, женщина, 52 года",
            "Период: все обследования, 02.03.2026 – 16.03.2026; обследований: 3",
            "Последнее обследование: 16.03.2026 09:15",
            "СРОЧНО! Вы отметили: боли в груди",
            "СРОЧНО! Пульс в покое 38 ударов в минуту (реже 40).",
            "Рекомендуются консультации: кардиолога, терапевта.",
            "Давление дома: среднее 14 измерений с 10.03.2026 по 16.03.2026 — 137/84 мм Hg, пульс 70 в "
            "минуту.",
            "Среднее домашнее давление 135/85 мм Hg или выше считается повышенным",
            "Кровь 06.03.2026: гемоглобин 105 ↓ г/л, лейкоциты 6,2 тыс./мкл, СОЭ 20 ↑ мм/час",
            "Моча 07.03.2026: белок есть ↑, сахар нет",
            "Кровь 27.12.2025 (устарел, не учтен): гемоглобин 105 г/л, лейкоциты 6,2 тыс./мкл, СОЭ 25 мм/час",
            "сист. 100–160 — границы правил программы",
        })
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    // Bold in the table: the flagged values with their arrows, and no other part of a test.
    const QString xml = Run(QStringLiteral("pdftohtml"),
        { QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"), path });
    QStringList bold;
    const QRegularExpression tag(QStringLiteral("<b>([^<]*)</b>"));
    for (auto match = tag.globalMatch(xml); match.hasNext();)
        bold << match.next().captured(1).simplified();
    QCOMPARE(bold.filter(QRegularExpression(QStringLiteral("[↑↓]"))),
        QStringList({ "65 ↓", "38 ↓", "170 ↑", "95 ↑ 95 ↑", "37,4 ↑", "105 ↓", "20 ↑", "есть ↑" }));
    QCOMPARE(
        bold.filter(QRegularExpression(QStringLiteral("Кровь|Моча|г/л|сахар|лейкоциты"))), QStringList());
    const QStringList images = Run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), path })
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the heading and its rule, no image
}

// However long the table, its legend is printed on the page of its last row.
void TestDoctorSummary::legendWithItsTable()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Сводка.pdf"));
    for (int count = 8; count <= 38; count += 3) {
        const QList<DiaryEntry> entries = diaryTestSeries(count, First);
        QString error;
        QVERIFY(writeDoctorSummary(path, makeDoctorSummary(entries, {}, QString(), First), error));
        const QStringList pages = Run(QStringLiteral("pdftotext"), { path, QStringLiteral("-") })
                                      .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        const QString oldest = QLocale().toString(entries.first().moment.date(), QLocale::ShortFormat);
        const auto legend = std::find_if(pages.begin(), pages.end(),
            [](const QString& page) { return page.contains(QStringLiteral("жирным напечатаны")); });
        QVERIFY(legend != pages.end());
        QVERIFY2(legend->contains(oldest), qPrintable(QString::number(count)));
    }
}

// The period counts back from today; an examination on its first day is in it.
void TestDoctorSummary::period_data()
{
    QTest::addColumn<SummaryPeriod>("period");
    QTest::addColumn<int>("count");
    QTest::newRow("all") << SummaryPeriod::All << 4;
    QTest::newRow("last year") << SummaryPeriod::Year << 3;
    QTest::newRow("last 3 months") << SummaryPeriod::ThreeMonths << 2;
}

void TestDoctorSummary::period()
{
    QFETCH(SummaryPeriod, period);
    QFETCH(int, count);
    const QDateTime now = First.addYears(1);
    QList<DiaryEntry> entries;
    for (const QDateTime& moment :
        { now.addDays(-1), now.addMonths(-3), now.addMonths(-4), now.addYears(-1).addSecs(-1) })
        entries << diaryTestEntry(QString(), moment, QString());
    QCOMPARE(entriesOfPeriod(entries, period, now).size(), count);
}

QTEST_MAIN(TestDoctorSummary)
#include "tst_doctorsummary.moc"
