#include "frame/CFrameScale.h"

#include "app/Settings.h"
#include "framework/Handles.h"
#include "framework/SystemLibrary.h"
#include "frame/FramePlacement.h"
#include "geometry/WinRect.h"

namespace {
double ScaleOf(UINT dpi) {
    return static_cast<double>(dpi) / USER_DEFAULT_SCREEN_DPI;
}
} // namespace

void CFrameScale::DisableDialogScaling(HWND frame) {
    // Windows 10 1703 and later.
    static const auto set =
        SystemFunction<BOOL(WINAPI*)(HWND, int, int)>(L"user32.dll", "SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
    if (set)
        set(frame, kDisableAll, kDisableAll);
}

double CFrameScale::MonitorScale(HWND frame) const {
    if (const UINT dpi = m_queries.windowDpi(frame))
        return ScaleOf(dpi);
    // Without per-monitor DPI the screen's is the only one there is.
    WindowDC screen(nullptr);
    return ScaleOf(static_cast<UINT>(::GetDeviceCaps(screen.get(), LOGPIXELSY)));
}

void CFrameScale::Take(double scale) {
    m_dScale = scale;
    m_geometry.SetScale(m_settings.color, m_settings.frameWidth, m_settings.tabScaling, scale);
}

bool CFrameScale::TakeMonitorOf(const RECT& rect) {
    const UINT dpi = m_queries.monitorDpi(rect);
    if (dpi == 0 || ScaleOf(dpi) == m_dScale)
        return false;
    Take(ScaleOf(dpi));
    return true;
}

std::optional<geometry::Rect> CFrameScale::Rescale(HWND frame, double scale) {
    RECT window;
    ::GetWindowRect(frame, &window);
    RECT hole = m_geometry.InnerRect();
    Take(scale);
    geometry::Rect scaled =
        frame::ScaledWindowRect(geometry::FromRECT(window), hole.right - hole.left, hole.bottom - hole.top,
                                m_geometry.Metrics(), m_geometry.ReadSystemMetrics());
    if (scaled == geometry::FromRECT(window))
        return std::nullopt;
    return scaled;
}

bool CFrameScale::ScaledSize(UINT dpi, SIZE& size) const {
    if (dpi == 0)
        return false;
    frame::FrameMetrics scaled = m_geometry.Metrics();
    const frame::SystemMetrics scaledMetrics = m_geometry.ReadSystemMetrics(dpi);
    scaled.SetScale(m_settings.color, m_settings.frameWidth, m_settings.tabScaling, ScaleOf(dpi),
                    scaledMetrics);
    const geometry::Rect answer = frame::DpiScaledWindowSize(
        size.cx, size.cy, m_geometry.Metrics(), m_geometry.ReadSystemMetrics(), scaled, scaledMetrics);
    size.cx = answer.Width();
    size.cy = answer.Height();
    return true;
}
