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

inline ClipboardImage ReadClipboardImage(IWICImagingFactory* factory, const ScratchFolder& folder) {
    ClipboardImage out;
    std::string png;
    {
        // Opened without an owner, for reading.
        const unique_clipboard clipboard = OpenClipboardFor(nullptr);
        if (!clipboard)
            return out;
        out.owner = ::GetClipboardOwner();
        if (HANDLE dib = ::GetClipboardData(CF_DIB)) {
            const GlobalLockScope lock(dib);
            const SIZE_T size = lock.size();
            const auto* bytes = lock.get<const BYTE>();
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
        }
        if (HANDLE data = ::GetClipboardData(PngClipboardFormat())) {
            const GlobalLockScope lock(data);
            if (const auto* bytes = lock.get<const char>())
                png.assign(bytes, lock.size());
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
    const unique_clipboard clipboard = OpenClipboardFor(owner);
    if (!clipboard)
        return false;
    ::EmptyClipboard();
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    unique_global memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (memory) {
        {
            const GlobalLockScope lock(memory.get());
            std::memcpy(lock.get(), text, bytes);
        }
        if (::SetClipboardData(CF_UNICODETEXT, memory.get()))
            memory.release();
    }
    return !memory;
}

// The clipboard's text, empty when it holds none.
inline std::wstring ClipboardText() {
    const unique_clipboard clipboard = OpenClipboardFor(nullptr);
    std::wstring text;
    if (!clipboard)
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        const GlobalLockScope lock(data);
        if (const auto* chars = lock.get<const wchar_t>())
            text = chars;
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
