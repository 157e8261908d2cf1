#include "capture/DibPixels.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using DibPixels::Stride24;
using DibPixels::ToBgr24;

TEST(DibPixelsTest, ThirtyTwoBitRowsComeOutBottomUpWithoutTheFourthByteAndWithZeroPadding) {
    // 3 x 2 pixels: row 0 counts up from 1, row 1 from 101; the fourth byte is 0xAA.
    std::vector<uint8_t> src;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            for (int c = 0; c < 4; ++c)
                src.push_back(c == 3 ? 0xAA : static_cast<uint8_t>(y * 100 + x * 3 + c + 1));
    ASSERT_EQ(Stride24(3), 12u);
    std::vector<uint8_t> dest(24, 0xEE);
    ASSERT_TRUE(ToBgr24(src.data(), 3, 2, 12, 32, nullptr, true, dest.data()));
    const std::vector<uint8_t> expected = {101, 102, 103, 104, 105, 106, 107, 108, 109, 0, 0, 0,
                                           1,   2,   3,   4,   5,   6,   7,   8,   9,   0, 0, 0};
    EXPECT_EQ(dest, expected);

    std::vector<uint8_t> topDown(24, 0xEE);
    ASSERT_TRUE(ToBgr24(src.data(), 3, 2, 12, 32, nullptr, false, topDown.data()));
    EXPECT_EQ(topDown[0], 1);
    EXPECT_EQ(topDown[12], 101);
}

TEST(DibPixelsTest, SixteenEightAndTwentyFourBitPixelsBecomeBlueGreenRed) {
    // BGR565: white, black, pure red, and the middle of each channel.
    const uint16_t colours[4] = {0xFFFF, 0x0000, 0xF800, 0x8410};
    std::array<uint8_t, 8> wide{};
    for (int i = 0; i < 4; ++i) {
        wide[i * 2] = static_cast<uint8_t>(colours[i]);
        wide[i * 2 + 1] = static_cast<uint8_t>(colours[i] >> 8);
    }
    std::vector<uint8_t> out(Stride24(4));
    ASSERT_TRUE(ToBgr24(wide.data(), 4, 1, 8, 16, nullptr, true, out.data()));
    EXPECT_EQ(out, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 0, 0, 255, 132, 130, 132}));

    std::array<uint32_t, 256> palette{};
    palette[7] = 0x00112233;
    palette[200] = 0x00AABBCC;
    const uint8_t indices[4] = {7, 200, 0, 0};
    std::vector<uint8_t> fromPalette(Stride24(2));
    ASSERT_TRUE(ToBgr24(indices, 2, 1, 4, 8, palette.data(), true, fromPalette.data()));
    EXPECT_EQ(fromPalette, (std::vector<uint8_t>{0x33, 0x22, 0x11, 0xCC, 0xBB, 0xAA, 0, 0}));

    const uint8_t bgr[8] = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE};
    std::vector<uint8_t> copied(Stride24(2));
    ASSERT_TRUE(ToBgr24(bgr, 2, 1, 8, 24, nullptr, true, copied.data()));
    EXPECT_EQ(copied, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(DibPixelsTest, ImagesItCannotReadAreRefusedWithoutWriting) {
    const uint8_t src[64] = {};
    std::vector<uint8_t> dest(64, 0xEE);
    EXPECT_FALSE(ToBgr24(src, 2, 2, 8, 15, nullptr, true, dest.data()));
    EXPECT_FALSE(ToBgr24(src, 2, 2, 8, 8, nullptr, true, dest.data()));  // indices need a palette
    EXPECT_FALSE(ToBgr24(src, 3, 2, 8, 32, nullptr, true, dest.data())); // rows shorter than 3 pixels
    EXPECT_FALSE(ToBgr24(src, 0, 2, 8, 32, nullptr, true, dest.data()));
    EXPECT_EQ(dest, std::vector<uint8_t>(64, 0xEE));
    EXPECT_EQ(Stride24(0), 0u);
    EXPECT_EQ(Stride24(1), 4u);
    EXPECT_EQ(Stride24(4), 12u);
}

} // namespace
