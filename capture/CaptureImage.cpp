#include "capture/CaptureImage.h"

#include "capture/CaptureProbe.h"
#include "framework/Handles.h"

#include <memory>
#include <new>
#include <optional>

namespace {

// Draws the cursor of `info` into dc, whose (0, 0) is rect's top-left corner,
// with its hot spot where the cursor is on the screen. Mask and image are both
// applied, so a monochrome cursor inverts what lies under it as on the screen;
// whatever falls outside the bitmap is clipped by GDI.
void DrawCursor(HDC dc, const RECT& rect, const CURSORINFO& info) {
    unique_icon copy(static_cast<HICON>(::CopyImage(info.hCursor, IMAGE_ICON, 0, 0, 0)));
    if (!copy)
        return;
    ICONINFO icon{};
    if (!::GetIconInfo(copy.get(), &icon))
        return;
    unique_bitmap mask(icon.hbmMask);
    unique_bitmap colour(icon.hbmColor);
    const int x = info.ptScreenPos.x - rect.left - static_cast<int>(icon.xHotspot);
    const int y = info.ptScreenPos.y - rect.top - static_cast<int>(icon.yHotspot);
    ::DrawIconEx(dc, x, y, copy.get(), 0, 0, 0, nullptr, DI_NORMAL);
}

// The pixel buffer of an image, as Free deletes it.
BYTE* AllocatePixels(size_t bytes) {
    return new (std::nothrow) BYTE[bytes == 0 ? 1 : bytes];
}

} // namespace

BYTE* AllocateImagePixels(CaptureImage& image, LONG width, LONG height, LONG widthBytes, WORD bitsPixel) {
    image.Free();
    BYTE* bits = AllocatePixels(static_cast<size_t>(widthBytes) * static_cast<size_t>(height));
    if (!bits)
        return nullptr;
    image.bmWidth = width;
    image.bmHeight = height;
    image.bmWidthBytes = widthBytes;
    image.bmPlanes = 1;
    image.bmBitsPixel = bitsPixel;
    image.bmBits = bits;
    return bits;
}

void CaptureImage::Free() {
    delete[] static_cast<BYTE*>(bmBits);
    bmBits = nullptr;
    bmType = 0;
    bmWidth = 0;
    bmHeight = 0;
    bmWidthBytes = 0;
    bmPlanes = 0;
    bmBitsPixel = 0;
}

void CaptureImage::Grab(const RECT& rect, bool withCursor, const ScreenCopyCalls& calls) {
    Free();

    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return; // CreateCompatibleBitmap would answer with a 1 x 1 monochrome bitmap

    std::optional<WindowDC> desktop;
    desktop.emplace(::GetDesktopWindow());
    unique_memory_dc memory(::CreateCompatibleDC(desktop->get()));
    // Compatible with the desktop, not with the memory DC, so the bitmap has the
    // screen's colour depth.
    unique_bitmap bitmap(::CreateCompatibleBitmap(desktop->get(), width, height));
    if (!memory || !bitmap)
        return;
    {
        SelectRestore select(memory.get(), bitmap.get());
        // CAPTUREBLT takes in the layered windows over the area (tooltips,
        // translucent windows, some menus), which a plain copy leaves out on
        // Windows 10, so the file shows what the user sees.
        calls.bitBlt(memory.get(), 0, 0, width, height, desktop->get(), rect.left, rect.top,
                     SRCCOPY | CAPTUREBLT);
        desktop.reset();

        if (withCursor) {
            cursor = CURSORINFO{};
            // The size of the structure of this build (24 bytes on x64, 20 on x86);
            // the system refuses any other value.
            cursor.cbSize = sizeof(CURSORINFO);
            if (::GetCursorInfo(&cursor) && (cursor.flags & CURSOR_SHOWING) &&
                ::PtInRect(&rect, cursor.ptScreenPos))
                DrawCursor(memory.get(), rect, cursor);
        }
    } // the capture bitmap is selected out before its bits are read

    BITMAP head{};
    if (::GetObjectW(bitmap.get(), sizeof(head), &head) != sizeof(head))
        return;
    const size_t bytes = static_cast<size_t>(head.bmWidthBytes) * static_cast<size_t>(head.bmHeight);
    std::unique_ptr<BYTE[]> bits(AllocatePixels(bytes));
    if (!bits || ::GetBitmapBits(bitmap.get(), static_cast<LONG>(bytes), bits.get()) == 0)
        return;
    bmType = head.bmType;
    bmWidth = head.bmWidth;
    bmHeight = head.bmHeight;
    bmWidthBytes = head.bmWidthBytes;
    bmPlanes = head.bmPlanes;
    bmBitsPixel = head.bmBitsPixel;
    bmBits = bits.release(); // owned by the image now, freed by Free()
}
