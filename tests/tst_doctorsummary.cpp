#include "diary/DoctorSummaryPdf.h"
#include "tests/DiaryTestData.h"

#include <QProcess>
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
    void period_data();
    void period();
};

void TestDoctorSummary::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// Read back as text, the summary holds the person, the values with their
// arrows, the urgent notice and the recommendations; its charts are vector
// drawings, so the file holds no picture at all.
void TestDoctorSummary::threeExaminations()
{
    const QList<DiaryEntry> entries = {
        diaryTestEntry(QStringLiteral("female age=52 height=165 weight=60 temp=36.6 pulse=72 bp=120/80"),
            First, QStringLiteral("a.doc")),
        diaryTestEntry(
            QStringLiteral("female age=52 height=165 weight=62 temp=37.4 pulse=95 bp=170/95 blood=3 "
                           "hb=105 leu=6.2 esr=20"),
            First.addDays(7), QStringLiteral("b.doc")),
        diaryTestEntry(
            QStringLiteral("female age=52 height=165 weight=63 temp=36.8 pulse=38 bp=150/65 q7 q2"),
            First.addDays(14), QStringLiteral("c.doc")),
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Сводка.pdf"));
    QString error;
    QVERIFY2(
        writeDoctorSummary(path,
            makeDoctorSummary(entries, summaryPeriodName(SummaryPeriod::All), First.addDays(20)), error),
        qPrintable(error));

    const QString text = Run(QStringLiteral("pdftotext"), { path, QStringLiteral("-") }).simplified();
    for (const char* expected : {
             "Женщина, 52 года",
             "Период: все обследования, 02.03.2026 – 16.03.2026; обследований: 3",
             "Последнее обследование: 16.03.2026 09:15",
             "СРОЧНО! Вы отметили: боли в груди",
             "СРОЧНО! Пульс в покое 38 ударов в минуту (реже 40).",
             "Отмечено: брадикардия, гипотензия, пульсовое давление больше 60 мм Hg; жалобы на: головные "
             "боли; "
             "боли в грудной клетке.",
             "Рекомендуются консультации: кардиолога, терапевта.",
             "150 / 65 ↓",
             "38 ↓",
             "170 ↑ / 95 ↑",
             "95 ↑",
             "37,4 ↑",
             "120 / 80",
             "36,6",
             "Кровь 06.03.2026: гемоглобин 105 г/л",
             "СОЭ 20 мм/час ↓↑",
             "сист. 100–160 — границы правил программы",
         })
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    const QStringList images = Run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), path })
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the heading and its rule, no image
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
