// The options dialog of the real Frimlet2.exe, opened with the settings icon
// and confirmed with OK: the running frame takes the new colour, border width
// and tab size at once, around the hole it had.
#include "res/resource.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kX = 260;
constexpr int kY = 180;
constexpr int kCx = 360;
constexpr int kCy = 240;
// A colour that is none of the colour dialog's basic colours.
constexpr DWORD kOldColor = 0x00345678;
// The basic colours of the colour dialog: a grid of 8 columns and 6 rows.
constexpr int kBasicColorsId = 720;

// A visible dialog of the process (owned by owner, when given), waited for up
// to five seconds.
HWND WaitForDialog(HANDLE process, const wchar_t* title, HWND owner = nullptr) {
    return test_support::WaitForTopLevel(
        {.className = L"#32770", .title = title, .processId = ::GetProcessId(process), .owner = owner}, 5000);
}

bool WaitUntilClosed(HWND dialog) {
    for (int i = 0; i < 100; ++i) {
        if (!::IsWindow(dialog) || !::IsWindowVisible(dialog))
            return true;
        E2eHarness::Pump(50);
    }
    return false;
}

// Picks an entry of a drop-down list as the keyboard would: the selection,
// then the notification the list sends its dialog.
void Choose(HWND dialog, int id, int index) {
    HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Points of the window's region counted from a window point in one direction
// until the first point outside.
int RegionRun(HWND window, int x, int y, int dx, int dy) {
    int run = 0;
    while (E2eDesktop::RegionContains(window, x + run * dx, y + run * dy) && run < 1000)
        ++run;
    return run;
}

uint32_t ScreenPixel(int x, int y) {
    E2eHarness::Image image;
    if (!E2eDesktop::Grab({x, y, x + 1, y + 1}, image) || image.pixels.size() != 1)
        return 0;
    return image.pixels[0];
}

// 0xAARRGGBB with alpha 0xFF for a stored COLORREF (0x00BBGGRR).
uint32_t AsPixel(DWORD colorref) {
    return 0xFF000000u | ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

class OptionsE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(E2eDesktop::ScreenDpi(), 96) << "these sizes hold at 96 dpi";
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(E2eHarness::StorePlacement(kX, kY, kCx, kCy));
        ASSERT_TRUE(E2eHarness::SetDword(L"color", kOldColor));
    }

    // Clicks the settings icon on the frame's tab and waits for the dialog.
    HWND OpenOptions() {
        E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(h.Frame(), IDC_SETTINGS_ICON)));
        return WaitForDialog(h.Process(), L"Frimlet2 オプション設定");
    }

    // Opens the colour dialog with the swatch, clicks a basic colour there
    // and confirms it.
    bool ClickBasicColour(HWND options, int column, int row) {
        E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDC_FRAME_COLOR)));
        HWND colors = WaitForDialog(h.Process(), nullptr, options);
        EXPECT_TRUE(colors) << "the swatch opened no colour dialog owned by the options";
        RECT grid = {};
        if (!colors || !::GetWindowRect(::GetDlgItem(colors, kBasicColorsId), &grid))
            return false;
        const int cellW = (grid.right - grid.left) / 8, cellH = (grid.bottom - grid.top) / 6;
        E2eDesktop::Click({grid.left + cellW * column + cellW / 2, grid.top + cellH * row + cellH / 2});
        E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(colors, IDOK)));
        return WaitUntilClosed(colors);
    }

    bool Confirm(HWND options) {
        E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDOK)));
        const bool closed = WaitUntilClosed(options);
        E2eHarness::Pump(300);
        return closed;
    }

    E2eHarness h;
};

TEST_F(OptionsE2eTest, OkGivesTheRunningFrameItsNewColourBorderAndTab) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    HWND frame = h.Frame();
    RECT hole = {};
    ASSERT_TRUE(E2eDesktop::FindHole(frame, hole));
    ASSERT_EQ(hole.right - hole.left, kCx);
    ASSERT_EQ(hole.bottom - hole.top, kCy);
    const int middleY = (hole.top + hole.bottom) / 2;
    // The default frame: a 4-pixel border in the stored colour.
    EXPECT_EQ(ScreenPixel(hole.left - 2, middleY), AsPixel(kOldColor));

    HWND options = OpenOptions();
    ASSERT_TRUE(options) << "the settings icon opened no options dialog";
    Choose(options, IDC_FRAME_WIDTH, 7); // "10"
    Choose(options, IDC_TAB_SIZE, 4);    // "200％"
    ASSERT_TRUE(ClickBasicColour(options, 2, 1));
    ASSERT_TRUE(Confirm(options)) << "OK did not close the options dialog";

    DWORD color = 0, width = 0, tab = 0;
    ASSERT_TRUE(E2eHarness::ReadDword(L"color", color));
    ASSERT_TRUE(E2eHarness::ReadDword(L"frameWidth", width));
    ASSERT_TRUE(E2eHarness::ReadDword(L"tabScaling", tab));
    EXPECT_NE(color, kOldColor) << "the colour dialog's choice was not stored";
    EXPECT_EQ(width, 10u);
    EXPECT_EQ(tab, 200u);

    // The hole stays where it was, in its size; the frame grew around it.
    RECT after = {};
    ASSERT_TRUE(E2eDesktop::FindHole(frame, after));
    EXPECT_EQ(after.right - after.left, kCx);
    EXPECT_EQ(after.bottom - after.top, kCy);
    EXPECT_EQ(after.left, hole.left);
    EXPECT_EQ(after.top, hole.top);

    // The region: a 10-pixel border, and a tab twice the default size (240
    // wide, 2 + 44 - 10 = 36 pixels below the bottom bar).
    RECT window = {};
    ::GetWindowRect(frame, &window);
    const int left = after.left - window.left, top = after.top - window.top;
    const int right = after.right - window.left, bottom = after.bottom - window.top;
    EXPECT_EQ(RegionRun(frame, left - 1, middleY - window.top, -1, 0), 10) << "left border";
    EXPECT_EQ(RegionRun(frame, right, middleY - window.top, 1, 0), 10) << "right border";
    EXPECT_EQ(RegionRun(frame, (left + right) / 2, top - 1, 0, -1), 10) << "top border";
    EXPECT_EQ(RegionRun(frame, left + 40, bottom, 0, 1), 10) << "bottom bar beside the tab";
    EXPECT_EQ(RegionRun(frame, right - 60, bottom, 0, 1), 10 + 36) << "bar and tab";
    const int tabRow = bottom + 10 + 18;
    EXPECT_EQ(RegionRun(frame, right + 9, tabRow, -1, 0), 240) << "tab width";

    // On the screen: the border in the new colour, on every side.
    EXPECT_EQ(ScreenPixel(after.left - 5, middleY), AsPixel(color));
    EXPECT_EQ(ScreenPixel(after.right + 4, middleY), AsPixel(color));
    EXPECT_EQ(ScreenPixel((after.left + after.right) / 2, after.top - 5), AsPixel(color));
    EXPECT_EQ(ScreenPixel(after.left + 40, after.bottom + 4), AsPixel(color));

    // A new colour alone leaves the shape as it is and repaints the border.
    options = OpenOptions();
    ASSERT_TRUE(options);
    ASSERT_TRUE(ClickBasicColour(options, 4, 3));
    ASSERT_TRUE(Confirm(options));
    DWORD second = 0;
    ASSERT_TRUE(E2eHarness::ReadDword(L"color", second));
    EXPECT_NE(second, color);
    RECT unchanged = {};
    ::GetWindowRect(frame, &unchanged);
    EXPECT_TRUE(::EqualRect(&unchanged, &window));
    EXPECT_EQ(ScreenPixel(after.left - 5, middleY), AsPixel(second));
    EXPECT_EQ(ScreenPixel(after.left + 40, after.bottom + 4), AsPixel(second));
}

// Enter in the options as they open confirms them: the focus starts on OK,
// not on the support link, which is enabled because the help page stands
// beside the program.
TEST_F(OptionsE2eTest, EnterConfirmsTheFreshlyOpenedOptions) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    HWND options = OpenOptions();
    ASSERT_TRUE(options) << "the settings icon opened no options dialog";
    E2eHarness::Pump(300);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(options, nullptr), &gui));
    EXPECT_EQ(gui.hwndFocus, ::GetDlgItem(options, IDOK)) << "the focus is not on OK";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(options, IDC_SUPPORT_LINK))) << "the help page was not found";

    DWORD quality = 0;
    ASSERT_FALSE(E2eHarness::ReadDword(L"jpegQuality", quality)) << "settings stored before confirming";
    E2eHarness::PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(options)) << "Enter did not close the options";
    E2eHarness::Pump(300);
    EXPECT_TRUE(E2eHarness::ReadDword(L"jpegQuality", quality)) << "Enter closed the options without storing";
    EXPECT_EQ(quality, 90u);
}

// A hotkey that this test process holds cannot be taken by Frimlet2: OK shows
// the message, the options stay open with the stored hotkey, and nothing is
// stored or unregistered.
TEST_F(OptionsE2eTest, AHotkeyHeldByAnotherProgramIsRefusedAndTheOptionsStayOpen) {
    constexpr int kTaken = 0x0779; // Shift+Ctrl+Alt+F10 in the hot-key control's encoding
    ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_SHIFT | MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, VK_F10))
        << "another program holds the test's hotkey";
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    HWND options = OpenOptions();
    ASSERT_TRUE(options);
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDC_HOTKEY_CUSTOM)));
    ::SendDlgItemMessageW(options, IDC_HOTKEY, HKM_SETHOTKEY, kTaken, 0);
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDOK)));

    HWND box = WaitForDialog(h.Process(), nullptr, options);
    ASSERT_TRUE(box) << "no message about the refused hotkey";
    const std::vector<std::wstring> texts = test_support::ChildTexts(box);
    const std::wstring expected =
        L"ホットキー（キーボードによる操作）の設定に失敗しました。指定されているキーは現在別の"
        L"アプリケーションで使用されている可能性があります。\r\n\r\n設定を元に戻します。";
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << "message 118 not shown";
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(box, IDOK)));
    ASSERT_TRUE(WaitUntilClosed(box));

    EXPECT_TRUE(::IsWindowVisible(options)) << "the options closed after the refusal";
    EXPECT_EQ(::IsDlgButtonChecked(options, IDC_HOTKEY_PRINTSCREEN), BST_CHECKED);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(options, IDC_HOTKEY)));
    DWORD stored = 0;
    EXPECT_FALSE(E2eHarness::ReadDword(L"hotkey", stored)) << "a hotkey was stored";

    // PrintScreen still belongs to the frame: it writes a capture.
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDCANCEL)));
    ASSERT_TRUE(WaitUntilClosed(options));
    const auto before = h.FilesInFolder();
    E2eHarness::PressKey(VK_SNAPSHOT);
    EXPECT_FALSE(h.WaitForNewFile(before, 8000).empty()) << "PrintScreen no longer captures";
    ::UnregisterHotKey(nullptr, 1);
}

} // namespace
