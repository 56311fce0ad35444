#include "app/MainU.h"

#include "app/Settings.h"
#include "diary/DiaryStore.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/writer/WriterServer.h"
#include "report/ReportU.h"
#include "tests/FileMode.h"
#include "tests/FolderDialogAnswer.h"
#include "tests/OfficeConnection.h"
#include "tests/ReportTableReader.h"
#include "tests/WriterTestOffice.h"

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QDir>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <memory>
#include <sys/mount.h>

using namespace Automation;

namespace {

constexpr int DataPageTag = 1;
constexpr int ConclusionPageTag = 14;
constexpr int wdDocumentsPath = 0;
const QString ConclusionFile = QStringLiteral("<conclusion>");
const QString Unsaved = QStringLiteral("<unsaved>");

enum class UserSave { None, IntoReportFolder, Elsewhere };

// A Word 97 file opens with the compound-file signature and keeps Cyrillic
// text as UTF-16; a conclusion kept as text is UTF-8.
bool HoldsText(const QString& file, const QString& text)
{
    QFile doc(file);
    if (!doc.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = doc.readAll();
    if (file.endsWith(QLatin1String(".txt")))
        return bytes.contains(text.toUtf8());
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")) && bytes.contains(utf16);
}

// Runs an action once the report's progress bar reaches a step (0: never).
class BarStep : public QObject {
public:
    BarStep(int step, std::function<void()> action)
        : m_step(step)
        , m_action(std::move(action))
    {
        qApp->installEventFilter(this);
    }
    ~BarStep() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* bar = event->type() == QEvent::Show ? qobject_cast<QProgressBar*>(watched) : nullptr;
        if (bar && m_step > 0)
            connect(bar, &QProgressBar::valueChanged, this, [this](int value) {
                if (value >= m_step && std::exchange(m_step, 0) > 0)
                    m_action();
            });
        return false;
    }

private:
    int m_step;
    std::function<void()> m_action;
};

} // namespace

Q_DECLARE_METATYPE(UserSave)

// Conclusion documents saved into the report folder when the conclusion page
// is left, against a real office.
class TestSavingOffice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void builtReportIsSavedOnLeaving();
    void conclusionIsSavedOnLeaving_data();
    void conclusionIsSavedOnLeaving();
    void twoConclusionsInOneMinuteKeepTwoFiles();
    void failingFolderIsToldAndNothingLost_data();
    void failingFolderIsToldAndNothingLost();
    void lockedNamesAreSkippedAndStaleSavesRemoved();
    void lostOfficeKeepsTheConclusionText_data();
    void lostOfficeKeepsTheConclusionText();

private:
    void OpenWindow();
    void StartReport(const QString& text);
    void LeaveConclusionPage();
    // The files of a folder, with the conclusion's own name written as ConclusionFile.
    QStringList Files(const QString& folder) const;
    QString Folder(const QString& name) const { return m_root.filePath(name); }
    // Prepares the report folder the way the row names; false to skip the row.
    bool BreakFolder(const QString& how, const QString& folder);

    QTemporaryDir m_root;
    std::unique_ptr<WriterTestOffice> m_office;
    std::unique_ptr<TfrmTessora> m_window;
    QStringList m_names;
};

void TestSavingOffice::initTestCase()
{
    QVERIFY(m_root.isValid());
    qputenv("HOME", QFile::encodeName(m_root.path()));
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    m_office = std::make_unique<WriterTestOffice>(QStringLiteral("tst_saving"));
}

void TestSavingOffice::init()
{
    for (const char* name : { "Заключения", "Другая", "Документы" }) {
        QDir(Folder(QString::fromUtf8(name))).removeRecursively();
        QVERIFY(QDir().mkpath(Folder(QString::fromUtf8(name))));
    }
    QFile::remove(
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TessoraPro")).fileName());
    QDir(DiaryStore::defaultFolder()).removeRecursively();
    MessageBoxes::takeShown();
    m_names.clear();
}

void TestSavingOffice::cleanup()
{
    m_window.reset();
    WriterServer::shutdown();
}

void TestSavingOffice::cleanupTestCase()
{
    m_office.reset();
}

void TestSavingOffice::OpenWindow()
{
    m_window = std::make_unique<TfrmTessora>();
    m_window->show();
    m_window->SelectPageByTag(ConclusionPageTag);
}

void TestSavingOffice::StartReport(const QString& text)
{
    QVERIFY(m_window->Report().ConnectWord());
    WriterTestOffice::remember();
    m_window->Report().ReportDoc = m_window->Report()
                                       .WordApp.get(QStringLiteral("Documents"))
                                       .call(QStringLiteral("Add"), m_window->Report().OmittedArg);
    m_window->Report().DocSink->Disconnect();
    m_window->Report().DocSink->Connect(m_window->Report().ReportDoc);
    // The report is one table; one cell of it holds the text here.
    const Variant table
        = m_window->Report()
              .ReportDoc.get(QStringLiteral("Tables"))
              .call(QStringLiteral("Add"),
                  m_window->Report().WordApp.get(QStringLiteral("Selection")).get(QStringLiteral("Range")), 1,
                  1);
    table.call(QStringLiteral("Cell"), 1, 1).get(QStringLiteral("Range")).set(QStringLiteral("Text"), text);
    m_window->Report().ShowReport();
    m_window->Report()
        .WordApp.get(QStringLiteral("Options"))
        .setIndexed(
            QStringLiteral("DefaultFilePath"), { wdDocumentsPath }, Folder(QStringLiteral("Документы")));
}

void TestSavingOffice::LeaveConclusionPage()
{
    m_names << ConclusionFileName() + QStringLiteral(".doc");
    m_window->SelectPageByTag(DataPageTag);
    m_names << ConclusionFileName() + QStringLiteral(".doc");
    QVERIFY(m_window->Report().ReportDoc.isEmpty());
}

QStringList TestSavingOffice::Files(const QString& folder) const
{
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (QString& file : files) {
        if (m_names.contains(file))
            file = ConclusionFile;
    }
    return files;
}

void TestSavingOffice::builtReportIsSavedOnLeaving()
{
    const QString report = Folder(QStringLiteral("Заключения"));
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(report);
    OpenWindow();
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    m_window->acReportExecute();
    WriterTestOffice::remember();
    QVERIFY(!m_window->Report().ReportDoc.isEmpty());
    LeaveConclusionPage();
    QCOMPARE(Files(report), QStringList { ConclusionFile });
    QCOMPARE(saved.size(), 1);
    QCOMPARE(MessageBoxes::takeShown().size(), 0);

    // Read back in an office of its own, as the user would open it.
    QVERIFY(m_window->Report().ConnectWord());
    WriterTestOffice::remember();
    const std::shared_ptr<UnoOffice> office = ConnectToTestOffice(m_office->pipeName());
    QVERIFY(office);
    const css::beans::PropertyValue hidden = namedValue("Hidden", css::uno::Any(true));
    const QString url = QUrl::fromLocalFile(saved.first().first().toString()).toString();
    const css::uno::Reference<css::lang::XComponent> document
        = css::uno::Reference<css::frame::XComponentLoader>(office->desktop(), css::uno::UNO_QUERY_THROW)
              ->loadComponentFromURL(toOUString(url), OUString("_blank"), 0,
                  css::uno::Sequence<css::beans::PropertyValue>(&hidden, 1));
    const auto close = qScopeGuard([&] {
        css::uno::Reference<css::util::XCloseable>(document, css::uno::UNO_QUERY_THROW)->close(true);
    });
    const QString text
        = ReportTableReader::Read(ReportTableReader::FirstTable(document)).rows.join(QLatin1Char('\n'));
    const QStringList titles { QStringLiteral("Наблюдается:"), QStringLiteral("Жалуется на:"),
        QStringLiteral("Электрокардиография:"), QStringLiteral("Флюорография:"),
        QStringLiteral("Анализ крови:"), QStringLiteral("Анализ мочи:"),
        QStringLiteral("При самостоятельном осмотре:"), QStringLiteral("Рекомендованы консультации:") };
    QStringList found;
    for (const QString& title : titles) {
        if (text.contains(QLatin1Char('*') + title + QLatin1Char('*')))
            found << title;
    }
    QCOMPARE(found, titles);
}

void TestSavingOffice::conclusionIsSavedOnLeaving_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("folderStored");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<UserSave>("save");
    QTest::addColumn<QStringList>("inReportFolder");
    QTest::addColumn<QStringList>("inFallbackFolder");
    QTest::addColumn<bool>("checkedAfter");
    QTest::addColumn<int>("boxes");
    const QString report = Folder(QStringLiteral("Заключения"));
    const QStringList conclusion { ConclusionFile };
    const QStringList none;
    QTest::newRow("saved by the user into the report folder")
        << true << true << QString() << UserSave::IntoReportFolder
        << QStringList { QStringLiteral("свое.doc") } << none << true << 0;
    QTest::newRow("saved by the user elsewhere")
        << true << true << QString() << UserSave::Elsewhere << conclusion << none << true << 0;
    QTest::newRow("folder chosen at the first save")
        << true << false << report << UserSave::None << conclusion << none << true << 0;
    QTest::newRow("folder question cancelled: fallback folder")
        << true << false << QString() << UserSave::None << none << conclusion << false << 0;
    QTest::newRow("folder that cannot be created: fallback folder")
        << true << false << QStringLiteral("/proc/Нет/Новая") << UserSave::None << none << conclusion
        << false << 1;
    QTest::newRow("option off") << false << true << QString() << UserSave::None << none << none << false << 0;
}

void TestSavingOffice::conclusionIsSavedOnLeaving()
{
    QFETCH(bool, option);
    QFETCH(bool, folderStored);
    QFETCH(QString, answer);
    QFETCH(UserSave, save);
    QFETCH(QStringList, inReportFolder);
    QFETCH(QStringList, inFallbackFolder);
    QFETCH(bool, checkedAfter);
    QFETCH(int, boxes);
    const QString report = Folder(QStringLiteral("Заключения"));
    UserSettings::SetSaveNeeded(option);
    if (folderStored)
        UserSettings::SetReportPath(report);
    OpenWindow();
    const QString text = QStringLiteral("Рекомендованы консультации: кардиолога");
    StartReport(text);
    if (save != UserSave::None) {
        const QString folder = save == UserSave::IntoReportFolder ? report : Folder(QStringLiteral("Другая"));
        m_window->Report().ReportDoc.call(
            QStringLiteral("SaveAs"), QDir(folder).filePath(QStringLiteral("свое.doc")));
        // The user's own save dialog starts in the report folder.
        QCOMPARE(m_window->Report()
                     .WordApp.get(QStringLiteral("Options"))
                     .call(QStringLiteral("DefaultFilePath"), wdDocumentsPath)
                     .toString(),
            report);
        m_window->Report()
            .WordApp.get(QStringLiteral("Options"))
            .setIndexed(
                QStringLiteral("DefaultFilePath"), { wdDocumentsPath }, Folder(QStringLiteral("Документы")));
    }
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    FolderDialogAnswer dialog(answer);
    LeaveConclusionPage();

    QCOMPARE(Files(report), inReportFolder);
    QCOMPARE(Files(Folder(QStringLiteral("Документы"))), inFallbackFolder);
    QCOMPARE(dialog.shown, folderStored ? 0 : 1);
    QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("acSaveResults"))->isChecked(), checkedAfter);
    QCOMPARE(MessageBoxes::takeShown().size(), boxes);
    const bool savedNow
        = inReportFolder.contains(ConclusionFile) || inFallbackFolder.contains(ConclusionFile);
    QCOMPARE(saved.size(), savedNow ? 1 : 0);
    if (savedNow) {
        const QString file = saved.first().first().toString();
        QVERIFY2(HoldsText(file, text), qPrintable(file));
    }
    QVERIFY(m_window->Report().WordApp.isEmpty());
}

void TestSavingOffice::twoConclusionsInOneMinuteKeepTwoFiles()
{
    const QString report = Folder(QStringLiteral("Заключения"));
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(report);
    OpenWindow();
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    const QStringList texts { QStringLiteral("Первое заключение"), QStringLiteral("Второе заключение") };
    for (const QString& text : texts) {
        m_window->SelectPageByTag(ConclusionPageTag);
        StartReport(text);
        LeaveConclusionPage();
    }
    QCOMPARE(saved.size(), 2);
    const QString first = saved.at(0).first().toString();
    const QString second = saved.at(1).first().toString();
    QCOMPARE(Files(report).size(), 2);
    QVERIFY(HoldsText(first, texts[0]));
    QVERIFY(HoldsText(second, texts[1]));
    const QList<DiaryEntry> diary
        = DiaryStore(DiaryStore::defaultFolder(), DiaryStore::Access::Read).entries();
    // One examination, saved twice: one entry with both files.
    QCOMPARE(diary.size(), 1);
    QCOMPARE(diary[0].savedFiles, QStringList({ first, second }));
    if (m_names.first() == m_names.last())
        QCOMPARE(QFileInfo(second).fileName(), m_names.first().chopped(4) + QStringLiteral(" (2).doc"));
}

bool TestSavingOffice::BreakFolder(const QString& how, const QString& folder)
{
    if (how == QLatin1String("removed")) {
        QDir(folder).removeRecursively();
    } else if (how == QLatin1String("removed with its parent")) {
        QDir(QFileInfo(folder).path()).removeRecursively();
    } else if (how == QLatin1String("read-only disk") || how == QLatin1String("full disk")) {
        const bool readOnly = how == QLatin1String("read-only disk");
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", readOnly ? MS_RDONLY : 0,
                "size=256k,mode=0700")
            != 0)
            return false;
        if (!readOnly) {
            QFile filler(QDir(folder).filePath(QStringLiteral("заполнитель")));
            filler.open(QIODevice::WriteOnly);
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) { }
        }
    }
    return true;
}

void TestSavingOffice::failingFolderIsToldAndNothingLost_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason"); // none when the save succeeds
    QTest::addColumn<QString>("other"); // chosen after the question; none: the question declined
    const QString other = Folder(QStringLiteral("Другая"));
    QTest::newRow("removed: made again") << "removed" << QString() << QString();
    QTest::newRow("removed with its parent: made again") << "removed with its parent" << QString() << QString();
    QTest::newRow("read-only disk") << "read-only disk"
                                    << "в папку нельзя записывать (она только для чтения)" << QString();
    QTest::newRow("full disk") << "full disk"
                               << "на диске нет места" << other;
    QTest::newRow("folder that takes no files") << "/proc"
                                                << "в папку не удается записать файл" << QString();
}

void TestSavingOffice::failingFolderIsToldAndNothingLost()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    QFETCH(QString, other);
    const QString folder
        = how.startsWith(QLatin1Char('/')) ? how : Folder(QStringLiteral("Заключения/Папка"));
    QVERIFY(QDir().mkpath(Folder(QStringLiteral("Заключения/Папка"))));
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(folder);
    OpenWindow();
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    const QString text = QStringLiteral("Заключение, которое не потеряется");
    StartReport(text);
    if (!BreakFolder(how, folder))
        QSKIP("Mounting a small file system needs root");
    const auto unmount = qScopeGuard([&] {
        if (how.endsWith(QLatin1String(" disk")))
            ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
    });
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (!reason.isEmpty())
        MessageBoxes::answerNext(other.isEmpty() ? QMessageBox::No : QMessageBox::Yes);
    FolderDialogAnswer dialog(other);
    LeaveConclusionPage();

    QCOMPARE(saved.size(), 1);
    const QString file = saved.first().first().toString();
    QStringList boxes;
    for (const MessageBoxes::Shown& box : MessageBoxes::takeShown())
        boxes << box.text;
    QStringList expected;
    if (!reason.isEmpty())
        expected << QStringLiteral("Не могу сохранить заключение в папку %1: %2.\n\n"
                                   "Заключение пока открыто. Выбрать другую папку?")
                        .arg(folder, reason);
    if (!reason.isEmpty() && other.isEmpty())
        expected << QStringLiteral(
            "Заключение не удалось сохранить как документ: %1.\nЕго текст сохранен в файл %2")
                        .arg(reason, file);
    QCOMPARE(boxes, expected);
    QCOMPARE(QFileInfo(file).path(), reason.isEmpty() ? folder : other.isEmpty() ? m_root.path() : other);
    QVERIFY(HoldsText(file, text));
    if (reason.isEmpty())
        QCOMPARE(FileMode(folder), 0700);
    else if (folder != how)
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void TestSavingOffice::lockedNamesAreSkippedAndStaleSavesRemoved()
{
    const QString report = Folder(QStringLiteral("Заключения"));
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(report);
    OpenWindow();
    StartReport(QStringLiteral("Заключение рядом с чужим замком"));
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForFinished());
    const QString stale = QStringLiteral(".~Тессора-%1-1.doc").arg(gone.processId());
    const QString name = ConclusionFileName();
    const QString lock = QStringLiteral(".~lock.%1.doc#").arg(name);
    for (const QString& planted : { lock, stale, QStringLiteral(".~lock.%1#").arg(stale) }) {
        QFile file(QDir(report).filePath(planted));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    LeaveConclusionPage();

    QCOMPARE(saved.size(), 1);
    const QString file = QFileInfo(saved.first().first().toString()).fileName();
    if (m_names.first() == m_names.last())
        QCOMPARE(file, name + QStringLiteral(" (2).doc"));
    QCOMPARE(QDir(report).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({ lock, file }));
    for (const QString& kept :
        { QDir(report).filePath(file), QDir(DiaryStore::defaultFolder()).filePath(DiaryStore::fileName()) })
        QCOMPARE(FileMode(kept), 0600);
}

void TestSavingOffice::lostOfficeKeepsTheConclusionText_data()
{
    QTest::addColumn<int>("step"); // where the report's bar was when the office died; 0: after the report
    QTest::newRow("killed after the report") << 0;
    for (int step : { 14, 42, 84 })
        QTest::newRow(qPrintable(QStringLiteral("killed at step %1 of the table").arg(step))) << step;
}

void TestSavingOffice::lostOfficeKeepsTheConclusionText()
{
    QFETCH(int, step);
    const QString report = Folder(QStringLiteral("Заключения"));
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(report);
    OpenWindow();
    const QString text = m_window->findChild<QPlainTextEdit*>(QStringLiteral("mmoCommon"))->toPlainText();
    const auto killOffice = [] {
        const qint64 office = WriterServer::startedOfficePid();
        QVERIFY(office > 0);
        ::kill(pid_t(office), SIGKILL);
        QVERIFY(OfficeProcess::waitForEnd(office, 10000));
    };
    BarStep killer(step, killOffice);
    m_window->acReportExecute();
    if (step == 0)
        killOffice();
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    LeaveConclusionPage();

    QTRY_COMPARE(saved.size(), 1);
    const QString file = saved.first().first().toString();
    const QList<MessageBoxes::Shown> boxes = MessageBoxes::takeShown();
    QVERIFY(!boxes.isEmpty());
    QCOMPARE(boxes.last().text,
        QStringLiteral("Заключение не удалось сохранить как документ: текстовый редактор закрылся или не "
                       "отвечает.\nЕго текст сохранен в файл %1")
            .arg(file));
    QCOMPARE(QFileInfo(file).path(), report);
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(kept.readAll()), text);
}

QTEST_MAIN(TestSavingOffice)
#include "tst_saving_office.moc"
