// The frame's shutter with its system calls replaced: what a composited
// Windows desktop needs around the grab, and the end of the taskbar flash.
#include "framework/ComPtr.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using frame_test::Probe;
using test_support::PumpMessages;

// What the replaced calls saw, in order.
std::string g_log;
HWND g_controller = nullptr;
std::vector<FLASHWINFO> g_flashes;

HRESULT WINAPI NotedFlush() {
    g_log += ::IsWindowVisible(g_controller) ? "flush(controller shown) " : "flush ";
    return S_OK;
}

void NotedGrab(CaptureImage& image, const RECT& area, bool cursor) {
    g_log += "grab ";
    GrabScreen(image, area, cursor);
}

BOOL WINAPI NotedFlash(PFLASHWINFO info) {
    g_flashes.push_back(*info);
    return FALSE;
}

class FrameShutterCallsTest : public frame_test::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        folder = test_support::TemporaryPath(L"frimlet-shutter-calls").c_str();
        settings.outputPath = folder;
        settings.useFixdName = true;
        settings.type = ImageType::Bmp;
        settings.hotkey = 0x077A; // Shift+Ctrl+Alt+F11, free for the test
        Place(200, 150, 300, 200);
        g_log.clear();
        g_flashes.clear();
        ShutterCalls calls;
        calls.flushComposition = &NotedFlush;
        calls.grab = &NotedGrab;
        calls.flashWindowEx = &NotedFlash;
        CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, HotkeySystem(),
                                                   DisplayQueries::System(), calls));
    }
    void TearDown() override {
        FrameFixture::TearDown();
        ::DeleteFileW(folder + L"\\output.bmp");
        ::RemoveDirectoryW(folder);
    }

    ComApartment com{ComApartment::Ole};
    CString folder;
};

TEST_F(FrameShutterCallsTest, TheControllerIsHiddenAndComposedAwayBeforeTheGrab) {
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
    PumpMessages(50);
    ASSERT_TRUE(Probe::Controller(*frame).IsWindow());
    g_controller = Probe::Controller(*frame).m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(g_controller));
    Probe::Shutter(*frame);
    EXPECT_EQ(g_log, "flush grab ");

    // Without a window of ours over the hole nothing is waited for.
    PumpMessages(50);
    ASSERT_FALSE(Probe::Controller(*frame).IsWindow());
    g_log.clear();
    Probe::Shutter(*frame);
    EXPECT_EQ(g_log, "grab ");
}

TEST_F(FrameShutterCallsTest, TheTaskbarFlashIsStoppedASecondLater) {
    Probe::Shutter(*frame);
    ASSERT_EQ(g_flashes.size(), 1u);
    EXPECT_EQ(g_flashes[0].hwnd, frame->m_hWnd);
    EXPECT_EQ(g_flashes[0].dwFlags, static_cast<DWORD>(FLASHW_TRAY));
    EXPECT_EQ(g_flashes[0].uCount, 1u);
    PumpMessages(1300);
    ASSERT_EQ(g_flashes.size(), 2u);
    EXPECT_EQ(g_flashes[1].hwnd, frame->m_hWnd);
    EXPECT_EQ(g_flashes[1].dwFlags, static_cast<DWORD>(FLASHW_STOP));
    EXPECT_EQ(g_flashes[1].cbSize, sizeof(FLASHWINFO));
}

// The shell as F2 and "open the last capture" call it.
std::vector<std::wstring> g_shell;
HRESULT NotedOpenAndSelect(const wchar_t* path) {
    g_shell.push_back(L"select " + std::wstring(path));
    return S_OK;
}
bool NotedExecute(HWND, const wchar_t* verb, const wchar_t* path) {
    g_shell.push_back(std::wstring(verb ? verb : L"(default)") + L" " + path);
    return true;
}

class FrameLastCaptureTest : public FrameShutterCallsTest {
protected:
    void SetUp() override {
        FrameShutterCallsTest::SetUp();
        CloseFrame();
        g_shell.clear();
        LastCaptureCalls shell;
        shell.openFolderAndSelect = &NotedOpenAndSelect;
        shell.execute = &NotedExecute;
        CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, HotkeySystem(),
                                                   DisplayQueries::System(), ShutterCalls(), shell));
    }
    void Command(UINT id) { ::SendMessageW(frame->m_hWnd, WM_COMMAND, id, 0); }
    bool LastCaptureItemGrayed() {
        const frame_test::ShownMenu shown = frame_test::MenuReader::Read(
            [&] { ::SendMessageW(frame->m_hWnd, WM_APP_SHOWMENU, 1, MAKELPARAM(200, 200)); }, 200);
        EXPECT_TRUE(shown.seen && shown.Has(IDM_OPEN_LAST_CAPTURE));
        return shown.Grayed(IDM_OPEN_LAST_CAPTURE);
    }
};

TEST_F(FrameLastCaptureTest, F2SelectsTheLastCaptureAndTheMenuItemOpensIt) {
    EXPECT_TRUE(LastCaptureItemGrayed());
    Command(IDM_OPEN_OUTPUT_FOLDER);
    Command(IDM_OPEN_LAST_CAPTURE);
    ASSERT_EQ(g_shell.size(), 1u) << "nothing to open before the first capture";
    EXPECT_EQ(g_shell[0], L"(default) " + folder.str());

    Probe::Shutter(*frame);
    const std::wstring file = folder.str() + L"\\output.bmp";
    ASSERT_EQ(Probe::Last(*frame).Path().str(), file);
    ASSERT_TRUE(Probe::Last(*frame).Exists());
    EXPECT_FALSE(LastCaptureItemGrayed());
    g_shell.clear();
    Command(IDM_OPEN_OUTPUT_FOLDER);
    Command(IDM_OPEN_LAST_CAPTURE);
    EXPECT_EQ(g_shell, (std::vector<std::wstring>{L"select " + file, L"open " + file}));

    // Gone from the folder: the folder alone, and nothing to open.
    ASSERT_TRUE(::DeleteFileW(file.c_str()));
    EXPECT_FALSE(Probe::Last(*frame).Exists());
    EXPECT_TRUE(LastCaptureItemGrayed());
    g_shell.clear();
    Command(IDM_OPEN_OUTPUT_FOLDER);
    Command(IDM_OPEN_LAST_CAPTURE);
    EXPECT_EQ(g_shell, (std::vector<std::wstring>{L"(default) " + folder.str()}));
}

// The size label's tooltip names the next file, numbered after the folder.
TEST_F(FrameLastCaptureTest, TheNextFileNameFollowsTheFolder) {
    EXPECT_EQ(Probe::NextFileName(*frame), L"output.bmp");
    settings.fixdName = L"m_##";
    Probe::Shutter(*frame);
    EXPECT_EQ(Probe::Last(*frame).Path().str(), folder.str() + L"\\m_01.bmp");
    EXPECT_EQ(Probe::NextFileName(*frame), L"m_02.bmp");
    // The size label's tooltip asks the frame for it as it shows.
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = frame->m_hWnd;
    tool.uId = IDC_SIZE_LABEL;
    tool.lpszText = text;
    ::SendMessageW(Probe::ToolTips(*frame).Handle(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"F4でサイズを選択\r\n次の画像: m_02.bmp");
    ::DeleteFileW(Probe::Last(*frame).Path());
    settings.useFixdName = false;
    EXPECT_EQ(Probe::NextFileName(*frame), L"");
}

// With D held the shutter starts the countdown; pressed again it shoots at
// once, and Esc or minimising end it without a shot.
TEST_F(FrameShutterCallsTest, TheCountdownShootsEarlyOrEndsWithoutAShot) {
    settings.delaySeconds = 1;
    BYTE keys[256] = {};
    ASSERT_TRUE(::GetKeyboardState(keys));
    keys['D'] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(keys));
    Probe::Shutter(*frame);
    keys['D'] = 0;
    ::SetKeyboardState(keys);
    ASSERT_TRUE(Probe::Countdown(*frame).IsRunning());
    EXPECT_EQ(Probe::Geometry(*frame).Countdown(), 1);
    EXPECT_EQ(g_log, "") << "shot without waiting";
    Probe::Shutter(*frame);
    EXPECT_EQ(g_log, "grab ");
    EXPECT_FALSE(Probe::Countdown(*frame).IsRunning());
    EXPECT_EQ(Probe::Geometry(*frame).Countdown(), 0);

    for (const auto& [command, parameter] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL},
                                             std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_MINIMIZE}}) {
        g_log.clear();
        keys['D'] = 0x80;
        ::SetKeyboardState(keys);
        Probe::Shutter(*frame);
        keys['D'] = 0;
        ::SetKeyboardState(keys);
        ASSERT_TRUE(Probe::Countdown(*frame).IsRunning());
        ::SendMessageW(frame->m_hWnd, command, parameter, 0);
        EXPECT_FALSE(Probe::Countdown(*frame).IsRunning()) << command;
        EXPECT_EQ(Probe::Geometry(*frame).Countdown(), 0);
        PumpMessages(1300);
        EXPECT_EQ(g_log, "") << "a cancelled countdown shot";
    }
}

} // namespace
