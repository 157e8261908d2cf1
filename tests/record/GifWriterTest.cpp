#include "record/GifWriter.h"

#include "tests/record/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using RecordTest::DecodeWithPillow;
using RecordTest::MemorySink;
using Palette = GifWriter::Palette;

TEST(GifWriterTest, PillowShowsSharedAndOwnPalettesRectanglesTransparencyAndDelays) {
    // 300 x 200: frame 1 noise over 200 shared colours (many sub-blocks),
    // frame 2 a 10 x 5 block at (290, 195) in a two-colour table of its
    // own, frame 3 the block's left half transparent over a shared colour.
    const int w = 300, h = 200;
    Palette shared;
    for (int i = 0; i < 200; ++i)
        shared.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                          static_cast<std::uint8_t>(i * 7)});
    std::mt19937 rng(5);
    std::vector<std::uint8_t> first(w * h);
    for (auto& v : first)
        v = static_cast<std::uint8_t>(rng() % 200);
    const Palette own = {{250, 0, 0}, {0, 0, 250}};
    std::vector<std::uint8_t> block(50, 1);
    std::vector<std::uint8_t> half(50);
    for (int i = 0; i < 50; ++i)
        half[i] = i % 10 < 5 ? 0 : 17; // 0 transparent, 17 a shared colour

    MemorySink sink;
    GifWriter gif(sink);
    ASSERT_TRUE(gif.Begin(w, h, &shared));
    ASSERT_TRUE(gif.AddFrame({0, 0, w, h, first.data(), nullptr, 7, -1}));
    ASSERT_TRUE(gif.AddFrame({290, 195, 10, 5, block.data(), &own, 250, -1}));
    ASSERT_TRUE(gif.AddFrame({290, 195, 10, 5, half.data(), nullptr, 3, 0}));
    // Refused without a byte written: outside the screen, index beyond the table.
    const std::size_t before = sink.bytes.size();
    EXPECT_FALSE(gif.AddFrame({291, 195, 10, 5, block.data(), &own, 3, -1}));
    block[0] = 2;
    EXPECT_FALSE(gif.AddFrame({290, 195, 10, 5, block.data(), &own, 3, -1}));
    EXPECT_EQ(sink.bytes.size(), before);
    ASSERT_TRUE(gif.End());

    const auto d = DecodeWithPillow(sink.bytes, "gifwriter");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.format, "GIF");
    EXPECT_EQ(d.loop, 0);
    ASSERT_EQ(d.frames.size(), 3u);
    EXPECT_EQ(d.durations, (std::vector<int>{70, 2500, 30}));
    auto pixel = [&](int frame, int x, int y) {
        const auto& f = d.frames[frame];
        const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 3;
        return GifWriter::Rgb{f[i], f[i + 1], f[i + 2]};
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(pixel(0, x, y), shared[first[y * w + x]]) << x << "," << y;
    EXPECT_EQ(pixel(1, 290, 195), own[1]);
    EXPECT_EQ(pixel(1, 289, 195), shared[first[195 * w + 289]]);
    EXPECT_EQ(pixel(2, 294, 199), own[1]); // transparent: the frame before shows
    EXPECT_EQ(pixel(2, 295, 199), shared[17]);
    EXPECT_EQ(pixel(2, 0, 0), shared[first[0]]);
}

TEST(GifWriterTest, TheSmallestOfSeveralWaysIsWritten) {
    Palette many(256, GifWriter::Rgb{1, 2, 3});
    const Palette two = {{0, 0, 0}, {9, 9, 9}};
    std::vector<std::uint8_t> indices(4000, 1);
    GifWriter::Frame wide{0, 0, 100, 40, indices.data(), &many, 5, -1};
    GifWriter::Frame narrow = wide;
    narrow.palette = &two;
    MemorySink a, b;
    GifWriter writeWide(a), writeBoth(b);
    ASSERT_TRUE(writeWide.Begin(100, 40, nullptr));
    ASSERT_TRUE(writeBoth.Begin(100, 40, nullptr));
    const std::size_t head = a.bytes.size();
    ASSERT_TRUE(writeWide.AddFrame(wide));
    const GifWriter::Frame both[] = {wide, narrow};
    ASSERT_TRUE(writeBoth.AddSmallest(both, 2));
    EXPECT_LT(b.bytes.size() - head, a.bytes.size() - head - 700); // the table alone is 768 bytes
}

} // namespace
