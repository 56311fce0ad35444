#include "report/ReportU.h"

#include "platform/automation/OleServer.h"
#include "platform/automation/WordTypeLib.h"

#include <QTest>

using namespace Automation;

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void conclusionFileName_data();
    void conclusionFileName();
    void connectWordFailsWithoutWord_data();
    void connectWordFailsWithoutWord();
    void quitAndCloseEventsForgetTheObjects();
    void closingWithoutWordDoesNothing();

private:
    QStringList m_boxes;
    std::unique_ptr<TReportState> m_report;
};

void TestReport::init()
{
    m_boxes.clear();
    m_report = std::make_unique<TReportState>();
    m_report->SetReportErrorBox([this](const QString& text) { m_boxes << text; });
}

void TestReport::cleanup()
{
    m_report.reset();
    UnregisterServer(QStringLiteral("Word.Application"));
}

void TestReport::conclusionFileName_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English names") << QDateTime(QDate(2009, 3, 5), QTime(14, 7)) << QStringLiteral("en_US")
                                   << QStringLiteral("Заключение 2009 March 5 Thursday 14-07");
    QTest::newRow("Russian names, two-digit day")
        << QDateTime(QDate(2026, 12, 27), QTime(21, 30, 59)) << QStringLiteral("ru_RU")
        << QStringLiteral("Заключение 2026 декабрь 27 воскресенье 21-30");
    QTest::newRow("just after midnight")
        << QDateTime(QDate(2024, 1, 1), QTime(0, 5)) << QStringLiteral("en_US")
        << QStringLiteral("Заключение 2024 January 1 Monday 00-05");
}

void TestReport::conclusionFileName()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(ConclusionFileName(moment, QLocale(locale)), expected);
}

void TestReport::connectWordFailsWithoutWord_data()
{
    QTest::addColumn<bool>("registered");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no server registered")
        << false << QStringLiteral("CO_E_CLASSSTRING: недопустимое имя класса");
    QTest::newRow("server cannot start")
        << true << QStringLiteral("«Word.Application»: CO_E_APPNOTFOUND: программа сервера не найдена");
}

void TestReport::connectWordFailsWithoutWord()
{
    QFETCH(bool, registered);
    QFETCH(QString, reason);
    if (registered) {
        RegisterServer(QStringLiteral("Word.Application"), Word::CLSID_Application,
            { [](ComPtr<IDispatch>&) { return CO_E_APPNOTFOUND; },
                [](ComPtr<IDispatch>&) { return MK_E_UNAVAILABLE; }, {} });
    }
    // Left over from an earlier report: both must be gone after the failure.
    m_report->WordApp = Variant(7);
    m_report->ReportDoc = Variant("документ");

    QVERIFY(!m_report->ConnectWord());
    QCOMPARE(m_boxes,
        QStringList {
            QStringLiteral("Не могу запустить текстовый редактор LibreOffice Writer.\n") + reason });
    QVERIFY(m_report->WordApp.isEmpty());
    QVERIFY(m_report->ReportDoc.isEmpty());
    QVERIFY(!m_report->WordSink->IsConnected());
}

void TestReport::quitAndCloseEventsForgetTheObjects()
{
    QVERIFY(m_report->WordSink && m_report->DocSink);
    m_report->WordApp = Variant(1);
    m_report->ReportDoc = Variant(2);
    ArgList none;
    QCOMPARE(m_report->DocSink->Invoke(Word::DISPID_DocClose, IID_NULL, 0, DISPATCH_METHOD, &none.params(),
                 nullptr, nullptr, nullptr),
        S_OK);
    QVERIFY(m_report->ReportDoc.isEmpty());
    QVERIFY(!m_report->WordApp.isEmpty());
    QCOMPARE(m_report->WordSink->Invoke(Word::DISPID_AppQuit, IID_NULL, 0, DISPATCH_METHOD, &none.params(),
                 nullptr, nullptr, nullptr),
        S_OK);
    QVERIFY(m_report->WordApp.isEmpty());
}

void TestReport::closingWithoutWordDoesNothing()
{
    m_report->ReportDoc = Variant("документ");
    m_report->CloseConclusionDocuments();
    QCOMPARE(m_report->ReportDoc, Variant("документ"));
    QVERIFY(m_boxes.isEmpty());
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
