// The frame's shape on the screen: painting, sizing, the layout of its
// tab's controls and its scale on monitors of different DPI.
#include "frame/CFrimlet2Dlg.h"

#include "app/Settings.h"
#include "geometry/WinRect.h"

#include <optional>

void CFrimlet2Dlg::OnPaint() {
    PaintDC dc(m_hWnd);
    if (IsIconic()) {
        RECT client;
        GetClientRect(&client);
        int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        ::DrawIcon(dc.get(), (client.right - client.left - cx + 1) / 2,
                   (client.bottom - client.top - cy + 1) / 2, m_hIcon);
        return;
    }
    m_geometry.Paint(dc.get());
}

BOOL CFrimlet2Dlg::OnEraseBkgnd(HDC) {
    return TRUE;
}

HICON CFrimlet2Dlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CFrimlet2Dlg::OnGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize.x = m_geometry.Metrics().MinWindowWidth();
    info.ptMinTrackSize.y = m_geometry.Metrics().MinWindowHeight();
}

BOOL CFrimlet2Dlg::OnSizing(UINT, RECT& proposed) {
    const LRESULT result = Default();
    if (m_geometry.ComputeLayout(proposed.right - proposed.left, proposed.bottom - proposed.top)) {
        LayoutFrame();
        Invalidate(false);
    }
    return result != 0;
}

void CFrimlet2Dlg::OnSize(UINT type, int cx, int cy) {
    Default();
    if (type == SIZE_MINIMIZED)
        m_countdown.Cancel(m_hWnd);
    if (type == SIZE_RESTORED && IsWindowVisible()) {
        if (m_geometry.ComputeLayout(cx, cy)) {
            LayoutFrame();
            Invalidate(false);
        }
    }
}

// The suggested rectangle is not taken: the frame keeps its hole where it
// is and grows or shrinks its border and tab around it (the size it answered
// to WM_GETDPISCALEDSIZE).
void CFrimlet2Dlg::OnDpiChanged(UINT dpi, const RECT&) {
    ApplyScale(static_cast<double>(dpi) / USER_DEFAULT_SCREEN_DPI);
}

// Before the frame moves onto a monitor of another scale the system asks for
// its size there. The answer is the size ApplyScale will give it (same hole,
// border and tab of the new scale); the system's own linear guess would
// differ, and the frame would bounce between the two sizes.
BOOL CFrimlet2Dlg::OnGetDpiScaledSize(UINT dpi, SIZE& size) {
    return m_scale.ScaledSize(dpi, size);
}

int CFrimlet2Dlg::OnNcHitTest(POINT screen) {
    if (m_bLocked || m_recording.Busy())
        return HTCLIENT;
    POINT pt = screen;
    ScreenToClient(&pt);
    return m_geometry.HitTest(pt);
}

void CFrimlet2Dlg::ShowIcon(bool closeIcon) {
    m_closeIcon.ShowWindow(closeIcon ? SW_SHOW : SW_HIDE);
    m_minimizeIcon.ShowWindow(closeIcon ? SW_HIDE : SW_SHOW);
}

void CFrimlet2Dlg::LayoutFrame() {
    m_geometry.BuildRegion();
    unique_region copy = m_geometry.CopyRegion();
    if (copy && ::SetWindowRgn(m_hWnd, copy.get(), FALSE))
        copy.release(); // the window owns it now
    frame::TabLayout layout = m_geometry.Metrics().ControlLayout();
    auto place = [](const CWnd& control, const geometry::Rect& r) {
        if (control.m_hWnd)
            control.SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(m_closeIcon, layout.closeIcon);
    place(m_minimizeIcon, layout.minimizeIcon);
    place(m_settingsIcon, layout.settingsIcon);
    place(m_shutterButton, layout.shutterButton);
    place(m_gripIcon, layout.gripIcon);
    PlaceToolTips();
}

void CFrimlet2Dlg::PlaceToolTips() {
    m_toolTips.MoveSizeLabel(geometry::ToRECT(m_geometry.Metrics().SizeLabelRect()));
}

void CFrimlet2Dlg::ApplyScale(double dpiScale) {
    const std::optional<geometry::Rect> scaled = m_scale.Rescale(m_hWnd, dpiScale);
    if (!scaled)
        return;
    ApplyBitmaps();
    MoveWindow(scaled->left, scaled->top, scaled->Width(), scaled->Height(), false);
}

// The corner icons and the shutter's glyph drawn for the present scale.
void CFrimlet2Dlg::ApplyBitmaps() {
    m_closeIcon.SetBitmap(m_geometry.GetCloseBitmap());
    m_settingsIcon.SetBitmap(m_geometry.GetSettingsBitmap());
    m_shutterGlyph.Apply(m_shutterButton.m_hWnd, m_geometry.Metrics().BitmapSlot());
}
