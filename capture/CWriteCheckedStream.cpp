#include "capture/CWriteCheckedStream.h"

#include <new>

com_ptr<CWriteCheckedStream> CWriteCheckedStream::Wrap(IStream* inner) {
    if (!inner)
        return nullptr;
    return com_ptr<CWriteCheckedStream>::attach(new (std::nothrow) CWriteCheckedStream(inner));
}

CWriteCheckedStream::CWriteCheckedStream(IStream* inner) : m_pInner(com_ptr<IStream>::share(inner)) {}

HRESULT CWriteCheckedStream::QueryInterface(REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) ||
        IsEqualIID(riid, IID_IStream)) {
        *out = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CWriteCheckedStream::AddRef() {
    return ++m_nRefs;
}

ULONG CWriteCheckedStream::Release() {
    const ULONG left = --m_nRefs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CWriteCheckedStream::Read(void* pv, ULONG cb, ULONG* read) {
    return m_pInner->Read(pv, cb, read);
}

HRESULT CWriteCheckedStream::Write(const void* pv, ULONG cb, ULONG* written) {
    ULONG done = 0;
    const HRESULT hr = m_pInner->Write(pv, cb, &done);
    if (FAILED(hr) || done < cb)
        Fail(FAILED(hr) ? hr : E_FAIL);
    if (written)
        *written = done;
    return hr;
}

HRESULT CWriteCheckedStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    return m_pInner->Seek(move, origin, position);
}

HRESULT CWriteCheckedStream::SetSize(ULARGE_INTEGER size) {
    const HRESULT hr = m_pInner->SetSize(size);
    if (FAILED(hr))
        Fail(hr);
    return hr;
}

HRESULT CWriteCheckedStream::CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read,
                                    ULARGE_INTEGER* written) {
    return m_pInner->CopyTo(target, cb, read, written);
}

HRESULT CWriteCheckedStream::Commit(DWORD flags) {
    return m_pInner->Commit(flags);
}

HRESULT CWriteCheckedStream::Revert() {
    return m_pInner->Revert();
}

HRESULT CWriteCheckedStream::LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) {
    return m_pInner->LockRegion(offset, cb, type);
}

HRESULT CWriteCheckedStream::UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) {
    return m_pInner->UnlockRegion(offset, cb, type);
}

HRESULT CWriteCheckedStream::Stat(STATSTG* stat, DWORD flags) {
    return m_pInner->Stat(stat, flags);
}

HRESULT CWriteCheckedStream::Clone(IStream** out) {
    // A clone would write past the check.
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
