// Owners for COM: com_ptr<T> holds one reference; ComApartment initialises
// COM (or OLE) for the calling thread and undoes it at scope end;
// ScopedVariant and ScopedPropVariant free what a VARIANT or PROPVARIANT
// holds.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <unknwn.h>

template <class T> class com_ptr {
public:
    com_ptr() noexcept = default;
    com_ptr(std::nullptr_t) noexcept {}
    // Takes over a reference the caller already holds.
    static com_ptr attach(T* raw) noexcept {
        com_ptr p;
        p.m_p = raw;
        return p;
    }
    // Takes a reference of its own; the caller keeps its reference.
    static com_ptr share(T* raw) noexcept {
        if (raw)
            raw->AddRef();
        return attach(raw);
    }
    com_ptr(const com_ptr& other) noexcept : m_p(other.m_p) {
        if (m_p)
            m_p->AddRef();
    }
    com_ptr(com_ptr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    com_ptr& operator=(com_ptr other) noexcept {
        T* old = m_p;
        m_p = other.m_p;
        other.m_p = old;
        return *this;
    }
    ~com_ptr() { reset(); }

    void reset() noexcept {
        if (m_p) {
            T* old = m_p;
            m_p = nullptr;
            old->Release();
        }
    }
    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    // For APIs that return an interface through an out parameter.
    T** put() noexcept {
        reset();
        return &m_p;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    // The same object's interface U, or null when it has none (or this is
    // null); the reason of a failure is not kept.
    template <class U> com_ptr<U> try_query() const noexcept {
        com_ptr<U> result;
        if (m_p)
            m_p->QueryInterface(__uuidof(U), result.put_void());
        return result;
    }

private:
    T* m_p = nullptr;
};

template <class T>
HRESULT CreateInstance(REFCLSID clsid, com_ptr<T>& out, DWORD context = CLSCTX_INPROC_SERVER) {
    return ::CoCreateInstance(clsid, nullptr, context, __uuidof(T), out.put_void());
}

// A VARIANT or PROPVARIANT, empty at first (all zero is VT_EMPTY), cleared
// (what it holds freed) at scope end.
template <class V, HRESULT(STDAPICALLTYPE* Clear)(V*)> class ScopedVariantOf {
public:
    ScopedVariantOf() noexcept = default;
    ScopedVariantOf(const ScopedVariantOf&) = delete;
    ScopedVariantOf& operator=(const ScopedVariantOf&) = delete;
    ~ScopedVariantOf() { Clear(&m_value); }
    // For APIs that fill the value: the old value is cleared first.
    V* put() noexcept {
        Clear(&m_value);
        return &m_value;
    }
    const V& get() const noexcept { return m_value; }

private:
    V m_value{};
};
using ScopedPropVariant = ScopedVariantOf<PROPVARIANT, &::PropVariantClear>;
using ScopedVariant = ScopedVariantOf<VARIANT, &::VariantClear>;

class ComApartment {
public:
    enum Kind { Com, Ole };
    explicit ComApartment(Kind kind = Com) noexcept : m_kind(kind) {
        m_hr = kind == Ole ? ::OleInitialize(nullptr) : ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(m_hr)) {
            if (m_kind == Ole)
                ::OleUninitialize();
            else
                ::CoUninitialize();
        }
    }
    bool ok() const noexcept { return SUCCEEDED(m_hr); }
    HRESULT result() const noexcept { return m_hr; }

private:
    Kind m_kind;
    HRESULT m_hr;
};
