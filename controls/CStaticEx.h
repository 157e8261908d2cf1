// A picture static that is transparent to the mouse except for the right
// button: hover and left presses reach the window beneath it, a right press
// is reported to the parent as WM_COMMAND with STN_RBUTTONDOWN.
#pragma once

#include "framework/CStatic.h"

constexpr WORD STN_RBUTTONDOWN = 0x1801;

class CStaticEx : public CStatic {
private:
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnRButtonDown(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
