// A picture static that reports a right press to its parent as WM_COMMAND
// with STN_RBUTTONDOWN and hands everything else to the parent as if the
// picture were not there: the pointer shape and left presses follow the
// parent's own hit test at that point (a resize corner, say).
#pragma once

#include "framework/CStatic.h"

constexpr WORD STN_RBUTTONDOWN = 0x1801;

class CStaticEx : public CStatic {
private:
    int OnNcHitTest(POINT screen);
    BOOL OnSetCursor(HWND under, UINT hitTest, UINT mouseMessage);
    void OnLButtonDown(UINT flags, POINT client);
    void OnRButtonDown(UINT flags, POINT client);
    DECLARE_MESSAGE_MAP()

    // The parent's hit-test code at a point in screen coordinates.
    LRESULT ParentHitTest(POINT screen) const;
};
