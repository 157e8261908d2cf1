#include "frame/FitMode.h"

#include "frame/FramePlacement.h"
#include "geometry/WinRect.h"

#include <optional>

void FitMode::Start(CWnd& window) {
    if (m_bOn)
        return;
    m_bOn = m_overlay.Open(window.m_hWnd,
                           [this, &window](UINT button, POINT screen) { End(window, button, screen); });
}

void FitMode::End(CWnd& window, UINT flags, POINT screen) {
    m_bOn = false;
    m_overlay.Close();
    if (!(flags & MK_LBUTTON))
        return;
    // The overlay is gone, so this is the window the user clicked.
    HWND target = m_queries.windowAt(screen);
    if (!target || target == window.m_hWnd || ::IsChild(window.m_hWnd, target))
        return;
    RECT r;
    if (!::GetWindowRect(target, &r))
        return;
    const bool topLevel = !(::GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD);
    std::optional<geometry::Rect> visible;
    RECT bounds;
    if (topLevel && m_queries.visibleBounds(target, bounds))
        visible = geometry::FromRECT(bounds);
    const geometry::Rect targetRect = frame::FitTargetRect(geometry::FromRECT(r), topLevel, visible);
    std::optional<geometry::Rect> fitted = frame::FitWindowRect(
        targetRect, ::GetSystemMetrics(SM_CXSCREEN), m_geometry.Metrics(), m_geometry.ReadSystemMetrics());
    if (!fitted)
        return;
    window.SetWindowPos(HWND_TOPMOST, fitted->left, fitted->top, fitted->Width(), fitted->Height(), 0);
}
