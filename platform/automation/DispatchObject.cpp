#include "platform/automation/DispatchObject.h"

namespace Automation {

namespace {

const Variant& missingArgument()
{
    static const Variant empty;
    return empty;
}

// The positional arguments of a call in natural order; named arguments other
// than the value of a property put are not understood by these servers.
HRESULT positionalArgs(const DispParams* params, std::vector<Variant>& out, Variant* putValue)
{
    out.clear();
    if (!params)
        return S_OK;
    if (params->cArgs > 0 && !params->rgvarg)
        return E_POINTER;
    UINT named = params->cNamedArgs;
    if (named > params->cArgs)
        return E_INVALIDARG;
    for (UINT j = 0; j < named; ++j) {
        if (!params->rgdispidNamedArgs || params->rgdispidNamedArgs[j] != DISPID_PROPERTYPUT || !putValue)
            return DISP_E_NONAMEDARGS;
        *putValue = params->rgvarg[j];
    }
    for (UINT i = params->cArgs; i > named; --i)
        out.push_back(params->rgvarg[i - 1]);
    return S_OK;
}

} // namespace

const Variant& Args::operator[](int i) const
{
    if (i < 0 || i >= count())
        return missingArgument();
    return m_values[static_cast<std::size_t>(i)];
}

const Variant& Args::required(int i) const
{
    const Variant& value = operator[](i);
    if (value.isMissing())
        throw EOleError(
            QStringLiteral("Не задан обязательный аргумент %1").arg(i + 1), DISP_E_PARAMNOTOPTIONAL);
    return value;
}

DispatchObject::DispatchObject(const QString& className)
    : m_className(className)
{
}

DispatchObject::~DispatchObject()
{
    for (const ComPtr<ConnectionPoint>& point : m_points)
        point->detachContainer();
}

HRESULT DispatchObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IUnknown::iid || riid == IDispatch::iid)
        *ppv = static_cast<IDispatch*>(this);
    else if (riid == IConnectionPointContainer::iid && !m_points.empty())
        *ppv = static_cast<IConnectionPointContainer*>(this);
    else
        return queryOtherInterface(riid, ppv);
    AddRef();
    return S_OK;
}

ULONG DispatchObject::AddRef()
{
    return ++m_refCount;
}

ULONG DispatchObject::Release()
{
    const ULONG count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, const QString* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (cNames == 0)
        return S_OK;
    if (!rgszNames || !rgDispId)
        return E_POINTER;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    // Only member names are known; names of parameters are not.
    for (std::size_t m = 0; m < m_members.size(); ++m) {
        if (m_members[m].name.compare(rgszNames[0], Qt::CaseInsensitive) == 0) {
            rgDispId[0] = static_cast<DISPID>(m + 1);
            return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchObject::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DispParams* pDispParams,
    Variant* pVarResult, ExcepInfo* pExcepInfo, UINT* puArgErr)
{
    if (puArgErr)
        *puArgErr = 0;
    if (dispIdMember < 1 || static_cast<std::size_t>(dispIdMember) > m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    const Member member = m_members[static_cast<std::size_t>(dispIdMember - 1)];
    const bool isPut = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    std::vector<Variant> positional;
    Variant putValue;
    HRESULT hr = positionalArgs(pDispParams, positional, isPut ? &putValue : nullptr);
    if (FAILED(hr))
        return hr;
    if (isPut ? !member.put : (!member.get || (wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0))
        return DISP_E_MEMBERNOTFOUND;
    if (isPut && (!pDispParams || pDispParams->cNamedArgs != 1))
        return DISP_E_PARAMNOTOPTIONAL;
    // Hold this object while the member runs: it may drop the last outside reference.
    ComPtr<IDispatch> self(static_cast<IDispatch*>(this));
    try {
        const Args args(std::move(positional));
        if (isPut) {
            member.put(args, putValue);
        } else {
            Variant result = member.get(args);
            if (pVarResult)
                *pVarResult = std::move(result);
        }
        return S_OK;
    } catch (const EOleError& e) {
        if (pExcepInfo)
            *pExcepInfo
                = ExcepInfo { m_className, e.Message(), FAILED(e.ErrorCode()) ? e.ErrorCode() : E_FAIL };
    } catch (const std::exception& e) {
        if (pExcepInfo)
            *pExcepInfo = ExcepInfo { m_className, QString::fromUtf8(e.what()), E_FAIL };
    }
    return DISP_E_EXCEPTION;
}

HRESULT DispatchObject::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (!ppCP)
        return E_POINTER;
    *ppCP = nullptr;
    for (const ComPtr<ConnectionPoint>& point : m_points) {
        if (point->eventIid() == riid) {
            *ppCP = point.get();
            point->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void DispatchObject::addMember(const QString& name, Getter get, Setter put)
{
    m_members.push_back(Member { name, std::move(get), std::move(put) });
}

void DispatchObject::addProperty(
    const QString& name, std::function<Variant()> get, std::function<void(const Variant&)> put)
{
    Getter getter;
    if (get)
        getter = [get = std::move(get)](const Args&) { return get(); };
    Setter setter;
    if (put)
        setter = [put = std::move(put)](const Args&, const Variant& value) { put(value); };
    addMember(name, std::move(getter), std::move(setter));
}

ComPtr<ConnectionPoint> DispatchObject::addConnectionPoint(const IID& eventIid)
{
    ComPtr<ConnectionPoint> point = ConnectionPoint::Create(eventIid, this);
    m_points.push_back(point);
    return point;
}

HRESULT DispatchObject::queryOtherInterface(REFIID, void**)
{
    return E_NOINTERFACE;
}

} // namespace Automation
