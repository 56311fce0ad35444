#include "platform/automation/Automation.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/writer/UnoCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WriterServer.h"
#include "tests/OfficeConnection.h"
#include "tests/WriterTestOffice.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <functional>
#include <thread>

using namespace css;
using namespace Automation;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// An event sink that records what it receives and may act on it.
class RecordingSink final : public IDispatch {
public:
    explicit RecordingSink(const IID& events)
        : m_events(events)
    {
    }
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (riid != IUnknown::iid && riid != IDispatch::iid && riid != m_events)
            return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, const QString*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(
        DISPID dispid, REFIID, LCID, WORD, DispParams* params, Variant*, ExcepInfo*, UINT*) override
    {
        std::vector<Variant> args;
        for (UINT i = params ? params->cArgs : 0; i > 0; --i)
            args.push_back(params->rgvarg[i - 1]);
        ++m_counts[dispid];
        if (m_handler)
            m_handler(dispid, args);
        return S_OK;
    }

    int count(DISPID dispid) const { return m_counts.value(dispid); }
    void onEvent(std::function<void(DISPID, const std::vector<Variant>&)> handler)
    {
        m_handler = std::move(handler);
    }

    // Advises this sink on the source; unadvised when the connection goes.
    struct Connection {
        ComPtr<IConnectionPoint> point;
        DWORD cookie = 0;
        ~Connection()
        {
            if (point)
                point->Unadvise(cookie);
        }
    };
    std::unique_ptr<Connection> connect(const Variant& source)
    {
        auto connection = std::make_unique<Connection>();
        ComPtr<IConnectionPointContainer> container;
        OleCheck(source.toDispatch().query(container));
        OleCheck(container->FindConnectionPoint(m_events, connection->point.put()));
        OleCheck(connection->point->Advise(this, &connection->cookie));
        return connection;
    }

private:
    IID m_events;
    QHash<DISPID, int> m_counts;
    std::function<void(DISPID, const std::vector<Variant>&)> m_handler;
};

// Another client of the same office, as a user's own macro or tool would be.
bool fromOutside(const QString& pipe, const QString& title,
    const std::function<void(const Reference<frame::XModel>&)>& work)
{
    std::shared_ptr<UnoOffice> office = ConnectToTestOffice(pipe);
    if (!office)
        return false;
    Reference<container::XEnumeration> components = office->desktop()->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        Reference<frame::XModel> model(components->nextElement(), UNO_QUERY);
        Reference<frame::XTitle> named(model, UNO_QUERY);
        if (named.is() && toQString(named->getTitle()) == title) {
            work(model);
            return true;
        }
    }
    return false;
}

} // namespace

class TestWriterEvents : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void programCloseRunsCloseHandlersOnce();
    void outsideCloseRunsCloseHandlersOnce_data();
    void outsideCloseRunsCloseHandlersOnce();
    void cancelKeepsDocumentOpen();
    void savesRaiseBeforeSaveOnce();
    void quitRaisesQuitOnce();
    void killedOfficeGivesErrors();
    void quitLeavesTheUsersOwnOfficeRunning();
    void lateGuiWorkStillRunsAndItsFailureIsDropped();

private:
    Variant newConclusion(const QString& caption);

    std::unique_ptr<WriterTestOffice> m_office;
    QTemporaryDir m_files;
    Variant m_word;
    RecordingSink m_appSink { Word::DIID_ApplicationEvents2 };
    std::unique_ptr<RecordingSink::Connection> m_appConnection;
};

void TestWriterEvents::initTestCase()
{
    m_office = std::make_unique<WriterTestOffice>(QStringLiteral("events"));
    QVERIFY(m_files.isValid());
}

void TestWriterEvents::cleanupTestCase()
{
    m_appConnection.reset();
    m_word.clear();
    m_office.reset();
}

void TestWriterEvents::init()
{
    if (m_word.isEmpty()) {
        m_word = Variant(CreateOleObject(QStringLiteral("Word.Application")));
        WriterTestOffice::remember();
        m_appSink = RecordingSink(Word::DIID_ApplicationEvents2);
        m_appConnection = m_appSink.connect(m_word);
    }
}

void TestWriterEvents::cleanup()
{
    m_appSink.onEvent({});
}

Variant TestWriterEvents::newConclusion(const QString& caption)
{
    const Variant doc = m_word.get("Documents").call("Add", Variant::Omitted());
    doc.get("Windows").call("Item", 1).set("Caption", caption);
    const Variant table = doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), 2, 1);
    table.call("Cell", 1, 1).get("Range").call("InsertBefore", caption);
    return doc;
}

void TestWriterEvents::programCloseRunsCloseHandlersOnce()
{
    const Variant doc = newConclusion(QStringLiteral("Заключение программы"));
    RecordingSink docSink(Word::DIID_DocumentEvents);
    const auto connection = docSink.connect(doc);
    const QString file = m_files.filePath(QStringLiteral("program.doc"));
    Variant closingDoc;
    m_appSink.onEvent([&](DISPID dispid, const std::vector<Variant>& args) {
        if (dispid == Word::DISPID_AppDocumentBeforeClose)
            closingDoc = args.at(0);
    });
    // The handler saves the document while it closes, as the program's does.
    docSink.onEvent([&](DISPID dispid, const std::vector<Variant>&) {
        if (dispid == Word::DISPID_DocClose)
            doc.call("SaveAs", file);
    });
    const int beforeClose = m_appSink.count(Word::DISPID_AppDocumentBeforeClose);
    doc.call("Close", 0);
    QTRY_COMPARE(docSink.count(Word::DISPID_DocClose), 1);
    QTRY_COMPARE(m_appSink.count(Word::DISPID_AppDocumentBeforeClose), beforeClose + 1);
    QVERIFY(closingDoc == doc);
    QVERIFY(QFileInfo(file).size() > 0);
}

void TestWriterEvents::outsideCloseRunsCloseHandlersOnce_data()
{
    QTest::addColumn<bool>("throughWindow");
    QTest::newRow("document closed") << false;
    QTest::newRow("window closed") << true;
}

void TestWriterEvents::outsideCloseRunsCloseHandlersOnce()
{
    QFETCH(bool, throughWindow);
    const QString caption = QStringLiteral("Заключение снаружи %1").arg(throughWindow);
    const Variant doc = newConclusion(caption);
    RecordingSink docSink(Word::DIID_DocumentEvents);
    const auto connection = docSink.connect(doc);
    const QString file = m_files.filePath(QStringLiteral("outside%1.doc").arg(throughWindow));
    docSink.onEvent([&](DISPID dispid, const std::vector<Variant>&) {
        if (dispid == Word::DISPID_DocClose)
            doc.call("SaveAs", file);
    });
    const QString pipe = m_office->pipeName();
    const int saves = m_appSink.count(Word::DISPID_AppDocumentBeforeSave);
    std::atomic<bool> closed { false };
    bool reached = false;
    std::thread user([&] {
        reached = fromOutside(pipe, caption, [throughWindow](const Reference<frame::XModel>& model) {
            if (throughWindow)
                Reference<util::XCloseable>(model->getCurrentController()->getFrame(), UNO_QUERY)
                    ->close(true);
            else
                Reference<util::XCloseable>(model, UNO_QUERY)->close(true);
        });
        closed = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(closed, 60000);
    user.join();
    QVERIFY(reached);
    QTRY_COMPARE(docSink.count(Word::DISPID_DocClose), 1);
    // The save made by the handler is announced once, while it happens.
    QTRY_COMPARE(m_appSink.count(Word::DISPID_AppDocumentBeforeSave), saves + 1);
    QVERIFY(QFileInfo(file).size() > 0);
    const Variant documents = m_word.get("Documents");
    for (int i = 1; i <= documents.get("Count").toInt(); ++i)
        QVERIFY(!(documents.call("Item", i) == doc));
}

void TestWriterEvents::cancelKeepsDocumentOpen()
{
    const Variant doc = newConclusion(QStringLiteral("Заключение оставить"));
    RecordingSink docSink(Word::DIID_DocumentEvents);
    const auto connection = docSink.connect(doc);
    m_appSink.onEvent([](DISPID dispid, const std::vector<Variant>& args) {
        if (dispid == Word::DISPID_AppDocumentBeforeClose)
            *args.at(1).boolRef() = true;
    });
    QVERIFY_THROWS_EXCEPTION(EOleError, doc.call("Close", 0));
    QCOMPARE(docSink.count(Word::DISPID_DocClose), 0);
    QCOMPARE(
        doc.get("Windows").call("Item", 1).get("Caption").toString(), QStringLiteral("Заключение оставить"));
    m_appSink.onEvent({});
    doc.call("Close", 0);
    QCOMPARE(docSink.count(Word::DISPID_DocClose), 1);
}

void TestWriterEvents::savesRaiseBeforeSaveOnce()
{
    const QString caption = QStringLiteral("Заключение сохранить");
    const Variant doc = newConclusion(caption);
    const int before = m_appSink.count(Word::DISPID_AppDocumentBeforeSave);
    doc.call("SaveAs", m_files.filePath(QStringLiteral("saved-by-program.doc")));
    QTRY_COMPARE(m_appSink.count(Word::DISPID_AppDocumentBeforeSave), before + 1);

    const OUString url
        = toOUString(QUrl::fromLocalFile(m_files.filePath(QStringLiteral("saved-by-user.odt"))).toString());
    std::atomic<bool> saved { false };
    bool reached = false;
    std::thread user([&] {
        reached = fromOutside(m_office->pipeName(), caption, [&](const Reference<frame::XModel>& model) {
            Reference<frame::XStorable>(model, UNO_QUERY)->storeAsURL(url, {});
        });
        saved = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(saved, 60000);
    user.join();
    QVERIFY(reached);
    QTRY_COMPARE(m_appSink.count(Word::DISPID_AppDocumentBeforeSave), before + 2);
    QTest::qWait(300);
    QCOMPARE(m_appSink.count(Word::DISPID_AppDocumentBeforeSave), before + 2);
    doc.call("Close", 0);
}

void TestWriterEvents::quitRaisesQuitOnce()
{
    newConclusion(QStringLiteral("Заключение при выходе"));
    const qint64 pid = WriterServer::startedOfficePid();
    m_word.call("Quit");
    QVERIFY(OfficeProcess::waitForEnd(pid, 20000));
    QTRY_COMPARE(m_appSink.count(Word::DISPID_AppQuit), 1);
    m_appConnection.reset();
    m_word.clear();
}

void TestWriterEvents::killedOfficeGivesErrors()
{
    const Variant doc = newConclusion(QStringLiteral("Заключение оборвано"));
    const int quits = m_appSink.count(Word::DISPID_AppQuit);
    const qint64 pid = WriterServer::startedOfficePid();
    OfficeProcess::kill(pid);
    QVERIFY(OfficeProcess::waitForEnd(pid, 20000));
    QElapsedTimer timer;
    timer.start();
    QVERIFY_THROWS_EXCEPTION(
        EOleError, doc.get("Tables").call("Add", m_word.get("Selection").get("Range"), 2, 1));
    QVERIFY_THROWS_EXCEPTION(EOleError, m_word.get("Documents").get("Count"));
    QVERIFY(timer.elapsed() < 20000);
    // The program learns that its word processor has gone.
    QTRY_COMPARE(m_appSink.count(Word::DISPID_AppQuit), quits + 1);
    // And the next request starts a fresh one.
    const Variant fresh(CreateOleObject(QStringLiteral("Word.Application")));
    WriterTestOffice::remember();
    QCOMPARE(fresh.get("Documents").get("Count").toInt(), 0);
}

void TestWriterEvents::quitLeavesTheUsersOwnOfficeRunning()
{
    // The user's office runs on the profile the program's office would use.
    QTemporaryDir profile;
    OfficeStartOptions user;
    user.program = WriterServer::settings().officeProgram;
    user.pipeName = m_office->pipeName() + QStringLiteral("_user");
    user.profileUrl = QUrl::fromLocalFile(profile.path()).toString();
    qint64 userPid = 0;
    QString error;
    QVERIFY2(OfficeProcess::start(user, &userPid, &error), qPrintable(error));
    const auto endUserOffice = qScopeGuard([&] { OfficeProcess::kill(userPid); });
    // Each evaluation of a retried condition would be a connection of its own.
    QVERIFY(ConnectToTestOffice(user.pipeName, 60000) != nullptr);

    const WriterServer::Settings saved = WriterServer::settings();
    WriterServer::Settings handedOver = saved;
    handedOver.pipeName = saved.pipeName + QStringLiteral("_handed");
    handedOver.profileFolder = profile.path();
    WriterServer::setSettings(handedOver);
    const auto restore = qScopeGuard([&] { WriterServer::setSettings(saved); });
    const Variant word(CreateOleObject(QStringLiteral("Word.Application")));
    const Variant usersDocument = word.get("Documents").call("Add", Variant::Omitted());
    word.get("Documents").call("Add", Variant::Omitted()).call("Close", 0);
    word.call("Quit");
    QTest::qWait(1000);
    QVERIFY(OfficeProcess::isRunning(userPid));
    const std::shared_ptr<UnoOffice> usersWindow = ConnectToTestOffice(user.pipeName);
    QVERIFY(usersWindow);
    // Found again as the running instance, with the user's document still open;
    // a busy office now and then drops a fresh bridge, so it is looked for a while.
    Variant again;
    for (QDeadlineTimer deadline(10000); again.isEmpty() && !deadline.hasExpired(); QTest::qWait(100)) {
        try {
            again = Variant(GetActiveOleObject(QStringLiteral("Word.Application")));
        } catch (const EOleError&) {
        }
    }
    QVERIFY(!again.isEmpty());
    QCOMPARE(again.get("Documents").get("Count").toInt(), 1);
}

void TestWriterEvents::lateGuiWorkStillRunsAndItsFailureIsDropped()
{
    // The GUI thread is busy past the UNO thread's patience: the UNO thread
    // goes on, the work runs once the GUI thread is free, and its failure
    // does not escape into the event loop.
    bool ran = false;
    bool served = true;
    std::thread uno([&] {
        served = UnoCall::serveGuiWork(
            [&] {
                ran = true;
                throw EOleError(QStringLiteral("late"));
            },
            50);
    });
    uno.join();
    QVERIFY(!served);
    QVERIFY(!ran);
    QTRY_VERIFY(ran);
}

QTEST_GUILESS_MAIN(TestWriterEvents)
#include "tst_writer_events.moc"
