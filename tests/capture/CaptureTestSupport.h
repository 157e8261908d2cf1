// Shared pieces of the capture tests: COM and the imaging factory, a scratch
// folder, a topmost window that shows a known pattern, and decoding of the
// written files.
#pragma once

#include "capture/CaptureImage.h"
#include "capture/CaptureProbe.h"
#include "capture/EncodeImageFile.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <cstdlib>
#include <string>
#include <vector>

// Image types in test messages: their stored number.
inline std::ostream& operator<<(std::ostream& out, ImageType type) {
    return out << ToInt(type);
}

namespace capture_test {

struct Bgr {
    std::uint8_t b = 0, g = 0, r = 0;
    bool operator==(const Bgr&) const = default;
};

inline void PrintTo(const Bgr& c, std::ostream* os) {
    *os << "(b " << int(c.b) << ", g " << int(c.g) << ", r " << int(c.r) << ")";
}

// The pattern of the test window at window pixel (x, y): every channel runs
// its own way, so a swapped channel or a shifted row shows at once.
inline Bgr PatternAt(int x, int y) {
    return Bgr{static_cast<std::uint8_t>(200 - x - y), static_cast<std::uint8_t>((y * 5) & 0xFF),
               static_cast<std::uint8_t>((x * 4) & 0xFF)};
}

inline int MaxChannelDifference(const Bgr& a, const Bgr& b) {
    return std::max({std::abs(a.b - b.b), std::abs(a.g - b.g), std::abs(a.r - b.r)});
}

// A decoded image file as 24-bit pixels, plus what the file said about itself.
struct Decoded {
    bool ok = false;
    UINT width = 0, height = 0;
    GUID container{};
    WICPixelFormatGUID framePixelFormat{};
    double dpiX = 0, dpiY = 0;
    std::vector<Bgr> pixels;
    // Indexed frames only:
    UINT paletteCount = 0;
    BOOL paletteHasAlpha = FALSE;
    std::vector<WICColor> palette;
    std::vector<std::uint8_t> indices;

    Bgr At(UINT x, UINT y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline Decoded DecodeFile(IWICImagingFactory* factory, const wchar_t* path) {
    Decoded out;
    com_ptr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.put())))
        return out;
    decoder->GetContainerFormat(&out.container);
    com_ptr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put())))
        return out;
    frame->GetSize(&out.width, &out.height);
    frame->GetPixelFormat(&out.framePixelFormat);
    frame->GetResolution(&out.dpiX, &out.dpiY);
    if (IsEqualGUID(out.framePixelFormat, GUID_WICPixelFormat8bppIndexed)) {
        com_ptr<IWICPalette> palette;
        factory->CreatePalette(palette.put());
        if (SUCCEEDED(frame->CopyPalette(palette.get()))) {
            palette->GetColorCount(&out.paletteCount);
            palette->HasAlpha(&out.paletteHasAlpha);
            out.palette.resize(out.paletteCount);
            UINT got = 0;
            palette->GetColors(out.paletteCount, out.palette.data(), &got);
        }
        out.indices.resize(static_cast<size_t>(out.width) * out.height);
        if (FAILED(frame->CopyPixels(nullptr, out.width, static_cast<UINT>(out.indices.size()),
                                     out.indices.data())))
            return out;
        if (out.palette.size() < 256)
            out.palette.resize(256, 0);
        out.pixels.resize(out.indices.size());
        for (size_t i = 0; i < out.indices.size(); ++i) {
            const WICColor c = out.palette[out.indices[i]];
            out.pixels[i] = Bgr{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                static_cast<std::uint8_t>(c >> 16)};
        }
        out.ok = true;
        return out;
    }
    com_ptr<IWICBitmapSource> bgr;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame.get(), bgr.put())))
        return out;
    const UINT stride = (out.width * 3 + 3) & ~3u;
    std::vector<std::uint8_t> raw(static_cast<size_t>(stride) * out.height);
    if (FAILED(bgr->CopyPixels(nullptr, stride, static_cast<UINT>(raw.size()), raw.data())))
        return out;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (UINT y = 0; y < out.height; ++y)
        for (UINT x = 0; x < out.width; ++x) {
            const std::uint8_t* p = &raw[static_cast<size_t>(y) * stride + x * 3];
            out.pixels[static_cast<size_t>(y) * out.width + x] = Bgr{p[0], p[1], p[2]};
        }
    out.ok = true;
    return out;
}

// Pixel (x, y) of a 32, 24 or 16 (BGR565) bits per pixel CaptureImage.
inline Bgr PixelOf(const CaptureImage& image, int x, int y) {
    const auto* row =
        static_cast<const std::uint8_t*>(image.bmBits) + static_cast<size_t>(y) * image.bmWidthBytes;
    if (image.bmBitsPixel == 16) {
        const unsigned v = row[x * 2] | (row[x * 2 + 1] << 8);
        return Bgr{static_cast<std::uint8_t>((v & 0x1F) << 3),
                   static_cast<std::uint8_t>(((v >> 5) & 0x3F) << 2),
                   static_cast<std::uint8_t>((v >> 11) << 3)};
    }
    const std::uint8_t* p = row + x * (image.bmBitsPixel / 8);
    return Bgr{p[0], p[1], p[2]};
}

// A synthetic image, filled by a function of (x, y).
template <class Fill>
void MakeImage(CaptureImage& image, int width, int height, int bitsPerPixel, int widthBytes, Fill fill) {
    const size_t bytes = static_cast<size_t>(widthBytes) * height;
    std::uint8_t* bits =
        AllocateImagePixels(image, width, height, widthBytes, static_cast<WORD>(bitsPerPixel));
    ASSERT_NE(bits, nullptr);
    std::fill(bits, bits + bytes, std::uint8_t{0xEE});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            fill(bits + static_cast<size_t>(y) * widthBytes + x * bitsPerPixel / 8, x, y);
}

// A scratch folder under the temporary folder, removed with its files.
using ScratchFolder = test_support::ScratchFolder;

inline bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

using test_support::ReadBytes;
using test_support::WriteBytes;

// A topmost popup of its own class that paints PatternAt over its whole
// client area, without touching the cursor.
class PatternWindow {
public:
    PatternWindow(int x, int y, int width, int height) : m_width(width), m_height(height) {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &PatternWindow::Proc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"FrimletCaptureTestPattern";
            return ::RegisterClassExW(&wc);
        }();
        (void)atom;
        m_hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"FrimletCaptureTestPattern", L"pattern",
                                   WS_POPUP, x, y, width, height, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), this);
        ::ShowWindow(m_hwnd, SW_SHOW);
        ::SetForegroundWindow(m_hwnd);
        ::UpdateWindow(m_hwnd);
        Settle();
    }
    ~PatternWindow() {
        if (m_hwnd)
            ::DestroyWindow(m_hwnd);
        test_support::DispatchWaitingMessages();
    }
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    RECT ScreenRect() const {
        RECT r{};
        ::GetWindowRect(m_hwnd, &r);
        return r;
    }

    // Waits until a plain grab of the window shows the pattern (the X server
    // may take a moment to show a new window). True when it does.
    bool Settle() const {
        const RECT r = ScreenRect();
        for (int attempt = 0; attempt < 100; ++attempt) {
            test_support::DispatchWaitingMessages();
            ::GdiFlush();
            CaptureImage image;
            image.Grab(r, false);
            if (image.bmBits && PixelOf(image, 0, 0) == PatternAt(0, 0) &&
                PixelOf(image, m_width - 1, m_height - 1) == PatternAt(m_width - 1, m_height - 1))
                return true;
            ::Sleep(20);
        }
        return false;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<PatternWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        switch (msg) {
        case WM_SETCURSOR:
            return TRUE; // the tests set the cursor themselves
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
            if (self) {
                self->Paint(hwnd);
                return 0;
            }
            break;
        default:
            break;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }

    void Paint(HWND hwnd) const {
        PaintDC paint(hwnd);
        std::vector<std::uint32_t> pixels(static_cast<size_t>(m_width) * m_height);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                const Bgr c = PatternAt(x, y);
                pixels[static_cast<size_t>(y) * m_width + x] = c.b | (c.g << 8) | (c.r << 16);
            }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        ::SetDIBitsToDevice(paint.get(), 0, 0, m_width, m_height, 0, 0, 0, m_height, pixels.data(), &info,
                            DIB_RGB_COLORS);
    }

    int m_width;
    int m_height;
    HWND m_hwnd = nullptr;
};

// COM for the test thread and the imaging factory.
class ImagingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(com.ok());
        factory = CreateImagingFactory();
        ASSERT_TRUE(factory);
        // Keep the cursor away from the areas the tests grab.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
    }

    ComApartment com;
    com_ptr<IWICImagingFactory> factory;
};

} // namespace capture_test
