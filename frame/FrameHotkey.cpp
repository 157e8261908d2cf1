#include "frame/FrameHotkey.h"

#include "app/Settings.h"
#include "frame/FrameMessages.h"
#include "framework/CString.h"
#include "res/resource.h"

namespace {
CString AppTitle() {
    CString text;
    text.LoadString(IDS_APP_TITLE);
    return text;
}
} // namespace

void FrameHotkey::Take(HWND frame) {
    if (m_system.Take(frame, m_settings.hotkey, &m_keyHook))
        return;
    // Neither the hook nor the registration has PrintScreen. The system's
    // own use of it may give way to a program whose window is in front:
    // the frame tries once more when it first is.
    if (HotkeySystem::IsPrintScreen(m_settings.hotkey))
        m_bRetry = true;
    else
        m_system.Show(frame, IDS_HOTKEY_START_FAILED, AppTitle(), MB_ICONINFORMATION | MB_OK);
}

void FrameHotkey::RetryInFront(HWND frame) {
    if (!m_bRetry)
        return;
    m_bRetry = false;
    if (!m_system.Take(frame, m_settings.hotkey, &m_keyHook))
        ::PostMessageW(frame, WM_APP_HOTKEYUNAVAILABLE, 0, 0);
}

void FrameHotkey::OnUnavailable(HWND frame, const bool& shuttingDown) {
    const CString title = AppTitle();
    if (m_system.SystemTakesPrintScreen()) {
        // The user said No once: the frame goes on without a hotkey quietly.
        if (HotkeySystem::OfferDeclined(m_profile))
            return;
        const HotkeySystem::Offer offer = m_system.OfferToFreePrintScreen(frame, title);
        // Closed while it asked (an installer ending the program): the user
        // gave no answer, so none is kept.
        if (shuttingDown)
            return;
        switch (offer) {
        case HotkeySystem::Offer::Declined:
            HotkeySystem::SetOfferDeclined(m_profile, true);
            return;
        case HotkeySystem::Offer::SwitchedOff:
            if (m_system.Register(frame, m_settings.hotkey))
                return;
            break;
        case HotkeySystem::Offer::NotSwitched:
            break;
        }
    }
    m_system.Show(frame, IDS_HOTKEY_START_FAILED, title, MB_ICONINFORMATION | MB_OK);
}

void FrameHotkey::Release(HWND frame) {
    m_system.Release(frame, m_settings.hotkey, &m_keyHook);
}
