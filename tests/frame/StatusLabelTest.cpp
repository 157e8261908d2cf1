#include "frame/StatusLabel.h"

#include <gtest/gtest.h>

#include <climits>

namespace frame {
namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

StatusLabel Status(int value, uint32_t frameColor) {
    StatusLabel label;
    label.SetStatus(value, frameColor);
    return label;
}

TEST(StatusLabelText, KilobytesRoundedUpInAFieldOfThree) {
    const uint32_t color = Rgb(64, 128, 192);
    EXPECT_EQ(Status(1, color).Text(), u"  1KB");
    EXPECT_EQ(Status(1024, color).Text(), u"  1KB");
    EXPECT_EQ(Status(1025, color).Text(), u"  2KB");
    EXPECT_EQ(Status(99 * 1024, color).Text(), u" 99KB");
    // The space flag keeps a blank before the number even when it fills the field.
    EXPECT_EQ(Status(153600, color).Text(), u" 150KB");
    EXPECT_EQ(Status(153601, color).Text(), u" 151KB");
    EXPECT_EQ(Status(5 * 1024 * 1024, color).Text(), u" 5120KB");
    EXPECT_EQ(Status(INT_MAX, color).Text(), u" 2097152KB");
}

TEST(StatusLabelText, ErrorCodesWithoutTheirSign) {
    EXPECT_EQ(Status(-3, 0).Text(), u"error:3");
    EXPECT_EQ(Status(-1, 0).Text(), u"error:1");
    EXPECT_EQ(Status(INT_MIN, 0).Text(), u"error:2147483648");
}

// Nothing written is an error too, never an empty label.
TEST(StatusLabelText, ZeroIsAnErrorAndClearingKeepsTheColour) {
    StatusLabel label;
    label.SetStatus(0, Rgb(64, 128, 192));
    EXPECT_EQ(label.Text(), u"error:0");
    const uint32_t before = label.Color();
    label.Clear();
    EXPECT_TRUE(label.Text().empty());
    EXPECT_EQ(label.Color(), before);
}

TEST(StatusLabelColour, SizeTonesMirrorTheFrameColour) {
    // lo 64, hi 192: mirror(64) = 192, mirror(128) = 128, mirror(192) = 64.
    const uint32_t color = Rgb(64, 128, 192);
    EXPECT_EQ(Status(1, color).Color(), Rgb(192, 240, 64));
    EXPECT_EQ(Status(153600, color).Color(), Rgb(192, 240, 64));
    EXPECT_EQ(Status(153601, color).Color(), Rgb(240, 128, 64));
    EXPECT_EQ(Status(-3, color).Color(), Rgb(255, 128, 64));

    // Pure red: lo 0, hi 255.
    EXPECT_EQ(Status(10, Rgb(255, 0, 0)).Color(), Rgb(0, 240, 255));
    EXPECT_EQ(Status(200000, Rgb(255, 0, 0)).Color(), Rgb(240, 255, 255));
    EXPECT_EQ(Status(-5, Rgb(255, 0, 0)).Color(), Rgb(255, 255, 255));

    // Black: every channel mirrors to 0.
    EXPECT_EQ(Status(10, 0).Color(), Rgb(0, 240, 0));
    EXPECT_EQ(Status(-5, 0).Color(), Rgb(255, 0, 0));
}

TEST(StatusLabelColour, LightFramesGetNearBlackText) {
    const uint32_t white = Rgb(255, 255, 255);
    EXPECT_EQ(Status(1, white).Color(), Rgb(0, 0, 20));
    EXPECT_EQ(Status(153601, white).Color(), Rgb(0, 0, 20));
    EXPECT_EQ(Status(-3, white).Color(), Rgb(0, 0, 0));

    // A grey of 197 has luma 196 and counts as light; 196 (luma 195) does not.
    EXPECT_EQ(StatusLabel::Luma(Rgb(197, 197, 197)), 196);
    EXPECT_EQ(Status(1, Rgb(197, 197, 197)).Color(), Rgb(0, 0, 20));
    EXPECT_EQ(Status(1, Rgb(196, 196, 196)).Color(), Rgb(196, 240, 196));
    // Yellow is light through its green; cyan is not, as luma weighs blue least.
    EXPECT_EQ(Status(1, Rgb(255, 255, 0)).Color(), Rgb(0, 0, 20));
    EXPECT_EQ(Status(1, Rgb(0, 255, 255)).Color(), Rgb(255, 240, 0));
    EXPECT_EQ(Status(1, Rgb(255, 0, 255)).Color(), Rgb(0, 240, 0));
    // Bits above the colour are ignored.
    EXPECT_EQ(StatusLabel::Luma(0xFF000000u | Rgb(255, 255, 255)), 254);
}

} // namespace
} // namespace frame
