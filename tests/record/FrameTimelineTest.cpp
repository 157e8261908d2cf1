#include "record/FrameTimeline.h"

#include "record/FrameDelays.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

// Ten minutes at every rate, grabs late by up to 45 ms and now and then a
// run of frames dropped: after every written frame the delays add up to the
// time the next frame starts within 10 ms, and no delay is below the
// shortest players honour.
TEST(FrameTimelineTest, DelaysNeverDriftFromTheClockAndNeverGetTooShort) {
    for (int units : {FrameDelays::kGifUnits, FrameDelays::kApngUnits}) {
        const std::int64_t unitMicros = 1000000 / units;
        for (int fps = 1; fps <= 30; ++fps) {
            std::mt19937 rng(static_cast<unsigned>(fps * units));
            const std::int64_t origin = 987654321;
            FrameTimeline timeline(units);
            timeline.Start(origin);
            std::int64_t written = 0; // units
            std::int64_t last = 0;
            const int frames = 600 * fps;
            for (int k = 1; k < frames; ++k) {
                if (rng() % 50 == 0)
                    k += static_cast<int>(rng() % 10); // dropped by the encoder
                std::int64_t at = static_cast<std::int64_t>(k) * 1000000 / fps + rng() % 45000;
                if (at < last)
                    at = last;
                last = at;
                const std::int64_t delay = timeline.Next(origin + at);
                if (delay == 0)
                    continue;
                ASSERT_GE(delay, FrameDelays::Shortest(units));
                written += delay;
                ASSERT_LE(std::llabs(written * unitMicros - at), 10000) << fps << " fps, frame " << k;
            }
            const std::int64_t end = last + 1000000 / fps; // stopped a frame after the last grab
            written += timeline.End(origin + end);
            EXPECT_LE(std::llabs(written * unitMicros - end), 10000) << fps << " fps";
        }
    }
}

TEST(FrameTimelineTest, AFrameTooShortToShowGivesWayToTheNext) {
    FrameTimeline timeline(FrameDelays::kGifUnits);
    timeline.Start(0);
    EXPECT_EQ(timeline.Next(14999), 0); // 1 hundredth: replaced
    EXPECT_EQ(timeline.Next(15000), 2); // 2 hundredths from the start
    EXPECT_EQ(timeline.Next(1015000), 100);
    EXPECT_EQ(timeline.End(1016000), 2); // the last frame is shown at least that long
}

} // namespace
