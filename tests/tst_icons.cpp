#include <QIcon>
#include <QImage>
#include <QTest>

// The windows address the icons by fixed resource names; a renamed or
// missing file would leave a blank button without any error.
class TestIcons : public QObject {
    Q_OBJECT
private slots:
    void iconsAreLinkedIn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("side");
        for (int i = 0; i <= 4; ++i)
            QTest::addRow("tree %d", i) << QStringLiteral(":/icons/tree/%1.png").arg(i) << 16;
        for (int i : { 0, 2, 4, 8, 10, 13 })
            QTest::addRow("main %d", i) << QStringLiteral(":/icons/main/%1.png").arg(i) << 24;
        QTest::newRow("mark set") << QStringLiteral(":/icons/marks/0.png") << 18;
        QTest::newRow("mark empty") << QStringLiteral(":/icons/marks/1.png") << 18;
        QTest::newRow("answer yes") << QStringLiteral(":/icons/answer/yes.png") << 24;
        QTest::newRow("answer no") << QStringLiteral(":/icons/answer/no.png") << 24;
        QTest::newRow("program") << QStringLiteral(":/icons/app/tessora.png") << 256;
    }
    void iconsAreLinkedIn()
    {
        QFETCH(QString, name);
        QFETCH(int, side);
        const QImage image(name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(image.hasAlphaChannel());
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
