#include "geometry/ScreenLayoutQuery.h"

#include "geometry/WinRect.h"

namespace geometry {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info))
        reinterpret_cast<ScreenLayout*>(param)->monitors.push_back(
            {FromRECT(info.rcMonitor), FromRECT(info.rcWork)});
    return true;
}

} // namespace

ScreenLayout QueryScreenLayout() {
    ScreenLayout layout;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&layout));
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    layout.virtualScreen = {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    layout.primaryWidth = ::GetSystemMetrics(SM_CXSCREEN);
    layout.primaryHeight = ::GetSystemMetrics(SM_CYSCREEN);
    POINT cursor{};
    layout.monitorInfoAvailable = ::GetCursorPos(&cursor) && !layout.monitors.empty();
    layout.cursor = {static_cast<int>(cursor.x), static_cast<int>(cursor.y)};
    return layout;
}

} // namespace geometry
