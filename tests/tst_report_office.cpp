#include "report/ReportU.h"

#include "platform/automation/OleServer.h"
#include "platform/writer/OfficeProcess.h"
#include "platform/writer/WriterServer.h"
#include "tests/WriterTestOffice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <memory>

using namespace Automation;

namespace {

// Waits for the process to end, delivering the events that arrive meanwhile.
bool EndsInTime(qint64 pid)
{
    return QTest::qWaitFor([pid] { return !OfficeProcess::isRunning(pid); }, 30000);
}

Variant AddDocument(const Variant& word, const QString& caption)
{
    const Variant document
        = word.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), Variant::Omitted());
    document.get(QStringLiteral("Windows"))
        .call(QStringLiteral("Item"), 1)
        .set(QStringLiteral("Caption"), caption);
    return document;
}

QStringList Captions(const Variant& word)
{
    QStringList captions;
    const Variant documents = word.get(QStringLiteral("Documents"));
    const int count = documents.get(QStringLiteral("Count")).toInt();
    for (int i = 1; i <= count; ++i) {
        captions << documents.call(QStringLiteral("Item"), i)
                        .get(QStringLiteral("Windows"))
                        .call(QStringLiteral("Item"), 1)
                        .get(QStringLiteral("Caption"))
                        .toString();
    }
    captions.sort();
    return captions;
}

} // namespace

class TestReportOffice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void startedWordIsHiddenUntilShownAndQuitsAfterClosing();
    void runningWordKeepsTheUserDocuments();
    void wordQuitByTheUserIsForgotten();
    void secondReportKeepsTheStartedWordOwn();
    void officeThatCannotServeIsToldAtOnce_data();
    void officeThatCannotServeIsToldAtOnce();

private:
    std::unique_ptr<WriterTestOffice> m_office;
    WriterServer::Settings m_settings;
    QStringList m_boxes;
    std::unique_ptr<TReportState> m_report;
    int m_closeEvents = 0;
};

void TestReportOffice::initTestCase()
{
    m_office = std::make_unique<WriterTestOffice>(QStringLiteral("tst_report"));
    m_settings = WriterServer::settings();
    QVERIFY(!m_settings.profileFolder.isEmpty());
}

void TestReportOffice::init()
{
    WriterServer::setSettings(m_settings);
    m_boxes.clear();
    m_closeEvents = 0;
    m_report = std::make_unique<TReportState>();
    m_report->SetReportErrorBox([this](const QString& text) { m_boxes << text; });
    m_report->DocSink->OnClose = [this] {
        ++m_closeEvents;
        m_report->ForgetReportDocument();
    };
}

void TestReportOffice::cleanup()
{
    m_report.reset();
    WriterServer::shutdown();
}

void TestReportOffice::cleanupTestCase()
{
    m_office.reset();
}

void TestReportOffice::startedWordIsHiddenUntilShownAndQuitsAfterClosing()
{
    QVERIFY(m_report->ConnectWord());
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!m_report->WordAttached);
    QVERIFY(m_report->WordSink->IsConnected());
    QVERIFY(m_report->OmittedArg.isOmitted());
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Visible")).toBool(), false);
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Options"))
                 .get(QStringLiteral("CheckSpellingAsYouType"))
                 .toBool(),
        false);
    const qint64 office = WriterServer::startedOfficePid();
    QVERIFY(office > 0);

    m_report->ReportDoc = m_report->WordApp.get(QStringLiteral("Documents"))
                              .call(QStringLiteral("Add"), m_report->OmittedArg);
    m_report->DocSink->Connect(m_report->ReportDoc);
    AddDocument(m_report->WordApp, QStringLiteral("Черновик пользователя"));
    m_report->ShowReport();
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Visible")).toBool(), true);
    const QString caption = m_report->ReportDoc.get(QStringLiteral("Windows"))
                                .call(QStringLiteral("Item"), 1)
                                .get(QStringLiteral("Caption"))
                                .toString();
    QVERIFY2(caption.startsWith(QStringLiteral("Заключение 20")), qPrintable(caption));
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Documents")).get(QStringLiteral("Count")).toInt(), 2);

    m_report->CloseConclusionDocuments();
    QCOMPARE(m_closeEvents, 1);
    QVERIFY(m_report->ReportDoc.isEmpty());
    QVERIFY(m_report->WordApp.isEmpty());
    QVERIFY2(EndsInTime(office), "the started office still runs after Quit");
    QCOMPARE(m_closeEvents, 1);
}

void TestReportOffice::runningWordKeepsTheUserDocuments()
{
    // The user's own word processor, already running with two documents, one
    // of them a conclusion saved earlier.
    const Variant usersWord(CreateOleObject(QStringLiteral("Word.Application")));
    AddDocument(usersWord, QStringLiteral("Письмо"));
    AddDocument(usersWord, QStringLiteral("Заключение 2025 May 3 Saturday 10-15"));

    QVERIFY(m_report->ConnectWord());
    QVERIFY(m_report->WordAttached);
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Visible")).toBool(), true);
    m_report->ReportDoc = AddDocument(m_report->WordApp, QStringLiteral("Документ3"));
    m_report->DocSink->Connect(m_report->ReportDoc);
    m_report->ShowReport();
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Documents")).get(QStringLiteral("Count")).toInt(), 3);

    m_report->CloseConclusionDocuments();
    QCOMPARE(m_closeEvents, 1);
    QVERIFY(m_report->ReportDoc.isEmpty());
    QVERIFY(!m_report->WordApp.isEmpty());
    QCOMPARE(Captions(m_report->WordApp), QStringList { QStringLiteral("Письмо") });
    QVERIFY(OfficeProcess::isRunning(WriterServer::startedOfficePid()));

    // Nothing left to close: a second call changes nothing, and no late
    // Close event arrives for the report closed before.
    m_report->CloseConclusionDocuments();
    QCOMPARE(Captions(usersWord), QStringList { QStringLiteral("Письмо") });
    QTest::qWait(300);
    QCOMPARE(m_closeEvents, 1);
}

void TestReportOffice::wordQuitByTheUserIsForgotten()
{
    QVERIFY(m_report->ConnectWord());
    const Variant usersHandle(GetActiveOleObject(QStringLiteral("Word.Application")));
    usersHandle.call(QStringLiteral("Quit"));
    QTRY_VERIFY_WITH_TIMEOUT(m_report->WordApp.isEmpty(), 30000);
    m_report->CloseConclusionDocuments();
    QVERIFY(m_boxes.isEmpty());
}

void TestReportOffice::secondReportKeepsTheStartedWordOwn()
{
    QVERIFY(m_report->ConnectWord());
    const qint64 office = WriterServer::startedOfficePid();
    m_report->ShowReport();
    // The user closed the first report in the word processor and asks again.
    QVERIFY(m_report->ConnectWord());
    QVERIFY(!m_report->WordAttached);
    QCOMPARE(m_report->WordApp.get(QStringLiteral("Visible")).toBool(), false);
    m_report->CloseConclusionDocuments();
    QVERIFY(m_report->WordApp.isEmpty());
    QVERIFY2(EndsInTime(office), "the office started for the first report still runs");
}

void TestReportOffice::officeThatCannotServeIsToldAtOnce_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("reason");
    const QString missing = QDir(m_settings.profileFolder).filePath(QStringLiteral("no-such-office/soffice"));
    QTest::newRow("no office program")
        << missing << false
        << QStringLiteral("LibreOffice Writer не установлен (нет программы %1). "
                          "Установите его командой: sudo apt install libreoffice-writer")
               .arg(missing);
    QTest::newRow("Writer without windows")
        << QDir(m_settings.profileFolder).filePath(QStringLiteral("nogui/soffice")) << true
        << QStringLiteral(
               "Установлен LibreOffice Writer без окон (пакет libreoffice-writer-nogui), он не может "
               "показать отчет. Установите Writer с окнами командой: sudo apt install libreoffice-writer");
}

void TestReportOffice::officeThatCannotServeIsToldAtOnce()
{
    QFETCH(QString, program);
    QFETCH(bool, installed);
    QFETCH(QString, reason);
    // An office without window plugins beside it, wanted with its windows.
    if (installed) {
        QDir().mkpath(QFileInfo(program).path());
        QFile launcher(program);
        QVERIFY(launcher.open(QIODevice::WriteOnly));
        launcher.write("#!/bin/sh\n");
        launcher.setPermissions(launcher.permissions() | QFile::ExeOwner);
    }
    WriterServer::Settings cannot = m_settings;
    cannot.officeProgram = program;
    cannot.pipeName += QStringLiteral("_cannot");
    cannot.headless = WriterServer::Settings::Headless::No;
    WriterServer::setSettings(cannot);
    m_report->ReportDoc = Variant("прежний документ");

    // Quiet when started ahead of need; told when the report asks.
    PrepareWord();
    QCOMPARE(m_boxes, QStringList());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!m_report->ConnectWord());
    QVERIFY2(timer.elapsed() < 5000, "an office that cannot serve must be told at once");
    QCOMPARE(m_boxes,
        QStringList {
            QStringLiteral("Не могу запустить текстовый редактор LibreOffice Writer.\n") + reason });
    QVERIFY(m_report->WordApp.isEmpty());
    QVERIFY(m_report->ReportDoc.isEmpty());
}

QTEST_GUILESS_MAIN(TestReportOffice)
#include "tst_report_office.moc"
