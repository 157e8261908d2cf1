// The capture frame window in this process: placement, shape, lock, scale
// changes, private messages, the popup menu and the placement it stores.
#include "framework/ComPtr.h"
#include "tests/app/FakeHotkeySystem.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/framework/UiScript.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <shobjidl.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace frame_test;
using namespace test_profile;
using test_support::PumpMessages;

class FrameWindowTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        settings.x = settings.y = settings.cx = settings.cy = INT_MIN;
    }
    void Open(const DisplayQueries& queries = DisplayQueries::System()) {
        CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, HotkeySystem(), queries));
    }
    // Opens the controller with its command and lets it show.
    CFrameControllerDlg& OpenController() {
        ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
        PumpMessages(50);
        return Probe::Controller(*frame);
    }

    ComApartment com{ComApartment::Ole};
};

TEST_F(FrameWindowTest, FirstStartCentresA400By300HoleOnTheWorkArea) {
    POINT centreOfScreen{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};
    ::SetCursorPos(centreOfScreen.x, centreOfScreen.y);
    Open();
    RECT hole = HoleOnScreen(*frame);
    EXPECT_EQ(hole.right - hole.left, 400);
    EXPECT_EQ(hole.bottom - hole.top, 300);
    RECT window, work;
    frame->GetWindowRect(&window);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int w = window.right - window.left, h = window.bottom - window.top;
    EXPECT_EQ(window.left, (work.left + work.right) / 2 - w / 2);
    EXPECT_EQ(window.top, (work.top + work.bottom) / 2 - h / 2);
    EXPECT_TRUE(::GetWindowLongPtrW(frame->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(frame->m_hWnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    wchar_t title[32] = {};
    ::GetWindowTextW(frame->m_hWnd, title, 32);
    EXPECT_STREQ(title, L"Frimlet2");
}

TEST_F(FrameWindowTest, StoredPlacementIsHonouredAndAnOffScreenOneComesBack) {
    Place(100, 120, 320, 200);
    Open();
    RECT window;
    frame->GetWindowRect(&window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 120);
    RECT hole = HoleOnScreen(*frame);
    EXPECT_EQ(hole.right - hole.left, 320);
    EXPECT_EQ(hole.bottom - hole.top, 200);
    frame->DestroyWindow();

    Place(50000, 40000, 320, 200);
    Open();
    frame->GetWindowRect(&window);
    hole = HoleOnScreen(*frame);
    EXPECT_EQ(hole.right - hole.left, 320); // size kept
    EXPECT_EQ(hole.bottom - hole.top, 200);
    EXPECT_LE(window.right, ::GetSystemMetrics(SM_CXSCREEN) + (window.right - window.left));
    EXPECT_LE(window.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(window.right, 0);
}

TEST_F(FrameWindowTest, RegionLeavesTheHoleAndMarginEmptyAndRoundsTheTab) {
    Open();
    const unique_region owned(::CreateRectRgn(0, 0, 0, 0));
    const HRGN region = owned.get();
    ASSERT_NE(::GetWindowRgn(frame->m_hWnd, region), ERROR);
    RECT hole{};
    ::SendMessageW(frame->m_hWnd, WM_APP_GETFRAMEINFO, 0, reinterpret_cast<LPARAM>(&hole));
    RECT outer = Probe::Geometry(*frame).OuterRect();
    EXPECT_FALSE(::PtInRegion(region, (hole.left + hole.right) / 2, (hole.top + hole.bottom) / 2));
    EXPECT_FALSE(::PtInRegion(region, hole.left, hole.top));
    EXPECT_TRUE(::PtInRegion(region, hole.left - 1, hole.top + 20));       // the border
    EXPECT_TRUE(::PtInRegion(region, outer.right - 30, outer.bottom - 5)); // the tab
    EXPECT_FALSE(::PtInRegion(region, outer.right - 1, outer.bottom - 1)); // rounded lower corner
    EXPECT_FALSE(::PtInRegion(region, outer.left - 1, outer.top + 20));    // the margin
    EXPECT_FALSE(::PtInRegion(region, outer.left + 20, outer.bottom - 2)); // beside the tab
}

TEST_F(FrameWindowTest, LockMakesTheFrameSeeThroughAndDeafToTheMouse) {
    Open();
    RECT window;
    frame->GetWindowRect(&window);
    LPARAM onBorder = MAKELPARAM(window.left + 100, window.top + 8);
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_NCHITTEST, 0, onBorder), HTCAPTION);
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_LOCK, 0);
    BYTE alpha = 0;
    ::GetLayeredWindowAttributes(frame->m_hWnd, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_NCHITTEST, 0, onBorder), HTCLIENT);
    // A thumbnail-toolbar click runs the same command.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(IDM_LOCK, THBN_CLICKED), 0);
    ::GetLayeredWindowAttributes(frame->m_hWnd, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255);
    EXPECT_FALSE(Probe::IsLocked(*frame));
}

TEST_F(FrameWindowTest, ScaleChangeKeepsTheHoleAndGrowsTheFrameAroundIt) {
    Open();
    RECT before = HoleOnScreen(*frame);
    RECT windowBefore;
    frame->GetWindowRect(&windowBefore);
    RECT suggested{0, 0, 10, 10};
    ::SendMessageW(frame->m_hWnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(50);
    RECT after = HoleOnScreen(*frame);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    RECT windowAfter;
    frame->GetWindowRect(&windowAfter);
    EXPECT_LT(windowAfter.left, windowBefore.left);
    EXPECT_GT(windowAfter.bottom - after.bottom, windowBefore.bottom - before.bottom); // a taller tab
    EXPECT_DOUBLE_EQ(Probe::Geometry(*frame).Metrics().Scale(), 2.0);
}

// A monitor at 150 %: the frame takes its scale from the monitor it stands
// on and its metrics for that DPI, as Windows scales them, and the size it
// promises before a move to another scale is the size it then takes.
UINT MonitorAt144(HWND) {
    return 144;
}

int MetricScaledAsWindowsDoes(int index, UINT dpi) {
    switch (index) {
    case SM_CXPADDEDBORDER:
        return ::MulDiv(4, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return ::MulDiv(3, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    default:
        return ::GetSystemMetrics(index);
    }
}

TEST_F(FrameWindowTest, ScaleAndMetricsComeFromTheFramesMonitor) {
    DisplayQueries queries = DisplayQueries::System();
    queries.windowDpi = &MonitorAt144;
    queries.metricForDpi = &MetricScaledAsWindowsDoes;
    Place(100, 100, 400, 300);
    Open(queries);
    EXPECT_DOUBLE_EQ(Probe::Geometry(*frame).Metrics().Scale(), 1.5);
    RECT window;
    frame->GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 434); // 400 + 2 x (6 + 5 + 6)
    EXPECT_EQ(window.bottom - window.top, 363); // 300 + 29 + 2 x (6 + 5 + 6)
    const RECT hole = HoleOnScreen(*frame);

    for (const UINT dpi : {192u, 96u}) {
        SCOPED_TRACE(dpi);
        SIZE size{window.right - window.left, window.bottom - window.top};
        EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)),
                  TRUE);
        RECT suggested{window.left, window.top, window.left + size.cx, window.top + size.cy};
        ::SendMessageW(frame->m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        PumpMessages(50);
        frame->GetWindowRect(&window);
        EXPECT_EQ(window.right - window.left, size.cx);
        EXPECT_EQ(window.bottom - window.top, size.cy);
        EXPECT_EQ(size.cx, dpi == 192 ? 444 : 422);
        EXPECT_EQ(size.cy, dpi == 192 ? 382 : 342);
        const RECT now = HoleOnScreen(*frame);
        EXPECT_EQ(now.left, hole.left);
        EXPECT_EQ(now.top, hole.top);
        EXPECT_EQ(now.right, hole.right);
        EXPECT_EQ(now.bottom, hole.bottom);
    }
}

// Two monitors side by side: the primary at 100 % left of x = 200, a second
// one at 150 % from there on. The hidden frame is created on the primary.
UINT DpiLeftOrRight(LONG left) {
    return left >= 200 ? 144 : USER_DEFAULT_SCREEN_DPI;
}
UINT WindowOnTwoMonitors(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return DpiLeftOrRight(r.left);
}
UINT RectOnTwoMonitors(const RECT& rect) {
    return DpiLeftOrRight(rect.left);
}

TEST_F(FrameWindowTest, StartsOnASecondMonitorOfAnotherScaleKeepTheStoredPlace) {
    DisplayQueries queries = DisplayQueries::System();
    queries.windowDpi = &WindowOnTwoMonitors;
    queries.monitorDpi = &RectOnTwoMonitors;
    queries.metricForDpi = &MetricScaledAsWindowsDoes;
    Place(600, 300, 400, 300);
    for (int start = 0; start < 10; ++start) {
        Open(queries);
        EXPECT_DOUBLE_EQ(Probe::Geometry(*frame).Metrics().Scale(), 1.5) << start;
        RECT window;
        frame->GetWindowRect(&window);
        EXPECT_EQ(window.right - window.left, 434) << start; // laid out at 150 %
        Probe::SavePlacement(*frame);
        CloseFrame();
        EXPECT_EQ(settings.x, 600) << start;
        EXPECT_EQ(settings.y, 300) << start;
        EXPECT_EQ(settings.cx, 400) << start;
    }
}

TEST_F(FrameWindowTest, FrameInfoGivesTheMinimumAndTheHole) {
    Open();
    int minimum[2] = {0, 0};
    RECT hole{};
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_APP_GETFRAMEINFO, reinterpret_cast<WPARAM>(minimum),
                             reinterpret_cast<LPARAM>(&hole)),
              0);
    EXPECT_EQ(minimum[0], 10);
    EXPECT_EQ(minimum[1], 10);
    EXPECT_EQ(hole.right - hole.left, 400);
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_APP_GETFRAMEINFO, 0, 0), 0); // null pointers are fine
}

TEST_F(FrameWindowTest, EscapeMinimisesAndStoresThePlacementEnterDoesNothing) {
    Open();
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(frame->IsIconic());
    EXPECT_TRUE(frame->IsWindow());
    RECT window;
    frame->GetWindowRect(&window);
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    PumpMessages(50);
    EXPECT_TRUE(frame->IsIconic());
    EXPECT_EQ(static_cast<int>(ReadTestDword(L"x")), window.left);
    EXPECT_EQ(static_cast<int>(ReadTestDword(L"y")), window.top);
    EXPECT_EQ(ReadTestDword(L"cx"), 400u);
    EXPECT_EQ(ReadTestDword(L"cy"), 300u);
}

TEST_F(FrameWindowTest, ImageTypeCommandIsStoredAtOnce) {
    Open();
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_TYPE_PNG, 0);
    EXPECT_EQ(settings.type, ImageType::Png);
    EXPECT_EQ(ReadTestDword(L"type"), 3u);
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_TYPE_BMP, 0);
    EXPECT_EQ(ReadTestDword(L"type"), 1u);
}

TEST_F(FrameWindowTest, PopupMenuChecksTheTypeSwapsTheLockTextAndDropsMove) {
    settings.type = ImageType::Gif;
    Open();
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_LOCK, 0);

    const ShownMenu probe = MenuReader::Read(
        [&] { ::SendMessageW(frame->m_hWnd, WM_APP_SHOWMENU, 1, MAKELPARAM(200, 200)); }, 200);
    ASSERT_TRUE(probe.seen);
    EXPECT_EQ(probe.IndexOf(SC_MOVE), -1);
    int lock = probe.IndexOf(IDM_LOCK);
    ASSERT_GE(lock, 0);
    EXPECT_EQ(probe.texts[static_cast<size_t>(lock)], L"枠の位置とサイズのロックを解除する");
    int restore = probe.IndexOf(SC_RESTORE);
    ASSERT_GE(restore, 0);
    EXPECT_TRUE(probe.states[static_cast<size_t>(restore)] & MF_GRAYED);
    int minimize = probe.IndexOf(SC_MINIMIZE);
    ASSERT_GE(minimize, 0);
    EXPECT_FALSE(probe.states[static_cast<size_t>(minimize)] & MF_GRAYED);
    // The image types sit in the submenu; its item for GIF is checked.
    int options = probe.IndexOf(IDM_OPTIONS);
    EXPECT_EQ(options, 0);
}

} // namespace

namespace {

TEST_F(FrameWindowTest, ControllerOpensCentredWithoutTakingActivation) {
    Open();
    ::SetForegroundWindow(frame->m_hWnd);
    ::SetActiveWindow(frame->m_hWnd);
    PumpMessages(50);
    CFrameControllerDlg& controller = OpenController();
    ASSERT_TRUE(controller.IsWindow());
    RECT f, c;
    frame->GetWindowRect(&f);
    controller.GetWindowRect(&c);
    EXPECT_EQ(c.left, f.left + (f.right - f.left) / 2 - (c.right - c.left) / 2);
    EXPECT_EQ(c.top, f.top + (f.bottom - f.top) / 2 - (c.bottom - c.top) / 2);
    EXPECT_EQ(::GetActiveWindow(), frame->m_hWnd);
    BYTE alpha = 0;
    ::GetLayeredWindowAttributes(controller.m_hWnd, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 210);
    EXPECT_EQ(::SendMessageW(controller.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.left + 2, c.bottom - 2)),
              HTCAPTION);
}

TEST_F(FrameWindowTest, EveryControllerButtonNudgesTheFrameByOnePixel) {
    Open();
    CFrameControllerDlg& controller = OpenController();
    ASSERT_TRUE(controller.IsWindow());
    const int dl[] = {-1, 1, 0, 0, -1, 1, 0, 0, 0, 0, 0, 0};
    const int dt[] = {0, 0, -1, 1, 0, 0, 0, 0, -1, 1, 0, 0};
    const int dr[] = {-1, 1, 0, 0, 0, 0, -1, 1, 0, 0, 0, 0};
    const int db[] = {0, 0, -1, 1, 0, 0, 0, 0, 0, 0, -1, 1};
    for (int i = 0; i < 12; ++i) {
        RECT before, after;
        frame->GetWindowRect(&before);
        HWND button = ::GetDlgItem(controller.m_hWnd, IDC_MOVE_LEFT + i);
        ASSERT_NE(button, nullptr);
        ::SendMessageW(button, BM_CLICK, 0, 0);
        PumpMessages(20);
        frame->GetWindowRect(&after);
        EXPECT_EQ(after.left - before.left, dl[i]) << "button " << IDC_MOVE_LEFT + i;
        EXPECT_EQ(after.top - before.top, dt[i]) << "button " << IDC_MOVE_LEFT + i;
        EXPECT_EQ(after.right - before.right, dr[i]) << "button " << IDC_MOVE_LEFT + i;
        EXPECT_EQ(after.bottom - before.bottom, db[i]) << "button " << IDC_MOVE_LEFT + i;
    }
    // The frame re-laid itself out: the hole follows the window.
    RECT window;
    frame->GetWindowRect(&window);
    RECT hole = HoleOnScreen(*frame);
    EXPECT_EQ(hole.right - hole.left, 400);
    EXPECT_EQ(hole.bottom - hole.top, 300);
}

TEST_F(FrameWindowTest, ControllerClosesOnRightClickAndItsTabOpensTheSizeDialog) {
    Open();
    CFrameControllerDlg& controller = OpenController();
    ASSERT_TRUE(controller.IsWindow());
    ::SendMessageW(controller.m_hWnd, WM_NCRBUTTONUP, HTCAPTION, 0);
    EXPECT_FALSE(controller.IsWindow());

    OpenController();
    ASSERT_TRUE(controller.IsWindow());
    HWND tab = ::GetDlgItem(controller.m_hWnd, IDC_TAB_PICTURE);
    ::SendMessageW(controller.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TAB_PICTURE, STN_CLICKED),
                   reinterpret_cast<LPARAM>(tab));
    EXPECT_FALSE(controller.IsWindow());
    MSG msg;
    bool posted = false;
    while (::PeekMessageW(&msg, frame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        posted = posted || (LOWORD(msg.wParam) == IDM_SELECT_SIZE && msg.lParam == 0);
    EXPECT_TRUE(posted);
}

TEST_F(FrameWindowTest, F3WhileTheControllerIsOpenReopensItCentred) {
    Open();
    CFrameControllerDlg& controller = OpenController();
    ASSERT_TRUE(controller.IsWindow());
    controller.SetWindowPos(nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND first = controller.m_hWnd;
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(IDM_SHOW_CONTROLLER, 1),
                   0); // as the accelerator sends it
    PumpMessages(200);
    ASSERT_TRUE(controller.IsWindow());
    EXPECT_NE(controller.m_hWnd, first); // closed and created again
    RECT f, c;
    frame->GetWindowRect(&f);
    controller.GetWindowRect(&c);
    EXPECT_EQ(c.left, f.left + (f.right - f.left) / 2 - (c.right - c.left) / 2);
}

} // namespace

namespace {

// A plain top-level window with one push button, away from the frame.
struct TargetWindow {
    HWND window = nullptr;
    HWND button = nullptr;
    TargetWindow(int x, int y, int width, int height) {
        window = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"fit target", WS_POPUP | WS_VISIBLE | SS_NOTIFY,
                                   x, y, width, height, nullptr, nullptr, nullptr, nullptr);
        button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 30, 40, 90, 25, window,
                                   nullptr, nullptr, nullptr);
        PumpMessages(50);
    }
    ~TargetWindow() { ::DestroyWindow(window); }
};

// A click as the system delivers it to the fit-mode overlay, which lies over
// every window: the press, then the release at the same screen point.
void ClickOverlay(const CFrimlet2Dlg& frame, POINT screen, bool right = false) {
    HWND overlay = Probe::FitOverlay(frame);
    ASSERT_NE(overlay, nullptr);
    POINT client = screen;
    ::ScreenToClient(overlay, &client);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    ::SendMessageW(overlay, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    ::SendMessageW(overlay, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

using test_support::WindowRectOf;

void ExpectHoleIs(const CFrimlet2Dlg& frame, const RECT& expected) {
    RECT hole = HoleOnScreen(frame);
    EXPECT_EQ(hole.left, expected.left);
    EXPECT_EQ(hole.top, expected.top);
    EXPECT_EQ(hole.right, expected.right);
    EXPECT_EQ(hole.bottom, expected.bottom);
}

TEST_F(FrameWindowTest, FitModeFitsTheHoleToTheClickedControlOrWindow) {
    Place(900, 500, 300, 200);
    Open();
    TargetWindow target(100, 100, 300, 200);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    EXPECT_TRUE(Probe::IsFitMode(*frame));
    // The overlay lies over every monitor and over the frame, shows the
    // target cursor, and takes no capture before a button is down.
    HWND overlay = Probe::FitOverlay(*frame);
    ASSERT_NE(overlay, nullptr);
    RECT covered = WindowRectOf(overlay);
    EXPECT_EQ(covered.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(covered.top, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(covered.right - covered.left, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(covered.bottom - covered.top, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(::IsWindowVisible(overlay));
    EXPECT_EQ(::GetWindow(overlay, GW_OWNER), frame->m_hWnd);
    EXPECT_TRUE(::GetWindowLongPtrW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_NE(CFitOverlay::TargetCursor(), nullptr);
    EXPECT_EQ(::GetCursor(), CFitOverlay::TargetCursor());
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ::SendMessageW(overlay, WM_SETCURSOR, reinterpret_cast<WPARAM>(overlay),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), CFitOverlay::TargetCursor());
    EXPECT_EQ(::GetCapture(), nullptr);

    const RECT button = WindowRectOf(target.button);
    ClickOverlay(*frame, POINT{button.left + 5, button.top + 5});
    PumpMessages(50);
    EXPECT_FALSE(Probe::IsFitMode(*frame));
    EXPECT_FALSE(::IsWindow(overlay));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_NE(::GetCursor(), CFitOverlay::TargetCursor());
    ExpectHoleIs(*frame, button);

    // A top-level window: its visible bounds where the system gives them,
    // else its window rectangle.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ClickOverlay(*frame, POINT{300, 250});
    PumpMessages(50);
    RECT expected = WindowRectOf(target.window);
    RECT visible;
    if (DisplayQueries::System().visibleBounds(target.window, visible))
        expected = visible;
    ExpectHoleIs(*frame, expected);
}

// Where the system knows the visible bounds of a top-level window (DWM on
// Windows), the frame takes them and not the window rectangle with its
// invisible resize borders; controls keep their window rectangle.
HWND g_boundsKnownFor = nullptr;

bool BoundsWithoutResizeBorders(HWND window, RECT& bounds) {
    if (::GetAncestor(window, GA_ROOT) != g_boundsKnownFor) // the target window and its controls
        return false;
    ::GetWindowRect(window, &bounds);
    bounds.left += 7;
    bounds.right -= 7;
    bounds.bottom -= 7;
    return true;
}

TEST_F(FrameWindowTest, FitModeTakesTheVisibleBoundsOfTopLevelWindowsOnly) {
    DisplayQueries queries = DisplayQueries::System();
    queries.visibleBounds = &BoundsWithoutResizeBorders;
    Place(900, 500, 300, 200);
    Open(queries);
    TargetWindow target(100, 100, 300, 200);
    g_boundsKnownFor = target.window;
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ClickOverlay(*frame, POINT{300, 250});
    PumpMessages(50);
    ExpectHoleIs(*frame, RECT{107, 100, 393, 293});
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    const RECT button = WindowRectOf(target.button);
    ClickOverlay(*frame, POINT{button.left + 5, button.top + 5});
    PumpMessages(50);
    ExpectHoleIs(*frame, button);
}

TEST_F(FrameWindowTest, FitModeRefusesTheDesktopTheFrameAndARightClick) {
    Place(900, 500, 300, 200);
    Open();
    RECT before;
    frame->GetWindowRect(&before);
    // Every way out takes the overlay and the target cursor away and leaves
    // the frame as it was.
    auto unchanged = [&] {
        RECT now;
        frame->GetWindowRect(&now);
        return !Probe::IsFitMode(*frame) && !Probe::FitOverlay(*frame) &&
               ::GetCursor() != CFitOverlay::TargetCursor() && now.left == before.left &&
               now.top == before.top && now.right == before.right && now.bottom == before.bottom;
    };
    // The bare desktop is as wide as the screen.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ClickOverlay(*frame, POINT{5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
    EXPECT_TRUE(unchanged());
    // The frame's own border.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ClickOverlay(*frame, POINT{before.left + 100, before.top + 8});
    EXPECT_TRUE(unchanged());
    // A right click and Esc only leave fit mode.
    TargetWindow target(100, 100, 300, 200);
    const RECT button = WindowRectOf(target.button);
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ClickOverlay(*frame, POINT{button.left + 5, button.top + 5}, true);
    EXPECT_TRUE(unchanged());
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(frame->IsIconic()); // Esc in fit mode does not minimise
    EXPECT_TRUE(unchanged());
    // The session ending.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ASSERT_NE(Probe::FitOverlay(*frame), nullptr);
    ::SendMessageW(Probe::FitOverlay(*frame), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(unchanged());
    // Another window taking the mouse in the middle of the click: fit mode
    // ends, and that window keeps the capture.
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    HWND overlay = Probe::FitOverlay(*frame);
    ASSERT_NE(overlay, nullptr);
    ::SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    EXPECT_EQ(::GetCapture(), overlay);
    ::SetCapture(target.window);
    EXPECT_TRUE(unchanged());
    EXPECT_EQ(::GetCapture(), target.window);
    ::ReleaseCapture();
}

TEST_F(FrameWindowTest, ClosingInFitModeEndsItFirst) {
    Open();
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ASSERT_TRUE(Probe::IsFitMode(*frame));
    HWND overlay = Probe::FitOverlay(*frame);
    ::SendMessageW(frame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(Probe::IsFitMode(*frame));
    EXPECT_FALSE(::IsWindow(overlay));
    EXPECT_NE(::GetCursor(), CFitOverlay::TargetCursor());
    EXPECT_NE(ReadTestDword(L"cx"), 0xDEADBEEFu); // the placement was stored on the way out
}

TEST_F(FrameWindowTest, TheEndOfTheSessionEndsFitModeAsClosingDoes) {
    Open();
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    ASSERT_TRUE(Probe::IsFitMode(*frame));
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    ::SendMessageW(frame->m_hWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(Probe::IsFitMode(*frame));
    EXPECT_NE(::GetCapture(), frame->m_hWnd);
    EXPECT_EQ(Probe::FitOverlay(*frame), nullptr); // the overlay and its target cursor are gone
}

} // namespace

namespace {

int CountFiles(const CString& folder) {
    return static_cast<int>(test_support::FilesIn(folder.str()).size());
}

class FrameShutterTest : public FrameWindowTest {
protected:
    void SetUp() override {
        FrameWindowTest::SetUp();
        folder = test_support::TemporaryPath(L"frimlet-shutter").c_str();
        test_support::RemoveTree(folder.str());
        settings.outputPath = folder;
        Place(200, 150, 120, 80);
    }
    void TearDown() override {
        FrameWindowTest::TearDown();
        test_support::RemoveTree(folder.str());
    }
    CString folder;
};

TEST_F(FrameShutterTest, ShutterWritesAFileAndShowsItsSizeOnTheTab) {
    Open();
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SHUTTER, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(frame->m_hWnd, IDC_SHUTTER)));
    EXPECT_EQ(CountFiles(folder), 1); // the folder was created for it
    std::u16string status = Probe::Geometry(*frame).Metrics().StatusText();
    ASSERT_EQ(status.size(), 5u);
    EXPECT_EQ(status.substr(3), u"KB");
    // The hotkey message with the registered id takes a picture too; any
    // other id is ignored.
    ::SendMessageW(frame->m_hWnd, WM_HOTKEY, kTestHotkey + 1, 0);
    EXPECT_EQ(CountFiles(folder), 1);
    ::Sleep(2); // a new millisecond, so a new name
    ::SendMessageW(frame->m_hWnd, WM_HOTKEY, kTestHotkey, 0);
    EXPECT_EQ(CountFiles(folder), 2);
}

TEST_F(FrameShutterTest, NothingIsWrittenWhileMinimised) {
    Open();
    ::SendMessageW(frame->m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpMessages(50);
    ASSERT_TRUE(frame->IsIconic());
    ::SendMessageW(frame->m_hWnd, WM_HOTKEY, kTestHotkey, 0);
    EXPECT_EQ(CountFiles(folder), 0);
    EXPECT_TRUE(Probe::Geometry(*frame).Metrics().StatusText().empty());
}

TEST_F(FrameShutterTest, AFailedCaptureShowsTheErrorAndLeavesNoFile) {
    settings.useFixdName = true;
    settings.fixdName = L"missing\\shot"; // a folder that does not exist inside the output folder
    Open();
    Probe::Shutter(*frame);
    EXPECT_EQ(CountFiles(folder), 0);
    std::u16string status = Probe::Geometry(*frame).Metrics().StatusText();
    EXPECT_EQ(status.substr(0, 6), u"error:");
}

TEST_F(FrameShutterTest, TheStatusTimerClearsTheLabel) {
    Open();
    Probe::Shutter(*frame);
    ASSERT_FALSE(Probe::Geometry(*frame).Metrics().StatusText().empty());
    // Timer 1 is what clears the label twelve seconds later.
    ::SendMessageW(frame->m_hWnd, WM_TIMER, 1, 0);
    EXPECT_TRUE(Probe::Geometry(*frame).Metrics().StatusText().empty());
}

} // namespace

namespace {

TEST_F(FrameWindowTest, TaskbarButtonsFollowTheLockAndShellFailuresAreSilent) {
    Open();
    const CTaskbarThumbButtons& taskbar = Probe::Taskbar(*frame);
    // The shell announces the taskbar button; under Wine the objects behind
    // the toolbar and jump list are stubs, and the frame works on either way.
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_TASKBAR_BUTTON_CREATED, 0, 0), 0);
    EXPECT_EQ(taskbar.GetImageCount(), 5);
    EXPECT_EQ(taskbar.Button(0).iId, static_cast<UINT>(IDM_OPEN_OUTPUT_FOLDER));
    EXPECT_STREQ(taskbar.Button(0).szTip, L"保存先フォルダを開く");
    EXPECT_STREQ(taskbar.Button(3).szTip, L"枠のコントローラを表示する");
    EXPECT_EQ(taskbar.Button(2).iBitmap, 2u);
    EXPECT_STREQ(taskbar.Button(2).szTip, L"枠の位置とサイズをロックする");
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_LOCK, 0);
    EXPECT_EQ(taskbar.Button(2).iBitmap, 3u);
    EXPECT_STREQ(taskbar.Button(2).szTip, L"枠の位置とサイズのロックを解除する");
    // The shell restarting while locked brings the unlock button back.
    ::SendMessageW(frame->m_hWnd, WM_TASKBAR_BUTTON_CREATED, 0, 0);
    EXPECT_EQ(taskbar.Button(2).iBitmap, 3u);
    EXPECT_STREQ(taskbar.Button(2).szTip, L"枠の位置とサイズのロックを解除する");
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_LOCK, 0);
    EXPECT_EQ(taskbar.Button(2).iBitmap, 2u);
    EXPECT_TRUE(frame->IsWindow());
}

} // namespace

namespace {

// Closes the window the shell opened for a folder (another process), so that
// it does not stay on the desktop; waits a little for it to appear.
void CloseFolderWindow(const std::wstring& name) {
    const test_support::WindowQuery shell{.also = [&name](HWND hwnd) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        return pid != ::GetCurrentProcessId() && test_support::TextOf(hwnd).find(name) != std::wstring::npos;
    }};
    int closed = 0;
    for (int i = 0; i < 60 && !closed; ++i) {
        for (HWND window : test_support::FindAllTopLevel(shell)) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            ++closed;
        }
        PumpMessages(50);
    }
}

TEST_F(FrameWindowTest, ThumbnailButtonsRunTheirCommandsAndCloseOtherWindowsFirst) {
    const std::wstring name = L"frimlet-thumb-" + std::to_wstring(::GetTickCount());
    const std::wstring folder = test_support::TemporaryPath(name);
    ASSERT_GT(folder.size(), name.size());
    settings.outputPath = folder.c_str();
    Open();
    auto click = [&](UINT id) {
        ::SendMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(id, THBN_CLICKED), 0);
        PumpMessages(100);
    };

    // The output folder is made when it is missing, then shown.
    click(IDM_OPEN_OUTPUT_FOLDER);
    EXPECT_EQ(::GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    CloseFolderWindow(name);

    click(IDM_SHOW_CONTROLLER);
    ASSERT_TRUE(Probe::Controller(*frame).IsWindow());

    // With the controller open, the options first close it, then open; the
    // controller's button while the options are open closes them and opens
    // the controller again.
    bool controllerWasOpen = true;
    const wchar_t* const kOptionsTitle = L"Frimlet2 オプション設定";
    UiScript script({[&] {
                         if (!test_support::FindThreadWindow(L"#32770", kOptionsTitle))
                             return false;
                         controllerWasOpen = Probe::Controller(*frame).IsWindow();
                         // A tooltip showing at that moment is no window to close.
                         ::ShowWindow(Probe::ToolTips(*frame).Handle(), SW_SHOWNA);
                         ::PostMessageW(frame->m_hWnd, WM_COMMAND,
                                        MAKEWPARAM(IDM_SHOW_CONTROLLER, THBN_CLICKED), 0);
                         return true;
                     },
                     [&] {
                         return !test_support::FindThreadWindow(L"#32770", kOptionsTitle) &&
                                Probe::Controller(*frame).IsWindow();
                     }});
    click(IDM_OPTIONS);
    for (int i = 0; i < 100 && !script.Finished() && script.FailedStep() < 0; ++i)
        PumpMessages(50);
    EXPECT_TRUE(script.Finished()) << "step " << script.FailedStep() << " was never done";
    EXPECT_FALSE(controllerWasOpen);
    EXPECT_TRUE(Probe::Controller(*frame).IsWindow());
    EXPECT_TRUE(::IsWindow(Probe::ToolTips(*frame).Handle()))
        << "the tooltip control was closed with the options";
    // The lock's thumbnail button is covered with the lock itself.
    ::RemoveDirectoryW(folder.c_str());
}

// A command waiting for an own window that never closes (hidden, so no
// WM_CLOSE reaches it) tries again for a short while, then gives up quietly
// instead of reposting itself for ever.
int g_sizeCommands = 0;
HWND g_hiddenOptions = nullptr;

LRESULT CALLBACK CountSizeCommands(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_COMMAND &&
        LOWORD(msg->wParam) == IDM_SELECT_SIZE) {
        // Without a bound the loop never lets a timer through; showing the
        // window again lets the command close it and the test go on.
        if (++g_sizeCommands == 1000 && g_hiddenOptions)
            ::ShowWindow(g_hiddenOptions, SW_SHOWNA);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(FrameWindowTest, ACommandWaitingForAHiddenWindowGivesUpQuietly) {
    Open();
    g_sizeCommands = 0;
    g_hiddenOptions = nullptr;
    unique_hook hook(::SetWindowsHookExW(WH_GETMESSAGE, CountSizeCommands, nullptr, ::GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    DWORD start = 0;
    int atLimit = -1, later = -1;
    UiScript script({[&] {
                         g_hiddenOptions =
                             test_support::FindThreadWindow(L"#32770", L"Frimlet2 オプション設定");
                         if (!g_hiddenOptions)
                             return false;
                         ::ShowWindow(g_hiddenOptions, SW_HIDE);
                         start = ::GetTickCount();
                         ::PostMessageW(frame->m_hWnd, WM_COMMAND, IDM_SELECT_SIZE, 0);
                         return true;
                     },
                     [&] {
                         if (::GetTickCount() - start < 2600)
                             return false;
                         atLimit = g_sizeCommands;
                         return true;
                     },
                     [&] {
                         if (::GetTickCount() - start < 3400)
                             return false;
                         later = g_sizeCommands;
                         if (::IsWindow(g_hiddenOptions))
                             ::PostMessageW(g_hiddenOptions, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                         UiScript::CloseEverything();
                         return true;
                     }});
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_OPTIONS, 0);
    for (int i = 0; i < 100 && !script.Finished() && script.FailedStep() < 0; ++i)
        PumpMessages(50);
    hook.reset();
    EXPECT_TRUE(script.Finished()) << "step " << script.FailedStep() << " was never done";
    EXPECT_GT(atLimit, 2) << "the command was tried again";
    EXPECT_LT(atLimit, 200) << "and not in a busy loop";
    EXPECT_EQ(later, atLimit) << "then given up";
}

} // namespace

namespace {

// The tools of the frame's tooltip control, with their texts.
struct ToolEntry {
    UINT flags = 0;
    UINT_PTR id = 0;
    RECT rect{};
    std::wstring text;
};

std::vector<ToolEntry> ToolsOf(HWND tooltip) {
    std::vector<ToolEntry> tools;
    const int count = static_cast<int>(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszText = text;
        if (!::SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)))
            continue;
        wchar_t full[256] = {};
        info.lpszText = full;
        ::SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        tools.push_back(ToolEntry{info.uFlags, info.uId, info.rect, full});
    }
    return tools;
}

const ToolEntry* Find(const std::vector<ToolEntry>& tools, UINT_PTR id) {
    for (const ToolEntry& tool : tools)
        if (tool.id == id)
            return &tool;
    return nullptr;
}

RECT ClientRectOfChild(HWND frame, int id) {
    RECT r{};
    ::GetWindowRect(::GetDlgItem(frame, id), &r);
    ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectTools(const CFrimlet2Dlg& frame, const char* when) {
    SCOPED_TRACE(when);
    HWND tooltip = Probe::ToolTips(frame).Handle();
    ASSERT_TRUE(tooltip && ::IsWindow(tooltip));
    const std::vector<ToolEntry> tools = ToolsOf(tooltip);
    EXPECT_EQ(tools.size(), 6u);
    // The modifiers' names are the system's ("Ctrl" on Windows, "Control" under Wine).
    const std::wstring hotkey = HotkeyName(kTestHotkey).str();
    EXPECT_EQ(hotkey.substr(hotkey.size() < 20 ? 0 : hotkey.size() - 20), L" + Shift + Alt + F12") << hotkey;
    const std::wstring shutterText = L"撮影 (" + hotkey + L")";
    const struct {
        int control;
        const wchar_t* text;
    } byWindow[] = {{IDC_SHUTTER, shutterText.c_str()},
                    {IDC_CLOSE_ICON, L"終了"},
                    {IDC_SETTINGS_ICON, L"オプション設定"},
                    {IDC_MINIMIZE_ICON, L"最小化（Escキー）"},
                    {IDC_GRIP_ICON, L"右クリックでメニュー、ドラッグでサイズ変更"}};
    for (const auto& expected : byWindow) {
        const ToolEntry* tool =
            Find(tools, reinterpret_cast<UINT_PTR>(::GetDlgItem(frame.m_hWnd, expected.control)));
        ASSERT_NE(tool, nullptr) << "no tool for control " << expected.control;
        EXPECT_TRUE(tool->flags & TTF_IDISHWND);
        EXPECT_TRUE(tool->flags & TTF_SUBCLASS);
        EXPECT_EQ(tool->text, expected.text);
    }
    // The size label is painted: a rectangle of the frame, where the layout
    // put it.
    const ToolEntry* label = Find(tools, IDC_SIZE_LABEL);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, L"F4でサイズを選択");
    const geometry::Point origin = Probe::Geometry(frame).Metrics().SizeLabelPosition();
    EXPECT_EQ(label->rect.left, origin.x);
    EXPECT_EQ(label->rect.top, origin.y);
    const RECT shutter = ClientRectOfChild(frame.m_hWnd, IDC_SHUTTER);
    EXPECT_EQ(label->rect.right, shutter.left);
    EXPECT_EQ(label->rect.bottom, Probe::Geometry(frame).OuterRect().bottom);
}

TEST_F(FrameWindowTest, EveryTabControlHasItsTooltipAndTheToolsFollowAScaleChange) {
    Open();
    ExpectTools(*frame, "after start");
    RECT suggested{0, 0, 10, 10};
    ::SendMessageW(frame->m_hWnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(50);
    ASSERT_DOUBLE_EQ(Probe::Geometry(*frame).Metrics().Scale(), 2.0);
    ExpectTools(*frame, "after a scale change");
}

// A failed capture explains itself in the size label's tooltip until the
// label is cleared; the label shows its code, also for nothing written.
TEST_F(FrameWindowTest, AFailedCaptureIsExplainedInTheSizeLabelsTooltip) {
    const std::wstring file = test_support::TemporaryPath(L"frimlet-not-a-folder");
    test_support::WriteBytes(file, "x");
    settings.outputPath = file.c_str();
    Open();
    Probe::Shutter(*frame);
    EXPECT_EQ(Probe::Geometry(*frame).Metrics().StatusText().substr(0, 6), u"error:");
    CString sentence, format;
    format.LoadString(IDS_FAIL_FOLDER);
    sentence.Format(format, file.c_str());
    const std::vector<ToolEntry> tools = ToolsOf(Probe::ToolTips(*frame).Handle());
    const ToolEntry* label = Find(tools, IDC_SIZE_LABEL);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text.substr(0, sentence.str().size()), sentence.str());

    ::SendMessageW(frame->m_hWnd, WM_TIMER, 1, 0); // the status timer
    CString plain;
    plain.LoadString(IDS_TIP_SIZE_LABEL);
    const std::vector<ToolEntry> after = ToolsOf(Probe::ToolTips(*frame).Handle());
    ASSERT_NE(Find(after, IDC_SIZE_LABEL), nullptr);
    EXPECT_EQ(Find(after, IDC_SIZE_LABEL)->text.substr(0, plain.str().size()), plain.str());
    EXPECT_EQ(Find(after, IDC_SIZE_LABEL)->text.find(sentence.str()), std::wstring::npos);
    ::DeleteFileW(file.c_str());
}

// Closes the next message box of this thread from a timer (the box runs its
// own loop), keeping its longest text: the message.
struct BoxCloser {
    static inline std::wstring text;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND box = test_support::FindThreadWindow(L"#32770");
        if (!box)
            return;
        for (const std::wstring& t : test_support::ChildTexts(box))
            if (t.size() > text.size())
                text = t;
        ::KillTimer(nullptr, timer);
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
};

// F2 on an output folder that cannot be opened says so and names it.
TEST_F(FrameWindowTest, F2OnAFolderThatCannotBeOpenedSaysWhyWithItsPath) {
    const std::wstring file = test_support::TemporaryPath(L"frimlet-f2-file");
    test_support::WriteBytes(file, "x");
    Open();
    const struct {
        std::wstring path;
        UINT message;
    } cases[] = {{file, IDS_FOLDER_IS_FILE},
                 {L"Q:\\Frimlet2", IDS_FOLDER_DRIVE_MISSING},
                 {file + L"\\below", IDS_FOLDER_MISSING}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message);
        settings.outputPath = c.path.c_str();
        BoxCloser::text.clear();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &BoxCloser::Tick);
        ::SendMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(IDM_OPEN_OUTPUT_FOLDER, 0), 0);
        ::KillTimer(nullptr, timer);
        CString format, expected;
        format.LoadString(c.message);
        expected.Format(format, c.path.c_str());
        const std::wstring firstLine = expected.str().substr(0, expected.str().find(L'\r'));
        EXPECT_EQ(BoxCloser::text.substr(0, firstLine.size()), firstLine);
    }
    ::DeleteFileW(file.c_str());
}

TEST_F(FrameWindowTest, TheShutterTooltipNamesAHotkeyChosenInTheOptions) {
    Open();
    constexpr int kNewHotkey = 0x0778; // Shift+Ctrl+Alt+F9
    UiScript script({[&] {
        HWND dlg = test_support::FindThreadWindow(L"#32770", L"Frimlet2 オプション設定");
        if (!dlg)
            return false;
        ::SendMessageW(::GetDlgItem(dlg, IDC_HOTKEY_CUSTOM), BM_CLICK, 0, 0);
        ::SendDlgItemMessageW(dlg, IDC_HOTKEY, HKM_SETHOTKEY, kNewHotkey, 0);
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        return true;
    }});
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_OPTIONS, 0);
    for (int i = 0; i < 40 && !script.Finished(); ++i)
        PumpMessages(50);
    ASSERT_TRUE(script.Finished());
    ASSERT_EQ(settings.hotkey, kNewHotkey);
    const std::vector<ToolEntry> tools = ToolsOf(Probe::ToolTips(*frame).Handle());
    const ToolEntry* shutter =
        Find(tools, reinterpret_cast<UINT_PTR>(::GetDlgItem(frame->m_hWnd, IDC_SHUTTER)));
    ASSERT_NE(shutter, nullptr);
    EXPECT_EQ(shutter->text, ShutterToolText(kNewHotkey).str());
}

TEST(ShutterToolTextTest, NamesTheHotkeyAsTheOptionsDialogDoes) {
    EXPECT_EQ(ShutterToolText(0x2C), L"撮影 (PrintScreen)");
    EXPECT_EQ(ShutterToolText(0x0174), L"撮影 (Shift + F5)");
    EXPECT_EQ(ShutterToolText(0), L"撮影"); // no key
}

// PrintScreen as the hotkey on a system that keeps it for its own screen
// capture (see FakeHotkeySystem).
class FrameHotkeyTest : public FrameWindowTest {
protected:
    void SetUp() override {
        FrameWindowTest::SetUp();
        FakeHotkeySystem::Reset();
        settings.hotkey = 0x2C;
    }
    void OpenOnFakeSystem() {
        frame = std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, FakeHotkeySystem::Make());
        ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
        ::SetForegroundWindow(frame->m_hWnd);
        PumpMessages(200);
    }
};

TEST_F(FrameHotkeyTest, PrintScreenRefusedAtStartIsTriedAgainWhenTheFrameIsInFront) {
    FakeHotkeySystem::refusals = 1;
    OpenOnFakeSystem();
    EXPECT_EQ(FakeHotkeySystem::printScreenRegistrations, 1);
    EXPECT_TRUE(FakeHotkeySystem::boxes.empty());
}

TEST_F(FrameHotkeyTest, TheSystemSettingIsOfferedOnceAndYesFreesTheKey) {
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    FakeHotkeySystem::answer = IDYES;
    OpenOnFakeSystem();
    ASSERT_EQ(FakeHotkeySystem::boxes.size(), 1u);
    EXPECT_TRUE(FakeHotkeySystem::Shown(IDS_PRINTSCREEN_TAKEN_BY_SYSTEM));
    EXPECT_EQ(FakeHotkeySystem::boxes[0].type,
              static_cast<UINT>(MB_ICONINFORMATION | MB_YESNO | MB_DEFBUTTON1));
    EXPECT_EQ(FakeHotkeySystem::writes, std::vector<DWORD>{0});
    EXPECT_EQ(FakeHotkeySystem::printScreenRegistrations, 1);
}

TEST_F(FrameHotkeyTest, NoIsRememberedAndASettingThatIsOffGivesTheOldMessage) {
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    OpenOnFakeSystem();
    EXPECT_EQ(FakeHotkeySystem::boxes.size(), 1u);
    EXPECT_TRUE(FakeHotkeySystem::Shown(IDS_PRINTSCREEN_TAKEN_BY_SYSTEM));
    EXPECT_TRUE(FakeHotkeySystem::writes.empty());
    EXPECT_EQ(ReadTestDword(L"printScreenOfferDeclined"), 1u);
    CloseFrame();

    FakeHotkeySystem::boxes.clear();
    OpenOnFakeSystem();
    EXPECT_TRUE(FakeHotkeySystem::boxes.empty()) << "asked again after No";
    CloseFrame();

    // Another program holds the key while the system setting is off.
    FakeHotkeySystem::setting = 0;
    OpenOnFakeSystem();
    ASSERT_EQ(FakeHotkeySystem::boxes.size(), 1u);
    EXPECT_TRUE(FakeHotkeySystem::Shown(IDS_HOTKEY_START_FAILED));
}

// The hook takes PrintScreen ahead of whoever registered it: nothing to ask.
TEST_F(FrameHotkeyTest, WithTheHookInPlaceARefusedRegistrationAsksNothing) {
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    FakeHotkeySystem::hookRefused = false;
    OpenOnFakeSystem();
    EXPECT_EQ(FakeHotkeySystem::hookStarts, 1);
    EXPECT_TRUE(FakeHotkeySystem::boxes.empty());
    EXPECT_TRUE(FakeHotkeySystem::writes.empty()) << "the Windows setting was changed";
}

// Windows 11 keeps PrintScreen for itself when the setting was never written.
TEST_F(FrameHotkeyTest, AnAbsentSettingCountsAsOnFromTheFirstWindows11Build) {
    const struct {
        DWORD build;
        UINT shown;
    } cases[] = {{22000, IDS_PRINTSCREEN_TAKEN_BY_SYSTEM},
                 {26100, IDS_PRINTSCREEN_TAKEN_BY_SYSTEM},
                 {21999, IDS_HOTKEY_START_FAILED}};
    for (const auto& c : cases) {
        FakeHotkeySystem::Reset();
        FakeHotkeySystem::systemHoldsPrintScreen = true;
        FakeHotkeySystem::settingPresent = false;
        FakeHotkeySystem::build = c.build;
        OpenOnFakeSystem();
        EXPECT_EQ(FakeHotkeySystem::boxes.size(), 1u) << c.build;
        EXPECT_TRUE(FakeHotkeySystem::Shown(c.shown)) << c.build;
        CloseFrame();
        DeleteTestKey();
    }
}

} // namespace
