#include "cardio/CardioU.h"
#include "platform/files/TextFile.h"
#include "platform/rtf/RtfReader.h"
#include "tests/BenchFigures.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <sys/resource.h>

namespace {

QByteArray repeatedTo(const QByteArray& head, const QByteArray& unit, qint64 size)
{
    QByteArray bytes = head;
    bytes.reserve(size + unit.size());
    while (bytes.size() < size)
        bytes += unit;
    return bytes;
}

// Inputs of the given size in the shape each reader meets.
QByteArray generated(const QString& shape, qint64 size)
{
    if (shape == QLatin1String("rtf paragraphs"))
        return repeatedTo(
                   "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}",
                   "\\pard\\qj {\\b \\'c6\\'e0\\'eb\\'ee\\'e1\\'fb} on {\\i chest} \\cf1 pain\\cf0  at "
                   "rest\\par\r\n",
                   size)
            + "}";
    if (shape == QLatin1String("rtf one long paragraph"))
        return repeatedTo("{\\rtf1 ", "word {\\b bold} \\'e0\\u1044?", size) + "}";
    if (shape == QLatin1String("rtf junk"))
        return repeatedTo("{\\rtf1 ", "{\\*\\x{\\'zz\\u-99999999999 }}\\ansicpg", size);
    if (shape == QLatin1String("statement lines"))
        return repeatedTo({}, "\xc1\xee\xeb\xe8\xf2 \xe3\xee\xeb\xee\xe2\xe0\r\n", size);
    return repeatedTo({}, "\xc1\xee\xeb\xe8\xf2 \xe3\xee\xeb\xee\xe2\xe0?\r\n", size); // questions
}

void readParsed(const QString& shape, QByteArray& bytes)
{
    if (shape.startsWith(QLatin1String("rtf"))) {
        QTextDocument document;
        Rtf::read(bytes, document);
    } else if (shape == QLatin1String("statement lines")) {
        TextFile::parse(bytes);
    } else {
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        CardioKnowledgeBase().LoadCardioQuestions(file);
    }
}

constexpr int Runs = 3;

// The peak resident memory of the process since the last reset, in MiB.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace

// Figures only: how the readers' time grows with their input (it should
// double with the size), and what the file readers cost on a file of 100 MB,
// of which they read only up to their limit.
class BenchReaders : public QObject {
    Q_OBJECT
private slots:
    void parserGrowth_data()
    {
        QTest::addColumn<QString>("shape");
        for (const char* shape :
            { "rtf paragraphs", "rtf one long paragraph", "rtf junk", "statement lines", "questions" })
            QTest::newRow(shape) << shape;
    }
    void parserGrowth()
    {
        QFETCH(QString, shape);
        for (const int megabytes : { 2, 4, 8 }) {
            BenchFigures times;
            BenchFigures peaks;
            for (int run = 0; run < Runs; ++run) {
                QByteArray bytes = generated(shape, qint64(megabytes) * 1024 * 1024);
                resetPeakMemory();
                QElapsedTimer timer;
                timer.start();
                readParsed(shape, bytes);
                times.add(timer.elapsed());
                peaks.add(peakMegabytes());
            }
            qInfo("%s, parsing %d MB held in memory: %s; peak resident memory of the process while "
                  "parsing (input included): %s",
                qPrintable(shape), megabytes, qPrintable(times.text(QStringLiteral("ms"))),
                qPrintable(peaks.text(QStringLiteral("MiB"))));
        }
    }

    void fileOf100Megabytes_data()
    {
        QTest::addColumn<QString>("shape");
        for (const char* shape : { "rtf paragraphs", "statement lines", "questions" })
            QTest::newRow(shape) << shape;
    }
    void fileOf100Megabytes()
    {
        QFETCH(QString, shape);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("big"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(generated(shape, 100 * 1024 * 1024));
        }
        BenchFigures times;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            QString problem;
            if (shape.startsWith(QLatin1String("rtf"))) {
                QTextDocument document;
                problem = Rtf::readFile(path, document).problem;
            } else if (shape == QLatin1String("statement lines")) {
                TextFile::read(path, &problem);
            } else {
                problem = CardioKnowledgeBase().LoadCardioQuestions(path);
            }
            times.add(timer.elapsed());
            QVERIFY(!problem.isEmpty());
        }
        qInfo("%s, reading a file of 100 MB up to the reader's limit and refusing it: %s", qPrintable(shape),
            qPrintable(times.text(QStringLiteral("ms"))));
    }
};

QTEST_GUILESS_MAIN(BenchReaders)
#include "bench_readers.moc"
