#pragma once

#include "frame/FrameMetrics.h"
#include "frame/Rect.h"

#include <optional>
#include <utility>
#include <vector>

namespace frame {

struct MonitorArea {
    Rect monitor; // the whole monitor (rcMonitor)
    Rect work;    // its work area (rcWork)
};

// The screens as the window gathers them from the system.
struct ScreenLayout {
    std::vector<MonitorArea> monitors; // in enumeration order; ties go to the earlier one
    Rect virtualScreen;                // SM_X/YVIRTUALSCREEN and SM_CX/CYVIRTUALSCREEN as a rectangle
    int primaryWidth = 0;              // SM_CXSCREEN
    int primaryHeight = 0;             // SM_CYSCREEN
    Point cursor;                      // GetCursorPos
    bool monitorInfoAvailable = true;  // false when the cursor or its monitor could not be read
};

// Keeping the frame window on the screens: the placement of the frame at
// start-up and after a move or resize request, the window rectangle after a
// scale change and the rectangle for fitting the hole over another window.
class Placement {
public:
    // The screens' rectangles are held inside the coordinate range first.
    explicit Placement(ScreenLayout screens);

    const ScreenLayout& Screens() const { return m_screens; }

    // MonitorFromRect with MONITOR_DEFAULTTONULL: the monitor with the
    // largest intersection, or -1 when the rectangle touches none. An empty
    // rectangle counts as the pixel at its top-left corner.
    int MonitorFromRect(const Rect& rect) const;
    // MONITOR_DEFAULTTONEAREST: as above, else the monitor at the smallest
    // distance. -1 only when there are no monitors.
    int NearestMonitor(const Rect& rect) const;
    int NearestMonitor(Point pt) const;

    // Moves rect onto the screens (see the implementation for the rules) and
    // returns 1 when it was kept, or 0 when it was refused (adjust false and
    // off every monitor; rect unchanged) or replaced by a defW x defH
    // rectangle centred on the cursor's monitor because it came out smaller
    // than minW x minH. hint may be null.
    int KeepOnScreen(Rect& rect, const Rect* hint, bool adjust, int minW, int minH, int defW, int defH,
                     int offX, int offY) const;

    // Keeps the size and centres rect on the work area of the monitor nearest
    // the cursor, or on the primary screen without monitor information.
    void CenterOnCursorMonitor(Rect& rect) const;

    // The part of rect inside the virtual screen; may come out empty.
    Rect ClipToVirtualScreen(const Rect& rect) const;

    // The frame window's rectangle at start-up from the stored x, y (window
    // top-left) and cx, cy (hole size). When any of them is INT_MIN nothing
    // was stored: they are set to 0, 0, 400, 300 and the default frame is
    // centred on the cursor's monitor.
    Rect StartupWindowRect(int& x, int& y, int& cx, int& cy, const FrameMetrics& geometry,
                           const SystemMetrics& metrics) const;

    // The window rectangle after SetScale that keeps the hole (holeWidth x
    // holeHeight, inside window) where it is on the screen.
    static Rect ScaledWindowRect(const Rect& window, int holeWidth, int holeHeight,
                                 const FrameMetrics& geometry, const SystemMetrics& metrics);

    // The frame window rectangle whose hole covers target exactly, or nothing
    // when target is at least as wide as the primary screen (the desktop, a
    // maximised window).
    static std::optional<Rect> FitWindowRect(const Rect& target, int primaryWidth,
                                             const FrameMetrics& geometry, const SystemMetrics& metrics);

    // The rectangle of a clicked window that the hole is fitted to. A
    // top-level window's window rectangle takes in its invisible resize
    // borders, so its visible bounds are used when the system gives them (and
    // they are not empty); a child control is fitted to its window rectangle.
    static Rect FitTargetRect(const Rect& windowRect, bool topLevel,
                              const std::optional<Rect>& visibleBounds);

    // The window size the frame takes when it switches from the scale of
    // current to that of scaled, for a window that would otherwise be
    // pendingWidth x pendingHeight: the hole keeps its size and only the
    // border and tab change, as ApplyScale does.
    static Rect DpiScaledWindowSize(int pendingWidth, int pendingHeight, const FrameMetrics& current,
                                    const SystemMetrics& currentMetrics, const FrameMetrics& scaled,
                                    const SystemMetrics& scaledMetrics);

private:
    ScreenLayout m_screens;
};

} // namespace frame
