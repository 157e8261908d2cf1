#include "capture/NeuQuant.h"
#include "tests/capture/NeuQuantReference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

// A plain image in memory with its row stride; the buffer ends right after the
// last pixel of the last row, so a read of the last row's padding would be
// caught by the address sanitizer.
struct TestImage {
    int width = 0;
    int height = 0;
    int bpp = 32;
    int stride = 0;
    std::vector<std::uint8_t> pixels;

    TestImage(int w, int h, int bitsPerPixel, int padding = 0, std::uint8_t padValue = 0)
        : width(w), height(h), bpp(bitsPerPixel), stride(w * bitsPerPixel / 8 + padding) {
        const std::size_t size =
            h == 0 ? 0 : static_cast<std::size_t>(stride) * (h - 1) + static_cast<std::size_t>(w) * bpp / 8;
        pixels.assign(size, padValue);
    }
    std::uint8_t* At(int x, int y) { return &pixels[static_cast<std::size_t>(y) * stride + x * bpp / 8]; }
    void Set(int x, int y, int b, int g, int r) {
        std::uint8_t* p = At(x, y);
        if (bpp == 16) {
            const int v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
            p[0] = static_cast<std::uint8_t>(v & 0xFF);
            p[1] = static_cast<std::uint8_t>(v >> 8);
        } else {
            p[0] = static_cast<std::uint8_t>(b);
            p[1] = static_cast<std::uint8_t>(g);
            p[2] = static_cast<std::uint8_t>(r);
            if (bpp == 32)
                p[3] = 0x5A;
        }
    }
};

struct Result {
    std::vector<NeuQuant::Colour> palette;
    std::vector<std::uint8_t> indices; // width bytes per row, no padding
    bool operator==(const Result&) const = default;
};

// The reference quantiser's result for an image.
Result Reference(const TestImage& img) {
    NeuQuantReference ref;
    const NeuQuantReference::Output out =
        ref.Run(img.pixels.data(), img.width, img.height, img.stride, img.bpp);
    Result res;
    for (std::size_t i = 0; i < out.palette.size(); i += 3)
        res.palette.push_back({out.palette[i], out.palette[i + 1], out.palette[i + 2]});
    res.indices = out.indices;
    return res;
}

Result Quantise(NeuQuant& nq, const TestImage& img) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(img.width) * img.height, 0xCD);
    EXPECT_TRUE(nq.Quantise(img.pixels.data(), img.width, img.height, img.stride, img.bpp, indices.data(),
                            img.width));
    Result out{{nq.Palette().begin(), nq.Palette().end()}, indices};
    return out;
}

Result Quantise(const TestImage& img) {
    NeuQuant nq;
    return Quantise(nq, img);
}

std::uint32_t NextRandom(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

TestImage RandomImage(int w, int h, int bpp, std::uint32_t seed) {
    TestImage img(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = NextRandom(seed);
            img.Set(x, y, v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
        }
    return img;
}

TestImage GradientImage(int w, int h, int bpp) {
    TestImage img(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.Set(x, y, x * 255 / (w > 1 ? w - 1 : 1), y * 255 / (h > 1 ? h - 1 : 1), (x + y) & 0xFF);
    return img;
}

TestImage TwoColourImage(int w, int h, int bpp) {
    TestImage img(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (((x / 8) + (y / 8)) % 2)
                img.Set(x, y, 200, 30, 10);
            else
                img.Set(x, y, 5, 250, 240);
        }
    return img;
}

// Screen-like: flat areas, speckles and a noisy corner.
TestImage ScreenImage(int w, int h, int bpp) {
    TestImage img(w, h, bpp);
    std::uint32_t seed = 77;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = NextRandom(seed);
            if (x > w / 2 && y > h / 2)
                img.Set(x, y, v & 0xFF, (v >> 8) & 0xFF, (x + y) & 0xFF);
            else if (x > w / 8 && x < w / 2 && y > h / 8)
                img.Set(x, y, (v & 15) ? 240 : 0, (v & 15) ? 240 : 0, (v & 15) ? 240 : 0);
            else
                img.Set(x, y, 40 + y * 100 / h, 80, 120 + x * 100 / w);
        }
    return img;
}

TEST(NeuQuantSampling, SampleCountCycleAndStep) {
    struct Case {
        int w, h;
        std::int64_t samples, delta, step;
    } cases[] = {
        {499, 10, 1663, 16, 491},                // 499 divides the byte count
        {491, 30, 4910, 49, 499},                // only 491 divides: the first prime still fits
        {499 * 491, 1, 81669, 816, 487},         // 499 and 491 divide
        {499 * 491, 487, 39773127, 397731, 503}, // all three divide
        {640, 480, 102400, 1024, 499},
        {10, 10, 33, 1, 3}, // fewer than 100 samples
        {17, 17, 96, 1, 3},
        {300, 1, 100, 1, 499}, // exactly 100 samples
        {2, 1, 0, 1, 3},
        {0, 10, 0, 0, 0},
        {8192, 8192, 22369621, 223696, 499}, // the largest screens
    };
    for (const Case& c : cases) {
        const NeuQuant::Sampling s = NeuQuant::SamplingFor(c.w, c.h);
        EXPECT_EQ(s.samples, c.samples) << c.w << "x" << c.h;
        EXPECT_EQ(s.delta, c.delta) << c.w << "x" << c.h;
        EXPECT_EQ(s.step, c.step) << c.w << "x" << c.h;
    }
}

// Seven of eight pixels in one colour, the rest random: one neuron wins most
// samples, so its frequency climbs to the top of its range, while the choice
// of the others still matters.
TestImage DominantColourImage(int w, int h, int bpp) {
    TestImage img(w, h, bpp);
    std::uint32_t seed = 3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = NextRandom(seed);
            if ((v & 7) == 0)
                img.Set(x, y, (v >> 3) & 0xFF, (v >> 11) & 0xFF, v >> 19);
            else
                img.Set(x, y, 30, 200, 140);
        }
    return img;
}

// Black and white halves: the chosen neurons sit at both ends of the network,
// where the neighbourhood is cut off.
TestImage BlackAndWhiteImage(int w, int h, int bpp) {
    TestImage img(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.Set(x, y, x < w / 2 ? 0 : 255, x < w / 2 ? 0 : 255, x < w / 2 ? 0 : 255);
    return img;
}

struct Config {
    bool wideVectors;
    int mapThreads;
};

void ExpectMatchesReference(const TestImage& img,
                            std::initializer_list<Config> configs = {{true, 1}, {false, 1}}) {
    SCOPED_TRACE(testing::Message() << img.width << "x" << img.height << "x" << img.bpp);
    const Result expected = Reference(img);
    for (const Config& config : configs) {
        SCOPED_TRACE(testing::Message() << (config.wideVectors ? "wide vectors, " : "base instructions, ")
                                        << config.mapThreads << " threads");
        NeuQuant nq(config.wideVectors, config.mapThreads);
        const Result actual = Quantise(nq, img);
        ASSERT_EQ(actual.palette, expected.palette);
        ASSERT_EQ(actual.indices, expected.indices);
    }
}

// The optimised learning and mapping give exactly what the reference gives,
// on every instruction set and however many threads share the mapping.
TEST(NeuQuantReference, MatchesBitForBit) {
    const TestImage images[] = {
        RandomImage(37, 23, 24, 1),       GradientImage(256, 64, 32),        TwoColourImage(64, 64, 24),
        ScreenImage(640, 480, 32),        RandomImage(499, 10, 24, 2), // step 491
        RandomImage(9, 7, 32, 3),                                      // 21 samples, step 3
        GradientImage(1, 400, 24),                                     // step 499 longer than the image
        GradientImage(23, 17, 24),                                     // 391 pixels, 130 samples, step 499
        ScreenImage(100, 60, 16),         DominantColourImage(300, 200, 32), BlackAndWhiteImage(200, 150, 24),
        RandomImage(499 * 491, 1, 24, 4), // step 487
    };
    for (const TestImage& img : images)
        ExpectMatchesReference(img);
    // Large enough for up to five blocks of rows.
    ExpectMatchesReference(ScreenImage(700, 500, 32), {{true, 2}, {true, 5}, {false, 3}});
}

// Every row width up to 600 on short images: the sampling walk wraps rows at
// every remainder, and the vector code meets every tail length.
TEST(NeuQuantReference, EveryRowWidthUpTo600) {
    for (int w = 1; w <= 600; ++w) {
        const int h = 1 + w % 4;
        const TestImage img =
            w % 3 ? RandomImage(w, h, w % 2 ? 24 : 32, static_cast<std::uint32_t>(w)) : ScreenImage(w, h, 16);
        ExpectMatchesReference(img, {{true, 1}});
        if (HasFatalFailure())
            return;
    }
}

TEST(NeuQuantMapping, EveryPixelGetsANearestPaletteColour) {
    const TestImage img = ScreenImage(200, 150, 24);
    const Result res = Quantise(img);
    TestImage copy = img;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const std::uint8_t* p = copy.At(x, y);
            const auto dist = [&](const NeuQuant::Colour& c) {
                return std::abs(c.b - p[0]) + std::abs(c.g - p[1]) + std::abs(c.r - p[2]);
            };
            int best = 1000;
            for (const NeuQuant::Colour& c : res.palette)
                best = std::min(best, dist(c));
            ASSERT_EQ(dist(res.palette[res.indices[static_cast<std::size_t>(y * img.width + x)]]), best)
                << x << "," << y;
        }
}

TEST(NeuQuantMapping, TwoColourImageMapsToCloseColours) {
    const TestImage img = TwoColourImage(128, 96, 32);
    const Result res = Quantise(img);
    TestImage copy = img;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const std::uint8_t* p = copy.At(x, y);
            const NeuQuant::Colour c = res.palette[res.indices[static_cast<std::size_t>(y * img.width + x)]];
            ASSERT_LE(std::abs(c.b - p[0]) + std::abs(c.g - p[1]) + std::abs(c.r - p[2]), 6) << x << "," << y;
        }
}

TEST(NeuQuantLearning, DeterministicAndIndependentOfEarlierImages) {
    const TestImage a = ScreenImage(320, 200, 32);
    const TestImage b = RandomImage(120, 90, 24, 9);
    NeuQuant nq;
    const Result first = Quantise(nq, a);
    Quantise(nq, b);
    EXPECT_EQ(Quantise(nq, a), first);
    EXPECT_EQ(Quantise(a), first);
}

TEST(NeuQuantLearning, SixteenBitPixelsDecodeAsBgr565) {
    TestImage img16(90, 50, 16), img24(90, 50, 24);
    std::uint32_t seed = 5;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 90; ++x) {
            const std::uint32_t v = NextRandom(seed);
            const int b5 = v & 31, g6 = (v >> 5) & 63, r5 = (v >> 11) & 31;
            const int word = (r5 << 11) | (g6 << 5) | b5;
            img16.At(x, y)[0] = static_cast<std::uint8_t>(word & 0xFF);
            img16.At(x, y)[1] = static_cast<std::uint8_t>(word >> 8);
            img24.Set(x, y, b5 << 3, g6 << 2, r5 << 3);
        }
    EXPECT_EQ(Quantise(img16), Quantise(img24));
}

TEST(NeuQuantLearning, RowPaddingIsNeitherReadNorWritten) {
    for (int bpp : {16, 24, 32}) {
        SCOPED_TRACE(bpp);
        TestImage clean(61, 41, bpp, 7, 0x00), dirty(61, 41, bpp, 7, 0xFF);
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 61; ++x) {
                clean.Set(x, y, x * 4, y * 6, 128);
                dirty.Set(x, y, x * 4, y * 6, 128);
            }
        const int indexStride = 64;
        std::vector<std::uint8_t> cleanIdx(static_cast<std::size_t>(indexStride) * 41, 0xAB);
        std::vector<std::uint8_t> dirtyIdx = cleanIdx;
        NeuQuant a, b;
        ASSERT_TRUE(a.Quantise(clean.pixels.data(), 61, 41, clean.stride, bpp, cleanIdx.data(), indexStride));
        ASSERT_TRUE(b.Quantise(dirty.pixels.data(), 61, 41, dirty.stride, bpp, dirtyIdx.data(), indexStride));
        EXPECT_EQ(a.Palette(), b.Palette());
        EXPECT_EQ(cleanIdx, dirtyIdx);
        for (int y = 0; y < 41; ++y)
            for (int x = 61; x < indexStride; ++x)
                ASSERT_EQ(cleanIdx[static_cast<std::size_t>(y * indexStride + x)], 0xAB) << x << "," << y;
    }
}

TEST(NeuQuantLearning, TinyAndEmptyImagesStillGiveAFullPalette) {
    static_assert(std::tuple_size_v<std::decay_t<decltype(NeuQuant().Palette())>> == 256);
    NeuQuant nq;
    std::uint8_t pixel[4] = {10, 20, 30, 0};
    std::uint8_t index = 0xEE;
    // One pixel: no samples, so the palette is the initial grey ramp.
    ASSERT_TRUE(nq.Quantise(pixel, 1, 1, 4, 32, &index, 1));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(nq.Palette()[static_cast<std::size_t>(i)],
                  (NeuQuant::Colour{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                    static_cast<std::uint8_t>(i)}));
    // Nearest grey to (10, 20, 30) by the sum of differences is 20.
    EXPECT_EQ(index, 20);
    EXPECT_TRUE(nq.Quantise(nullptr, 0, 0, 0, 24, nullptr, 0));
}

TEST(NeuQuantLearning, RejectsUnsupportedInputWithoutWriting) {
    std::vector<std::uint8_t> pixels(16 * 4 * 4, 0x40);
    std::vector<std::uint8_t> indices(16, 0x77);
    NeuQuant nq;
    EXPECT_FALSE(nq.Quantise(pixels.data(), 4, 4, 4, 8, indices.data(), 4));   // 8 bits per pixel
    EXPECT_FALSE(nq.Quantise(pixels.data(), 4, 4, 15, 32, indices.data(), 4)); // stride below a row
    EXPECT_FALSE(nq.Quantise(pixels.data(), 4, 4, 16, 32, indices.data(), 3)); // index rows too short
    EXPECT_FALSE(nq.Quantise(pixels.data(), -1, 4, 16, 32, indices.data(), 4));
    EXPECT_EQ(indices, std::vector<std::uint8_t>(16, 0x77));
}

} // namespace
