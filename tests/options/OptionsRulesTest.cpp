#include "options/OptionsRules.h"

#include <gtest/gtest.h>

namespace {

using namespace OptionsRules;

// The items of the two lists, as the dialog template lists them.
const std::vector<std::u16string> kWidths = {u"（自動）", u"2",  u"3",  u"4",  u"5",  u"6",  u"8", u"10",
                                             u"12",       u"16", u"20", u"24", u"32", u"40", u"48"};
const std::vector<std::u16string> kTabs = {u"（自動）", u"80％",  u"100％", u"150％", u"200％", u"250％",
                                           u"300％",    u"400％", u"500％", u"600％", u"750％", u"800％"};

TEST(OptionsRules, FrameWidthSelectsTheExactItemOrAutomatic) {
    EXPECT_EQ(FrameWidthSelection(kWidths, 2), 1); // found only after the search wraps
    EXPECT_EQ(FrameWidthSelection(kWidths, 3), 2);
    EXPECT_EQ(FrameWidthSelection(kWidths, 10), 7);
    EXPECT_EQ(FrameWidthSelection(kWidths, 48), 14);
    // In range but not offered: automatic.
    EXPECT_EQ(FrameWidthSelection(kWidths, 7), 0);
    // "1" is a prefix of "10", "12" and "16" but no item's whole text.
    EXPECT_EQ(FrameWidthSelection(kWidths, 1), 0);
    EXPECT_EQ(FrameWidthSelection(kWidths, 0), 0);
    EXPECT_EQ(FrameWidthSelection(kWidths, -4), 0);
    EXPECT_EQ(FrameWidthSelection({}, 4), 0);
}

TEST(OptionsRules, TabScalingSelectsByPrefixOrNothing) {
    EXPECT_EQ(TabScalingSelection(kTabs, 80), 1); // found only after the search wraps
    EXPECT_EQ(TabScalingSelection(kTabs, 100), 2);
    EXPECT_EQ(TabScalingSelection(kTabs, 150), 3);
    EXPECT_EQ(TabScalingSelection(kTabs, 800), 11);
    // 80 or more but not offered: no selection at all.
    EXPECT_EQ(TabScalingSelection(kTabs, 90), kNoSelection);
    EXPECT_EQ(TabScalingSelection(kTabs, 801), kNoSelection);
    // "10％" must not match "100％": the percent sign is part of the prefix.
    EXPECT_EQ(TabScalingSelection({u"（自動）", u"80％", u"100％"}, 10), 0); // below 80
    EXPECT_EQ(TabScalingSelection({u"（自動）", u"80％", u"1000％"}, 100), kNoSelection);
    // Below 80: automatic.
    EXPECT_EQ(TabScalingSelection(kTabs, 79), 0);
    EXPECT_EQ(TabScalingSelection(kTabs, 50), 0);
    EXPECT_EQ(TabScalingSelection(kTabs, 0), 0);
    EXPECT_EQ(TabScalingSelection({}, 100), kNoSelection);
}

TEST(OptionsRules, SelectionsGiveTheStoredValue) {
    EXPECT_EQ(ValueOfSelection(kWidths, 7), 10);
    EXPECT_EQ(ValueOfSelection(kWidths, 14), 48);
    EXPECT_EQ(ValueOfSelection(kTabs, 3), 150); // stops at the percent sign
    EXPECT_EQ(ValueOfSelection(kTabs, 11), 800);
    EXPECT_EQ(ValueOfSelection(kTabs, 0), 0);
    EXPECT_EQ(ValueOfSelection(kTabs, kNoSelection), 0);
    EXPECT_EQ(ValueOfSelection(kTabs, 12), 0); // past the end
    // Every offered value maps back to its own item.
    for (size_t i = 1; i < kWidths.size(); ++i)
        EXPECT_EQ(FrameWidthSelection(kWidths, ValueOfSelection(kWidths, static_cast<int>(i))),
                  static_cast<int>(i));
    for (size_t i = 1; i < kTabs.size(); ++i)
        EXPECT_EQ(TabScalingSelection(kTabs, ValueOfSelection(kTabs, static_cast<int>(i))),
                  static_cast<int>(i));
}

TEST(OptionsRules, HotkeyChoices) {
    EXPECT_EQ(HotkeyChoiceOf(0x2C), 0);
    EXPECT_EQ(HotkeyChoiceOf(0x0174), 1);
    EXPECT_EQ(HotkeyChoiceOf(0x012C), 1); // Shift+PrintScreen is not the plain key
    EXPECT_EQ(HotkeyChoiceOf(0), 1);
    EXPECT_EQ(NewHotkey(0, 0x0174), kPrintScreenHotkey);
    EXPECT_EQ(NewHotkey(1, 0x0174), 0x0174);
    EXPECT_EQ(NewHotkey(1, 0), 0); // an empty hot-key control
}

TEST(OptionsRules, ScalePictureSpansTheThumbTravel) {
    geometry::Rect trackbar{10, 20, 140, 40};
    geometry::Rect channel{8, 10, 122, 14};
    geometry::Rect thumb{50, 2, 61, 18}; // 11 wide: half is 5
    geometry::Rect scale = QualityScaleRect(trackbar, channel, thumb);
    EXPECT_EQ(scale, (geometry::Rect{23, 44, 127, 54}));
    // An odd trackbar height halves toward zero.
    scale = QualityScaleRect({0, 0, 100, 21}, {5, 9, 95, 13}, {0, 0, 10, 20});
    EXPECT_EQ(scale, (geometry::Rect{10, 25, 90, 35}));
}

} // namespace
