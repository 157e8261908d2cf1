// Speed of the GIF colour reduction on full-screen captures.
#include "capture/NeuQuant.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kStride = kWidth * 4;

std::uint32_t NextRandom(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

// Something like a desktop: a gradient wallpaper, flat windows with
// text-like speckles, and a photo-like noisy area.
std::vector<std::uint8_t> DesktopImage() {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kStride) * kHeight);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p =
                &pixels[static_cast<std::size_t>(y) * kStride + static_cast<std::size_t>(x) * 4];
            int b = 40 + y * 150 / kHeight, g = 60 + x * 100 / kWidth, r = 90;
            if (x >= 200 && x < 1100 && y >= 100 && y < 800) {
                b = g = r = 240;
                if (y >= 130 && (NextRandom(seed) & 7) == 0)
                    b = g = r = 20;
            } else if (x >= 1200 && x < 1800 && y >= 300 && y < 900) {
                const std::uint32_t n = NextRandom(seed);
                b = (x + static_cast<int>(n & 31)) & 0xFF;
                g = (y + static_cast<int>((n >> 5) & 31)) & 0xFF;
                r = ((x ^ y) + static_cast<int>((n >> 10) & 31)) & 0xFF;
            }
            p[0] = static_cast<std::uint8_t>(b);
            p[1] = static_cast<std::uint8_t>(g);
            p[2] = static_cast<std::uint8_t>(r);
            p[3] = 0xFF;
        }
    }
    return pixels;
}

std::vector<std::uint8_t> NoiseImage() {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kStride) * kHeight);
    std::uint32_t seed = 987;
    for (std::uint8_t& v : pixels)
        v = static_cast<std::uint8_t>(NextRandom(seed));
    return pixels;
}

void Quantise(benchmark::State& state, const std::vector<std::uint8_t>& pixels, bool wide = true) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(kWidth) * kHeight);
    NeuQuant quantiser(wide);
    for (auto _ : state) {
        quantiser.Quantise(pixels.data(), kWidth, kHeight, kStride, 32, indices.data(), kWidth);
        benchmark::DoNotOptimize(indices.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_NeuQuantDesktop1080p(benchmark::State& state) {
    static const std::vector<std::uint8_t> pixels = DesktopImage();
    Quantise(state, pixels);
}

void BM_NeuQuantNoise1080p(benchmark::State& state) {
    static const std::vector<std::uint8_t> pixels = NoiseImage();
    Quantise(state, pixels);
}

// Without AVX2, as on processors that lack it.
void BM_NeuQuantDesktop1080pBase(benchmark::State& state) {
    static const std::vector<std::uint8_t> pixels = DesktopImage();
    Quantise(state, pixels, false);
}

void BM_NeuQuantLearnDesktop1080p(benchmark::State& state) {
    static const std::vector<std::uint8_t> pixels = DesktopImage();
    NeuQuant quantiser;
    for (auto _ : state) {
        quantiser.Learn(pixels.data(), kWidth, kHeight, kStride, 32);
        benchmark::DoNotOptimize(quantiser.Palette().data());
    }
}

void BM_NeuQuantMapNoise1080p(benchmark::State& state) {
    static const std::vector<std::uint8_t> pixels = NoiseImage();
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(kWidth) * kHeight);
    NeuQuant quantiser;
    quantiser.Learn(pixels.data(), kWidth, kHeight, kStride, 32);
    for (auto _ : state) {
        quantiser.Map(pixels.data(), kWidth, kHeight, kStride, 32, indices.data(), kWidth);
        benchmark::DoNotOptimize(indices.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_NeuQuantDesktop1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeuQuantNoise1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeuQuantDesktop1080pBase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeuQuantLearnDesktop1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeuQuantMapNoise1080p)->Unit(benchmark::kMillisecond);
