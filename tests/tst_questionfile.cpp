#include "app/QuestionList.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"
#include "platform/files/TextFile.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestQuestionFile : public QObject {
    Q_OBJECT
private slots:
    void lineRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        const QStringList abc { "a", "b", "c" };
        QTest::newRow("three lines, empty middle")
            << QByteArray("one\r\n\r\nthree\r\n") << QStringList { "one", "", "three" };
        QTest::newRow("no final break") << QByteArray("a\r\nb\r\nc") << abc;
        QTest::newRow("CR only") << QByteArray("a\rb\rc\r") << abc;
        QTest::newRow("LF only") << QByteArray("a\nb\nc\n") << abc;
        QTest::newRow("mixed ends") << QByteArray("a\rb\nc\r\n") << abc;
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList { "a", "", "b" };
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList { "a", "", "b" };
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("one break only") << QByteArray("\r\n") << QStringList { "" };
        QTest::newRow("two final breaks") << QByteArray("a\n\n") << QStringList { "a", "" };
        QTest::newRow("zero byte ends the text")
            << QByteArray("a\r\nb\0c\r\nd", 9) << QStringList { "a", "b" };
        QTest::newRow("zero byte first") << QByteArray("\0a\r\n", 4) << QStringList();
        QTest::newRow("blanks kept") << QByteArray("  a \t\r\n ") << QStringList { "  a \t", " " };
        QTest::newRow("cyrillic 1251") << QByteArray("\xC6\xE0\xEB\xEE\xE1\xFB\r\n\xB8")
                                       << QStringList { QStringLiteral("Жалобы"), QStringLiteral("ё") };
        QTest::newRow("undefined byte") << QByteArray("x\x98y") << QStringList { QStringLiteral("x\uFFFDy") };
    }
    void lineRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::parse(bytes), lines);
    }

    void binaryBytesGiveLinesWithoutFailing()
    {
        QByteArray bytes;
        for (int i = 1; i < 256; ++i)
            bytes.append(char(i));
        const QStringList lines = TextFile::parse(bytes);
        // LF (0x0A) and CR (0x0D) are the only breaks.
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.join(QString()).size(), 255 - 2);
    }

    void tenThousandLines()
    {
        QByteArray bytes;
        for (int i = 1; i <= 10000; ++i)
            bytes += CodePage::fromUnicode(QStringLiteral("Утверждение %1\r\n").arg(i));
        const QStringList lines = TextFile::parse(bytes);
        QCOMPARE(lines.size(), 10000);
        QCOMPARE(lines.last(), QStringLiteral("Утверждение 10000"));
    }

    void missingOrUnreadableFileGivesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(TextFile::read(dir.filePath(QStringLiteral("absent.txt"))).isEmpty());
        QVERIFY(TextFile::read(dir.path()).isEmpty());
        const QString locked = dir.filePath(QStringLiteral("locked.txt"));
        QFile file(locked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a\r\nb\r\n");
        file.close();
        QCOMPARE(TextFile::read(locked), (QStringList { "a", "b" }));
        if (QFile::setPermissions(locked, QFileDevice::WriteOwner)
            && !QFile(locked).open(QIODevice::ReadOnly))
            QVERIFY(TextFile::read(locked).isEmpty());
    }

    void listOwnsItemsNotAnswered()
    {
        TQuestionList list;
        list.load({ "a", "", "c" });
        QCOMPARE(list.count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(list.item(i)->QuestionIndex, i);
            QCOMPARE(list.item(i)->AnswerState, AnswerStates::NotAnswered);
        }
        QCOMPARE(list.text(1), QString());
        QCOMPARE(list.item(3), nullptr);
        QCOMPARE(list.item(-1), nullptr);
    }

    void isAnsweredYesOnlyForStateYes_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes, asked its number") << int(AnswerStates::Yes) << 2 << true;
        QTest::newRow("no") << int(AnswerStates::No) << 2 << false;
        QTest::newRow("not answered") << int(AnswerStates::NotAnswered) << 2 << false;
        QTest::newRow("yes, neighbour asked") << int(AnswerStates::Yes) << 1 << false;
        QTest::newRow("number 0") << int(AnswerStates::Yes) << 0 << false;
        QTest::newRow("beyond the list") << int(AnswerStates::Yes) << 69 << false;
        QTest::newRow("byte maximum") << int(AnswerStates::Yes) << 255 << false;
    }
    void isAnsweredYesOnlyForStateYes()
    {
        QFETCH(int, state);
        QFETCH(int, asked);
        QFETCH(bool, yes);
        TQuestionList list;
        list.load({ "a", "b", "c" });
        list.item(1)->AnswerState = quint8(state);
        QCOMPARE(list.isAnsweredYes(asked), yes);
    }

    void reloadForgetsAnswers()
    {
        TQuestionList list;
        list.load({ "a", "b" });
        list.item(0)->AnswerState = AnswerStates::Yes;
        list.load({ "a", "b" });
        QVERIFY(!list.isAnsweredYes(1));
        list.clear();
        QCOMPARE(list.count(), 0);
        QVERIFY(!list.isAnsweredYes(1));
    }

    // The conclusion joins the phrases with "; " and ends them with ".", and
    // the rules read the statements by number: both files go line for line.
    void shippedStatementsAndPhrasesMatch()
    {
        const QStringList statements = TextFile::read(DataFolder::file(QStringLiteral("Common/ksm.txt")));
        const QStringList phrases = TextFile::read(DataFolder::file(QStringLiteral("Common/ANS.txt")));
        QCOMPARE(statements.size(), 69);
        QCOMPARE(phrases.size(), 69);
        for (const QStringList* lines : { &statements, &phrases }) {
            for (const QString& line : *lines) {
                QVERIFY2(!line.isEmpty() && line == line.trimmed(), qPrintable(line));
                QVERIFY2(
                    !line.contains(QChar::ReplacementCharacter) && !line.contains(u'?'), qPrintable(line));
                QVERIFY2(!line.endsWith(u'.') && !line.contains(u';'), qPrintable(line));
                QVERIFY2(line.at(0).isLower(), qPrintable(line));
            }
        }
        QCOMPARE(QSet<QString>(statements.begin(), statements.end()).size(), 69);
    }
};

QTEST_GUILESS_MAIN(TestQuestionFile)
#include "tst_questionfile.moc"
