#include "record/FrameTimeline.h"

#include "record/FrameDelays.h"

FrameTimeline::FrameTimeline(int unitsPerSecond) : m_nUnits(unitsPerSecond) {}

void FrameTimeline::Start(std::int64_t micros) {
    m_nOrigin = micros;
    m_nPendingStart = 0;
}

std::int64_t FrameTimeline::Next(std::int64_t micros) {
    const std::int64_t at = micros - m_nOrigin;
    const std::int64_t delay = FrameDelays::Delay(m_nPendingStart, at, m_nUnits);
    if (delay < FrameDelays::Shortest(m_nUnits))
        return 0;
    m_nPendingStart = at;
    return delay;
}

std::int64_t FrameTimeline::End(std::int64_t micros) const {
    const std::int64_t delay = FrameDelays::Delay(m_nPendingStart, micros - m_nOrigin, m_nUnits);
    const std::int64_t shortest = FrameDelays::Shortest(m_nUnits);
    return delay < shortest ? shortest : delay;
}
