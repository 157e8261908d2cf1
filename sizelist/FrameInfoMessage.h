// The one question the size dialog asks the frame window it works on.
#pragma once

#include <windows.h>

// Sent by the size dialog: wParam -> two ints receiving the minimum hole
// size, lParam -> RECT receiving the hole in window coordinates. The frame
// window answers it; either pointer may be null.
constexpr UINT WM_APP_GETFRAMEINFO = WM_USER + 102;
