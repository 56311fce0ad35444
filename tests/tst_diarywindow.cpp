#include "app/DiaryU.h"
#include "app/MainU.h"
#include "app/Settings.h"
#include "diary/DiaryStore.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"
#include "tests/DiaryTestData.h"

#include <QAction>
#include <QChartView>
#include <QDesktopServices>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

namespace {

const QDateTime Last(QDate(2026, 4, 20), QTime(19, 5));

void KeepEntries(const QString& folder, const QList<TDiaryEntry>& entries)
{
    TDiaryStore store(folder);
    QVERIFY2(store.add(entries), qPrintable(store.errorText()));
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

// Receives the addresses that the window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

class TestDiaryWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void stateText_data();
    void stateText();
    void tableAndCharts();
    void doubleClickOpensConclusion();
    void savedConclusionKept_data();
    void savedConclusionKept();

private:
    UrlCatcher catcher;
};

void TestDiaryWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
}

void TestDiaryWindow::init()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    MessageBoxes::takeShown();
    catcher.urls.clear();
}

// How to start a diary is told while there is none or while the option is off.
void TestDiaryWindow::stateText_data()
{
    QTest::addColumn<bool>("saveNeeded");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("state");
    QTest::newRow("option off, no diary")
        << false << 0 << QStringLiteral("Дневник обследований пока не ведется.");
    QTest::newRow("option on, empty diary")
        << true << 0 << QStringLiteral("В дневнике пока нет обследований.");
    QTest::newRow("option off, kept examinations")
        << false << 2 << QStringLiteral("Новые обследования в дневник не записываются.");
    QTest::newRow("option on, kept examinations") << true << 2 << QString();
}

void TestDiaryWindow::stateText()
{
    QFETCH(bool, saveNeeded);
    QFETCH(int, kept);
    QFETCH(QString, state);
    QTemporaryDir folder;
    if (kept > 0)
        KeepEntries(folder.path(), DiaryTestSeries(kept, Last));
    TfrmDiary diary(saveNeeded, folder.path());
    diary.show();
    const auto* label = diary.findChild<QLabel*>(QStringLiteral("lblState"));
    QCOMPARE(label->isVisible(), !state.isEmpty());
    QVERIFY2(label->text().startsWith(state), qPrintable(label->text()));
    if (!saveNeeded)
        QVERIFY(label->text().contains(QStringLiteral("«Сервис → Сохранять заключения»")));
    QCOMPARE(diary.findChild<QSplitter*>(QStringLiteral("spDiary"))->isVisible(), kept > 0);
    QCOMPARE(diary.findChild<QPushButton*>(QStringLiteral("bbtnExport"))->isEnabled(), kept > 0);
    QCOMPARE(QFileInfo::exists(folder.filePath(TDiaryStore::FileName())), kept > 0);
}

// The table shows the newest first with the flagged values coloured; every
// chart has its lines over its normal bands.
void TestDiaryWindow::tableAndCharts()
{
    QTemporaryDir folder;
    KeepEntries(folder.path(),
        { DiaryTestEntry(QStringLiteral("bp=120/80"), Last.addDays(-2), QStringLiteral("a.doc")),
            DiaryTestEntry(QStringLiteral("bp=170/60 temp=36.6"), Last, QStringLiteral("b.doc")) });
    TfrmDiary diary(true, folder.path());
    const QAbstractItemModel* model = diary.findChild<QTableView*>(QStringLiteral("stgDiary"))->model();
    QCOMPARE(model->rowCount(), 2);
    const int systolic = int(TDiaryColumn::Systolic);
    const int diastolic = int(TDiaryColumn::Diastolic);
    QCOMPARE(model->index(0, systolic).data().toString(), QStringLiteral("170"));
    const QColor high = model->index(0, systolic).data(Qt::ForegroundRole).value<QColor>();
    const QColor low = model->index(0, diastolic).data(Qt::ForegroundRole).value<QColor>();
    QVERIFY(high.isValid() && low.isValid() && high != low);
    QVERIFY(!model->index(1, systolic).data(Qt::ForegroundRole).isValid());

    const QStringList views = { QStringLiteral("chtPressure"), QStringLiteral("chtPulse"),
        QStringLiteral("chtWeight"), QStringLiteral("chtTemperature") };
    const QList<int> lines = { 2, 1, 2, 1 };
    for (int k = 0; k < views.size(); ++k) {
        const QChart* chart = diary.findChild<QChartView*>(views[k])->chart();
        QList<QAbstractSeries::SeriesType> types;
        for (const QAbstractSeries* series : chart->series())
            types << series->type();
        QCOMPARE(types.count(QAbstractSeries::SeriesTypeLine), lines[k]);
        QVERIFY(types.count(QAbstractSeries::SeriesTypeArea) >= 1);
        for (const QAbstractSeries* series : chart->series()) {
            if (const auto* line = qobject_cast<const QLineSeries*>(series);
                line && series->type() == QAbstractSeries::SeriesTypeLine)
                QCOMPARE(line->count(), 2);
        }
    }

    // Hovering near a point tells its exact value and date.
    diary.show();
    QLineSeries* systolicLine = nullptr;
    for (QAbstractSeries* series :
        diary.findChild<QChartView*>(QStringLiteral("chtPressure"))->chart()->series()) {
        if (series->type() == QAbstractSeries::SeriesTypeLine && !systolicLine)
            systolicLine = static_cast<QLineSeries*>(series);
    }
    emit systolicLine->hovered(systolicLine->at(1) + QPointF(-60000, 3), true);
    QCOMPARE(QToolTip::text(), QStringLiteral("20.04.2026 19:05\nСистолическое: 170 мм Hg"));
}

// A double-click opens the row's conclusion; one that is gone is told.
void TestDiaryWindow::doubleClickOpensConclusion()
{
    QTemporaryDir folder;
    KeepEntries(folder.path(),
        { DiaryTestEntry(QString(), Last.addDays(-1), QStringLiteral("Заключение старое.doc")),
            DiaryTestEntry(QString(), Last, QStringLiteral("Заключение новое.doc")) });
    const QString newest = folder.filePath(QStringLiteral("Заключение новое.doc"));
    WriteFile(newest, "conclusion");
    TfrmDiary diary(true, folder.path());
    diary.show();
    QVERIFY(QTest::qWaitForWindowExposed(&diary));
    auto* table = diary.findChild<QTableView*>(QStringLiteral("stgDiary"));
    const auto doubleClick = [table](int row) {
        const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(0);
    QCOMPARE(catcher.urls, QList<QUrl>({ QUrl::fromLocalFile(newest) }));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    doubleClick(1);
    QCOMPARE(catcher.urls.size(), 1);
    const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains(QStringLiteral("Заключение старое.doc")));
}

// The main window keeps every conclusion saved while the option is on; a
// diary it cannot write is told once and the saving goes on.
void TestDiaryWindow::savedConclusionKept_data()
{
    QTest::addColumn<bool>("saveNeeded");
    QTest::addColumn<QByteArray>("diaryBytes");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("boxes");
    QTest::newRow("option on") << true << QByteArray() << 2 << 0;
    QTest::newRow("option off") << false << QByteArray() << 0 << 0;
    QTest::newRow("damaged diary") << true << QByteArray(4096, '\x5A') << 0 << 1;
}

void TestDiaryWindow::savedConclusionKept()
{
    QFETCH(bool, saveNeeded);
    QFETCH(QByteArray, diaryBytes);
    QFETCH(int, kept);
    QFETCH(int, boxes);
    QTemporaryDir folder;
    const QString diaryFile = folder.filePath(TDiaryStore::FileName());
    if (!diaryBytes.isEmpty())
        WriteFile(diaryFile, diaryBytes);
    UserSettings::SetReportPath(folder.path());
    TfrmTessora window;
    window.findChild<QAction*>(QStringLiteral("acSaveResults"))->setChecked(saveNeeded);
    for (const QString& name : { QStringLiteral("Заключение 1.doc"), QStringLiteral("Заключение 2.doc") }) {
        WriteFile(folder.filePath(name), "conclusion");
        emit window.ConclusionSaved(folder.filePath(name));
    }
    QCOMPARE(MessageBoxes::takeShown().size(), boxes);
    QCOMPARE(TDiaryStore(folder.path(), TDiaryStore::Access::Read).entries().size(), kept);
    QCOMPARE(QFileInfo::exists(diaryFile), kept > 0 || !diaryBytes.isEmpty());

    window.findChild<QAction*>(QStringLiteral("acDiary"))->trigger();
    auto* diary = window.findChild<TfrmDiary*>();
    QVERIFY(diary && diary->isVisible());
    QCOMPARE(diary->Entries().size(), kept);
    if (kept > 0)
        QCOMPARE(diary->ConclusionPath(0), folder.filePath(QStringLiteral("Заключение 2.doc")));

    // F1 in the diary opens its own topic, not the main window's.
    QVERIFY(QTest::qWaitForWindowActive(diary));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(Help::window() && Help::window()->isVisible());
    QVERIFY(Help::window()->windowTitle().startsWith(QStringLiteral("Дневник обследований")));
    delete Help::window();
}

QTEST_MAIN(TestDiaryWindow)
#include "tst_diarywindow.moc"
