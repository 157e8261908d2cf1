#include "frame/CommandRetry.h"

#include <gtest/gtest.h>

namespace frame {
namespace {

using Step = CommandRetry::Step;

TEST(CommandRetry, TriesAtOnceThenOnTheTimerThenGivesUp) {
    CommandRetry retry;
    // Near the wrap-around of the tick count.
    const std::uint32_t start = 0xFFFFFF00u;
    EXPECT_EQ(retry.Blocked(32775, start), Step::Now);
    EXPECT_EQ(retry.Blocked(32775, start), Step::Now);
    EXPECT_EQ(retry.Blocked(32775, start + 1), Step::Later);
    EXPECT_EQ(retry.Blocked(32772, start + 2), Step::Later);
    EXPECT_EQ(retry.Blocked(32775, start + 3), Step::Later);
    EXPECT_EQ(retry.TakeWaiting(), (std::vector<unsigned>{32775, 32772}));
    EXPECT_TRUE(retry.TakeWaiting().empty());
    EXPECT_EQ(retry.Blocked(32775, start + CommandRetry::kLimitMillis - 1), Step::Later);
    EXPECT_EQ(retry.Blocked(32775, start + CommandRetry::kLimitMillis), Step::GiveUp);
    EXPECT_TRUE(retry.TakeWaiting().empty()) << "a command given up does not come back";

    // After giving up, or once a command went through, waiting starts afresh.
    EXPECT_EQ(retry.Blocked(32775, start + 5000), Step::Now);
    retry.Passed();
    EXPECT_EQ(retry.Blocked(32774, start + 9000), Step::Now);
    EXPECT_EQ(retry.Blocked(32774, start + 9000), Step::Now);
    EXPECT_EQ(retry.Blocked(32774, start + 9000), Step::Later);
}

} // namespace
} // namespace frame
