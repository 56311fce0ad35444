// Shows the diary window with ten examinations of the test data at the top
// left of the screen for a while, so that a picture of the screen can be
// taken: diary_screenshot [milliseconds].
#include "app/DiaryU.h"
#include "diary/DiaryStore.h"
#include "tests/DiaryTestData.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const int milliseconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;
    QTemporaryDir folder;
    {
        TDiaryStore store(folder.path());
        if (!store.add(DiaryTestSeries(10, QDateTime(QDate(2026, 11, 30), QTime(19, 5)))))
            qFatal("%s", qPrintable(store.errorText()));
    }
    TfrmDiary diary(true, folder.path());
    diary.move(0, 0);
    diary.show();
    QTimer::singleShot(milliseconds, &application, &QApplication::quit);
    return application.exec();
}
