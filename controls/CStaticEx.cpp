#include "controls/CStaticEx.h"

#include <windowsx.h>

BEGIN_MESSAGE_MAP(CStaticEx, CStatic)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDown)
ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
END_MESSAGE_MAP()

// The control takes every mouse message, so that the message itself says
// which button was pressed: at hit-test time the press may already be over
// (a quick click), and the physical buttons are not the logical ones when the
// user has swapped them.
LRESULT CStaticEx::OnNcHitTest(WPARAM, LPARAM) {
    return HTCLIENT;
}

LRESULT CStaticEx::ParentHitTest(POINT screen) const {
    return ::SendMessageW(::GetParent(m_hWnd), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

// The pointer is the one the parent shows at this point.
LRESULT CStaticEx::OnSetCursor(WPARAM, LPARAM lParam) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    HWND parent = ::GetParent(m_hWnd);
    const LRESULT hit = ParentHitTest(cursor);
    return ::SendMessageW(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent),
                          MAKELPARAM(static_cast<WORD>(hit), HIWORD(lParam)));
}

// A left press is the parent's: on its border or corner the parent starts
// moving or sizing as for a press of its own.
LRESULT CStaticEx::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::MapWindowPoints(m_hWnd, nullptr, &point, 1);
    HWND parent = ::GetParent(m_hWnd);
    const LRESULT hit = ParentHitTest(point);
    if (hit == HTCLIENT) {
        ::MapWindowPoints(nullptr, parent, &point, 1);
        ::SendMessageW(parent, WM_LBUTTONDOWN, wParam, MAKELPARAM(point.x, point.y));
    } else if (hit != HTNOWHERE && hit != HTTRANSPARENT) {
        ::SendMessageW(parent, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(point.x, point.y));
    }
    return 0;
}

LRESULT CStaticEx::OnRButtonDown(WPARAM, LPARAM) {
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), STN_RBUTTONDOWN),
                   reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}
