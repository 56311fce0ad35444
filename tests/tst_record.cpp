#include "RecordU.h"

#include "ExaminationRecord.h"

#include <QTest>

class TestRecord : public QObject {
    Q_OBJECT

private slots:
    void genderDrawSequence();
    void heightBounds_data();
    void heightBounds();
    void weightBounds_data();
    void weightBounds();
    void bodyMassIndexText_data();
    void bodyMassIndexText();
    void limbHintOutsidePhraseTable();
};

void TestRecord::genderDrawSequence()
{
    const quint32 saved = RandSeed;
    RandSeed = 0;
    QList<int> genders;
    for (int i = 0; i < 5; ++i)
        genders.append(DrawGender());
    RandSeed = saved;
    QCOMPARE(genders, QList<int>({ 0, 0, 1, 0, 0 }));
}

void TestRecord::heightBounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("error");
    QTest::newRow("lower bound accepted") << "110" << 110.0 << "";
    QTest::newRow("upper bound accepted") << "210" << 210.0 << "";
    QTest::newRow("109 too small") << "109" << 0.0 << "Рост слишком мал";
    QTest::newRow("211 too large") << "211" << 0.0 << "Рост слишком велик";
    QTest::newRow("not a number reads 0 unchecked") << "abc" << 0.0 << "";
    QTest::newRow("empty reads 0 unchecked") << "" << 0.0 << "";
    QTest::newRow("decimal point") << "170.5" << 170.5 << "";
    QTest::newRow("negative too small") << "-5" << 0.0 << "Рост слишком мал";
}

void TestRecord::heightBounds()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(QString, error);
    try {
        const double height = CheckedHeight(text);
        QVERIFY2(error.isEmpty(), "an error was expected");
        QCOMPARE(height, expected);
    } catch (const EHeightError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TestRecord::weightBounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("error");
    QTest::newRow("lower bound accepted") << "30" << 30.0 << "";
    QTest::newRow("upper bound accepted") << "300" << 300.0 << "";
    QTest::newRow("29 too small") << "29" << 0.0 << "Вес слишком мал";
    QTest::newRow("301 too large") << "301" << 0.0 << "Вес слишком велик";
    QTest::newRow("sign only reads 0") << "-" << 0.0 << "";
}

void TestRecord::weightBounds()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(QString, error);
    try {
        const double weight = CheckedWeight(text);
        QVERIFY2(error.isEmpty(), "an error was expected");
        QCOMPARE(weight, expected);
    } catch (const EWeightError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TestRecord::bodyMassIndexText_data()
{
    QTest::addColumn<double>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("one leading blank below 10") << 9.5 << "ИМТ -  9.5";
    QTest::newRow("no blank from 10") << 24.22 << "ИМТ - 24.2";
    QTest::newRow("rounded half up") << 10.38 << "ИМТ - 10.4";
    QTest::newRow("wider than four") << 247.93 << "ИМТ - 247.9";
}

void TestRecord::bodyMassIndexText()
{
    QFETCH(double, index);
    QFETCH(QString, text);
    QCOMPARE(BodyMassIndexText(index), text);
}

void TestRecord::limbHintOutsidePhraseTable()
{
    // A tag without a phrase still gives the lead-in, never a crash.
    QCOMPARE(LimbHint(true, 0), QStringLiteral("Снимите этот флажок если Вы не обнаружили "));
}

QTEST_APPLESS_MAIN(TestRecord)
#include "tst_record.moc"
