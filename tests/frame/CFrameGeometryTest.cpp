// The frame's Windows objects: bitmaps, font, region and the painting into a
// memory device context, read back pixel by pixel.
#include "frame/CFrameGeometry.h"
#include "geometry/ScreenLayoutQuery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr COLORREF kSentinel = RGB(255, 0, 255);

// A top-down 32-bit DIB selected into a memory DC, first filled with kSentinel.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<uint32_t*>(bits);
        m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = 0xFF00FF; // kSentinel as BGRX
    }
    ~Canvas() { ::SelectObject(m_dc.get(), m_old); }

    HDC dc() const { return m_dc.get(); }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const uint32_t p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of the colour inside r.
    int Count(const RECT& r, COLORREF color) const {
        int n = 0;
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, m_height); ++y)
            for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, m_width); ++x)
                n += At(x, y) == color;
        return n;
    }

private:
    int m_width;
    int m_height;
    unique_memory_dc m_dc;
    unique_bitmap m_bitmap;
    uint32_t* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

struct Frame {
    CFrameGeometry geometry;
    RECT window{};

    Frame(COLORREF color, int frameWidth = 4, int tabScaling = 100, int holeWidth = 400,
          int holeHeight = 300) {
        geometry.SetScale(color, frameWidth, tabScaling, 1.0);
        window = geometry.WindowSizeForInner(holeWidth, holeHeight);
        geometry.ComputeLayout(window.right, window.bottom);
        geometry.BuildRegion();
    }
};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof bm, &bm))
        return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

TEST(CFrameGeometryResources, IconBitmapsFollowTheScale) {
    CFrameGeometry g;
    const struct {
        int percent;
        LONG pixels;
    } cases[] = {{80, 10},  {100, 10}, {150, 15}, {200, 20}, {250, 25},
                 {300, 30}, {350, 10}, {400, 40}, {800, 40}};
    for (const auto& c : cases) {
        g.SetScale(0, 4, c.percent, 1.0);
        EXPECT_EQ(BitmapSize(g.GetCloseBitmap()).cx, c.pixels) << c.percent;
        EXPECT_EQ(BitmapSize(g.GetCloseBitmap()).cy, c.pixels) << c.percent;
        EXPECT_EQ(BitmapSize(g.GetSettingsBitmap()).cx, c.pixels) << c.percent;
        EXPECT_NE(g.GetCloseBitmap(), g.GetSettingsBitmap());
    }
}

TEST(CFrameGeometryResources, ArialOfTheScaledHeight) {
    CFrameGeometry g;
    for (int percent : {80, 100, 150, 800}) {
        g.SetScale(0, 4, percent, 1.0);
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(g.Font(), sizeof lf, &lf));
        EXPECT_EQ(lf.lfHeight, -10 * percent / 100);
        EXPECT_STREQ(lf.lfFaceName, L"Arial");
        EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
        EXPECT_EQ(lf.lfWeight, 0);
    }
}

TEST(CFrameGeometrySystem, UsesTheLiveSystemMetrics) {
    const int side = ::GetSystemMetrics(SM_CXDLGFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER) + 4;
    const int top = ::GetSystemMetrics(SM_CYDLGFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER) + 4;
    Frame f(RGB(0, 0, 0));
    EXPECT_EQ(f.window.right, 400 + 2 * side);
    EXPECT_EQ(f.window.bottom, 300 + 20 + 2 * top);
    EXPECT_EQ(f.geometry.InnerRect().left, side);
    EXPECT_EQ(f.geometry.InnerRect().top, top);
    const RECT fitted = f.geometry.WindowRectForInnerRect({100, 50, 300, 150});
    EXPECT_EQ(fitted.left, 100 - side);
    EXPECT_EQ(fitted.bottom, 150 + top + 20);
    EXPECT_EQ(f.geometry.HitTest({f.geometry.OuterRect().left, f.geometry.OuterRect().top}), HTTOPLEFT);
}

TEST(CFrameGeometryRegion, BorderAndTabWithoutHoleOrMargin) {
    Frame f(RGB(0, 128, 255));
    const RECT o = f.geometry.OuterRect();
    const RECT in = f.geometry.InnerRect();
    unique_region copy = f.geometry.CopyRegion();
    ASSERT_TRUE(copy);
    HRGN rgn = copy.get();

    // The rounded parts end one pixel before their right and bottom
    // coordinates, so the shape covers outerRect exactly.
    RECT box{};
    EXPECT_EQ(::GetRgnBox(rgn, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, o.left);
    EXPECT_EQ(box.top, o.top);
    EXPECT_EQ(box.right, o.right);
    EXPECT_EQ(box.bottom, o.bottom);

    const int midX = (in.left + in.right) / 2;
    const int midY = (in.top + in.bottom) / 2;
    // The hole, edges included.
    for (POINT p : {POINT{midX, midY}, POINT{in.left, in.top}, POINT{in.right - 1, in.bottom - 1},
                    POINT{in.right - 1, in.bottom - 3}})
        EXPECT_FALSE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    // The border on every side and the tab.
    for (POINT p : {POINT{o.left, midY}, POINT{in.left - 1, midY}, POINT{midX, o.top}, POINT{in.right, midY},
                    POINT{o.right - 1, midY}, POINT{midX, in.bottom}, POINT{o.right - 60, o.bottom - 1},
                    POINT{o.right - 10, o.bottom - 1}, POINT{o.right - 119, o.bottom - 10}})
        EXPECT_TRUE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    // The margin, the rounded corners and the space left of the tab.
    for (POINT p : {POINT{o.left - 1, midY}, POINT{midX, o.top - 1}, POINT{o.right, midY},
                    POINT{o.right - 60, o.bottom}, POINT{o.left, o.top}, POINT{o.right - 1, o.bottom - 1},
                    POINT{o.left + 10, o.bottom - 1}, POINT{o.right - 121, o.bottom - 10}})
        EXPECT_FALSE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;

    // The copy is the caller's: the geometry keeps its own.
    copy.reset();
    EXPECT_TRUE(::PtInRegion(f.geometry.Region(), o.left, midY));
}

TEST(CFrameGeometryRegion, RebuiltForANewSize) {
    Frame f(RGB(0, 0, 0));
    const RECT before = f.geometry.InnerRect();
    const int midY = (before.top + before.bottom) / 2;
    ASSERT_TRUE(::PtInRegion(f.geometry.Region(), before.right + 1, midY));
    ASSERT_EQ(f.geometry.ComputeLayout(f.window.right + 100, f.window.bottom + 50), 1);
    f.geometry.BuildRegion();
    // The old right border lies in the wider hole now.
    EXPECT_FALSE(::PtInRegion(f.geometry.Region(), before.right + 1, midY));
    EXPECT_TRUE(::PtInRegion(f.geometry.Region(), f.geometry.InnerRect().right, midY));
}

TEST(CFrameGeometryPaint, FillOutlineAndLabels) {
    Frame f(RGB(0, 0, 0));
    Canvas canvas(f.window.right + 2, f.window.bottom + 2);
    f.geometry.SetStatus(2048);
    f.geometry.Paint(canvas.dc());
    const RECT o = f.geometry.OuterRect();
    const RECT in = f.geometry.InnerRect();
    const int midY = (in.top + in.bottom) / 2;

    // Outline on the outer edge and on the hole's edge, fill between.
    EXPECT_EQ(canvas.At(o.left, midY), RGB(40, 40, 40));
    EXPECT_EQ(canvas.At(o.left + 1, midY), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(o.left + 2, midY), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(in.left - 1, midY), RGB(40, 40, 40));
    EXPECT_EQ(canvas.At(o.right - 1, midY), RGB(40, 40, 40));
    EXPECT_EQ(canvas.At(o.right - 2, midY), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(in.right, midY), RGB(40, 40, 40));
    // The margin is never painted.
    EXPECT_EQ(canvas.At(o.left - 1, midY), kSentinel);
    EXPECT_EQ(canvas.At(o.right, midY), kSentinel);
    EXPECT_EQ(canvas.At((o.left + o.right) / 2, o.top - 1), kSentinel);

    // Size label in white on a black frame, left part of the tab's lower line.
    const RECT sizeArea{o.right - 120 + 3, o.bottom - 12, o.right - 60, o.bottom};
    EXPECT_GT(canvas.Count(sizeArea, RGB(255, 255, 255)), 5);
    // Status label in its green tone, upper line from 91 pixels left of the edge.
    const RECT statusArea{o.right - 91, in.bottom, o.right - 50, in.bottom + 12};
    EXPECT_GT(canvas.Count(statusArea, RGB(0, 240, 0)), 5);
    EXPECT_EQ(::GetTextColor(canvas.dc()), RGB(0, 0, 0));
}

TEST(CFrameGeometryPaint, LightFrameHasBlackLabelAndNoStatusWhenCleared) {
    Frame f(RGB(255, 255, 255));
    Canvas canvas(f.window.right + 2, f.window.bottom + 2);
    f.geometry.SetStatus(2048);
    f.geometry.ClearStatus();
    f.geometry.Paint(canvas.dc());
    const RECT o = f.geometry.OuterRect();
    const RECT in = f.geometry.InnerRect();

    EXPECT_EQ(canvas.At(o.left, (in.top + in.bottom) / 2), RGB(167, 167, 167));
    EXPECT_EQ(canvas.At(o.left + 1, (in.top + in.bottom) / 2), RGB(255, 255, 255));
    const RECT sizeArea{o.right - 120 + 3, o.bottom - 12, o.right - 60, o.bottom};
    EXPECT_GT(canvas.Count(sizeArea, RGB(0, 0, 0)), 5);
    // Nothing but fill where the status label would be.
    const RECT statusArea{o.right - 91, in.bottom + 1, o.right - 50, in.bottom + 11};
    const int area = (statusArea.right - statusArea.left) * (statusArea.bottom - statusArea.top);
    EXPECT_EQ(canvas.Count(statusArea, RGB(255, 255, 255)), area);
}

TEST(ScreenLayoutQuery, MatchesTheSystem) {
    const geometry::ScreenLayout s = geometry::QueryScreenLayout();
    ASSERT_FALSE(s.monitors.empty());
    EXPECT_TRUE(s.monitorInfoAvailable);
    EXPECT_EQ(s.virtualScreen.Width(), ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(s.primaryWidth, ::GetSystemMetrics(SM_CXSCREEN));
    const geometry::Placement placement(s);
    const POINT origin{0, 0};
    HMONITOR primary = ::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetMonitorInfoW(primary, &info));
    const int found = placement.MonitorFromRect({0, 0, 10, 10});
    ASSERT_GE(found, 0);
    EXPECT_EQ(s.monitors[found].monitor, geometry::FromRECT(info.rcMonitor));
    EXPECT_EQ(s.monitors[found].work, geometry::FromRECT(info.rcWork));
}

} // namespace
