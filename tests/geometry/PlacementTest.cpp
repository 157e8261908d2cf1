#include "geometry/CoordinateLimit.h"
#include "geometry/Placement.h"
#include "tests/geometry/GeometryPrint.h"
#include "tests/geometry/ScreenLayouts.h"

#include <gtest/gtest.h>

#include <climits>

namespace geometry {
namespace {

using namespace geometry::testing;

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

TEST(PlacementClip, ToTheVirtualScreen) {
    const Placement p = ThreeMonitors();
    EXPECT_EQ(p.ClipToVirtualScreen({-2000, -2000, 100, 100}), (Rect{-1280, -1440, 100, 100}));
    EXPECT_EQ(p.ClipToVirtualScreen({4000, 1000, 5000, 1200}), (Rect{4000, 1000, 4480, 1080}));
    EXPECT_TRUE(p.ClipToVirtualScreen({5000, 0, 5100, 100}).IsEmpty());
}

} // namespace
} // namespace geometry
