#include "frame/FrameMetrics.h"
#include "tests/geometry/GeometryPrint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace frame {
namespace {

using geometry::Point;
using geometry::Rect;

// The metrics of a usual desktop, and a set with every value different so
// that a mix-up between them shows.
constexpr SystemMetrics kDesktop{4, 3, 3};
constexpr SystemMetrics kOdd{5, 2, 7};

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

FrameMetrics Scaled(int frameWidth, int tabScaling, double dpiScale = 1.0, const SystemMetrics& m = kDesktop,
                    uint32_t color = 0) {
    FrameMetrics g;
    g.SetScale(color, frameWidth, tabScaling, dpiScale, m);
    return g;
}

// A frame laid out for a hole of width x height.
FrameMetrics WithHole(int width, int height, int frameWidth = 4, int tabScaling = 100,
                      const SystemMetrics& m = kDesktop) {
    FrameMetrics g = Scaled(frameWidth, tabScaling, 1.0, m);
    const Rect size = g.WindowSizeForInner(width, height, m);
    g.ComputeLayout(size.Width(), size.Height(), m);
    return g;
}

TEST(FrameMetricsScale, TabScalingStepsToHalvesWithSmallSizesAt80) {
    struct Case {
        int tabScaling;
        double dpi;
        double scale;
    };
    const Case cases[] = {
        {125, 1.0, 1.0}, {126, 1.0, 1.5}, {99, 1.0, 0.8},  {100, 1.0, 1.0}, {175, 1.0, 1.5},  {176, 1.0, 2.0},
        {1, 1.0, 0.8},   {-5, 1.0, 0.8},  {799, 1.0, 8.0}, {800, 1.0, 8.0}, {2000, 1.0, 8.0}, {0, 0.9, 0.8},
        {0, 1.0, 1.0},   {0, 1.25, 1.0},  {0, 1.5, 1.5},   {0, 1.75, 1.5},  {0, 2.0, 2.0},    {0, 3.0, 3.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Scaled(4, c.tabScaling, c.dpi).Scale(), c.scale) << c.tabScaling << " at dpi " << c.dpi;

    // Every choice of the options dialog stays what it is.
    for (int percent : {80, 100, 150, 200, 250, 300, 400, 500, 600, 750, 800})
        EXPECT_EQ(Scaled(4, percent).Scale(), percent / 100.0) << percent;
}

TEST(FrameMetricsScale, FrameWidthIsAtLeastTwoAndAtMost24TimesTheScale) {
    EXPECT_EQ(Scaled(1, 100).FrameWidthPx(), 2);
    EXPECT_EQ(Scaled(48, 100).FrameWidthPx(), 24);
    EXPECT_EQ(Scaled(48, 150).FrameWidthPx(), 36);
    EXPECT_EQ(Scaled(48, 80).FrameWidthPx(), 19);
    // Automatic: four pixels per 96 dots per inch, truncated.
    EXPECT_EQ(Scaled(0, 100, 1.25).FrameWidthPx(), 5);
    EXPECT_EQ(Scaled(0, 100, 0.9).FrameWidthPx(), 3);
    EXPECT_EQ(Scaled(0, 100, 2.0).FrameWidthPx(), 8);
}

TEST(FrameMetricsScale, DefaultSizesAtScaleOne) {
    const FrameMetrics g = Scaled(4, 100);
    EXPECT_EQ(g.CornerDiameter(), 10);
    EXPECT_EQ(g.GripSize(), 17);
    EXPECT_EQ(g.TabWidth(), 120);
    EXPECT_EQ(g.TabHeight(), 20);
    EXPECT_EQ(g.TabCornerDiameter(), 5);
    EXPECT_EQ(g.FontHeight(), -10);
    EXPECT_EQ(g.MinWindowWidth(), 10 + 2 * (4 + 3 + 4));
    EXPECT_EQ(g.MinWindowHeight(), 10 + 2 * (4 + 3 + 4) + 20);

    // A narrow border gets narrower corners; a wide one stops the tab at the
    // border's bottom edge.
    EXPECT_EQ(Scaled(2, 100).CornerDiameter(), 5);
    EXPECT_EQ(Scaled(2, 100).TabCornerDiameter(), 5);
    EXPECT_EQ(Scaled(24, 100).TabHeight(), 0);
    EXPECT_EQ(Scaled(30, 150).TabHeight(), 2 + 33 - 30);
}

TEST(FrameMetricsScale, SmallTabsTruncateTheirProducts) {
    const FrameMetrics g = Scaled(4, 80);
    EXPECT_EQ(g.GripSize(), 13);   // 13.6
    EXPECT_EQ(g.TabWidth(), 96);   // 96
    EXPECT_EQ(g.TabHeight(), 15);  // 2 + 17.6 - 4
    EXPECT_EQ(g.FontHeight(), -8); // toward zero
    EXPECT_EQ(g.CornerDiameter(), 8);
    EXPECT_EQ(g.TabCornerDiameter(), 4);
}

TEST(FrameMetricsScale, MinimumSizeUsesTheVerticalFrameAndTheHorizontalPadding) {
    const FrameMetrics g = Scaled(4, 100, 1.0, kOdd);
    EXPECT_EQ(g.MinWindowWidth(), 10 + 2 * (4 + 2 + 5));
    EXPECT_EQ(g.MinWindowHeight(), 10 + 2 * (4 + 7 + 5) + 20);
}

// Every setting the options allow, at the monitor scales met in practice.
TEST(FrameMetricsScale, InvariantsOverAllSettings) {
    const double dpis[] = {1.0, 1.25, 1.5, 2.0, 0.9};
    for (double dpi : dpis) {
        for (int tabScaling = 0; tabScaling <= 800; ++tabScaling) {
            for (int frameWidth = 0; frameWidth <= 48; ++frameWidth) {
                SCOPED_TRACE(testing::Message()
                             << "dpi " << dpi << " tab " << tabScaling << " width " << frameWidth);
                FrameMetrics g = Scaled(frameWidth, tabScaling, dpi, kOdd);
                const double s = g.Scale();
                ASSERT_TRUE(s == 0.8 || (s >= 1.0 && s <= 8.0 && std::fmod(s, 0.5) == 0.0)) << s;
                ASSERT_GE(g.FrameWidthPx(), 2);
                ASSERT_LE(g.FrameWidthPx(), static_cast<int>(24 * s));
                ASSERT_GE(g.TabHeight(), 0);
                // The tab reaches 2 + 22 s below the hole unless the border is wider.
                ASSERT_EQ(g.TabHeight() + g.FrameWidthPx(),
                          std::max(g.FrameWidthPx(), 2 + static_cast<int>(22 * s)));
                ASSERT_LE(g.TabCornerDiameter(), g.CornerDiameter());

                // The minimum tracking size leaves the minimum hole.
                ASSERT_EQ(g.ComputeLayout(g.MinWindowWidth(), g.MinWindowHeight(), kOdd), 1);
                ASSERT_EQ(g.ComputeLayout(g.MinWindowWidth(), g.MinWindowHeight(), kOdd), 0);
                ASSERT_EQ(g.InnerRect().Width(), 10);
                ASSERT_EQ(g.InnerRect().Height(), 10);
                ASSERT_EQ(g.SizeLabel(), u"010 x 010");

                const Rect& o = g.OuterRect();
                const Rect& in = g.InnerRect();
                ASSERT_GT(in.left, o.left);
                ASSERT_GT(in.top, o.top);
                ASSERT_LT(in.right, o.right);
                ASSERT_LT(in.bottom, o.bottom);

                // No part of the shape reaches into the margin around the border.
                const RegionShape shape = g.RegionParts();
                for (const Rect& part : {shape.border.rect, shape.tab.rect}) {
                    ASSERT_GE(part.left, o.left);
                    ASSERT_GE(part.top, o.top);
                    ASSERT_LE(part.right, o.right + 1);
                    ASSERT_LE(part.bottom, o.bottom + 1);
                }
            }
        }
    }
}

TEST(FrameMetricsLayout, ReportsAChangeOnlyForANewSizeOrShape) {
    FrameMetrics g = Scaled(4, 100);
    EXPECT_EQ(g.ComputeLayout(422, 342, kDesktop), 1);
    EXPECT_EQ(g.ComputeLayout(422, 342, kDesktop), 0);
    EXPECT_EQ(g.ComputeLayout(423, 342, kDesktop), 1);
    EXPECT_EQ(g.ComputeLayout(423, 343, kDesktop), 1);

    // A new border width at the same window size moves the hole, so the
    // layout is redone.
    g.SetScale(0, 8, 100, 1.0, kDesktop);
    EXPECT_EQ(g.ComputeLayout(423, 343, kDesktop), 1);
    EXPECT_EQ(g.InnerRect().left, 4 + 3 + 8);
    EXPECT_EQ(g.ComputeLayout(423, 343, kOdd), 1);
    EXPECT_EQ(g.ComputeLayout(423, 343, kOdd), 0);
}

TEST(FrameMetricsLayout, RectanglesAndSizeLabel) {
    FrameMetrics g = Scaled(4, 100, 1.0, kOdd);
    ASSERT_EQ(g.ComputeLayout(500, 400, kOdd), 1);
    EXPECT_EQ(g.OuterRect(), (Rect{5 + 2, 5 + 7, 500 - 2 - 5, 400 - 7 - 5}));
    EXPECT_EQ(g.InnerRect(), (Rect{11, 16, 489, 388 - 20 - 4}));
    EXPECT_EQ(g.WindowWidth(), 500);
    EXPECT_EQ(g.SizeLabel(), u"478 x 348");

    g = WithHole(50, 10);
    EXPECT_EQ(g.SizeLabel(), u"050 x 010");
    g = WithHole(1234, 5678);
    EXPECT_EQ(g.SizeLabel(), u"1234 x 5678");
}

TEST(FrameMetricsLayout, HoleAndWindowRectanglesConvertBothWays) {
    for (int tabScaling : {80, 100, 150, 350, 800}) {
        for (int frameWidth : {1, 4, 24, 48}) {
            SCOPED_TRACE(testing::Message() << "tab " << tabScaling << " width " << frameWidth);
            FrameMetrics g = Scaled(frameWidth, tabScaling, 1.0, kOdd);
            const Rect size = g.WindowSizeForInner(321, 123, kOdd);
            EXPECT_EQ(size.left, 0);
            EXPECT_EQ(size.top, 0);
            g.ComputeLayout(size.Width(), size.Height(), kOdd);
            EXPECT_EQ(g.InnerRect().Width(), 321);
            EXPECT_EQ(g.InnerRect().Height(), 123);

            // A hole at a negative screen position: the window's hole lands on it.
            const Rect target{-700, -50, -379, 73};
            const Rect window = g.WindowRectForInnerRect(target, kOdd);
            EXPECT_EQ(window.Width(), size.Width());
            EXPECT_EQ(window.Height(), size.Height());
            Rect hole = g.InnerRect();
            hole.Offset(window.left, window.top);
            EXPECT_EQ(hole, target);
        }
    }
}

TEST(FrameMetricsLayout, DefaultTabAtScaleOne) {
    const FrameMetrics g = WithHole(400, 300);
    const Rect& o = g.OuterRect();
    const Rect& in = g.InnerRect();
    const int tabLeft = o.right - 120;
    EXPECT_EQ(o.bottom - in.bottom, 24); // 20 below the 4-pixel border

    const TabLayout t = g.ControlLayout();
    EXPECT_EQ(t.closeIcon, (Rect{tabLeft + 3, in.bottom + 1, tabLeft + 13, in.bottom + 11}));
    EXPECT_EQ(t.minimizeIcon, t.closeIcon);
    EXPECT_EQ(t.settingsIcon, (Rect{tabLeft + 15, in.bottom + 1, tabLeft + 25, in.bottom + 11}));
    EXPECT_EQ(t.shutterButton, (Rect{o.right - 50, in.bottom, o.right - 21, in.bottom + 24}));
    EXPECT_EQ(t.gripIcon, (Rect{o.right - 17, o.bottom - 17, o.right - 1, o.bottom - 1}));

    EXPECT_EQ(g.SizeLabelPosition(), (Point{tabLeft + 3, o.bottom - 12}));
    EXPECT_EQ(g.StatusLabelPosition(), (Point{o.right - 91, in.bottom}));
}

TEST(FrameMetricsLayout, TabControlsGrowWithTheScale) {
    FrameMetrics g = Scaled(0, 0, 2.5);
    g.ComputeLayout(1000, 800, kDesktop);
    const Rect& o = g.OuterRect();
    const int bottom = g.InnerRect().bottom;
    const TabLayout t = g.ControlLayout();
    EXPECT_EQ(g.TabWidth(), 300);
    EXPECT_EQ(t.closeIcon, (Rect{o.right - 300 + 7, bottom + 1, o.right - 300 + 32, bottom + 26}));
    EXPECT_EQ(t.settingsIcon.left, o.right - 300 + 12 + 25);
    EXPECT_EQ(t.shutterButton, (Rect{o.right - 1 - 40 - 82, bottom, o.right - 1 - 40 - 82 + 72, o.bottom}));
    EXPECT_EQ(t.gripIcon, (Rect{o.right - 41, o.bottom - 41, o.right - 1, o.bottom - 1}));
    EXPECT_EQ(g.SizeLabelPosition(), (Point{o.right - 297, o.bottom - 30}));
    EXPECT_EQ(g.StatusLabelPosition(), (Point{o.right - 227, bottom}));
}

TEST(FrameMetricsRegion, PartsAtScaleOne) {
    const FrameMetrics g = WithHole(400, 300);
    const Rect& o = g.OuterRect();
    const RegionShape shape = g.RegionParts();
    EXPECT_EQ(shape.border, (RoundRect{{o.left, o.top, o.right + 1, o.bottom - 19}, 10}));
    // The tab's top lies 5 pixels above the hole's bottom edge.
    EXPECT_EQ(shape.tab,
              (RoundRect{{o.right - 120, g.InnerRect().bottom - 5, o.right + 1, o.bottom + 1}, 5}));
    EXPECT_EQ(shape.hole, g.InnerRect());
}

TEST(FrameMetricsRegion, TabNoWiderThanTheBorder) {
    FrameMetrics g = Scaled(4, 100);
    g.ComputeLayout(g.MinWindowWidth(), g.MinWindowHeight(), kDesktop);
    EXPECT_EQ(g.RegionParts().tab.rect.left, g.OuterRect().left);
}

TEST(FrameMetricsRegion, TabOfAHighScaleOnATinyHoleStaysInsideTheBorder) {
    // At s = 8 the tab's corners are 40 pixels, more than a 10-pixel hole
    // and a 24-pixel border together.
    FrameMetrics g = Scaled(24, 800);
    g.ComputeLayout(g.MinWindowWidth(), g.MinWindowHeight(), kDesktop);
    ASSERT_EQ(g.TabCornerDiameter(), 40);
    EXPECT_EQ(g.RegionParts().tab.rect.top, g.OuterRect().top);
}

TEST(FrameMetricsHitTest, OnlyTheCornersResize) {
    const FrameMetrics g = WithHole(400, 300);
    const Rect& o = g.OuterRect();
    const Rect& in = g.InnerRect();
    const int grip = g.GripSize();

    EXPECT_EQ(g.HitTest({o.left, o.top}), kHitTopLeft);
    EXPECT_EQ(g.HitTest({in.left + grip - 1, in.top + grip - 1}), kHitTopLeft);
    EXPECT_EQ(g.HitTest({in.left + grip, o.top}), kHitCaption);
    EXPECT_EQ(g.HitTest({in.left + grip - 1, in.top + grip}), kHitCaption);

    EXPECT_EQ(g.HitTest({o.right, o.top}), kHitTopRight);
    EXPECT_EQ(g.HitTest({in.right - grip + 1, in.top + grip - 1}), kHitTopRight);
    EXPECT_EQ(g.HitTest({in.right - grip, o.top}), kHitCaption);

    // Middle of every edge moves the frame.
    EXPECT_EQ(g.HitTest({(o.left + o.right) / 2, o.top}), kHitCaption);
    EXPECT_EQ(g.HitTest({o.left, (o.top + o.bottom) / 2}), kHitCaption);
    EXPECT_EQ(g.HitTest({o.right, (o.top + o.bottom) / 2}), kHitCaption);
    EXPECT_EQ(g.HitTest({(o.left + o.right) / 2, o.bottom}), kHitCaption);
}

TEST(FrameMetricsHitTest, BottomZonesAreNotMirrorImages) {
    const FrameMetrics g = WithHole(400, 300);
    const Rect& o = g.OuterRect();
    const Rect& in = g.InnerRect();
    const int grip = g.GripSize();

    // Left: from gripSize above the hole's bottom edge through the bottom bar.
    EXPECT_EQ(g.HitTest({o.left, in.bottom - grip + 1}), kHitBottomLeft);
    EXPECT_EQ(g.HitTest({o.left, in.bottom - grip}), kHitCaption);
    EXPECT_EQ(g.HitTest({in.left + grip - 1, o.bottom}), kHitBottomLeft);
    EXPECT_EQ(g.HitTest({o.left, in.bottom + 2}), kHitBottomLeft);

    // Right: only the lowest gripSize pixels of the tab's end.
    EXPECT_EQ(g.HitTest({o.right, in.bottom - grip + 1}), kHitCaption);
    EXPECT_EQ(g.HitTest({o.right, in.bottom + 2}), kHitCaption);
    EXPECT_EQ(g.HitTest({o.right, o.bottom - grip}), kHitCaption);
    EXPECT_EQ(g.HitTest({o.right, o.bottom - grip + 1}), kHitBottomRight);
    EXPECT_EQ(g.HitTest({in.right - grip + 1, o.bottom}), kHitBottomRight);
    EXPECT_EQ(g.HitTest({in.right - grip, o.bottom}), kHitCaption);

    // The grip icon lies in the bottom-right zone, all but its top row,
    // which borders on it.
    const Rect grip16 = g.ControlLayout().gripIcon;
    EXPECT_EQ(g.HitTest({grip16.left, grip16.top}), kHitCaption);
    EXPECT_EQ(g.HitTest({grip16.left, grip16.top + 1}), kHitBottomRight);
    EXPECT_EQ(g.HitTest({grip16.right - 1, grip16.bottom - 1}), kHitBottomRight);
}

TEST(FrameMetricsBitmaps, SlotByScale) {
    struct Case {
        int percent;
        int slot;
    };
    const Case cases[] = {{80, 0},  {100, 0}, {150, 1}, {200, 2}, {250, 3}, {300, 4}, {350, 0}, {400, 5},
                          {450, 0}, {500, 3}, {550, 0}, {600, 4}, {650, 0}, {700, 0}, {750, 3}, {800, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(Scaled(4, c.percent).BitmapSlot(), c.slot) << c.percent;
}

TEST(FrameMetricsColors, OutlineAndLabelColour) {
    const FrameMetrics white = Scaled(4, 100, 1.0, kDesktop, Rgb(255, 255, 255));
    EXPECT_EQ(white.OutlineColor(), Rgb(167, 167, 167));
    EXPECT_EQ(white.LabelTextColor(), Rgb(0, 0, 0));

    const FrameMetrics black = Scaled(4, 100, 1.0, kDesktop, Rgb(0, 0, 0));
    EXPECT_EQ(black.OutlineColor(), Rgb(40, 40, 40));
    EXPECT_EQ(StatusLabel::Luma(black.OutlineColor()), 39);
    EXPECT_EQ(black.LabelTextColor(), Rgb(255, 255, 255));

    // Each channel on its own: (c + 80) / 2.
    EXPECT_EQ(Scaled(4, 100, 1.0, kDesktop, Rgb(1, 100, 255)).OutlineColor(), Rgb(40, 90, 167));

    // Luma 60 is the first that keeps black text: a grey of 41 gives an
    // outline of 60 (luma 59), a grey of 42 one of 61 (luma 60).
    EXPECT_EQ(Scaled(4, 100, 1.0, kDesktop, Rgb(41, 41, 41)).LabelTextColor(), Rgb(255, 255, 255));
    EXPECT_EQ(Scaled(4, 100, 1.0, kDesktop, Rgb(42, 42, 42)).LabelTextColor(), Rgb(0, 0, 0));
    // Dark blue counts little: its outline (40, 40, 167) has luma 54.
    EXPECT_EQ(Scaled(4, 100, 1.0, kDesktop, Rgb(0, 0, 255)).LabelTextColor(), Rgb(255, 255, 255));
}

TEST(FrameMetricsColors, StatusFollowsTheFrameColour) {
    FrameMetrics g = Scaled(4, 100, 1.0, kDesktop, Rgb(255, 255, 255));
    g.SetStatus(2048);
    EXPECT_EQ(g.StatusText(), u"  2KB");
    EXPECT_EQ(g.StatusColor(), Rgb(0, 0, 20));
    g.SetScale(Rgb(255, 0, 0), 4, 100, 1.0, kDesktop);
    g.SetStatus(2048);
    EXPECT_EQ(g.StatusColor(), Rgb(0, 240, 255));
    g.ClearStatus();
    EXPECT_TRUE(g.StatusText().empty());
}

} // namespace
} // namespace frame
