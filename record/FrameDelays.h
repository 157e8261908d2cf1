// Frame times as the file's delay units. Each frame's delay is the difference
// of its end and start times, both rounded to the nearest unit from the start
// of the recording, so that the delays up to any frame add up to that
// frame's end time within half a unit however many frames came before.
#pragma once

#include <cstdint>

namespace FrameDelays {

// Units per second: GIF counts hundredths, the animated PNG writer
// thousandths.
constexpr int kGifUnits = 100;
constexpr int kApngUnits = 1000;

// Players show a frame shorter than this (in seconds / 1000) much longer
// than asked, so no frame is given less.
constexpr int kShortestMs = 20;

// The time micros (microseconds from the start, >= 0) in units, rounded to
// the nearest.
std::int64_t UnitsAt(std::int64_t micros, int unitsPerSecond);

// The delay of a frame shown from startMicros to endMicros.
std::int64_t Delay(std::int64_t startMicros, std::int64_t endMicros, int unitsPerSecond);

// The shortest delay a frame may have, in units.
std::int64_t Shortest(int unitsPerSecond);

} // namespace FrameDelays
