#include "frame/CFitOverlay.h"

#include "res/resource.h"

namespace {

const wchar_t kClassName[] = L"Frimlet2FitOverlay";
// Alpha 1 of 255 shows nothing of the overlay, yet, unlike alpha 0, keeps it
// hit-testable, so the clicks come to it.
constexpr BYTE kAlpha = 1;

bool RegisterOverlayClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, kClassName, &wc))
        return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    // No class cursor (WM_SETCURSOR sets the target cursor) and no
    // background: the overlay draws nothing.
    return ::RegisterClassExW(&wc) != 0;
}

RECT VirtualScreen() {
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

} // namespace

BEGIN_MESSAGE_MAP(CFitOverlay, CWnd)
ON_WM_SETCURSOR(OnSetCursor)
ON_WM_MOUSEACTIVATE(OnMouseActivate)
ON_WM_LBUTTONDOWN(OnLButtonDown)
ON_WM_RBUTTONDOWN(OnRButtonDown)
ON_WM_LBUTTONUP(OnLButtonUp)
ON_WM_RBUTTONUP(OnRButtonUp)
ON_WM_CAPTURECHANGED(OnCaptureChanged)
ON_WM_KEYDOWN(OnKeyDown)
ON_WM_ENDSESSION(OnEndSession)
ON_WM_DISPLAYCHANGE(OnDisplayChange)
END_MESSAGE_MAP()

HCURSOR CFitOverlay::TargetCursor() {
    // Loaded as shared, the cursor is owned by the system, valid while the
    // module is loaded and never destroyed here.
    return static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDCUR_FIT_TARGET),
                                             IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

bool CFitOverlay::Open(HWND owner, EndHandler onEnd) {
    if (IsOpen() || !RegisterOverlayClass())
        return false;
    m_onEnd = std::move(onEnd);
    m_nPressed = 0;
    m_bFinishing = false;
    const RECT screen = VirtualScreen();
    // Owned by the frame, so it stays above it and goes with it; never
    // activated, so the frame keeps the keyboard (Esc) and the foreground.
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"",
                  WS_POPUP, screen, owner, 0))
        return false;
    ::SetLayeredWindowAttributes(m_hWnd, 0, kAlpha, LWA_ALPHA);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // The pointer already stands over the overlay; show the target before
    // it next moves.
    ::SetCursor(TargetCursor());
    return true;
}

void CFitOverlay::Close() {
    m_onEnd = nullptr;
    if (!IsOpen())
        return;
    m_bFinishing = true;
    DestroyWindow(); // gives up the capture it may hold
    if (::GetCursor() == TargetCursor())
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CFitOverlay::CoverVirtualScreen() const {
    const RECT screen = VirtualScreen();
    SetWindowPos(HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOACTIVATE);
}

void CFitOverlay::Finish(UINT button, POINT screen) {
    if (m_bFinishing)
        return;
    m_bFinishing = true;
    // Only a capture the overlay took is given back.
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    EndHandler onEnd = std::move(m_onEnd);
    m_onEnd = nullptr;
    if (onEnd)
        onEnd(button, screen);
}

BOOL CFitOverlay::OnSetCursor(HWND, UINT, UINT) {
    ::SetCursor(TargetCursor());
    return true;
}

int CFitOverlay::OnMouseActivate(HWND, UINT, UINT) {
    return MA_NOACTIVATE;
}

void CFitOverlay::Press(UINT button, POINT client) {
    if (m_nPressed || m_bFinishing)
        return;
    m_nPressed = button;
    m_ptPressedAt = client;
    ClientToScreen(&m_ptPressedAt);
    // With the button down the capture holds, so the release comes here too
    // and not to the window beneath.
    SetCapture();
}

void CFitOverlay::Release(UINT button) {
    if (m_nPressed == button)
        Finish(button, m_ptPressedAt);
}

void CFitOverlay::OnLButtonDown(UINT, POINT client) {
    Press(MK_LBUTTON, client);
}

void CFitOverlay::OnRButtonDown(UINT, POINT client) {
    Press(MK_RBUTTON, client);
}

void CFitOverlay::OnLButtonUp(UINT, POINT) {
    Release(MK_LBUTTON);
}

void CFitOverlay::OnRButtonUp(UINT, POINT) {
    Release(MK_RBUTTON);
}

void CFitOverlay::OnCaptureChanged(HWND gaining) {
    // Another window took the mouse in the middle of the click: fit mode
    // ends without fitting, and that window keeps its capture.
    if (m_nPressed && gaining != m_hWnd)
        Finish(0, POINT{});
}

void CFitOverlay::OnKeyDown(UINT vk, UINT, UINT) {
    if (vk == VK_ESCAPE)
        Finish(0, POINT{});
}

void CFitOverlay::OnEndSession(BOOL ending, UINT) {
    if (ending)
        Finish(0, POINT{});
}

void CFitOverlay::OnDisplayChange(UINT, int, int) {
    CoverVirtualScreen();
}
