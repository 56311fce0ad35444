#pragma once

#include "platform/automation/ComInterfaces.h"
#include "platform/automation/Variant.h"

#include <QString>
#include <cstdint>
#include <vector>

// A connection-point sink for one event dispinterface of an automation
// source. Sinks live as long as the report unit and are deleted explicitly,
// so they keep no reference count.
class TBaseSink : public Automation::IDispatch {
public:
    TBaseSink(const TBaseSink&) = delete;
    TBaseSink& operator=(const TBaseSink&) = delete;
    virtual ~TBaseSink();

    Automation::HRESULT QueryInterface(Automation::REFIID iid, void** obj) override;
    Automation::ULONG AddRef() override { return 2; }
    Automation::ULONG Release() override { return 1; }

    Automation::HRESULT GetIDsOfNames(Automation::REFIID riid, const QString* names, Automation::UINT count,
        Automation::LCID locale, Automation::DISPID* dispIds) override;
    Automation::HRESULT GetTypeInfo(
        Automation::UINT index, Automation::LCID locale, Automation::ITypeInfo** info) override;
    Automation::HRESULT GetTypeInfoCount(Automation::UINT* count) override;
    // Passes method calls to DoInvoke; throws EOleError for property gets and puts.
    Automation::HRESULT Invoke(Automation::DISPID dispId, Automation::REFIID iid, Automation::LCID locale,
        Automation::WORD flags, Automation::DispParams* params, Automation::Variant* result,
        Automation::ExcepInfo* excepInfo, Automation::UINT* argErr) override;

    // Advises the source's connection point for EventIID; throws EOleError
    // "Unable to connect <class>.\r<cause>" on failure.
    void Connect(Automation::IUnknown* source);
    void Connect(const Automation::Variant& source);
    // Unadvises if connected; failures are ignored.
    void Disconnect();

    bool IsConnected() const { return Source.get() != nullptr; }
    virtual QString ClassName() const = 0;

    // Where argument k of an event sits in the parameters' argument array.
    using TArgPositions = std::vector<std::int32_t>;

protected:
    explicit TBaseSink(const Automation::IID& eventIid);

    // Decodes one event; ArgPositions[k] is the index in params.rgvarg of argument k.
    virtual Automation::HRESULT DoInvoke(Automation::DISPID dispId, Automation::REFIID iid,
        Automation::LCID locale, Automation::WORD flags, Automation::DispParams& params,
        const TArgPositions& ArgPositions, Automation::Variant* result, Automation::ExcepInfo* excepInfo,
        Automation::UINT* argErr)
        = 0;

    // Argument k of an event; nullptr when the event has fewer arguments.
    static const Automation::Variant* Argument(
        const Automation::DispParams& params, const TArgPositions& ArgPositions, std::size_t k);

    Automation::DWORD Cookie = 0;
    Automation::ComPtr<Automation::IConnectionPoint> ConnectionPoint;
    Automation::IID EventIID;
    Automation::ComPtr<Automation::IUnknown> Source;
};
