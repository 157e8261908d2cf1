// Private messages of the capture frame window.
#pragma once

#include "sizelist/FrameInfoMessage.h"

#include <windows.h>

// Show the popup menu at a screen point (lParam: x low word, y high word);
// wParam 1 leaves out the Move item. Posted by the frame to itself.
constexpr UINT WM_APP_SHOWMENU = WM_USER + 100;
// Posted by the frame to itself when the capture hotkey could not be had
// even with the frame in front: offers to free PrintScreen, or says so.
constexpr UINT WM_APP_HOTKEYUNAVAILABLE = WM_USER + 109;
// The taskbar's request for the window menu of the frame's button.
constexpr UINT WM_TASKBAR_WINDOW_MENU = 0x0313;
// The message the shell sends when it has created the frame's taskbar button
// (registered at start-up).
extern const UINT WM_TASKBAR_BUTTON_CREATED;
