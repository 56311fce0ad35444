#include "app/DiaryWindow.h"
#include "app/MainU.h"
#include "app/PressureDialog.h"
#include "app/Settings.h"
#include "decision/Emergency.h"
#include "diary/DiaryStore.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"
#include "tests/DiaryTestData.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace {

const QDateTime Last(QDate(2026, 4, 20), QTime(19, 5));

void keepEntries(const QString& folder, const QList<DiaryEntry>& entries)
{
    DiaryStore store(folder);
    QVERIFY2(store.add(entries), qPrintable(store.errorText()));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// A desktop whose only application opens Word documents and PDF files.
const QTemporaryDir Desktop;
const QTemporaryDir EmptyDesktop;

void SetUpDesktop()
{
    QDir(Desktop.path()).mkpath(QStringLiteral("applications"));
    writeFile(Desktop.filePath(QStringLiteral("applications/viewer.desktop")),
        "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n"
        "MimeType=application/msword;application/pdf;\n");
    writeFile(Desktop.filePath(QStringLiteral("applications/mimeapps.list")),
        "[Default Applications]\napplication/msword=viewer.desktop\napplication/pdf=viewer.desktop\n");
    // The types of files are known, their applications are not.
    QFile::link(QStringLiteral("/usr/share/mime"), EmptyDesktop.filePath(QStringLiteral("mime")));
    qputenv("XDG_DATA_HOME", Desktop.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", EmptyDesktop.path().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", EmptyDesktop.path().toLocal8Bit());
    qunsetenv("XDG_CURRENT_DESKTOP");
}

QList<QLineSeries*> lineSeriesOf(const QChartView* view)
{
    QList<QLineSeries*> lines;
    for (QAbstractSeries* series : view->chart()->series()) {
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            lines << static_cast<QLineSeries*>(series);
    }
    return lines;
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
    void deleteEntry();
    void fitsLaptopScreen();
    void savedConclusionKept_data();
    void savedConclusionKept();
    void peopleOneAtATime();
    void pressureReadingAtRedFlag();
    void showsReadingsWrittenElsewhere();

private:
    UrlCatcher catcher;
};

void TestDiaryWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    SetUpDesktop();
}

void TestDiaryWindow::init()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    MessageBoxes::takeShown();
    catcher.urls.clear();
    UserSettings::SetWindowState(QStringLiteral("DiaryGeometry"), {});
    UserSettings::SetWindowState(QStringLiteral("DiarySplitter"), {});
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
        keepEntries(folder.path(), diaryTestSeries(kept, Last));
    DiaryWindow diary(folder.path(), saveNeeded, folder.path());
    diary.show();
    const auto* label = diary.findChild<QLabel*>(QStringLiteral("lblState"));
    QCOMPARE(label->isVisible(), !state.isEmpty());
    QVERIFY2(label->text().startsWith(state), qPrintable(label->text()));
    if (!saveNeeded)
        QVERIFY(label->text().contains(QStringLiteral("«Сервис → Сохранять заключения»")));
    QCOMPARE(diary.findChild<QSplitter*>(QStringLiteral("spDiary"))->isVisible(), kept > 0);
    QCOMPARE(diary.findChild<QPushButton*>(QStringLiteral("bbtnExport"))->isEnabled(), kept > 0);
    QCOMPARE(QFileInfo::exists(folder.filePath(DiaryStore::fileName())), kept > 0);
}

// The table shows the newest first with the flagged values coloured; every
// chart has its lines over its normal bands.
void TestDiaryWindow::tableAndCharts()
{
    QTemporaryDir folder;
    keepEntries(folder.path(),
        { diaryTestEntry(QStringLiteral("bp=120/80"), Last.addDays(-2), QStringLiteral("a.doc")),
            diaryTestEntry(QStringLiteral("bp=170/60 temp=36.6"), Last, QStringLiteral("b.doc")) });
    DiaryWindow diary(folder.path(), true, folder.path());
    const QAbstractItemModel* model = diary.findChild<QTableView*>(QStringLiteral("stgDiary"))->model();
    QCOMPARE(model->rowCount(), 2);
    const int systolic = int(DiaryColumn::Systolic);
    const int diastolic = int(DiaryColumn::Diastolic);
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

    // Resting the pointer near a point tells its exact value and date.
    diary.show();
    QVERIFY(QTest::qWaitForWindowExposed(&diary));
    auto* view = diary.findChild<QChartView*>(QStringLiteral("chtPressure"));
    QLineSeries* systolicLine = lineSeriesOf(view).first();
    const QPointF at = view->chart()->mapToPosition(systolicLine->at(1), systolicLine) + QPointF(-5, 4);
    const QPoint pos = view->mapFromScene(view->chart()->mapToScene(at));
    QHelpEvent help(QEvent::ToolTip, pos, view->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("20.04.2026 19:05\nСистолическое: 170 мм Hg"));
}

// A double-click opens the row's conclusion; one that is gone is told.
void TestDiaryWindow::doubleClickOpensConclusion()
{
    QTemporaryDir folder;
    keepEntries(folder.path(),
        { diaryTestEntry(QString(), Last.addDays(-1), QStringLiteral("Заключение старое.doc")),
            diaryTestEntry(QString(), Last, QStringLiteral("Заключение новое.doc")) });
    const QString newest = folder.filePath(QStringLiteral("Заключение новое.doc"));
    writeFile(newest, "conclusion");
    DiaryWindow diary(folder.path(), true, folder.path());
    diary.show();
    QVERIFY(QTest::qWaitForWindowExposed(&diary));
    auto* table = diary.findChild<QTableView*>(QStringLiteral("stgDiary"));
    const auto doubleClick = [table](int row) {
        const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(0);
    QTRY_COMPARE(catcher.urls, QList<QUrl>({ QUrl::fromLocalFile(newest) }));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
    doubleClick(1);
    QCOMPARE(catcher.urls.size(), 1);
    QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains(QStringLiteral("Заключение старое.doc")));

    // Without an application for it the user is told so at once and offered the folder.
    qputenv("XDG_DATA_HOME", EmptyDesktop.path().toLocal8Bit());
    MessageBoxes::answerNext(QMessageBox::No);
    doubleClick(0);
    shown.clear();
    QTRY_VERIFY((shown << MessageBoxes::takeShown(), !shown.isEmpty()));
    qputenv("XDG_DATA_HOME", Desktop.path().toLocal8Bit());
    QCOMPARE(shown.size(), 1);
    QVERIFY2(
        shown[0].text.contains(QStringLiteral("нет программы для файлов типа")), qPrintable(shown[0].text));
    QVERIFY(shown[0].text.endsWith(QStringLiteral("Открыть папку, в которой он лежит?")));
    QCOMPARE(catcher.urls.size(), 1);
}

// A deleted examination is gone from the file, the table and the charts; its
// conclusion stays unless the user asks to delete it too.
void TestDiaryWindow::deleteEntry()
{
    QTemporaryDir folder;
    keepEntries(folder.path(), diaryTestSeries(3, Last));
    const QString conclusion = DiaryStore(folder.path()).entries().first().savedFiles.first();
    writeFile(conclusion, "conclusion");
    DiaryWindow diary(folder.path(), true, folder.path());
    auto* table = diary.findChild<QTableView*>(QStringLiteral("stgDiary"));
    table->selectRow(0);
    MessageBoxes::answerNext(QMessageBox::Yes);
    MessageBoxes::answerNext(QMessageBox::No);
    diary.findChild<QPushButton*>(QStringLiteral("bbtnDelete"))->click();
    QCOMPARE(MessageBoxes::takeShown().size(), 2);
    const QList<DiaryEntry> kept = DiaryStore(folder.path(), DiaryStore::Access::Read).entries();
    QCOMPARE(kept, diary.entries());
    QCOMPARE(kept.size(), 2);
    QVERIFY(kept.first().moment < Last);
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(lineSeriesOf(diary.findChild<QChartView*>(QStringLiteral("chtPulse"))).first()->count(), 2);
    QVERIFY(QFileInfo::exists(conclusion));
}

// On a laptop's screen the whole window and its buttons are on the screen,
// and it opens again at the size the user gave it.
void TestDiaryWindow::fitsLaptopScreen()
{
    QTemporaryDir folder;
    keepEntries(folder.path(), diaryTestSeries(3, Last));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1366, 768));
    {
        DiaryWindow diary(folder.path(), true, folder.path());
        diary.show();
        QVERIFY(QTest::qWaitForWindowExposed(&diary));
        QVERIFY(screen.contains(diary.frameGeometry()));
        QVERIFY(diary.minimumSizeHint().height() < 720 - 60);
        for (QPushButton* button : diary.findChildren<QPushButton*>()) {
            QVERIFY(button->isVisible());
            QVERIFY(diary.rect().contains(QRect(button->mapTo(&diary, QPoint()), button->size())));
        }
        diary.resize(1000, 600);
        diary.close();
    }
    DiaryWindow again(folder.path(), true, folder.path());
    QCOMPARE(again.size(), QSize(1000, 600));
}

// The main window keeps every conclusion saved while the option is on; a
// diary it cannot write is told once and the saving goes on.
void TestDiaryWindow::savedConclusionKept_data()
{
    QTest::addColumn<bool>("saveNeeded");
    QTest::addColumn<QByteArray>("diaryBytes");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("boxes");
    QTest::newRow("option on") << true << QByteArray() << 1 << 0;
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
    // The one diary, in the user's data folder, whatever folder the conclusions go to.
    QDir(DiaryStore::defaultFolder()).removeRecursively();
    const QString diaryFile = QDir(DiaryStore::defaultFolder()).filePath(DiaryStore::fileName());
    if (!diaryBytes.isEmpty()) {
        QDir().mkpath(DiaryStore::defaultFolder());
        writeFile(diaryFile, diaryBytes);
    }
    UserSettings::SetReportPath(folder.path());
    TfrmTessora window;
    window.findChild<QAction*>(QStringLiteral("acSaveResults"))->setChecked(saveNeeded);
    for (const QString& name : { QStringLiteral("Заключение 1.doc"), QStringLiteral("Заключение 2.doc") }) {
        writeFile(folder.filePath(name), "conclusion");
        emit window.ConclusionSaved(folder.filePath(name));
    }
    QCOMPARE(MessageBoxes::takeShown().size(), boxes);
    QCOMPARE(DiaryStore(DiaryStore::defaultFolder(), DiaryStore::Access::Read).entries().size(), kept);
    QCOMPARE(QFileInfo::exists(diaryFile), kept > 0 || !diaryBytes.isEmpty());

    window.findChild<QAction*>(QStringLiteral("acDiary"))->trigger();
    auto* diary = window.findChild<DiaryWindow*>();
    QVERIFY(diary && diary->isVisible());
    QCOMPARE(diary->entries().size(), kept);
    if (kept > 0)
        QCOMPARE(diary->conclusionPath(0), folder.filePath(QStringLiteral("Заключение 2.doc")));

    // F1 in the diary opens its own topic, not the main window's.
    QVERIFY(QTest::qWaitForWindowActive(diary));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(Help::window() && Help::window()->isVisible());
    QVERIFY(Help::window()->windowTitle().startsWith(QStringLiteral("Дневник обследований")));
    delete Help::window();
}

// Two people examined in turn: the window shows one at a time, the latest
// examined first, with their home readings on the pressure chart; a summary
// is one person's.
void TestDiaryWindow::peopleOneAtATime()
{
    QTemporaryDir folder;
    keepEntries(
        folder.path(), diaryTestSeries(3, Last.addDays(-1), "Анна") + diaryTestSeries(2, Last, "Борис"));
    QVERIFY(DiaryStore(folder.path())
                .addReadings({ { 0, "Анна", Last, 150, 95, 80 },
                    { 0, "Анна", Last.addSecs(600), 146, 91, std::nullopt } }));
    DiaryWindow diary(folder.path(), true, folder.path());
    auto* people = diary.findChild<QComboBox*>(QStringLiteral("cbxPerson"));
    QStringList shown;
    for (int k = 0; k < people->count(); ++k)
        shown << people->itemText(k);
    QCOMPARE(shown, QStringList({ "все", "Анна", "Борис" }));
    QCOMPARE(people->currentText(), QStringLiteral("Борис"));
    QCOMPARE(diary.entries().size(), 2);
    diary.choosePerson(QStringLiteral("Анна"));
    QCOMPARE(diary.entries().size(), 3);
    QCOMPARE(diary.windowTitle(), QStringLiteral("Дневник обследований — Анна"));
    QList<int> points; // of the examinations' lines, then of the home readings
    for (const QAbstractSeries* series :
        diary.findChild<QChartView*>(QStringLiteral("chtPressure"))->chart()->series()) {
        if (const auto* xy = qobject_cast<const QXYSeries*>(series);
            xy && series->type() != QAbstractSeries::SeriesTypeArea)
            points << xy->count();
    }
    QCOMPARE(points, QList<int>({ 3, 3, 2, 2 }));
    QCOMPARE(diary.findChild<QLabel*>(QStringLiteral("lblSeries"))->text(),
        QStringLiteral("Давление дома: среднее 2 измерений 20.04.2026 — 148/93 мм Hg, пульс 80 в минуту."));
    people->setCurrentIndex(0);
    QVERIFY(!diary.writeSummaryTo(folder.filePath(QStringLiteral("Сводка.pdf"))));
    const QList<MessageBoxes::Shown> boxes = MessageBoxes::takeShown();
    QVERIFY(boxes.size() == 1 && boxes[0].text.contains(QStringLiteral("для одного человека")));
}

// A reading at a red-flag bound is kept and its urgent notice told at once;
// the next reading starts empty.
void TestDiaryWindow::pressureReadingAtRedFlag()
{
    QTemporaryDir folder;
    PressureDialog dialog(folder.path(), QStringLiteral("Анна"));
    auto* systolic = dialog.findChild<QSpinBox*>(QStringLiteral("speSystolic"));
    auto* add = dialog.findChild<QPushButton*>(QStringLiteral("bbtnAdd"));
    systolic->setValue(Emergency::RedFlags.SystolicFrom);
    QVERIFY(!add->isEnabled());
    dialog.findChild<QSpinBox*>(QStringLiteral("speDiastolic"))->setValue(90);
    add->click();
    const QList<MessageBoxes::Shown> boxes = MessageBoxes::takeShown();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].text.startsWith(QStringLiteral("СРОЧНО! Артериальное давление 180/90")),
        qPrintable(boxes[0].text));
    const QList<PressureReading> kept = DiaryStore(folder.path(), DiaryStore::Access::Read).readings();
    QVERIFY(kept.size() == 1 && kept[0].person == QStringLiteral("Анна") && kept[0].systolic == 180);
    QCOMPARE(systolic->value(), 0);
}

// The open diary shows a reading written from the main window's menu, and
// its deletion, with the person and the row chosen kept.
void TestDiaryWindow::showsReadingsWrittenElsewhere()
{
    QDir(DiaryStore::defaultFolder()).removeRecursively();
    keepEntries(DiaryStore::defaultFolder(),
        diaryTestSeries(2, Last, "Анна") + diaryTestSeries(1, Last.addDays(1), "Борис"));
    TfrmTessora window;
    window.findChild<QAction*>(QStringLiteral("acDiary"))->trigger();
    auto* diary = window.findChild<DiaryWindow*>();
    diary->choosePerson(QStringLiteral("Анна"));
    auto* table = diary->findChild<QTableView*>(QStringLiteral("stgDiary"));
    table->selectRow(1);
    window.findChild<QAction*>(QStringLiteral("acPressureReading"))->trigger();
    auto* dialog = window.findChild<PressureDialog*>();
    dialog->findChild<QComboBox*>(QStringLiteral("cbxPerson"))->setCurrentText(QStringLiteral("Анна"));
    dialog->findChild<QSpinBox*>(QStringLiteral("speSystolic"))->setValue(152);
    dialog->findChild<QSpinBox*>(QStringLiteral("speDiastolic"))->setValue(94);
    dialog->findChild<QPushButton*>(QStringLiteral("bbtnAdd"))->click();
    const auto* series = diary->findChild<QLabel*>(QStringLiteral("lblSeries"));
    QTRY_VERIFY2(series->text().contains(QStringLiteral("152/94")), qPrintable(series->text()));
    QCOMPARE(diary->windowTitle(), QStringLiteral("Дневник обследований — Анна"));
    QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 1);

    auto* readings = dialog->findChild<QTreeWidget*>(QStringLiteral("lstReadings"));
    QCOMPARE(readings->topLevelItemCount(), 1);
    readings->setCurrentItem(readings->topLevelItem(0));
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    readings->setFocus();
    MessageBoxes::answerNext(QMessageBox::Yes);
    QTest::keyClick(readings, Qt::Key_Delete);
    QTRY_VERIFY(series->text().isEmpty());
    QCOMPARE(readings->topLevelItemCount(), 0);
    QCOMPARE(diary->entries().size(), 2);
}

// A screen of 1366 × 768, the size of many laptops.
int main(int argc, char* argv[])
{
    QTemporaryDir config;
    // The diary in the user's data folder goes into the test's own home.
    qputenv("HOME", config.path().toLocal8Bit());
    const QString file = config.filePath(QStringLiteral("screens.json"));
    writeFile(file, R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.toLocal8Bit());
    QApplication application(argc, argv);
    TestDiaryWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_diarywindow.moc"
