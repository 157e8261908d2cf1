#include "capture/CWriteCheckedStream.h"

#include <new>

com_ptr<CWriteCheckedStream> CWriteCheckedStream::Wrap(IStream* inner) {
    if (!inner)
        return nullptr;
    return com_ptr<CWriteCheckedStream>::attach(new (std::nothrow) CWriteCheckedStream(inner));
}

CWriteCheckedStream::CWriteCheckedStream(IStream* inner) : m_inner(com_ptr<IStream>::share(inner)) {}

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
    return ++m_refs;
}

ULONG CWriteCheckedStream::Release() {
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CWriteCheckedStream::Read(void* pv, ULONG cb, ULONG* read) {
    return m_inner->Read(pv, cb, read);
}

HRESULT CWriteCheckedStream::Write(const void* pv, ULONG cb, ULONG* written) {
    ULONG done = 0;
    const HRESULT hr = m_inner->Write(pv, cb, &done);
    if (FAILED(hr) || done < cb)
        m_failed = true;
    if (written)
        *written = done;
    return hr;
}

HRESULT CWriteCheckedStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    return m_inner->Seek(move, origin, position);
}

HRESULT CWriteCheckedStream::SetSize(ULARGE_INTEGER size) {
    const HRESULT hr = m_inner->SetSize(size);
    if (FAILED(hr))
        m_failed = true;
    return hr;
}

HRESULT CWriteCheckedStream::CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read,
                                    ULARGE_INTEGER* written) {
    return m_inner->CopyTo(target, cb, read, written);
}

HRESULT CWriteCheckedStream::Commit(DWORD flags) {
    return m_inner->Commit(flags);
}

HRESULT CWriteCheckedStream::Revert() {
    return m_inner->Revert();
}

HRESULT CWriteCheckedStream::LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) {
    return m_inner->LockRegion(offset, cb, type);
}

HRESULT CWriteCheckedStream::UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) {
    return m_inner->UnlockRegion(offset, cb, type);
}

HRESULT CWriteCheckedStream::Stat(STATSTG* stat, DWORD flags) {
    return m_inner->Stat(stat, flags);
}

HRESULT CWriteCheckedStream::Clone(IStream** out) {
    // A clone would write past the check.
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
