// A copy of a screen area in the screen's own pixel format, with the cursor
// state read while it was taken.
#pragma once

#include <windows.h>

#include <cstddef>

// The system call of a screen grab that only Windows shows the effect of.
struct ScreenCopyCalls {
    // The copy of the screen's pixels, whose raster operation decides which
    // windows the picture holds.
    BOOL(WINAPI* bitBlt)
    (HDC target, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) = ::BitBlt;
};

struct CaptureImage {
    // The head is laid out exactly as BITMAP, so it describes the pixels the
    // same way GetObject describes a bitmap.
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0; // bytes per pixel row
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    LPVOID bmBits = nullptr; // bmHeight rows of bmWidthBytes bytes, top row first; owned
    CURSORINFO cursor{};     // zero unless the cursor was asked for

    CaptureImage() = default;
    CaptureImage(const CaptureImage&) = delete;
    CaptureImage& operator=(const CaptureImage&) = delete;
    ~CaptureImage() { Free(); }

    // Copies the screen pixels of rect (screen coordinates, right and bottom
    // exclusive) and, when withCursor is set, draws the cursor into the copy if
    // its hot spot lies inside rect. Pixels held before are freed first. When
    // no copy could be made (or rect is empty) the image is left empty.
    void Grab(const RECT& rect, bool withCursor, const ScreenCopyCalls& calls = ScreenCopyCalls{});

    // Frees the pixels and zeroes the seven bitmap fields (not the cursor).
    void Free();
};

static_assert(offsetof(CaptureImage, bmType) == offsetof(BITMAP, bmType));
static_assert(offsetof(CaptureImage, bmWidth) == offsetof(BITMAP, bmWidth));
static_assert(offsetof(CaptureImage, bmHeight) == offsetof(BITMAP, bmHeight));
static_assert(offsetof(CaptureImage, bmWidthBytes) == offsetof(BITMAP, bmWidthBytes));
static_assert(offsetof(CaptureImage, bmPlanes) == offsetof(BITMAP, bmPlanes));
static_assert(offsetof(CaptureImage, bmBitsPixel) == offsetof(BITMAP, bmBitsPixel));
static_assert(offsetof(CaptureImage, bmBits) == offsetof(BITMAP, bmBits));
static_assert(offsetof(CaptureImage, cursor) == sizeof(BITMAP));
