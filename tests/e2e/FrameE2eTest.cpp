#include "res/resource.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

namespace {

constexpr int kX = 300;
constexpr int kY = 200;
constexpr int kCx = 320;
constexpr int kCy = 240;
constexpr int kFrameWidth = 4; // default border at 96 dpi

class FrameE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(E2eHarness::StorePlacement(kX, kY, kCx, kCy));
    }

    // The hole on the screen for the stored placement.
    static RECT Hole() { return E2eHarness::HoleFor(kX, kY, kCx, kCy); }

    // The registry holds the placement the fixture started from.
    static void ExpectStoredPlacement() {
        const std::pair<const wchar_t*, int> expected[] = {
            {L"x", kX}, {L"y", kY}, {L"cx", kCx}, {L"cy", kCy}};
        for (const auto& [name, value] : expected) {
            DWORD stored = 0;
            ASSERT_TRUE(E2eHarness::ReadDword(name, stored)) << name << " was not stored";
            EXPECT_EQ(static_cast<int>(stored), value) << name;
        }
    }

    void StartOverPattern() {
        RECT around = Hole();
        ::InflateRect(&around, 40, 40);
        ASSERT_TRUE(h.ShowPattern(around));
        ASSERT_TRUE(h.Start()) << "the frame window did not appear";
        const RECT rc = test_support::WindowRectOf(h.Frame());
        ASSERT_EQ(rc.left, kX);
        ASSERT_EQ(rc.top, kY);
    }

    std::wstring Capture(WORD vk, const std::vector<WORD>& held) {
        const auto before = h.FilesInFolder();
        E2eHarness::PressKeyHolding(vk, held);
        return h.WaitForNewFile(before, 8000);
    }

    // Mean absolute difference per channel between the image and the pattern
    // under the hole.
    static double MeanError(const E2eHarness::Image& image) {
        const RECT hole = Hole();
        double sum = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const uint32_t a = image.pixels[static_cast<size_t>(y) * image.width + x];
                const uint32_t b = E2eHarness::Pattern(hole.left + x, hole.top + y);
                for (int shift = 0; shift < 24; shift += 8)
                    sum += std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                    static_cast<int>((b >> shift) & 0xFF));
            }
        return sum / (3.0 * image.width * image.height);
    }

    E2eHarness h;
};

TEST_F(FrameE2eTest, HotkeyWritesTheHoleInTheHeldFormat) {
    StartOverPattern();

    const std::wstring jpeg = Capture(VK_SNAPSHOT, {});
    ASSERT_FALSE(jpeg.empty()) << "PrintScreen wrote no file";
    EXPECT_TRUE(E2eHarness::HasExtension(jpeg, L".jpg"));
    E2eHarness::Image image;
    ASSERT_TRUE(E2eHarness::Decode(jpeg, image));
    ASSERT_EQ(image.width, kCx);
    ASSERT_EQ(image.height, kCy);
    EXPECT_LT(MeanError(image), 12.0);

    const std::wstring png = Capture(VK_SNAPSHOT, {'P'});
    ASSERT_FALSE(png.empty()) << "P + PrintScreen wrote no file";
    EXPECT_TRUE(E2eHarness::HasExtension(png, L".png"));
    ASSERT_TRUE(E2eHarness::Decode(png, image));
    ASSERT_EQ(image.width, kCx);
    ASSERT_EQ(image.height, kCy);
    EXPECT_EQ(MeanError(image), 0.0) << "a PNG capture must equal the pixels under the hole";

    const std::wstring both = Capture(VK_SNAPSHOT, {'J', 'P'});
    ASSERT_FALSE(both.empty()) << "J + P + PrintScreen wrote no file";
    EXPECT_TRUE(E2eHarness::HasExtension(both, L".jpg"));
    ASSERT_TRUE(E2eHarness::Decode(both, image));
    EXPECT_LT(MeanError(image), 12.0);
}

TEST_F(FrameE2eTest, EscapeMinimisesStoresPlacementAndStopsTheHotkey) {
    StartOverPattern();
    for (const wchar_t* name : {L"x", L"y", L"cx", L"cy"})
        ASSERT_TRUE(E2eHarness::DeleteValue(name));

    ::SetForegroundWindow(h.Frame());
    E2eHarness::PressKey(VK_ESCAPE);
    E2eHarness::Pump(500);
    if (!::IsIconic(h.Frame())) {
        // No focus could be given to the frame: deliver the key to it directly.
        ::PostMessageW(h.Frame(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageW(h.Frame(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
        E2eHarness::Pump(800);
    }
    ASSERT_TRUE(::IsIconic(h.Frame())) << "Esc did not minimise the frame";

    ExpectStoredPlacement();

    EXPECT_TRUE(Capture(VK_SNAPSHOT, {}).empty()) << "a capture was written while minimised";
}

TEST_F(FrameE2eTest, CloseEndsTheProcessAndStoresThePlacement) {
    ASSERT_TRUE(h.Start());
    for (const wchar_t* name : {L"x", L"y", L"cx", L"cy"})
        ASSERT_TRUE(E2eHarness::DeleteValue(name));
    ::PostMessageW(h.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(h.WaitForExit(10000)) << "SC_CLOSE did not end the process";
    ExpectStoredPlacement();
}

TEST_F(FrameE2eTest, SecondInstanceExitsAtOnce) {
    ASSERT_TRUE(h.Start());
    unique_kernel_handle second = E2eHarness::StartExtraInstance();
    ASSERT_TRUE(second);
    const bool ended = ::WaitForSingleObject(second.get(), 5000) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(second.get(), 1);
    EXPECT_TRUE(ended) << "the second instance kept running";
    EXPECT_NE(::WaitForSingleObject(h.Process(), 0), WAIT_OBJECT_0) << "the first instance ended";
    EXPECT_TRUE(::IsWindowVisible(h.Frame()));
}

// The jump-list task starts a second copy with /openfolder; the running
// frame opens its folder, or here, where the folder is a file, says so and
// names it instead of doing nothing.
TEST_F(FrameE2eTest, TheJumpListTaskOnAFolderThatIsAFileSaysSo) {
    const std::wstring file = h.Folder() + L"\\not-a-folder";
    ASSERT_TRUE(test_support::WriteBytes(file, "x"));
    ASSERT_TRUE(E2eHarness::SetString(L"outputPath", file));
    ASSERT_TRUE(h.Start());
    unique_kernel_handle second = E2eHarness::StartExtraInstance(L"/openfolder");
    ASSERT_TRUE(second);
    EXPECT_EQ(::WaitForSingleObject(second.get(), 5000), WAIT_OBJECT_0) << "the second copy kept running";
    HWND box = test_support::WaitForTopLevel({.className = L"#32770", .owner = h.Frame()}, 5000);
    ASSERT_TRUE(box) << "no message about the folder";
    bool named = false;
    for (const std::wstring& text : test_support::ChildTexts(box))
        named = named || text.find(file) != std::wstring::npos;
    EXPECT_TRUE(named) << "the message does not name the path";
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

namespace {

using test_support::WindowRectOf;

TEST_F(FrameE2eTest, DraggingTheBorderMovesTheCornerResizesAndTheLockStopsBoth) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    const RECT hole = Hole();
    const RECT start = WindowRectOf(h.Frame());

    // The top border, away from the corners, moves the frame.
    E2eHarness::Drag(POINT{start.left + 150, hole.top - 2}, POINT{start.left + 190, hole.top + 28});
    RECT moved = WindowRectOf(h.Frame());
    EXPECT_EQ(moved.left, start.left + 40);
    EXPECT_EQ(moved.top, start.top + 30);
    EXPECT_EQ(moved.right - moved.left, start.right - start.left);
    EXPECT_EQ(moved.bottom - moved.top, start.bottom - start.top);

    // The left border just above the bottom is the lower-left resize zone.
    const int holeLeft = hole.left + (moved.left - start.left);
    const int holeBottom = hole.bottom + (moved.top - start.top);
    E2eHarness::Drag(POINT{holeLeft - 2, holeBottom - 5}, POINT{holeLeft - 32, holeBottom + 15});
    RECT resized = WindowRectOf(h.Frame());
    EXPECT_EQ(resized.left, moved.left - 30);
    EXPECT_EQ(resized.right, moved.right);
    EXPECT_EQ(resized.top, moved.top);
    EXPECT_EQ(resized.bottom, moved.bottom + 20);

    // The grip icon hands a left drag to the corner beneath it.
    const POINT gripCentre = test_support::CentreOf(::GetDlgItem(h.Frame(), IDC_GRIP_ICON));
    E2eHarness::Drag(gripCentre, POINT{gripCentre.x + 20, gripCentre.y + 10});
    RECT grown = WindowRectOf(h.Frame());
    EXPECT_EQ(grown.left, resized.left);
    EXPECT_EQ(grown.top, resized.top);
    EXPECT_EQ(grown.right, resized.right + 20);
    EXPECT_EQ(grown.bottom, resized.bottom + 10);
    resized = grown;

    // Locked: neither works, and the frame is drawn see-through.
    ::PostMessageW(h.Frame(), WM_COMMAND, IDM_LOCK, 0);
    E2eHarness::Pump(200);
    BYTE alpha = 0;
    ASSERT_TRUE(E2eDesktop::LayeredAlpha(h.Frame(), alpha));
    EXPECT_EQ(alpha, 200);
    E2eHarness::Drag(POINT{resized.left + 150, resized.top + 5}, POINT{resized.left + 190, resized.top + 35});
    E2eHarness::Drag(POINT{resized.left + 5, resized.bottom - 30},
                     POINT{resized.left - 25, resized.bottom - 10});
    RECT locked = WindowRectOf(h.Frame());
    EXPECT_EQ(locked.left, resized.left);
    EXPECT_EQ(locked.top, resized.top);
    EXPECT_EQ(locked.right, resized.right);
    EXPECT_EQ(locked.bottom, resized.bottom);
}

// Fit mode chosen in the popup menu (right click on the grip, the sixth item
// with the keyboard) covers the screen with its overlay until Esc or the next
// click; a click on the frame itself is refused. The click on another
// program's window is in FitModeE2eTest.
TEST_F(FrameE2eTest, FitModeFromTheMenuCoversTheScreenUntilEscOrTheNextClick) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    const RECT start = WindowRectOf(h.Frame());

    h.ChooseFitModeFromMenu();
    ASSERT_NE(E2eDesktop::FitOverlayOf(h.Frame()), nullptr) << "fit mode did not cover the screen";
    E2eHarness::Pump(500);
    EXPECT_NE(E2eDesktop::FitOverlayOf(h.Frame()), nullptr) << "fit mode ended by itself";
    E2eHarness::PressKey(VK_ESCAPE);
    E2eHarness::Pump(300);
    EXPECT_EQ(E2eDesktop::FitOverlayOf(h.Frame()), nullptr) << "Esc did not end fit mode";
    EXPECT_FALSE(::IsIconic(h.Frame())) << "Esc in fit mode minimised the frame";

    h.ChooseFitModeFromMenu();
    ASSERT_NE(E2eDesktop::FitOverlayOf(h.Frame()), nullptr);
    const RECT hole = Hole();
    E2eDesktop::Click({hole.left + 60, hole.top - 2});
    EXPECT_EQ(E2eDesktop::FitOverlayOf(h.Frame()), nullptr) << "the click did not end fit mode";
    EXPECT_EQ(E2eDesktop::CaptureOf(h.Frame()), nullptr) << "fit mode kept the mouse";
    const RECT after = WindowRectOf(h.Frame());
    EXPECT_TRUE(::EqualRect(&after, &start)) << "a click on the frame itself moved it";
}

// Sign-out, shutdown and restarts for updates end the program without a
// close: the placement is stored when the session asks and when it ends.
TEST_F(FrameE2eTest, TheEndOfTheSessionStoresThePlacement) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    ::SetWindowPos(h.Frame(), nullptr, kX + 25, kY + 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    E2eHarness::Pump(200);
    for (UINT message : {static_cast<UINT>(WM_QUERYENDSESSION), static_cast<UINT>(WM_ENDSESSION)}) {
        for (const wchar_t* name : {L"x", L"y", L"cx", L"cy"})
            ASSERT_TRUE(E2eHarness::DeleteValue(name));
        DWORD_PTR answer = 0;
        ASSERT_TRUE(::SendMessageTimeoutW(h.Frame(), message, message == WM_ENDSESSION ? TRUE : 0,
                                          ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer));
        if (message == WM_QUERYENDSESSION) {
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the frame held the session up";
        }
        DWORD x = 0, y = 0, cx = 0;
        ASSERT_TRUE(E2eHarness::ReadDword(L"x", x)) << "nothing stored on " << message;
        ASSERT_TRUE(E2eHarness::ReadDword(L"y", y));
        ASSERT_TRUE(E2eHarness::ReadDword(L"cx", cx));
        EXPECT_EQ(static_cast<int>(x), kX + 25);
        EXPECT_EQ(static_cast<int>(y), kY + 15);
        EXPECT_EQ(static_cast<int>(cx), kCx);
    }
}

} // namespace
