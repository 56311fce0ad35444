#pragma once

#include "platform/automation/ComInterfaces.h"
#include "platform/automation/OleError.h"

#include <QString>
#include <initializer_list>
#include <vector>

namespace Automation {

class ArgList;

enum VarType : WORD {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_BYREF = 0x4000,
};

// An automation value: empty, null, error (the omitted-argument marker is the
// error DISP_E_PARAMNOTFOUND), bool, 32-bit integer, double, string, a
// dispatch reference, or a by-reference bool (the address of the caller's
// flag, for event arguments such as Cancel).
//
// A variant that holds a dispatch reference is also the late-bound handle of
// that object: WordApp.get("Documents").call("Add", OmittedArg). Every
// late-bound call throws EOleError naming the member when the member is
// unknown or the call fails.
class Variant {
public:
    Variant() = default;
    Variant(bool value);
    Variant(int value);
    Variant(double value);
    Variant(const QString& value);
    Variant(const char* utf8);
    Variant(IDispatch* value);
    Variant(const ComPtr<IDispatch>& value);

    static Variant Null();
    static Variant Error(HRESULT code);
    // The marker of an omitted optional argument.
    static Variant Omitted();
    static Variant BoolRef(bool* address);

    WORD vt() const { return m_vt; }
    bool isEmpty() const { return m_vt == VT_EMPTY; }
    bool isNull() const { return m_vt == VT_NULL; }
    bool isOmitted() const { return m_vt == VT_ERROR && m_int == DISP_E_PARAMNOTFOUND; }
    bool isDispatch() const { return m_vt == VT_DISPATCH; }
    // Empty and omitted both mean "not given" to a server.
    bool isMissing() const { return isEmpty() || isOmitted(); }

    // Conversions as automation coerces values (a number from its text, a bool
    // from a number, text from a number); they throw EOleError with
    // DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW when the value does not convert.
    bool toBool() const;
    int toInt() const;
    double toDouble() const;
    QString toString() const;
    // The held reference; throws for a value that is not a dispatch reference.
    ComPtr<IDispatch> toDispatch() const;
    HRESULT errorCode() const;
    // The address of a by-reference bool; nullptr for any other kind.
    bool* boolRef() const;

    // Non-throwing coercion: S_OK and out set, or the failure code.
    HRESULT changeType(VarType target, Variant& out) const;

    void clear() { *this = Variant(); }

    // Late binding. get and call both invoke as method-or-property-get (as
    // automation clients do); set is a property put, setIndexed a put with
    // index arguments (e.g. Options.DefaultFilePath(0) := path).
    template <class... Args> Variant get(const QString& name, const Args&... args) const
    {
        return invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, { Variant(args)... });
    }
    template <class... Args> Variant call(const QString& name, const Args&... args) const
    {
        return invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, { Variant(args)... });
    }
    void set(const QString& name, const Variant& value) const;
    void setIndexed(const QString& name, std::initializer_list<Variant> index, const Variant& value) const;

    // Positional arguments in natural order (first argument first).
    Variant invoke(const QString& name, WORD flags, const std::vector<Variant>& args) const;

    // Same kind and value; dispatch references compare by identity.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    void invokeWith(const QString& name, WORD flags, ArgList& args, Variant* result) const;

    WORD m_vt = VT_EMPTY;
    bool m_bool = false;
    int m_int = 0; // VT_I4 value or VT_ERROR code
    double m_double = 0;
    QString m_string;
    ComPtr<IDispatch> m_dispatch;
    bool* m_boolRef = nullptr;
};

// Late-bound calls made through Variant since the program started, for
// measuring what a piece of automation costs.
quint64 LateBoundCallCount();

// Filled by a server that answers DISP_E_EXCEPTION.
struct ExcepInfo {
    QString Source;
    QString Description;
    HRESULT scode = S_OK;
};

// Arguments of IDispatch::Invoke as automation lays them out: rgvarg holds
// the named arguments first (rgvarg[j] goes with rgdispidNamedArgs[j]), then
// the positional ones in reverse order (the last argument at the lowest index).
// A property put passes its value as the named argument DISPID_PROPERTYPUT.
struct DispParams {
    Variant* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

// Owns the values behind a DispParams, built in natural order.
class ArgList {
public:
    ArgList() = default;
    ArgList(std::initializer_list<Variant> positional);
    ArgList(const ArgList&) = delete;
    ArgList& operator=(const ArgList&) = delete;

    ArgList& add(const Variant& value);
    ArgList& addNamed(DISPID dispid, const Variant& value);
    // Points into this list; valid until the list changes or goes.
    DispParams& params();

private:
    std::vector<Variant> m_positional;
    std::vector<Variant> m_named;
    std::vector<DISPID> m_namedIds;
    std::vector<Variant> m_args;
    std::vector<DISPID> m_ids;
    DispParams m_params;
};

} // namespace Automation
