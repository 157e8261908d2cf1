// The bitmap button as a real child window: pressed with the mouse messages
// the system sends, drawn through the parent's WM_DRAWITEM or its own
// WM_PAINT.
#include "controls/CTransparentBitmapButton.h"

#include "controls/BitmapButtonRules.h"
#include "res/resource.h"
#include "tests/controls/ControlTestHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using controls_test::ControlTestHost;

constexpr UINT kButtonId = 1009;

int ClicksFrom(const ControlTestHost& host, HWND button) {
    int count = 0;
    for (const auto& c : host.commands)
        count += c.id == kButtonId && c.code == BN_CLICKED && c.control == button;
    return count;
}

TEST(TransparentBitmapButtonWindow, HeldOneSecondRepeatsThirteenTimesPlusTheRelease) {
    ControlTestHost host;
    ASSERT_TRUE(host.Create(200, 120));
    CTransparentBitmapButton button(IDB_MOVE_LEFT, 2, true);
    HWND hwnd = host.Child(L"BUTTON", BS_PUSHBUTTON | BS_FLAT, 10, 10, 30, 26, kButtonId);
    ASSERT_TRUE(button.SubclassWindow(hwnd));
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    host.Pump(20);

    const DWORD start = ::GetTickCount();
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    host.Pump(200);
    EXPECT_EQ(ClicksFrom(host, hwnd), 0) << "nothing before 240 ms";
    host.Pump(1000 - (::GetTickCount() - start));
    const int repeated = ClicksFrom(host, hwnd);
    // 240 ms, then every 60 ms: 240, 300, ..., 960. A loaded machine may
    // deliver the last tick late.
    EXPECT_GE(repeated, 12);
    EXPECT_LE(repeated, 13);

    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    host.Pump(300);
    EXPECT_EQ(ClicksFrom(host, hwnd), repeated + 1) << "the release clicks once, and repeating stops";
    button.DestroyWindow();
}

TEST(TransparentBitmapButtonWindow, RadioTypesPaintThemselvesAndNeverRepeat) {
    ControlTestHost host;
    ASSERT_TRUE(host.Create(200, 120));
    CTransparentBitmapButton button(IDB_TYPE_PNG, 1, true);
    HWND hwnd = host.Child(L"BUTTON", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 10, 10, 60, 40, kButtonId);
    ASSERT_TRUE(button.SubclassWindow(hwnd));
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON);

    const uint32_t face = ::GetSysColor(COLOR_BTNFACE);
    const uint32_t base = controls::BitmapButtonRules::BaseColor(face, ::GetSysColor(COLOR_HIGHLIGHT), true);
    const auto topRowColour = [&] {
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        WindowDC dc(hwnd);
        return ::GetPixel(dc.get(), 30, 3); // inside the 2-pixel edge, first rows of the gradient
    };
    ::SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    const COLORREF checked = topRowColour();
    ::SendMessageW(hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    const COLORREF unchecked = topRowColour();
    // Near the top the gradient is within a few steps of base + 20.
    const auto closeToTop = [](COLORREF c, uint32_t expected) {
        const uint32_t top = controls::BitmapButtonRules::GradientTop(expected);
        return std::abs(GetRValue(c) - GetRValue(top)) <= 3 && std::abs(GetGValue(c) - GetGValue(top)) <= 3 &&
               std::abs(GetBValue(c) - GetBValue(top)) <= 3;
    };
    EXPECT_TRUE(closeToTop(checked, base)) << std::hex << checked;
    EXPECT_TRUE(closeToTop(unchecked, face)) << std::hex << unchecked;

    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    host.Pump(500);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    host.Pump(50);
    EXPECT_EQ(ClicksFrom(host, hwnd), 1);
    button.DestroyWindow();
}

} // namespace
