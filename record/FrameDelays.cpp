#include "record/FrameDelays.h"

namespace FrameDelays {

std::int64_t UnitsAt(std::int64_t micros, int unitsPerSecond) {
    return (micros * unitsPerSecond + 500000) / 1000000;
}

std::int64_t Delay(std::int64_t startMicros, std::int64_t endMicros, int unitsPerSecond) {
    return UnitsAt(endMicros, unitsPerSecond) - UnitsAt(startMicros, unitsPerSecond);
}

std::int64_t Shortest(int unitsPerSecond) {
    return (static_cast<std::int64_t>(kShortestMs) * unitsPerSecond + 999) / 1000;
}

} // namespace FrameDelays
