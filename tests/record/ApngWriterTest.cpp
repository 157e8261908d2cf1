#include "record/ApngWriter.h"

#include "tests/record/RecordTestSupport.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace {

using RecordTest::Frame;
using RecordTest::MemorySink;

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
    bool crcOk;
};

std::uint32_t Be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& b) {
    std::vector<Chunk> out;
    std::size_t at = 8;
    while (at + 12 <= b.size()) {
        const std::uint32_t n = Be32(&b[at]);
        if (at + 12 + n > b.size())
            break;
        Chunk c{std::string(b.begin() + at + 4, b.begin() + at + 8),
                std::vector<std::uint8_t>(b.begin() + at + 8, b.begin() + at + 8 + n), false};
        c.crcOk = crc32(0, &b[at + 4], n + 4) == Be32(&b[at + 8 + n]);
        out.push_back(c);
        at += 12 + n;
    }
    EXPECT_EQ(at, b.size());
    return out;
}

TEST(ApngWriterTest, ChunksComeInOrderWithOneSequenceAndTheirChecksums) {
    Frame f(40, 30, 10, 20, 30);
    MemorySink sink;
    ApngWriter png(sink);
    ASSERT_TRUE(png.Begin(40, 30));
    // The first frame must be whole; later ones may not leave the image.
    EXPECT_FALSE(png.AddFrame(1, 0, 39, 30, f.bgr.data(), 120, 1, 10));
    ASSERT_TRUE(png.AddFrame(0, 0, 40, 30, f.bgr.data(), 120, 7, 100));
    EXPECT_FALSE(png.AddFrame(35, 0, 6, 2, f.bgr.data(), 120, 1, 10));
    ASSERT_TRUE(png.AddFrame(35, 28, 5, 2, f.bgr.data(), 120, 333, 1000));
    ASSERT_TRUE(png.AddFrame(0, 0, 1, 1, f.bgr.data(), 120, 60000, 1000));
    ASSERT_TRUE(png.End());
    ASSERT_EQ(std::vector<std::uint8_t>(sink.bytes.begin(), sink.bytes.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

    const auto chunks = Chunks(sink.bytes);
    std::string order;
    for (const auto& c : chunks) {
        order += c.type + " ";
        EXPECT_TRUE(c.crcOk) << c.type;
    }
    EXPECT_EQ(order, "IHDR acTL fcTL IDAT fcTL fdAT fcTL fdAT IEND ");
    EXPECT_EQ(chunks[0].data, (std::vector<std::uint8_t>{0, 0, 0, 40, 0, 0, 0, 30, 8, 2, 0, 0, 0}));
    EXPECT_EQ(Be32(&chunks[1].data[0]), 3u); // frames, filled in at the end
    EXPECT_EQ(Be32(&chunks[1].data[4]), 0u); // loop forever
    std::vector<std::uint32_t> sequence;
    for (const auto& c : chunks)
        if (c.type == "fcTL" || c.type == "fdAT")
            sequence.push_back(Be32(c.data.data()));
    EXPECT_EQ(sequence, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
    // The second frame's control: size, offset, delay 333/1000, dispose and blend 0.
    const auto& control = chunks[4].data;
    ASSERT_EQ(control.size(), 26u);
    EXPECT_EQ(Be32(&control[4]), 5u);
    EXPECT_EQ(Be32(&control[8]), 2u);
    EXPECT_EQ(Be32(&control[12]), 35u);
    EXPECT_EQ(Be32(&control[16]), 28u);
    EXPECT_EQ(std::vector<std::uint8_t>(control.begin() + 20, control.end()),
              (std::vector<std::uint8_t>{1, 77, 3, 232, 0, 0}));
}

// With alpha, a frame drawn over the one before shows the same pixels as one
// that replaces it, black ones included, and is taken where it is smaller.
TEST(ApngWriterTest, FramesOverTheOneBeforeShowExactlyTheSamePixels) {
    Frame base(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            base.Fill(x, y, 1, 1, static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 8),
                      static_cast<std::uint8_t>(x * y));
    Frame next = base;
    next.Fill(0, 0, 3, 3, 0, 0, 0);
    next.Fill(39, 29, 1, 1, 0xFF, 0xFF, 0xFF);
    const struct {
        const Frame& frame;
        const Frame* under;
        std::uint8_t blend;
    } frames[] = {
        {base, nullptr, 0}, {next, &base, 1}, {base, nullptr, 0}, {next, &base, 1}, {next, &next, 1}};
    MemorySink sink;
    ApngWriter png(sink, 6, true);
    ASSERT_TRUE(png.Begin(40, 30));
    for (const auto& f : frames)
        ASSERT_TRUE(png.AddFrame(0, 0, 40, 30, f.frame.bgr.data(), 120, 1, 10,
                                 f.under ? f.under->bgr.data() : nullptr));
    ASSERT_TRUE(png.End());
    const auto chunks = Chunks(sink.bytes);
    EXPECT_EQ(chunks[0].data[9], 6); // RGBA
    std::vector<std::uint8_t> blends;
    for (const auto& c : chunks)
        if (c.type == "fcTL")
            blends.push_back(c.data[25]);
    EXPECT_EQ(blends, (std::vector<std::uint8_t>{0, 1, 0, 1, 1}));
    const auto d = RecordTest::DecodeWithPillow(sink.bytes, "over");
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.frames.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(d.frames[i], frames[i].frame.Rgb()) << "frame " << i;
}

} // namespace
