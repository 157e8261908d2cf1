#include "record/AnimationEncoder.h"

#include "record/FrameDelays.h"
#include "tests/record/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using RecordTest::DecodeWithPillow;
using RecordTest::Frame;
using RecordTest::MemorySink;

// A window-like picture: a grey background, a title bar, some text-like
// dashes, and an 8 x 8 square at (x, 20).
Frame Desktop(int x) {
    Frame f(64, 48, 0xF0, 0xF0, 0xF0);
    f.Fill(0, 0, 64, 6, 0x80, 0x40, 0x20);
    for (int i = 0; i < 8; ++i)
        f.Fill(2 + i * 7, 10, 5, 1, 0x10, 0x10, 0x10);
    f.Fill(x, 20, 8, 8, 0x00, 0x00, 0xE0);
    return f;
}

struct Shot {
    Frame frame;
    std::int64_t micros;
};

TEST(AnimationEncoderTest, BothFormatsShowEveryDistinctFrameExactlyForItsTime) {
    // Frames at 15 fps; the square moves 3 pixels a frame but stands still
    // for frames 4 to 6 (merged into one frame) and frame 9 comes late.
    std::vector<Shot> shots;
    for (int k = 0; k < 14; ++k) {
        const int step = k < 4 ? k : k < 7 ? 4 : k - 2;
        shots.push_back({Desktop(2 + step * 3), k * 66667 + (k >= 9 ? 40000 : 0)});
    }
    const std::int64_t end = 14 * 66667 + 40000;
    // What a player should show: the distinct frames and their times.
    std::vector<const Frame*> shown;
    std::vector<std::int64_t> starts;
    for (const auto& s : shots)
        if (shown.empty() || s.frame.bgr != shown.back()->bgr) {
            shown.push_back(&s.frame);
            starts.push_back(s.micros);
        }
    starts.push_back(end);
    ASSERT_EQ(shown.size(), 12u);

    for (auto format : {AnimationFormat::Gif, AnimationFormat::Apng}) {
        MemorySink sink;
        AnimationEncoder encoder(format, 64, 48, sink);
        for (const auto& s : shots)
            ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(s.frame.bgr), s.micros));
        ASSERT_TRUE(encoder.Finish(end));
        EXPECT_EQ(encoder.FramesWritten(), 12);
        const auto d = DecodeWithPillow(sink.bytes, format == AnimationFormat::Gif ? "gif" : "apng");
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.format, format == AnimationFormat::Gif ? "GIF" : "PNG");
        ASSERT_EQ(d.frames.size(), shown.size());
        int sum = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(d.frames[i], shown[i]->Rgb()) << "frame " << i;
            const int units = encoder.Units();
            EXPECT_EQ(d.durations[i], FrameDelays::Delay(starts[i], starts[i + 1], units) * 1000 / units);
            sum += d.durations[i];
        }
        EXPECT_LE(std::abs(sum * 1000 - end), 5000);
        // Only the first frame is whole: the rest are the square's strip.
        EXPECT_LT(sink.bytes.size(), format == AnimationFormat::Gif ? 2000u : 3000u);
    }
}

TEST(AnimationEncoderTest, AGifOfManyColoursIsQuantisedAndItsSmallChangesStayExact) {
    Frame photo(96, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            photo.Fill(x, y, 1, 1, static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 4),
                       static_cast<std::uint8_t>((x + y) * 3 / 2));
    Frame marked = photo;
    marked.Fill(40, 30, 4, 4, 0, 0xFF, 0);
    MemorySink sink;
    AnimationEncoder encoder(AnimationFormat::Gif, 96, 64, sink);
    ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(photo.bgr), 0));
    ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(marked.bgr), 100000));
    ASSERT_TRUE(encoder.Finish(200000));
    const auto d = DecodeWithPillow(sink.bytes, "quantised");
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.frames.size(), 2u);
    const auto expected = photo.Rgb();
    double squared = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        squared += std::pow(double(d.frames[0][i]) - expected[i], 2.0);
    const double psnr = 10 * std::log10(255.0 * 255.0 * double(expected.size()) / squared);
    EXPECT_GT(psnr, 28.0); // a smooth gradient without dithering
    const std::size_t at = (31 * 96 + 41) * 3;
    EXPECT_EQ(std::vector<std::uint8_t>(d.frames[1].begin() + at, d.frames[1].begin() + at + 3),
              (std::vector<std::uint8_t>{0, 0xFF, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(d.frames[1].begin(), d.frames[1].begin() + 30),
              std::vector<std::uint8_t>(d.frames[0].begin(), d.frames[0].begin() + 30));
}

// Over a quantised photo, the pixels that change keep their exact colours
// where they have few, and colours the first frame never had (a dark text
// line, a red block) are not left to its table; the others stay as shown.
TEST(AnimationEncoderTest, ChangesOverAQuantisedGifAreShownWellAndTheRestStays) {
    Frame photo(96, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            photo.Fill(x, y, 1, 1, static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(60 + y * 2),
                       static_cast<std::uint8_t>(x + y));
    Frame outline = photo; // two colours around 1200 of the photo's
    outline.Fill(20, 10, 40, 2, 0x20, 0x20, 0x20);
    outline.Fill(20, 40, 40, 2, 0xFF, 0xFF, 0xFF);
    Frame block = photo; // a red block of 800 colours and a dark line
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            block.Fill(30 + x, 20 + y, 1, 1, static_cast<std::uint8_t>(y * 3), static_cast<std::uint8_t>(x),
                       static_cast<std::uint8_t>(200 + y));
    block.Fill(10, 50, 70, 1, 0x1E, 0x1E, 0x1E);
    Frame shifted = photo; // the photo's colours, moved, and the dark line
    for (int y = 20; y < 40; ++y)
        for (int x = 10; x < 70; ++x)
            std::copy_n(&photo.bgr[(static_cast<std::size_t>(y) * 96 + x + 7) * 3], 3,
                        &shifted.bgr[(static_cast<std::size_t>(y) * 96 + x) * 3]);
    shifted.Fill(10, 50, 70, 1, 0x1E, 0x1E, 0x1E);
    const struct {
        const char* name;
        const Frame& next;
        double worst; // largest difference of a changed component
    } cases[] = {{"outline", outline, 0},
                 {"block", block, 32},
                 {"shifted", shifted, 16}}; // the photo's reds end 42 below the block's
    for (const auto& c : cases) {
        MemorySink sink;
        AnimationEncoder encoder(AnimationFormat::Gif, 96, 64, sink);
        ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(photo.bgr), 0));
        ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(c.next.bgr), 100000));
        ASSERT_TRUE(encoder.Finish(200000));
        const auto d = DecodeWithPillow(sink.bytes, c.name);
        ASSERT_TRUE(d.ok);
        ASSERT_EQ(d.frames.size(), 2u);
        const auto before = photo.Rgb(), after = c.next.Rgb();
        double worst = 0;
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (before[i / 3 * 3] == after[i / 3 * 3] && before[i / 3 * 3 + 1] == after[i / 3 * 3 + 1] &&
                before[i / 3 * 3 + 2] == after[i / 3 * 3 + 2])
                ASSERT_EQ(d.frames[1][i], d.frames[0][i]) << c.name << " byte " << i;
            else
                worst = std::max(worst, std::abs(double(d.frames[1][i]) - after[i]));
        }
        EXPECT_LE(worst, c.worst) << c.name;
    }
}

TEST(AnimationEncoderTest, AStillScreenLongerThanOneDelayHoldsIsCarriedByRepeatedFrames) {
    for (auto format : {AnimationFormat::Gif, AnimationFormat::Apng}) {
        const Frame still = Desktop(5);
        MemorySink sink;
        AnimationEncoder encoder(format, 64, 48, sink);
        ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(still.bgr), 0));
        ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(still.bgr), 300000000));
        ASSERT_TRUE(encoder.Finish(700000000)); // 700 s
        const auto d = DecodeWithPillow(sink.bytes, "still");
        ASSERT_TRUE(d.ok);
        int sum = 0;
        for (std::size_t i = 0; i < d.frames.size(); ++i) {
            EXPECT_EQ(d.frames[i], still.Rgb());
            EXPECT_LE(d.durations[i], 60000 * 1000 / encoder.Units());
            sum += d.durations[i];
        }
        EXPECT_EQ(sum, 700000);
    }
}

TEST(AnimationEncoderTest, AFrameOfTheWrongSizeSpoilsTheFile) {
    MemorySink sink;
    AnimationEncoder encoder(AnimationFormat::Apng, 64, 48, sink);
    ASSERT_TRUE(encoder.AddFrame(std::vector<std::uint8_t>(Desktop(0).bgr), 0));
    EXPECT_FALSE(encoder.AddFrame(std::vector<std::uint8_t>(100), 70000));
    EXPECT_FALSE(encoder.Finish(140000));
}

} // namespace
