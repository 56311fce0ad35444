#include "platform/automation/OleServer.h"

#include "platform/automation/OleError.h"

#include <QHash>
#include <mutex>

namespace Automation {

namespace {

struct ServerEntry {
    QString progId;
    CLSID clsid;
    ClassFactory factory;
};

struct ServerTable {
    std::mutex mutex;
    QHash<QString, ServerEntry> byProgId; // keyed by lower-case ProgID
};

ServerTable& servers()
{
    static ServerTable table;
    return table;
}

bool findByClsid(REFCLSID clsid, ClassFactory& factory)
{
    ServerTable& table = servers();
    std::lock_guard lock(table.mutex);
    for (const ServerEntry& entry : std::as_const(table.byProgId)) {
        if (entry.clsid == clsid) {
            factory = entry.factory;
            return true;
        }
    }
    return false;
}

// The reason the server gave for the last failure on this thread (COM keeps
// it as the thread's error info).
thread_local QString t_lastReason;

// A server's answer; a failure it throws gives its code, or fallback.
HRESULT callFactory(
    const std::function<HRESULT(ComPtr<IDispatch>&)>& call, ComPtr<IDispatch>& out, HRESULT fallback)
{
    t_lastReason.clear();
    try {
        return call(out);
    } catch (const EOleError& e) {
        t_lastReason = e.Message();
        return FAILED(e.ErrorCode()) ? e.ErrorCode() : fallback;
    } catch (const std::exception&) {
        return fallback;
    }
}

ComPtr<IDispatch> oleObject(const QString& progId, bool active)
{
    t_lastReason.clear();
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        throw EOleError(QStringLiteral("«%1»: %2").arg(progId, HResultText(hr)), hr);
    ComPtr<IDispatch> object;
    if (active) {
        ComPtr<IUnknown> unknown;
        hr = GetActiveObject(clsid, unknown);
        if (SUCCEEDED(hr))
            hr = unknown.query(object);
    } else {
        hr = CoCreateInstance(clsid, object);
    }
    if (SUCCEEDED(hr) && !object)
        hr = E_NOINTERFACE;
    if (FAILED(hr))
        throw EOleError(t_lastReason.isEmpty() ? QStringLiteral("«%1»: %2").arg(progId, HResultText(hr))
                                               : std::exchange(t_lastReason, {}),
            hr);
    return object;
}

} // namespace

void RegisterServer(const QString& progId, const CLSID& clsid, ClassFactory factory)
{
    ServerTable& table = servers();
    std::lock_guard lock(table.mutex);
    table.byProgId.insert(progId.toLower(), ServerEntry { progId, clsid, std::move(factory) });
}

void UnregisterServer(const QString& progId)
{
    ServerTable& table = servers();
    std::lock_guard lock(table.mutex);
    table.byProgId.remove(progId.toLower());
}

HRESULT CLSIDFromProgID(const QString& progId, CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    ServerTable& table = servers();
    std::lock_guard lock(table.mutex);
    const auto it = table.byProgId.constFind(progId.toLower());
    if (it == table.byProgId.constEnd()) {
        *clsid = CLSID {};
        return CO_E_CLASSSTRING;
    }
    *clsid = it->clsid;
    return S_OK;
}

HRESULT GetActiveObject(REFCLSID clsid, ComPtr<IUnknown>& out)
{
    out.reset();
    ClassFactory factory;
    if (!findByClsid(clsid, factory) || !factory.getActive)
        return REGDB_E_CLASSNOTREG;
    ComPtr<IDispatch> object;
    if (const HRESULT hr = callFactory(factory.getActive, object, E_FAIL); FAILED(hr))
        return hr;
    if (!object)
        return MK_E_UNAVAILABLE;
    out = ComPtr<IUnknown>(static_cast<IUnknown*>(object.get()));
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID clsid, ComPtr<IDispatch>& out)
{
    out.reset();
    ClassFactory factory;
    if (!findByClsid(clsid, factory) || !factory.create)
        return REGDB_E_CLASSNOTREG;
    if (const HRESULT hr = callFactory(factory.create, out, CO_E_SERVER_EXEC_FAILURE); FAILED(hr)) {
        out.reset();
        return hr;
    }
    return out ? S_OK : E_NOINTERFACE;
}

void PrepareOleObject(const QString& progId)
{
    CLSID clsid;
    ClassFactory factory;
    if (FAILED(CLSIDFromProgID(progId, &clsid)) || !findByClsid(clsid, factory) || !factory.prepare)
        return;
    try {
        factory.prepare();
    } catch (const std::exception&) {
    }
}

ComPtr<IDispatch> CreateOleObject(const QString& progId)
{
    return oleObject(progId, false);
}

ComPtr<IDispatch> GetActiveOleObject(const QString& progId)
{
    return oleObject(progId, true);
}

} // namespace Automation
