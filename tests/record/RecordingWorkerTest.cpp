#include "record/FrameQueue.h"
#include "record/RecordClock.h"
#include "record/RecordingWorker.h"

#include "tests/record/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace {

using RecordTest::DecodeWithPillow;
using RecordTest::Frame;
using RecordTest::MemorySink;

TEST(FrameQueueTest, FramesBeyondTheCeilingAreDroppedAndAClosedQueueDrains) {
    FrameQueue queue(300);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(queue.Push(std::vector<std::uint8_t>(100, static_cast<std::uint8_t>(i)), i));
    EXPECT_FALSE(queue.Push(std::vector<std::uint8_t>(1), 3));
    EXPECT_EQ(queue.PendingBytes(), 300u);
    std::vector<std::uint8_t> frame;
    std::int64_t micros = -1;
    ASSERT_TRUE(queue.Pop(frame, micros));
    EXPECT_EQ(micros, 0);
    EXPECT_TRUE(queue.Push(std::vector<std::uint8_t>(100), 4));
    EXPECT_FALSE(queue.Push(std::vector<std::uint8_t>(400), 5)); // larger than the ceiling itself
    queue.Close();
    EXPECT_FALSE(queue.Push(std::vector<std::uint8_t>(1), 6));
    std::vector<std::int64_t> left;
    while (queue.Pop(frame, micros))
        left.push_back(micros);
    EXPECT_EQ(left, (std::vector<std::int64_t>{1, 2, 4}));
    EXPECT_EQ(queue.Dropped(), 3);
}

// A file that takes its time: the encoder falls behind the grabs.
class SlowSink : public MemorySink {
public:
    bool Write(const std::uint8_t* data, std::size_t size) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        return MemorySink::Write(data, size);
    }
};

TEST(RecordingWorkerTest, AnEncoderThatFallsBehindDropsFramesAndTheirTimeGoesToTheFrameBefore) {
    SlowSink sink;
    std::promise<bool> done;
    const int w = 32, h = 16;
    // Room for two waiting frames.
    RecordingWorker worker(AnimationFormat::Apng, w, h, sink, 2 * w * h * 3,
                           [&](bool written) { done.set_value(written); });
    ASSERT_TRUE(worker.Start());
    int kept = 0;
    for (int k = 0; k < 60; ++k) {
        Frame f(w, h, 200, 200, 200);
        f.Fill(k % w, 4, 1, 4, 0, 0, static_cast<std::uint8_t>(k * 4));
        kept += worker.Submit(std::move(f.bgr), 1000000 + k * 50000);
    }
    worker.Stop(1000000 + 60 * 50000);
    auto result = done.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_TRUE(result.get());
    worker.Join();
    EXPECT_GT(worker.Dropped(), 0);
    EXPECT_EQ(kept + worker.Dropped(), 60);
    EXPECT_EQ(worker.FramesWritten(), kept);
    const auto d = DecodeWithPillow(sink.bytes, "worker");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(static_cast<int>(d.frames.size()), kept);
    int sum = 0;
    for (int ms : d.durations)
        sum += ms;
    EXPECT_EQ(sum, 3000);
}

TEST(RecordingWorkerTest, AWorkerLeftRunningIsStoppedByItsOwner) {
    MemorySink sink;
    bool written = false;
    {
        RecordingWorker worker(AnimationFormat::Gif, 8, 8, sink, 1 << 20, [&](bool ok) { written = ok; });
        ASSERT_TRUE(worker.Start());
        worker.Submit(std::vector<std::uint8_t>(8 * 8 * 3, 7), 0);
    }
    EXPECT_TRUE(written);
    EXPECT_EQ(sink.bytes.back(), 0x3B);
}

TEST(RecordClockTest, LateGrabsAreNotMadeUpForAndTheElapsedTimeReads) {
    EXPECT_EQ(RecordClock::Period(15), 66667);
    EXPECT_EQ(RecordClock::Period(30), 33333);
    EXPECT_EQ(RecordClock::Period(1), 1000000);
    struct Case {
        std::int64_t now, expected;
    };
    const Case cases[] = {{100, 1100}, {1099, 1100}, {1100, 1200}, {1350, 1400}, {5000, 5100}, {0, 1100}};
    for (const auto& c : cases)
        EXPECT_EQ(RecordClock::NextDue(1000, c.now, 100), c.expected) << c.now;
    const std::pair<std::int64_t, std::u16string> texts[] = {
        {0, u"0:00"}, {7999999, u"0:07"}, {60000000, u"1:00"}, {600000000, u"10:00"}, {-5, u"0:00"}};
    for (const auto& [micros, text] : texts) {
        char16_t out[16];
        RecordClock::ElapsedText(micros, out);
        EXPECT_EQ(std::u16string(out), text);
    }
}

} // namespace
