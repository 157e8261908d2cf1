#include "frame/ControllerSteps.h"

#include <gtest/gtest.h>

using geometry::Rect;

TEST(ControllerSteps, EachButtonMovesExactlyOneEdgeOrTheWholeFrameByOnePixel) {
    const Rect start{100, 200, 500, 600};
    struct Case {
        int id;
        Rect expected;
    } cases[] = {
        {1009, {99, 200, 499, 600}},  {1010, {101, 200, 501, 600}}, {1011, {100, 199, 500, 599}},
        {1012, {100, 201, 500, 601}}, {1013, {99, 200, 500, 600}},  {1014, {101, 200, 500, 600}},
        {1015, {100, 200, 499, 600}}, {1016, {100, 200, 501, 600}}, {1017, {100, 199, 500, 600}},
        {1018, {100, 201, 500, 600}}, {1019, {100, 200, 500, 599}}, {1020, {100, 200, 500, 601}},
    };
    for (const Case& c : cases) {
        Rect r = start;
        EXPECT_TRUE(frame::ApplyControllerStep(c.id, r)) << c.id;
        EXPECT_EQ(r, c.expected) << c.id;
    }
    Rect r = start;
    EXPECT_FALSE(frame::ApplyControllerStep(1008, r));
    EXPECT_FALSE(frame::ApplyControllerStep(1021, r));
    EXPECT_EQ(r, start);
}

TEST(ControllerSteps, CentringTruncatesBothHalves) {
    // A frame 101 wide at 0 and a controller 31 wide: 0 + 50 - 15.
    EXPECT_EQ(frame::CenterOn(Rect{0, 0, 101, 51}, 31, 21).x, 35);
    EXPECT_EQ(frame::CenterOn(Rect{0, 0, 101, 51}, 31, 21).y, 15);
    // Toward zero with negative coordinates.
    EXPECT_EQ(frame::CenterOn(Rect{-301, -10, 0, 10}, 1, 1).x, -301 + 150);
}
