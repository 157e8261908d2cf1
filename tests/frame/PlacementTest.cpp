#include "frame/CoordinateLimit.h"
#include "frame/Placement.h"
#include "tests/frame/FramePrint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace frame {
namespace {

constexpr SystemMetrics kDesktop{4, 3, 3};

// At scale 1 with a 4-pixel border the window is 22 pixels wider and 42
// higher than its hole; off = 11.
FrameMetrics Geometry(double dpi = 1.0, int frameWidth = 4, int tabScaling = 100) {
    FrameMetrics g;
    g.SetScale(0, frameWidth, tabScaling, dpi, kDesktop);
    return g;
}

MonitorArea Monitor(Rect monitor, int taskbar = 0) {
    return {monitor, {monitor.left, monitor.top, monitor.right, monitor.bottom - taskbar}};
}

ScreenLayout Screens(std::vector<MonitorArea> monitors, Point cursor) {
    ScreenLayout s;
    s.monitors = std::move(monitors);
    s.virtualScreen = s.monitors.front().monitor;
    for (const MonitorArea& m : s.monitors) {
        s.virtualScreen.left = std::min(s.virtualScreen.left, m.monitor.left);
        s.virtualScreen.top = std::min(s.virtualScreen.top, m.monitor.top);
        s.virtualScreen.right = std::max(s.virtualScreen.right, m.monitor.right);
        s.virtualScreen.bottom = std::max(s.virtualScreen.bottom, m.monitor.bottom);
    }
    s.primaryWidth = s.monitors.front().monitor.Width();
    s.primaryHeight = s.monitors.front().monitor.Height();
    s.cursor = cursor;
    return s;
}

// One full-HD monitor with a 40-pixel taskbar.
Placement OneMonitor(Point cursor = {100, 100}) {
    return Placement(Screens({Monitor({0, 0, 1920, 1080}, 40)}, cursor));
}

// The primary monitor and a smaller one on its left, bottoms aligned, which
// leaves the virtual screen's top-left corner uncovered.
Placement TwoMonitors(Point cursor = {100, 100}) {
    return Placement(Screens({Monitor({0, 0, 1920, 1080}, 40), Monitor({-1280, 56, 0, 1080}, 40)}, cursor));
}

// The primary monitor, a smaller one on the left and higher up, a larger one
// above on the right: the virtual screen (-1280, -1440, 4480, 1080) has
// uncovered corners at its top-left and bottom-right.
Placement ThreeMonitors(Point cursor = {100, 100}) {
    return Placement(Screens({Monitor({0, 0, 1920, 1080}, 40), Monitor({-1280, -200, 0, 824}),
                              Monitor({1920, -1440, 4480, 0}, 40)},
                             cursor));
}

Rect Startup(const Placement& p, int x, int y, int cx = 400, int cy = 300) {
    return p.StartupWindowRect(x, y, cx, cy, Geometry(), kDesktop);
}

TEST(PlacementMonitors, LargestIntersectionWins) {
    const Placement p = TwoMonitors();
    EXPECT_EQ(p.MonitorFromRect({-100, 100, 300, 200}), 0);
    EXPECT_EQ(p.MonitorFromRect({-300, 100, 100, 200}), 1);
    EXPECT_EQ(p.MonitorFromRect({-1280, 56, 1920, 1080}), 0);
    // Equal shares go to the monitor enumerated first.
    EXPECT_EQ(p.MonitorFromRect({-100, 100, 100, 200}), 0);
    // Right and bottom edges are exclusive: a rectangle that only touches a
    // monitor does not intersect it.
    EXPECT_EQ(p.MonitorFromRect({1920, 0, 2000, 100}), -1);
    EXPECT_EQ(p.MonitorFromRect({-600, 0, -500, 56}), -1);
    EXPECT_EQ(p.MonitorFromRect({-600, 0, -500, 57}), 1);
    // An empty rectangle counts as its top-left pixel.
    EXPECT_EQ(p.MonitorFromRect({-10, 500, -10, 500}), 1);
    EXPECT_EQ(p.MonitorFromRect({-10, 10, -10, 10}), -1);
}

TEST(PlacementMonitors, NearestByGapDistance) {
    const Placement p = ThreeMonitors();
    // Bottom-right corner: 500 below the right monitor, 1080 right of the primary.
    EXPECT_EQ(p.NearestMonitor(Rect{3000, 500, 3422, 842}), 2);
    EXPECT_EQ(p.NearestMonitor(Point{3000, 500}), 2);
    // Near the primary's right edge the primary is nearer.
    EXPECT_EQ(p.NearestMonitor(Point{2100, 900}), 0);
    // Top-left corner: the left monitor lies below.
    EXPECT_EQ(p.NearestMonitor(Point{-500, -1000}), 1);
    EXPECT_EQ(p.NearestMonitor(Point{1919, 1079}), 0);
    EXPECT_EQ(p.NearestMonitor(Point{1920, -1}), 2);
    EXPECT_EQ(Placement(ScreenLayout{}).NearestMonitor(Point{0, 0}), -1);
}

TEST(PlacementStartup, NothingStoredCentresADefaultFrameOnTheCursorsMonitor) {
    int x = INT_MIN, y = 5, cx = 600, cy = 500;
    const Rect rect = OneMonitor().StartupWindowRect(x, y, cx, cy, Geometry(), kDesktop);
    EXPECT_EQ(rect, (Rect{749, 349, 1171, 691}));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cx, 400);
    EXPECT_EQ(cy, 300);

    // Any one missing value is enough.
    for (int missing = 0; missing < 4; ++missing) {
        int v[4] = {10, 20, 30, 40};
        v[missing] = INT_MIN;
        EXPECT_EQ(TwoMonitors({-5, 700}).StartupWindowRect(v[0], v[1], v[2], v[3], Geometry(), kDesktop),
                  (Rect{-851, 377, -429, 719}))
            << missing;
    }
}

TEST(PlacementStartup, StoredPlacementOnScreenIsKept) {
    const Placement p = OneMonitor();
    EXPECT_EQ(Startup(p, 100, 100), (Rect{100, 100, 522, 442}));
    int x = 100, y = 100, cx = 400, cy = 300;
    p.StartupWindowRect(x, y, cx, cy, Geometry(), kDesktop);
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
    EXPECT_EQ(p.StartupWindowRect(x, y, cx, cy, Geometry(), kDesktop), (Rect{-51, -151, 371, 191}));
    EXPECT_EQ(cx, 400);
}

TEST(PlacementKeepOnScreen, ResultsAndHint) {
    const Placement p = ThreeMonitors();
    Rect rect{3000, 500, 3422, 842};
    EXPECT_EQ(p.KeepOnScreen(rect, nullptr, false, 32, 52, 422, 342, -11, -11), 0);
    EXPECT_EQ(rect, (Rect{3000, 500, 3422, 842}));

    // The hint chooses the monitor to return to.
    const Rect hint{100, 100, 500, 400};
    EXPECT_EQ(p.KeepOnScreen(rect, &hint, true, 32, 52, 422, 342, -11, -11), 1);
    EXPECT_EQ(rect, (Rect{1487, 500, 1909, 842}));

    // On a monitor, not adjusting still keeps it inside the virtual screen.
    rect = {4400, -1500, 4600, -1300};
    EXPECT_EQ(p.KeepOnScreen(rect, nullptr, false, 32, 52, 422, 342, 0, 0), 1);
    EXPECT_EQ(rect, (Rect{4280, -1440, 4480, -1240}));

    // Too small: the default size centred on the cursor's monitor.
    const Placement two = TwoMonitors({-5, 700});
    rect = {0, 0, 500, 2000};
    EXPECT_EQ(two.KeepOnScreen(rect, nullptr, true, 100, 1100, 422, 342, 0, 0), 0);
    EXPECT_EQ(rect, (Rect{-851, 377, -429, 719}));
}

TEST(PlacementKeepOnScreen, ExtremeCoordinatesAreHeldInsideTheRange) {
    // Values far off any screen (INT_MIN, INT_MAX) must not overflow the
    // arithmetic; they are held at the edge of the coordinate range first.
    const Placement p = OneMonitor();
    Rect rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(p.KeepOnScreen(rect, nullptr, true, 32, 52, 422, 342, INT_MIN, INT_MAX), 1);
    // Beyond the range a rectangle collapses to nothing and the default
    // takes its place.
    rect = {INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX};
    EXPECT_EQ(p.KeepOnScreen(rect, nullptr, true, 32, 52, 422, 342, -11, -11), 0);
    EXPECT_EQ(rect, (Rect{749, 349, 1171, 691}));
    rect = {kCoordinateLimit - 1, 0, kCoordinateLimit, 1};
    EXPECT_EQ(p.KeepOnScreen(rect, nullptr, true, 1, 1, 422, 342, -11, -11), 1);
    EXPECT_EQ(rect, (Rect{1908, 0, 1909, 1})); // pulled back to the monitor

    ScreenLayout huge;
    huge.monitors = {Monitor({INT_MIN, INT_MIN, INT_MAX, INT_MAX})};
    huge.virtualScreen = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    huge.primaryWidth = huge.primaryHeight = INT_MAX;
    huge.cursor = {INT_MAX, INT_MIN};
    const Placement broken(huge);
    int x = INT_MAX, y = INT_MAX, cx = INT_MAX, cy = INT_MAX;
    const Rect r = broken.StartupWindowRect(x, y, cx, cy, Geometry(), kDesktop);
    EXPECT_LT(r.left, r.right);
    const Rect scaled = Placement::ScaledWindowRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MAX, INT_MAX,
                                                    Geometry(), kDesktop);
    EXPECT_LT(scaled.left, scaled.right);
}

TEST(PlacementCenter, TruncatesTowardZero) {
    // Odd sums of negative edges and odd sizes: (-1281 + 0) / 2 is -640,
    // (-1481) / 2 is -740, 423 / 2 is 211.
    const Placement p(
        Screens({Monitor({0, 0, 1920, 1080}), {{-1281, -1441, 0, 0}, {-1281, -1441, 0, -40}}}, {-10, -10}));
    Rect rect{5, 5, 428, 348};
    p.CenterOnCursorMonitor(rect);
    EXPECT_EQ(rect, (Rect{-851, -911, -428, -568}));

    // The monitor nearest to a cursor in an uncovered corner.
    const Placement three = ThreeMonitors({-500, -1000});
    rect = {0, 0, 422, 342};
    three.CenterOnCursorMonitor(rect);
    EXPECT_EQ(rect, (Rect{-851, 141, -429, 483}));
}

TEST(PlacementCenter, WithoutMonitorInformationUsesThePrimaryScreen) {
    ScreenLayout s = Screens({Monitor({-1280, 0, 0, 1024}), Monitor({0, 0, 1920, 1080})}, {-100, 100});
    s.primaryWidth = 1920;
    s.primaryHeight = 1080;
    s.monitorInfoAvailable = false;
    Rect rect{0, 0, 423, 343};
    Placement(s).CenterOnCursorMonitor(rect);
    EXPECT_EQ(rect, (Rect{749, 369, 1172, 712}));
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
            const Rect moved = Placement::ScaledWindowRect(window, 400, 300, g, kDesktop);
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
            current.SetScale(0, 0, 0, from.dpi / 96.0, from.metrics);
            const Rect window = current.WindowSizeForInner(400, 300, from.metrics);
            ASSERT_EQ(window, (Rect{0, 0, from.width, from.height}));
            FrameMetrics scaled = current;
            scaled.SetScale(0, 0, 0, to.dpi / 96.0, to.metrics);
            const Rect answered = Placement::DpiScaledWindowSize(window.Width(), window.Height(), current,
                                                                 from.metrics, scaled, to.metrics);
            EXPECT_EQ(answered, (Rect{0, 0, to.width, to.height}));
            const Rect applied = Placement::ScaledWindowRect(window, 400, 300, scaled, to.metrics);
            EXPECT_EQ(applied.Width(), answered.Width());
            EXPECT_EQ(applied.Height(), answered.Height());
        }
    }
    // A pending size below the frame's own border keeps the smallest hole.
    FrameMetrics g = Geometry();
    EXPECT_EQ(Placement::DpiScaledWindowSize(5, 5, g, kDesktop, g, kDesktop),
              g.WindowSizeForInner(10, 10, kDesktop));
}

TEST(PlacementFit, TopLevelWindowsUseTheirVisibleBoundsControlsTheirWindowRect) {
    const Rect window{100, 100, 514, 407};
    const Rect visible{107, 100, 507, 400}; // without the invisible resize borders
    EXPECT_EQ(Placement::FitTargetRect(window, true, visible), visible);
    EXPECT_EQ(Placement::FitTargetRect(window, true, std::nullopt), window); // the system could not tell
    EXPECT_EQ(Placement::FitTargetRect(window, true, Rect{}), window);
    EXPECT_EQ(Placement::FitTargetRect(window, false, visible), window); // a child control
}

TEST(PlacementFit, RefusesWindowsAsWideAsTheScreen) {
    const FrameMetrics g = Geometry();
    EXPECT_FALSE(Placement::FitWindowRect({0, 0, 1920, 200}, 1920, g, kDesktop));
    EXPECT_FALSE(Placement::FitWindowRect({-8, -8, 1928, 1048}, 1920, g, kDesktop));
    const auto fitted = Placement::FitWindowRect({-500, 10, 1419, 210}, 1920, g, kDesktop);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(*fitted, (Rect{-511, -1, 1430, 241}));
}

TEST(PlacementClip, ToTheVirtualScreen) {
    const Placement p = ThreeMonitors();
    EXPECT_EQ(p.ClipToVirtualScreen({-2000, -2000, 100, 100}), (Rect{-1280, -1440, 100, 100}));
    EXPECT_EQ(p.ClipToVirtualScreen({4000, 1000, 5000, 1200}), (Rect{4000, 1000, 4480, 1080}));
    EXPECT_TRUE(p.ClipToVirtualScreen({5000, 0, 5100, 100}).IsEmpty());
}

} // namespace
} // namespace frame
