// A hotkey system as Windows 11 behaves with "use the Print screen key to
// open screen capture" on: PrintScreen cannot be registered until that
// setting is switched off (or a given number of tries have been refused).
// Message boxes are answered at once and recorded. The keyboard hook that
// would take PrintScreen first is refused unless a test allows it. One per
// test at a time.
#pragma once

#include "app/HotkeySystem.h"

#include <string>
#include <vector>

struct FakeHotkeySystem {
    struct Box {
        std::wstring text;
        UINT type;
    };
    static inline bool systemHoldsPrintScreen = false;
    static inline int refusals = 0; // PrintScreen refused this many more times regardless
    static inline bool settingPresent = true;
    static inline DWORD setting = 1;
    static inline std::vector<DWORD> writes;
    static inline int answer = IDNO;
    static inline std::vector<Box> boxes;
    static inline int printScreenRegistrations = 0;
    static inline bool hookRefused = true;
    static inline int hookStarts = 0;
    static inline DWORD build = 19045; // Windows 10

    static void Reset() {
        systemHoldsPrintScreen = false;
        refusals = 0;
        settingPresent = true;
        setting = 1;
        writes.clear();
        answer = IDNO;
        boxes.clear();
        printScreenRegistrations = 0;
        hookRefused = true;
        hookStarts = 0;
        build = 19045;
    }
    static HotkeySystem Make() {
        HotkeySystem system;
        system.registerHotKey = Register;
        system.messageBox = AnswerBox;
        system.readSnippingKey = Read;
        system.writeSnippingKey = Write;
        system.setHook = SetHook;
        system.buildNumber = [] { return build; };
        return system;
    }
    static bool Shown(UINT textId) {
        wchar_t text[1024] = {};
        ::LoadStringW(::GetModuleHandleW(nullptr), textId, text, 1024);
        for (const Box& box : boxes)
            if (box.text == text)
                return true;
        return false;
    }

    static BOOL WINAPI Register(HWND window, int id, UINT modifiers, UINT vk) {
        if (vk != VK_SNAPSHOT || modifiers != MOD_NOREPEAT)
            return ::RegisterHotKey(window, id, modifiers, vk);
        if (refusals > 0 || systemHoldsPrintScreen) {
            refusals = refusals > 0 ? refusals - 1 : 0;
            ::SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
            return FALSE;
        }
        ++printScreenRegistrations;
        return TRUE;
    }
    static HHOOK WINAPI SetHook(int type, HOOKPROC proc, HINSTANCE module, DWORD thread) {
        if (hookRefused) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        ++hookStarts;
        return ::SetWindowsHookExW(type, proc, module, thread);
    }
    static int WINAPI AnswerBox(HWND, LPCWSTR text, LPCWSTR, UINT type) {
        boxes.push_back({text ? text : L"", type});
        return (type & MB_TYPEMASK) == MB_OK ? IDOK : answer;
    }
    static bool Read(DWORD& value) {
        value = setting;
        return settingPresent;
    }
    static bool Write(DWORD value) {
        writes.push_back(value);
        setting = value;
        if (value == 0)
            systemHoldsPrintScreen = false; // the system lets the key go
        return true;
    }
};
