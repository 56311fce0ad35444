#include "decision/ComplaintPhrases.h"
#include "decision/Conclusion.h"
#include "decision/DecisionU.h"
#include "tests/TestRecord.h"

#include <QTest>

using Codes = QList<int>;

namespace {

const QDateTime Now(QDate(2026, 3, 15), QTime(10, 30, 0));

Codes SetCodes(const TFindings& findings)
{
    Codes codes;
    for (int code = 0; code < FindingCount; ++code) {
        if (findings.test(size_t(code)))
            codes << code;
    }
    return codes;
}

} // namespace

class TestFindings : public QObject {
    Q_OBJECT

private slots:
    void wholeSpans_data();
    void wholeSpans();
    void codes_data();
    void codes();
    void questionThirtyOnlyForMenOverForty_data();
    void questionThirtyOnlyForMenOverForty();
    void effectiveValues_data();
    void effectiveValues();
    void recencyIgnoresAbsentBox();
};

void TestFindings::wholeSpans_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<int>("years");
    QTest::addColumn<int>("months");

    const auto at
        = [](int y, int m, int d, int hour = 10) { return QDateTime(QDate(y, m, d), QTime(hour, 30)); };
    QTest::newRow("same moment") << Now << Now << 0 << 0;
    QTest::newRow("born 7 Dec 2005: 21 on 7 Dec 2026") << at(2005, 12, 7) << at(2026, 12, 7) << 21 << 252;
    QTest::newRow("born late on the day: birthday counts from the morning")
        << at(2005, 12, 7, 23) << at(2026, 12, 7, 0) << 21 << 252;
    QTest::newRow("day before the birthday") << at(2005, 12, 7) << at(2026, 12, 6, 23) << 20 << 251;
    QTest::newRow("born 29 Feb: a year older on 28 Feb") << at(2008, 2, 29) << at(2026, 2, 28) << 18 << 216;
    QTest::newRow("born 29 Feb: not yet on 27 Feb") << at(2008, 2, 29) << at(2026, 2, 27) << 17 << 215;
    QTest::newRow("a month on its day") << at(2026, 2, 15) << Now << 0 << 1;
    QTest::newRow("a day short of a month") << at(2026, 2, 16) << Now << 0 << 0;
    QTest::newRow("a day short of two months") << at(2026, 1, 16) << Now << 0 << 1;
    QTest::newRow("two months on their day") << at(2026, 1, 15) << Now << 0 << 2;
    QTest::newRow("31 January reaches 28 February") << at(2026, 1, 31) << at(2026, 2, 28) << 0 << 1;
    QTest::newRow("31 January not yet on 27 February") << at(2026, 1, 31) << at(2026, 2, 27) << 0 << 0;
    QTest::newRow("a year on its day") << at(2025, 3, 15, 23) << Now << 1 << 12;
    QTest::newRow("a day short of five years") << at(2021, 3, 16) << Now << 4 << 59;
    QTest::newRow("five years on their day") << at(2021, 3, 15) << Now << 5 << 60;
}

void TestFindings::wholeSpans()
{
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(int, years);
    QFETCH(int, months);
    // Either order gives the same span: a date in the future counts like one in the past.
    QCOMPARE(WholeYearsBetween(from, to), years);
    QCOMPARE(WholeYearsBetween(to, from), years);
    QCOMPARE(WholeMonthsBetween(from, to), months);
    QCOMPARE(WholeMonthsBetween(to, from), months);
}

void TestFindings::codes_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<Codes>("expected");

    QTest::newRow("everything normal") << "" << Codes {};

    for (int n = 1; n <= 69; ++n) {
        if (n == 6 || n == 32 || n == 38 || n == 53)
            continue;
        QTest::addRow("question %d -> code %d", n, n) << QStringLiteral("q%1").arg(n) << Codes { n };
    }
    QTest::newRow("question 6 -> 6") << "q6" << Codes { 6 };
    QTest::newRow("arrhythmic pulse -> 6") << "arrhythmia" << Codes { 6 };
    QTest::newRow("question 32 -> 92 only") << "q32" << Codes { 92 };
    QTest::newRow("question 53 -> 120 only") << "q53" << Codes { 120 };
    QTest::newRow("question 38 -> 38") << "q38" << Codes { 38 };
    QTest::newRow("psychiatrist observes -> 38") << "cbxPsihiatr" << Codes { 38 };
    QTest::newRow("narcologist observes -> 38") << "cbxNarcolog" << Codes { 38 };
    QTest::newRow("psychotherapist observes -> 38") << "cbxPsihoter" << Codes { 38 };
    QTest::newRow("other observer sets nothing") << "cbxCardio cbxLor" << Codes {};
    QTest::newRow("question 70 is beyond the findings") << "q70" << Codes {};
    QTest::newRow("answer beyond a short questionnaire") << "questions=10 q12" << Codes {};

    QTest::newRow("temperature 36.0") << "temp=36.0" << Codes {};
    QTest::newRow("temperature 35.9 -> 75") << "temp=35.9" << Codes { 75 };
    QTest::newRow("temperature 37.0") << "temp=37.0" << Codes {};
    QTest::newRow("temperature 37.1 -> 175") << "temp=37.1" << Codes { 175 };

    QTest::newRow("pulse 60") << "pulse=60" << Codes {};
    QTest::newRow("pulse 59 -> 88") << "pulse=59" << Codes { 88 };
    QTest::newRow("pulse 90") << "pulse=90" << Codes {};
    QTest::newRow("pulse 91 -> 188") << "pulse=91" << Codes { 188 };

    QTest::newRow("pressure 100/70") << "bp=100/70" << Codes {};
    QTest::newRow("pressure 160/90 -> 78 only") << "bp=160/90" << Codes { 78 };
    QTest::newRow("pressure 99/70 -> 76") << "bp=99/70" << Codes { 76 };
    QTest::newRow("pressure 120/69 -> 77") << "bp=120/69" << Codes { 77 };
    QTest::newRow("pressure 150/90") << "bp=150/90" << Codes {};
    QTest::newRow("pressure 150/89 -> 78") << "bp=150/89" << Codes { 78 };
    QTest::newRow("pressure 160/99 -> 78 177") << "bp=160/99" << Codes { 78, 177 };
    QTest::newRow("pressure 160/100 -> 177") << "bp=160/100" << Codes { 177 };
    QTest::newRow("pressure 160/91 -> 78 177") << "bp=160/91" << Codes { 78, 177 };
    QTest::newRow("pressure 161/100 -> 176 177") << "bp=161/100" << Codes { 176, 177 };
    QTest::newRow("pressure 161/90 -> 176") << "bp=161/90" << Codes { 176 };
    QTest::newRow("pressure 95/30 -> 76 77") << "bp=95/30" << Codes { 76, 77 };
    QTest::newRow("pressure 100/39 -> 77 78") << "bp=100/39" << Codes { 77, 78 };
    QTest::newRow("pressure 170/60 -> 77 176") << "bp=170/60" << Codes { 77, 176 };

    QTest::newRow("BMI 18.5") << "height=200 weight=74" << Codes {};
    QTest::newRow("BMI 18.25 -> 91") << "height=200 weight=73" << Codes { 91 };
    QTest::newRow("BMI 30.0") << "height=200 weight=120" << Codes {};
    QTest::newRow("BMI 30.25 -> 191") << "height=200 weight=121" << Codes { 191 };
    QTest::newRow("height out of range: BMI 0 -> 91") << "height=211" << Codes { 91 };
    QTest::newRow("weight out of range: BMI 0 -> 91") << "weight=29" << Codes { 91 };

    QTest::newRow("ECG block -> 70") << "ecg=0 block" << Codes { 70 };
    QTest::newRow("ECG hypertrophy -> 70") << "ecg=0 hypertrophy" << Codes { 70 };
    QTest::newRow("ECG scarring -> 70") << "ecg=0 scarring" << Codes { 70 };
    QTest::newRow("ECG without findings") << "ecg=0" << Codes {};
    QTest::newRow("ECG absent with findings") << "block hypertrophy scarring" << Codes {};
    QTest::newRow("ECG 4 years 364 days -> 70") << "ecg=1825 scarring" << Codes { 70 };
    QTest::newRow("ECG 5 x 365.25 days") << "ecg=1826.25 scarring" << Codes {};

    QTest::newRow("fluorography pathology -> 71") << "flu=0 fluPathology" << Codes { 71 };
    QTest::newRow("fluorography normal") << "flu=0" << Codes {};
    QTest::newRow("fluorography absent") << "fluPathology" << Codes {};
    QTest::newRow("fluorography a day short of a year -> 71")
        << "flu=2025-03-16 fluPathology" << Codes { 71 };
    QTest::newRow("fluorography a year old on its day") << "flu=2025-03-15 fluPathology" << Codes {};

    QTest::newRow("hemoglobin 110") << "blood=0 hb=110" << Codes {};
    QTest::newRow("hemoglobin 109 -> 81") << "blood=0 hb=109" << Codes { 81 };
    QTest::newRow("blood leucocytes 3.5") << "blood=0 leu=3.5" << Codes {};
    QTest::newRow("blood leucocytes 3.4 -> 82") << "blood=0 leu=3.4" << Codes { 82 };
    QTest::newRow("blood leucocytes 8.0") << "blood=0 leu=8.0" << Codes {};
    QTest::newRow("blood leucocytes 8.1 -> 182") << "blood=0 leu=8.1" << Codes { 182 };
    QTest::newRow("ESR 15") << "blood=0 esr=15" << Codes {};
    QTest::newRow("ESR 16 -> 83") << "blood=0 esr=16" << Codes { 83 };
    QTest::newRow("blood test of 16 January counts") << "blood=2026-01-16 hb=109 esr=16" << Codes { 81, 83 };
    QTest::newRow("blood test of 15 January does not")
        << "blood=2026-01-15 hb=109 leu=8.1 esr=16" << Codes {};
    QTest::newRow("blood test absent") << "hb=109 leu=3.4 esr=16" << Codes {};

    QTest::newRow("urine protein -> 84") << "urine=0 protein" << Codes { 84 };
    QTest::newRow("urine sugar -> 85") << "urine=0 sugar" << Codes { 85 };
    QTest::newRow("urine erythrocytes 5") << "urine=0 uery=5" << Codes {};
    QTest::newRow("urine erythrocytes 6 -> 86") << "urine=0 uery=6" << Codes { 86 };
    QTest::newRow("urine leucocytes 5") << "urine=0 uleu=5" << Codes {};
    QTest::newRow("urine leucocytes 6 -> 87") << "urine=0 uleu=6" << Codes { 87 };
    QTest::newRow("urine test of 16 January counts") << "urine=2026-01-16 protein" << Codes { 84 };
    QTest::newRow("urine test of 15 January does not")
        << "urine=2026-01-15 protein sugar uery=9 uleu=9" << Codes {};
    QTest::newRow("urine test absent") << "protein sugar uery=9 uleu=9" << Codes {};

    QTest::newRow("neck lymph nodes -> 93") << "cbxLSheja" << Codes { 93 };
    QTest::newRow("jaw lymph nodes -> 94") << "cbxLChelust" << Codes { 94 };
    QTest::newRow("armpit lymph nodes -> 95") << "cbxLPodmish" << Codes { 95 };
    QTest::newRow("groin lymph nodes -> 96") << "cbxLPah" << Codes { 96 };
    QTest::newRow("muscle atrophy -> 97") << "cbxFAtrof" << Codes { 97 };
    QTest::newRow("deformation -> 99") << "cbxFDeform" << Codes { 99 };
    QTest::newRow("varicose veins -> 101") << "cbxFVaricos" << Codes { 101 };
    QTest::newRow("inflamed veins -> 102") << "cbxFVosVen" << Codes { 102 };
    QTest::newRow("groin hernia -> 100") << "cbxBPah" << Codes { 100 };
    QTest::newRow("umbilical hernia -> 100") << "cbxBPup" << Codes { 100 };
    QTest::newRow("hernia after operation -> 100") << "cbxBOper" << Codes { 100 };
    QTest::newRow("thigh hernia -> 100") << "cbxBBedro" << Codes { 100 };
}

void TestFindings::codes()
{
    QFETCH(QString, record);
    QFETCH(Codes, expected);
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    QCOMPARE(SetCodes(ClassifyFindings(subject, Now)), expected);
}

void TestFindings::questionThirtyOnlyForMenOverForty_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("seen");

    QTest::newRow("man of 41") << "male age=41 q30" << true;
    QTest::newRow("man of 40") << "male age=40 q30" << false;
    QTest::newRow("woman of 60") << "female age=60 q30" << false;
    QTest::newRow("man of 41 not answering") << "male age=41" << false;
}

void TestFindings::questionThirtyOnlyForMenOverForty()
{
    QFETCH(QString, record);
    QFETCH(bool, seen);
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    QCOMPARE(Conclude(subject, ComplaintPhrases(), Now).has(30), seen);
}

void TestFindings::effectiveValues_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("hemoglobin");
    QTest::addColumn<double>("leucocytes");
    QTest::addColumn<int>("esr");
    QTest::addColumn<bool>("protein");
    QTest::addColumn<bool>("sugar");
    QTest::addColumn<int>("erythrocytes");
    QTest::addColumn<int>("urineLeucocytes");

    const QString values = QStringLiteral(" hb=99 leu=9.9 esr=40 protein sugar uery=7 uleu=8");
    QTest::newRow("tests absent: norms") << values << 130 << 5.5 << 5 << false << false << 0 << 0;
    QTest::newRow("tests 61 days old: norms")
        << "blood=61 urine=61" + values << 130 << 5.5 << 5 << false << false << 0 << 0;
    QTest::newRow("tests of 16 January: entered")
        << "blood=2026-01-16 urine=2026-01-16" + values << 99 << 9.9 << 40 << true << true << 7 << 8;
    QTest::newRow("tests dated tomorrow: entered")
        << "blood=-1 urine=-1" + values << 99 << 9.9 << 40 << true << true << 7 << 8;
}

void TestFindings::effectiveValues()
{
    QFETCH(QString, record);
    TestRecord subject(Now);
    QCOMPARE(subject.apply(record), QString());
    QTEST(EffectiveHemoglobin(subject, Now), "hemoglobin");
    QTEST(EffectiveLeucocytes(subject, Now), "leucocytes");
    QTEST(EffectiveESR(subject, Now), "esr");
    QTEST(EffectiveProtein(subject, Now), "protein");
    QTEST(EffectiveSugar(subject, Now), "sugar");
    QTEST(EffectiveUrineErythrocytes(subject, Now), "erythrocytes");
    QTEST(EffectiveUrineLeucocytes(subject, Now), "urineLeucocytes");
}

void TestFindings::recencyIgnoresAbsentBox()
{
    TestRecord subject(Now);
    subject.fillTestDates(Now.addDays(-10));
    QVERIFY(!ECGPresent(subject) && !FluPresent(subject) && !BloodPresent(subject) && !UrinePresent(subject));
    QVERIFY(ECGRecent(subject, Now) && FluRecent(subject, Now) && BloodRecent(subject, Now)
        && UrineRecent(subject, Now));
}

QTEST_GUILESS_MAIN(TestFindings)
#include "tst_findings.moc"
