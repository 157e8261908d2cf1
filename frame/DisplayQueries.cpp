#include "frame/DisplayQueries.h"

#include "framework/SystemLibrary.h"

#include <dwmapi.h>

namespace {

UINT SystemWindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    return getDpi ? getDpi(window) : 0;
}

int SystemMetricForDpi(int index, UINT dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto getMetric =
        SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    return getMetric ? getMetric(index, dpi) : ::GetSystemMetrics(index);
}

bool SystemVisibleBounds(HWND window, RECT& bounds) {
    using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    static const auto getAttribute =
        SystemFunction<DwmGetWindowAttributeFn>(L"dwmapi.dll", "DwmGetWindowAttribute");
    return getAttribute &&
           SUCCEEDED(getAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof(bounds)));
}

bool IsGroupBox(HWND window) {
    wchar_t name[8] = {};
    return ::GetClassNameW(window, name, 8) && ::lstrcmpiW(name, L"Button") == 0 &&
           (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool Shows(HWND window, POINT screen) {
    RECT r;
    return ::IsWindowVisible(window) && ::GetWindowRect(window, &r) && ::PtInRect(&r, screen);
}

// The visible child of parent under a screen point, or null. A group box
// frames the controls inside it and often stands above them in the z order,
// so a control under the point after it is taken before it.
HWND ChildAt(HWND parent, POINT screen) {
    POINT client = screen;
    ::ScreenToClient(parent, &client);
    HWND child = ::ChildWindowFromPointEx(parent, client, CWP_SKIPINVISIBLE);
    if (!child || child == parent)
        return nullptr;
    if (!IsGroupBox(child))
        return child;
    for (HWND next = ::GetWindow(child, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT))
        if (Shows(next, screen) && !IsGroupBox(next))
            return next;
    return child;
}

HWND SystemWindowAt(POINT screen) {
    HWND hit = ::WindowFromPoint(screen);
    if (!hit)
        return nullptr;
    // From the top-level window down, skipping only hidden windows.
    HWND window = ::GetAncestor(hit, GA_ROOT);
    while (HWND child = ChildAt(window, screen))
        window = child;
    return window;
}

UINT SystemMonitorDpi(const RECT& rect) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    if (!getDpi || FAILED(getDpi(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)))
        return 0;
    return x;
}

const DisplayQueries kSystem{&SystemWindowDpi, &SystemMetricForDpi, &SystemVisibleBounds, &SystemWindowAt,
                             &SystemMonitorDpi};

} // namespace

const DisplayQueries& DisplayQueries::System() {
    return kSystem;
}
