// Presses and releases one key through SendInput, as the keyboard would:
//   presskey.exe VK   (a virtual-key code in decimal or 0x hex, e.g. 0x2C)
// The key reaches global hotkeys whatever window has the focus.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: presskey.exe VK\n", stderr);
        return 2;
    }
    wchar_t* end = nullptr;
    unsigned long vk = wcstoul(argv[1], &end, 0);
    if (!end || *end || vk == 0 || vk > 0xFE) {
        std::fputs("presskey: not a virtual-key code\n", stderr);
        return 2;
    }
    INPUT inputs[2] = {};
    for (INPUT& in : inputs) {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(vk);
        in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return ::SendInput(2, inputs, sizeof(INPUT)) == 2 ? 0 : 1;
}
