#include "capture/ShutterCapture.h"

#include "capture/CaptureImage.h"
#include "capture/CaptureProbe.h"
#include "capture/CopyImageToClipboard.h"
#include "capture/EncodeImageFile.h"
#include "framework/SystemLibrary.h"

#include <algorithm>

ShutterRules::HeldTypeKeys ReadHeldTypeKeys(const KeyStateReaders& readers) {
    const auto held = [&readers](int vk) {
        return readers.threadState(vk) < 0 || readers.keyboardState(vk) < 0;
    };
    ShutterRules::HeldTypeKeys keys;
    keys.j = held('J');
    keys.b = held('B');
    keys.g = held('G');
    keys.p = held('P');
    keys.c = held('C');
    keys.d = held('D');
    keys.r = held('R');
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

ShutterCalls ShutterCalls::OfSystem() {
    static const auto flush = SystemFunction<HRESULT(WINAPI*)()>(L"dwmapi.dll", "DwmFlush");
    ShutterCalls calls;
    calls.flushComposition = flush;
    return calls;
}

std::optional<CaptureResult> TakeCapture(const Settings& settings, IWICImagingFactory* factory,
                                         RECT holeOnScreen, const RECT& virtualScreen,
                                         const ShutterRules::HeldTypeKeys& keys,
                                         const SettingsRules::LocalTime& now, const ShutterCalls& calls,
                                         HWND clipboardOwner) {
    const ImageType imageType = ShutterRules::EffectiveType(keys, settings.type);
    // The one folder of this capture: the one made when missing and written to.
    const CString folder = settings.outputPath;

    RECT area = holeOnScreen;
    area.left = std::max(area.left, virtualScreen.left);
    area.top = std::max(area.top, virtualScreen.top);
    area.right = std::min(area.right, virtualScreen.right);
    area.bottom = std::min(area.bottom, virtualScreen.bottom);
    if (area.right - area.left <= 0 || area.bottom - area.top <= 0)
        return std::nullopt;

    if (calls.flushComposition)
        calls.flushComposition();
    CaptureImage image;
    calls.grab(image, area, settings.combiningCursor);
    // Named after the grab, so that listing the folder for a number never
    // delays the moment the screen is read.
    const CString name = settings.OutputFileName(imageType, now,
                                                 settings.NumbersCaptures() && calls.listFolder
                                                     ? calls.listFolder(folder)
                                                     : std::vector<std::u16string>{});

    CaptureResult result;
    if (const DWORD error = CreateFolderIfMissing(folder))
        result.Fail(CaptureResult::Step::Folder, error, folder.str());
    const float quality = ShutterRules::ShutterQuality(settings.jpegQuality);
    // A result below 1 leaves nothing to delete: the encoder writes under a
    // temporary name and removes it itself, and gives a file the name only
    // when it succeeded, so an earlier file of that name survives.
    result.code = EncodeImageFile(factory, image, folder, name, imageType, quality, &result, calls.probe);
    if (result.Written()) {
        result.path = FromU16(SettingsRules::PathInFolder(AsU16(folder), AsU16(name))).str();
        if (result.failed == CaptureResult::Step::Folder) {
            result.failed = CaptureResult::Step::None; // made after all
            result.error = 0;
        }
    }
    if (clipboardOwner && ShutterRules::CopiesToClipboard(keys, settings.copyToClipboard) &&
        !CopyImageToClipboard(clipboardOwner, factory, image))
        result.Fail(CaptureResult::Step::Clipboard, ::GetLastError(), result.path);
    return result;
}
