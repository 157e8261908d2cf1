// What the frame asks the system about the monitor it stands on and about a
// window it is fitted to. Each is a replaceable function whose default is the
// real call, looked up at run time because older systems lack it, so a test
// can stand in the behaviour Windows documents where the test system differs.
#pragma once

#include <windows.h>

struct DisplayQueries {
    // The DPI of the monitor the window stands on (GetDpiForWindow), or 0
    // when the system cannot tell.
    UINT (*windowDpi)(HWND window);
    // A system metric for a DPI (GetSystemMetricsForDpi); the system DPI's
    // value where the system has no per-DPI metrics.
    int (*metricForDpi)(int index, UINT dpi);
    // The visible bounds of a top-level window, without the invisible resize
    // borders (DWMWA_EXTENDED_FRAME_BOUNDS); false when the system cannot
    // give them.
    bool (*visibleBounds)(HWND window, RECT& bounds);
    // The window a click at a screen point is fitted to: the deepest visible
    // window there, static and disabled controls included, which
    // WindowFromPoint passes over. Null when there is none.
    HWND (*windowAt)(POINT screen);
    // The DPI of the monitor a screen rectangle lies on (most of it, or the
    // nearest), or 0 when the system cannot tell.
    UINT (*monitorDpi)(const RECT& rect);

    // The real calls.
    static const DisplayQueries& System();
};
