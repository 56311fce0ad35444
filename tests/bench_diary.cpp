// Time to open the diary window on a diary of 1 000 kept examinations, and
// to write the summary for a doctor of them.
#include "app/DiaryU.h"
#include "diary/DiaryStore.h"
#include "diary/DoctorSummaryPdf.h"
#include "tests/DiaryTestData.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

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
        TDiaryStore store(folder.path());
        QElapsedTimer timer;
        timer.start();
        QVERIFY2(store.add(DiaryTestSeries(Examinations, QDateTime::currentDateTime())),
            qPrintable(store.errorText()));
        qInfo("writing %d examinations in one transaction: %lld ms", Examinations, timer.elapsed());
    }
    QList<qint64> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        TfrmDiary diary(true, folder.path());
        diary.show();
        QVERIFY(QTest::qWaitForWindowExposed(&diary));
        diary.grab(); // the first painting of the table and the four charts
        times << timer.elapsed();
        QCOMPARE(diary.Entries().size(), Examinations);
    }
    std::sort(times.begin(), times.end());
    qInfo("opening the diary window with %d examinations: median %lld ms, best %lld ms, worst %lld ms "
          "(target: under 300 ms)",
        Examinations, times[Runs / 2], times.first(), times.last());
}

void BenchDiary::writeSummary()
{
    constexpr int Examinations = 1000;
    constexpr int Runs = 5;
    const QList<TDiaryEntry> entries = DiaryTestSeries(Examinations, QDateTime::currentDateTime());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Сводка.pdf"));
    QList<qint64> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        QVERIFY2(WriteDoctorSummary(path,
                     MakeDoctorSummary(
                         entries, SummaryPeriodName(TSummaryPeriod::All), QDateTime::currentDateTime()),
                     error),
            qPrintable(error));
        times << timer.elapsed();
    }
    std::sort(times.begin(), times.end());
    qInfo("summary for a doctor of %d examinations (%lld KB): median %lld ms, best %lld ms, worst %lld ms "
          "(target: under 1 s)",
        Examinations, QFileInfo(path).size() / 1024, times[Runs / 2], times.first(), times.last());
}

QTEST_MAIN(BenchDiary)
#include "bench_diary.moc"
