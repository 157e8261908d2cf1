#include "record/FrameChanges.h"

#include "tests/record/RecordTestSupport.h"

#include <gtest/gtest.h>

namespace {

using FrameChanges::ChangedRect;
using FrameChanges::Rect;
using FrameChanges::UnchangedInside;
using RecordTest::Frame;

TEST(FrameChangesTest, TheRectangleBoundsEveryChangedPixelAndNoMore) {
    struct Change {
        int x, y;
        int channel;
    };
    struct Case {
        std::vector<Change> changes;
        Rect expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{{0, 0, 0}}, {0, 0, 1, 1}},
        {{{19, 9, 2}}, {19, 9, 1, 1}},           // the last byte of the frame
        {{{5, 0, 1}, {0, 9, 0}}, {0, 0, 6, 10}}, // opposite corners of a box
        {{{3, 4, 2}, {7, 4, 0}}, {3, 4, 5, 1}},  // one row
        {{{19, 2, 1}, {18, 7, 1}}, {18, 2, 2, 6}},
    };
    for (const auto& c : cases) {
        Frame before(20, 10, 1, 2, 3);
        Frame after = before;
        for (const auto& ch : c.changes)
            after.bgr[(ch.y * 20 + ch.x) * 3 + ch.channel] ^= 0x80;
        EXPECT_EQ(ChangedRect(before.bgr.data(), after.bgr.data(), 20, 10), c.expected)
            << c.expected.x << "," << c.expected.y << " " << c.expected.width << "x" << c.expected.height;
    }
}

TEST(FrameChangesTest, UnchangedPixelsAreCountedInsideTheRectangleOnly) {
    Frame before(8, 6);
    Frame after = before;
    after.Fill(1, 1, 3, 2, 9, 9, 9); // 6 changed pixels
    after.Fill(7, 5, 1, 1, 0, 0, 1); // 1 more, far away
    const Rect rect = ChangedRect(before.bgr.data(), after.bgr.data(), 8, 6);
    EXPECT_EQ(rect, (Rect{1, 1, 7, 5}));
    EXPECT_EQ(UnchangedInside(before.bgr.data(), after.bgr.data(), 8, rect), 35 - 7);
    EXPECT_EQ(UnchangedInside(before.bgr.data(), after.bgr.data(), 8, Rect{0, 0, 2, 2}), 3);
}

} // namespace
