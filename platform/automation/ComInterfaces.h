#pragma once

#include "platform/automation/ComPtr.h"
#include "platform/automation/Guid.h"
#include "platform/automation/HResult.h"

#include <QString>

// The COM interfaces the automation layer speaks, as abstract C++ classes
// with the member order and meaning of their Windows originals.
namespace Automation {

class Variant;
struct DispParams;
struct ExcepInfo;

inline constexpr WORD DISPATCH_METHOD = 1;
inline constexpr WORD DISPATCH_PROPERTYGET = 2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 8;

inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;

inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

struct IUnknown {
    static constexpr IID iid = Guid::parse("{00000000-0000-0000-C000-000000000046}");
    // Clears *ppv and answers S_OK with an added reference, or E_NOINTERFACE.
    virtual HRESULT QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

// Type information is never offered; the interface exists so that
// GetTypeInfo keeps its shape.
struct ITypeInfo : IUnknown {
    static constexpr IID iid = Guid::parse("{00020401-0000-0000-C000-000000000046}");
};

struct IDispatch : IUnknown {
    static constexpr IID iid = Guid::parse("{00020400-0000-0000-C000-000000000046}");
    virtual HRESULT GetTypeInfoCount(UINT* pctinfo) = 0;
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
    // Member names are matched without regard to case, as automation does.
    virtual HRESULT GetIDsOfNames(
        REFIID riid, const QString* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId)
        = 0;
    // wFlags: DISPATCH_METHOD, _PROPERTYGET (often together with METHOD), _PROPERTYPUT.
    // pDispParams holds the arguments in automation order (see DispParams).
    // On DISP_E_EXCEPTION the server has filled *pExcepInfo when given one.
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DispParams* pDispParams,
        Variant* pVarResult, ExcepInfo* pExcepInfo, UINT* puArgErr)
        = 0;
};

struct IConnectionPointContainer;

struct IConnectionPoint : IUnknown {
    static constexpr IID iid = Guid::parse("{B196B286-BAB4-101A-B69C-00AA00341D07}");
    virtual HRESULT GetConnectionInterface(IID* pIID) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) = 0;
    // Asks the sink for the event interface; CONNECT_E_CANNOTCONNECT if it has none.
    virtual HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) = 0;
    // CONNECT_E_NOCONNECTION for a cookie that is not (or no longer) advised.
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
};

struct IConnectionPointContainer : IUnknown {
    static constexpr IID iid = Guid::parse("{B196B284-BAB4-101A-B69C-00AA00341D07}");
    // CONNECT_E_NOCONNECTION when the object raises no events of that interface.
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) = 0;
};

} // namespace Automation
