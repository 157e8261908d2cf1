// Branches of the capture frame a user meets rarely: start-up failures, the
// corner icon that follows activation, the ways the popup menu is opened and
// what it shows while the frame is minimised.
#include "app/CFrimlet2App.h"
#include "frame/CFrimlet2Dlg.h"
#include "frame/FrameMessages.h"
#include "framework/ComPtr.h"
#include "res/resource.h"
#include "tests/framework/UiScript.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t kTestKey[] = L"Software\\Oskvane\\Frimlet2Test";
constexpr int kTestHotkey = 0x077B; // Shift+Ctrl+Alt+F12: nobody else's

void Pump(DWORD millis = 50) {
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

std::wstring LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text.GetString();
}

// Closes the message box of this thread that shows text, remembering that it
// was seen.
UiScript::Step AnswerMessageBox(const std::wstring& text, bool& seen) {
    return [&text, &seen] {
        struct Query {
            const std::wstring* text;
            HWND found;
        } query{&text, nullptr};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* q = reinterpret_cast<Query*>(lp);
                HWND label = ::GetDlgItem(hwnd, 0xFFFF); // a message box's text
                if (UiScript::ClassOf(hwnd) == L"#32770" && label && UiScript::TextOf(label) == *q->text) {
                    q->found = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&query));
        if (!query.found)
            return false;
        seen = true;
        ::PostMessageW(query.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    };
}

// What the popup menu showed, read while it was tracked.
struct ShownMenu {
    bool seen = false;
    RECT window{};
    std::vector<UINT> ids;
    std::vector<UINT> states;
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

ShownMenu* g_menu = nullptr;

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    HMENU menu =
        menuWindow ? reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
    if (!menu || !g_menu)
        return;
    g_menu->seen = true;
    ::GetWindowRect(menuWindow, &g_menu->window);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        g_menu->ids.push_back(::GetMenuItemID(menu, i));
        g_menu->states.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
        if (HMENU sub = ::GetSubMenu(menu, i))
            for (UINT id = IDM_TYPE_JPEG; id <= IDM_TYPE_PNG; ++id)
                g_menu->typeStates.push_back(::GetMenuState(sub, id, MF_BYCOMMAND));
    }
    ::KillTimer(nullptr, timer);
    ::EndMenu();
}

class FramePathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        app.SetRegistryKey(L"Oskvane");
        settings.hotkey = kTestHotkey;
        settings.x = 200;
        settings.y = 150;
        settings.cx = 320;
        settings.cy = 240;
    }
    void TearDown() override {
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        frame.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void Open() {
        frame = std::make_unique<CFrimlet2Dlg>(settings, app);
        ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
        Pump();
    }
    // Lets the frame handle message (which shows the menu), reads the menu
    // and closes it.
    ShownMenu MenuAfter(UINT message, WPARAM wParam, LPARAM lParam) {
        ShownMenu shown;
        g_menu = &shown;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, &ReadMenu);
        ::PostMessageW(frame->m_hWnd, message, wParam, lParam);
        for (int i = 0; i < 40 && !shown.seen; ++i)
            Pump(25);
        Pump();
        ::KillTimer(nullptr, timer);
        g_menu = nullptr;
        return shown;
    }
    bool Shown(int id) const { return ::IsWindowVisible(::GetDlgItem(frame->m_hWnd, id)) != FALSE; }

    CFrimlet2App app{L"Frimlet2Test"};
    Settings settings;
    std::unique_ptr<CFrimlet2Dlg> frame;
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
    ASSERT_TRUE(RegisterCaptureHotkey(holder.m_hWnd, kTestHotkey));
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
    Pump(0);
    EXPECT_FALSE(Shown(IDC_CLOSE_ICON)); // a click that activates cannot close at once
    Pump(800);
    EXPECT_TRUE(Shown(IDC_CLOSE_ICON));
    EXPECT_FALSE(Shown(IDC_MINIMIZE_ICON));

    // Activating one of the frame's own child windows keeps close.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
    ASSERT_TRUE(frame->Controller().IsWindow());
    ::SendMessageW(frame->m_hWnd, WM_ACTIVATE, WA_INACTIVE,
                   reinterpret_cast<LPARAM>(frame->Controller().m_hWnd));
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
    Pump();
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
