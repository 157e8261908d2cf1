// The frame's shutter with its system calls replaced: what a composited
// Windows desktop needs around the grab, and the end of the taskbar flash.
#include "app/CFrimlet2App.h"
#include "frame/CFrimlet2Dlg.h"
#include "framework/ComPtr.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

void Pump(DWORD millis) {
    const DWORD end = ::GetTickCount() + millis;
    MSG msg;
    do {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

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

class FrameShutterCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetRegistryKey(L"Oskvane");
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder = CString(temp) + L"frimlet-shutter-calls";
        settings.outputPath = folder;
        settings.useFixdName = true;
        settings.type = ImageType::Bmp;
        settings.hotkey = 0x077A; // Shift+Ctrl+Alt+F11, free for the test
        settings.x = 200;
        settings.y = 150;
        settings.cx = 300;
        settings.cy = 200;
        g_log.clear();
        g_flashes.clear();
        ShutterCalls calls;
        calls.flushComposition = &NotedFlush;
        calls.grab = &NotedGrab;
        calls.flashWindowEx = &NotedFlash;
        frame = std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, HotkeySystem(), DisplayQueries::System(),
                                               calls);
        ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
        Pump(50);
    }
    void TearDown() override {
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        frame.reset();
        ::DeleteFileW(folder + L"\\output.bmp");
        ::RemoveDirectoryW(folder);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Oskvane\\Frimlet2Test");
    }

    ComApartment com{ComApartment::Ole};
    CFrimlet2App app{L"Frimlet2Test"};
    Settings settings;
    CString folder;
    std::unique_ptr<CFrimlet2Dlg> frame;
};

TEST_F(FrameShutterCallsTest, TheControllerIsHiddenAndComposedAwayBeforeTheGrab) {
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
    Pump(50);
    ASSERT_TRUE(frame->Controller().IsWindow());
    g_controller = frame->Controller().m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(g_controller));
    frame->OnShutter();
    EXPECT_EQ(g_log, "flush grab ");

    // Without a window of ours over the hole nothing is waited for.
    Pump(50);
    ASSERT_FALSE(frame->Controller().IsWindow());
    g_log.clear();
    frame->OnShutter();
    EXPECT_EQ(g_log, "grab ");
}

TEST_F(FrameShutterCallsTest, TheTaskbarFlashIsStoppedASecondLater) {
    frame->OnShutter();
    ASSERT_EQ(g_flashes.size(), 1u);
    EXPECT_EQ(g_flashes[0].hwnd, frame->m_hWnd);
    EXPECT_EQ(g_flashes[0].dwFlags, static_cast<DWORD>(FLASHW_TRAY));
    EXPECT_EQ(g_flashes[0].uCount, 1u);
    Pump(1300);
    ASSERT_EQ(g_flashes.size(), 2u);
    EXPECT_EQ(g_flashes[1].hwnd, frame->m_hWnd);
    EXPECT_EQ(g_flashes[1].dwFlags, static_cast<DWORD>(FLASHW_STOP));
    EXPECT_EQ(g_flashes[1].cbSize, sizeof(FLASHWINFO));
}

} // namespace
