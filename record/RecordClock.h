// When a recording grabs its frames: at a fixed rate from its start, on a
// clock in microseconds. A grab that comes late is not made up for: the
// next one is due at the next whole period after it.
#pragma once

#include <cstdint>

namespace RecordClock {

// Microseconds between two frames at fps frames per second (1..30).
std::int64_t Period(int fps);

// The first time after now on the grid start + k * period (k >= 1).
std::int64_t NextDue(std::int64_t start, std::int64_t now, std::int64_t period);

// "0:07", "12:34": minutes and seconds since the start, whole seconds.
void ElapsedText(std::int64_t micros, char16_t (&out)[16]);

} // namespace RecordClock
