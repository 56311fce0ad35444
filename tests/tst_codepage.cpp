#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"

#include <QTemporaryDir>
#include <QTest>

class TestCodePage : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("ECG 12") << QByteArray("ECG 12");
        QTest::newRow("cyrillic") << QStringLiteral("Жалобы") << QByteArray("\xC6\xE0\xEB\xEE\xE1\xFB");
        QTest::newRow("yo and numero") << QStringLiteral("ё№") << QByteArray("\xB8\xB9");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage::fromUnicode(text), bytes);
        QCOMPARE(CodePage::toUnicode(bytes), text);
    }

    void undefinedByteBecomesReplacement()
    {
        QCOMPARE(CodePage::toUnicode(QByteArray("a\x98z")), QStringLiteral("a\uFFFDz"));
    }

    void unmappableCharacterBecomesQuestionMark()
    {
        QCOMPARE(CodePage::fromUnicode(QStringLiteral("a\u4E2Dz")), QByteArray("a?z"));
        QCOMPARE(CodePage::fromUnicode(QStringLiteral("\U0001F600")), QByteArray("?"));
    }

    void largeTextConvertsWhole()
    {
        const QString text = QStringLiteral("Пульс ").repeated(5000);
        QCOMPARE(CodePage::toUnicode(CodePage::fromUnicode(text)), text);
    }

    void dataFolderEndsWithSeparator()
    {
        QVERIFY(DataFolder::path().endsWith(QLatin1Char('/')));
        QTemporaryDir dir;
        DataFolder::setPath(dir.path());
        QCOMPARE(DataFolder::file(QStringLiteral("Common/ksm.txt")),
            dir.path() + QStringLiteral("/Common/ksm.txt"));
        DataFolder::setPath(QString());
        QCOMPARE(DataFolder::path(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
