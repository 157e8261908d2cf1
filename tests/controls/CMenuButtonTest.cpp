#include "controls/CMenuButton.h"

#include "tests/controls/ControlTestHost.h"

#include <gtest/gtest.h>

namespace {

using controls_test::ControlTestHost;
using controls_test::ModalDriver;

constexpr UINT kButtonId = 1060;
constexpr UINT kFirstItem = 501;

class MenuButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(400, 300));
        hwnd = host.Child(L"BUTTON", BS_PUSHBUTTON, 200, 40, 60, 24, kButtonId, 0, L"...");
        ASSERT_TRUE(button.SubclassWindow(hwnd));
        ASSERT_TRUE(button.m_menu.CreatePopupMenu());
        HMENU popup = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, kFirstItem, L"インポート");
        ::AppendMenuW(popup, MF_STRING, kFirstItem + 1, L"エクスポート");
        button.m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"menu");
    }
    void TearDown() override { button.DestroyWindow(); }

    // Runs trigger while a driver waits for the menu, notes where it stood
    // and picks its first item.
    bool RunMenu(const std::function<void()>& trigger) {
        menuRect = {};
        bool shown = false;
        {
            ModalDriver driver([&] {
                HWND menu = test_support::FindThreadWindow(L"#32768");
                if (!menu)
                    return false;
                shown = true;
                ::GetWindowRect(menu, &menuRect);
                ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
                return true;
            });
            trigger();
            host.Pump(60);
        }
        host.Pump(0);
        return shown;
    }
    bool Chosen(UINT id) const {
        for (const auto& c : host.commands)
            if (c.id == id && c.code == 0)
                return true;
        return false;
    }

    ControlTestHost host;
    CMenuButton button;
    HWND hwnd = nullptr;
    RECT menuRect{};
};

TEST_F(MenuButtonTest, MenuDropsDownRightAlignedBelowTheButton) {
    ASSERT_TRUE(RunMenu([&] { button.ShowMenu(); }));
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    EXPECT_EQ(menuRect.right, r.right);
    EXPECT_EQ(menuRect.top, r.bottom);
    EXPECT_LT(menuRect.left, r.right);
    EXPECT_TRUE(Chosen(kFirstItem)) << "the chosen command reaches the parent";
}

TEST_F(MenuButtonTest, ClickOpensTheMenu) {
    ASSERT_TRUE(RunMenu([&] {
        ::SendMessageW(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(hwnd));
    }));
    EXPECT_TRUE(Chosen(kFirstItem));
    // The click itself stays with the button.
    for (const auto& c : host.commands)
        EXPECT_NE(c.control, hwnd);
}

TEST_F(MenuButtonTest, DownArrowOpensTheMenuAndIsPassedOn) {
    bool eaten = true;
    ASSERT_TRUE(RunMenu([&] {
        MSG msg{hwnd, WM_KEYDOWN, VK_DOWN, 1, 0, {}};
        eaten = button.PreTranslateMessage(&msg);
    }));
    EXPECT_FALSE(eaten);
    // Other keys open nothing.
    EXPECT_FALSE(RunMenu([&] {
        MSG msg{hwnd, WM_KEYDOWN, VK_UP, 1, 0, {}};
        button.PreTranslateMessage(&msg);
    }));
}

TEST_F(MenuButtonTest, WithoutASubMenuNothingHappens) {
    button.m_menu.DestroyMenu();
    EXPECT_FALSE(RunMenu([&] { button.ShowMenu(); }));
    ASSERT_TRUE(button.m_menu.CreatePopupMenu());
    button.m_menu.AppendMenu(MF_STRING, 600, L"flat");
    EXPECT_FALSE(RunMenu([&] { button.ShowMenu(); }));
}

} // namespace
