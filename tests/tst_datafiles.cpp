#include "cardio/CardioU.h"
#include "platform/files/TextFile.h"
#include "platform/jpeg/JpegLoader.h"
#include "platform/rtf/RtfReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

// Every reader of a shipped file against what may stand in its place: a
// named pipe or a device (refused at once) and a file far larger than any
// shipped one (read up to its limit, and said so).
class TestDataFiles : public QObject {
    Q_OBJECT

private slots:
    void readerFacesStrangeFile_data();
    void readerFacesStrangeFile();

private:
    // The reader's word on the file: the problem it reports.
    static QString readWith(const QString& reader, const QString& path);
};

QString TestDataFiles::readWith(const QString& reader, const QString& path)
{
    if (reader == QLatin1String("explanation")) {
        QTextDocument document;
        return Rtf::readFile(path, document).problem;
    }
    if (reader == QLatin1String("statements")) {
        QString problem;
        TextFile::read(path, &problem);
        return problem;
    }
    if (reader == QLatin1String("questions"))
        return CardioKnowledgeBase().LoadCardioQuestions(path);
    return LoadJpeg(path).error;
}

void TestDataFiles::readerFacesStrangeFile_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    const QString notAFile = QStringLiteral("не является обычным файлом");
    const QString cut = QStringLiteral("прочитано только его начало");
    for (const char* reader : { "explanation", "statements", "questions", "jpeg" }) {
        const bool jpeg = qstrcmp(reader, "jpeg") == 0;
        QTest::addRow("%s: named pipe", reader) << reader << "fifo" << (jpeg ? "Это не файл" : notAFile);
        QTest::addRow("%s: device", reader) << reader << "device" << (jpeg ? "Это не файл" : notAFile);
        QTest::addRow("%s: 100 MB", reader) << reader << "oversized" << (jpeg ? "Файл слишком велик" : cut);
    }
}

void TestDataFiles::readerFacesStrangeFile()
{
    QFETCH(QString, reader);
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("data.file"));
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else {
        // Sparse: a readable beginning, then zeros up to 100 MB.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 \xc4\xe0 \\par\r\n\xc4\xe0?\r\n");
        QVERIFY(file.resize(100 * 1024 * 1024));
    }
    auto reading = std::async(std::launch::async, [&] { return readWith(reader, path); });
    if (reading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Let a reader blocked on the pipe go before failing.
        ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
        QFAIL("the reader did not finish");
    }
    const QString reported = reading.get();
    QVERIFY2(reported.contains(problem), qPrintable(reported));
    QVERIFY2(reported.contains(QStringLiteral("data.file")), qPrintable(reported));
}

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
