// The real Frimlet2.exe on the desktop: where the frame stands on a first
// start, its shape, the shutter button writing what shows through the hole,
// and the status label's twelve seconds.
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

namespace {

constexpr int kShutterId = 1000;
// The frame at 96 dpi with the default settings: a 4-pixel border and a tab
// 120 wide reaching 20 pixels below it.
constexpr int kBorder = 4;
constexpr int kTabHeight = 20;
constexpr int kTabWidth = 120;

class FrameCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(E2eDesktop::ScreenDpi(), 96) << "these sizes hold at 96 dpi";
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
    }

    void StartFrame() { ASSERT_TRUE(h.Start()) << "the Frimlet2 frame window did not appear"; }

    // Stores a placement, lays the pattern under the hole it gives, starts the
    // frame and checks that the hole is where the placement says.
    void StartOverPattern(int x, int y, int cx, int cy) {
        ASSERT_TRUE(E2eHarness::StorePlacement(x, y, cx, cy));
        const RECT expected = E2eHarness::HoleFor(x, y, cx, cy);
        // Under the hole and the border only, so the tab stays clear to click.
        RECT pattern = expected;
        ::InflateRect(&pattern, 2, 2);
        ASSERT_TRUE(h.ShowPattern(pattern));
        StartFrame();
        ASSERT_TRUE(E2eDesktop::FindHole(h.Frame(), m_hole));
        ASSERT_EQ(m_hole.left, expected.left);
        ASSERT_EQ(m_hole.top, expected.top);
        ASSERT_EQ(m_hole.right, expected.right);
        ASSERT_EQ(m_hole.bottom, expected.bottom);
    }

    // Clicks the shutter button with the mouse, holding a letter when given,
    // and returns the file written.
    std::wstring ClickShutter(WORD held = 0) {
        HWND button = ::GetDlgItem(h.Frame(), kShutterId);
        EXPECT_TRUE(button) << "no shutter button";
        const auto before = h.FilesInFolder();
        if (held)
            E2eDesktop::KeyDown(held);
        E2eDesktop::Click(test_support::CentreOf(button));
        if (held)
            E2eDesktop::KeyUp(held);
        return h.WaitForNewImage(before, 8000);
    }

    E2eHarness h;
    RECT m_hole = {};
};

TEST_F(FrameCaptureTest, FirstStartCentresA400x300HoleOnTheWorkAreaInARoundedShape) {
    StartFrame();
    const RECT window = test_support::WindowRectOf(h.Frame());
    const int w = window.right - window.left;
    const int hgt = window.bottom - window.top;
    const RECT work = E2eDesktop::WorkArea();
    EXPECT_EQ(window.left, (work.left + work.right) / 2 - w / 2);
    EXPECT_EQ(window.top, (work.top + work.bottom) / 2 - hgt / 2);

    RECT hole = {};
    ASSERT_TRUE(E2eDesktop::FindHole(h.Frame(), hole)) << "the frame has no hole in its region";
    EXPECT_EQ(hole.right - hole.left, 400);
    EXPECT_EQ(hole.bottom - hole.top, 300);
    const POINT margin = E2eHarness::HoleOffset(0);
    const int marginX = margin.x, marginY = margin.y;
    EXPECT_EQ(hole.left - window.left, marginX + kBorder);
    EXPECT_EQ(hole.top - window.top, marginY + kBorder);
    EXPECT_EQ(window.right - hole.right, marginX + kBorder);
    EXPECT_EQ(window.bottom - hole.bottom, marginY + kBorder + kTabHeight);

    // In window coordinates. Rounded regions end one pixel inside the
    // rectangle they are made from, so the border's last column and row are
    // those next to the margin.
    HWND f = h.Frame();
    const int left = marginX, top = marginY;
    const int right = w - marginX - 1, bottom = hgt - marginY - 1;
    const int holeBottom = hole.bottom - window.top;
    const int tabLeft = right + 1 - kTabWidth;
    EXPECT_FALSE(E2eDesktop::RegionContains(f, left - 1, hgt / 3)) << "the margin has pixels";
    EXPECT_FALSE(E2eDesktop::RegionContains(f, w / 2, top - 1)) << "the margin has pixels";
    EXPECT_FALSE(E2eDesktop::RegionContains(f, right + 1, hgt / 3)) << "the margin has pixels";
    EXPECT_TRUE(E2eDesktop::RegionContains(f, left, hgt / 3)) << "the left border is missing";
    EXPECT_TRUE(E2eDesktop::RegionContains(f, right, hgt / 3)) << "the right border is missing";
    EXPECT_TRUE(E2eDesktop::RegionContains(f, w / 2, top + kBorder - 1)) << "the top border is missing";
    EXPECT_FALSE(E2eDesktop::RegionContains(f, left, top)) << "the upper-left corner is not rounded";
    // The tab hangs below the right part of the bottom bar only.
    EXPECT_TRUE(E2eDesktop::RegionContains(f, w / 3, holeBottom + kBorder - 1))
        << "the bottom bar is missing";
    EXPECT_FALSE(E2eDesktop::RegionContains(f, tabLeft - 10, holeBottom + kBorder + 3));
    EXPECT_FALSE(E2eDesktop::RegionContains(f, left, holeBottom + kBorder - 1)) << "lower-left corner";
    EXPECT_TRUE(E2eDesktop::RegionContains(f, right - 30, bottom));
    EXPECT_FALSE(E2eDesktop::RegionContains(f, right - 30, bottom + 1)) << "the margin has pixels";
    // Its lower corners are rounded; above them it meets the border square.
    EXPECT_FALSE(E2eDesktop::RegionContains(f, right, bottom)) << "lower-right tab corner";
    EXPECT_FALSE(E2eDesktop::RegionContains(f, tabLeft, bottom)) << "lower-left tab corner";
    EXPECT_TRUE(E2eDesktop::RegionContains(f, right - 2, bottom - 2));
    EXPECT_TRUE(E2eDesktop::RegionContains(f, tabLeft + 2, bottom - 2));
    EXPECT_TRUE(E2eDesktop::RegionContains(f, right, holeBottom + kBorder));
    EXPECT_TRUE(E2eDesktop::RegionContains(f, tabLeft, holeBottom + kBorder));
    EXPECT_FALSE(E2eDesktop::RegionContains(f, tabLeft - 1, holeBottom + kBorder));

    BYTE alpha = 0;
    ASSERT_TRUE(E2eDesktop::LayeredAlpha(f, alpha)) << "the frame is not a layered window";
    EXPECT_EQ(alpha, 255);
}

TEST_F(FrameCaptureTest, ShutterButtonWritesWhatShowsThroughTheHoleInTheHeldFormat) {
    StartOverPattern(430, 250, 360, 210);
    E2eHarness::Image onScreen;
    ASSERT_TRUE(E2eDesktop::Grab(m_hole, onScreen));
    ASSERT_EQ(E2eDesktop::MaxChannelDifference(onScreen, E2eHarness::PatternImage(m_hole)), 0)
        << "the hole does not show what lies beneath";

    E2eHarness::Image image;
    const std::wstring jpeg = ClickShutter();
    ASSERT_FALSE(jpeg.empty()) << "the shutter button wrote no file";
    EXPECT_TRUE(E2eHarness::HasExtension(jpeg, L".jpg")) << "the default type is JPEG";
    ASSERT_TRUE(E2eHarness::Decode(jpeg, image));
    ASSERT_EQ(image.width, onScreen.width);
    ASSERT_EQ(image.height, onScreen.height);
    EXPECT_LT(E2eDesktop::MeanChannelDifference(image, onScreen), 8.0);

    const std::wstring bmp = ClickShutter('B');
    ASSERT_FALSE(bmp.empty()) << "B + shutter wrote no file";
    EXPECT_TRUE(E2eHarness::HasExtension(bmp, L".bmp"));
    ASSERT_TRUE(E2eHarness::Decode(bmp, image));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(image, onScreen), 0) << "a BMP capture is the screen exactly";

    const std::wstring gif = ClickShutter('G');
    ASSERT_FALSE(gif.empty()) << "G + shutter wrote no file";
    EXPECT_TRUE(E2eHarness::HasExtension(gif, L".gif"));
    ASSERT_TRUE(E2eHarness::Decode(gif, image));
    ASSERT_EQ(image.width, onScreen.width);
    ASSERT_EQ(image.height, onScreen.height);
    EXPECT_LT(E2eDesktop::MeanChannelDifference(image, onScreen), 16.0);

    // The letter's hold lasted for that capture only.
    const std::wstring next = ClickShutter();
    ASSERT_FALSE(next.empty());
    EXPECT_TRUE(E2eHarness::HasExtension(next, L".jpg"));
}

TEST_F(FrameCaptureTest, StatusLabelStaysTwelveSecondsAfterTheLastCapture) {
    StartOverPattern(380, 220, 300, 160);
    // The start of the tab's upper line, where the label is drawn, left of
    // the shutter button.
    const int outerRight = m_hole.right + kBorder;
    const RECT label = {outerRight - 91, m_hole.bottom, outerRight - 55, m_hole.bottom + 10};
    E2eHarness::Pump(800); // the corner icon settles
    E2eHarness::Image blank, now;
    ASSERT_TRUE(E2eDesktop::Grab(label, blank));

    ASSERT_FALSE(h.ShootWithPrintScreen().empty()) << "PrintScreen wrote no file";
    const ULONGLONG first = ::GetTickCount64();
    E2eHarness::Pump(700);
    ASSERT_TRUE(E2eDesktop::Grab(label, now));
    EXPECT_GT(E2eDesktop::MaxChannelDifference(now, blank), 40) << "no label after a capture";

    test_support::PumpMessagesUntil(first + 6000);
    ASSERT_FALSE(h.ShootWithPrintScreen().empty());
    const ULONGLONG second = ::GetTickCount64();

    // 14.5 s after the first capture, 8.5 s after the second.
    test_support::PumpMessagesUntil(second + 8500);
    ASSERT_TRUE(E2eDesktop::Grab(label, now));
    EXPECT_GT(E2eDesktop::MaxChannelDifference(now, blank), 40)
        << "the label went 12 s after the first capture, not the last";

    test_support::PumpMessagesUntil(second + 13500);
    ASSERT_TRUE(E2eDesktop::Grab(label, now));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(now, blank), 0) << "the label outlived its 12 seconds";
}

} // namespace
