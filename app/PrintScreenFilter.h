// Which key events the frame's keyboard hook keeps for itself: plain
// PrintScreen, pressed with no Ctrl, Alt, Shift or Windows key down, press
// and release alike, with one shot per press. Every other key, and
// PrintScreen with a modifier, goes on to the system untouched. Plain values
// in and out; the hook procedure feeds it and acts on the answer.
#pragma once

class PrintScreenFilter {
public:
    static constexpr unsigned kPrintScreen = 0x2C; // VK_SNAPSHOT

    enum class Action {
        Pass,    // hand the event on
        Swallow, // keep it from everyone else
        Shoot,   // keep it and take one capture
    };

    // One key event: its virtual key, whether it is a release, and whether a
    // modifier key was down at that moment.
    Action OnKey(unsigned vk, bool up, bool modifierDown);

private:
    // The PrintScreen press in progress: none, one kept for the frame (its
    // repeats and release are kept too), or one handed on.
    enum class Press { None, Taken, Passed };
    Press m_press = Press::None;
};
