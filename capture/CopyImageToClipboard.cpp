#include "capture/CopyImageToClipboard.h"

#include "capture/DibPixels.h"
#include "capture/EncodeImageFile.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

// The pixels of a 96 dpi bitmap, in pixels per metre.
constexpr LONG kPelsPerMeter96 = 3780;

// The clipboard, open for the length of one copy; another program may hold
// it a moment, so it is tried a few times.
unique_clipboard OpenClipboardWithRetries(HWND owner, const ClipboardCalls& calls) {
    for (int attempt = 0; attempt < kClipboardOpenAttempts; ++attempt) {
        if (attempt > 0)
            calls.sleep(kClipboardRetryMillis);
        if (calls.open(owner))
            return unique_clipboard(true);
    }
    return unique_clipboard();
}

// The image as 24-bit rows, top row first, or bottom row first as a bitmap
// keeps them (bottomUp); empty when the image cannot be read.
std::vector<BYTE> Bgr24Rows(const CaptureImage& image, bool bottomUp) {
    if (!image.bmBits || image.bmWidth <= 0 || image.bmHeight <= 0)
        return {};
    std::array<uint32_t, 256> palette{};
    if (image.bmBitsPixel == 8) {
        const auto screen = ScreenPalette();
        for (size_t i = 0; i < screen.size(); ++i)
            palette[i] = (static_cast<uint32_t>(screen[i].peRed) << 16) |
                         (static_cast<uint32_t>(screen[i].peGreen) << 8) | screen[i].peBlue;
    }
    std::vector<BYTE> rows(DibPixels::Stride24(image.bmWidth) * static_cast<size_t>(image.bmHeight));
    if (!DibPixels::ToBgr24(static_cast<const uint8_t*>(image.bmBits), image.bmWidth, image.bmHeight,
                            image.bmWidthBytes, image.bmBitsPixel, palette.data(), bottomUp, rows.data()))
        return {};
    return rows;
}

// CF_DIB: a BITMAPINFOHEADER followed by the bottom-up rows.
unique_global MakeDib(const CaptureImage& image, const std::vector<BYTE>& bottomUpRows) {
    if (bottomUpRows.empty())
        return unique_global();
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = image.bmWidth;
    header.biHeight = image.bmHeight; // positive: the bottom row comes first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(bottomUpRows.size());
    header.biXPelsPerMeter = kPelsPerMeter96;
    header.biYPelsPerMeter = kPelsPerMeter96;
    unique_global dib(::GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + bottomUpRows.size()));
    if (!dib)
        return dib;
    const GlobalLockScope lock(dib.get());
    if (!lock.get())
        return unique_global();
    std::memcpy(lock.get(), &header, sizeof(header));
    std::memcpy(lock.get() + sizeof(header), bottomUpRows.data(), bottomUpRows.size());
    return dib;
}

// The PNG file's bytes, encoded in memory, in a global block of exactly their size.
unique_global MakePng(IWICImagingFactory* factory, const CaptureImage& image, std::vector<BYTE> topDownRows) {
    if (!factory || topDownRows.empty())
        return unique_global();
    const UINT width = static_cast<UINT>(image.bmWidth);
    const UINT height = static_cast<UINT>(image.bmHeight);
    const UINT stride = static_cast<UINT>(DibPixels::Stride24(image.bmWidth));

    com_ptr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, true, stream.put())) || !stream)
        return unique_global();
    com_ptr<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) || !encoder ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
        return unique_global();
    com_ptr<IWICBitmapFrameEncode> frame;
    com_ptr<IPropertyBag2> options;
    if (FAILED(encoder->CreateNewFrame(frame.put(), options.put())) || !frame ||
        FAILED(frame->Initialize(options.get())))
        return unique_global();
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetSize(width, height)) ||
        FAILED(frame->SetResolution(USER_DEFAULT_SCREEN_DPI, USER_DEFAULT_SCREEN_DPI)) ||
        FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ||
        FAILED(
            frame->WritePixels(height, stride, static_cast<UINT>(topDownRows.size()), topDownRows.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return unique_global();

    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0 ||
        stat.cbSize.QuadPart > 0x7FFFFFFF)
        return unique_global();
    const ULONG size = static_cast<ULONG>(stat.cbSize.QuadPart);
    LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return unique_global();
    unique_global png(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!png)
        return png;
    ULONG read = 0;
    {
        const GlobalLockScope lock(png.get());
        if (!lock.get() || FAILED(stream->Read(lock.get(), size, &read)))
            read = 0;
    }
    if (read != size)
        return unique_global();
    return png;
}

} // namespace

UINT PngClipboardFormat() {
    return ::RegisterClipboardFormatW(L"PNG");
}

bool CopyImageToClipboard(HWND owner, IWICImagingFactory* factory, const CaptureImage& image,
                          const ClipboardCalls& calls) {
    if (!owner)
        return false;
    unique_global dib = MakeDib(image, Bgr24Rows(image, true));
    if (!dib)
        return false;
    unique_global png = MakePng(factory, image, Bgr24Rows(image, false));
    const UINT pngFormat = PngClipboardFormat();

    // Everything is made before the clipboard is opened, so other programs
    // wait on it as briefly as possible.
    const unique_clipboard clipboard = OpenClipboardWithRetries(owner, calls);
    if (!clipboard || !::EmptyClipboard())
        return false;
    // Once SetClipboardData has taken a block, the system frees it.
    if (!::SetClipboardData(CF_DIB, dib.get()))
        return false;
    dib.release();
    if (png && pngFormat && ::SetClipboardData(pngFormat, png.get()))
        png.release();
    return true;
}
