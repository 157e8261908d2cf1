// Reading back what a copy put on the clipboard: the CF_DIB bitmap and the
// "PNG" bytes, decoded to pixels; and a text marker that shows whether the
// clipboard was touched.
#pragma once

#include "capture/CopyImageToClipboard.h"
#include "tests/capture/CaptureTestSupport.h"

#include <cstring>
#include <string>

namespace capture_test {

struct ClipboardImage {
    bool hasDib = false;
    BITMAPINFOHEADER header{};
    std::vector<Bgr> dib; // top row first
    UINT width = 0, height = 0;
    Decoded png;
    HWND owner = nullptr;

    Bgr DibAt(UINT x, UINT y) const { return dib[static_cast<size_t>(y) * width + x]; }
};

// The clipboard, opened without an owner for reading.
class ReadClipboardScope {
public:
    ReadClipboardScope() : m_open(::OpenClipboard(nullptr) != FALSE) {}
    ~ReadClipboardScope() {
        if (m_open)
            ::CloseClipboard();
    }
    bool open() const { return m_open; }

private:
    bool m_open;
};

inline ClipboardImage ReadClipboardImage(IWICImagingFactory* factory, const ScratchFolder& folder) {
    ClipboardImage out;
    std::string png;
    {
        ReadClipboardScope clipboard;
        if (!clipboard.open())
            return out;
        out.owner = ::GetClipboardOwner();
        if (HANDLE dib = ::GetClipboardData(CF_DIB)) {
            const SIZE_T size = ::GlobalSize(dib);
            const auto* bytes = static_cast<const BYTE*>(::GlobalLock(dib));
            if (bytes && size >= sizeof(BITMAPINFOHEADER)) {
                std::memcpy(&out.header, bytes, sizeof(out.header));
                out.width = static_cast<UINT>(out.header.biWidth);
                out.height =
                    static_cast<UINT>(out.header.biHeight < 0 ? -out.header.biHeight : out.header.biHeight);
                const size_t stride = (out.width * 3 + 3) & ~size_t{3};
                if (out.header.biBitCount == 24 && size >= sizeof(out.header) + stride * out.height) {
                    out.hasDib = true;
                    for (UINT y = 0; y < out.height; ++y) {
                        const UINT row = out.header.biHeight > 0 ? out.height - 1 - y : y;
                        const BYTE* p = bytes + out.header.biSize + row * stride;
                        for (UINT x = 0; x < out.width; ++x, p += 3)
                            out.dib.push_back(Bgr{p[0], p[1], p[2]});
                    }
                }
            }
            if (bytes)
                ::GlobalUnlock(dib);
        }
        if (HANDLE data = ::GetClipboardData(PngClipboardFormat())) {
            if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
                png.assign(bytes, ::GlobalSize(data));
                ::GlobalUnlock(data);
            }
        }
    }
    if (!png.empty()) {
        const std::wstring path = folder.File(L"clipboard.png");
        WriteBytes(path, png);
        out.png = DecodeFile(factory, path.c_str());
    }
    return out;
}

// Replaces the clipboard's content with a text.
inline bool PutClipboardMarker(HWND owner, const wchar_t* text) {
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    unique_global memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (memory) {
        std::memcpy(::GlobalLock(memory.get()), text, bytes);
        ::GlobalUnlock(memory.get());
        if (::SetClipboardData(CF_UNICODETEXT, memory.get()))
            memory.release();
    }
    ::CloseClipboard();
    return !memory;
}

// The clipboard's text, empty when it holds none.
inline std::wstring ClipboardText() {
    ReadClipboardScope clipboard;
    std::wstring text;
    if (!clipboard.open())
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    return text;
}

// A hidden window to own the clipboard.
class ClipboardOwnerWindow {
public:
    ClipboardOwnerWindow()
        : m_hwnd(::CreateWindowExW(0, L"STATIC", L"ClipboardOwner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr)) {}
    ~ClipboardOwnerWindow() { ::DestroyWindow(m_hwnd); }
    ClipboardOwnerWindow(const ClipboardOwnerWindow&) = delete;
    ClipboardOwnerWindow& operator=(const ClipboardOwnerWindow&) = delete;
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

} // namespace capture_test
