// One capture of the shutter: from the frame's hole on the screen to a
// written image file. The frame window gathers the inputs and shows the
// result; everything in between happens here.
#pragma once

#include "app/Settings.h"
#include "capture/CaptureImage.h"
#include "capture/CaptureResult.h"
#include "capture/ShutterRules.h"
#include "framework/CString.h"

#include <windows.h>
#include <wincodec.h>

#include <optional>

// The two readings of a key's state: as this thread's messages have left it
// (GetKeyState), and as the keyboard is at this moment (GetAsyncKeyState).
struct KeyStateReaders {
    SHORT(WINAPI* threadState)(int vk) = ::GetKeyState;
    SHORT(WINAPI* keyboardState)(int vk) = ::GetAsyncKeyState;
};

// The J, B, G, P, C, D and R keys, each held when either reading says it is down:
// the frame seldom has the keyboard when the user shoots (it stands over
// the program being captured), so its thread has not read those keys'
// messages, while the keyboard's own state knows them.
ShutterRules::HeldTypeKeys ReadHeldTypeKeys(const KeyStateReaders& readers = KeyStateReaders{});

// The local date and time of this moment, to the millisecond.
SettingsRules::LocalTime ReadLocalTime();

// The virtual screen (all monitors) in screen coordinates.
RECT VirtualScreenRect();

// Reads the screen area into image (CaptureImage::Grab).
void GrabScreen(CaptureImage& image, const RECT& area, bool withCursor);

struct CaptureProbe;

// The system calls of the shutter, replaceable where only a composited
// Windows desktop shows what they do; the frame gets them at construction,
// tests give their own.
struct ShutterCalls {
    // Blocks until the desktop composition has presented (DwmFlush), called
    // right before the pixels are read so that a window just hidden is gone
    // from the picture; null where the system has none or nothing was hidden.
    HRESULT(WINAPI* flushComposition)() = nullptr;
    void (*grab)(CaptureImage& image, const RECT& area, bool withCursor) = &GrabScreen;
    // The taskbar button's flash that tells a result.
    BOOL(WINAPI* flashWindowEx)(PFLASHWINFO info) = &::FlashWindowEx;
    // The file names in the output folder, read when a '#' run numbers the
    // captures.
    std::vector<std::u16string> (*listFolder)(const wchar_t* folder) = &ListFolderFiles;
    // Notes what went to the encoder (tests); null in the program.
    CaptureProbe* probe = nullptr;

    // The calls of the running system, DwmFlush looked up in dwmapi.
    static ShutterCalls OfSystem();
};

// Takes one capture:
//  - the image type is the one of the held keys (J > B > G > P), else the
//    settings' type;
//  - the file goes into the settings' output folder, under the fixed name or
//    the time stamp `now`, with that type's extension; a '#' run in the
//    fixed name takes the number after the highest of the folder's files
//    (calls.listFolder);
//  - the hole (screen coordinates, right and bottom exclusive) is clipped to
//    virtualScreen; an empty remainder stops here;
//  - calls.flushComposition runs, then the pixels are grabbed (calls.grab),
//    with the cursor when combiningCursor is set; a grab that could not copy
//    the screen leaves the image empty, which the encoder reports as
//    kEncodeNoSource;
//  - the output folder is created when missing;
//  - the image is encoded with quality jpegQuality / 100 + 0.001.
// Returns std::nullopt when it stopped before encoding (nothing written; the
// status label stays as it is), otherwise what became of the capture: the
// file size (code > 0), or 0 / a negative code (EncodeImageFile's results),
// in which case no file of this capture exists and a file that was at the
// path before is untouched; a failure names its step, the system's error and
// the path. A folder that could not be made is the failed step even where
// the encoder then failed for want of it.
// With C held or the settings' copyToClipboard on, the grabbed pixels also
// go to the clipboard, owned by clipboardOwner, whatever became of the file;
// a clipboard that stays busy is noted as the failed step of a written file.
std::optional<CaptureResult> TakeCapture(const Settings& settings, IWICImagingFactory* factory,
                                         RECT holeOnScreen, const RECT& virtualScreen,
                                         const ShutterRules::HeldTypeKeys& keys,
                                         const SettingsRules::LocalTime& now,
                                         const ShutterCalls& calls = ShutterCalls{},
                                         HWND clipboardOwner = nullptr);
