#include "frame/ShutterCalls.h"

ShutterCalls ShutterCalls::OfSystem() {
    static const auto flush = []() -> HRESULT(WINAPI*)() {
        HMODULE dwm = ::GetModuleHandleW(L"dwmapi.dll");
        if (!dwm)
            dwm = ::LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!dwm)
            return nullptr;
        return reinterpret_cast<HRESULT(WINAPI*)()>(
            reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmFlush")));
    }();
    ShutterCalls calls;
    calls.flushComposition = flush;
    return calls;
}
