#pragma once

#include "platform/automation/ComInterfaces.h"
#include "platform/automation/Variant.h"

#include <atomic>
#include <map>
#include <vector>

namespace Automation {

// A server's connection point for one event interface: keeps the advised
// sinks and raises an event on each of them. Owned by its container, which
// detaches itself before it goes.
class ConnectionPoint final : public IConnectionPoint {
public:
    static ComPtr<ConnectionPoint> Create(const IID& eventIid, IConnectionPointContainer* container);

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetConnectionInterface(IID* pIID) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    HRESULT Unadvise(DWORD dwCookie) override;

    const IID& eventIid() const { return m_iid; }
    int connectionCount() const { return static_cast<int>(m_sinks.size()); }
    void detachContainer() { m_container = nullptr; }

    // Calls Invoke(dispid, DISPATCH_METHOD) on every sink advised when the
    // event starts, with positional arguments in natural order. A sink may
    // unadvise during the event. Returns the first failing result of a sink;
    // an exception thrown by a sink is rethrown after all sinks have run.
    HRESULT Fire(DISPID dispid, std::initializer_list<Variant> args = {});
    HRESULT Fire(DISPID dispid, ArgList& args);

private:
    ConnectionPoint(const IID& eventIid, IConnectionPointContainer* container);
    ~ConnectionPoint() = default;

    IID m_iid;
    IConnectionPointContainer* m_container;
    std::map<DWORD, ComPtr<IDispatch>> m_sinks;
    DWORD m_nextCookie = 1;
    std::atomic<ULONG> m_refCount { 0 };
};

} // namespace Automation
