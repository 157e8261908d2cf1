// The window a fitting click chooses: the deepest visible control under the
// point, where WindowFromPoint would pass over statics and disabled controls.
#include "frame/DisplayQueries.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayQueriesTest, TheWindowAtAPointIsTheDeepestVisibleControlThere) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FrimletFitTree";
    ::RegisterClassW(&wc);
    HWND top = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"FitTree", WS_POPUP | WS_VISIBLE, 300, 200,
                                 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(top);
    const auto child = [top](const wchar_t* cls, DWORD style, int x, int y, int w, int h,
                             HWND parent = nullptr) {
        return ::CreateWindowExW(0, cls, L"x", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent ? parent : top, nullptr, nullptr, nullptr);
    };
    HWND label = child(L"STATIC", SS_LEFT, 10, 10, 100, 20);
    HWND disabled = child(L"BUTTON", BS_PUSHBUTTON | WS_DISABLED, 10, 40, 100, 30);
    // A group box made before the button inside it, so it stands above it.
    HWND group = child(L"BUTTON", BS_GROUPBOX, 150, 10, 200, 150);
    HWND inGroup = child(L"BUTTON", BS_PUSHBUTTON, 170, 40, 100, 30);
    HWND hidden = child(L"BUTTON", BS_PUSHBUTTON, 10, 100, 100, 30);
    ::ShowWindow(hidden, SW_HIDE);
    HWND panel = child(L"STATIC", SS_LEFT, 10, 200, 200, 80);
    HWND nested = child(L"STATIC", SS_LEFT, 20, 20, 50, 20, panel);
    test_support::PumpMessages(100);

    const struct {
        POINT at; // client coordinates of top
        HWND expected;
        const char* what;
    } cases[] = {{{20, 15}, label, "a static"},
                 {{20, 50}, disabled, "a disabled button"},
                 {{180, 50}, inGroup, "a button inside a group box"},
                 {{160, 140}, group, "the group box's own edge"},
                 {{20, 110}, top, "where only a hidden button is"},
                 {{40, 230}, nested, "a static inside a static"},
                 {{300, 250}, top, "the bare window"}};
    for (const auto& c : cases) {
        POINT screen = c.at;
        ::ClientToScreen(top, &screen);
        EXPECT_EQ(DisplayQueries::System().windowAt(screen), c.expected) << c.what;
    }
    ::DestroyWindow(top);
}

} // namespace
