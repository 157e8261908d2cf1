#include "controls/CStaticEx.h"

BEGIN_MESSAGE_MAP(CStaticEx, CStatic)
ON_WM_NCHITTEST(OnNcHitTest)
ON_WM_SETCURSOR(OnSetCursor)
ON_WM_LBUTTONDOWN(OnLButtonDown)
ON_WM_LBUTTONDBLCLK(OnLButtonDown)
ON_WM_RBUTTONDOWN(OnRButtonDown)
END_MESSAGE_MAP()

// The control takes every mouse message, so that the message itself says
// which button was pressed: at hit-test time the press may already be over
// (a quick click), and the physical buttons are not the logical ones when the
// user has swapped them.
int CStaticEx::OnNcHitTest(POINT) {
    return HTCLIENT;
}

LRESULT CStaticEx::ParentHitTest(POINT screen) const {
    return ::SendMessageW(::GetParent(m_hWnd), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

// The pointer is the one the parent shows at this point.
BOOL CStaticEx::OnSetCursor(HWND, UINT, UINT mouseMessage) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    HWND parent = ::GetParent(m_hWnd);
    const LRESULT hit = ParentHitTest(cursor);
    return ::SendMessageW(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent),
                          MAKELPARAM(static_cast<WORD>(hit), mouseMessage)) != 0;
}

// A left press is the parent's: on its border or corner the parent starts
// moving or sizing as for a press of its own.
void CStaticEx::OnLButtonDown(UINT flags, POINT client) {
    POINT point = client;
    ::MapWindowPoints(m_hWnd, nullptr, &point, 1);
    HWND parent = ::GetParent(m_hWnd);
    const LRESULT hit = ParentHitTest(point);
    if (hit == HTCLIENT) {
        ::MapWindowPoints(nullptr, parent, &point, 1);
        ::SendMessageW(parent, WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    } else if (hit != HTNOWHERE && hit != HTTRANSPARENT) {
        ::SendMessageW(parent, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(point.x, point.y));
    }
}

void CStaticEx::OnRButtonDown(UINT, POINT) {
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), STN_RBUTTONDOWN),
                   reinterpret_cast<LPARAM>(m_hWnd));
}
