#pragma once

#include "platform/automation/HResult.h"

#include <utility>

namespace Automation {

// Holds one reference of a reference-counted interface: AddRef on copy,
// Release when dropped. T needs AddRef, Release and QueryInterface.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) { }
    // Takes a new reference on p.
    ComPtr(T* p)
        : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other)
        : ComPtr(other.m_p)
    {
    }
    ComPtr(ComPtr&& other) noexcept
        : m_p(std::exchange(other.m_p, nullptr))
    {
    }
    template <class U>
    ComPtr(const ComPtr<U>& other)
        : ComPtr(static_cast<T*>(other.get()))
    {
    }
    ~ComPtr() { reset(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Gives up the held reference without releasing it.
    T* detach() { return std::exchange(m_p, nullptr); }

    void reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Releases the held reference and returns the slot for an out parameter.
    T** put()
    {
        reset();
        return &m_p;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // QueryInterface for U (which names its identifier as U::iid).
    template <class U> HRESULT query(ComPtr<U>& out) const
    {
        out.reset();
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(U::iid, out.putVoid());
    }
    template <class U> ComPtr<U> as() const
    {
        ComPtr<U> out;
        query(out);
        return out;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.m_p == b.m_p; }

private:
    T* m_p = nullptr;
};

} // namespace Automation
