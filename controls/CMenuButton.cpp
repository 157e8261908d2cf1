#include "controls/CMenuButton.h"

BEGIN_MESSAGE_MAP(CMenuButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

void CMenuButton::ShowMenu() {
    if (!m_hWnd)
        return;
    RECT r{};
    GetWindowRect(&r);
    HMENU popup = m_menu.GetSafeHmenu() ? m_menu.GetSubMenu(0).GetSafeHmenu() : nullptr;
    if (!popup)
        return;
    ::TrackPopupMenu(popup, TPM_RIGHTALIGN, r.right, r.bottom, 0, ::GetParent(m_hWnd), nullptr);
}

void CMenuButton::OnClicked() {
    ShowMenu();
}

bool CMenuButton::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_DOWN && msg->hwnd == m_hWnd)
        ShowMenu();
    return CButton::PreTranslateMessage(msg);
}
