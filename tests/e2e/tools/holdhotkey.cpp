// Holds a global hotkey for a while, as another program that took it would:
//   holdhotkey.exe VK SECONDS
// VK is a virtual-key code in decimal or 0x hex (0x2C is PrintScreen), with
// no modifier. Prints "held" once the key is registered and ends after
// SECONDS; exits 1 when the key cannot be taken.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: holdhotkey.exe VK SECONDS\n", stderr);
        return 2;
    }
    const UINT vk = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 0));
    const DWORD seconds = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 0));
    // A thread hotkey: WM_HOTKEY comes to this thread's queue.
    if (!::RegisterHotKey(nullptr, 1, MOD_NOREPEAT, vk)) {
        std::fprintf(stderr, "holdhotkey: key 0x%X not taken (error %lu)\n", vk, ::GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    const DWORD end = ::GetTickCount() + seconds * 1000;
    MSG msg;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - ::GetTickCount(), QS_ALLINPUT);
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    ::UnregisterHotKey(nullptr, 1);
    return 0;
}
