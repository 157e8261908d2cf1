// The quantiser tools hand pixels over in red, green, blue order and swap the
// learned palette back; that relies on the quantiser (and its reference)
// treating the first and the third byte of a pixel alike.
#include "capture/NeuQuant.h"
#include "tests/capture/NeuQuantReference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

std::vector<std::uint8_t> Picture(int w, int h, std::uint32_t seed, bool swapped) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < px.size(); i += 3) {
        seed = seed * 1664525u + 1013904223u;
        const int x = static_cast<int>(i / 3) % w;
        // Flat areas, a gradient and noise, with outer components that differ.
        std::uint8_t b = static_cast<std::uint8_t>(x < w / 3 ? 30 : (seed >> 8)),
                     g = static_cast<std::uint8_t>(x),
                     r = static_cast<std::uint8_t>(x < w / 3 ? 220 : (seed >> 16));
        if (swapped)
            std::swap(b, r);
        px[i] = b, px[i + 1] = g, px[i + 2] = r;
    }
    return px;
}

TEST(NeuQuantSymmetry, SwappingBlueAndRedSwapsThePaletteAndKeepsTheIndices) {
    const struct { int w, h; } cases[] = {{7, 5}, {320, 200}, {499, 3}, {640, 480}};
    for (const auto& c : cases) {
        const auto plain = Picture(c.w, c.h, 9, false), swapped = Picture(c.w, c.h, 9, true);
        std::vector<std::uint8_t> a(plain.size() / 3), b(a.size());
        NeuQuant nqA, nqB;
        ASSERT_TRUE(nqA.Quantise(plain.data(), c.w, c.h, c.w * 3, 24, a.data(), c.w));
        ASSERT_TRUE(nqB.Quantise(swapped.data(), c.w, c.h, c.w * 3, 24, b.data(), c.w));
        EXPECT_EQ(a, b) << c.w << "x" << c.h;
        for (int i = 0; i < NeuQuant::kNetSize; ++i) {
            const auto p = nqA.Palette()[i], q = nqB.Palette()[i];
            ASSERT_EQ((NeuQuant::Colour{p.r, p.g, p.b}), q) << c.w << "x" << c.h << " entry " << i;
        }
        NeuQuantReference refA, refB;
        const auto outA = refA.Run(plain.data(), c.w, c.h, c.w * 3, 24);
        const auto outB = refB.Run(swapped.data(), c.w, c.h, c.w * 3, 24);
        EXPECT_EQ(outA.indices, outB.indices);
        for (std::size_t i = 0; i < outA.palette.size(); i += 3)
            ASSERT_EQ(outA.palette[i], outB.palette[i + 2]) << i;
    }
}

} // namespace
