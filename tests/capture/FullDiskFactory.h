// An imaging factory that behaves like the real one except that the streams
// it makes refuse to write past a byte budget, the way a file on a full disk
// does (STG_E_MEDIUMFULL). Every other call goes to the real factory.
#pragma once

#include "framework/ComPtr.h"

#include <windows.h>
#include <wincodec.h>

#include <atomic>

namespace capture_test {

class FullDiskStream final : public IWICStream {
public:
    FullDiskStream(com_ptr<IWICStream> inner, ULONGLONG budget)
        : m_inner(std::move(inner)), m_budget(budget) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) ||
            IsEqualIID(riid, IID_IStream) || IsEqualIID(riid, IID_IWICStream)) {
            *out = static_cast<IWICStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // ISequentialStream: the write that would pass the budget stores what
    // still fits and fails.
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override {
        return m_inner->Read(pv, cb, read);
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* written) override {
        ULARGE_INTEGER position{};
        LARGE_INTEGER zero{};
        if (FAILED(m_inner->Seek(zero, STREAM_SEEK_CUR, &position)))
            return STG_E_CANTSAVE;
        if (position.QuadPart + cb <= m_budget)
            return m_inner->Write(pv, cb, written);
        const ULONG room =
            position.QuadPart < m_budget ? static_cast<ULONG>(m_budget - position.QuadPart) : 0;
        ULONG done = 0;
        if (room)
            m_inner->Write(pv, room, &done);
        if (written)
            *written = done;
        return STG_E_MEDIUMFULL;
    }

    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
        return m_inner->Seek(move, origin, position);
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override {
        return size.QuadPart > m_budget ? STG_E_MEDIUMFULL : m_inner->SetSize(size);
    }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override { return m_inner->Commit(flags); }
    HRESULT STDMETHODCALLTYPE Revert() override { return m_inner->Revert(); }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override {
        return m_inner->LockRegion(offset, cb, type);
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override {
        return m_inner->UnlockRegion(offset, cb, type);
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override { return m_inner->Stat(stat, flags); }
    HRESULT STDMETHODCALLTYPE Clone(IStream** out) override {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

    // IWICStream
    HRESULT STDMETHODCALLTYPE InitializeFromIStream(IStream* stream) override {
        return m_inner->InitializeFromIStream(stream);
    }
    HRESULT STDMETHODCALLTYPE InitializeFromFilename(LPCWSTR name, DWORD access) override {
        return m_inner->InitializeFromFilename(name, access);
    }
    HRESULT STDMETHODCALLTYPE InitializeFromMemory(BYTE* buffer, DWORD size) override {
        return m_inner->InitializeFromMemory(buffer, size);
    }
    HRESULT STDMETHODCALLTYPE InitializeFromIStreamRegion(IStream* stream, ULARGE_INTEGER offset,
                                                          ULARGE_INTEGER maxSize) override {
        return m_inner->InitializeFromIStreamRegion(stream, offset, maxSize);
    }

private:
    ~FullDiskStream() = default;
    com_ptr<IWICStream> m_inner;
    ULONGLONG m_budget;
    std::atomic<ULONG> m_refs{1};
};

// Lives on the test's stack; AddRef and Release do not free it.
class FullDiskFactory final : public IWICImagingFactory {
public:
    FullDiskFactory(IWICImagingFactory* real, ULONGLONG budget) : m_real(real), m_budget(budget) {}
    int StreamsMade() const { return m_streams; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IWICImagingFactory)) {
            *out = static_cast<IWICImagingFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateStream(IWICStream** out) override {
        com_ptr<IWICStream> inner;
        const HRESULT hr = m_real->CreateStream(inner.put());
        if (FAILED(hr) || !inner)
            return FAILED(hr) ? hr : E_FAIL;
        ++m_streams;
        *out = new FullDiskStream(std::move(inner), m_budget);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE CreateDecoderFromFilename(LPCWSTR a, const GUID* b, DWORD c, WICDecodeOptions d,
                                                        IWICBitmapDecoder** e) override {
        return m_real->CreateDecoderFromFilename(a, b, c, d, e);
    }
    HRESULT STDMETHODCALLTYPE CreateDecoderFromStream(IStream* a, const GUID* b, WICDecodeOptions c,
                                                      IWICBitmapDecoder** d) override {
        return m_real->CreateDecoderFromStream(a, b, c, d);
    }
    HRESULT STDMETHODCALLTYPE CreateDecoderFromFileHandle(ULONG_PTR a, const GUID* b, WICDecodeOptions c,
                                                          IWICBitmapDecoder** d) override {
        return m_real->CreateDecoderFromFileHandle(a, b, c, d);
    }
    HRESULT STDMETHODCALLTYPE CreateComponentInfo(REFCLSID a, IWICComponentInfo** b) override {
        return m_real->CreateComponentInfo(a, b);
    }
    HRESULT STDMETHODCALLTYPE CreateDecoder(REFGUID a, const GUID* b, IWICBitmapDecoder** c) override {
        return m_real->CreateDecoder(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE CreateEncoder(REFGUID a, const GUID* b, IWICBitmapEncoder** c) override {
        return m_real->CreateEncoder(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE CreatePalette(IWICPalette** a) override { return m_real->CreatePalette(a); }
    HRESULT STDMETHODCALLTYPE CreateFormatConverter(IWICFormatConverter** a) override {
        return m_real->CreateFormatConverter(a);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapScaler(IWICBitmapScaler** a) override {
        return m_real->CreateBitmapScaler(a);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapClipper(IWICBitmapClipper** a) override {
        return m_real->CreateBitmapClipper(a);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapFlipRotator(IWICBitmapFlipRotator** a) override {
        return m_real->CreateBitmapFlipRotator(a);
    }
    HRESULT STDMETHODCALLTYPE CreateColorContext(IWICColorContext** a) override {
        return m_real->CreateColorContext(a);
    }
    HRESULT STDMETHODCALLTYPE CreateColorTransformer(IWICColorTransform** a) override {
        return m_real->CreateColorTransformer(a);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmap(UINT a, UINT b, REFWICPixelFormatGUID c,
                                           WICBitmapCreateCacheOption d, IWICBitmap** e) override {
        return m_real->CreateBitmap(a, b, c, d, e);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapFromSource(IWICBitmapSource* a, WICBitmapCreateCacheOption b,
                                                     IWICBitmap** c) override {
        return m_real->CreateBitmapFromSource(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapFromSourceRect(IWICBitmapSource* a, UINT b, UINT c, UINT d, UINT e,
                                                         IWICBitmap** f) override {
        return m_real->CreateBitmapFromSourceRect(a, b, c, d, e, f);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapFromMemory(UINT a, UINT b, REFWICPixelFormatGUID c, UINT d, UINT e,
                                                     BYTE* f, IWICBitmap** g) override {
        return m_real->CreateBitmapFromMemory(a, b, c, d, e, f, g);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapFromHBITMAP(HBITMAP a, HPALETTE b, WICBitmapAlphaChannelOption c,
                                                      IWICBitmap** d) override {
        return m_real->CreateBitmapFromHBITMAP(a, b, c, d);
    }
    HRESULT STDMETHODCALLTYPE CreateBitmapFromHICON(HICON a, IWICBitmap** b) override {
        return m_real->CreateBitmapFromHICON(a, b);
    }
    HRESULT STDMETHODCALLTYPE CreateComponentEnumerator(DWORD a, DWORD b, IEnumUnknown** c) override {
        return m_real->CreateComponentEnumerator(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE CreateFastMetadataEncoderFromDecoder(IWICBitmapDecoder* a,
                                                                   IWICFastMetadataEncoder** b) override {
        return m_real->CreateFastMetadataEncoderFromDecoder(a, b);
    }
    HRESULT STDMETHODCALLTYPE CreateFastMetadataEncoderFromFrameDecode(IWICBitmapFrameDecode* a,
                                                                       IWICFastMetadataEncoder** b) override {
        return m_real->CreateFastMetadataEncoderFromFrameDecode(a, b);
    }
    HRESULT STDMETHODCALLTYPE CreateQueryWriter(REFGUID a, const GUID* b,
                                                IWICMetadataQueryWriter** c) override {
        return m_real->CreateQueryWriter(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE CreateQueryWriterFromReader(IWICMetadataQueryReader* a, const GUID* b,
                                                          IWICMetadataQueryWriter** c) override {
        return m_real->CreateQueryWriterFromReader(a, b, c);
    }

private:
    IWICImagingFactory* m_real;
    ULONGLONG m_budget;
    int m_streams = 0;
};

} // namespace capture_test
