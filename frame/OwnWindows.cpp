#include "frame/OwnWindows.h"

#include "frame/CFrameToolTips.h"

namespace {
struct CloseRequest {
    HWND frame;
    HWND tooltip; // part of the frame, not a window to close
};

BOOL CALLBACK PostCloseToVisible(HWND hwnd, LPARAM param) {
    auto* request = reinterpret_cast<CloseRequest*>(param);
    if (hwnd != request->frame && hwnd != request->tooltip && ::IsWindowVisible(hwnd))
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}
} // namespace

OwnWindows::OwnWindows(CWnd& frame, const CFrameToolTips& toolTips, CWnd& options, CWnd& controller,
                       CWnd& sizeList)
    : m_frame(frame), m_toolTips(toolTips), m_options(options), m_controller(controller),
      m_sizeList(sizeList), m_dwUiThreadId(::GetCurrentThreadId()) {}

bool OwnWindows::IsOpen(const CWnd& wnd) {
    return wnd.m_hWnd && ::IsWindow(wnd.m_hWnd);
}

bool OwnWindows::HideForShutter(CWnd& wnd, const RECT& area) {
    if (!IsOpen(wnd))
        return false;
    RECT rect{}, overlap{};
    const bool covered = wnd.IsWindowVisible() && ::GetWindowRect(wnd.m_hWnd, &rect) &&
                         ::IntersectRect(&overlap, &rect, &area);
    wnd.ShowWindow(SW_HIDE);
    wnd.PostMessage(WM_CLOSE);
    return covered;
}

int OwnWindows::CloseAll(HWND except) {
    CloseRequest request{m_frame.m_hWnd, m_toolTips.Handle()};
    const auto openBesides = [except](const CWnd& wnd) { return IsOpen(wnd) && wnd.m_hWnd != except; };
    // A modal dialog may have opened a window of its own (a colour or file
    // dialog): every visible window of the thread is asked.
    if (openBesides(m_options)) {
        ::EnumThreadWindows(m_dwUiThreadId, PostCloseToVisible, reinterpret_cast<LPARAM>(&request));
        return 0;
    }
    if (openBesides(m_controller)) {
        m_controller.PostMessage(WM_CLOSE);
        return 0;
    }
    if (openBesides(m_sizeList)) {
        ::EnumThreadWindows(m_dwUiThreadId, PostCloseToVisible, reinterpret_cast<LPARAM>(&request));
        return 0;
    }
    return 1;
}

bool OwnWindows::MakeWay(UINT id, HWND keep) {
    if (!CloseAll(keep)) {
        switch (m_retry.Blocked(id, ::GetTickCount())) {
        case frame::CommandRetry::Step::Now:
            PostCommand(id);
            break;
        case frame::CommandRetry::Step::Later:
            m_frame.SetTimer(kRetryTimer, frame::CommandRetry::kDelayMillis);
            break;
        case frame::CommandRetry::Step::GiveUp:
            break;
        }
        return false;
    }
    m_retry.Passed();
    return true;
}

void OwnWindows::OnRetryTimer() {
    for (unsigned command : m_retry.TakeWaiting())
        PostCommand(command);
}

void OwnWindows::PostCommand(UINT id) const {
    m_frame.PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
