#include "capture/ShutterCapture.h"

#include "capture/CaptureImage.h"
#include "capture/CaptureProbe.h"
#include "capture/CopyImageToClipboard.h"
#include "capture/EncodeImageFile.h"

#include <algorithm>

ShutterRules::HeldTypeKeys ReadHeldTypeKeys() {
    ShutterRules::HeldTypeKeys keys;
    keys.j = ::GetKeyState('J') < 0;
    keys.b = ::GetKeyState('B') < 0;
    keys.g = ::GetKeyState('G') < 0;
    keys.p = ::GetKeyState('P') < 0;
    keys.c = ::GetKeyState('C') < 0;
    return keys;
}

BOOL GrabScreen(CaptureImage& image, const RECT& area, BOOL withCursor) {
    return image.Grab(area, withCursor);
}

RECT VirtualScreenRect() {
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

namespace {

std::optional<int> Capture(const Settings& settings, IWICImagingFactory* factory, RECT holeOnScreen,
                           const RECT& virtualScreen, const ShutterRules::HeldTypeKeys& keys,
                           const ScreenGrabSteps& steps, HWND clipboardOwner, CaptureProbe* probe) {
    const ImageType imageType = ShutterRules::EffectiveType(keys, settings.type);

    CString path;
    settings.MakeOutputFileName(path, imageType);

    RECT area = holeOnScreen;
    area.left = std::max(area.left, virtualScreen.left);
    area.top = std::max(area.top, virtualScreen.top);
    area.right = std::min(area.right, virtualScreen.right);
    area.bottom = std::min(area.bottom, virtualScreen.bottom);
    if (area.right - area.left <= 0 || area.bottom - area.top <= 0)
        return std::nullopt;

    if (steps.waitForPresent)
        steps.waitForPresent();
    CaptureImage image;
    if (!steps.grab(image, area, settings.combiningCursor))
        return std::nullopt;

    settings.EnsureOutputFolder();
    const float quality = ShutterRules::ShutterQuality(settings.jpegQuality);
    // A result below 1 leaves nothing to delete: the encoder writes under a
    // temporary name and removes it itself, and moves a file to `path` only
    // when it succeeded, so an earlier file of the same name survives.
    const int result = probe ? EncodeImageFile(*probe, factory, image, path, imageType, quality)
                             : EncodeImageFile(factory, image, path, imageType, quality);
    if (clipboardOwner && ShutterRules::CopiesToClipboard(keys, settings.copyToClipboard))
        CopyImageToClipboard(clipboardOwner, factory, image);
    return result;
}

} // namespace

std::optional<int> TakeCapture(const Settings& settings, IWICImagingFactory* factory, RECT holeOnScreen,
                               const RECT& virtualScreen, const ShutterRules::HeldTypeKeys& keys,
                               const ScreenGrabSteps& steps, HWND clipboardOwner) {
    return Capture(settings, factory, holeOnScreen, virtualScreen, keys, steps, clipboardOwner, nullptr);
}

std::optional<int> TakeCapture(CaptureProbe& probe, const Settings& settings, IWICImagingFactory* factory,
                               RECT holeOnScreen, const RECT& virtualScreen,
                               const ShutterRules::HeldTypeKeys& keys, const ScreenGrabSteps& steps,
                               HWND clipboardOwner) {
    return Capture(settings, factory, holeOnScreen, virtualScreen, keys, steps, clipboardOwner, &probe);
}
