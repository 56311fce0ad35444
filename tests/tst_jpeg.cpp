#include "platform/jpeg/JpegLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString dataFile(const char* name)
{
    return QStringLiteral(TESSORA_TEST_DATA_DIR "/jpeg/") + QLatin1String(name);
}

QImage quadrants(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    const int half = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            QRgb colour = y < half ? (x < half ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                   : (x < half ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
            image.setPixel(x, y, colour);
        }
    return image;
}

QByteArray writtenByQt(const QImage& image, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("Qt could not write a JPEG: %s", qPrintable(writer.errorString()));
    return bytes;
}

bool near(QColor actual, QColor expected)
{
    const int tolerance = 40;
    return qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance;
}

// Rewrites the frame size in the start-of-frame segment, as a hostile file would.
QByteArray withClaimedSize(QByteArray bytes, quint16 width, quint16 height)
{
    for (qsizetype i = 2; i + 8 < bytes.size(); ++i) {
        const uchar marker = uchar(bytes[i + 1]);
        if (uchar(bytes[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            bytes[i + 5] = char(height >> 8);
            bytes[i + 6] = char(height & 0xFF);
            bytes[i + 7] = char(width >> 8);
            bytes[i + 8] = char(width & 0xFF);
            return bytes;
        }
    }
    qFatal("no start-of-frame marker");
}

} // namespace

class TestJpeg : public QObject {
    Q_OBJECT
private slots:
    void decodesColourModels_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("grey");
        QTest::newRow("progressive YCbCr") << dataFile("quads-progressive.jpg") << false;
        QTest::newRow("RGB without transform") << dataFile("quads-rgb.jpg") << false;
        QTest::newRow("Adobe CMYK") << dataFile("quads-cmyk.jpg") << false;
        QTest::newRow("Adobe YCCK") << dataFile("quads-ycck.jpg") << false;
        QTest::newRow("plain CMYK") << dataFile("quads-cmyk-plain.jpg") << false;
        QTest::newRow("greyscale") << dataFile("quads-gray.jpg") << true;
    }
    void decodesColourModels()
    {
        QFETCH(QString, path);
        QFETCH(bool, grey);
        const JpegResult result = LoadJpeg(path);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QVERIFY(result.warning.isEmpty());
        QCOMPARE(result.image.size(), QSize(16, 16));
        const QImage& image = result.image;
        if (grey) {
            QCOMPARE(image.format(), QImage::Format_Grayscale8);
            QVERIFY(qGray(image.pixel(12, 12)) > 215); // white
            QVERIFY(qGray(image.pixel(3, 12)) < qGray(image.pixel(12, 3))); // blue darker than green
            return;
        }
        QVERIFY(near(image.pixelColor(3, 3), Qt::red));
        QVERIFY(near(image.pixelColor(12, 3), Qt::green));
        QVERIFY(near(image.pixelColor(3, 12), Qt::blue));
        QVERIFY(near(image.pixelColor(12, 12), Qt::white));
    }

    void decodesWhatQtWrites_data()
    {
        QTest::addColumn<bool>("progressive");
        QTest::newRow("baseline") << false;
        QTest::newRow("progressive") << true;
    }
    void decodesWhatQtWrites()
    {
        QFETCH(bool, progressive);
        const JpegResult result = DecodeJpeg(writtenByQt(quadrants(64), progressive));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(64, 64));
        QVERIFY(near(result.image.pixelColor(10, 10), Qt::red));
        QVERIFY(near(result.image.pixelColor(50, 50), Qt::white));
    }

    void truncatedFileKeepsDecodedTop()
    {
        const QByteArray whole = writtenByQt(quadrants(256));
        const JpegResult result = DecodeJpeg(whole.left(whole.size() / 2));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QVERIFY(!result.warning.isEmpty());
        QCOMPARE(result.image.size(), QSize(256, 256));
        QVERIFY(near(result.image.pixelColor(20, 20), Qt::red));
    }

    void badInputIsReported_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("errorStart");
        const QByteArray qtFile = writtenByQt(quadrants(32));
        QTest::newRow("empty") << QByteArray() << QStringLiteral("Файл пуст");
        QTest::newRow("text") << QByteArray("это не картинка, а текст").repeated(10)
                              << QStringLiteral("Файл JPEG поврежден");
        QTest::newRow("only start marker") << QByteArray("\xFF\xD8") << QStringLiteral("Файл JPEG поврежден");
        QTest::newRow("header only") << qtFile.left(40) << QStringLiteral("Файл JPEG поврежден");
        QTest::newRow("PNG bytes") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)
                                   << QStringLiteral("Файл JPEG поврежден");
        QTest::newRow("claims 60000 x 60000")
            << withClaimedSize(qtFile, 60000, 60000) << QStringLiteral("Изображение слишком велико");
        QFile manyScans(dataFile("many-scans.jpg"));
        if (!manyScans.open(QIODevice::ReadOnly))
            qFatal("many-scans.jpg is missing");
        QTest::newRow("640 progressive scans")
            << manyScans.readAll() << QStringLiteral("Изображение из слишком многих проходов");
        QTest::newRow("claims zero width")
            << withClaimedSize(qtFile, 0, 32) << QStringLiteral("Файл JPEG поврежден");
    }
    void badInputIsReported()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, errorStart);
        const JpegResult result = DecodeJpeg(bytes);
        QVERIFY(!result.ok());
        QVERIFY(result.image.isNull());
        QVERIFY2(result.error.startsWith(errorStart), qPrintable(result.error));
    }

    void everyPrefixIsSurvived()
    {
        const QByteArray whole = writtenByQt(quadrants(48), true);
        for (qsizetype length = 0; length < whole.size(); length += 7)
            (void)DecodeJpeg(whole.left(length));
    }

    void fileProblemsAreReported()
    {
        QTemporaryDir dir;
        QCOMPARE(LoadJpeg(dir.filePath("absent.jpg")).error.left(15), QStringLiteral("Файл не найден:"));
        QFile empty(dir.filePath("empty.jpg"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(LoadJpeg(empty.fileName()).error, QStringLiteral("Файл пуст"));
        QCOMPARE(LoadJpeg(dir.path()).error.left(11), QStringLiteral("Это не файл"));
        QCOMPARE(LoadJpeg(QStringLiteral("/dev/zero")).error.left(11), QStringLiteral("Это не файл"));
        QFile huge(dir.filePath("huge.jpg"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(MaxJpegFileSize + 1));
        huge.close();
        QCOMPARE(LoadJpeg(huge.fileName()).error.left(19), QStringLiteral("Файл слишком велик:"));
    }

    // Inputs the fuzzer found to reach distinct paths; each must give either a
    // picture or an error, never both or neither.
    void fuzzedInputsGiveConsistentResults()
    {
        const QDir corpus(QStringLiteral(TESSORA_TEST_DATA_DIR "/jpeg/fuzz-corpus"));
        const QStringList names = corpus.entryList(QDir::Files);
        QVERIFY(names.size() > 20);
        for (const QString& name : names) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const JpegResult result = DecodeJpeg(file.readAll());
            QVERIFY2(result.image.isNull() != result.error.isEmpty(), qPrintable(name));
            if (result.ok())
                QVERIFY(qint64(result.image.width()) * result.image.height() <= MaxJpegPixels);
        }
    }
};

QTEST_GUILESS_MAIN(TestJpeg)
#include "tst_jpeg.moc"
