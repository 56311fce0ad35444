#include "decision/DecisionU.h"
#include "tests/TestRecord.h"

#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Fixed in UTC so that the closing line does not depend on the machine's zone.
const QDateTime Now(QDate(2026, 3, 15), QTime(10, 30, 0), Qt::UTC);

const QString Separator(150, QLatin1Char('-'));

// Expected text with "SEP" standing for the separator line.
QStringList Expected(const char* text)
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    lines.removeFirst(); // the raw literal starts with a line break
    for (QString& line : lines) {
        if (line == QLatin1String("SEP"))
            line = Separator;
    }
    return lines;
}

void CompareLines(const QStringList& actual, const QStringList& expected)
{
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        const QByteArray where = "line " + QByteArray::number(i + 1);
        QVERIFY2(actual.at(i) == expected.at(i),
            (where + ": got \"" + actual.at(i).toUtf8() + "\", expected \"" + expected.at(i).toUtf8() + "\"")
                .constData());
    }
    QCOMPARE(actual.size(), expected.size());
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const char* const Normal = R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Тессора Про 15.03.2026 [10:30:00])";

} // namespace

class TestConclusion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void wholeText_data();
    void wholeText();
    void englishLocale();
    void rangeErrorKeepsLinesSoFar_data();
    void rangeErrorKeepsLinesSoFar();
    void complaintTexts_data();
    void complaintTexts();
    void missingComplaintFileClearsPhrases();
    void observedListKeepsEveryBox();

private:
    QTemporaryDir m_data;
    void writeComplaints(const QStringList& phrases);
};

void TestConclusion::initTestCase()
{
    QVERIFY(m_data.isValid());
    DataFolder::setPath(m_data.path());
}

void TestConclusion::init()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ComplaintTexts.fill(QString());
}

void TestConclusion::cleanup()
{
    QFile::remove(DataFolder::file(QStringLiteral("Common/ANS.txt")));
}

void TestConclusion::writeComplaints(const QStringList& phrases)
{
    WriteFile(DataFolder::file(QStringLiteral("Common/ANS.txt")),
        CodePage::fromUnicode(phrases.join(QStringLiteral("\r\n"))));
    LoadComplaintTexts();
}

void TestConclusion::wholeText_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("everything normal") << "" << Expected(Normal);
    QTest::newRow("blood test three months old is left out") << "blood=91 hb=95 esr=40" << Expected(Normal);

    QTest::newRow("ENT doctor observes") << "cbxLor" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

женщина, 27 лет.

Жалоб нет.

Постоянно наблюдается лор врачом.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("temperature 38.2") << "temp=38.2" << Expected(R"(
Вам рекомендуется консультация: терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 38,2 градусов Цельсия - ПОВЫШЕНА.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("pulse 56 with arrhythmia, temperature 35.9")
        << "pulse=56 arrhythmia temp=35.9" << Expected(R"(
Вам рекомендуются консультации: ревматолога, терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 35,9 градусов Цельсия - СНИЖЕНА.
Пульс: 56 ударов в минуту, аритмия - БРАДИКАРДИЯ.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("pressure 170/60, fast pulse") << "bp=170/60 pulse=104" << Expected(R"(
Вам рекомендуются консультации: кардиолога, терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 104 ударов в минуту, ритмичный - ТАХИКАРДИЯ.
Артериальное давление: 170/60 мм ртутного столба - ГИПЕРТЕНЗИЯ.

SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("pressure 95/60, heavy and short") << "bp=95/60 height=150 weight=80" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 150 см. Вес:  80 кг. Индекс массы тела: 35,6 - МАССА ПОВЫШЕНА.
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 95/60 мм ртутного столба - ГИПОТЕНЗИЯ.

SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("four counted tests")
        << "ecg=10 flu=20 blood=30 urine=5 hb=95 leu=12.3 esr=22 protein uery=3 uleu=7" << Expected(R"(
Вам рекомендуются консультации: нефролога, уролога, терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

ЭКГ от 05.03.2026: Без особенностей.

Флюорография от 23.02.2026: Без особенностей.

Анализ крови от 13.02.2026:
Гемоглобин -  95 г/л, Лейкоциты - 12,3 тыс/мкл, СОЭ - 22 мм/час.

Анализ мочи от 10.03.2026:
Белок - +, Сахар - отсутствует, Эритроциты - 3 в препарате, Лейкоциты - 7 в поле зрения.
SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("ECG scarring, fluorography pathology, old urine")
        << "ecg=1000 scarring flu=364 fluPathology urine=61 sugar" << Expected(R"(
Вам рекомендуются консультации: пульмонолога, ревматолога.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

ЭКГ от 19.06.2023: Патология.

Флюорография от 16.03.2025: Патология.

SEP

Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("hernia only") << "cbxBPup" << Expected(R"(
Вам рекомендуется консультация: хирурга.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

При самостоятельном осмотре выявлены:
SEP

Грыжи.
SEP
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("limbs and lymph nodes") << "cbxFAtrof cbxFVaricos cbxLSheja cbxLPah" << Expected(R"(
Вам рекомендуются консультации: ЛОР врача, невролога, хирурга, гинеколога.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

При самостоятельном осмотре выявлены:
SEP

Увеличенные шейные, паховые лимфатические узлы.
Атрофия мышц, варикозное расширение вен конечностей.
SEP
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("complaints, one phrase missing from the file")
        << "male age=45 q1 q2 q5 cbxCardio cbxNevro cbxNevropat" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

мужчина, 45 лет.

Жалуется на:
SEP
общую слабость; головную боль.
SEP

Постоянно наблюдается кардиологом, невропатологом, неврологом.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2 .
Температура тела: 36,6 градусов Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Тессора Про 15.03.2026 [10:30:00])");
}

void TestConclusion::wholeText()
{
    QFETCH(QString, record);
    QFETCH(QStringList, expected);
    writeComplaints(
        { QStringLiteral("общую слабость"), QStringLiteral("головную боль"), QStringLiteral("кашель") });
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    QStringList memo { QStringLiteral("help text of another page") };
    ShowConclusion(subject, memo, Now);
    CompareLines(memo, expected);
}

void TestConclusion::englishLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestRecord subject(Now);
    QCOMPARE(subject.apply("temp=38.2 blood=1 leu=9.5"), QString());
    QStringList memo;
    ShowConclusion(subject, memo, Now);
    QVERIFY(memo.contains(QStringLiteral("Температура тела: 38.2 градусов Цельсия - ПОВЫШЕНА.")));
    QVERIFY(memo.contains(QStringLiteral("Анализ крови от 3/14/26:")));
    QVERIFY(memo.contains(QStringLiteral("Гемоглобин - 130 г/л, Лейкоциты - 9.5 тыс/мкл, СОЭ - 5 мм/час.")));
    QCOMPARE(memo.constLast(), QStringLiteral("Тессора Про 3/15/26 [10:30:00 AM]"));
}

void TestConclusion::rangeErrorKeepsLinesSoFar_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("message");

    QTest::newRow("height 109") << "height=109"
                                << "Рост слишком мал";
    QTest::newRow("height 211") << "height=211"
                                << "Рост слишком велик";
    QTest::newRow("weight 29") << "weight=29"
                               << "Вес слишком мал";
    QTest::newRow("weight 301") << "weight=301"
                                << "Вес слишком велик";
    QTest::newRow("both out: height reported") << "height=211 weight=29"
                                               << "Рост слишком велик";
}

void TestConclusion::rangeErrorKeepsLinesSoFar()
{
    QFETCH(QString, record);
    QFETCH(QString, message);
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    QStringList memo;
    QString reported;
    try {
        ShowConclusion(subject, memo, Now);
    } catch (const ERecordRangeError& error) {
        reported = error.message();
    }
    QCOMPARE(reported, message);
    // A BMI of 0 reads as underweight: the GP is not involved, nothing is recommended.
    CompareLines(memo, Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP
)"));
}

void TestConclusion::complaintTexts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("phrases");

    QTest::newRow("CR LF lines, final break") << QByteArray("a\r\nb\r\n") << QStringList { "a", "b" };
    QTest::newRow("CR, LF and CR LF mixed")
        << QByteArray("a\rb\nc\r\n\r\nd") << QStringList { "a", "b", "c", "", "d" };
    QTest::newRow("blanks kept") << QByteArray("  a \t\r\n b") << QStringList { "  a \t", " b" };
    QTest::newRow("code page 1251") << CodePage::fromUnicode(QStringLiteral("боль в груди\r\nкашель"))
                                    << QStringList { "боль в груди", "кашель" };
    QTest::newRow("undefined byte 0x98")
        << QByteArray("a\x98z") << QStringList { QStringLiteral("a\uFFFDz") };
    QTest::newRow("NUL byte ends the text") << QByteArray("ab\0cd\r\nef", 10) << QStringList { "ab" };
    QTest::newRow("empty file") << QByteArray() << QStringList {};

    QByteArray many;
    QStringList first;
    for (int k = 0; k < 300; ++k) {
        many += "line " + QByteArray::number(k) + "\r\n";
        if (k < ComplaintTextCount)
            first << QStringLiteral("line %1").arg(k);
    }
    QTest::newRow("300 lines: first 256 kept") << many << first;
}

void TestConclusion::complaintTexts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, phrases);
    ComplaintTexts.fill(QStringLiteral("stale"));
    WriteFile(DataFolder::file(QStringLiteral("Common/ANS.txt")), file);
    LoadComplaintTexts();
    for (int k = 0; k < ComplaintTextCount; ++k)
        QCOMPARE(ComplaintTexts[size_t(k)], phrases.value(k));
}

void TestConclusion::missingComplaintFileClearsPhrases()
{
    ComplaintTexts.fill(QStringLiteral("stale"));
    LoadComplaintTexts();
    for (const QString& phrase : ComplaintTexts)
        QVERIFY(phrase.isEmpty());

    TestRecord subject(Now);
    QCOMPARE(subject.apply("q1 q69"), QString());
    QCOMPARE(ComplaintList(subject), QString());
}

void TestConclusion::observedListKeepsEveryBox()
{
    TestRecord subject(Now);
    for (const QString& name : subject.historyNames)
        QCOMPARE(subject.apply(name), QString());
    QCOMPARE(ObservedList(subject),
        QStringLiteral(
            "кардиологом, урологом, хирургом, ревматологом, пульмонологом, психотерапевтом, психиатром, "
            "онкологом, офтальмологом, невропатологом, неврологом, нефрологом, наркологом, лор врачом, "
            "гинекологом, гастроэнтерологом, эндокринологом, дерматологом"));
}

QTEST_GUILESS_MAIN(TestConclusion)
#include "tst_conclusion.moc"
