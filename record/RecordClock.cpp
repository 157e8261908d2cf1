#include "record/RecordClock.h"

namespace RecordClock {

std::int64_t Period(int fps) {
    if (fps < 1)
        fps = 1;
    return (1000000 + fps / 2) / fps;
}

std::int64_t NextDue(std::int64_t start, std::int64_t now, std::int64_t period) {
    if (now < start)
        return start + period;
    return start + ((now - start) / period + 1) * period;
}

void ElapsedText(std::int64_t micros, char16_t (&out)[16]) {
    std::int64_t seconds = micros < 0 ? 0 : micros / 1000000;
    std::int64_t minutes = seconds / 60;
    seconds %= 60;
    char16_t digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + minutes % 10);
        minutes /= 10;
    } while (minutes > 0 && n < 10);
    int at = 0;
    while (n > 0)
        out[at++] = digits[--n];
    out[at++] = u':';
    out[at++] = static_cast<char16_t>(u'0' + seconds / 10);
    out[at++] = static_cast<char16_t>(u'0' + seconds % 10);
    out[at] = 0;
}

} // namespace RecordClock
