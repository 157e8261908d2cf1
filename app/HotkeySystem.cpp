#include "app/HotkeySystem.h"

#include "app/Profile.h"
#include "framework/CString.h"
#include "framework/SystemLibrary.h"
#include "res/resource.h"

namespace {
constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";
constexpr wchar_t kDeclinedValue[] = L"printScreenOfferDeclined";
// A hot-key control value holds the virtual key in its low byte.
constexpr int kVirtualKeyMask = 0xFF;
} // namespace

int HotkeySystem::Show(HWND owner, UINT textId, const wchar_t* caption, UINT type) const {
    CString text;
    text.LoadString(textId);
    return messageBox(owner, text, caption, type);
}

bool HotkeySystem::Register(HWND window, int hotkey) const {
    // A held key auto-repeats; without MOD_NOREPEAT every repeat would be one
    // more capture written.
    return registerHotKey(window, hotkey, HotkeyToModifiers(hotkey) | MOD_NOREPEAT,
                          static_cast<UINT>(hotkey & kVirtualKeyMask)) != FALSE;
}

bool HotkeySystem::Take(HWND window, int hotkey, PrintScreenHook* hook) const {
    const bool registered = Register(window, hotkey);
    const bool hooked = hook && IsPrintScreen(hotkey) && hook->Start(window, setHook);
    return registered || hooked;
}

void HotkeySystem::Release(HWND window, int hotkey, PrintScreenHook* hook) const {
    ::UnregisterHotKey(window, hotkey);
    if (hook && IsPrintScreen(hotkey))
        hook->Stop();
}

bool HotkeySystem::SystemTakesPrintScreen() const {
    DWORD value = 0;
    if (readSnippingKey(value))
        return value != 0;
    return buildNumber() >= kFirstWindows11Build;
}

HotkeySystem::Offer HotkeySystem::OfferToFreePrintScreen(HWND owner, const wchar_t* caption) const {
    if (Show(owner, IDS_PRINTSCREEN_TAKEN_BY_SYSTEM, caption,
             MB_ICONINFORMATION | MB_YESNO | MB_DEFBUTTON1) != IDYES)
        return Offer::Declined;
    return writeSnippingKey(0) ? Offer::SwitchedOff : Offer::NotSwitched;
}

bool HotkeySystem::OfferDeclined(const Profile& profile) {
    return profile.ReadInt(kDeclinedValue, 0) != 0;
}

void HotkeySystem::SetOfferDeclined(const Profile& profile, bool declined) {
    profile.WriteInt(kDeclinedValue, declined ? 1 : 0);
}

bool HotkeySystem::ReadSnippingKeySetting(DWORD& value) {
    DWORD size = sizeof(value);
    return ::RegGetValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, RRF_RT_REG_DWORD, nullptr, &value,
                          &size) == ERROR_SUCCESS;
}

bool HotkeySystem::WriteSnippingKeySetting(DWORD value) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, REG_DWORD, &value,
                             sizeof(value)) == ERROR_SUCCESS;
}

DWORD HotkeySystem::WindowsBuildNumber() {
    // GetVersionEx answers what the manifest admits to; the kernel's own
    // answer is the build that runs.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto get = SystemFunction<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!get || get(&info) != 0)
        return 0;
    return info.dwBuildNumber;
}
