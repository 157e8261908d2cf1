// The capture frame's shape as Windows objects: the window region, the font
// of the tab's labels and the twelve bitmaps of the tab's icons, and the
// painting of the frame. The arithmetic is FrameMetrics'; this class reads
// the system metrics afresh on every call, for the DPI of the last SetScale,
// and hands them over.
#pragma once

#include "framework/Handles.h"
#include "frame/FrameMetrics.h"
#include "geometry/WinRect.h"

#include <windows.h>

class CFrameGeometry {
public:
    // A system metric for a DPI (GetSystemMetricsForDpi or a stand-in).
    using MetricForDpi = int (*)(int index, UINT dpi);

    // Loads the close (148 to 153) and settings (142 to 147) bitmaps from the
    // module's resources. The metrics come from metricForDpi, or from the
    // system when it is null.
    explicit CFrameGeometry(MetricForDpi metricForDpi = nullptr);
    CFrameGeometry(const CFrameGeometry&) = delete;
    CFrameGeometry& operator=(const CFrameGeometry&) = delete;

    void SetScale(COLORREF color, int frameWidth, int tabScaling, double dpiScale);
    int ComputeLayout(int width, int height);
    void BuildRegion();
    // A copy of the region for SetWindowRgn; release() it once the window has
    // taken it. Empty when there is no region yet.
    unique_region CopyRegion() const;
    int HitTest(POINT pt) const;
    RECT WindowSizeForInner(int width, int height) const;
    RECT WindowRectForInnerRect(const RECT& rect) const;
    // Bitmaps for the current scale; the geometry keeps ownership.
    HBITMAP GetCloseBitmap() const;
    HBITMAP GetSettingsBitmap() const;
    void Paint(HDC dc) const;
    void SetStatus(int value) { m_metrics.SetStatus(value); }
    void ClearStatus() { m_metrics.ClearStatus(); }
    // Seconds left of a countdown, painted in large digits in place of the
    // size label; 0 shows the size label again.
    void SetCountdown(int seconds) { m_nCountdown = seconds; }
    int Countdown() const { return m_nCountdown; }
    void SetRecording(bool recording, std::u16string label = {}) {
        m_metrics.SetRecording(recording, std::move(label));
    }

    const frame::FrameMetrics& Metrics() const { return m_metrics; }
    RECT OuterRect() const { return geometry::ToRECT(m_metrics.OuterRect()); }
    RECT InnerRect() const { return geometry::ToRECT(m_metrics.InnerRect()); }
    HRGN Region() const { return m_hRegion.get(); }
    HFONT Font() const { return m_hFont.get(); }

    // The metrics at the DPI of the last SetScale, or at another DPI.
    frame::SystemMetrics ReadSystemMetrics() const { return ReadSystemMetrics(m_nDpi); }
    frame::SystemMetrics ReadSystemMetrics(UINT dpi) const;

private:
    static constexpr int kBitmapSlots = 6;

    MetricForDpi m_metricForDpi;
    UINT m_nDpi = USER_DEFAULT_SCREEN_DPI;
    frame::FrameMetrics m_metrics;
    unique_region m_hRegion;
    unique_font m_hFont;
    unique_font m_hCountdownFont;
    int m_nCountdown = 0;
    unique_bitmap m_hCloseBitmaps[kBitmapSlots];
    unique_bitmap m_hSettingsBitmaps[kBitmapSlots];
};
