#include "frame/ShutterCountdown.h"

bool ShutterCountdown::Start(HWND frame, int seconds, const ShutterRules::HeldTypeKeys& keys) {
    if (!m_countdown.Start(::GetTickCount64(), seconds, keys))
        return false;
    Show(frame);
    return true;
}

std::optional<ShutterRules::HeldTypeKeys> ShutterCountdown::ShootNow(HWND frame) {
    std::optional<ShutterRules::HeldTypeKeys> keys = m_countdown.ShootNow();
    if (keys)
        Show(frame);
    return keys;
}

bool ShutterCountdown::Cancel(HWND frame) {
    if (!m_countdown.Cancel())
        return false;
    Show(frame);
    return true;
}

std::optional<ShutterRules::HeldTypeKeys> ShutterCountdown::OnTimer(HWND frame) {
    std::optional<ShutterRules::HeldTypeKeys> keys = m_countdown.Tick(::GetTickCount64());
    Show(frame);
    return keys;
}

void ShutterCountdown::Show(HWND frame) {
    const ULONGLONG now = ::GetTickCount64();
    ::KillTimer(frame, kTimerId);
    m_geometry.SetCountdown(m_countdown.SecondsLeft(now));
    if (m_countdown.IsRunning())
        ::SetTimer(frame, kTimerId, m_countdown.MillisToNextChange(now), nullptr);
    ::InvalidateRect(frame, nullptr, true);
}
