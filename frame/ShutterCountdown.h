// The countdown of a shot with D held, on the frame: the state (Countdown)
// with the frame's timer that ticks it and the tab's large digits that show
// it. The frame hands in its window on each call and shoots when told.
#pragma once

#include "frame/CFrameGeometry.h"
#include "frame/Countdown.h"

#include <windows.h>

#include <optional>

class ShutterCountdown {
public:
    // The frame's timer that the countdown uses.
    static constexpr UINT_PTR kTimerId = 6;

    explicit ShutterCountdown(CFrameGeometry& geometry) : m_geometry(geometry) {}

    // Starts counting down seconds for a shot with keys; false while one runs.
    bool Start(HWND frame, int seconds, const ShutterRules::HeldTypeKeys& keys);
    // The shutter pressed while one runs: its keys, to shoot at once.
    std::optional<ShutterRules::HeldTypeKeys> ShootNow(HWND frame);
    // Ends a running countdown without a shot; false when none ran.
    bool Cancel(HWND frame);
    // The timer kTimerId fired: the keys when the time has run out.
    std::optional<ShutterRules::HeldTypeKeys> OnTimer(HWND frame);

    const frame::Countdown& State() const { return m_countdown; }

private:
    // Shows the seconds left (nothing when it no longer runs) and sets the
    // timer for the next change.
    void Show(HWND frame);

    CFrameGeometry& m_geometry;
    frame::Countdown m_countdown;
};
