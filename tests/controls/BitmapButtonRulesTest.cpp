#include "controls/BitmapButtonRules.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

using geometry::Rect;

using BitmapButtonRules::Border;
using BitmapButtonRules::Input;
using BitmapButtonRules::Layout;

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

Input Button(int width, int height, int bitmapWidth, int bitmapHeight) {
    Input in;
    in.width = width;
    in.height = height;
    in.bitmapWidth = bitmapWidth;
    in.bitmapHeight = bitmapHeight;
    in.border = true;
    in.face = Rgb(240, 240, 240);
    in.highlight = Rgb(0, 120, 215);
    return in;
}

TEST(BitmapButtonAttach, OnlyPushButtonsAndPlainCheckBoxesBecomeOwnerDrawn) {
    EXPECT_FALSE(BitmapButtonRules::IsSelfPainted(0x0));         // BS_PUSHBUTTON
    EXPECT_FALSE(BitmapButtonRules::IsSelfPainted(0x2));         // BS_CHECKBOX
    EXPECT_FALSE(BitmapButtonRules::IsSelfPainted(0x8000));      // BS_FLAT push button
    EXPECT_FALSE(BitmapButtonRules::IsSelfPainted(0x50010000));  // WS_CHILD | WS_VISIBLE | WS_TABSTOP
    EXPECT_TRUE(BitmapButtonRules::IsSelfPainted(0x1));          // BS_DEFPUSHBUTTON
    EXPECT_TRUE(BitmapButtonRules::IsSelfPainted(0x3));          // BS_AUTOCHECKBOX
    EXPECT_TRUE(BitmapButtonRules::IsSelfPainted(0x4));          // BS_RADIOBUTTON
    EXPECT_TRUE(BitmapButtonRules::IsSelfPainted(0x9 | 0x1000)); // BS_AUTORADIOBUTTON | BS_PUSHLIKE
}

TEST(BitmapButtonScale, WholeFactorsAndTheEmptyCases) {
    EXPECT_EQ(BitmapButtonRules::Scale(30, 26, 20, 20), 1);
    EXPECT_EQ(BitmapButtonRules::Scale(96, 100, 48, 48), 2);
    EXPECT_EQ(BitmapButtonRules::Scale(100, 96, 48, 48), 2);
    EXPECT_EQ(BitmapButtonRules::Scale(150, 60, 20, 20), 3);
    EXPECT_EQ(BitmapButtonRules::Scale(19, 40, 20, 20), 0);
    EXPECT_EQ(BitmapButtonRules::Scale(40, 40, 0, 0), 0); // bitmap failed to load
    EXPECT_EQ(BitmapButtonRules::Scale(0, 0, 20, 20), 0);
}

TEST(BitmapButtonColours, TintAndGradientEnds) {
    const uint32_t base = BitmapButtonRules::BaseColor(Rgb(240, 240, 240), Rgb(0, 120, 215), true);
    EXPECT_EQ(base, Rgb(170, 205, 232));
    EXPECT_EQ(BitmapButtonRules::GradientTop(base), Rgb(190, 225, 252));
    EXPECT_EQ(BitmapButtonRules::GradientBottom(base), Rgb(150, 185, 212));

    EXPECT_EQ(BitmapButtonRules::BaseColor(Rgb(240, 240, 240), Rgb(0, 120, 215), false), Rgb(240, 240, 240));
    // A black face tints toward light grey instead of the highlight.
    EXPECT_EQ(BitmapButtonRules::BaseColor(0, Rgb(0, 0, 255), true), Rgb(70, 70, 70));
    // The gradient saturates at both ends.
    EXPECT_EQ(BitmapButtonRules::GradientTop(Rgb(250, 0, 235)), Rgb(255, 20, 255));
    EXPECT_EQ(BitmapButtonRules::GradientBottom(Rgb(250, 5, 20)), Rgb(230, 0, 0));
}

TEST(BitmapButtonLayout, BitmapCentredAndPressedOneStepUpAndLeft) {
    Input in = Button(30, 26, 20, 20);
    Layout out = BitmapButtonRules::ComputeLayout(in);
    EXPECT_EQ(out.scale, 1);
    EXPECT_EQ(out.bitmap, (Rect{5, 3, 25, 23}));
    EXPECT_EQ(out.border, Border::Raised);
    EXPECT_EQ(out.base, Rgb(240, 240, 240));

    in.pressed = true;
    out = BitmapButtonRules::ComputeLayout(in);
    EXPECT_EQ(out.bitmap, (Rect{4, 2, 24, 22}));
    EXPECT_EQ(out.border, Border::Sunken);
    EXPECT_EQ(out.base, Rgb(170, 205, 232));

    in.pressed = false;
    in.checked = true;
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).bitmap, (Rect{4, 2, 24, 22}));

    Input big = Button(96, 100, 48, 48);
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(big).bitmap, (Rect{0, 2, 96, 98}));
    big.pressed = true;
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(big).bitmap, (Rect{-2, 0, 94, 96}));
}

TEST(BitmapButtonLayout, FlatButtonsFrameAndNeverMove) {
    Input in = Button(30, 26, 20, 20);
    in.flat = true;
    in.pressed = true;
    const Layout out = BitmapButtonRules::ComputeLayout(in);
    EXPECT_EQ(out.border, Border::FlatFrame);
    EXPECT_EQ(out.offset, 0);
    EXPECT_EQ(out.bitmap, (Rect{5, 3, 25, 23}));
    EXPECT_EQ(out.base, Rgb(170, 205, 232)); // still tinted

    in.border = false;
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).border, Border::None);
    in.flat = false;
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).border, Border::None);
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).offset, -1);
}

TEST(BitmapButtonLayout, CaptionRectangleFollowsTheOffset) {
    Input in = Button(60, 50, 20, 20);
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).caption, (Rect{0, 7, 60, 50}));
    in.checked = true;
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).caption, (Rect{-2, 5, 58, 50}));
}

TEST(BitmapButtonLayout, FocusMarks) {
    Input in = Button(60, 60, 20, 20); // scale 3
    in.focusStyle = 1;
    EXPECT_FALSE(BitmapButtonRules::ComputeLayout(in).hasFocusMark);
    in.focused = true;
    Layout out = BitmapButtonRules::ComputeLayout(in);
    EXPECT_TRUE(out.hasFocusMark);
    EXPECT_EQ(out.focus, (Rect{9, 9, 51, 51}));

    in.focusStyle = 2;
    EXPECT_EQ(BitmapButtonRules::ComputeLayout(in).focus, (Rect{3, 51, 57, 57}));

    Input one = Button(30, 26, 20, 20);
    one.focused = true;
    one.focusStyle = 2;
    out = BitmapButtonRules::ComputeLayout(one);
    EXPECT_EQ(out.focus.Height(), 0); // with scale 1 the bar is empty

    one.focusStyle = 0;
    EXPECT_FALSE(BitmapButtonRules::ComputeLayout(one).hasFocusMark);
}

TEST(BitmapButtonLayout, NoBitmapStillLaysOut) {
    Input in = Button(40, 30, 0, 0);
    in.focused = true;
    in.focusStyle = 2;
    in.pressed = true;
    const Layout out = BitmapButtonRules::ComputeLayout(in);
    EXPECT_EQ(out.scale, 0);
    EXPECT_EQ(out.bitmap, Rect{});
    EXPECT_EQ(out.offset, 0);
    EXPECT_LE(out.focus.top, out.focus.bottom);
    EXPECT_EQ(out.top, Rgb(190, 225, 252));
}

} // namespace
} // namespace controls
