// Monitor layouts for the placement tests: one, two and three monitors
// around a full-HD primary, as the system reports them.
#pragma once

#include "geometry/Placement.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace geometry::testing {

inline MonitorArea Monitor(Rect monitor, int taskbar = 0) {
    return {monitor, {monitor.left, monitor.top, monitor.right, monitor.bottom - taskbar}};
}

inline ScreenLayout Screens(std::vector<MonitorArea> monitors, Point cursor) {
    ScreenLayout s;
    s.monitors = std::move(monitors);
    s.virtualScreen = s.monitors.front().monitor;
    for (const MonitorArea& m : s.monitors) {
        s.virtualScreen.left = std::min(s.virtualScreen.left, m.monitor.left);
        s.virtualScreen.top = std::min(s.virtualScreen.top, m.monitor.top);
        s.virtualScreen.right = std::max(s.virtualScreen.right, m.monitor.right);
        s.virtualScreen.bottom = std::max(s.virtualScreen.bottom, m.monitor.bottom);
    }
    s.primaryWidth = s.monitors.front().monitor.Width();
    s.primaryHeight = s.monitors.front().monitor.Height();
    s.cursor = cursor;
    return s;
}

// One full-HD monitor with a 40-pixel taskbar.
inline Placement OneMonitor(Point cursor = {100, 100}) {
    return Placement(Screens({Monitor({0, 0, 1920, 1080}, 40)}, cursor));
}

// The primary monitor and a smaller one on its left, bottoms aligned, which
// leaves the virtual screen's top-left corner uncovered.
inline Placement TwoMonitors(Point cursor = {100, 100}) {
    return Placement(Screens({Monitor({0, 0, 1920, 1080}, 40), Monitor({-1280, 56, 0, 1080}, 40)}, cursor));
}

// The primary monitor, a smaller one on the left and higher up, a larger one
// above on the right: the virtual screen (-1280, -1440, 4480, 1080) has
// uncovered corners at its top-left and bottom-right.
inline Placement ThreeMonitors(Point cursor = {100, 100}) {
    return Placement(Screens({Monitor({0, 0, 1920, 1080}, 40), Monitor({-1280, -200, 0, 824}),
                              Monitor({1920, -1440, 4480, 0}, 40)},
                             cursor));
}

} // namespace geometry::testing
