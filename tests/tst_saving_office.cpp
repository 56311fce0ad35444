#include "app/MainU.h"

#include "app/Settings.h"
#include "diary/DiaryStore.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/writer/WriterServer.h"
#include "report/ReportU.h"
#include "tests/FolderDialogAnswer.h"
#include "tests/OfficeConnection.h"
#include "tests/ReportTableReader.h"
#include "tests/WriterTestOffice.h"

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QDir>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Automation;

namespace {

constexpr int DataPageTag = 1;
constexpr int ConclusionPageTag = 14;
constexpr int wdDocumentsPath = 0;
const QString ConclusionFile = QStringLiteral("<conclusion>");
const QString Unsaved = QStringLiteral("<unsaved>");

enum class UserSave { None, IntoReportFolder, Elsewhere };

// A Word 97 file opens with the compound-file signature and keeps Cyrillic
// text as UTF-16.
bool HoldsText(const QString& file, const QString& text)
{
    QFile doc(file);
    if (!doc.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = doc.readAll();
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")) && bytes.contains(utf16);
}

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
    void failedSaveIsTold_data();
    void failedSaveIsTold();

private:
    void OpenWindow();
    void StartReport(const QString& text);
    void LeaveConclusionPage();
    // The files of a folder, with the conclusion's own name written as ConclusionFile.
    QStringList Files(const QString& folder) const;
    QString Folder(const QString& name) const { return m_root.filePath(name); }

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
    // The examination diary lies beside the conclusions it lists.
    files.removeOne(TDiaryStore::FileName());
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
        << true << false << Folder(QStringLiteral("Нет/Новая")) << UserSave::None << none << conclusion
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
    const QList<TDiaryEntry> diary = TDiaryStore(report, TDiaryStore::Access::Read).entries();
    QCOMPARE(diary.size(), 2);
    QCOMPARE(QStringList({ diary[0].savedFile, diary[1].savedFile }),
        QStringList({ QFileInfo(second).fileName(), QFileInfo(first).fileName() }));
    if (m_names.first() == m_names.last())
        QCOMPARE(QFileInfo(second).fileName(), m_names.first().chopped(4) + QStringLiteral(" (2).doc"));
}

void TestSavingOffice::failedSaveIsTold_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("folder gone") << Folder(QStringLiteral("Удаленная"));
    QTest::newRow("folder that takes no files") << QStringLiteral("/proc");
}

void TestSavingOffice::failedSaveIsTold()
{
    QFETCH(QString, folder);
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(folder);
    OpenWindow();
    QSignalSpy saved(m_window.get(), &TfrmTessora::ConclusionSaved);
    StartReport(QStringLiteral("Заключение, которое не сохранится"));
    LeaveConclusionPage();

    const QList<MessageBoxes::Shown> boxes = MessageBoxes::takeShown();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.first().text.startsWith(QStringLiteral("Не могу сохранить заключение в файл %1/%2")
                                               .arg(folder, m_names.first().chopped(4))),
        qPrintable(boxes.first().text));
    QCOMPARE(saved.size(), 0);
    QVERIFY(m_window->Report().WordApp.isEmpty());
    QCOMPARE(m_window->ActivePageTag(), DataPageTag);
}

QTEST_MAIN(TestSavingOffice)
#include "tst_saving_office.moc"
