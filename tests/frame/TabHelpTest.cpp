// What the tab tells a user who does not know it yet: the accessible names a
// screen reader hears for the tab's picture controls and the controller's
// buttons, read the way a reader reads them (AccessibleObjectFromWindow, from
// the accessibility library of the system folder; the program itself does
// not import it), and the grip's tooltip under a hovering mouse.
#include "framework/ComPtr.h"
#include "framework/SystemLibrary.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/support/InputRecords.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <utility>

namespace {

using namespace frame_test;

std::wstring LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text.GetString();
}

// The name a screen reader reads for window, or "(none)".
std::wstring AccessibleName(HWND window) {
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const auto fromWindow = SystemFunction<FromWindow>(L"oleacc.dll", "AccessibleObjectFromWindow");
    com_ptr<IAccessible> object;
    if (!fromWindow || FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         object.put_void())))
        return L"(none)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (FAILED(object->get_accName(self, &name)) || !name)
        return L"(none)";
    std::wstring text(name, ::SysStringLen(name));
    ::SysFreeString(name);
    return text;
}

class TabHelpTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        Place(200, 150, 320, 240);
        CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app));
    }
    HWND Control(int id) const { return ::GetDlgItem(frame->m_hWnd, id); }
    // The frame as the system moves it onto a monitor of another DPI.
    void MoveToDpi(UINT dpi) {
        RECT suggested{0, 0, 10, 10};
        ::SendMessageW(frame->m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        test_support::PumpMessages(50);
    }

    ComApartment com{ComApartment::Ole};
};

TEST_F(TabHelpTest, TheTabsPicturesAreNamedByTheirTooltips) {
    const struct {
        int id;
        std::wstring name;
    } cases[] = {
        {IDC_SHUTTER, ShutterToolText(test_profile::kTestHotkey).GetString()},
        {IDC_CLOSE_ICON, LoadText(IDS_TIP_CLOSE)},
        {IDC_MINIMIZE_ICON, LoadText(IDS_TIP_MINIMIZE)},
        {IDC_SETTINGS_ICON, LoadText(IDS_TIP_OPTIONS)},
        {IDC_GRIP_ICON, LoadText(IDS_TIP_GRIP)},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.name.empty());
        EXPECT_EQ(AccessibleName(Control(c.id)), c.name) << "control " << c.id;
    }
}

TEST_F(TabHelpTest, TheControllersTwelveButtonsSayWhatTheyDo) {
    ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
    test_support::PumpMessages(50);
    HWND controller = Probe::Controller(*frame).m_hWnd;
    ASSERT_TRUE(controller);
    for (int id = IDC_MOVE_LEFT; id <= IDC_BOTTOM_EDGE_OUT; ++id) {
        const std::wstring name = LoadText(IDS_NAME_MOVE_LEFT + static_cast<UINT>(id - IDC_MOVE_LEFT));
        ASSERT_FALSE(name.empty());
        EXPECT_EQ(AccessibleName(::GetDlgItem(controller, id)), name) << "button " << id;
    }
    Probe::Controller(*frame).DestroyWindow();
}

// The shutter button shows a camera, drawn for the tab's scale, its
// background letting the button's face through.
TEST_F(TabHelpTest, TheShutterShowsACameraDrawnForEachScale) {
    HWND shutter = Control(IDC_SHUTTER);
    for (const auto& [dpi, size] : {std::pair{96u, 16}, std::pair{144u, 24}, std::pair{192u, 32}}) {
        SCOPED_TRACE(dpi);
        if (dpi != USER_DEFAULT_SCREEN_DPI)
            MoveToDpi(dpi);
        BUTTON_IMAGELIST list{};
        ASSERT_TRUE(::SendMessageW(shutter, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)));
        ASSERT_TRUE(list.himl);
        int cx = 0, cy = 0;
        ASSERT_TRUE(::ImageList_GetIconSize(list.himl, &cx, &cy));
        EXPECT_EQ(cx, size);
        EXPECT_EQ(cy, size);
        // Drawn over magenta: the corner stays magenta, the middle is the camera.
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        unique_memory_dc dc(::CreateCompatibleDC(nullptr));
        unique_bitmap canvas(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(dc && canvas && bits);
        SelectRestore select(dc.get(), canvas.get());
        RECT all{0, 0, size, size};
        unique_brush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
        ::FillRect(dc.get(), &all, magenta.get());
        ASSERT_TRUE(::ImageList_Draw(list.himl, 0, dc.get(), 0, 0, ILD_TRANSPARENT));
        ::GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        const auto at = [&](int x, int y) { return pixels[y * size + x] & 0xFFFFFF; };
        EXPECT_EQ(at(0, 0), 0xFF00FFu);
        int drawn = 0;
        for (int i = 0; i < size * size; ++i)
            drawn += (pixels[i] & 0xFFFFFF) != 0xFF00FFu;
        EXPECT_GT(drawn, size * size / 2);
    }
}

// The tool the tooltip shows once the mouse has rested on the grip, at the
// system scale and at 150 %.
TEST_F(TabHelpTest, TheGripsTooltipShowsWhenTheMouseRestsOnIt) {
    HWND tooltip = Probe::ToolTips(*frame).Handle();
    ASSERT_TRUE(tooltip);
    for (UINT dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        if (dpi != USER_DEFAULT_SCREEN_DPI)
            MoveToDpi(dpi);
        INPUT away = test_support::MouseInput(POINT{2, 2}, 0);
        ::SendInput(1, &away, sizeof(INPUT));
        ::SendMessageW(tooltip, TTM_POP, 0, 0);
        test_support::PumpMessages(100);
        RECT grip{};
        ::GetWindowRect(Control(IDC_GRIP_ICON), &grip);
        INPUT over =
            test_support::MouseInput(POINT{(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2}, 0);
        ::SendInput(1, &over, sizeof(INPUT));
        for (int i = 0; i < 60 && !::IsWindowVisible(tooltip); ++i)
            test_support::PumpMessages(50);
        ASSERT_TRUE(::IsWindowVisible(tooltip));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        ASSERT_TRUE(::SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(Control(IDC_GRIP_ICON)));
    }
    INPUT away = test_support::MouseInput(POINT{2, 2}, 0);
    ::SendInput(1, &away, sizeof(INPUT));
}

} // namespace
