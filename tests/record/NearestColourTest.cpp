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

TEST(NearestColourTest, MapsABlockWithPaddedRowsAndLeavesThePaddingAlone) {
    NearestColour nearest;
    nearest.Assign({{0, 0, 0}, {255, 255, 255}});
    const std::uint8_t bgr[] = {250, 250, 250, 10, 10, 10, 7, 9, 9, 9, 200, 255, 100};
    std::uint8_t indices[] = {9, 9, 9, 9, 9};
    nearest.Map(bgr, 2, 2, 7, indices, 3);
    EXPECT_EQ(std::vector<std::uint8_t>(indices, indices + 5), (std::vector<std::uint8_t>{1, 0, 9, 0, 1}));
}

} // namespace
