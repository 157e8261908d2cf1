// The system calls behind the capture hotkey: its registration, the message
// boxes that speak of it, and the Windows setting that keeps PrintScreen for
// the system's own screen capture. The frame and the options dialog get one at
// construction; the default makes the real calls, a test gives its own.
#pragma once

#include "app/PrintScreenHook.h"
#include "app/Settings.h"

#include <windows.h>

class Profile;

struct HotkeySystem {
    using RegisterHotKeyFn = BOOL(WINAPI*)(HWND window, int id, UINT modifiers, UINT vk);
    using MessageBoxFn = int(WINAPI*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
    using ReadValueFn = bool (*)(DWORD& value);
    using WriteValueFn = bool (*)(DWORD value);
    using BuildNumberFn = DWORD (*)();

    // The answers of the offer to switch the system's use of PrintScreen off.
    enum class Offer { Declined, SwitchedOff, NotSwitched };

    RegisterHotKeyFn registerHotKey = ::RegisterHotKey;
    MessageBoxFn messageBox = ::MessageBoxW;
    // HKEY_CURRENT_USER\Control Panel\Keyboard, PrintScreenKeyForSnippingEnabled;
    // the read is false when the value is absent or not a DWORD.
    ReadValueFn readSnippingKey = ReadSnippingKeySetting;
    WriteValueFn writeSnippingKey = WriteSnippingKeySetting;
    // The low-level keyboard hook that takes PrintScreen before the system.
    PrintScreenHook::SetHookFn setHook = ::SetWindowsHookExW;
    // The running Windows' build number (22000 and later: Windows 11).
    BuildNumberFn buildNumber = WindowsBuildNumber;

    // Registers a hot-key control value for window, with the value as its
    // id; holding the key down gives one WM_HOTKEY, not one per auto-repeat.
    bool Register(HWND window, int hotkey) const;
    // Takes the capture hotkey for window: registers it, and for plain
    // PrintScreen also starts hook (where there is one), which takes the key
    // ahead of the system and of other programs' registrations. True when
    // either holds the key.
    bool Take(HWND window, int hotkey, PrintScreenHook* hook) const;
    // Gives the hotkey back: unregisters it and, for PrintScreen, stops hook.
    void Release(HWND window, int hotkey, PrintScreenHook* hook) const;
    // A string-table text in a message box; returns the button pressed.
    int Show(HWND owner, UINT textId, const wchar_t* caption, UINT type) const;
    // Whether the system keeps PrintScreen for its own screen capture: the
    // setting's value, or where it is absent, whether this is Windows 11,
    // where the setting is on out of the box.
    bool SystemTakesPrintScreen() const;
    // Asks whether to switch that setting off for this user; on Yes writes 0.
    Offer OfferToFreePrintScreen(HWND owner, const wchar_t* caption) const;

    static bool IsPrintScreen(int hotkey) { return hotkey == Settings::kDefaultHotkey; }
    // The user's No to the offer at start-up, kept in the application's key.
    static bool OfferDeclined(const Profile& profile);
    static void SetOfferDeclined(const Profile& profile, bool declined);

    static bool ReadSnippingKeySetting(DWORD& value);
    static bool WriteSnippingKeySetting(DWORD value);
    static DWORD WindowsBuildNumber();
    static constexpr DWORD kFirstWindows11Build = 22000;
};
