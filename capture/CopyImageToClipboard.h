// Putting a capture on the clipboard: the pixels as a 24-bit device-
// independent bitmap (CF_DIB), and the same pixels as PNG bytes under the
// registered format "PNG", which browsers and office programs prefer.
#pragma once

#include "capture/CaptureImage.h"

#include <windows.h>
#include <wincodec.h>

// The clipboard calls whose outcome depends on other programs, with the
// system's as defaults, so a test can stand in for a clipboard that another
// program keeps open.
struct ClipboardCalls {
    BOOL(WINAPI* open)(HWND) = ::OpenClipboard;
    void(WINAPI* sleep)(DWORD) = ::Sleep;
};

// A clipboard that cannot be opened is tried this many times, this far apart
// (about 100 ms in all), before the copy is given up.
constexpr int kClipboardOpenAttempts = 6;
constexpr DWORD kClipboardRetryMillis = 20;

// Replaces the clipboard's content with image, owner becoming the clipboard's
// owner (it must be a window: a clipboard opened without one refuses data).
// The PNG copy needs the factory; without it, or when the encoder fails, the
// bitmap goes alone. Returns false, leaving the clipboard as it was, when
// the bitmap cannot be made or the clipboard stays busy; nothing is shown.
bool CopyImageToClipboard(HWND owner, IWICImagingFactory* factory, const CaptureImage& image,
                          const ClipboardCalls& calls = {});

// The id of the registered clipboard format "PNG".
UINT PngClipboardFormat();
