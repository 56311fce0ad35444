#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "decision/DecisionU.h"
#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "decision/RussianPlural.h"
#include "tests/ReviewTable.h"
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

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
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
    void emptyRecordStatesNothingAsGiven();
    void valueNotGivenSaidSo_data();
    void valueNotGivenSaidSo();
    void englishLocale();
    void rangeErrorKeepsLinesSoFar_data();
    void rangeErrorKeepsLinesSoFar();
    void complaintTexts_data();
    void complaintTexts();
    void missingComplaintFileClearsPhrases();
    void observedListKeepsEveryBox();
    void emergencyStatementOpensTheConclusion_data();
    void emergencyStatementOpensTheConclusion();
    void measuredRedFlagOpensTheConclusion_data();
    void measuredRedFlagOpensTheConclusion();
    void restOnlyWhenNothingIsMarked_data();
    void restOnlyWhenNothingIsMarked();
    void noticesOfTheReviewTables_data();
    void noticesOfTheReviewTables();
    void clampedMeasureToldAsTyped_data();
    void clampedMeasureToldAsTyped();
    void pluralForms_data();
    void pluralForms();

private:
    QTemporaryDir m_data;
    ComplaintPhrases m_phrases;
    void writeComplaints(const QStringList& phrases);
    Conclusion conclude(const QString& record);
};

void TestConclusion::initTestCase()
{
    QVERIFY(m_data.isValid());
    DataFolder::setPath(m_data.path());
}

void TestConclusion::init()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    m_phrases = ComplaintPhrases();
}

void TestConclusion::cleanup()
{
    QFile::remove(DataFolder::file(QStringLiteral("Common/ANS.txt")));
}

void TestConclusion::writeComplaints(const QStringList& phrases)
{
    WriteFile(DataFolder::file(QStringLiteral("Common/ANS.txt")),
        CodePage::fromUnicode(phrases.join(QStringLiteral("\r\n"))));
    m_phrases = ComplaintPhrases::Load();
}

Conclusion TestConclusion::conclude(const QString& record)
{
    TestRecord subject(Now);
    const QString unknown = subject.apply(record);
    if (!unknown.isEmpty())
        qFatal("unknown word %s", qPrintable(unknown));
    return Conclude(subject, m_phrases, Now);
}

void TestConclusion::wholeText_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("everything normal") << "" << Expected(Normal);
    QTest::newRow("blood test three months old is left out") << "blood=91 hb=95 esr=40" << Expected(Normal);

    QTest::newRow("stroke signs at 27: the notice instead of rest") << "q1 q59" << Expected(R"(
СРОЧНО! Вы отметили: внезапную слабость руки или ноги, онемение лица или нарушение речи.
Это может быть признаком состояния, опасного для жизни. Если это происходит сейчас или случилось в последние сутки, не ждите консультации. Немедленно вызовите скорую помощь: 103 или 112.
Если это было больше суток назад и уже прошло, всё равно не откладывайте: покажитесь неврологу в ближайшие сутки, а если прошло больше недели — в течение недели, не в плановом порядке: после таких приступов в первые дни высок риск инсульта.
Отмеченные значения и жалобы обсудите с терапевтом.
SEP

женщина, 27 лет.

Жалуется на:
SEP
общую слабость.
SEP

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("21 years, pulse 72") << "male age=21 pulse=72" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

мужчина, 21 год.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 72 удара в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("ENT doctor observes") << "cbxLor" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Возможно, Вам просто надо хорошо отдохнуть?
SEP

женщина, 27 лет.

Жалоб нет.

Постоянно наблюдается лор врачом.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("temperature 38.2") << "temp=38.2" << Expected(R"(
Вам рекомендуется консультация: терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 38,2 градуса Цельсия - ПОВЫШЕНА.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("pulse 56 with arrhythmia, temperature 35.9")
        << "pulse=56 arrhythmia temp=35.9" << Expected(R"(
Вам рекомендуются консультации: ревматолога, терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 35,9 градуса Цельсия - СНИЖЕНА.
Пульс: 56 ударов в минуту, аритмия - БРАДИКАРДИЯ.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("pressure 170/60, fast pulse") << "bp=170/60 pulse=104" << Expected(R"(
Вам рекомендуются консультации: кардиолога, терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 104 удара в минуту, ритмичный - ТАХИКАРДИЯ.
Артериальное давление: 170/60 мм ртутного столба - ГИПЕРТЕНЗИЯ.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("pressure 95/60, heavy and short") << "bp=95/60 height=150 weight=80" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Отмеченные значения и жалобы обсудите с терапевтом.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 150 см. Вес:  80 кг. Индекс массы тела: 35,6 - МАССА ПОВЫШЕНА.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 95/60 мм ртутного столба - ГИПОТЕНЗИЯ.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("four counted tests")
        << "ecg=10 flu=20 blood=30 urine=5 hb=95 leu=12.3 esr=22 protein uery=3 uleu=7" << Expected(R"(
Вам рекомендуются консультации: нефролога, уролога, терапевта.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

ЭКГ от 05.03.2026: Без особенностей.

Флюорография от 23.02.2026: Без особенностей.

Анализ крови от 13.02.2026:
Гемоглобин -  95 г/л, Лейкоциты - 12,3 тыс/мкл, СОЭ - 22 мм/час.

Анализ мочи от 10.03.2026:
Белок - +, Сахар - отсутствует, Эритроциты - 3 в препарате, Лейкоциты - 7 в поле зрения.
SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("ECG scarring, fluorography pathology, old urine")
        << "ecg=1000 scarring flu=364 fluPathology urine=61 sugar" << Expected(R"(
Вам рекомендуются консультации: пульмонолога, ревматолога.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

ЭКГ от 19.06.2023: Патология.

Флюорография от 16.03.2025: Патология.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("hernia only") << "cbxBPup" << Expected(R"(
Вам рекомендуется консультация: хирурга.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

При самостоятельном осмотре выявлены:
SEP

Грыжи.
SEP
Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("limbs and lymph nodes") << "cbxFAtrof cbxFVaricos cbxLSheja cbxLPah" << Expected(R"(
Вам рекомендуются консультации: ЛОР врача, невролога, хирурга, гинеколога.
SEP

женщина, 27 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

При самостоятельном осмотре выявлены:
SEP

Увеличенные шейные, паховые лимфатические узлы.
Атрофия мышц, варикозное расширение вен конечностей.
SEP
Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");

    QTest::newRow("complaints, one phrase missing from the file")
        << "male age=45 q1 q2 q5 cbxCardio cbxNevro cbxNevropat" << Expected(R"(
Введенные Вами данные не позволяют сделать определенного заключения.
Отмеченные значения и жалобы обсудите с терапевтом.
SEP

мужчина, 45 лет.

Жалуется на:
SEP
общую слабость; головную боль.
SEP

Постоянно наблюдается кардиологом, невропатологом, неврологом.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: 36,6 градуса Цельсия.
Пульс: 76 ударов в минуту, ритмичный.
Артериальное давление: 120/80 мм ртутного столба.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");
    QTest::newRow("haemoglobin 70 at 45, vital pages never opened")
        << "age=45 unmeasured blood=3 hb=70" << Expected(R"(
СРОЧНО! Гемоглобин 70 г/л (ниже 80 г/л). Обратитесь к врачу сегодня; если есть обморок, одышка в покое, чёрный стул или кровотечение, немедленно вызовите скорую помощь: 103 или 112.
Вам рекомендуется консультация: онколога.
SEP

женщина, 45 лет.

Жалоб нет.

Объективно:
SEP

Рост: 170 см. Вес:  70 кг. Индекс массы тела: 24,2.
Температура тела: не измерена.
Пульс: не измерен.
Артериальное давление: не измерено.

Анализ крови от 12.03.2026:
Гемоглобин -  70 г/л, Лейкоциты - 5,5 тыс/мкл, СОЭ - 5 мм/час.

SEP

Это не диагноз, а подсказка, к какому врачу и насколько срочно обратиться: диагноз ставит только врач.
Тессора Про 15.03.2026 [10:30:00])");
}

void TestConclusion::emergencyStatementOpensTheConclusion_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("reported"); // empty: no notice
    QTest::addColumn<QString>("recommendation"); // empty: not checked here

    for (int n : Emergency::Statements()) {
        QTest::addRow("statement %d", n)
            << QStringLiteral("q%1").arg(n) << Emergency::StatementSign(n) << QString();
    }
    QTest::newRow("stroke signs with a recommendation")
        << "q59 temp=38.2" << Emergency::StatementSign(59)
        << QStringLiteral("Вам рекомендуется консультация: терапевта.");
    QTest::newRow("two signs in statement order")
        << "q59 q7"
        << QStringLiteral("боли в груди; внезапную слабость руки или "
                          "ноги, онемение лица или нарушение речи")
        << QString();
    QTest::newRow("exertional chest pain is no emergency") << "q62" << QString() << QString();
}

void TestConclusion::emergencyStatementOpensTheConclusion()
{
    QFETCH(QString, record);
    QFETCH(QString, reported);
    QFETCH(QString, recommendation);
    const Conclusion conclusion = conclude(record);
    const QStringList& memo = conclusion.Lines;
    if (reported.isEmpty()) {
        QVERIFY(!memo.first().startsWith(QStringLiteral("СРОЧНО")));
        return;
    }
    QCOMPARE(memo.at(0), QStringLiteral("СРОЧНО! Вы отметили: %1.").arg(reported));
    QVERIFY2(memo.at(1).endsWith(QStringLiteral("Немедленно вызовите скорую помощь: 103 или 112.")),
        qPrintable(memo.at(1)));
    // Whatever the rules recommend follows the notice unchanged.
    const QString sentence = conclusion.Recommended.none() ? SeeGeneralPractitioner()
                                                           : conclusion.RecommendationSentence().first();
    QCOMPARE(memo.at(conclusion.Notice.size()), sentence);
    if (!recommendation.isEmpty())
        QCOMPARE(sentence, recommendation);
    QVERIFY(!memo.contains(QStringLiteral("Возможно, Вам просто надо хорошо отдохнуть?")));
    QVERIFY(!memo.contains(
        QStringLiteral("Введенные Вами данные не позволяют сделать определенного заключения.")));
}

void TestConclusion::measuredRedFlagOpensTheConclusion_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("opening"); // empty: no notice

    const auto today = QStringLiteral(". Обратитесь к врачу сегодня; если ");
    QTest::newRow("haemoglobin 79") << "blood=3 hb=79"
                                    << "СРОЧНО! Гемоглобин 79 г/л (ниже 80 г/л)" + today;
    QTest::newRow("haemoglobin 80") << "blood=3 hb=80"
                                    << "";
    QTest::newRow("haemoglobin 70 without the test") << "hb=70"
                                                     << "";
    QTest::newRow("haemoglobin 70 of an old test") << "blood=70 hb=70"
                                                   << "";
    QTest::newRow("pressure 190/115") << "bp=190/115"
                                      << "СРОЧНО! Артериальное давление 190/115 (180/110 или выше)" + today;
    QTest::newRow("systolic 180") << "bp=180/80"
                                  << "СРОЧНО! Артериальное давление 180/80 (180/110 или выше)" + today;
    QTest::newRow("diastolic 110") << "bp=150/110"
                                   << "СРОЧНО! Артериальное давление 150/110 (180/110 или выше)" + today;
    QTest::newRow("pressure 179/109") << "bp=179/109"
                                      << "";
    QTest::newRow("pressure 190/115 not measured") << "bp=190/115 unmeasured"
                                                   << "";
    QTest::newRow("temperature 40,0") << "temp=40"
                                      << "СРОЧНО! Температура тела 40,0 градуса (40,0 или выше)" + today;
    QTest::newRow("temperature 39,9") << "temp=39.9"
                                      << "";
    QTest::newRow("pulse 131") << "pulse=131"
                               << "СРОЧНО! Пульс в покое 131 удар в минуту (чаще 130)" + today;
    QTest::newRow("pulse 130") << "pulse=130"
                               << "";
    QTest::newRow("pulse 39") << "pulse=39"
                              << "СРОЧНО! Пульс в покое 39 ударов в минуту (реже 40)" + today;
    QTest::newRow("pulse 40") << "pulse=40"
                              << "";
}

void TestConclusion::measuredRedFlagOpensTheConclusion()
{
    QFETCH(QString, record);
    QFETCH(QString, opening);
    const Conclusion conclusion = conclude(record);
    const QStringList& memo = conclusion.Lines;
    QVERIFY2(opening.isEmpty() ? !memo.first().startsWith(QStringLiteral("СРОЧНО"))
                               : memo.first().startsWith(opening),
        qPrintable(memo.first()));
    QCOMPARE(memo.contains(QStringLiteral("Возможно, Вам просто надо хорошо отдохнуть?")),
        opening.isEmpty() && conclusion.Recommended.none());
}

// «Просто отдохнуть» only where nothing is marked and nothing answered Yes;
// else, when nobody is recommended, the general practitioner.
void TestConclusion::restOnlyWhenNothingIsMarked_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("rest");
    QTest::newRow("nothing marked") << "cbxLor" << true;
    QTest::newRow("pressure 60/30") << "bp=60/30" << false;
    QTest::newRow("index 35,6") << "height=150 weight=80" << false;
    QTest::newRow("urine with a urologist") << "urine=3 protein uery=20 cbxUrolog" << false;
    QTest::newRow("fever 39,9, a cardiologist observes") << "temp=39.9 cbxCardio" << false;
    QTest::newRow("chest pain at 35, under the notice") << "age=35 q7" << false;
}

void TestConclusion::restOnlyWhenNothingIsMarked()
{
    QFETCH(QString, record);
    QFETCH(bool, rest);
    const QStringList memo = conclude(record).Lines;
    QCOMPARE(memo.contains(QStringLiteral("Возможно, Вам просто надо хорошо отдохнуть?")), rest);
    QCOMPARE(memo.contains(SeeGeneralPractitioner()), !rest);
    QCOMPARE(memo.at(memo.size() - 2), Emergency::NotADiagnosis());
}

// Every threshold, statement and interview question of the review tables
// opens its notice with the words the table gives ("—": no notice).
void TestConclusion::noticesOfTheReviewTables_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QList<int>>("interview");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("urgentLines");
    // "давление 85/50, пульс 101" in the words of TestRecord: "bp=85/50 pulse=101".
    const QStringList words { "давление", "bp=", "температура", "temp=", "пульс", "pulse=", "гемоглобин",
        "blood=3 hb=", "не введено", "unmeasured" };
    for (const QStringList& row : ReviewTable("Common/README-red-flags.md", "Проверка на границах")) {
        QString record = QString(row.at(0)).replace(QLatin1Char(','), QLatin1Char('.')).replace(". ", " ");
        for (qsizetype k = 0; k < words.size(); k += 2)
            record.replace(words.at(k) + (k < 8 ? " " : ""), words.at(k + 1));
        QTest::newRow(qPrintable(row.at(0)))
            << record << QList<int>() << QString(row.at(1)).remove(u'—') << row.at(2).toInt();
    }
    const QString statements = QStringLiteral("Common/README-statements.md");
    for (const QStringList& row : ReviewTable(statements, "Сегодня же к врачу"))
        QTest::newRow(qPrintable(row.at(0)))
            << "q" + row.at(0) << QList<int>() << "СЕГОДНЯ ЖЕ! Вы отметили: " + row.at(1) << -1;
    for (const QStringList& row : ReviewTable(statements, "Строки, добавленные к утверждениям"))
        QTest::newRow(qPrintable(row.at(0))) << "q" + row.at(0) << QList<int>() << row.at(1) << -1;
    const auto questions = ReviewTable("cardio/README-questions.md", "Вопросы «сегодня же»");
    QCOMPARE(questions.size(), Emergency::SameDayQuestions().size());
    for (const QStringList& row : questions)
        QTest::addRow("question %s", qPrintable(row.at(0)))
            << "" << QList<int> { 3, row.at(0).toInt() } << "СЕГОДНЯ ЖЕ! В опросе Вы отметили: " + row.at(1)
            << 0;
}

void TestConclusion::noticesOfTheReviewTables()
{
    QFETCH(QString, record);
    QFETCH(QList<int>, interview);
    QFETCH(QString, line);
    QFETCH(int, urgentLines);
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    const Conclusion conclusion = Conclude(subject, m_phrases, Now, interview);
    const QString notices = u'\n' + (conclusion.Notice + conclusion.SameDay).join(u'\n');
    QVERIFY2(notices.contains(u'\n' + line), qPrintable(notices));
    QVERIFY(urgentLines < 0 || conclusion.Notice.size() == urgentLines);
}

// A bound or a rounded number that stood in for the typed one is never
// printed as the person's, nor is an index of it a finding.
void TestConclusion::clampedMeasureToldAsTyped_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("line");
    QTest::newRow("weight 70,5 rounded")
        << "clampedWeight=70.5"
        << "Рост: 170 см. Вес: 70,5 кг (округлено до 71). Индекс массы тела: 24,6.";
    QTest::newRow("temperature 30")
        << "temp=30"
        << "Температура тела: введено 30 — вне пределов от 32,0 до 43,0 градуса Цельсия - СНИЖЕНА.";
    QTest::newRow("pulse 400")
        << "pulse=400"
        << "Пульс: введено 400 — вне пределов от 30 до 200 ударов в минуту, ритмичный - ТАХИКАРДИЯ.";
    QTest::newRow("pressure 350/45")
        << "bp=350/45"
        << "Артериальное давление: верхнее введено 350 — вне пределов от 30 до 300, нижнее 45 мм ртутного "
           "столба - ГИПЕРТЕНЗИЯ.";
    QTest::newRow("blood: leucocytes 0, ESR 150")
        << "blood=3 leu=0 esr=150"
        << "Гемоглобин - 130 г/л, Лейкоциты - введено 0 — вне пределов от 1,0 до 20,0 тыс/мкл, СОЭ - введено "
           "150 — вне пределов от 0 до 100 мм/час.";
    QTest::newRow("urine: erythrocytes 25")
        << "urine=3 uery=25"
        << "Белок - отсутствует, Сахар - отсутствует, Эритроциты - введено 25 — вне пределов от 0 до 20 в "
           "препарате, Лейкоциты - 0 в поле зрения.";
    QTest::newRow("height 250 typed") << "clampedHeight=250"
                                      << "Рост: введено 250 — вне пределов от 110 до 210 см, которые "
                                         "принимает программа. Вес:  70 кг. Индекс массы тела: не рассчитан.";
    QTest::newRow("weight 25,5 typed") << "clampedWeight=25.5"
                                       << "Рост: 170 см. Вес: введено 25,5 — вне пределов от 30 до 300 кг, "
                                          "которые принимает программа. Индекс массы тела: не рассчитан.";
}

void TestConclusion::clampedMeasureToldAsTyped()
{
    QFETCH(QString, record);
    QFETCH(QString, line);
    const Conclusion conclusion = conclude(record);
    QVERIFY2(conclusion.Lines.contains(line), qPrintable(conclusion.Lines.join(QLatin1Char('\n'))));
    QVERIFY(!conclusion.has(Code::LowBodyMass) && !conclusion.has(Code::HighBodyMass));
}

void TestConclusion::pluralForms_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<QString>("expected");

    const QStringList year { "год", "года", "лет" };
    const QStringList beat { "удар", "удара", "ударов" };
    const QStringList degree { "градус", "градуса", "градусов" };
    QTest::newRow("1 год") << 1.0 << 0 << year << "год";
    QTest::newRow("21 год") << 21.0 << 0 << year << "год";
    QTest::newRow("101 год") << 101.0 << 0 << year << "год";
    QTest::newRow("2 года") << 2.0 << 0 << year << "года";
    QTest::newRow("34 года") << 34.0 << 0 << year << "года";
    QTest::newRow("0 лет") << 0.0 << 0 << year << "лет";
    QTest::newRow("5 лет") << 5.0 << 0 << year << "лет";
    QTest::newRow("11 лет") << 11.0 << 0 << year << "лет";
    QTest::newRow("12 лет") << 12.0 << 0 << year << "лет";
    QTest::newRow("14 лет") << 14.0 << 0 << year << "лет";
    QTest::newRow("111 лет") << 111.0 << 0 << year << "лет";
    QTest::newRow("27 лет") << 27.0 << 0 << year << "лет";
    QTest::newRow("71 удар") << 71.0 << 0 << beat << "удар";
    QTest::newRow("72 удара") << 72.0 << 0 << beat << "удара";
    QTest::newRow("76 ударов") << 76.0 << 0 << beat << "ударов";
    QTest::newRow("113 ударов") << 113.0 << 0 << beat << "ударов";
    QTest::newRow("36,6 градуса") << 36.6 << 1 << degree << "градуса";
    QTest::newRow("37,0 градуса") << 37.0 << 1 << degree << "градуса";
    QTest::newRow("41,1 градуса") << 41.1 << 1 << degree << "градуса";
    QTest::newRow("1 градус") << 1.0 << 0 << degree << "градус";
    QTest::newRow("-1 градус") << -1.0 << 0 << degree << "градус";
    QTest::newRow("40 градусов") << 40.0 << 0 << degree << "градусов";
}

void TestConclusion::pluralForms()
{
    QFETCH(double, number);
    QFETCH(int, decimals);
    QFETCH(QStringList, forms);
    const TNounForms nouns { forms.at(0), forms.at(1), forms.at(2) };
    const QString& form
        = decimals > 0 ? PluralForm(number, decimals, nouns) : PluralForm(qint64(number), nouns);
    QTEST(form, "expected");
}

void TestConclusion::wholeText()
{
    QFETCH(QString, record);
    QFETCH(QStringList, expected);
    writeComplaints(
        { QStringLiteral("общую слабость"), QStringLiteral("головную боль"), QStringLiteral("кашель") });
    CompareLines(conclude(record).Lines, expected);
}

void TestConclusion::englishLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList memo = conclude("temp=38.2 blood=1 leu=9.5").Lines;
    QVERIFY(memo.contains(QStringLiteral("Температура тела: 38.2 градуса Цельсия - ПОВЫШЕНА.")));
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
    const Conclusion conclusion = conclude(record);
    QCOMPARE(conclusion.RangeError, message);
    // A BMI of 0 reads as underweight: the GP is not involved, nothing is recommended.
    CompareLines(conclusion.Lines, Expected(R"(
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
        if (k < ComplaintPhrases::ComplaintTextCount)
            first << QStringLiteral("line %1").arg(k);
    }
    QTest::newRow("300 lines: first 256 kept") << many << first;
}

void TestConclusion::complaintTexts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, phrases);
    WriteFile(DataFolder::file(QStringLiteral("Common/ANS.txt")), file);
    const ComplaintPhrases loaded = ComplaintPhrases::Load();
    for (int k = 0; k < ComplaintPhrases::ComplaintTextCount; ++k)
        QCOMPARE(loaded.Phrase(k + 1), phrases.value(k));
}

void TestConclusion::missingComplaintFileClearsPhrases()
{
    const ComplaintPhrases loaded = ComplaintPhrases::Load();
    for (int n = 1; n <= ComplaintPhrases::ComplaintTextCount; ++n)
        QVERIFY(loaded.Phrase(n).isEmpty());

    TestRecord subject(Now);
    QCOMPARE(subject.apply("q1 q69"), QString());
    QCOMPARE(ComplaintList(subject, loaded), QString());
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

// A new examination, nothing entered: no value of the form is stated as the person's.
void TestConclusion::emptyRecordStatesNothingAsGiven()
{
    const Conclusion conclusion = Conclude(ExaminationRecord::initial(Now, 0), m_phrases, Now);
    const QString separator(150, QLatin1Char('-'));
    QCOMPARE(conclusion.Lines,
        QStringList({ "Введенные Вами данные не позволяют сделать определенного заключения.",
            "Возможно, Вам просто надо хорошо отдохнуть?", separator, "", "пол не указан, возраст не указан.", "",
            "Жалоб нет.", "", "Объективно:", separator, "",
            "Рост: не указан. Вес: не указан. Индекс массы тела: не рассчитан.", "Температура тела: не измерена.",
            "Пульс: не измерен.", "Артериальное давление: не измерено.", "", separator, "",
            Emergency::NotADiagnosis(), "Тессора Про 15.03.2026 [10:30:00]" }));
}

void TestConclusion::valueNotGivenSaidSo_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("notGiven");
    QTest::addColumn<QString>("line");
    QTest::newRow("only haemoglobin of a blood test")
        << "blood=3 hb=100" << QStringList { "leu", "esr" }
        << "Гемоглобин - 100 г/л, Лейкоциты - не указаны, СОЭ - не указана.";
    QTest::newRow("only erythrocytes of a urine test")
        << "urine=3 uery=7" << QStringList { "uleu" }
        << "Белок - отсутствует, Сахар - отсутствует, Эритроциты - 7 в препарате, Лейкоциты - не указаны.";
    QTest::newRow("systolic alone")
        << "bp=75/80" << QStringList { "diastolic" }
        << "СРОЧНО! Верхнее артериальное давление 75 (верхнее 90 или ниже). Обратитесь к врачу сегодня; если был "
           "обморок, есть спутанность сознания или холодный пот, немедленно вызовите скорую помощь: 103 или 112.";
    QTest::newRow("weight alone: no index")
        << "weight=120" << QStringList { "height" } << "Рост: не указан. Вес: 120 кг. Индекс массы тела: не рассчитан.";
    QTest::newRow("sex and age") << "male age=50" << QStringList { "gender", "birth" }
                                 << "пол не указан, возраст не указан.";
}

void TestConclusion::valueNotGivenSaidSo()
{
    QFETCH(QString, record);
    QFETCH(QStringList, notGiven);
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    const QHash<QString, bool*> given { { "leu", &subject.leucocytesTenths.given },
        { "esr", &subject.esr.given }, { "uleu", &subject.urineLeucocytes.given },
        { "diastolic", &subject.diastolic.given }, { "height", &subject.height.given },
        { "gender", &subject.gender.given }, { "birth", &subject.birthDate.given } };
    for (const QString& field : notGiven)
        *given.value(field) = false;
    const QStringList lines = Conclude(subject, m_phrases, Now).Lines;
    QFETCH(QString, line);
    QVERIFY2(lines.contains(line), qPrintable(lines.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestConclusion)
#include "tst_conclusion.moc"
