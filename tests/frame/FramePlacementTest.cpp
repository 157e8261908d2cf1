#include "frame/FramePlacement.h"
#include "tests/geometry/GeometryPrint.h"
#include "tests/geometry/ScreenLayouts.h"

#include <gtest/gtest.h>

#include <climits>

namespace frame {
namespace {

using geometry::Placement;
using geometry::Rect;
using geometry::ScreenLayout;
using namespace geometry::testing;

constexpr SystemMetrics kDesktop{4, 3, 3};

// At scale 1 with a 4-pixel border the window is 22 pixels wider and 42
// higher than its hole; off = 11.
FrameMetrics Geometry(double dpi = 1.0, int frameWidth = 4, int tabScaling = 100) {
    FrameMetrics g;
    g.SetScale(0, frameWidth, tabScaling, dpi, kDesktop);
    return g;
}

Rect Startup(const Placement& p, int x, int y, int cx = 400, int cy = 300) {
    return StartupWindowRect(p, x, y, cx, cy, Geometry(), kDesktop);
}

TEST(PlacementStartup, NothingStoredCentresADefaultFrameOnTheCursorsMonitor) {
    int x = INT_MIN, y = 5, cx = 600, cy = 500;
    const Rect rect = StartupWindowRect(OneMonitor(), x, y, cx, cy, Geometry(), kDesktop);
    EXPECT_EQ(rect, (Rect{749, 349, 1171, 691}));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cx, 400);
    EXPECT_EQ(cy, 300);

    // Any one missing value is enough.
    for (int missing = 0; missing < 4; ++missing) {
        int v[4] = {10, 20, 30, 40};
        v[missing] = INT_MIN;
        EXPECT_EQ(StartupWindowRect(TwoMonitors({-5, 700}), v[0], v[1], v[2], v[3], Geometry(), kDesktop),
                  (Rect{-851, 377, -429, 719}))
            << missing;
    }
}

TEST(PlacementStartup, StoredPlacementOnScreenIsKept) {
    const Placement p = OneMonitor();
    EXPECT_EQ(Startup(p, 100, 100), (Rect{100, 100, 522, 442}));
    int x = 100, y = 100, cx = 400, cy = 300;
    StartupWindowRect(p, x, y, cx, cy, Geometry(), kDesktop);
    EXPECT_EQ(cx, 400);
}

TEST(PlacementStartup, FrameMayHangOffByHalfItsBorderExceptAtTheBottom) {
    const Placement p = OneMonitor();
    EXPECT_EQ(Startup(p, -11, -11), (Rect{-11, -11, 411, 331}));
    EXPECT_EQ(Startup(p, -12, -12), (Rect{-11, -11, 411, 331}));
    EXPECT_EQ(Startup(p, 1509, 738), (Rect{1509, 738, 1931, 1080}));
    EXPECT_EQ(Startup(p, 1600, 739), (Rect{1509, 738, 1931, 1080}));
}

TEST(PlacementStartup, FrameLargerThanTheScreenIsCut) {
    EXPECT_EQ(Startup(OneMonitor(), 0, 0, 3000, 2000), (Rect{-11, -11, 1931, 1080}));
}

TEST(PlacementStartup, FrameOffEveryMonitorReturnsToTheNearestKeepingItsSize) {
    // The monitor on the right has been unplugged.
    EXPECT_EQ(Startup(OneMonitor(), 2500, 300), (Rect{1487, 300, 1909, 642}));
    EXPECT_EQ(Startup(OneMonitor(), -3000, 5000), (Rect{-11, 727, 411, 1069}));
    // Below the monitor and across its right edge: brought up onto the
    // monitor, then in from the right only as far as the virtual screen asks.
    EXPECT_EQ(Startup(OneMonitor(), 1800, 2000), (Rect{1509, 727, 1931, 1069}));

    const Placement three = ThreeMonitors();
    EXPECT_EQ(Startup(three, 3000, 500), (Rect{3000, -353, 3422, -11}));
    EXPECT_EQ(Startup(three, -1000, -1300), (Rect{-1000, -211, -578, 131}));
    // Far beyond every edge.
    const Rect far = Startup(three, 90000, -90000);
    EXPECT_EQ(far.Width(), 422);
    EXPECT_EQ(far.Height(), 342);
    EXPECT_EQ(three.MonitorFromRect(far), 2);

    // A small frame in the uncovered corner of two monitors.
    const Placement two = TwoMonitors();
    EXPECT_EQ(Startup(two, -900, -20, 10, 10), (Rect{-900, 45, -868, 97}));
}

TEST(PlacementStartup, FrameTooSmallAfterCuttingIsReplacedByTheDefault) {
    // A screen 40 pixels high cannot show the frame's border and tab.
    const Placement p(Screens({Monitor({0, 0, 320, 40})}, {5, 5}));
    int x = 0, y = 0, cx = 400, cy = 300;
    EXPECT_EQ(StartupWindowRect(p, x, y, cx, cy, Geometry(), kDesktop), (Rect{-51, -151, 371, 191}));
    EXPECT_EQ(cx, 400);
}

TEST(PlacementStartup, ExtremeScreensAndSizesDoNotOverflow) {
    // A broken display setting and stored values at the ends of the int
    // range still give a window with a positive width.
    ScreenLayout huge;
    huge.monitors = {Monitor({INT_MIN, INT_MIN, INT_MAX, INT_MAX})};
    huge.virtualScreen = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    huge.primaryWidth = huge.primaryHeight = INT_MAX;
    huge.cursor = {INT_MAX, INT_MIN};
    const Placement broken(huge);
    int x = INT_MAX, y = INT_MAX, cx = INT_MAX, cy = INT_MAX;
    const Rect r = StartupWindowRect(broken, x, y, cx, cy, Geometry(), kDesktop);
    EXPECT_LT(r.left, r.right);
    const Rect scaled =
        ScaledWindowRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MAX, INT_MAX, Geometry(), kDesktop);
    EXPECT_LT(scaled.left, scaled.right);
}

TEST(PlacementScale, NewScaleKeepsTheHoleOnTheScreen) {
    const double dpis[] = {1.0, 1.25, 1.5, 2.0, 0.9, 3.0};
    for (double from : dpis) {
        for (double to : dpis) {
            SCOPED_TRACE(testing::Message() << from << " -> " << to);
            FrameMetrics g = Geometry(from, 0, 0);
            Rect window = g.WindowSizeForInner(400, 300, kDesktop);
            window.Offset(-300, -77);
            g.ComputeLayout(window.Width(), window.Height(), kDesktop);
            Rect hole = g.InnerRect();
            hole.Offset(window.left, window.top);

            g.SetScale(0, 0, 0, to, kDesktop);
            const Rect moved = ScaledWindowRect(window, 400, 300, g, kDesktop);
            if (from == to) {
                EXPECT_EQ(moved, window);
            }
            g.ComputeLayout(moved.Width(), moved.Height(), kDesktop);
            Rect newHole = g.InnerRect();
            newHole.Offset(moved.left, moved.top);
            EXPECT_EQ(newHole, hole);
        }
    }
}

// The window size answered before a move between monitors of different
// scales is the size ApplyScale then gives the frame, from any scale to any
// other: the hole keeps 400 x 300 and the system metrics are those of the
// new DPI.
TEST(PlacementScale, DpiScaledSizeIsTheSizeAfterTheScaleChange) {
    struct AtDpi {
        int dpi;
        SystemMetrics metrics;
        int width, height;
    };
    const AtDpi table[] = {{96, {4, 3, 3}, 422, 342},
                           {120, {5, 4, 4}, 428, 347},
                           {144, {6, 5, 5}, 434, 363},
                           {192, {8, 6, 6}, 444, 382}};
    for (const AtDpi& from : table) {
        for (const AtDpi& to : table) {
            SCOPED_TRACE(testing::Message() << from.dpi << " -> " << to.dpi);
            FrameMetrics current;
            current.SetScale(0, 0, 0, static_cast<double>(from.dpi) / kDefaultDpi, from.metrics);
            const Rect window = current.WindowSizeForInner(400, 300, from.metrics);
            ASSERT_EQ(window, (Rect{0, 0, from.width, from.height}));
            FrameMetrics scaled = current;
            scaled.SetScale(0, 0, 0, static_cast<double>(to.dpi) / kDefaultDpi, to.metrics);
            const Rect answered = DpiScaledWindowSize(window.Width(), window.Height(), current, from.metrics,
                                                      scaled, to.metrics);
            EXPECT_EQ(answered, (Rect{0, 0, to.width, to.height}));
            const Rect applied = ScaledWindowRect(window, 400, 300, scaled, to.metrics);
            EXPECT_EQ(applied.Width(), answered.Width());
            EXPECT_EQ(applied.Height(), answered.Height());
        }
    }
    // A pending size below the frame's own border keeps the smallest hole.
    FrameMetrics g = Geometry();
    EXPECT_EQ(DpiScaledWindowSize(5, 5, g, kDesktop, g, kDesktop), g.WindowSizeForInner(10, 10, kDesktop));
}

TEST(PlacementFit, TopLevelWindowsUseTheirVisibleBoundsControlsTheirWindowRect) {
    const Rect window{100, 100, 514, 407};
    const Rect visible{107, 100, 507, 400}; // without the invisible resize borders
    EXPECT_EQ(FitTargetRect(window, true, visible), visible);
    EXPECT_EQ(FitTargetRect(window, true, std::nullopt), window); // the system could not tell
    EXPECT_EQ(FitTargetRect(window, true, Rect{}), window);
    EXPECT_EQ(FitTargetRect(window, false, visible), window); // a child control
}

TEST(PlacementFit, RefusesWindowsAsWideAsTheScreen) {
    const FrameMetrics g = Geometry();
    EXPECT_FALSE(FitWindowRect({0, 0, 1920, 200}, 1920, g, kDesktop));
    EXPECT_FALSE(FitWindowRect({-8, -8, 1928, 1048}, 1920, g, kDesktop));
    const auto fitted = FitWindowRect({-500, 10, 1419, 210}, 1920, g, kDesktop);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(*fitted, (Rect{-511, -1, 1430, 241}));
}

} // namespace
} // namespace frame
