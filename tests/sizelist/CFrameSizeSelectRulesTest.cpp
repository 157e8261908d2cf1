#include "sizelist/CFrameSizeSelectRules.h"

#include <gtest/gtest.h>

namespace {

using Rules = CFrameSizeSelectRules;

// A frame window at (100, 200), 660 x 520, whose 640 x 480 hole starts at
// (10, 10): 20 pixels of chrome across, 40 down (30 of them below the hole,
// where the tab is).
const geometry::Rect kWindow{100, 200, 760, 720};
const geometry::Rect kHole{10, 10, 650, 490};

geometry::Rect Sized(int width, int height) {
    return geometry::Rect{0, 0, width, height};
}

} // namespace

TEST(CFrameSizeSelectRules, KeepingTheCentrePutsTheOddPixelOnTheRightAndBottom) {
    // One pixel wider: the left edge stays, the right edge grows by one.
    auto plan = Rules::PlanApply(false, Sized(641, 480), kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, (geometry::Rect{100, 200, 761, 720}));
    // One pixel narrower: the left edge stays, the right edge loses one.
    plan = Rules::PlanApply(false, Sized(639, 480), kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, (geometry::Rect{100, 200, 759, 720}));
    // Five wider and three lower: left -2, right +3, top -1, bottom +2.
    plan = Rules::PlanApply(false, Sized(645, 483), kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, (geometry::Rect{98, 199, 763, 722}));
    // Five narrower and three less: left +2, right -3, top +1, bottom -2.
    plan = Rules::PlanApply(false, Sized(635, 477), kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, (geometry::Rect{102, 201, 757, 718}));
    // The same size leaves the window where it is.
    plan = Rules::PlanApply(false, Sized(640, 480), kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, kWindow);
    // The position in wanted does not count without the check box.
    plan = Rules::PlanApply(false, geometry::Rect{5000, 5000, 5640, 5480}, kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, kWindow);
    EXPECT_TRUE(plan.adjust);
}

TEST(CFrameSizeSelectRules, AGivenPositionPutsTheHoleExactlyOnIt) {
    const geometry::Rect wanted{300, 400, 1100, 1000};
    auto plan = Rules::PlanApply(true, wanted, kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, (geometry::Rect{290, 390, 1110, 1030}));
    EXPECT_EQ(plan.window.left + kHole.left, wanted.left);
    EXPECT_EQ(plan.window.top + kHole.top, wanted.top);
    EXPECT_EQ(plan.window.left + kHole.right + (wanted.Width() - kHole.Width()), wanted.right);
    EXPECT_FALSE(plan.adjust);
    // Negative positions (a monitor left of the primary one) work the same.
    plan = Rules::PlanApply(true, geometry::Rect{-1920, -50, -1280, 430}, kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window, (geometry::Rect{-1930, -60, -1270, 460}));
}

TEST(CFrameSizeSelectRules, TheWindowNeverGetsSmallerThanTheSmallestHoleAllows) {
    auto plan = Rules::PlanApply(true, geometry::Rect{50, 60, 53, 61}, kWindow, kHole, 10, 12);
    EXPECT_EQ(plan.minWidth, 30);
    EXPECT_EQ(plan.minHeight, 52);
    EXPECT_EQ(plan.window.left, 40);
    EXPECT_EQ(plan.window.top, 50);
    EXPECT_EQ(plan.window.Width(), 30);
    EXPECT_EQ(plan.window.Height(), 52);
    // Shrinking around the centre below the minimum keeps the left and top
    // edges the centring gave.
    plan = Rules::PlanApply(false, Sized(0, 0), kWindow, kHole, 10, 10);
    EXPECT_EQ(plan.window.left, 100 + 320);
    EXPECT_EQ(plan.window.top, 200 + 240);
    EXPECT_EQ(plan.window.Width(), 30);
    EXPECT_EQ(plan.window.Height(), 50);
}

TEST(CFrameSizeSelectRules, ScreenLimitsFollowTheChrome) {
    // An odd chrome: 21 across, 41 down.
    const geometry::Rect window{0, 0, 661, 521};
    auto plan = Rules::PlanApply(true, geometry::Rect{0, 0, 640, 480}, window, kHole, 10, 10);
    EXPECT_EQ(plan.chromeX, 21);
    EXPECT_EQ(plan.chromeY, 41);
    EXPECT_EQ(plan.defaultWidth, 421);
    EXPECT_EQ(plan.defaultHeight, 341);
    // Both overhangs come from the horizontal chrome.
    EXPECT_EQ(plan.offsetX, -10);
    EXPECT_EQ(plan.offsetY, -10);
    EXPECT_EQ(Rules::CannotMoveText(geometry::Rect{-5000, 9, 0, 0}, 21),
              u"x=-4990, y=19 へは移動できません。");
}

TEST(CFrameSizeSelectRules, MessagesAreComposedWithOrWithoutTheHelp) {
    const std::u16string help(Rules::HelpText());
    EXPECT_EQ(help.substr(0, 5), u"★編集を開");
    EXPECT_EQ(help.substr(help.size() - 2), u"\r\n");
    EXPECT_EQ(Rules::ComposeMessage(nullptr, false), help);
    EXPECT_EQ(Rules::ComposeMessage(nullptr, true), help);
    const std::u16string text = u"■a.txt\r\n";
    EXPECT_EQ(Rules::ComposeMessage(&text, true), u"■a.txt\r\n\r\n" + help);
    EXPECT_EQ(Rules::ComposeMessage(&text, false), text);
    const std::u16string empty;
    EXPECT_EQ(Rules::ComposeMessage(&empty, false), u"");

    EXPECT_EQ(Rules::ImportErrorText(u"C:\\a.csv", u"2行目: x\r\n"),
              u"■C:\\a.csv\r\nのインポートでエラーが発生しました。\r\n2行目: x\r\n");
    EXPECT_EQ(Rules::ImportReadText(u"C:\\a.csv", 3), u"C:\\a.csv\r\nファイルから 3件 読み込みました。");
    EXPECT_EQ(Rules::ImportNoDataText(u"C:\\a.csv"),
              u"C:\\a.csv\r\nファイルから読み込みましたが、有効なデータがありませんでした。\r\n");
    EXPECT_EQ(Rules::ExportSavedText(u"C:\\b.txt", 0), u"C:\\b.txt\r\nファイルに 0件 保存しました。\r\n");
    EXPECT_EQ(Rules::ExportErrorText(u"C:\\b.txt", u"denied"),
              u"C:\\b.txt\r\nへのエクスポートでエラーが発生しました。\r\ndenied");
}
