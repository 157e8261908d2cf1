#include "frame/DisplayQueries.h"

#include "framework/SystemLibrary.h"

#include <dwmapi.h>

namespace {

template <class Function> Function Lookup(const wchar_t* module, const char* name) {
    // user32 is loaded with the program, so the handle needs no release.
    HMODULE handle = ::GetModuleHandleW(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(handle, name)))
                  : nullptr;
}

UINT SystemWindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    return getDpi ? getDpi(window) : 0;
}

int SystemMetricForDpi(int index, UINT dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto getMetric = Lookup<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    return getMetric ? getMetric(index, dpi) : ::GetSystemMetrics(index);
}

bool SystemVisibleBounds(HWND window, RECT& bounds) {
    using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    static const auto getAttribute =
        SystemFunction<DwmGetWindowAttributeFn>(L"dwmapi.dll", "DwmGetWindowAttribute");
    return getAttribute &&
           SUCCEEDED(getAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof(bounds)));
}

const DisplayQueries kSystem{&SystemWindowDpi, &SystemMetricForDpi, &SystemVisibleBounds};

} // namespace

const DisplayQueries& DisplayQueries::System() {
    return kSystem;
}
