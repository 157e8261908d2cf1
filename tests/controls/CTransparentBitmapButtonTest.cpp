#include "controls/CTransparentBitmapButton.h"

#include "res/resource.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// A button window of the given style and size, attached to the class under
// test, and a 32-bit canvas it draws into.
struct Rendered {
    std::unique_ptr<CTransparentBitmapButton> button;
    HWND hwnd = nullptr;
    int width = 0;
    int height = 0;
    unique_memory_dc dc;
    unique_bitmap dib;
    uint32_t* bits = nullptr;

    Rendered(UINT bitmapId, int drawStyle, DWORD style, int w, int h) : width(w), height(h) {
        button = std::make_unique<CTransparentBitmapButton>(bitmapId, drawStyle, false);
        hwnd = ::CreateWindowExW(0, L"BUTTON", L"", WS_POPUP | style, 0, 0, w, h, nullptr, nullptr, nullptr,
                                 nullptr);
        button->SubclassWindow(hwnd);
        dc.reset(::CreateCompatibleDC(nullptr));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* raw = nullptr;
        dib.reset(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &raw, nullptr, 0));
        bits = static_cast<uint32_t*>(raw);
    }
    ~Rendered() {
        button->UnsubclassWindow();
        ::DestroyWindow(hwnd);
    }

    void Draw(UINT state) {
        SelectRestore select(dc.get(), dib.get());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = hwnd;
        item.hDC = dc.get();
        item.rcItem = {0, 0, width, height};
        item.itemState = state;
        button->DrawItem(&item);
        ::GdiFlush();
    }

    COLORREF Pixel(int x, int y) const {
        const uint32_t p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // Bounding box of the pixels that differ from the gradient of their row
    // (read at column 1, inside any border).
    RECT BitmapBox() const {
        RECT box{width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (Pixel(x, y) != Pixel(width / 2 < 2 ? 0 : 2, y) && x > 2 && x < width - 3 && y > 2 &&
                    y < height - 3) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
};

SIZE BitmapSize(UINT id) {
    unique_bitmap bitmap(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    BITMAP info{};
    if (bitmap)
        ::GetObjectW(bitmap.get(), sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF Shift(COLORREF c, int delta) {
    const auto ch = [delta](int v) { return static_cast<BYTE>(std::clamp(v + delta, 0, 255)); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

TEST(TransparentBitmapButtonDraw, GradientEndsAndBitmapInsideItsPlace) {
    const SIZE size = BitmapSize(IDB_MOVE_LEFT);
    ASSERT_GT(size.cx, 0);
    const int w = size.cx + 10;
    const int h = size.cy + 6;
    Rendered r(IDB_MOVE_LEFT, 0, BS_PUSHBUTTON, w, h);
    EXPECT_TRUE(r.button->GetStyle() & BS_OWNERDRAW);
    r.Draw(0);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    EXPECT_TRUE(Near(r.Pixel(0, 0), Shift(face, 20), 1));
    EXPECT_TRUE(Near(r.Pixel(0, h - 1), Shift(face, -20), 3));

    // Scale 1: the bitmap starts at ((w - (bw + 4)) / 2 + 2, (h - (bh + 4)) / 2 + 2).
    const RECT box = r.BitmapBox();
    ASSERT_LT(box.left, box.right) << "nothing of the bitmap was drawn";
    const int x = (w - (size.cx + 4)) / 2 + 2;
    const int y = (h - (size.cy + 4)) / 2 + 2;
    EXPECT_GE(box.left, x);
    EXPECT_GE(box.top, y);
    EXPECT_LE(box.right, x + size.cx);
    EXPECT_LE(box.bottom, y + size.cy);

    // Pressed: the bitmap moves one scale step up and left.
    r.Draw(ODS_SELECTED);
    const RECT pressed = r.BitmapBox();
    EXPECT_EQ(pressed.left, box.left - 1);
    EXPECT_EQ(pressed.top, box.top - 1);
    EXPECT_EQ(pressed.right, box.right - 1);
    EXPECT_EQ(pressed.bottom, box.bottom - 1);
}

TEST(TransparentBitmapButtonDraw, FlatButtonHasAFrameAndNeverMoves) {
    const SIZE size = BitmapSize(IDB_MOVE_LEFT);
    ASSERT_GT(size.cx, 0);
    Rendered r(IDB_MOVE_LEFT, 2, BS_PUSHBUTTON | BS_FLAT, size.cx * 2 + 8, size.cy * 2 + 8);
    r.Draw(0);
    const COLORREF frame = ::GetSysColor(COLOR_ACTIVEBORDER) & 0xFFFFFF;
    EXPECT_EQ(r.Pixel(0, 0), frame);
    EXPECT_EQ(r.Pixel(r.width - 1, r.height / 2), frame);
    const RECT box = r.BitmapBox();
    // Scale 2 draws the bitmap twice as large as scale 1 does.
    Rendered single(IDB_MOVE_LEFT, 2, BS_PUSHBUTTON | BS_FLAT, size.cx + 10, size.cy + 6);
    single.Draw(0);
    const RECT small = single.BitmapBox();
    EXPECT_EQ(box.right - box.left, 2 * (small.right - small.left));
    EXPECT_EQ(box.bottom - box.top, 2 * (small.bottom - small.top));
    r.Draw(ODS_SELECTED);
    const RECT pressed = r.BitmapBox();
    EXPECT_EQ(pressed.left, box.left);
    EXPECT_EQ(pressed.top, box.top);
}

TEST(TransparentBitmapButtonDraw, MissingBitmapStillDrawsTheGradient) {
    Rendered r(1, 1, BS_PUSHBUTTON, 30, 26);
    r.Draw(ODS_FOCUS);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    // The middle row lies between the two gradient ends.
    const COLORREF middle = r.Pixel(15, 13);
    const COLORREF top = Shift(face, 20);
    const COLORREF bottom = Shift(face, -20);
    EXPECT_LE(GetGValue(middle), GetGValue(top));
    EXPECT_GE(GetGValue(middle), GetGValue(bottom));
    EXPECT_TRUE(Near(r.Pixel(15, 5), r.Pixel(16, 5), 0)) << "no bitmap drawn across the row";
}

int g_clicks = 0;
HWND g_clickSource = nullptr;

LRESULT CALLBACK CountingParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        ++g_clicks;
        g_clickSource = reinterpret_cast<HWND>(lParam);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

using test_support::PumpMessages;

TEST(TransparentBitmapButtonRepeat, HeldButtonRepeatsUntilItIsDrawnReleased) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TransparentBitmapButtonTestParent";
    ::RegisterClassW(&wc);
    HWND parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    {
        CTransparentBitmapButton button(IDB_MOVE_LEFT, 2, true);
        HWND hwnd = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_PUSHBUTTON | BS_FLAT, 0, 0, 30, 26,
                                      parent, reinterpret_cast<HMENU>(1234), nullptr, nullptr);
        button.SubclassWindow(hwnd);
        unique_memory_dc dc(::CreateCompatibleDC(nullptr));
        unique_bitmap canvas(::CreateCompatibleBitmap(dc.get(), 30, 26));
        SelectRestore select(dc.get(), canvas.get());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = hwnd;
        item.hDC = dc.get();
        item.rcItem = {0, 0, 30, 26};
        item.itemState = ODS_SELECTED;
        g_clicks = 0;
        button.DrawItem(&item);
        PumpMessages(150);
        EXPECT_EQ(g_clicks, 0) << "the first repeat comes after 240 ms";
        PumpMessages(450); // 600 ms held: repeats at 240, 300, ... ; timers under load may come late
        EXPECT_GE(g_clicks, 2);
        EXPECT_LE(g_clicks, 7);
        EXPECT_EQ(g_clickSource, hwnd);

        item.itemState = 0; // released
        button.DrawItem(&item);
        PumpMessages(20);
        const int afterRelease = g_clicks;
        PumpMessages(300);
        EXPECT_EQ(g_clicks, afterRelease);
        button.UnsubclassWindow();
        ::DestroyWindow(hwnd);
    }
    ::DestroyWindow(parent);
}

} // namespace
