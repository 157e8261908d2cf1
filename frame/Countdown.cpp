#include "frame/Countdown.h"

#include <algorithm>

namespace frame {

bool Countdown::Start(std::uint64_t now, int seconds, const ShutterRules::HeldTypeKeys& keys) {
    if (m_bRunning)
        return false;
    m_bRunning = true;
    m_nDeadline = now + 1000u * static_cast<std::uint64_t>(std::clamp(seconds, kMinSeconds, kMaxSeconds));
    m_keys = keys;
    return true;
}

std::optional<ShutterRules::HeldTypeKeys> Countdown::Tick(std::uint64_t now) {
    if (!m_bRunning || now < m_nDeadline)
        return std::nullopt;
    m_bRunning = false;
    return m_keys;
}

std::optional<ShutterRules::HeldTypeKeys> Countdown::ShootNow() {
    if (!m_bRunning)
        return std::nullopt;
    m_bRunning = false;
    return m_keys;
}

bool Countdown::Cancel() {
    const bool was = m_bRunning;
    m_bRunning = false;
    return was;
}

int Countdown::SecondsLeft(std::uint64_t now) const {
    if (!m_bRunning)
        return 0;
    if (now >= m_nDeadline)
        return 0;
    return static_cast<int>((m_nDeadline - now + 999) / 1000);
}

unsigned Countdown::MillisToNextChange(std::uint64_t now) const {
    if (!m_bRunning)
        return 0;
    if (now >= m_nDeadline)
        return 1;
    const std::uint64_t left = m_nDeadline - now;
    const std::uint64_t toChange = left % 1000 == 0 ? 1000 : left % 1000;
    return static_cast<unsigned>(toChange);
}

} // namespace frame
