#include "platform/rtf/RtfReader.h"

#include "platform/files/DataFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QByteArray readData(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList blocks(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        texts << b.text();
    return texts;
}

// The format of the first fragment whose text contains the given text.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    return QTextCharFormat();
}

QTextBlock blockWith(const QTextDocument& document, const QString& text)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (b.text().contains(text))
            return b;
    }
    return QTextBlock();
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT
private slots:
    void libreOfficeDocument()
    {
        QTextDocument document;
        const auto result
            = Rtf::read(readData(TESSORA_TEST_DATA_DIR "/rtf/libreoffice-sample.rtf"), document);
        QCOMPARE(result.outcome, Rtf::Outcome::Complete);
        QVERIFY(result.problem.isEmpty());
        const QStringList texts = blocks(document);
        QCOMPARE(texts.mid(0, 7),
            (QStringList { "Обычный жирный курсив подчеркнутый текст.", "По центру", "Справа",
                "Крупный и мелкий", "Красный и синий", QStringLiteral("Первая строка\u2028вторая строка"),
                "Знаки: № 5, «кавычки», — тире, ё и Ё, ü, €" }));

        QCOMPARE(formatOf(document, "жирный").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(document, "Обычный").fontWeight(), int(QFont::Normal));
        QVERIFY(formatOf(document, "курсив").fontItalic());
        QVERIFY(!formatOf(document, "жирный").fontItalic());
        QVERIFY(formatOf(document, "подчеркнутый").fontUnderline());
        QVERIFY(!formatOf(document, "текст").fontUnderline());
        QCOMPARE(formatOf(document, "Крупный").fontPointSize(), 24.0);
        QCOMPARE(formatOf(document, "мелкий").fontPointSize(), 7.0);
        QCOMPARE(formatOf(document, "Красный").foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf(document, "синий").foreground().color(), QColor(0, 0, 255));
        QCOMPARE(blockWith(document, "По центру").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
        QCOMPARE(blockWith(document, "Справа").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
        QCOMPARE(blockWith(document, "Обычный").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignLeft);
    }

    void handWrittenText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("1251 from the document code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}") << "Привет";
        QTest::newRow("1251 from the font charset") << QByteArray(
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset0 Courier;}}"
            "\\f0 \\'c4\\'e0 {\\f1 \\'e9}}") << "Да é";
        QTest::newRow("uppercase hex digits") << QByteArray("{\\rtf1\\ansicpg1251 \\'C4\\'C0}") << "ДА";
        QTest::newRow("unicode with one fallback") << QByteArray("{\\rtf1 \\u1044?\\u1072?}") << "Да";
        QTest::newRow("unicode with hex fallback") << QByteArray("{\\rtf1 \\u1044\\'3f!}") << "Д!";
        QTest::newRow("unicode without fallback") << QByteArray("{\\rtf1\\uc0 \\u1044\\u1072}") << "Да";
        QTest::newRow("unicode with two fallbacks") << QByteArray("{\\rtf1\\uc2 \\u1044\\'c4\\'c4x}") << "Дx";
        QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
        QTest::newRow("fallback ends with the group") << QByteArray("{\\rtf1\\uc3 {\\u1044?}ab}") << "Дab";
        QTest::newRow("escaped signs") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << "a{b}c\\d";
        QTest::newRow("paragraphs, line, tab") << QByteArray("{\\rtf1 one\\par two\\line three\\tab four}")
                                               << QStringLiteral("one\ntwo\u2028three\tfour");
        QTest::newRow("line ends in the source are not text") << QByteArray("{\\rtf1 a\r\nb\nc}") << "abc";
        QTest::newRow("special characters")
            << QByteArray("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~}")
            << QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u00A0");
        QTest::newRow("skipped destinations") << QByteArray(
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 "
            "Normal;}}{\\info{\\title Title}}{\\*\\unknown hidden}{\\pict\\pngblip 89504e47}shown}")
                                              << "shown";
        QTest::newRow("field shows its result")
            << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} end}")
            << "link end";
        QTest::newRow("binary data skipped") << QByteArray("{\\rtf1 a\\bin3 }}}b}") << "ab";
        QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 a\\bin999999999 b}") << "a";
        QTest::newRow("unknown control words") << QByteArray("{\\rtf1 \\zzz12 a\\qwerty-5 b\\foo}") << "ab";
        QTest::newRow("huge numbers; fallbacks still skipped") << QByteArray(
            "{\\rtf1 \\fs99999999999999999999 a\\u99999999999999 b\\cf123456789012 c\\uc999999999 "
            "\\u1044 xyz}") << "acД";
        QTest::newRow("control word without letters") << QByteArray("{\\rtf1 a\\") << "a";
        QTest::newRow("lone hex escape") << QByteArray("{\\rtf1 a\\'zz\\'") << "azz";
        QTest::newRow("binary junk") << QByteArray("{\\rtf1 A\x00\x01\x02\x1f\x7f B}", 17)
                                     << QStringLiteral("A\u007f B");
    }
    void handWrittenText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QTextDocument document;
        Rtf::read(rtf, document);
        QCOMPARE(blocks(document).join(QLatin1Char('\n')), text);
    }

    void handWrittenFormats()
    {
        QTextDocument document;
        const QByteArray rtf
            = "{\\rtf1\\ansi{\\colortbl;\\red200\\green0\\blue0;\\red0\\green128\\blue0;}"
              "\\pard\\qc{\\b bold}{\\i italic}{\\ul under}{\\b\\b0 plain}\\par"
              "\\pard\\qj\\li720{\\fs40 big}{\\cf1 red}{\\cf2 green}{\\cf0 auto}{\\cf9 none}\\par"
              "\\pard\\qr{\\b\\i\\ul all\\plain reset}{\\strike gone}{\\super up}}";
        QCOMPARE(Rtf::read(rtf, document).outcome, Rtf::Outcome::Complete);
        QCOMPARE(blocks(document),
            (QStringList { "bolditalicunderplain", "bigredgreenautonone", "allresetgoneup" }));
        QCOMPARE(formatOf(document, "bold").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(document, "plain").fontWeight(), int(QFont::Normal));
        QVERIFY(formatOf(document, "italic").fontItalic());
        QVERIFY(formatOf(document, "under").fontUnderline());
        QCOMPARE(formatOf(document, "big").fontPointSize(), 20.0);
        QCOMPARE(formatOf(document, "red").foreground().color(), QColor(200, 0, 0));
        QCOMPARE(formatOf(document, "green").foreground().color(), QColor(0, 128, 0));
        QVERIFY(!formatOf(document, "auto").hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!formatOf(document, "none").hasProperty(QTextFormat::ForegroundBrush));
        const QTextCharFormat all = formatOf(document, "all");
        QVERIFY(all.fontWeight() == QFont::Bold && all.fontItalic() && all.fontUnderline());
        const QTextCharFormat reset = formatOf(document, "reset");
        QVERIFY(reset.fontWeight() != QFont::Bold && !reset.fontItalic() && !reset.fontUnderline());
        QVERIFY(formatOf(document, "gone").fontStrikeOut());
        QCOMPARE(formatOf(document, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(document.begin().next().blockFormat().alignment(), Qt::AlignJustify);
        QCOMPARE(document.begin().next().blockFormat().leftMargin(), 48.0);
        QCOMPARE(document.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void hangingListItemKeepsItsTabStop()
    {
        QTextDocument document;
        Rtf::read("{\\rtf1\\ansi\\pard\\fi-300\\li900\\tx900 {\\listtext \\'95\\tab}item\\par}", document);
        const QTextBlockFormat format = document.begin().blockFormat();
        QCOMPARE(document.begin().text(), QStringLiteral("\u2022\titem"));
        QCOMPARE(format.leftMargin(), 60.0);
        QCOMPARE(format.textIndent(), -20.0);
        // The text after the bullet starts at the indent, where the lines below it start.
        QCOMPARE(format.tabPositions().size(), 1);
        QCOMPARE(format.tabPositions().first().position, 20.0);
    }

    void damagedInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rtf::Outcome>("outcome");
        QTest::newRow("truncated") << QByteArray("{\\rtf1 Hello {\\b wor") << "Hello wor"
                                   << Rtf::Outcome::Damaged;
        QTest::newRow("missing last brace")
            << QByteArray("{\\rtf1 a\\par b") << "a\nb" << Rtf::Outcome::Damaged;
        QTest::newRow("closed too early") << QByteArray("{\\rtf1 a} b}") << "a" << Rtf::Outcome::Damaged;
        QTest::newRow("trailing line break")
            << QByteArray("{\\rtf1 a}\r\n\0", 13) << "a" << Rtf::Outcome::Complete;
        QTest::newRow("deep nesting") << QByteArray("{\\rtf1 a") + QByteArray(100000, '{') + "b"
                                      << "ab" << Rtf::Outcome::Damaged;
        QTest::newRow("plain text") << QByteArray("\xcf\xf0\xee\xf1\xf2\xee \xf2\xe5\xea\xf1\xf2\n")
                                    << "Просто текст\n"
                                    << Rtf::Outcome::NotRtf;
        QTest::newRow("binary junk") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00", 10) << "\u2030PNG\n\n"
                                     << Rtf::Outcome::NotRtf;
        QTest::newRow("empty") << QByteArray() << "" << Rtf::Outcome::NotRtf;
        QTest::newRow("header only") << QByteArray("{\\rtf") << "" << Rtf::Outcome::Damaged;
        const QByteArray word(Rtf::MaxWordLength + 5, 'x');
        const QString shown = QStringLiteral("a ") + QString(Rtf::MaxWordLength, u'x');
        QTest::newRow("overlong word") << "{\\rtf1 a " + word + "\\par b}" << shown << Rtf::Outcome::Cut;
        QTest::newRow("overlong word in plain text") << "a " + word + " b" << shown << Rtf::Outcome::Cut;
    }
    void damagedInput()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(Rtf::Outcome, outcome);
        QTextDocument document;
        document.setPlainText(QStringLiteral("old contents"));
        const auto result = Rtf::read(rtf, document);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(document.toPlainText(), text);
        QCOMPARE(result.problem.isEmpty(), outcome == Rtf::Outcome::Complete);
    }

    void fileThatCannotBeOpenedLeavesTheDocument()
    {
        QTemporaryDir dir;
        QTextDocument document;
        document.setPlainText(QStringLiteral("old contents"));
        const auto result = Rtf::readFile(dir.filePath(QStringLiteral("RQ0309.rtf")), document);
        QCOMPARE(result.outcome, Rtf::Outcome::CannotOpen);
        QVERIFY(result.problem.contains(QStringLiteral("RQ0309.rtf")));
        QCOMPARE(document.toPlainText(), QStringLiteral("old contents"));
    }

    void fileProblemEndsTheDocument_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text"); // %1: the file's path
        QTest::addColumn<Rtf::Outcome>("outcome");
        const QByteArray paragraph = "{\\rtf1 Hello}";
        const QByteArray words = QByteArray("xxx ").repeated(Rtf::MaxFileBytes / 4);
        QTest::newRow("complete") << paragraph << "Hello" << Rtf::Outcome::Complete;
        QTest::newRow("empty") << QByteArray() << "Файл %1 пуст." << Rtf::Outcome::Damaged;
        QTest::newRow("blank") << QByteArray(" \r\n") << "Файл %1 пуст." << Rtf::Outcome::Damaged;
        QTest::newRow("cut short") << QByteArray("{\\rtf1 Hello {\\b wor")
                                   << "Hello wor\nДокумент поврежден: показано то, что удалось прочитать."
                                   << Rtf::Outcome::Damaged;
        QTest::newRow("larger than the limit")
            << QByteArray("{\\rtf1 Hello\\par ") + words + "}"
            << "Hello\n" + QString::fromLatin1(words.left(Rtf::MaxFileBytes - 17))
                + "\nФайл %1 больше 4 МБ: прочитано только его начало."
            << Rtf::Outcome::Cut;
    }
    void fileProblemEndsTheDocument()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(Rtf::Outcome, outcome);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("RQ0301.rtf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rtf);
        file.close();
        QTextDocument document;
        QCOMPARE(Rtf::readFile(path, document).outcome, outcome);
        QCOMPARE(document.toPlainText(), text.arg(path));
    }

    void shippedExplanationsRead_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("healthy") << 0 << "Практически здоров";
        QTest::newRow("infarct") << 1 << "Немедленно вызовите скорую помощь: 103 или 112.";
        for (int c = 2; c <= 8; ++c)
            QTest::addRow("condition %d", c) << c << QString();
    }
    void shippedExplanationsRead()
    {
        QFETCH(int, condition);
        QFETCH(QString, firstLine);
        QTextDocument document;
        const auto result
            = Rtf::readFile(DataFolder::file(QStringLiteral("cardio/RQ030%1.rtf").arg(condition)), document);
        QCOMPARE(result.outcome, Rtf::Outcome::Complete);
        const QStringList texts = blocks(document);
        if (!firstLine.isEmpty())
            QCOMPARE(texts.first(), firstLine);
        for (const QString& heading : { QStringLiteral("Что это значит"), QStringLiteral("Что делать сейчас"),
                 QStringLiteral("К какому врачу и как скоро") })
            QVERIFY2(texts.contains(heading), qPrintable(heading));
        QVERIFY(formatOf(document, QStringLiteral("Что это значит")).fontWeight() == QFont::Bold);
    }

    // Nitroglycerin with its contraindications, aspirin with its dose: the
    // explanation may follow the answer that the pressure fell below 90.
    void infarctAdviceNamesContraindicationsAndDose()
    {
        QTextDocument document;
        Rtf::readFile(DataFolder::file(QStringLiteral("cardio/RQ0301.rtf")), document);
        for (const char* phrase : { "Не принимайте нитроглицерин, если верхнее давление ниже 90", "силденафил",
                 "тадалафил", "разжуйте 250 мг аспирина" })
            QVERIFY2(document.toPlainText().contains(QString::fromUtf8(phrase)), phrase);
    }
};

QTEST_GUILESS_MAIN(TestRtf)
#include "tst_rtf.moc"
