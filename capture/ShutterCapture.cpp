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
    keys.r = ::GetKeyState('R') < 0;
    return keys;
}

SettingsRules::LocalTime ReadLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return SettingsRules::LocalTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                                    now.wMinute, now.wSecond, now.wMilliseconds};
}

void GrabScreen(CaptureImage& image, const RECT& area, bool withCursor) {
    image.Grab(area, withCursor);
}

RECT VirtualScreenRect() {
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

namespace {

std::optional<int> Capture(const Settings& settings, IWICImagingFactory* factory, RECT holeOnScreen,
                           const RECT& virtualScreen, const ShutterRules::HeldTypeKeys& keys,
                           const SettingsRules::LocalTime& now, const ScreenGrabSteps& steps,
                           HWND clipboardOwner, CaptureProbe* probe) {
    const ImageType imageType = ShutterRules::EffectiveType(keys, settings.type);
    // The one folder of this capture: the one made when missing and written to.
    const CString folder = settings.outputPath;
    const CString name = settings.OutputFileName(imageType, now);

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
    steps.grab(image, area, settings.combiningCursor);

    CreateFolderIfMissing(folder);
    const float quality = ShutterRules::ShutterQuality(settings.jpegQuality);
    // A result below 1 leaves nothing to delete: the encoder writes under a
    // temporary name and removes it itself, and gives a file the name only
    // when it succeeded, so an earlier file of that name survives.
    const int result = probe ? EncodeImageFile(*probe, factory, image, folder, name, imageType, quality)
                             : EncodeImageFile(factory, image, folder, name, imageType, quality);
    if (clipboardOwner && ShutterRules::CopiesToClipboard(keys, settings.copyToClipboard))
        CopyImageToClipboard(clipboardOwner, factory, image);
    return result;
}

} // namespace

std::optional<int> TakeCapture(const Settings& settings, IWICImagingFactory* factory, RECT holeOnScreen,
                               const RECT& virtualScreen, const ShutterRules::HeldTypeKeys& keys,
                               const SettingsRules::LocalTime& now, const ScreenGrabSteps& steps,
                               HWND clipboardOwner) {
    return Capture(settings, factory, holeOnScreen, virtualScreen, keys, now, steps, clipboardOwner, nullptr);
}

std::optional<int> TakeCapture(CaptureProbe& probe, const Settings& settings, IWICImagingFactory* factory,
                               RECT holeOnScreen, const RECT& virtualScreen,
                               const ShutterRules::HeldTypeKeys& keys, const SettingsRules::LocalTime& now,
                               const ScreenGrabSteps& steps, HWND clipboardOwner) {
    return Capture(settings, factory, holeOnScreen, virtualScreen, keys, now, steps, clipboardOwner, &probe);
}
