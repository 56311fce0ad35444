#include "platform/automation/DispatchObject.h"
#include "platform/automation/OleError.h"
#include "platform/automation/WordTypeLib.h"
#include "report/DocEventsU.h"
#include "report/WordU.h"

#include <QTest>

using namespace Automation;

namespace {

// An event source with Word's two event interfaces, and one without events.
class EventSource final : public DispatchObject {
public:
    explicit EventSource(bool withEvents = true)
        : DispatchObject(QStringLiteral("EventSource"))
    {
        addProperty(QStringLiteral("Name"), [] { return Variant("Документ1"); });
        if (withEvents) {
            application = addConnectionPoint(Word::DIID_ApplicationEvents2);
            document = addConnectionPoint(Word::DIID_DocumentEvents);
        }
    }
    ComPtr<ConnectionPoint> application;
    ComPtr<ConnectionPoint> document;
};

struct SaveCall {
    Variant doc;
    bool* saveAsUI = nullptr;
    bool* cancel = nullptr;
    int count = 0;
};

} // namespace

class TestSinks : public QObject {
    Q_OBJECT

private slots:
    void unknownEventsAreNotImplemented_data();
    void unknownEventsAreNotImplemented();
    void handledEventsSucceedWithoutHandlers_data();
    void handledEventsSucceedWithoutHandlers();
    void propertyAccessRaisesTheClassName_data();
    void propertyAccessRaisesTheClassName();
    void namedArgumentsReachTheSameParameters_data();
    void namedArgumentsReachTheSameParameters();
    void malformedEventArgumentsAreRefused_data();
    void malformedEventArgumentsAreRefused();
    void sinkAnswersItsEventInterface();
    void connectedSinkReceivesEventsUntilDisconnected();
    void connectFailureNamesTheSinkAndTheCause_data();
    void connectFailureNamesTheSinkAndTheCause();
};

void TestSinks::unknownEventsAreNotImplemented_data()
{
    QTest::addColumn<bool>("documentSink");
    QTest::addColumn<int>("dispid");
    QTest::newRow("application Startup") << false << 1;
    QTest::newRow("application DocumentOpen") << false << 4;
    QTest::newRow("application NewDocument") << false << 9;
    QTest::newRow("document Open") << true << 5;
    QTest::newRow("document Quit id") << true << 2;
}

void TestSinks::unknownEventsAreNotImplemented()
{
    QFETCH(bool, documentSink);
    QFETCH(int, dispid);
    TWordEventsSink wordSink;
    TDocEventsSink docSink;
    bool called = false;
    wordSink.OnQuit = [&] { called = true; };
    docSink.OnNew = docSink.OnClose = [&] { called = true; };
    TBaseSink& sink = documentSink ? static_cast<TBaseSink&>(docSink) : wordSink;
    ArgList args;
    QCOMPARE(sink.Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &args.params(), nullptr, nullptr, nullptr),
        E_NOTIMPL);
    QVERIFY(!called);
}

void TestSinks::handledEventsSucceedWithoutHandlers_data()
{
    QTest::addColumn<bool>("documentSink");
    QTest::addColumn<int>("dispid");
    QTest::newRow("Quit") << false << Word::DISPID_AppQuit;
    QTest::newRow("DocumentBeforeClose") << false << Word::DISPID_AppDocumentBeforeClose;
    QTest::newRow("DocumentBeforeSave") << false << Word::DISPID_AppDocumentBeforeSave;
    QTest::newRow("New") << true << Word::DISPID_DocNew;
    QTest::newRow("Close") << true << Word::DISPID_DocClose;
}

void TestSinks::handledEventsSucceedWithoutHandlers()
{
    QFETCH(bool, documentSink);
    QFETCH(int, dispid);
    TWordEventsSink wordSink;
    TDocEventsSink docSink;
    TBaseSink& sink = documentSink ? static_cast<TBaseSink&>(docSink) : wordSink;
    ComPtr<EventSource> doc = MakeDispatch<EventSource>();
    bool saveAsUI = false;
    bool cancel = false;
    ArgList args;
    if (dispid == Word::DISPID_AppDocumentBeforeClose)
        args.add(doc->asVariant()).add(Variant::BoolRef(&cancel));
    if (dispid == Word::DISPID_AppDocumentBeforeSave)
        args.add(doc->asVariant()).add(Variant::BoolRef(&saveAsUI)).add(Variant::BoolRef(&cancel));
    QCOMPARE(
        sink.Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &args.params(), nullptr, nullptr, nullptr), S_OK);
    QVERIFY(!cancel);
}

void TestSinks::propertyAccessRaisesTheClassName_data()
{
    QTest::addColumn<bool>("documentSink");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("message");
    QTest::newRow("get on application sink")
        << false << int(DISPATCH_PROPERTYGET)
        << QStringLiteral("TWordEventsSink only supports sinking of method calls!");
    QTest::newRow("put on document sink")
        << true << int(DISPATCH_PROPERTYPUT)
        << QStringLiteral("TDocEventsSink only supports sinking of method calls!");
}

void TestSinks::propertyAccessRaisesTheClassName()
{
    QFETCH(bool, documentSink);
    QFETCH(int, flags);
    QFETCH(QString, message);
    TWordEventsSink wordSink;
    TDocEventsSink docSink;
    TBaseSink& sink = documentSink ? static_cast<TBaseSink&>(docSink) : wordSink;
    ArgList args;
    try {
        sink.Invoke(Word::DISPID_AppQuit, IID_NULL, 0, static_cast<WORD>(flags), &args.params(), nullptr,
            nullptr, nullptr);
        QFAIL("no exception");
    } catch (const EOleError& e) {
        QCOMPARE(e.Message(), message);
    }
}

void TestSinks::namedArgumentsReachTheSameParameters_data()
{
    // Which of Doc (0), SaveAsUI (1), Cancel (2) are passed by name, in the order given.
    QTest::addColumn<QList<int>>("named");
    QTest::newRow("all positional") << QList<int> {};
    QTest::newRow("all named in order") << QList<int> { 0, 1, 2 };
    QTest::newRow("all named reversed") << QList<int> { 2, 1, 0 };
    QTest::newRow("last one named") << QList<int> { 2 };
    QTest::newRow("last two named out of order") << QList<int> { 2, 1 };
}

void TestSinks::namedArgumentsReachTheSameParameters()
{
    QFETCH(QList<int>, named);
    TWordEventsSink sink;
    SaveCall call;
    sink.OnDocumentBeforeSave = [&](const Variant& doc, bool* saveAsUI, bool* cancel) {
        call = SaveCall { doc, saveAsUI, cancel, call.count + 1 };
        *cancel = true;
    };
    ComPtr<EventSource> doc = MakeDispatch<EventSource>();
    bool saveAsUI = true;
    bool cancel = false;
    const Variant values[] = { doc->asVariant(), Variant::BoolRef(&saveAsUI), Variant::BoolRef(&cancel) };

    ArgList args;
    const int positional = 3 - static_cast<int>(named.size());
    for (int k = 0; k < positional; ++k)
        args.add(values[k]);
    for (int k : named)
        args.addNamed(k, values[k]);
    QCOMPARE(sink.Invoke(Word::DISPID_AppDocumentBeforeSave, IID_NULL, 0, DISPATCH_METHOD, &args.params(),
                 nullptr, nullptr, nullptr),
        S_OK);

    QCOMPARE(call.count, 1);
    QCOMPARE(call.doc.get(QStringLiteral("Name")).toString(), QStringLiteral("Документ1"));
    QCOMPARE(call.saveAsUI, &saveAsUI);
    QCOMPARE(call.cancel, &cancel);
    QVERIFY(cancel);
}

void TestSinks::malformedEventArgumentsAreRefused_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<HRESULT>("expected");
    QTest::newRow("Cancel missing") << 0 << DISP_E_BADPARAMCOUNT;
    QTest::newRow("Cancel passed by value") << 1 << DISP_E_TYPEMISMATCH;
    QTest::newRow("named argument beyond the parameters") << 2 << DISP_E_PARAMNOTFOUND;
    QTest::newRow("negative named argument") << 3 << DISP_E_PARAMNOTFOUND;
}

void TestSinks::malformedEventArgumentsAreRefused()
{
    QFETCH(int, kind);
    QFETCH(HRESULT, expected);
    TWordEventsSink sink;
    int calls = 0;
    sink.OnDocumentBeforeClose = [&](const Variant&, bool*) { ++calls; };
    ComPtr<EventSource> doc = MakeDispatch<EventSource>();
    bool cancel = false;
    ArgList args;
    args.add(doc->asVariant());
    if (kind == 1)
        args.add(Variant(false));
    else if (kind == 2)
        args.addNamed(5, Variant::BoolRef(&cancel));
    else if (kind == 3)
        args.addNamed(-1, Variant::BoolRef(&cancel));
    QCOMPARE(sink.Invoke(Word::DISPID_AppDocumentBeforeClose, IID_NULL, 0, DISPATCH_METHOD, &args.params(),
                 nullptr, nullptr, nullptr),
        expected);
    QCOMPARE(calls, 0);
}

void TestSinks::sinkAnswersItsEventInterface()
{
    TDocEventsSink sink;
    void* answer = &sink;
    QCOMPARE(sink.QueryInterface(Word::DIID_DocumentEvents, &answer), S_OK);
    QCOMPARE(answer, static_cast<void*>(static_cast<IDispatch*>(&sink)));
    QCOMPARE(sink.QueryInterface(Word::DIID_ApplicationEvents2, &answer), E_NOINTERFACE);
    QCOMPARE(answer, nullptr);
    QCOMPARE(sink.QueryInterface(IConnectionPoint::iid, &answer), E_NOINTERFACE);
}

void TestSinks::connectedSinkReceivesEventsUntilDisconnected()
{
    ComPtr<EventSource> first = MakeDispatch<EventSource>();
    ComPtr<EventSource> second = MakeDispatch<EventSource>();
    QStringList heard;
    {
        TDocEventsSink sink;
        sink.OnClose = [&] { heard << QStringLiteral("close"); };
        sink.Connect(first->asVariant());
        QVERIFY(sink.IsConnected());
        QCOMPARE(first->document->connectionCount(), 1);
        QCOMPARE(first->application->connectionCount(), 0);
        QCOMPARE(first->document->Fire(Word::DISPID_DocClose), S_OK);

        // Connecting elsewhere leaves the first source first.
        sink.Connect(second->asVariant());
        QCOMPARE(first->document->connectionCount(), 0);
        QCOMPARE(first->document->Fire(Word::DISPID_DocClose), S_OK);
        QCOMPARE(second->document->Fire(Word::DISPID_DocClose), S_OK);

        sink.Disconnect();
        QVERIFY(!sink.IsConnected());
        sink.Disconnect();
        QCOMPARE(second->document->Fire(Word::DISPID_DocClose), S_OK);
        sink.Connect(second->asVariant());
    }
    // Destroying the sink took it off the source.
    QCOMPARE(second->document->connectionCount(), 0);
    QCOMPARE(heard, (QStringList { QStringLiteral("close"), QStringLiteral("close") }));
}

void TestSinks::connectFailureNamesTheSinkAndTheCause_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("cause");
    QTest::newRow("source without events") << 0 << HResultText(E_NOINTERFACE);
    QTest::newRow("source without that event interface") << 1 << HResultText(CONNECT_E_NOCONNECTION);
    QTest::newRow("empty variant") << 2 << QStringLiteral("Значение не является объектом автоматизации");
}

void TestSinks::connectFailureNamesTheSinkAndTheCause()
{
    QFETCH(int, source);
    QFETCH(QString, cause);
    ComPtr<EventSource> plain = MakeDispatch<EventSource>(false);
    TWordEventsSink sink;
    // Only the document interface is offered by a document sink's source; the
    // application sink looks for the other one.
    class DocumentOnly final : public DispatchObject {
    public:
        DocumentOnly()
            : DispatchObject(QStringLiteral("DocumentOnly"))
        {
            addConnectionPoint(Word::DIID_DocumentEvents);
        }
    };
    ComPtr<DocumentOnly> documentOnly = MakeDispatch<DocumentOnly>();
    const Variant sources[] = { plain->asVariant(), documentOnly->asVariant(), Variant() };
    try {
        sink.Connect(sources[source]);
        QFAIL("no exception");
    } catch (const EOleError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Unable to connect TWordEventsSink.\r") + cause);
    }
    QVERIFY(!sink.IsConnected());
}

QTEST_APPLESS_MAIN(TestSinks)
#include "tst_sinks.moc"
