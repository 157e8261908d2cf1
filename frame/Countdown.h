// The shutter's countdown: started with D held, it shoots when its time has
// run out, at once when the shutter is pressed again, never when cancelled.
// Times are milliseconds of one steady clock; the frame's timer asks Tick
// when the shown number may have changed.
#pragma once

#include "capture/ShutterRules.h"

#include <cstdint>
#include <optional>

namespace frame {

class Countdown {
public:
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 30;
    static constexpr int kDefaultSeconds = 3;

    // Starts a countdown of seconds (limited to 1..30) at now for a shot with
    // the keys held at the start. False, and nothing changes, while one runs.
    bool Start(std::uint64_t now, int seconds, const ShutterRules::HeldTypeKeys& keys);
    // The keys to shoot with when the time has run out at now (the countdown
    // then ends); nothing while it runs on or when none runs.
    std::optional<ShutterRules::HeldTypeKeys> Tick(std::uint64_t now);
    // The shutter pressed during the countdown: its keys, and it ends.
    // Nothing when none runs.
    std::optional<ShutterRules::HeldTypeKeys> ShootNow();
    // Esc, a right click or minimising: it ends without a shot. False when
    // none ran.
    bool Cancel();

    bool IsRunning() const { return m_bRunning; }
    // The whole seconds left, rounded up (3, 2, 1); 0 when none runs.
    int SecondsLeft(std::uint64_t now) const;
    // Milliseconds from now until the number shown changes or the time runs
    // out (at least 1); 0 when none runs.
    unsigned MillisToNextChange(std::uint64_t now) const;

private:
    bool m_bRunning = false;
    std::uint64_t m_nDeadline = 0;
    ShutterRules::HeldTypeKeys m_keys;
};

} // namespace frame
