#include "platform/jpeg/JpegLoader.h"
#include "tests/BenchFigures.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QTest>

// Figures only: decoding time of our loader beside Qt's own JPEG reader.
class BenchJpeg : public QObject {
    Q_OBJECT
private slots:
    void decodeTimes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("progressive");
        QTest::newRow("page picture 180x250") << QSize(180, 250) << false;
        QTest::newRow("photo 1600x1200") << QSize(1600, 1200) << false;
        QTest::newRow("progressive photo 1600x1200") << QSize(1600, 1200) << true;
    }
    void decodeTimes()
    {
        QFETCH(QSize, size);
        QFETCH(bool, progressive);
        const QByteArray bytes = encoded(size, progressive);
        constexpr int Batches = 5;
        const int rounds = size.width() > 1000 ? 4 : 40;
        BenchFigures ours;
        BenchFigures qt;
        for (int batch = 0; batch < Batches; ++batch) {
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < rounds; ++i)
                QCOMPARE(DecodeJpeg(bytes).image.size(), size);
            ours.add(double(timer.nsecsElapsed()) / rounds / 1e6);
            timer.restart();
            for (int i = 0; i < rounds; ++i)
                QCOMPARE(QImage::fromData(bytes, "jpg").size(), size);
            qt.add(double(timer.nsecsElapsed()) / rounds / 1e6);
        }
        // A run is the mean decoding time of one picture over a batch of decodes.
        qInfo("%s (%d bytes), decoding one picture from memory, batches of %d: our loader %s; Qt reader %s",
            QTest::currentDataTag(), int(bytes.size()), rounds,
            qPrintable(ours.text(QStringLiteral("ms"), 3)), qPrintable(qt.text(QStringLiteral("ms"), 3)));
    }

private:
    static QByteArray encoded(QSize size, bool progressive)
    {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, size.width(), size.height());
        gradient.setColorAt(0, QColor(40, 120, 200));
        gradient.setColorAt(1, QColor(240, 200, 60));
        painter.fillRect(image.rect(), gradient);
        painter.setPen(Qt::white);
        for (int x = 0; x < size.width(); x += 7)
            painter.drawLine(x, 0, size.width() - x, size.height());
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpg");
        writer.setQuality(90);
        writer.setProgressiveScanWrite(progressive);
        writer.write(image);
        return bytes;
    }
};

QTEST_MAIN(BenchJpeg)
#include "bench_jpeg.moc"
