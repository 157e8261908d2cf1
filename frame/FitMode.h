// Fit mode: the frame waits for a click on another window and takes that
// window's place (the hole over the window's visible bounds).
#pragma once

#include "frame/CFitOverlay.h"
#include "frame/CFrameGeometry.h"
#include "frame/DisplayQueries.h"

#include <windows.h>

class FitMode {
public:
    FitMode(const DisplayQueries& queries, const CFrameGeometry& geometry)
        : m_queries(queries), m_geometry(geometry) {}

    bool IsOn() const { return m_bOn; }
    // The window that takes the fitting click while fit mode is on, else null.
    HWND Overlay() const { return m_overlay.IsOpen() ? m_overlay.m_hWnd : nullptr; }
    // Opens the overlay over every monitor; the click ends fit mode.
    void Start(CWnd& window);
    // Ends fit mode; flags with MK_LBUTTON fit the frame (window) to the window at the
    // screen point.
    void End(CWnd& window, UINT flags, POINT screen);

private:
    DisplayQueries m_queries;
    const CFrameGeometry& m_geometry;
    CFitOverlay m_overlay;
    bool m_bOn = false;
};
