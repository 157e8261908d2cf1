#pragma once

#include "geometry/Rect.h"

#include <utility>
#include <vector>

namespace geometry {

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

// Keeping a window on the screens: which monitor a rectangle belongs to, and
// moving a rectangle back onto the monitors after a move or resize request.
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

private:
    ScreenLayout m_screens;
};

} // namespace geometry
