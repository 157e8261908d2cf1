// The grip-style static: a right press reported to the parent, everything
// else handed to the parent's own hit test. Real mouse input through the
// system queue, so the control sees the messages as it would from the mouse.
#include "controls/CStaticEx.h"

#include "tests/controls/ControlTestHost.h"
#include "tests/support/InputRecords.h"

#include <gtest/gtest.h>

namespace {

// A parent that is a resize corner everywhere and records the presses and
// pointer questions the control hands it.
class CornerHost : public controls_test::ControlTestHost {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_NCHITTEST:
            return HTBOTTOMRIGHT;
        case WM_NCLBUTTONDOWN: // no sizing loop in the test
            presses.push_back(static_cast<int>(wParam));
            return 0;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == m_hWnd)
                cursorHits.push_back(LOWORD(lParam));
            return TRUE;
        default:
            return ControlTestHost::WindowProc(message, wParam, lParam);
        }
    }
    std::vector<int> presses;
    std::vector<int> cursorHits;
};

// Press and release reach the queue together: by the time the control's
// thread looks at the press, the button is already up again.
void QuickClick(POINT pt, DWORD down, DWORD up) {
    using test_support::MouseInput;
    INPUT clicks[3] = {MouseInput(pt, 0), MouseInput(pt, down), MouseInput(pt, up)};
    ::SendInput(3, clicks, sizeof(INPUT));
}

TEST(CStaticExTest, AQuickRightClickIsReportedAndLeftPressesStayTheParents) {
    CornerHost host;
    ASSERT_TRUE(host.Create(200, 200));
    HWND child = host.Child(L"STATIC", SS_NOTIFY, 150, 150, 40, 40, 1005);
    CStaticEx grip;
    ASSERT_TRUE(grip.SubclassWindow(child));
    host.Pump(100);
    const POINT centre{100 + 170, 100 + 170};

    QuickClick(centre, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    host.Pump(300);
    ASSERT_EQ(host.commands.size(), 1u) << "the right click did not reach the parent";
    EXPECT_EQ(host.commands[0].id, 1005u);
    EXPECT_EQ(host.commands[0].code, STN_RBUTTONDOWN);
    EXPECT_EQ(host.commands[0].control, child);

    QuickClick(centre, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    host.Pump(300);
    EXPECT_EQ(host.presses, std::vector<int>{HTBOTTOMRIGHT});
    EXPECT_EQ(host.commands.size(), 1u);
    ASSERT_FALSE(host.cursorHits.empty()) << "the pointer is not the parent's";
    EXPECT_EQ(host.cursorHits.back(), HTBOTTOMRIGHT);
}

} // namespace
