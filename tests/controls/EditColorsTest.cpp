#include "controls/EditColors.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

TEST(EditColorsBlend, WeightNineKeepsTenPercentOfTheChosenColour) {
    const int32_t faintYellow = EditColors::MakeValue(Rgb(255, 255, 143), 9);
    EXPECT_EQ(EditColors::WeightOf(faintYellow), 9);
    EXPECT_EQ(EditColors::Effective(faintYellow, Rgb(255, 255, 255)),
              static_cast<int32_t>(Rgb(254, 254, 243)));
    // Each channel blends with its own system channel. 1 - 0.9 is slightly
    // below 0.1 in double precision, so 100 x it truncates to 9, 200 x it to 19.
    EXPECT_EQ(EditColors::Effective(EditColors::MakeValue(Rgb(0, 100, 200), 9), Rgb(10, 20, 30)),
              static_cast<int32_t>(Rgb(9, 27, 46)));
}

TEST(EditColorsBlend, WeightSevenAndWeightZeroAndNotSet) {
    // 255 * 0.7 = 178.5 -> 178; 0 * 0.3 = 0.
    EXPECT_EQ(EditColors::Effective(EditColors::MakeValue(Rgb(0, 0, 0), 7), Rgb(255, 255, 255)),
              static_cast<int32_t>(Rgb(178, 178, 178)));
    // 0 * 0.7 + 100 * 0.3 -> 30.
    EXPECT_EQ(EditColors::Effective(EditColors::MakeValue(Rgb(100, 100, 100), 7), 0),
              static_cast<int32_t>(Rgb(30, 30, 30)));
    EXPECT_EQ(EditColors::Effective(static_cast<int32_t>(Rgb(1, 2, 3)), Rgb(255, 255, 255)),
              static_cast<int32_t>(Rgb(1, 2, 3)));
    EXPECT_EQ(EditColors::Effective(EditColors::kNotSet, Rgb(255, 255, 255)), EditColors::kNotSet);
}

TEST(EditColorsBlend, LargeWeightsWrapInsideTheirChannel) {
    const int32_t result = EditColors::Effective(EditColors::MakeValue(Rgb(0, 0, 0), 15), Rgb(255, 0, 255));
    EXPECT_EQ(result & ~0xFFFFFF, 0); // nothing spills past blue
    EXPECT_EQ((result >> 8) & 0xFF, 0);
    EXPECT_EQ(result & 0xFF, 382 % 256);
}

TEST(EditColorsStates, SystemColoursAndCtlColorKinds) {
    EXPECT_EQ(EditColors::TextSystemColor(EditColors::Normal), 8);    // COLOR_WINDOWTEXT
    EXPECT_EQ(EditColors::TextSystemColor(EditColors::Disabled), 17); // COLOR_GRAYTEXT
    EXPECT_EQ(EditColors::TextSystemColor(EditColors::ReadOnly), 8);
    EXPECT_EQ(EditColors::BackgroundSystemColor(EditColors::Normal), 5);   // COLOR_WINDOW
    EXPECT_EQ(EditColors::BackgroundSystemColor(EditColors::Disabled), 4); // COLOR_MENU
    EXPECT_EQ(EditColors::BackgroundSystemColor(EditColors::ReadOnly), 4);

    EXPECT_EQ(EditColors::StateForCtlColor(1, true), EditColors::Normal);
    EXPECT_EQ(EditColors::StateForCtlColor(1, false), EditColors::Normal);
    EXPECT_EQ(EditColors::StateForCtlColor(6, true), EditColors::ReadOnly);
    EXPECT_EQ(EditColors::StateForCtlColor(6, false), EditColors::Disabled);
    EXPECT_EQ(EditColors::StateForCtlColor(0, true), -1); // CTLCOLOR_MSGBOX
    EXPECT_EQ(EditColors::StateForCtlColor(2, true), -1); // CTLCOLOR_LISTBOX
}

} // namespace
} // namespace controls
