// A stream that passes every call to the stream it wraps and remembers
// whether any write failed or stored fewer bytes than it was given. An encoder
// that does not pass a failed write on (some do not) would otherwise report a
// cut-off file as a success.
#pragma once

#include "framework/ComPtr.h"

#include <windows.h>
#include <objidl.h>

class CWriteCheckedStream final : public IStream {
public:
    // A new stream with one reference, owned by the caller.
    static com_ptr<CWriteCheckedStream> Wrap(IStream* inner);

    // True once a Write or SetSize failed or wrote short.
    bool WriteFailed() const { return m_bFailed; }
    // The first failed write's result: the system's error (a full disk is
    // HRESULT_FROM_WIN32(ERROR_DISK_FULL)); E_FAIL for a short write.
    HRESULT Failure() const { return m_hrFailure; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* written) override;
    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** out) override;

private:
    explicit CWriteCheckedStream(IStream* inner);
    void Fail(HRESULT hr) {
        if (!m_bFailed)
            m_hrFailure = hr;
        m_bFailed = true;
    }
    ~CWriteCheckedStream() = default;

    com_ptr<IStream> m_pInner;
    ULONG m_nRefs = 1;
    bool m_bFailed = false;
    HRESULT m_hrFailure = S_OK;
};
