// What the real Frimlet2.exe's shutter does beside writing the file. The
// clipboard, read by this test, another process: C held while shooting, or
// the option, puts the hole's pixels there as a bitmap and as PNG bytes;
// without either the clipboard is left alone. And a tooltip shown over the
// hole is not in the picture.
#include "tests/capture/ClipboardTestSupport.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

constexpr int kBorder = 4; // the frame's border at 96 dpi with the defaults

// Pixels read back from the clipboard, in the layout the harness compares.
E2eHarness::Image ToImage(UINT width, UINT height, const std::vector<capture_test::Bgr>& pixels) {
    E2eHarness::Image image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    for (const capture_test::Bgr& c : pixels)
        image.pixels.push_back(0xFF000000u | (c.r << 16) | (c.g << 8) | c.b);
    return image;
}

// The CF_DIB bitmap and the decoded "PNG" bytes; false when either is missing.
bool ReadClipboardImages(E2eHarness::Image& dib, E2eHarness::Image& png) {
    const com_ptr<IWICImagingFactory> factory = CreateImagingFactory();
    const capture_test::ScratchFolder folder;
    const capture_test::ClipboardImage clip = capture_test::ReadClipboardImage(factory.get(), folder);
    if (!clip.hasDib || !clip.png.ok)
        return false;
    dib = ToImage(clip.width, clip.height, clip.dib);
    png = ToImage(clip.png.width, clip.png.height, clip.png.pixels);
    return true;
}

// Waits until the clipboard's content changes from what it was at sequence.
bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetClipboardSequenceNumber() == sequence) {
        if (::GetTickCount64() >= end)
            return false;
        E2eHarness::Pump(50);
    }
    E2eHarness::Pump(200); // the copy puts its formats one after the other
    return true;
}

class ShutterExtrasE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(E2eDesktop::ScreenDpi(), 96) << "these sizes hold at 96 dpi";
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(capture_test::PutClipboardMarker(m_owner.get(), L"marker"));
    }

    // Starts the frame with its hole at (x, y) size cx x cy over the pattern.
    void StartOverPattern(int x, int y, int cx, int cy) {
        ASSERT_TRUE(E2eHarness::StorePlacement(x, y, cx, cy));
        RECT pattern = E2eHarness::HoleFor(x, y, cx, cy);
        ::InflateRect(&pattern, 2, 2);
        ASSERT_TRUE(h.ShowPattern(pattern));
        ASSERT_TRUE(h.Start()) << "the Frimlet2 frame window did not appear";
        ASSERT_TRUE(E2eDesktop::FindHole(h.Frame(), m_hole));
        ASSERT_EQ(m_hole.right - m_hole.left, cx);
    }

    E2eHarness h;
    capture_test::ClipboardOwnerWindow m_owner;
    RECT m_hole = {};
};

TEST_F(ShutterExtrasE2eTest, CAndPWithPrintScreenWriteAPngFileAndPutTheHoleOnTheClipboard) {
    StartOverPattern(410, 230, 180, 120);
    const DWORD sequence = ::GetClipboardSequenceNumber();
    const std::wstring file = h.ShootWithPrintScreen({'C', 'P'});
    ASSERT_FALSE(file.empty()) << "C+P+PrintScreen wrote no file";
    EXPECT_EQ(file.substr(file.size() - 4), L".png");
    ASSERT_TRUE(WaitForClipboardChange(sequence, 5000)) << "the clipboard was not touched";

    E2eHarness::Image dib, png;
    ASSERT_TRUE(ReadClipboardImages(dib, png)) << "no 24-bit CF_DIB and decodable \"PNG\" on the clipboard";
    const E2eHarness::Image pattern = E2eHarness::PatternImage(m_hole);
    ASSERT_EQ(dib.width, pattern.width);
    ASSERT_EQ(dib.height, pattern.height);
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(dib, pattern), 0) << "the bitmap is not the hole's pixels";
    ASSERT_EQ(png.width, pattern.width);
    ASSERT_EQ(png.height, pattern.height);
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(png, pattern), 0) << "the PNG is not the hole's pixels";
    EXPECT_TRUE(h.Stop());
}

TEST_F(ShutterExtrasE2eTest, WithoutCTheClipboardIsLeftAloneUnlessTheOptionIsOn) {
    StartOverPattern(400, 240, 150, 100);
    ASSERT_FALSE(h.ShootWithPrintScreen().empty()) << "PrintScreen wrote no file";
    E2eHarness::Pump(500);
    EXPECT_EQ(capture_test::ClipboardText(), L"marker") << "a capture without C touched the clipboard";
    ASSERT_TRUE(h.Stop());

    ASSERT_TRUE(E2eHarness::SetDword(L"copyToClipboard", 1));
    ASSERT_TRUE(h.Start());
    const DWORD sequence = ::GetClipboardSequenceNumber();
    ASSERT_FALSE(h.ShootWithPrintScreen().empty());
    ASSERT_TRUE(WaitForClipboardChange(sequence, 5000)) << "the option did not copy the capture";
    E2eHarness::Image dib, png;
    ASSERT_TRUE(ReadClipboardImages(dib, png));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(dib, E2eHarness::PatternImage(m_hole)), 0);
    EXPECT_TRUE(h.Stop());
}

TEST_F(ShutterExtrasE2eTest, ATooltipShownOverTheHoleIsNotInTheCapture) {
    // The tab on the screen's bottom edge: the shutter's tooltip has no room
    // below and opens upwards, over the hole. Under the hole lies the bare
    // desktop, which the display redraws at once when the tooltip goes (a
    // program's window beneath would have to repaint first where nothing
    // composes the screen, as under Wine).
    const int cx = 300, cy = 200;
    const POINT inset = E2eHarness::HoleOffset(kBorder);
    const int tabHeight = 20;
    const int x = 600, y = ::GetSystemMetrics(SM_CYSCREEN) - (cy + 2 * inset.y + tabHeight);
    ASSERT_TRUE(E2eHarness::StorePlacement(x, y, cx, cy));
    ASSERT_TRUE(E2eHarness::SetDword(L"type", 1)); // BMP: exact pixels
    ASSERT_TRUE(h.Start()) << "the Frimlet2 frame window did not appear";
    ASSERT_TRUE(E2eDesktop::FindHole(h.Frame(), m_hole));
    ASSERT_EQ(m_hole.left, x + inset.x);
    E2eHarness::Pump(800);
    E2eHarness::Image before;
    ASSERT_TRUE(E2eDesktop::Grab(m_hole, before));

    const POINT over = test_support::CentreOf(::GetDlgItem(h.Frame(), 1000));
    E2eDesktop::MoveMouse({over.x - 3, over.y - 2});
    E2eDesktop::MoveMouse(over);
    HWND shown = test_support::WaitForTopLevel(
        {.className = TOOLTIPS_CLASSW, .processId = ::GetProcessId(h.Process())}, 4000, 100);
    ASSERT_TRUE(shown) << "the shutter's tooltip did not show";
    RECT overlap{};
    const RECT tip = test_support::WindowRectOf(shown);
    ASSERT_TRUE(::IntersectRect(&overlap, &tip, &m_hole)) << "the tooltip did not open over the hole";

    const std::wstring file = h.ShootWithPrintScreen();
    ASSERT_FALSE(file.empty()) << "PrintScreen wrote no file";
    E2eHarness::Image image;
    ASSERT_TRUE(E2eHarness::Decode(file, image));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(image, before), 0) << "the tooltip is in the picture";
    EXPECT_TRUE(h.Stop());
}

} // namespace
