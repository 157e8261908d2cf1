#include "controls/CRGBStatic.h"

#include "res/resource.h"
#include "tests/controls/ControlTestHost.h"

#include <gtest/gtest.h>

namespace {

using controls_test::ControlTestHost;
using controls_test::ModalDriver;

constexpr UINT kSwatchId = 1033;
constexpr COLORREF kDefault = 0x00FF6464;
constexpr COLORREF kUntouched = RGB(1, 2, 3);

class RGBStaticTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(300, 200));
        hwnd = host.Child(L"STATIC", SS_BLACKFRAME, 20, 20, 60, 30, kSwatchId, WS_EX_STATICEDGE);
        ASSERT_NE(hwnd, nullptr);
        ASSERT_TRUE(swatch.SubclassWindow(hwnd));
        for (int i = 0; i < 16; ++i)
            CRGBStatic::CustomColors()[i] = kUntouched;
    }
    void TearDown() override { swatch.DestroyWindow(); }

    // Runs the click with the colour dialog closed by command (IDOK or
    // IDCANCEL), after an optional change of its colour fields.
    bool ClickAndClose(UINT command, const wchar_t* red = nullptr) {
        bool seen = false;
        ModalDriver driver([&] {
            HWND dialog = test_support::FindThreadWindow(L"#32770");
            if (!dialog)
                return false;
            seen = true;
            owner = ::GetWindow(dialog, GW_OWNER);
            ownerEnabled = ::IsWindowEnabled(host.m_hWnd);
            if (red)
                ::SetDlgItemTextW(dialog, 706, red); // the dialog's red field
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(command))));
            return true;
        });
        ::SendMessageW(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kSwatchId, STN_CLICKED),
                       reinterpret_cast<LPARAM>(hwnd));
        return seen;
    }

    ControlTestHost host;
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    CRGBStatic swatch{IDCUR_COLOR_SWATCH, kDefault};
    HWND hwnd = nullptr;
};

TEST_F(RGBStaticTest, AttachingAsksForClicksAndLoadsTheCursor) {
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_NOTIFY);
    EXPECT_TRUE(::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    HCURSOR shown = ::GetCursor();
    EXPECT_NE(shown, nullptr);
    EXPECT_NE(shown, ::LoadCursorW(nullptr, IDC_ARROW));

    // Without a cursor resource the default handling decides.
    CRGBStatic plain;
    HWND other = host.Child(L"STATIC", SS_BLACKFRAME, 100, 20, 40, 30, kSwatchId + 1);
    ASSERT_TRUE(plain.SubclassWindow(other));
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ::SendMessageW(other, WM_SETCURSOR, reinterpret_cast<WPARAM>(other), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), shown);
    plain.DestroyWindow();
}

TEST_F(RGBStaticTest, PaintsTheColourInsideItsFrame) {
    swatch.m_crColor = RGB(10, 200, 30);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    WindowDC dc(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(::GetPixel(dc.get(), client.right / 2, client.bottom / 2), RGB(10, 200, 30));
    // The frame is drawn over the fill, on the edge.
    EXPECT_NE(::GetPixel(dc.get(), 0, client.bottom / 2), RGB(10, 200, 30));
    EXPECT_NE(::GetPixel(dc.get(), client.right / 2, 0), RGB(10, 200, 30));
}

TEST_F(RGBStaticTest, CancelLeavesTheColourAndOffersTheDefaultFirst) {
    swatch.m_crColor = kDefault;
    ASSERT_TRUE(ClickAndClose(IDCANCEL));
    EXPECT_EQ(swatch.m_crColor, kDefault);
    EXPECT_EQ(CRGBStatic::CustomColors()[0], kDefault);
    EXPECT_EQ(CRGBStatic::CustomColors()[1], kUntouched); // one pre-set colour only
    EXPECT_EQ(CRGBStatic::CustomColors()[2], kUntouched);

    swatch.m_crColor = RGB(0, 128, 0);
    ASSERT_TRUE(ClickAndClose(IDCANCEL));
    EXPECT_EQ(swatch.m_crColor, RGB(0, 128, 0));
    EXPECT_EQ(CRGBStatic::CustomColors()[0], kDefault);
    EXPECT_EQ(CRGBStatic::CustomColors()[1], RGB(0, 128, 0));
}

TEST_F(RGBStaticTest, OkTakesTheChosenColour) {
    swatch.m_crColor = RGB(0, 128, 0);
    ::SetForegroundWindow(host.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), host.m_hWnd);
    ASSERT_TRUE(ClickAndClose(IDOK));
    // The dialog belongs to the active window, which cannot be used meanwhile.
    EXPECT_EQ(owner, host.m_hWnd);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(host.m_hWnd));
    EXPECT_EQ(swatch.m_crColor, RGB(0, 128, 0));
    ASSERT_TRUE(ClickAndClose(IDOK, L"200"));
    EXPECT_EQ(swatch.m_crColor, RGB(200, 128, 0));
}

} // namespace
