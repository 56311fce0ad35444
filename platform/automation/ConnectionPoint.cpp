#include "platform/automation/ConnectionPoint.h"

#include <exception>

namespace Automation {

ComPtr<ConnectionPoint> ConnectionPoint::Create(const IID& eventIid, IConnectionPointContainer* container)
{
    return ComPtr<ConnectionPoint>(new ConnectionPoint(eventIid, container));
}

ConnectionPoint::ConnectionPoint(const IID& eventIid, IConnectionPointContainer* container)
    : m_iid(eventIid)
    , m_container(container)
{
}

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IUnknown::iid && riid != IConnectionPoint::iid)
        return E_NOINTERFACE;
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

ULONG ConnectionPoint::AddRef()
{
    return ++m_refCount;
}

ULONG ConnectionPoint::Release()
{
    const ULONG count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* pIID)
{
    if (!pIID)
        return E_POINTER;
    *pIID = m_iid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (!ppCPC)
        return E_POINTER;
    *ppCPC = m_container;
    if (!m_container)
        return E_UNEXPECTED;
    m_container->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (!pUnkSink || !pdwCookie)
        return E_POINTER;
    *pdwCookie = 0;
    // The sink answers for the event interface with the dispatch interface
    // through which the events are raised.
    ComPtr<IDispatch> sink;
    if (FAILED(pUnkSink->QueryInterface(m_iid, sink.putVoid())) || !sink)
        return CONNECT_E_CANNOTCONNECT;
    const DWORD cookie = m_nextCookie++;
    m_sinks.emplace(cookie, sink);
    *pdwCookie = cookie;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD dwCookie)
{
    return m_sinks.erase(dwCookie) == 1 ? S_OK : CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::Fire(DISPID dispid, std::initializer_list<Variant> args)
{
    ArgList list(args);
    return Fire(dispid, list);
}

HRESULT ConnectionPoint::Fire(DISPID dispid, ArgList& args)
{
    // Keep this point and the sinks alive while handlers run: a handler may
    // unadvise, close the document that owns the point, or quit.
    ComPtr<ConnectionPoint> self(this);
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks(m_sinks.begin(), m_sinks.end());
    HRESULT firstFailure = S_OK;
    std::exception_ptr firstException;
    for (const auto& [cookie, sink] : sinks) {
        if (m_sinks.find(cookie) == m_sinks.end())
            continue; // unadvised by an earlier handler
        try {
            const HRESULT hr = sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                &args.params(), nullptr, nullptr, nullptr);
            if (FAILED(hr) && SUCCEEDED(firstFailure))
                firstFailure = hr;
        } catch (...) {
            if (!firstException)
                firstException = std::current_exception();
        }
    }
    if (firstException)
        std::rethrow_exception(firstException);
    return firstFailure;
}

} // namespace Automation
