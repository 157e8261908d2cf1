#include "record/GifQuality.h"

#include <gtest/gtest.h>

namespace {

TEST(GifQualityTest, SquaredErrorCountsTheMaskedPixelsAgainstTheirColours) {
    // Two rows of two pixels, 7 bytes apart (one byte of padding).
    const std::uint8_t bgr[] = {10, 20, 30, 0, 0, 0, 9, 255, 0, 0, 245, 255, 255};
    const GifWriter::Palette palette{{30, 20, 10}, {0, 0, 0}, {255, 255, 250}};
    const std::uint8_t indices[] = {0, 1, 1, 2};
    const std::uint8_t all[] = {1, 1, 1, 1}, some[] = {0, 1, 1, 0};
    EXPECT_EQ(GifQuality::SquaredError(bgr, 7, 2, 2, indices, nullptr, palette), 0 + 0 + 255 * 255 + 25);
    EXPECT_EQ(GifQuality::SquaredError(bgr, 7, 2, 2, indices, all, palette), 255 * 255 + 25);
    EXPECT_EQ(GifQuality::SquaredError(bgr, 7, 2, 2, indices, some, palette), 255 * 255);
}

TEST(GifQualityTest, WaysCloseToTheBestOrToTheRecordingsLevelPass) {
    const struct {
        std::int64_t error, best, pixels;
        bool close;
    } close[] = {{125, 100, 1, true},
                 {126, 100, 1, false},
                 {302, 0, 100, false},
                 {299, 0, 100, true},
                 {0, 0, 0, true}};
    for (const auto& c : close)
        EXPECT_EQ(GifQuality::CloseEnough(c.error, c.best, c.pixels), c.close) << c.error << " " << c.best;
    const struct {
        std::int64_t error, pixels, levelError, levelPixels;
        bool asGood;
    } level[] = {{50, 10, 400, 100, true}, {51, 10, 400, 100, false}, {0, 5, 0, 100, true},
                 {1, 5, 0, 100, false},    {0, 5, 7, 0, true},        {1, 5, 7, 0, false}};
    for (const auto& c : level)
        EXPECT_EQ(GifQuality::AsGoodAs(c.error, c.pixels, c.levelError, c.levelPixels), c.asGood) << c.error;
}

} // namespace
