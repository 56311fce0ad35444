#include "app/uTessoraClasses.h"
#include "decision/Emergency.h"
#include "decision/Norms.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"
#include "platform/jpeg/JpegLoader.h"

#include <QFile>
#include <QLocale>
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

    // Every bound a tip or a help topic names is the one the findings use.
    void tipsAndHelpStateTheProgramsBounds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("phrase");
        const QLocale ru(QLocale::Russian);
        const auto tenths = [&ru](double value) { return ru.toString(value, 'f', 1); };
        const auto whole = [](double value) { return QString::number(value); };
        const auto row = [](const char* file, const QString& phrase) {
            QTest::addRow("%s: %s", file, qPrintable(phrase)) << QString::fromLatin1(file) << phrase;
        };
        for (const char* file : { "Common/Anthropometry.txt", "Help/anthropometry.html" }) {
            row(file, QStringLiteral("меньше %1").arg(tenths(Norms.BmiLower)));
            row(file, QStringLiteral("больше %1").arg(whole(Norms.BmiUpper)));
            row(file, QStringLiteral("от %1 до %2").arg(Norms.WeightMin).arg(Norms.WeightMax));
            row(file, QStringLiteral("от %1 до %2").arg(Norms.HeightMin).arg(Norms.HeightMax));
            row(file, QStringLiteral("от %1 до %2 лет").arg(Norms.AgeMin).arg(Norms.AgeMax));
        }
        for (const char* file : { "Common/Temperature.txt", "Help/temperature.html" }) {
            row(file,
                QStringLiteral("от %1 до %2 градуса Цельсия")
                    .arg(tenths(Norms.TemperatureLower), tenths(Norms.TemperatureUpper)));
        }
        // The red flags that open the conclusion, as the tips name them.
        const auto& flags = Emergency::RedFlags;
        row("Common/Temperature.txt",
            QStringLiteral("%1 градуса и выше или %2 градуса и ниже")
                .arg(tenths(flags.TemperatureFrom), tenths(flags.TemperatureAtMost)));
        row("Common/Puls.txt",
            QStringLiteral("чаще %1 или реже %2 ударов в минуту")
                .arg(flags.PulseAbove)
                .arg(flags.PulseBelow));
        row("Common/Pressure.txt",
            QStringLiteral("%1/%2 и выше (любое из двух чисел) или верхнее %3 и ниже")
                .arg(flags.SystolicFrom)
                .arg(flags.DiastolicFrom)
                .arg(flags.SystolicAtMost));
        for (const char* file : { "Common/Puls.txt", "Help/puls.html" })
            row(file, QStringLiteral("от %1 до %2 ударов").arg(Norms.PulseLower).arg(Norms.PulseUpper));
        for (const char* file : { "Common/Pressure.txt", "Help/pressure.html" }) {
            row(file,
                QStringLiteral("верхнее давление выше %1 или нижнее выше %2")
                    .arg(Norms.SystolicUpper)
                    .arg(Norms.DiastolicUpper));
            row(file,
                QStringLiteral("верхнее ниже %1 или нижнее ниже %2")
                    .arg(Norms.SystolicLower)
                    .arg(Norms.DiastolicLower));
        }
        row("Common/Blood.txt", QStringLiteral("гемоглобин не ниже %1 г/л").arg(Norms.HemoglobinLower));
        row("Common/Blood.txt",
            QStringLiteral("лейкоциты %1-%2")
                .arg(tenths(Norms.LeucocytesLower), tenths(Norms.LeucocytesUpper)));
        row("Common/Blood.txt", QStringLiteral("СОЭ до %1 мм/час").arg(Norms.EsrUpper));
        row("Help/blood.html", QStringLiteral("Гемоглобин: не ниже %1 г/л").arg(Norms.HemoglobinLower));
        row("Help/blood.html",
            QStringLiteral("Лейкоциты: %1–%2")
                .arg(tenths(Norms.LeucocytesLower), tenths(Norms.LeucocytesUpper)));
        row("Help/blood.html", QStringLiteral("СОЭ: до %1 мм/час").arg(Norms.EsrUpper));
        row("Help/blood.html",
            QStringLiteral("ниже %1 или выше %2")
                .arg(tenths(Norms.LeucocytesLower), tenths(Norms.LeucocytesUpper)));
        for (const char* file : { "Common/Urina.txt", "Help/urina.html" })
            row(file, QStringLiteral("эритроциты или лейкоциты больше %1").arg(Norms.UrineErythrocytesBound));
    }
    void tipsAndHelpStateTheProgramsBounds()
    {
        QFETCH(QString, file);
        QFETCH(QString, phrase);
        QFile source(QStringLiteral(TESSORA_SOURCE_DATA_DIR "/") + file);
        QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(source.fileName()));
        const QString text = QString::fromUtf8(source.readAll()).simplified();
        QVERIFY2(text.contains(phrase, Qt::CaseInsensitive), qPrintable(phrase));
    }
};

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shipped_data.moc"
