#pragma once

#include "tests/e2e/E2eHarness.h"

#include <windows.h>

#include <string>

// What an end-to-end test reads from the desktop and how it acts on it, beside
// the program-level helpers of E2eHarness: screen pixels, the shape and layer
// of another process's window, and mouse and keyboard input at exact pixels.
//
// Input goes through SendInput with absolute coordinates. Under Wine it moves
// and resizes windows that answer HTCAPTION or a corner code, as real mouse
// input does, as long as the window belongs to another thread than the one
// sending: a window's own thread sits in the system's move loop from the
// button press on and would never send the rest of the drag.
class E2eDesktop {
public:
    using Image = E2eHarness::Image;

    // Copies a screen rectangle from the desktop DC (BitBlt SRCCOPY) into
    // 0xAARRGGBB pixels with alpha 0xFF, the layout E2eHarness::Decode gives.
    static bool Grab(const RECT& screen, Image& image);
    // Largest difference of one colour channel between two images of one
    // size, alpha ignored; -1 when the sizes differ.
    static int MaxChannelDifference(const Image& a, const Image& b);
    // Mean absolute difference per colour channel; -1 when the sizes differ.
    static double MeanChannelDifference(const Image& a, const Image& b);

    // Whether the window's region holds a point in window coordinates. A
    // window without a region holds every point of its rectangle.
    static bool RegionContains(HWND window, int x, int y);
    // The hole of a window shaped as a border around an empty rectangle: the
    // run of points outside the region that has region on both sides, along
    // the middle column (top and bottom) and then along the middle row of that
    // run (left and right). In screen coordinates; false when there is none.
    static bool FindHole(HWND window, RECT& hole);
    // The alpha of a layered window (GetLayeredWindowAttributes); false when
    // the window is not layered with LWA_ALPHA.
    static bool LayeredAlpha(HWND window, BYTE& alpha);
    // Work area of the primary monitor.
    static RECT WorkArea();
    // The screen's DPI, which the sizes the tests compare depend on.
    static int ScreenDpi();

    // One input record through SendInput, then 60 ms of this thread's
    // messages, so that it is delivered before the next one.
    static void Send(const INPUT& input);

    // The mouse to an exact pixel, and a left (or right) click there.
    static void MoveMouse(POINT screen);
    static void Click(POINT screen, bool right = false);
    // The window that holds the mouse capture in the window's thread.
    static HWND CaptureOf(HWND window);
    // The visible fit-mode overlay owned by a frame window, or null.
    static HWND FitOverlayOf(HWND frame);
    // One key down or up, for holding keys over other input.
    static void KeyDown(WORD vk);
    static void KeyUp(WORD vk);

    // Runs a shell command on the Unix side (xdotool, ImageMagick) and waits
    // for it, pumping this thread's messages; true when it exits with 0.
    // Input from the X server is what a person's keyboard and mouse give:
    // Wine hands SendInput to windows Windows would not.
    static bool RunOnX(const std::string& command, DWORD timeoutMs = 10000);
    // Clicks focusAt from the X server, which gives the window there the
    // keyboard as a person's click does, then presses keys (xdotool's words,
    // such as "key Escape"); the pointer then goes to the corner.
    static bool XPressAt(POINT focusAt, const std::string& keys);
    // A point of a frame window's left border: a click there focuses the frame
    // and does nothing else.
    static POINT FrameBorderPoint(HWND frame);
};
