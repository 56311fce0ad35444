#include "platform/automation/OleServer.h"

#include "platform/automation/OleError.h"
#include "platform/files/Plugins.h"

#include <QDebug>
#include <QHash>
#include <mutex>

namespace Automation {

namespace {

struct ServerEntry {
    QString progId;
    CLSID clsid;
    ClassFactory factory;
    QString module; // a plugin that supplies the factory when first asked
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

// The factory of a server kept in a plugin; empty when the plugin cannot
// be loaded or does not serve the identifier.
ClassFactory loadFactory(const QString& progId, const QString& module)
{
    QString problem;
    auto* server = LoadPlugin<IServerModule>(module, &problem);
    if (!server) {
        qWarning().noquote() << QStringLiteral("«%1»: %2").arg(progId, problem);
        return {};
    }
    return server->classFactory(progId);
}

// A class registered from a plugin that is not loaded yet has an entry
// without factory: the plugin is loaded now, once.
bool findByClsid(REFCLSID clsid, ClassFactory& factory, bool& fromModule)
{
    static std::mutex loading;
    std::lock_guard loadLock(loading);
    ServerTable& table = servers();
    std::unique_lock lock(table.mutex);
    for (auto it = table.byProgId.begin(); it != table.byProgId.end(); ++it) {
        if (it->clsid != clsid)
            continue;
        fromModule = !it->module.isEmpty();
        if (!it->factory.create && fromModule) {
            const ServerEntry entry = *it;
            lock.unlock();
            ClassFactory loaded = loadFactory(entry.progId, entry.module);
            lock.lock();
            const auto again = table.byProgId.find(entry.progId.toLower());
            if (again == table.byProgId.end())
                return false;
            again->factory = std::move(loaded);
            factory = again->factory;
            return true;
        }
        factory = it->factory;
        return true;
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
    table.byProgId.insert(progId.toLower(), ServerEntry { progId, clsid, std::move(factory), {} });
}

void RegisterServerModule(const QString& progId, const CLSID& clsid, const QString& module)
{
    ServerTable& table = servers();
    std::lock_guard lock(table.mutex);
    table.byProgId.insert(progId.toLower(), ServerEntry { progId, clsid, {}, module });
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
    bool fromModule = false;
    if (!findByClsid(clsid, factory, fromModule))
        return REGDB_E_CLASSNOTREG;
    if (!factory.getActive)
        return fromModule ? CO_E_SERVER_EXEC_FAILURE : REGDB_E_CLASSNOTREG;
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
    bool fromModule = false;
    if (!findByClsid(clsid, factory, fromModule))
        return REGDB_E_CLASSNOTREG;
    if (!factory.create)
        return fromModule ? CO_E_SERVER_EXEC_FAILURE : REGDB_E_CLASSNOTREG;
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
    bool fromModule = false;
    if (FAILED(CLSIDFromProgID(progId, &clsid)) || !findByClsid(clsid, factory, fromModule) || !factory.prepare)
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
