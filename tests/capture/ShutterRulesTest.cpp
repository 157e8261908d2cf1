#include "capture/ShutterRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace ShutterRules;

TEST(ShutterRulesTest, HeldKeysPickTheTypeJBeforeBBeforeGBeforeP) {
    for (int settingsType : {0, 1, 2, 3}) {
        EXPECT_EQ(EffectiveType(false, false, false, false, settingsType), settingsType);
        EXPECT_EQ(EffectiveType(true, false, false, false, settingsType), 0);
        EXPECT_EQ(EffectiveType(false, true, false, false, settingsType), 1);
        EXPECT_EQ(EffectiveType(false, false, true, false, settingsType), 2);
        EXPECT_EQ(EffectiveType(false, false, false, true, settingsType), 3);
    }
    EXPECT_EQ(EffectiveType(true, false, false, true, 2), 0); // J and P: JPEG
    EXPECT_EQ(EffectiveType(false, true, true, true, 0), 1);
    EXPECT_EQ(EffectiveType(false, false, true, true, 0), 2);
    EXPECT_EQ(EffectiveType(true, true, true, true, 3), 0);
    HeldTypeKeys keys;
    keys.g = true;
    EXPECT_EQ(EffectiveType(keys, 3), 2);
}

TEST(ShutterRulesTest, CHeldOrTheSettingSendsTheCaptureToTheClipboard) {
    HeldTypeKeys keys;
    EXPECT_FALSE(CopiesToClipboard(keys, 0));
    EXPECT_TRUE(CopiesToClipboard(keys, 1));
    keys.p = true;
    EXPECT_FALSE(CopiesToClipboard(keys, 0)); // P alone only picks PNG
    keys.c = true;
    EXPECT_TRUE(CopiesToClipboard(keys, 0));
    EXPECT_EQ(EffectiveType(keys, 0), 3); // C+P: a PNG file as well
}

TEST(ShutterRulesTest, QualityIsAFractionPlusAThousandthAndTheEncoderClampsIt) {
    EXPECT_FLOAT_EQ(ShutterQuality(50), 0.501f);
    EXPECT_FLOAT_EQ(ShutterQuality(90), 0.901f);
    EXPECT_FLOAT_EQ(ShutterQuality(100), 1.001f);
    EXPECT_FLOAT_EQ(ClampQuality(ShutterQuality(100)), 1.0f);
    EXPECT_FLOAT_EQ(ClampQuality(ShutterQuality(50)), 0.501f);
    EXPECT_EQ(ClampQuality(-0.25f), 0.0f);
    EXPECT_EQ(ClampQuality(0.0f), 0.0f);
    EXPECT_EQ(ClampQuality(1.0f), 1.0f);
    EXPECT_EQ(ClampQuality(std::numeric_limits<float>::infinity()), 1.0f);
    EXPECT_EQ(ClampQuality(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

} // namespace
