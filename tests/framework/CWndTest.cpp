// The window framework on real windows: binding before the first message,
// message maps, reflection, the modal loop and the end of a window's life.
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CMenu.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class ReflectingButton : public CButton {
public:
    int reflectedClicks = 0;

private:
    void OnReflectedClick() { ++reflectedClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_FRAME_CONTROLLER) {}

    std::vector<UINT> early; // messages seen before WM_INITDIALOG
    bool initialised = false;
    bool finalMessage = false;
    int parentClicksLeft = 0;
    int parentClicksRight = 0;
    int rangeHits = 0;
    int preTranslated = 0;
    bool escapeOnInit = false;
    ReflectingButton left;

    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_MOVE_LEFT, left); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        initialised = true;
        if (escapeOnInit)
            ::PostMessageW(GetDlgItem(IDC_MOVE_RIGHT), WM_KEYDOWN, VK_ESCAPE, 0);
        return TRUE;
    }
    bool PreTranslateMessage(MSG* msg) override {
        ++preTranslated;
        return CDialog::PreTranslateMessage(msg);
    }
    void PostNcDestroy() override { finalMessage = true; }

private:
    BOOL OnNcCreate(CREATESTRUCTW&) {
        if (!initialised)
            early.push_back(WM_NCCREATE);
        return Default() != 0;
    }
    void OnLeft() { ++parentClicksLeft; }
    void OnRight() { ++parentClicksRight; }
    void OnEdge(UINT) { ++rangeHits; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_WM_NCCREATE(OnNcCreate)
ON_BN_CLICKED(IDC_MOVE_LEFT, OnLeft)
ON_BN_CLICKED(IDC_MOVE_RIGHT, OnRight)
ON_COMMAND_RANGE(IDC_LEFT_EDGE_OUT, IDC_BOTTOM_EDGE_OUT, OnEdge)
END_MESSAGE_MAP()

TEST(CWnd, DialogIsBoundBeforeItsFirstMessage) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAME_CONTROLLER));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_TRUE(dlg.initialised);
    ASSERT_EQ(dlg.early.size(), 1u);
    EXPECT_EQ(dlg.early[0], static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.left.m_hWnd), &dlg.left);
    HWND hwnd = dlg.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_TRUE(dlg.finalMessage);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.left.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(CWnd, ControlsHandleTheirOwnNotificationsFirst) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAME_CONTROLLER));
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_MOVE_LEFT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(dlg.left.m_hWnd));
    EXPECT_EQ(dlg.left.reflectedClicks, 1);
    EXPECT_EQ(dlg.parentClicksLeft, 0); // the reflected row took it
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_MOVE_RIGHT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_MOVE_RIGHT)));
    EXPECT_EQ(dlg.parentClicksRight, 1);
    // Accelerator commands (code 1) reach command rows too.
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TOP_EDGE_IN, 1), 0);
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BOTTOM_EDGE_OUT, 0), 0);
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TAB_PICTURE, 0), 0);
    EXPECT_EQ(dlg.rangeHits, 2);
    dlg.DestroyWindow();
}

TEST(CWnd, ModalLoopRunsPreTranslateAndEndsWithTheResult) {
    TestDialog dlg;
    dlg.escapeOnInit = true;
    INT_PTR result = dlg.DoModal();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_GT(dlg.preTranslated, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(dlg.finalMessage);
}

// Windows with no object bound to them are reached by handle: no object
// stands in for them, so none can be kept past their life.
TEST(CWnd, UnboundWindowsAreReachedByHandle) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAME_CONTROLLER));
    const HWND right = dlg.GetDlgItem(IDC_MOVE_RIGHT);
    EXPECT_EQ(right, ::GetDlgItem(dlg.m_hWnd, IDC_MOVE_RIGHT));
    EXPECT_EQ(CWnd::FromHandlePermanent(right), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_MOVE_LEFT)), &dlg.left);
    EXPECT_EQ(dlg.left.GetParent(), dlg.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDesktopWindow()), nullptr);
    dlg.DestroyWindow();
}

TEST(CMenu, LoadedMenuHasTheFramePopupAndOnlyTheOwnerDestroysIt) {
    HMENU loaded = nullptr;
    HMENU sub = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_FRAME_MENU));
        loaded = menu.GetSafeHmenu();
        {
            const MenuRef popup = menu.GetSubMenu(0);
            EXPECT_NE(popup.GetSafeHmenu(), nullptr);
            EXPECT_EQ(popup.GetMenuItemID(0), static_cast<UINT>(IDM_OPTIONS));
            sub = popup.GetSafeHmenu();
        }
        EXPECT_TRUE(::IsMenu(sub)); // the borrowed submenu is still there
    }
    EXPECT_FALSE(::IsMenu(loaded));
}

TEST(WindowDC, MovingHandsTheDcOnAndLeavesTheSourceEmpty) {
    WindowDC screen(nullptr);
    const HDC dc = screen.get();
    ASSERT_NE(dc, nullptr);
    WindowDC moved(std::move(screen));
    EXPECT_EQ(moved.get(), dc);
    EXPECT_FALSE(screen);
    WindowDC assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.get(), dc);
    EXPECT_FALSE(moved);
    EXPECT_GT(::GetDeviceCaps(assigned.get(), LOGPIXELSY), 0);
}

} // namespace
