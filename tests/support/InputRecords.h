// Input records for SendInput as the keyboard and the mouse would produce
// them. Header-only, so that small helper programs can use it without the
// rest of the test support.
#pragma once

#include <windows.h>

namespace test_support {

// A key going down or up, with its scan code beside the virtual-key code.
inline INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

// Absolute coordinates are mapped back to pixels as (d * size) >> 16, so the
// smallest d that lands on a pixel is ceil((pixel - origin) * 65536 / size).
inline LONG NormalisedCoordinate(LONG pixel, int origin, int size) {
    const long long offset = static_cast<long long>(pixel) - origin;
    return static_cast<LONG>((offset * 65536 + size - 1) / size);
}

// The mouse moved to an exact pixel of the virtual screen, with the button
// flags (MOUSEEVENTF_LEFTDOWN, ...) added to the move.
inline INPUT MouseInput(POINT screen, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = NormalisedCoordinate(screen.x, ::GetSystemMetrics(SM_XVIRTUALSCREEN),
                                    ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    in.mi.dy = NormalisedCoordinate(screen.y, ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                                    ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE | flags;
    return in;
}

} // namespace test_support
