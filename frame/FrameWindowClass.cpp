#include "frame/FrameWindowClass.h"

#include <windows.h>

bool RegisterFrameWindowClass() {
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(module, kFrameWindowClass, &wc))
        return true;
    // The dialog class as the system registers it (its procedure is
    // DefDlgProc, its extra bytes DLGWINDOWEXTRA), renamed.
    if (!::GetClassInfoExW(nullptr, WC_DIALOG, &wc))
        return false;
    wc.cbSize = sizeof(wc);
    wc.hInstance = module;
    wc.lpszClassName = kFrameWindowClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
