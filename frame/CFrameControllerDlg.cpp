#include "frame/CFrameControllerDlg.h"

#include "frame/CFrameGeometry.h"
#include "frame/ControllerSteps.h"
#include "framework/AccessibleName.h"
#include "geometry/WinRect.h"
#include "res/resource.h"

namespace {
constexpr BYTE kControllerAlpha = 210;
}

BEGIN_MESSAGE_MAP(CFrameControllerDlg, CDialog)
ON_WM_NCHITTEST(OnNcHitTest)
ON_WM_NCRBUTTONUP(OnNcRButtonUp)
ON_COMMAND_RANGE(IDC_MOVE_LEFT, IDC_BOTTOM_EDGE_OUT, OnMoveButton)
ON_STN_CLICKED(IDC_TAB_PICTURE, OnTabPicture)
END_MESSAGE_MAP()

CFrameControllerDlg::CFrameControllerDlg(CWnd* frame)
    : CDialog(IDD_FRAME_CONTROLLER, frame), m_pFrameWnd(frame) {}

CFrameControllerDlg::~CFrameControllerDlg() {
    // The window lives no longer than its object.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CFrameControllerDlg::DoDataExchange(CDataExchange* dx) {
    for (int i = 0; i < kButtonCount; ++i)
        DDX_Control(dx, IDC_MOVE_LEFT + i, m_buttons[static_cast<size_t>(i)]);
}

BOOL CFrameControllerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The buttons show pictures; screen readers say what each one does.
    for (int i = 0; i < kButtonCount; ++i) {
        CString name;
        name.LoadString(IDS_NAME_MOVE_LEFT + static_cast<UINT>(i));
        SetAccessibleName(m_buttons[static_cast<size_t>(i)].m_hWnd, name);
    }
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 0, kControllerAlpha, LWA_ALPHA);
    // Shown here without activation, so the dialog manager does not show it
    // the activating way: the frame stays the active window.
    CenterOnFrame();
    ShowWindow(SW_SHOWNOACTIVATE);
    return false;
}

void CFrameControllerDlg::OnOK() {
    DestroyWindow();
}

void CFrameControllerDlg::OnCancel() {
    DestroyWindow();
}

void CFrameControllerDlg::CenterOnFrame() {
    if (!m_pFrameWnd || !m_hWnd)
        return;
    RECT f, c;
    m_pFrameWnd->GetWindowRect(&f);
    GetWindowRect(&c);
    geometry::Point at = frame::CenterOn(geometry::FromRECT(f), c.right - c.left, c.bottom - c.top);
    SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CFrameControllerDlg::OnNcHitTest(POINT) {
    return HTCAPTION;
}

void CFrameControllerDlg::OnNcRButtonUp(UINT, POINT) {
    DestroyWindow();
}

void CFrameControllerDlg::OnMoveButton(UINT id) {
    if (!m_pFrameWnd)
        return;
    RECT r;
    m_pFrameWnd->GetWindowRect(&r);
    geometry::Rect w = geometry::FromRECT(r);
    if (!frame::ApplyControllerStep(static_cast<int>(id), w))
        return;
    m_pFrameWnd->MoveWindow(w.left, w.top, w.Width(), w.Height(), true);
}

void CFrameControllerDlg::OnTabPicture() {
    HWND frameWnd = m_pFrameWnd ? m_pFrameWnd->m_hWnd : nullptr;
    DestroyWindow();
    if (frameWnd)
        ::PostMessageW(frameWnd, WM_COMMAND, IDM_SELECT_SIZE, 0);
}
