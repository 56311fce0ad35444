#include "platform/automation/Automation.h"
#include "platform/automation/ConnectionPoint.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/WordTypeLib.h"

#include <QScopeGuard>
#include <QTest>

using namespace Automation;

namespace {

constexpr IID TestEventsIid = Guid::parse("{6A1E2C70-5B3D-4C2E-9F10-0A0B0C0D0E0F}");
constexpr CLSID TestClsid = Guid::parse("{6A1E2C71-5B3D-4C2E-9F10-0A0B0C0D0E0F}");

// A small server object: a writable property, a read-only one, an indexed
// property, methods with arguments, a failing method and a child object.
class TestObject final : public DispatchObject {
public:
    explicit TestObject(bool* destroyed = nullptr)
        : DispatchObject(QStringLiteral("TestObject"))
        , m_destroyed(destroyed)
    {
        addProperty(
            QStringLiteral("Caption"), [this] { return Variant(caption); },
            [this](const Variant& value) { caption = value.toString(); });
        addProperty(QStringLiteral("Count"), [] { return Variant(3); });
        addMember(
            QStringLiteral("Path"),
            [this](const Args& index) { return Variant(paths[index.required(0).toInt()]); },
            [this](const Args& index, const Variant& value) {
                paths[index.required(0).toInt()] = value.toString();
            });
        addMember(QStringLiteral("Subtract"),
            [](const Args& args) { return Variant(args.required(0).toInt() - args.required(1).toInt()); });
        addMember(QStringLiteral("Describe"), [this](const Args& args) {
            lastArgs.clear();
            for (int i = 0; i < args.count(); ++i)
                lastArgs << (args.isMissing(i) ? QStringLiteral("-") : args[i].toString());
            return Variant(args.count());
        });
        addMember(QStringLiteral("Fail"), [](const Args&) -> Variant {
            throw EOleError(QStringLiteral("Документ закрыт"), RPC_E_DISCONNECTED);
        });
        addMember(
            QStringLiteral("Child"), [](const Args&) { return MakeDispatch<TestObject>()->asVariant(); });
        events = addConnectionPoint(TestEventsIid);
    }
    ~TestObject() override
    {
        if (m_destroyed)
            *m_destroyed = true;
    }

    QString caption;
    QString paths[2];
    QStringList lastArgs;
    ComPtr<ConnectionPoint> events;

private:
    bool* m_destroyed;
};

// A sink that records the events it receives, arguments in natural order.
class RecordingSink final : public DispatchObject {
public:
    explicit RecordingSink(bool answersEvents = true)
        : DispatchObject(QStringLiteral("RecordingSink"))
        , m_answersEvents(answersEvents)
    {
    }
    HRESULT Invoke(
        DISPID dispid, REFIID, LCID, WORD, DispParams* params, Variant*, ExcepInfo*, UINT*) override
    {
        QStringList args;
        for (UINT i = params->cArgs; i > 0; --i)
            args << params->rgvarg[i - 1].toString();
        received << QStringLiteral("%1(%2)").arg(dispid).arg(args.join(QLatin1Char(',')));
        if (onEvent)
            onEvent();
        return S_OK;
    }
    QStringList received;
    std::function<void()> onEvent;

protected:
    HRESULT queryOtherInterface(REFIID riid, void** ppv) override
    {
        if (!m_answersEvents || riid != TestEventsIid)
            return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }

private:
    bool m_answersEvents;
};

} // namespace

Q_DECLARE_METATYPE(Automation::Variant)

class TestAutomation : public QObject {
    Q_OBJECT

private slots:
    void guidParsesAndPrints();
    void guidRejectsMalformedText_data();
    void guidRejectsMalformedText();
    void variantConverts_data();
    void variantConverts();
    void variantRefusesConversion_data();
    void variantRefusesConversion();
    void argListLaysOutArgumentsInAutomationOrder();
    void lateBoundCallsReachTheMembers();
    void lateBoundFailuresNameTheMember_data();
    void lateBoundFailuresNameTheMember();
    void lastReferenceFreesTheObject();
    void serverRegistryFindsAndStartsServers();
    void serverRegistryReportsFailures();
    void serverModuleLoadsOnFirstRequest_data();
    void serverModuleLoadsOnFirstRequest();
    void connectionPointDeliversEvents();
    void connectionPointRefusesSinksWithoutEventInterface();
};

void TestAutomation::guidParsesAndPrints()
{
    constexpr Guid events = Guid::parse("{000209fe-0000-0000-c000-000000000046}");
    QCOMPARE(events.Data1, 0x000209FEu);
    QCOMPARE(int(events.Data4[0]), 0xC0);
    QCOMPARE(int(events.Data4[7]), 0x46);
    QCOMPARE(events.toString(), QStringLiteral("{000209FE-0000-0000-C000-000000000046}"));
    QCOMPARE(Guid::fromString(events.toString()), std::optional<Guid>(events));
    QVERIFY(events != IDispatch::iid);
    QVERIFY(IID_NULL.isNull());
}

void TestAutomation::guidRejectsMalformedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no braces") << QStringLiteral("000209FE-0000-0000-C000-000000000046");
    QTest::newRow("short group") << QStringLiteral("{000209F-0000-0000-C000-0000000000460}");
    QTest::newRow("not hexadecimal") << QStringLiteral("{000209FG-0000-0000-C000-000000000046}");
    QTest::newRow("cyrillic letter") << QStringLiteral("{000209FС-0000-0000-C000-000000000046}");
    QTest::newRow("empty") << QString();
}

void TestAutomation::guidRejectsMalformedText()
{
    QFETCH(QString, text);
    QVERIFY(!Guid::fromString(text).has_value());
}

void TestAutomation::variantConverts_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<QString>("asString");
    QTest::addColumn<bool>("asBool");
    QTest::newRow("integer") << Variant(12) << 12 << QStringLiteral("12") << true;
    QTest::newRow("zero") << Variant(0) << 0 << QStringLiteral("0") << false;
    QTest::newRow("half rounds to even down") << Variant(2.5) << 2 << QStringLiteral("2.5") << true;
    QTest::newRow("half rounds to even up") << Variant(3.5) << 4 << QStringLiteral("3.5") << true;
    QTest::newRow("true is minus one") << Variant(true) << -1 << QStringLiteral("True") << true;
    QTest::newRow("number text") << Variant(" 16 ") << 16 << QStringLiteral(" 16 ") << true;
    QTest::newRow("zero text") << Variant("0") << 0 << QStringLiteral("0") << false;
    QTest::newRow("empty") << Variant() << 0 << QString() << false;
}

void TestAutomation::variantConverts()
{
    QFETCH(Variant, value);
    QFETCH(int, asInt);
    QFETCH(QString, asString);
    QFETCH(bool, asBool);
    QCOMPARE(value.toInt(), asInt);
    QCOMPARE(value.toString(), asString);
    QCOMPARE(value.toBool(), asBool);
}

void TestAutomation::variantRefusesConversion_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<int>("target");
    QTest::addColumn<HRESULT>("expected");
    QTest::newRow("word to integer") << Variant("двенадцать") << int(VT_I4) << DISP_E_TYPEMISMATCH;
    QTest::newRow("too large for integer") << Variant(3.0e9) << int(VT_I4) << DISP_E_OVERFLOW;
    QTest::newRow("omitted to string") << Variant::Omitted() << int(VT_BSTR) << DISP_E_TYPEMISMATCH;
    QTest::newRow("null to integer") << Variant::Null() << int(VT_I4) << DISP_E_TYPEMISMATCH;
    QTest::newRow("bool text to integer") << Variant("True") << int(VT_I4) << DISP_E_TYPEMISMATCH;
    QTest::newRow("word to bool") << Variant("да") << int(VT_BOOL) << DISP_E_TYPEMISMATCH;
    QTest::newRow("infinite text") << Variant("inf") << int(VT_R8) << DISP_E_TYPEMISMATCH;
}

void TestAutomation::variantRefusesConversion()
{
    QFETCH(Variant, value);
    QFETCH(int, target);
    QFETCH(HRESULT, expected);
    Variant out(7);
    QCOMPARE(value.changeType(static_cast<VarType>(target), out), expected);
    try {
        if (target == VT_I4)
            value.toInt();
        else if (target == VT_BOOL)
            value.toBool();
        else if (target == VT_R8)
            value.toDouble();
        else
            value.toString();
        QFAIL("no exception");
    } catch (const EOleError& e) {
        QCOMPARE(e.ErrorCode(), expected);
    }
}

void TestAutomation::argListLaysOutArgumentsInAutomationOrder()
{
    ArgList args { Variant(1), Variant(2), Variant(3) };
    args.addNamed(7, Variant("named"));
    const DispParams& params = args.params();
    QCOMPARE(params.cArgs, 4u);
    QCOMPARE(params.cNamedArgs, 1u);
    QCOMPARE(params.rgdispidNamedArgs[0], 7);
    QCOMPARE(params.rgvarg[0].toString(), QStringLiteral("named"));
    QCOMPARE(params.rgvarg[1].toInt(), 3);
    QCOMPARE(params.rgvarg[3].toInt(), 1);
}

void TestAutomation::lateBoundCallsReachTheMembers()
{
    ComPtr<TestObject> object = MakeDispatch<TestObject>();
    const Variant handle = object->asVariant();

    handle.set(QStringLiteral("Caption"), QStringLiteral("Заключение 1"));
    QCOMPARE(object->caption, QStringLiteral("Заключение 1"));
    QCOMPARE(handle.get(QStringLiteral("caption")).toString(), QStringLiteral("Заключение 1"));
    QCOMPARE(handle.get(QStringLiteral("COUNT")).toInt(), 3);
    QCOMPARE(handle.call(QStringLiteral("Subtract"), 10, 4).toInt(), 6);

    handle.setIndexed(QStringLiteral("Path"), { Variant(1) }, QStringLiteral("/home/user"));
    QCOMPARE(object->paths[1], QStringLiteral("/home/user"));
    QCOMPARE(handle.get(QStringLiteral("Path"), 1).toString(), QStringLiteral("/home/user"));

    QCOMPARE(handle.call(QStringLiteral("Describe"), Variant::Omitted(), 5, "текст").toInt(), 3);
    QCOMPARE(object->lastArgs,
        (QStringList { QStringLiteral("-"), QStringLiteral("5"), QStringLiteral("текст") }));

    const Variant child = handle.call(QStringLiteral("Child"));
    QVERIFY(child.isDispatch());
    child.set(QStringLiteral("Caption"), 42);
    QCOMPARE(child.get(QStringLiteral("Caption")).toString(), QStringLiteral("42"));
}

void TestAutomation::lateBoundFailuresNameTheMember_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("kind");
    QTest::addColumn<HRESULT>("code");
    QTest::addColumn<QString>("cause");
    QTest::newRow("unknown member") << QStringLiteral("Quit") << 0 << DISP_E_MEMBERNOTFOUND << QString();
    QTest::newRow("member throws") << QStringLiteral("Fail") << 0 << RPC_E_DISCONNECTED
                                   << QStringLiteral("Документ закрыт");
    QTest::newRow("read-only put") << QStringLiteral("Count") << 1 << DISP_E_MEMBERNOTFOUND << QString();
    QTest::newRow("missing argument")
        << QStringLiteral("Subtract") << 0 << DISP_E_PARAMNOTOPTIONAL << QStringLiteral("аргумент 2");
    QTest::newRow("argument of wrong type")
        << QStringLiteral("Path") << 2 << DISP_E_TYPEMISMATCH << QString();
    QTest::newRow("not an object") << QStringLiteral("Documents") << 3 << DISP_E_TYPEMISMATCH << QString();
}

void TestAutomation::lateBoundFailuresNameTheMember()
{
    QFETCH(QString, member);
    QFETCH(int, kind);
    QFETCH(HRESULT, code);
    QFETCH(QString, cause);
    ComPtr<TestObject> object = MakeDispatch<TestObject>();
    const Variant handle = object->asVariant();
    try {
        switch (kind) {
        case 0:
            handle.call(member, 1);
            break;
        case 1:
            handle.set(member, 5);
            break;
        case 2:
            handle.get(member, "первый");
            break;
        default:
            Variant(12).get(member);
        }
        QFAIL("no exception");
    } catch (const EOleError& e) {
        QVERIFY2(e.Message().contains(QStringLiteral("«%1»").arg(member)), qPrintable(e.Message()));
        QVERIFY2(e.Message().contains(cause), qPrintable(e.Message()));
        QCOMPARE(e.ErrorCode(), code);
    }
}

void TestAutomation::lastReferenceFreesTheObject()
{
    bool destroyed = false;
    {
        Variant handle = MakeDispatch<TestObject>(&destroyed)->asVariant();
        Variant copy = handle;
        handle.clear();
        QVERIFY(!destroyed);
        ComPtr<IConnectionPointContainer> container;
        QCOMPARE(copy.toDispatch().query(container), S_OK);
        copy.clear();
        QVERIFY(!destroyed);
    }
    QVERIFY(destroyed);
}

void TestAutomation::serverRegistryFindsAndStartsServers()
{
    ComPtr<TestObject> running;
    int started = 0;
    RegisterServer(QStringLiteral("Tessora.TestServer"), TestClsid,
        { [&](ComPtr<IDispatch>& out) {
             ++started;
             running = MakeDispatch<TestObject>();
             out = ComPtr<IDispatch>(static_cast<IDispatch*>(running.get()));
             return S_OK;
         },
            [&](ComPtr<IDispatch>& out) {
                if (!running)
                    return MK_E_UNAVAILABLE;
                out = ComPtr<IDispatch>(static_cast<IDispatch*>(running.get()));
                return S_OK;
            },
            {} });

    CLSID clsid;
    QCOMPARE(CLSIDFromProgID(QStringLiteral("tessora.testserver"), &clsid), S_OK);
    QCOMPARE(clsid, TestClsid);
    ComPtr<IUnknown> active;
    QCOMPARE(GetActiveObject(clsid, active), MK_E_UNAVAILABLE);
    QVERIFY(!active);

    const Variant created(CreateOleObject(QStringLiteral("Tessora.TestServer")));
    QCOMPARE(started, 1);
    QCOMPARE(GetActiveObject(clsid, active), S_OK);
    QCOMPARE(Variant(GetActiveOleObject(QStringLiteral("Tessora.TestServer"))), created);
    UnregisterServer(QStringLiteral("Tessora.TestServer"));
}

void TestAutomation::serverRegistryReportsFailures()
{
    CLSID clsid = TestClsid;
    QCOMPARE(CLSIDFromProgID(QStringLiteral("Nobody.Application"), &clsid), CO_E_CLASSSTRING);
    QVERIFY(clsid.isNull());
    ComPtr<IUnknown> active;
    QCOMPARE(GetActiveObject(TestClsid, active), REGDB_E_CLASSNOTREG);

    RegisterServer(QStringLiteral("Tessora.Broken"), TestClsid,
        { [](ComPtr<IDispatch>&) -> HRESULT {
             throw EOleError(QStringLiteral("нет программы"), CO_E_APPNOTFOUND);
         },
            [](ComPtr<IDispatch>&) { return MK_E_UNAVAILABLE; }, {} });
    try {
        CreateOleObject(QStringLiteral("Tessora.Broken"));
        QFAIL("no exception");
    } catch (const EOleError& e) {
        QCOMPARE(e.ErrorCode(), CO_E_APPNOTFOUND);
        // The server's own reason is passed on.
        QCOMPARE(e.Message(), QStringLiteral("нет программы"));
    }
    try {
        GetActiveOleObject(QStringLiteral("Nobody.Application"));
        QFAIL("no exception");
    } catch (const EOleError& e) {
        QCOMPARE(e.ErrorCode(), CO_E_CLASSSTRING);
    }
    UnregisterServer(QStringLiteral("Tessora.Broken"));
}

void TestAutomation::connectionPointDeliversEvents()
{
    ComPtr<TestObject> source = MakeDispatch<TestObject>();
    ComPtr<RecordingSink> first = MakeDispatch<RecordingSink>();
    ComPtr<RecordingSink> second = MakeDispatch<RecordingSink>();

    ComPtr<IConnectionPoint> point;
    QCOMPARE(source->FindConnectionPoint(IDispatch::iid, point.put()), CONNECT_E_NOCONNECTION);
    QCOMPARE(source->FindConnectionPoint(TestEventsIid, point.put()), S_OK);
    DWORD firstCookie = 0;
    DWORD secondCookie = 0;
    QCOMPARE(point->Advise(static_cast<IDispatch*>(first.get()), &firstCookie), S_OK);
    QCOMPARE(point->Advise(static_cast<IDispatch*>(second.get()), &secondCookie), S_OK);
    QVERIFY(firstCookie != secondCookie);

    // The first sink leaves during the event; the second still hears it, once.
    first->onEvent = [&] { point->Unadvise(firstCookie); };
    QCOMPARE(source->events->Fire(6, { Variant("doc"), Variant(false) }), S_OK);
    QCOMPARE(source->events->Fire(2), S_OK);
    QCOMPARE(first->received, QStringList { QStringLiteral("6(doc,False)") });
    QCOMPARE(second->received, (QStringList { QStringLiteral("6(doc,False)"), QStringLiteral("2()") }));

    QCOMPARE(point->Unadvise(firstCookie), CONNECT_E_NOCONNECTION);
    QCOMPARE(point->Unadvise(secondCookie), S_OK);
    QCOMPARE(source->events->connectionCount(), 0);
}

void TestAutomation::connectionPointRefusesSinksWithoutEventInterface()
{
    ComPtr<TestObject> source = MakeDispatch<TestObject>();
    ComPtr<RecordingSink> deaf = MakeDispatch<RecordingSink>(false);
    DWORD cookie = 99;
    QCOMPARE(source->events->Advise(static_cast<IDispatch*>(deaf.get()), &cookie), CONNECT_E_CANNOTCONNECT);
    QCOMPARE(cookie, 0u);
    QCOMPARE(source->events->connectionCount(), 0);
}

void TestAutomation::serverModuleLoadsOnFirstRequest_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<bool>("loads");
    QTest::newRow("the word processor's plugin") << QStringLiteral("tessora_word") << true;
    QTest::newRow("a missing plugin") << QStringLiteral("tessora_missing") << false;
}

void TestAutomation::serverModuleLoadsOnFirstRequest()
{
    QFETCH(QString, module);
    QFETCH(bool, loads);
    RegisterServerModule(QStringLiteral("Word.Application"), Word::CLSID_Application, module);
    const auto unregister = qScopeGuard([] { UnregisterServer(QStringLiteral("Word.Application")); });
    ComPtr<IUnknown> running;
    // A loaded server answers: no office of the program runs, or (another program's run) one does.
    const HRESULT hr = GetActiveObject(Word::CLSID_Application, running);
    QCOMPARE(hr == MK_E_UNAVAILABLE || hr == S_OK, loads);
    QCOMPARE(hr == CO_E_SERVER_EXEC_FAILURE, !loads);
}

QTEST_GUILESS_MAIN(TestAutomation)
#include "tst_automation.moc"
