#include "controls/CStaticEx.h"

BEGIN_MESSAGE_MAP(CStaticEx, CStatic)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
END_MESSAGE_MAP()

LRESULT CStaticEx::OnNcHitTest(WPARAM, LPARAM) {
    return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) ? HTCLIENT : HTTRANSPARENT;
}

LRESULT CStaticEx::OnRButtonDown(WPARAM, LPARAM) {
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), STN_RBUTTONDOWN),
                   reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}
