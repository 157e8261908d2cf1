// The frame's own windows (options, controller, size list) as the frame's
// commands see them: a command that opens one of them first asks the others
// to close and tries again once they have; the shutter hides them so they
// are not in the picture.
#pragma once

#include "frame/CommandRetry.h"
#include "framework/CWnd.h"

#include <windows.h>

class CFrameToolTips;

class OwnWindows {
public:
    // frame posts the retried commands and runs their timer; toolTips are
    // part of the frame and never closed.
    OwnWindows(CWnd& frame, const CFrameToolTips& toolTips, CWnd& options, CWnd& controller, CWnd& sizeList);

    // Asks the other windows of the program to close; 1 when none (apart
    // from except) is open, otherwise 0 after posting them WM_CLOSE.
    int CloseAll(HWND except);
    // Whether command id may run now: true when no window but keep is open;
    // otherwise asks them to close and tries the command again later (or,
    // after a few tries, gives up).
    bool MakeWay(UINT id, HWND keep);
    // The retry timer (kRetryTimer) went off: the waiting commands run.
    void OnRetryTimer();

    static bool IsOpen(const CWnd& wnd);
    // Hides an open window of ours before a capture and lets it close
    // afterwards; true when it was showing over area (screen coordinates).
    static bool HideForShutter(CWnd& wnd, const RECT& area);

    static constexpr UINT_PTR kRetryTimer = 3;

private:
    void PostCommand(UINT id) const;

    CWnd& m_frame;
    const CFrameToolTips& m_toolTips;
    CWnd& m_options;
    CWnd& m_controller;
    CWnd& m_sizeList;
    DWORD m_dwUiThreadId = 0;
    frame::CommandRetry m_retry;
};
