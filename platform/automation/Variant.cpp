#include "platform/automation/Variant.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace Automation {

namespace {

quint64 LateBoundCalls = 0;

constexpr WORD VT_BOOL_BYREF = VT_BYREF | VT_BOOL;

HRESULT numberFromText(const QString& text, double& out)
{
    bool ok = false;
    const QString trimmed = text.trimmed();
    out = trimmed.toDouble(&ok);
    if (!ok)
        out = QLocale().toDouble(trimmed, &ok);
    return ok && std::isfinite(out) ? S_OK : DISP_E_TYPEMISMATCH;
}

QString memberError(const QString& name, const QString& cause)
{
    return QStringLiteral("Ошибка при обращении к «%1»: %2").arg(name, cause);
}

} // namespace

Variant::Variant(bool value)
    : m_vt(VT_BOOL)
    , m_bool(value)
{
}

Variant::Variant(int value)
    : m_vt(VT_I4)
    , m_int(value)
{
}

Variant::Variant(double value)
    : m_vt(VT_R8)
    , m_double(value)
{
}

Variant::Variant(const QString& value)
    : m_vt(VT_BSTR)
    , m_string(value)
{
}

Variant::Variant(const char* utf8)
    : Variant(QString::fromUtf8(utf8))
{
}

Variant::Variant(IDispatch* value)
    : Variant(ComPtr<IDispatch>(value))
{
}

Variant::Variant(const ComPtr<IDispatch>& value)
    : m_vt(value ? VT_DISPATCH : VT_EMPTY)
    , m_dispatch(value)
{
}

Variant Variant::Null()
{
    Variant v;
    v.m_vt = VT_NULL;
    return v;
}

Variant Variant::Error(HRESULT code)
{
    Variant v;
    v.m_vt = VT_ERROR;
    v.m_int = code;
    return v;
}

Variant Variant::Omitted()
{
    return Error(DISP_E_PARAMNOTFOUND);
}

Variant Variant::BoolRef(bool* address)
{
    Variant v;
    v.m_vt = VT_BOOL_BYREF;
    v.m_boolRef = address;
    return v;
}

HRESULT Variant::changeType(VarType target, Variant& out) const
{
    if (target == m_vt) {
        out = *this;
        return S_OK;
    }
    if (m_vt == VT_BOOL_BYREF) {
        if (!m_boolRef)
            return E_POINTER;
        return Variant(*m_boolRef).changeType(target, out);
    }
    switch (target) {
    case VT_BOOL:
        switch (m_vt) {
        case VT_EMPTY:
            out = Variant(false);
            return S_OK;
        case VT_I4:
            out = Variant(m_int != 0);
            return S_OK;
        case VT_R8:
            out = Variant(m_double != 0);
            return S_OK;
        case VT_BSTR: {
            const QString text = m_string.trimmed();
            if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
                out = Variant(true);
                return S_OK;
            }
            if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
                out = Variant(false);
                return S_OK;
            }
            double number = 0;
            const HRESULT hr = numberFromText(m_string, number);
            if (SUCCEEDED(hr))
                out = Variant(number != 0);
            return hr;
        }
        default:
            return DISP_E_TYPEMISMATCH;
        }
    case VT_I4: {
        double number = 0;
        Variant asDouble;
        const HRESULT hr = changeType(VT_R8, asDouble);
        if (FAILED(hr))
            return hr;
        number = std::nearbyint(asDouble.m_double); // round half to even, as automation does
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return DISP_E_OVERFLOW;
        out = Variant(static_cast<int>(number));
        return S_OK;
    }
    case VT_R8:
        switch (m_vt) {
        case VT_EMPTY:
            out = Variant(0.0);
            return S_OK;
        case VT_I4:
            out = Variant(static_cast<double>(m_int));
            return S_OK;
        case VT_BOOL: // automation's true is -1
            out = Variant(m_bool ? -1.0 : 0.0);
            return S_OK;
        case VT_BSTR: {
            double number = 0;
            const HRESULT hr = numberFromText(m_string, number);
            if (SUCCEEDED(hr))
                out = Variant(number);
            return hr;
        }
        default:
            return DISP_E_TYPEMISMATCH;
        }
    case VT_BSTR:
        switch (m_vt) {
        case VT_EMPTY:
            out = Variant(QString());
            return S_OK;
        case VT_I4:
            out = Variant(QString::number(m_int));
            return S_OK;
        case VT_R8:
            out = Variant(QString::number(m_double, 'g', 15));
            return S_OK;
        case VT_BOOL:
            out = Variant(m_bool ? QStringLiteral("True") : QStringLiteral("False"));
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
        }
    case VT_EMPTY:
        out = Variant();
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

namespace {

Variant coerced(const Variant& value, VarType target, const char* targetName)
{
    Variant out;
    const HRESULT hr = value.changeType(target, out);
    if (FAILED(hr)) {
        throw EOleError(QStringLiteral("Значение типа %1 нельзя преобразовать в %2: %3")
                            .arg(value.vt())
                            .arg(QLatin1String(targetName), HResultText(hr)),
            hr);
    }
    return out;
}

} // namespace

bool Variant::toBool() const
{
    return m_vt == VT_BOOL ? m_bool : coerced(*this, VT_BOOL, "bool").m_bool;
}

int Variant::toInt() const
{
    return m_vt == VT_I4 ? m_int : coerced(*this, VT_I4, "integer").m_int;
}

double Variant::toDouble() const
{
    return m_vt == VT_R8 ? m_double : coerced(*this, VT_R8, "double").m_double;
}

QString Variant::toString() const
{
    return m_vt == VT_BSTR ? m_string : coerced(*this, VT_BSTR, "string").m_string;
}

ComPtr<IDispatch> Variant::toDispatch() const
{
    if (m_vt != VT_DISPATCH)
        throw EOleError(QStringLiteral("Значение не является объектом автоматизации"), DISP_E_TYPEMISMATCH);
    return m_dispatch;
}

HRESULT Variant::errorCode() const
{
    return m_vt == VT_ERROR ? m_int : S_OK;
}

bool* Variant::boolRef() const
{
    return m_vt == VT_BOOL_BYREF ? m_boolRef : nullptr;
}

void Variant::set(const QString& name, const Variant& value) const
{
    setIndexed(name, {}, value);
}

void Variant::setIndexed(
    const QString& name, std::initializer_list<Variant> index, const Variant& value) const
{
    ArgList args;
    for (const Variant& v : index)
        args.add(v);
    args.addNamed(DISPID_PROPERTYPUT, value);
    invokeWith(name, DISPATCH_PROPERTYPUT, args, nullptr);
}

quint64 LateBoundCallCount()
{
    return LateBoundCalls;
}

Variant Variant::invoke(const QString& name, WORD flags, const std::vector<Variant>& args) const
{
    ArgList list;
    for (const Variant& v : args)
        list.add(v);
    Variant result;
    invokeWith(name, flags, list, &result);
    return result;
}

void Variant::invokeWith(const QString& name, WORD flags, ArgList& args, Variant* result) const
{
    ++LateBoundCalls;
    if (m_vt != VT_DISPATCH || !m_dispatch) {
        throw EOleError(memberError(name, QStringLiteral("значение не является объектом автоматизации")),
            DISP_E_TYPEMISMATCH);
    }
    // The call may drop this variant's own reference (a Quit handler empties
    // the application variant), so the object is held here until it returns.
    const ComPtr<IDispatch> target = m_dispatch;
    DISPID dispid = DISPID_UNKNOWN;
    HRESULT hr = target->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr)) {
        throw EOleError(QStringLiteral("Объект автоматизации не поддерживает «%1»").arg(name),
            hr == DISP_E_UNKNOWNNAME ? DISP_E_MEMBERNOTFOUND : hr);
    }
    ExcepInfo info;
    UINT argErr = 0;
    hr = target->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &args.params(), result, &info, &argErr);
    if (SUCCEEDED(hr))
        return;
    if (hr == DISP_E_EXCEPTION) {
        const HRESULT code = FAILED(info.scode) ? info.scode : hr;
        const QString cause = info.Description.isEmpty() ? HResultText(code) : info.Description;
        throw EOleError(memberError(name, cause), code);
    }
    QString cause = HResultText(hr);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)
        cause += QStringLiteral(" (аргумент %1)")
                     .arg(static_cast<int>(args.params().cArgs) - static_cast<int>(argErr));
    throw EOleError(memberError(name, cause), hr);
}

bool operator==(const Variant& a, const Variant& b)
{
    if (a.m_vt != b.m_vt)
        return false;
    switch (a.m_vt) {
    case VT_BOOL:
        return a.m_bool == b.m_bool;
    case VT_I4:
    case VT_ERROR:
        return a.m_int == b.m_int;
    case VT_R8:
        return a.m_double == b.m_double;
    case VT_BSTR:
        return a.m_string == b.m_string;
    case VT_DISPATCH:
        return a.m_dispatch == b.m_dispatch;
    case VT_BOOL_BYREF:
        return a.m_boolRef == b.m_boolRef;
    default:
        return true;
    }
}

ArgList::ArgList(std::initializer_list<Variant> positional)
    : m_positional(positional)
{
}

ArgList& ArgList::add(const Variant& value)
{
    m_positional.push_back(value);
    return *this;
}

ArgList& ArgList::addNamed(DISPID dispid, const Variant& value)
{
    m_named.push_back(value);
    m_namedIds.push_back(dispid);
    return *this;
}

DispParams& ArgList::params()
{
    m_args = m_named;
    m_args.insert(m_args.end(), m_positional.rbegin(), m_positional.rend());
    m_ids = m_namedIds;
    m_params.rgvarg = m_args.empty() ? nullptr : m_args.data();
    m_params.rgdispidNamedArgs = m_ids.empty() ? nullptr : m_ids.data();
    m_params.cArgs = static_cast<UINT>(m_args.size());
    m_params.cNamedArgs = static_cast<UINT>(m_ids.size());
    return m_params;
}

} // namespace Automation
