#include "report/SinkObject.h"

#include "platform/automation/OleError.h"

using namespace Automation;

namespace {

EOleError ConnectFailure(const QString& sinkClass, const QString& cause, HRESULT code)
{
    return EOleError(QStringLiteral("Unable to connect %1.\r%2").arg(sinkClass, cause), code);
}

} // namespace

TBaseSink::TBaseSink(const IID& eventIid)
    : EventIID(eventIid)
{
}

TBaseSink::~TBaseSink()
{
    Disconnect();
}

HRESULT TBaseSink::QueryInterface(REFIID iid, void** obj)
{
    if (!obj)
        return E_POINTER;
    *obj = nullptr;
    // The source asks for its event interface; the sink answers it with IDispatch.
    if (iid == IUnknown::iid || iid == IDispatch::iid || iid == EventIID) {
        *obj = static_cast<IDispatch*>(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT TBaseSink::GetIDsOfNames(REFIID, const QString*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT TBaseSink::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TBaseSink::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return E_NOTIMPL;
}

HRESULT TBaseSink::Invoke(DISPID dispId, REFIID iid, LCID locale, WORD flags, DispParams* params,
    Variant* result, ExcepInfo* excepInfo, UINT* argErr)
{
    if ((flags & DISPATCH_METHOD) == 0) {
        throw EOleError(QStringLiteral("%1 only supports sinking of method calls!").arg(ClassName()),
            DISP_E_MEMBERNOTFOUND);
    }
    DispParams none;
    DispParams& args = params ? *params : none;
    if (args.cArgs > 0 && !args.rgvarg)
        return E_POINTER;
    if (args.cNamedArgs > args.cArgs || (args.cNamedArgs > 0 && !args.rgdispidNamedArgs))
        return E_INVALIDARG;
    const std::int32_t count = static_cast<std::int32_t>(args.cArgs);
    TArgPositions ArgPositions(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        ArgPositions[static_cast<std::size_t>(i)] = count - 1 - i;
    for (UINT j = 0; j < args.cNamedArgs; ++j) {
        const DISPID position = args.rgdispidNamedArgs[j];
        // A named argument must name a parameter of this call.
        if (position < 0 || position >= count)
            return DISP_E_PARAMNOTFOUND;
        ArgPositions[static_cast<std::size_t>(position)] = static_cast<std::int32_t>(j);
    }
    return DoInvoke(dispId, iid, locale, flags, args, ArgPositions, result, excepInfo, argErr);
}

const Variant* TBaseSink::Argument(const DispParams& params, const TArgPositions& ArgPositions, std::size_t k)
{
    if (k >= ArgPositions.size())
        return nullptr;
    return &params.rgvarg[ArgPositions[k]];
}

void TBaseSink::Connect(IUnknown* source)
{
    Disconnect();
    try {
        if (!source)
            OleCheck(E_POINTER);
        ComPtr<IConnectionPointContainer> container;
        OleCheck(source->QueryInterface(IConnectionPointContainer::iid, container.putVoid()));
        ComPtr<IConnectionPoint> point;
        OleCheck(container->FindConnectionPoint(EventIID, point.put()));
        DWORD cookie = 0;
        OleCheck(point->Advise(static_cast<IDispatch*>(this), &cookie));
        ConnectionPoint = point;
        Cookie = cookie;
        Source = ComPtr<IUnknown>(source);
    } catch (const EOleError& e) {
        throw ConnectFailure(ClassName(), e.Message(), e.ErrorCode());
    } catch (const std::exception& e) {
        throw ConnectFailure(ClassName(), QString::fromUtf8(e.what()), E_FAIL);
    }
}

void TBaseSink::Connect(const Variant& source)
{
    ComPtr<IDispatch> dispatch;
    try {
        dispatch = source.toDispatch();
    } catch (const EOleError& e) {
        throw ConnectFailure(ClassName(), e.Message(), e.ErrorCode());
    }
    Connect(static_cast<IUnknown*>(dispatch.get()));
}

void TBaseSink::Disconnect()
{
    if (!Source)
        return;
    try {
        if (ConnectionPoint)
            ConnectionPoint->Unadvise(Cookie);
    } catch (...) {
        // A source that is gone cannot be told; the sink forgets it all the same.
    }
    Cookie = 0;
    ConnectionPoint.reset();
    Source.reset();
}
