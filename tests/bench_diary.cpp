// Time to open the diary window on a diary of 1 000 kept examinations, and
// to write the summary for a doctor of them.
#include "app/DiaryWindow.h"
#include "diary/DiaryStore.h"
#include "diary/DoctorSummaryPdf.h"
#include "tests/BenchFigures.h"
#include "tests/DiaryTestData.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

class BenchDiary : public QObject {
    Q_OBJECT

private slots:
    void openWindow();
    void writeSummary();
};

void BenchDiary::openWindow()
{
    constexpr int Examinations = 1000;
    constexpr int Runs = 7;
    QTemporaryDir folder;
    {
        DiaryStore store(folder.path());
        QElapsedTimer timer;
        timer.start();
        QVERIFY2(store.add(diaryTestSeries(Examinations, QDateTime::currentDateTime())),
            qPrintable(store.errorText()));
        qInfo("writing %d examinations into a new diary in one transaction (one run): %lld ms", Examinations,
            timer.elapsed());
    }
    BenchFigures times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        DiaryWindow diary(folder.path(), true, folder.path());
        diary.show();
        QVERIFY(QTest::qWaitForWindowExposed(&diary));
        diary.grab(); // the first painting of the table and the four charts
        times.add(timer.elapsed());
        QCOMPARE(diary.entries().size(), Examinations);
    }
    // The first run also loads what Qt Charts needs on first use.
    qInfo("diary window with %d examinations, from construction to the table and the four charts first "
          "painted: %s (target: under 300 ms)",
        Examinations, qPrintable(times.text(QStringLiteral("ms"))));
}

void BenchDiary::writeSummary()
{
    constexpr int Examinations = 1000;
    constexpr int Runs = 5;
    const QList<DiaryEntry> entries = diaryTestSeries(Examinations, QDateTime::currentDateTime());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Сводка.pdf"));
    BenchFigures times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        QVERIFY2(writeDoctorSummary(path,
                     makeDoctorSummary(
                         entries, {}, summaryPeriodName(SummaryPeriod::All), QDateTime::currentDateTime()),
                     error),
            qPrintable(error));
        times.add(timer.elapsed());
    }
    qInfo("summary for a doctor of %d examinations written as PDF (%lld KB): %s (target: under 1 s)",
        Examinations, QFileInfo(path).size() / 1024, qPrintable(times.text(QStringLiteral("ms"))));
}

QTEST_MAIN(BenchDiary)
#include "bench_diary.moc"
