#include "controls/CRGBStatic.h"

#include "framework/CColorDialog.h"

BEGIN_MESSAGE_MAP(CRGBStatic, CStatic)
ON_WM_SIZE(OnSize)
ON_WM_ERASEBKGND(OnEraseBkgnd)
ON_WM_SETCURSOR(OnSetCursor)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

COLORREF* CRGBStatic::CustomColors() {
    static COLORREF colors[16] = {};
    return colors;
}

void CRGBStatic::ReloadCursor() {
    m_hCursor.reset();
    if (m_nCursorId == 0)
        return;
    m_hCursor.reset(static_cast<HCURSOR>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nCursorId), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

void CRGBStatic::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    ReloadCursor();
    ModifyStyle(0, SS_NOTIFY);
}

void CRGBStatic::OnSize(UINT, int, int) {
    Default();
    // The default cursor size follows the monitor's scale.
    if (IsWindowVisible())
        ReloadCursor();
}

BOOL CRGBStatic::OnEraseBkgnd(HDC dc) {
    RECT client{};
    GetClientRect(&client);
    const COLORREF oldColor = ::SetBkColor(dc, m_crColor);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    ::SetBkColor(dc, oldColor);
    return Default() != 0;
}

BOOL CRGBStatic::OnSetCursor(HWND, UINT, UINT) {
    if (m_hCursor) {
        ::SetCursor(m_hCursor.get());
        return true;
    }
    return Default() != 0;
}

void CRGBStatic::OnClicked() {
    SelectColor();
}

bool CRGBStatic::SelectColor() {
    CColorDialog dialog(m_crColor, CC_FULLOPEN, nullptr);
    COLORREF* custom = CustomColors();
    custom[0] = m_crDefault;
    if (m_crColor != m_crDefault)
        custom[1] = m_crColor;
    dialog.m_cc.lpCustColors = custom;
    if (dialog.DoModal() != IDOK)
        return false;
    m_crColor = dialog.GetColor();
    Invalidate(true);
    return true;
}
