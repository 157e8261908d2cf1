#include "frame/Countdown.h"

#include <gtest/gtest.h>

using frame::Countdown;

TEST(Countdown, CountsDownWholeSecondsAndShootsWithTheKeysOfItsStart) {
    Countdown countdown;
    ShutterRules::HeldTypeKeys keys;
    keys.p = true;
    keys.d = true;
    ASSERT_TRUE(countdown.Start(10000, 3, keys));
    const struct {
        std::uint64_t now;
        int secondsLeft;
        unsigned nextChange;
    } steps[] = {{10000, 3, 1000}, {10001, 3, 999}, {10999, 3, 1},
                 {11000, 2, 1000}, {12500, 1, 500}, {12999, 1, 1}};
    for (const auto& s : steps) {
        EXPECT_FALSE(countdown.Tick(s.now)) << s.now;
        EXPECT_EQ(countdown.SecondsLeft(s.now), s.secondsLeft) << s.now;
        EXPECT_EQ(countdown.MillisToNextChange(s.now), s.nextChange) << s.now;
    }
    const auto shot = countdown.Tick(13000);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(shot->p);
    EXPECT_FALSE(countdown.IsRunning());
    EXPECT_FALSE(countdown.Tick(14000)) << "one countdown shoots once";
    EXPECT_EQ(countdown.SecondsLeft(14000), 0);
}

TEST(Countdown, NeverTwoAtOnceAndSecondsAreKeptInRange) {
    Countdown countdown;
    ASSERT_TRUE(countdown.Start(0, 0, {}));
    EXPECT_EQ(countdown.SecondsLeft(0), 1);
    EXPECT_FALSE(countdown.Start(10, 30, {})) << "a second countdown beside the first";
    EXPECT_EQ(countdown.SecondsLeft(10), 1);
    ASSERT_TRUE(countdown.Cancel());
    ASSERT_TRUE(countdown.Start(0, 99, {}));
    EXPECT_EQ(countdown.SecondsLeft(0), 30);
}

TEST(Countdown, ShootingEarlyAndCancellingEndIt) {
    Countdown countdown;
    EXPECT_FALSE(countdown.ShootNow());
    EXPECT_FALSE(countdown.Cancel());
    ShutterRules::HeldTypeKeys keys;
    keys.g = true;
    ASSERT_TRUE(countdown.Start(0, 5, keys));
    const auto early = countdown.ShootNow();
    ASSERT_TRUE(early);
    EXPECT_TRUE(early->g);
    EXPECT_FALSE(countdown.Tick(5000)) << "shot early, and again at zero";

    ASSERT_TRUE(countdown.Start(0, 5, keys));
    EXPECT_TRUE(countdown.Cancel()); // Esc, right click, minimise
    EXPECT_FALSE(countdown.Tick(5000));
    EXPECT_FALSE(countdown.ShootNow());
    EXPECT_EQ(countdown.MillisToNextChange(100), 0u);
}
