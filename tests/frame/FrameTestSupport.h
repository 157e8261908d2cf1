// The capture frame window in the test process: a fixture that creates it
// under the test profile and closes it again, its hole on the screen, and the
// popup menu it shows, read while the menu is tracked.
#pragma once

#include "app/CFrimlet2App.h"
#include "frame/CFrimlet2Dlg.h"
#include "frame/FrameMessages.h"
#include "res/resource.h"
#include "tests/app/TestProfile.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace frame_test {} // namespace frame_test

// What the frame's tests look at and the steps they take directly; the frame
// names it its friend, the program has no way to it.
struct CFrimlet2DlgProbe {
    static const CFrameGeometry& Geometry(const CFrimlet2Dlg& f) { return f.m_geometry; }
    static CFrameControllerDlg& Controller(CFrimlet2Dlg& f) { return f.m_controllerDlg; }
    // The window that takes the fitting click while fit mode is on, else null.
    static HWND FitOverlay(const CFrimlet2Dlg& f) { return f.m_fitMode.Overlay(); }
    static bool IsFitMode(const CFrimlet2Dlg& f) { return f.m_fitMode.IsOn(); }
    static bool IsLocked(const CFrimlet2Dlg& f) { return f.m_bLocked; }
    static bool IsRecording(const CFrimlet2Dlg& f) { return f.m_recording.Busy(); }
    static const CTaskbarThumbButtons& Taskbar(const CFrimlet2Dlg& f) { return f.m_taskbar; }
    static const CFrameToolTips& ToolTips(const CFrimlet2Dlg& f) { return f.m_toolTips; }
    static const frame::Countdown& Countdown(const CFrimlet2Dlg& f) { return f.m_countdown.State(); }
    static const LastCapture& Last(const CFrimlet2Dlg& f) { return f.m_lastCapture; }
    static CString NextFileName(const CFrimlet2Dlg& f) { return f.NextFileName(); }
    static void Shutter(CFrimlet2Dlg& f) { f.OnShutter(); }
    static void SavePlacement(CFrimlet2Dlg& f) { f.SavePlacement(); }
    static void ShutDown(CFrimlet2Dlg& f) { f.ShutDown(); }
};

namespace frame_test {
using Probe = CFrimlet2DlgProbe;

// The hole in screen coordinates, as the frame reports it.
inline RECT HoleOnScreen(const CFrimlet2Dlg& frame) {
    RECT hole{};
    ::SendMessageW(frame.m_hWnd, WM_APP_GETFRAMEINFO, 0, reinterpret_cast<LPARAM>(&hole));
    ::MapWindowPoints(frame.m_hWnd, nullptr, reinterpret_cast<POINT*>(&hole), 2);
    return hole;
}

// The frame a test creates is destroyed after it.
class FrameFixture : public test_profile::ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        settings.hotkey = test_profile::kTestHotkey;
    }
    void TearDown() override {
        CloseFrame();
        ProfileFixture::TearDown();
    }

    // The placement the frame starts from.
    void Place(int x, int y, int cx, int cy) {
        settings.x = x;
        settings.y = y;
        settings.cx = cx;
        settings.cy = cy;
    }
    // Creates the frame's window and runs the messages of its start for
    // settleMs.
    void CreateFrame(std::unique_ptr<CFrimlet2Dlg> made, DWORD settleMs = 50) {
        frame = std::move(made);
        ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
        test_support::PumpMessages(settleMs);
    }
    void CloseFrame() {
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        frame.reset();
    }

    Settings settings;
    std::unique_ptr<CFrimlet2Dlg> frame;
};

// What the popup menu showed, read while it was tracked.
struct ShownMenu {
    bool seen = false;
    RECT window{};
    std::vector<UINT> ids;
    std::vector<UINT> states;
    std::vector<std::wstring> texts;
    std::vector<UINT> typeStates; // the image-format submenu, JPEG to PNG

    int IndexOf(UINT id) const {
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id)
                return static_cast<int>(i);
        return -1;
    }
    bool Has(UINT id) const { return IndexOf(id) >= 0; }
    bool Grayed(UINT id) const { return Has(id) && (states[static_cast<size_t>(IndexOf(id))] & MF_GRAYED); }
};

// Reads the popup menu of the frame while it is tracked, then closes it.
class MenuReader {
public:
    // Runs open, which makes the frame show its menu (sent: open returns
    // when the menu is closed; posted: the menu is waited for), and reads the
    // menu from a timer of intervalMs.
    static ShownMenu Read(const std::function<void()>& open, UINT intervalMs) {
        ShownMenu shown;
        s_reading = &shown;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, intervalMs, &MenuReader::Tick);
        open();
        for (int i = 0; i < 40 && !shown.seen; ++i)
            test_support::PumpMessages(25);
        test_support::PumpMessages(50);
        ::KillTimer(nullptr, timer);
        s_reading = nullptr;
        return shown;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
        HMENU menu =
            menuWindow ? reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
        if (!menu || !s_reading)
            return;
        ShownMenu& shown = *s_reading;
        shown.seen = true;
        ::GetWindowRect(menuWindow, &shown.window);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            shown.ids.push_back(::GetMenuItemID(menu, i));
            shown.states.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
            wchar_t text[128] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            shown.texts.push_back(text);
            if (HMENU sub = ::GetSubMenu(menu, i))
                for (UINT type = IDM_TYPE_JPEG; type <= IDM_TYPE_PNG; ++type)
                    shown.typeStates.push_back(::GetMenuState(sub, type, MF_BYCOMMAND));
        }
        ::KillTimer(nullptr, timer);
        ::EndMenu();
    }
    static inline ShownMenu* s_reading = nullptr;
};

} // namespace frame_test
