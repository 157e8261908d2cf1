// The frame's hold on the capture hotkey: taken at start, tried once more
// when the frame first comes to the front (the system may give PrintScreen
// up to a program in front), the offer to switch the system's own use of
// PrintScreen off, and the key given back at the end.
#pragma once

#include "app/HotkeySystem.h"
#include "app/PrintScreenHook.h"

#include <windows.h>

class Profile;
struct Settings;

class FrameHotkey {
public:
    FrameHotkey(const Settings& settings, const Profile& profile, const HotkeySystem& system)
        : m_settings(settings), m_profile(profile), m_system(system) {}

    // At start: takes the hotkey for frame, or tells the user it cannot be
    // had (for PrintScreen only after the retry).
    void Take(HWND frame);
    // The frame came to the front: the one retry of a PrintScreen refused
    // at start; a refusal posts WM_APP_HOTKEYUNAVAILABLE (no message box
    // inside activation).
    void RetryInFront(HWND frame);
    // WM_APP_HOTKEYUNAVAILABLE: offers to free PrintScreen or says that the
    // frame goes on without a hotkey. shuttingDown is read after the offer:
    // an answer given while the program ends is not kept.
    void OnUnavailable(HWND frame, const bool& shuttingDown);
    // PrintScreen is the system's again.
    void Release(HWND frame);

    const HotkeySystem& System() const { return m_system; }
    PrintScreenHook* Hook() { return &m_keyHook; }

private:
    const Settings& m_settings;
    const Profile& m_profile;
    HotkeySystem m_system;
    PrintScreenHook m_keyHook; // takes PrintScreen while it is the capture hotkey
    bool m_bRetry = false;     // PrintScreen refused at start-up, tried again once in front
};
