#include "app/uTessoraClasses.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"
#include "platform/jpeg/JpegLoader.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

// The tip texts and pictures laid beside the program, as the pages load them.
class TestShippedData : public QObject {
    Q_OBJECT
private slots:
    void everyPageHasTipText_data()
    {
        QTest::addColumn<QString>("name");
        for (int tag = 1; tag <= 15; ++tag)
            QTest::addRow("%d %s", tag, qPrintable(PageFileNames[tag])) << PageFileNames[tag];
    }
    void everyPageHasTipText()
    {
        QFETCH(QString, name);
        QFile file(DataFolder::file(QStringLiteral("Common/%1.txt").arg(name)));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QVERIFY2(!bytes.contains('?'), "a character did not survive the code page");
        QVERIFY(bytes.contains("\r\n"));
        const QString text = CodePage::toUnicode(bytes);
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        QVERIFY(text.count(QLatin1Char('\n')) >= 8);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("[А-Яа-я]{5}"))));
    }

    void everyPictureDecodes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (int tag = 1; tag <= 15; ++tag)
            if (tag != 2 && tag != 14) // these pages show no picture
                QTest::addRow("%d %s", tag, qPrintable(PageFileNames[tag]))
                    << PageFileNames[tag] << QSize(180, 250);
        QTest::newRow("program picture") << QStringLiteral("Tessora") << QSize(360, 150);
    }
    void everyPictureDecodes()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const JpegResult picture = LoadJpeg(DataFolder::file(QStringLiteral("Images/%1.jpg").arg(name)));
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QVERIFY(picture.warning.isEmpty());
        QCOMPARE(picture.image.size(), size);
    }
};

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shipped_data.moc"
