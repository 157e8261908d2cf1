#include "record/NearestColour.h"

#include <gtest/gtest.h>

namespace {

TEST(NearestColourTest, TheNearestBySquaresWinsAndTheEarliestOfEquals) {
    // Red, green, blue entries; (0, 0, 0) twice.
    const GifWriter::Palette palette{{0, 0, 0}, {200, 0, 0}, {0, 0, 0}, {100, 100, 100}, {0, 0, 250}};
    NearestColour nearest;
    nearest.Assign(palette);
    const struct {
        std::uint8_t b, g, r;
        int expected;
    } cases[] = {
        {0, 0, 0, 0},     {0, 0, 199, 1},  {250, 0, 0, 4},
        {90, 90, 130, 3}, {120, 40, 0, 3}, // by absolute sums entry 0 (160 against 180), by squares 3
    };
    for (int pass = 0; pass < 2; ++pass) // the second time from what was remembered
        for (const auto& c : cases)
            EXPECT_EQ(nearest.Find(c.b, c.g, c.r), c.expected)
                << int(c.b) << " " << int(c.g) << " " << int(c.r);
}

// The search from the pixel's green finds what trying every entry finds.
TEST(NearestColourTest, AgreesWithTryingEveryEntry) {
    std::uint32_t seed = 5;
    auto next = [&] { return static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24); };
    for (const std::size_t size : {1u, 3u, 40u, 256u}) {
        GifWriter::Palette palette;
        for (std::size_t i = 0; i < size; ++i)
            palette.push_back(i % 7 == 6 ? palette[i / 2] : GifWriter::Rgb{next(), next(), next()});
        NearestColour nearest;
        nearest.Assign(palette);
        for (int k = 0; k < 3000; ++k) {
            const std::uint8_t b = next(), g = next(), r = next();
            int best = 0, bestDistance = 1 << 30;
            for (std::size_t i = 0; i < size; ++i) {
                const int d = (b - palette[i].b) * (b - palette[i].b) +
                              (g - palette[i].g) * (g - palette[i].g) +
                              (r - palette[i].r) * (r - palette[i].r);
                if (d < bestDistance)
                    bestDistance = d, best = static_cast<int>(i);
            }
            ASSERT_EQ(nearest.Find(b, g, r), best)
                << size << ": " << int(b) << " " << int(g) << " " << int(r);
        }
    }
}

TEST(NearestColourTest, FillsUpAtLastAndStillAnswers) {
    NearestColour nearest;
    nearest.Assign({{0, 0, 0}, {255, 255, 255}});
    int found = 0;
    for (int c = 0; c < (1 << 18) && !nearest.Full(); ++c)
        found += nearest.Find(static_cast<std::uint8_t>(c & 63), static_cast<std::uint8_t>((c >> 6) & 63),
                              static_cast<std::uint8_t>(c >> 12));
    EXPECT_TRUE(nearest.Full());
    EXPECT_EQ(found, 0); // all nearer black
    EXPECT_EQ(nearest.Find(250, 250, 250), 1);
    EXPECT_EQ(nearest.Find(1, 2, 3), 0);
}

TEST(NearestColourTest, MapsABlockWithPaddedRowsAndLeavesThePaddingAlone) {
    NearestColour nearest;
    nearest.Assign({{0, 0, 0}, {255, 255, 255}});
    const std::uint8_t bgr[] = {250, 250, 250, 10, 10, 10, 7, 9, 9, 9, 200, 255, 100};
    std::uint8_t indices[] = {9, 9, 9, 9, 9};
    nearest.Map(bgr, 2, 2, 7, indices, 3);
    EXPECT_EQ(std::vector<std::uint8_t>(indices, indices + 5), (std::vector<std::uint8_t>{1, 0, 9, 0, 1}));
}

} // namespace
