// Time to open the diary window on a diary of 1 000 kept examinations.
#include "app/DiaryU.h"
#include "diary/DiaryStore.h"
#include "tests/DiaryTestData.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class BenchDiary : public QObject {
    Q_OBJECT

private slots:
    void openWindow();
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

QTEST_MAIN(BenchDiary)
#include "bench_diary.moc"
