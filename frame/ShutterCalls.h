// The system calls of the frame's shutter whose effect only a composited
// Windows desktop shows; the frame takes them from here, tests give their own.
#pragma once

#include "capture/ShutterCapture.h"

#include <windows.h>

struct ShutterCalls {
    // Blocks until the desktop composition has presented (DwmFlush); null
    // where the system has none.
    HRESULT(WINAPI* flushComposition)() = nullptr;
    void (*grab)(CaptureImage& image, const RECT& area, bool withCursor) = &GrabScreen;
    BOOL(WINAPI* flashWindowEx)(PFLASHWINFO info) = &::FlashWindowEx;
    // The file names in the output folder, for numbered captures.
    std::vector<std::u16string> (*listFolder)(const wchar_t* folder) = &ListFolderFiles;

    // The calls of the running system, DwmFlush looked up in dwmapi.
    static ShutterCalls OfSystem();
};
