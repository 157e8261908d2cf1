// Branches of the capture frame a user meets rarely: start-up failures, the
// corner icon that follows activation, the ways the popup menu is opened and
// what it shows while the frame is minimised.
#include "framework/ComPtr.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/framework/UiScript.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace frame_test;
using test_profile::kTestHotkey;
using test_support::PumpMessages;

std::wstring LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text.GetString();
}

// Closes the message box of this thread that shows text, remembering that it
// was seen.
UiScript::Step AnswerMessageBox(const std::wstring& text, bool& seen) {
    return [&text, &seen] {
        HWND box = test_support::FindTopLevel({.className = L"#32770",
                                               .threadId = ::GetCurrentThreadId(),
                                               .visibleOnly = false,
                                               .also = [&text](HWND hwnd) {
                                                   HWND label = ::GetDlgItem(hwnd, 0xFFFF); // the box's text
                                                   return label && test_support::TextOf(label) == text;
                                               }});
        if (!box)
            return false;
        seen = true;
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    };
}

class FramePathsTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        Place(200, 150, 320, 240);
    }
    void Open() { CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app)); }
    // Lets the frame handle message (which shows the menu), reads the menu
    // and closes it.
    ShownMenu MenuAfter(UINT message, WPARAM wParam, LPARAM lParam) {
        return MenuReader::Read([&] { ::PostMessageW(frame->m_hWnd, message, wParam, lParam); }, 150);
    }
    bool Shown(int id) const { return ::IsWindowVisible(::GetDlgItem(frame->m_hWnd, id)) != FALSE; }
};

// Without COM on the thread the imaging component cannot be created, as on a
// system whose imaging component is broken.
TEST_F(FramePathsTest, WithoutTheImagingComponentTheFrameSaysSoAndEnds) {
    const std::wstring text = LoadText(IDS_WIC_INIT_FAILED);
    ASSERT_FALSE(text.empty());
    bool seen = false;
    CFrimlet2Dlg modal(settings, app);
    UiScript script({AnswerMessageBox(text, seen)});
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(script.Finished());
}

TEST_F(FramePathsTest, AHotkeyHeldElsewhereIsReportedAndTheFrameRunsOn) {
    ComApartment com{ComApartment::Ole};
    CWnd holder;
    ASSERT_TRUE(holder.CreateEx(0, L"STATIC", L"hotkey holder", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    ASSERT_TRUE(HotkeySystem().Register(holder.m_hWnd, kTestHotkey));
    const std::wstring text = LoadText(IDS_HOTKEY_START_FAILED);
    bool seen = false;
    {
        UiScript script({AnswerMessageBox(text, seen)});
        Open();
        EXPECT_TRUE(script.Finished());
    }
    ::UnregisterHotKey(holder.m_hWnd, kTestHotkey);
    holder.DestroyWindow();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(frame->IsWindowVisible());
}

TEST_F(FramePathsTest, TheCornerShowsCloseOnlyAfterTheFrameHasBeenActiveAWhile) {
    ComApartment com{ComApartment::Ole};
    Open();
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"STATIC", L"other", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    ::SendMessageW(frame->m_hWnd, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other.m_hWnd));
    EXPECT_TRUE(Shown(IDC_MINIMIZE_ICON));
    EXPECT_FALSE(Shown(IDC_CLOSE_ICON));

    ::SetForegroundWindow(frame->m_hWnd);
    ::SetActiveWindow(frame->m_hWnd);
    PumpMessages(0);
    EXPECT_FALSE(Shown(IDC_CLOSE_ICON)); // a click that activates cannot close at once
    PumpMessages(800);
    EXPECT_TRUE(Shown(IDC_CLOSE_ICON));
    EXPECT_FALSE(Shown(IDC_MINIMIZE_ICON));

    // Activating one of the frame's own child windows keeps close.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
    ASSERT_TRUE(Probe::Controller(*frame).IsWindow());
    ::SendMessageW(frame->m_hWnd, WM_ACTIVATE, WA_INACTIVE,
                   reinterpret_cast<LPARAM>(Probe::Controller(*frame).m_hWnd));
    EXPECT_TRUE(Shown(IDC_CLOSE_ICON));
    other.DestroyWindow();
}

TEST_F(FramePathsTest, TheTaskbarMenuRequestLeavesMoveOutAltSpaceKeepsItAtTheTopLeft) {
    ComApartment com{ComApartment::Ole};
    Open();
    const ShownMenu taskbar = MenuAfter(WM_TASKBAR_WINDOW_MENU, 0, MAKELPARAM(400, 500));
    ASSERT_TRUE(taskbar.seen);
    EXPECT_FALSE(taskbar.Has(SC_MOVE));
    EXPECT_TRUE(taskbar.Has(SC_CLOSE));
    EXPECT_EQ(taskbar.window.left, 400);
    EXPECT_EQ(taskbar.window.top, 500);

    // Alt+Space reaches the frame as the system's keyboard menu command.
    const ShownMenu keys = MenuAfter(WM_SYSCHAR, L' ', 1 << 29);
    ASSERT_TRUE(keys.seen);
    EXPECT_TRUE(keys.Has(SC_MOVE));
    RECT window{};
    frame->GetWindowRect(&window);
    EXPECT_EQ(keys.window.left, window.left);
    EXPECT_EQ(keys.window.top, window.top);
}

TEST_F(FramePathsTest, TheMenuChecksTheImageTypeAndWhileMinimisedOffersOnlyRestore) {
    ComApartment com{ComApartment::Ole};
    settings.type = ImageType::Gif;
    Open();
    ::SendMessageW(frame->m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpMessages(50);
    ASSERT_TRUE(frame->IsIconic());
    const ShownMenu shown = MenuAfter(WM_APP_SHOWMENU, 0, MAKELPARAM(300, 300));
    ASSERT_TRUE(shown.seen);
    EXPECT_TRUE(shown.Grayed(SC_MOVE));
    EXPECT_TRUE(shown.Grayed(SC_MINIMIZE));
    EXPECT_TRUE(shown.Has(SC_RESTORE));
    EXPECT_FALSE(shown.Grayed(SC_RESTORE));
    ASSERT_EQ(shown.typeStates.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ((shown.typeStates[i] & MF_CHECKED) != 0, i == 2) << i;
}

struct RestartRequest {
    static inline int calls = 0;
    static inline std::wstring commandLine;
    static inline DWORD flags = 0;
    static HRESULT WINAPI Record(PCWSTR line, DWORD f) {
        ++calls;
        commandLine = line ? line : L"(null)";
        flags = f;
        return S_OK;
    }
};

// The restart manager is not there under Wine (its settings cannot be read
// back), so the request itself is looked at.
TEST(RestartRegistrationTest, TheProgramAsksToBeRestartedAfterAnUpdateOnly) {
    CFrimlet2App::RegisterRestartCall real = CFrimlet2App::RegisterRestart();
    CFrimlet2App::RegisterRestart() = &RestartRequest::Record;
    { CFrimlet2App app{L"Frimlet2Test"}; }
    CFrimlet2App::RegisterRestart() = real;
    EXPECT_EQ(RestartRequest::calls, 1);
    EXPECT_EQ(RestartRequest::commandLine, L"");
    EXPECT_EQ(RestartRequest::flags, static_cast<DWORD>(RESTART_NO_CRASH | RESTART_NO_HANG));
}

} // namespace
