// How a command that waits for the program's other windows to close tries
// again. The first tries go through the message queue at once, which is
// enough when the windows close as asked; after that the command is tried
// every kDelayMillis on a timer, so that a window that stays (hidden, or
// declining to close) costs no processor time, and after kLimitMillis
// since the first wait it is given up without a word.
#pragma once

#include <cstdint>
#include <vector>

namespace frame {

class CommandRetry {
public:
    enum class Step {
        Now,    // post the command again at once
        Later,  // the command waits for the timer (TakeWaiting)
        GiveUp, // drop the command
    };

    static constexpr int kImmediateTries = 2;
    static constexpr std::uint32_t kDelayMillis = 50;
    static constexpr std::uint32_t kLimitMillis = 2000;

    // A command found other windows still open at nowMillis (a tick count;
    // it may wrap around).
    Step Blocked(unsigned command, std::uint32_t nowMillis);
    // A command went through: the next wait starts afresh.
    void Passed();
    // The commands waiting for the timer, each once, in the order they
    // first waited; the list is emptied.
    std::vector<unsigned> TakeWaiting();

private:
    bool m_bWaiting = false;
    std::uint32_t m_nStart = 0;
    int m_nTries = 0;
    std::vector<unsigned> m_waiting;
};

} // namespace frame
