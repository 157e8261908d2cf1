// When the frames of a recording are shown, in the file's delay units. A
// frame is shown from the time it was grabbed until the next different
// frame was grabbed; the time a frame is held back by an encoder that falls
// behind (frames dropped, equal frames merged) thus goes to the frame
// before it. Delays are rounded so that their sum up to any frame is that
// frame's end time within half a unit (FrameDelays).
#pragma once

#include <cstdint>

class FrameTimeline {
public:
    explicit FrameTimeline(int unitsPerSecond);

    // The first frame, grabbed at micros (microseconds on any clock).
    void Start(std::int64_t micros);
    // A frame different from the pending one, grabbed at micros (never
    // before the pending one). Returns the delay to write the pending frame
    // with, after which the new frame is pending; or 0 when the pending frame
    // would be shown shorter than players allow: the new frame then takes its
    // place from its start time.
    std::int64_t Next(std::int64_t micros);
    // The delay of the pending frame when the recording ends at micros; at
    // least the shortest allowed.
    std::int64_t End(std::int64_t micros) const;

private:
    int m_nUnits;
    std::int64_t m_nOrigin = 0;
    std::int64_t m_nPendingStart = 0;
};
