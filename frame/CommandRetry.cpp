#include "frame/CommandRetry.h"

#include <algorithm>

namespace frame {

CommandRetry::Step CommandRetry::Blocked(unsigned command, std::uint32_t nowMillis) {
    if (!m_bWaiting) {
        m_bWaiting = true;
        m_nStart = nowMillis;
        m_nTries = 0;
    }
    ++m_nTries;
    if (nowMillis - m_nStart >= kLimitMillis) {
        m_bWaiting = false;
        m_nTries = 0;
        std::erase(m_waiting, command);
        return Step::GiveUp;
    }
    if (m_nTries <= kImmediateTries)
        return Step::Now;
    if (std::find(m_waiting.begin(), m_waiting.end(), command) == m_waiting.end())
        m_waiting.push_back(command);
    return Step::Later;
}

void CommandRetry::Passed() {
    m_bWaiting = false;
    m_nTries = 0;
}

std::vector<unsigned> CommandRetry::TakeWaiting() {
    std::vector<unsigned> due;
    due.swap(m_waiting);
    return due;
}

} // namespace frame
