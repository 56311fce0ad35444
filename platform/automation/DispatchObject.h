#pragma once

#include "platform/automation/ComInterfaces.h"
#include "platform/automation/ConnectionPoint.h"
#include "platform/automation/Variant.h"

#include <QString>
#include <atomic>
#include <functional>
#include <vector>

namespace Automation {

// The arguments of one late-bound call as a server member sees them:
// positional, first argument first.
class Args {
public:
    Args() = default;
    explicit Args(std::vector<Variant> values)
        : m_values(std::move(values))
    {
    }
    int count() const { return static_cast<int>(m_values.size()); }
    // An empty variant for an argument not given.
    const Variant& operator[](int i) const;
    // True when the argument was not given, is empty or is the omitted marker.
    bool isMissing(int i) const { return operator[](i).isMissing(); }
    // The argument, or EOleError (DISP_E_PARAMNOTOPTIONAL) naming its position.
    const Variant& required(int i) const;

private:
    std::vector<Variant> m_values;
};

// Base of the objects a server hands out: members are registered by name,
// found case-insensitively, and called with positional arguments. A member
// reports failure by throwing EOleError (or any std::exception); Invoke turns
// it into DISP_E_EXCEPTION with the message in ExcepInfo. Objects that raise
// events add a connection point per event interface and then also answer
// IConnectionPointContainer.
class DispatchObject : public IDispatch, public IConnectionPointContainer {
public:
    using Getter = std::function<Variant(const Args& args)>;
    using Setter = std::function<void(const Args& index, const Variant& value)>;

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT GetIDsOfNames(
        REFIID riid, const QString* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DispParams* pDispParams,
        Variant* pVarResult, ExcepInfo* pExcepInfo, UINT* puArgErr) override;

    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    const QString& className() const { return m_className; }
    // This object as a dispatch variant (one more reference).
    Variant asVariant() { return Variant(static_cast<IDispatch*>(this)); }

protected:
    explicit DispatchObject(const QString& className);
    virtual ~DispatchObject();

    // A method, or a property with a getter and optionally a setter. The
    // getter answers both method calls and property gets.
    void addMember(const QString& name, Getter get, Setter put = {});
    void addProperty(
        const QString& name, std::function<Variant()> get, std::function<void(const Variant&)> put = {});
    ComPtr<ConnectionPoint> addConnectionPoint(const IID& eventIid);

    // Extra interfaces of a derived object; E_NOINTERFACE by default.
    virtual HRESULT queryOtherInterface(REFIID riid, void** ppv);

private:
    struct Member {
        QString name;
        Getter get;
        Setter put;
    };
    QString m_className;
    std::vector<Member> m_members; // dispid = index + 1
    std::vector<ComPtr<ConnectionPoint>> m_points;
    std::atomic<ULONG> m_refCount { 0 };
};

// Creates a server object and hands out its first reference.
template <class T, class... A> ComPtr<T> MakeDispatch(A&&... args)
{
    return ComPtr<T>(new T(std::forward<A>(args)...));
}

} // namespace Automation
