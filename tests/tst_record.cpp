#include "app/RecordU.h"

#include "decision/BodyMeasures.h"
#include "decision/ExaminationRecord.h"

#include <QTest>

class TestRecord : public QObject {
    Q_OBJECT

private slots:
    void genderDrawSequence();
    void rangeChecks_data();
    void rangeChecks();
    void bodyMassIndexText_data();
    void bodyMassIndexText();
    void limbHintOutsidePhraseTable();
};

void TestRecord::genderDrawSequence()
{
    quint32 seed = 0;
    QList<int> genders;
    for (int i = 0; i < 5; ++i)
        genders.append(DrawGender(seed));
    QCOMPARE(genders, QList<int>({ 0, 0, 1, 0, 0 }));
}

void TestRecord::rangeChecks_data()
{
    QTest::addColumn<bool>("height");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("error");
    QTest::newRow("height lower bound accepted") << true << "110" << 110.0 << "";
    QTest::newRow("height upper bound accepted") << true << "210" << 210.0 << "";
    QTest::newRow("height 109 too small") << true << "109" << 0.0 << "Рост слишком мал";
    QTest::newRow("height 211 too large") << true << "211" << 0.0 << "Рост слишком велик";
    QTest::newRow("height not a number reads 0 unchecked") << true << "abc" << 0.0 << "";
    QTest::newRow("height empty reads 0 unchecked") << true << "" << 0.0 << "";
    QTest::newRow("height decimal point") << true << "170.5" << 170.5 << "";
    QTest::newRow("height negative too small") << true << "-5" << 0.0 << "Рост слишком мал";
    QTest::newRow("weight lower bound accepted") << false << "30" << 30.0 << "";
    QTest::newRow("weight upper bound accepted") << false << "300" << 300.0 << "";
    QTest::newRow("weight 29 too small") << false << "29" << 0.0 << "Вес слишком мал";
    QTest::newRow("weight 301 too large") << false << "301" << 0.0 << "Вес слишком велик";
    QTest::newRow("weight sign only reads 0") << false << "-" << 0.0 << "";
}

void TestRecord::rangeChecks()
{
    QFETCH(bool, height);
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(QString, error);
    try {
        const double value = height ? CheckedHeight(text) : CheckedWeight(text);
        QVERIFY2(error.isEmpty(), "an error was expected");
        QCOMPARE(value, expected);
    } catch (const EHeightError& e) {
        QVERIFY2(height, "a weight raised a height error");
        QCOMPARE(e.message(), error);
    } catch (const EWeightError& e) {
        QVERIFY2(!height, "a height raised a weight error");
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
    QCOMPARE(LimbHint(true, 0), QStringLiteral("Снимите этот флажок, если Вы не обнаружили "));
}

QTEST_APPLESS_MAIN(TestRecord)
#include "tst_record.moc"
