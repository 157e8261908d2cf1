// The rows for window messages: what each family of crackers hands its
// handler and what it answers. The handlers are reached through the class's
// table, as the window procedure reaches them, on an object with no window.
#include "framework/CWnd.h"

#include <gtest/gtest.h>

namespace {

class Probe : public CWnd {
public:
    bool called = false;
    POINT point{};
    UINT a = 0, b = 0, c = 0;
    int cx = 0, cy = 0;
    HWND window = nullptr;
    RECT rect{};
    int hitAnswer = HTCLIENT;
    HBRUSH brushAnswer = nullptr;

    int OnNcHitTest(POINT screen) {
        point = screen;
        return hitAnswer;
    }
    void OnLButtonDown(UINT flags, POINT client) {
        a = flags;
        point = client;
    }
    void OnSize(UINT type, int width, int height) {
        a = type;
        cx = width;
        cy = height;
    }
    void OnDpiChanged(UINT dpi, const RECT& suggested) {
        called = true;
        a = dpi;
        rect = suggested;
    }
    void OnActivate(UINT state, HWND other, BOOL minimized) {
        a = state;
        window = other;
        b = static_cast<UINT>(minimized);
    }
    BOOL OnSetCursor(HWND under, UINT hitTest, UINT mouseMessage) {
        window = under;
        a = hitTest;
        b = mouseMessage;
        return TRUE;
    }
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) {
        a = vk;
        b = repeat;
        c = flags;
    }
    HBRUSH OnCtlColorEdit(HDC dc, HWND control) {
        called = true;
        a = static_cast<UINT>(reinterpret_cast<UINT_PTR>(dc));
        window = control;
        return brushAnswer;
    }
    void OnTimer(UINT_PTR) {}
    // Signatures a row must refuse.
    void OnTimerWithUint(UINT) {}
    UINT OnNcHitTestUnsigned(POINT) { return 0; }
    LRESULT OnRawMessage(WPARAM, LPARAM) { return 0; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Probe, CWnd)
ON_WM_NCHITTEST(OnNcHitTest)
ON_WM_LBUTTONDOWN(OnLButtonDown)
ON_WM_SIZE(OnSize)
ON_WM_DPICHANGED(OnDpiChanged)
ON_WM_ACTIVATE(OnActivate)
ON_WM_SETCURSOR(OnSetCursor)
ON_WM_KEYDOWN(OnKeyDown)
ON_WM_CTLCOLOREDIT_REFLECT(OnCtlColorEdit)
END_MESSAGE_MAP()

template <class Cracker, class T, auto M>
concept RowTakes = requires {
    &Cracker::template Call<T, M>;
};

static_assert(RowTakes<fw_crack::Timer, Probe, &Probe::OnTimer>);
static_assert(!RowTakes<fw_crack::Timer, Probe, &Probe::OnTimerWithUint>);
static_assert(!RowTakes<fw_crack::NcHitTest, Probe, &Probe::OnNcHitTestUnsigned>);
static_assert(!RowTakes<fw_crack::Timer, Probe, &Probe::OnRawMessage>);

struct Outcome {
    LRESULT result;
    bool handled;
};

Outcome Dispatch(Probe& probe, unsigned message, WPARAM wParam, LPARAM lParam) {
    const MessageEntry* entry = FindMessageEntry(Probe::GetThisMessageMap(), message, 0, 0);
    EXPECT_NE(entry, nullptr) << message;
    bool handled = true;
    const LRESULT result = entry ? entry->thunk(&probe, wParam, lParam, handled) : 0;
    return {result, handled};
}

// A monitor left of and above the primary one has negative coordinates.
TEST(MessageCrackers, PointsAreSignedAndHitCodesKeepTheirSign) {
    Probe probe;
    probe.hitAnswer = HTTRANSPARENT;
    const Outcome hit = Dispatch(probe, WM_NCHITTEST, 0, MAKELPARAM(-1200, -30));
    EXPECT_EQ(probe.point.x, -1200);
    EXPECT_EQ(probe.point.y, -30);
    EXPECT_EQ(hit.result, static_cast<LRESULT>(HTTRANSPARENT));

    Dispatch(probe, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 32767));
    EXPECT_EQ(probe.a, static_cast<UINT>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(probe.point.x, -5);
    EXPECT_EQ(probe.point.y, 32767);
}

TEST(MessageCrackers, SizesAreUnsigned) {
    Probe probe;
    Dispatch(probe, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(40000, 1080));
    EXPECT_EQ(probe.a, static_cast<UINT>(SIZE_MAXIMIZED));
    EXPECT_EQ(probe.cx, 40000);
    EXPECT_EQ(probe.cy, 1080);
}

TEST(MessageCrackers, WordHalvesReachTheirArguments) {
    Probe probe;
    HWND other = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    Dispatch(probe, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(probe.a, static_cast<UINT>(WA_CLICKACTIVE));
    EXPECT_EQ(probe.b, 1u);
    EXPECT_EQ(probe.window, other);

    const Outcome cursor = Dispatch(probe, WM_SETCURSOR, reinterpret_cast<WPARAM>(other),
                                    MAKELPARAM(HTBOTTOMRIGHT, WM_LBUTTONDOWN));
    EXPECT_EQ(probe.a, static_cast<UINT>(HTBOTTOMRIGHT));
    EXPECT_EQ(probe.b, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(cursor.result, TRUE);

    Dispatch(probe, WM_KEYDOWN, VK_ESCAPE, MAKELPARAM(3, 0x4001));
    EXPECT_EQ(probe.a, static_cast<UINT>(VK_ESCAPE));
    EXPECT_EQ(probe.b, 3u);
    EXPECT_EQ(probe.c, 0x4001u);
}

TEST(MessageCrackers, DpiChangeReadsTheSuggestedRectAndDeclinesWithoutOne) {
    Probe probe;
    const RECT suggested{-1900, 10, -100, 900};
    const Outcome changed =
        Dispatch(probe, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(changed.handled);
    EXPECT_EQ(probe.a, 144u);
    EXPECT_EQ(probe.rect.left, -1900);
    EXPECT_EQ(probe.rect.bottom, 900);

    probe.called = false;
    const Outcome declined = Dispatch(probe, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
    EXPECT_FALSE(declined.handled);
    EXPECT_FALSE(probe.called);
}

TEST(MessageCrackers, ReflectedColoursDeclineWithoutABrush) {
    Probe probe;
    HDC dc = reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x5678));
    HWND control = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x9ABC));
    const unsigned reflected = kReflectBase + WM_CTLCOLOREDIT;
    const Outcome none =
        Dispatch(probe, reflected, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    EXPECT_TRUE(probe.called);
    EXPECT_FALSE(none.handled);
    EXPECT_EQ(probe.a, 0x5678u);
    EXPECT_EQ(probe.window, control);

    probe.brushAnswer = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    const Outcome given =
        Dispatch(probe, reflected, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    EXPECT_TRUE(given.handled);
    EXPECT_EQ(given.result, reinterpret_cast<LRESULT>(probe.brushAnswer));
}

} // namespace
