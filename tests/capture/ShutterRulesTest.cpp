#include "capture/ShutterRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace ShutterRules;

TEST(ShutterRulesTest, HeldKeysPickTheTypeJBeforeBBeforeGBeforeP) {
    for (ImageType settingsType : {ImageType::Jpeg, ImageType::Bmp, ImageType::Gif, ImageType::Png}) {
        EXPECT_EQ(EffectiveType(false, false, false, false, settingsType), settingsType);
        EXPECT_EQ(EffectiveType(true, false, false, false, settingsType), ImageType::Jpeg);
        EXPECT_EQ(EffectiveType(false, true, false, false, settingsType), ImageType::Bmp);
        EXPECT_EQ(EffectiveType(false, false, true, false, settingsType), ImageType::Gif);
        EXPECT_EQ(EffectiveType(false, false, false, true, settingsType), ImageType::Png);
    }
    EXPECT_EQ(EffectiveType(true, false, false, true, ImageType::Gif), ImageType::Jpeg); // J and P: JPEG
    EXPECT_EQ(EffectiveType(false, true, true, true, ImageType::Jpeg), ImageType::Bmp);
    EXPECT_EQ(EffectiveType(false, false, true, true, ImageType::Jpeg), ImageType::Gif);
    EXPECT_EQ(EffectiveType(true, true, true, true, ImageType::Png), ImageType::Jpeg);
    HeldTypeKeys keys;
    keys.g = true;
    EXPECT_EQ(EffectiveType(keys, ImageType::Png), ImageType::Gif);
}

TEST(ShutterRulesTest, CHeldOrTheSettingSendsTheCaptureToTheClipboard) {
    HeldTypeKeys keys;
    EXPECT_FALSE(CopiesToClipboard(keys, false));
    EXPECT_TRUE(CopiesToClipboard(keys, true));
    keys.p = true;
    EXPECT_FALSE(CopiesToClipboard(keys, false)); // P alone only picks PNG
    keys.c = true;
    EXPECT_TRUE(CopiesToClipboard(keys, false));
    EXPECT_EQ(EffectiveType(keys, ImageType::Jpeg), ImageType::Png); // C+P: a PNG file as well
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
