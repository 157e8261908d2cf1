// One capture of the shutter: from the frame's hole on the screen to a
// written image file. The frame window gathers the inputs and shows the
// result; everything in between happens here.
#pragma once

#include "app/Settings.h"
#include "capture/CaptureImage.h"
#include "capture/ShutterRules.h"
#include "framework/CString.h"

#include <windows.h>
#include <wincodec.h>

#include <optional>

// The J, B, G, P, C and R keys as GetKeyState reports them for the message
// being handled.
ShutterRules::HeldTypeKeys ReadHeldTypeKeys();

// The local date and time of this moment, to the millisecond.
SettingsRules::LocalTime ReadLocalTime();

// The virtual screen (all monitors) in screen coordinates.
RECT VirtualScreenRect();

// Reads the screen area into image (CaptureImage::Grab).
void GrabScreen(CaptureImage& image, const RECT& area, bool withCursor);

// The steps around reading the screen, replaceable where only a composited
// Windows desktop shows what they do.
struct ScreenGrabSteps {
    // Called right before the pixels are read, to wait until the desktop
    // shows what was just hidden; null when nothing was hidden.
    HRESULT(WINAPI* waitForPresent)() = nullptr;
    void (*grab)(CaptureImage& image, const RECT& area, bool withCursor) = &GrabScreen;
};

// Takes one capture:
//  - the image type is the one of the held keys (J > B > G > P), else the
//    settings' type;
//  - the file goes into the settings' output folder, under the fixed name or
//    the time stamp `now`, with that type's extension;
//  - the hole (screen coordinates, right and bottom exclusive) is clipped to
//    virtualScreen; an empty remainder stops here;
//  - steps.waitForPresent runs, then the pixels are grabbed (steps.grab),
//    with the cursor when combiningCursor is set; a grab that could not copy
//    the screen leaves the image empty, which the encoder reports as
//    kEncodeNoSource;
//  - the output folder is created when missing;
//  - the image is encoded with quality jpegQuality / 100 + 0.001.
// Returns std::nullopt when it stopped before encoding (nothing written; the
// status label stays as it is), otherwise EncodeImageFile's result: the file
// size (> 0), or 0 / a negative code, in which case no file of this capture
// exists and a file that was at the path before is untouched.
// With C held or the settings' copyToClipboard on, the grabbed pixels also
// go to the clipboard, owned by clipboardOwner, whatever became of the file;
// a clipboard that stays busy is given up silently.
std::optional<int> TakeCapture(const Settings& settings, IWICImagingFactory* factory, RECT holeOnScreen,
                               const RECT& virtualScreen, const ShutterRules::HeldTypeKeys& keys,
                               const SettingsRules::LocalTime& now,
                               const ScreenGrabSteps& steps = ScreenGrabSteps{},
                               HWND clipboardOwner = nullptr);
