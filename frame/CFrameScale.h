// The frame's DPI: the scale of the monitor it stands on, its border and tab
// drawn for that scale, and the size it asks for on a monitor of another
// scale (the hole stays as it is, the border and tab follow the scale).
#pragma once

#include "frame/CFrameGeometry.h"
#include "frame/DisplayQueries.h"
#include "geometry/Rect.h"

#include <windows.h>

#include <optional>

struct Settings;

class CFrameScale {
public:
    CFrameScale(const DisplayQueries& queries, CFrameGeometry& geometry, const Settings& settings)
        : m_queries(queries), m_geometry(geometry), m_settings(settings) {}

    double Scale() const { return m_dScale; }
    // Turns off the dialog manager's own rescaling of frame, where the
    // system has it (called while the window is being created).
    static void DisableDialogScaling(HWND frame);
    // The scale of the monitor frame stands on (its DPI over the default).
    double MonitorScale(HWND frame) const;
    // The geometry drawn for scale, with the settings' colour, width and tab.
    void Take(double scale);
    // At start: takes the scale of the monitor rect (where the stored
    // placement puts the frame) when the system tells one other than the
    // present; true when it did.
    bool TakeMonitorOf(const RECT& rect);
    // Takes scale and answers the window rectangle that keeps frame's hole
    // with the new border and tab; nothing when the window stays as it is.
    std::optional<geometry::Rect> Rescale(HWND frame, double scale);
    // WM_GETDPISCALEDSIZE: the size Rescale will give the frame at dpi; false
    // (the system's linear guess) for a DPI of 0.
    bool ScaledSize(UINT dpi, SIZE& size) const;

private:
    DisplayQueries m_queries;
    CFrameGeometry& m_geometry;
    const Settings& m_settings;
    double m_dScale = 0;
};
