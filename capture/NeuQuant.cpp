#include "capture/NeuQuant.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kNetBiasShift = 4;  // colours are held as 16 x the 8-bit value
constexpr int kIntBiasShift = 16; // frequency and bias are fixed point with 16 fraction bits
constexpr int kInitFreq = (1 << kIntBiasShift) / NeuQuant::kNetSize;
constexpr int kBetaShift = 10; // beta = 1/1024
constexpr int kBeta = (1 << kIntBiasShift) >> kBetaShift;
constexpr int kGammaShift = 10; // gamma = 1024
constexpr int kBetaGamma = (1 << kIntBiasShift) << (kGammaShift - kBetaShift);
constexpr int kCycles = 100;
constexpr int kSampleFactor = 3;
constexpr int kAlphaBiasShift = 10;
constexpr int kInitAlpha = 1 << kAlphaBiasShift;
constexpr int kAlphaDec = 30 + (kSampleFactor - 1) / 3;
constexpr int kRadiusBiasShift = 6;
constexpr int kInitRadius = (NeuQuant::kNetSize >> 3) << kRadiusBiasShift;
constexpr int kRadiusDec = 30;
constexpr int kRadBiasShift = 8;
constexpr int kRadBias = 1 << kRadBiasShift;
constexpr int kAlphaRadBias = 1 << (kAlphaBiasShift + kRadBiasShift);
constexpr int kMaxNetPos = NeuQuant::kNetSize - 1;

// Reads the pixel at p as 8-bit blue, green and red.
template <int BytesPerPixel> inline void ReadPixel(const std::uint8_t* p, int& b, int& g, int& r) {
    if constexpr (BytesPerPixel == 2) {
        const unsigned v = static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8);
        b = static_cast<int>((v & 0x1F) << 3);
        g = static_cast<int>(((v >> 5) & 0x3F) << 2);
        r = static_cast<int>((v >> 11) << 3);
    } else {
        b = p[0];
        g = p[1];
        r = p[2];
    }
}

inline void ReadPixel(const std::uint8_t* p, int bytesPerPixel, int& b, int& g, int& r) {
    if (bytesPerPixel == 2)
        ReadPixel<2>(p, b, g, r);
    else
        ReadPixel<3>(p, b, g, r);
}

// A small table of colours already mapped: the search is a pure function of
// the colour, and captured screens repeat few colours many times.
class MapCache {
public:
    static constexpr int kBits = 16;
    MapCache() : m_keys(std::size_t{1} << kBits, kEmpty), m_values(std::size_t{1} << kBits) {}

    template <class Search> std::uint8_t Find(std::uint32_t key, Search search) {
        const std::size_t slot = (key * 0x9E3779B1u) >> (32 - kBits);
        if (m_keys[slot] != key) {
            m_keys[slot] = key;
            m_values[slot] = static_cast<std::uint8_t>(search());
        }
        return m_values[slot];
    }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu; // no 24-bit colour has this key
    std::vector<std::uint32_t> m_keys;
    std::vector<std::uint8_t> m_values;
};

} // namespace

NeuQuant::NeuQuant(bool allowWideVectors) {
#if FRIMLET_NEUQUANT_AVX2
    m_avx2 = allowWideVectors && __builtin_cpu_supports("avx2");
#else
    (void)allowWideVectors;
#endif
    Reset();
    Finish();
}

NeuQuant::Sampling NeuQuant::SamplingFor(int width, int height) {
    Sampling s{};
    if (width <= 0 || height <= 0)
        return s;
    const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
    const std::int64_t lengthCount = pixels * 3;
    s.samples = pixels / kSampleFactor;
    s.delta = s.samples / kCycles;
    if (s.delta == 0) {
        s.delta = 1;
        s.step = 3;
    } else if (lengthCount % 499 != 0) {
        s.step = 499;
    } else if (lengthCount % 491 != 0) {
        s.step = 491;
    } else if (lengthCount % 487 != 0) {
        s.step = 487;
    } else {
        s.step = 503;
    }
    return s;
}

bool NeuQuant::ValidInput(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel) {
    if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return false;
    if (width < 0 || height < 0)
        return false;
    if (width == 0 || height == 0)
        return true;
    return pixels != nullptr && stride >= 0 &&
           static_cast<std::int64_t>(stride) >= static_cast<std::int64_t>(width) * (bitsPerPixel / 8);
}

void NeuQuant::Reset() {
    for (int i = 0; i < kNetSize; ++i) {
        m_b[i] = m_g[i] = m_r[i] = (i << (kNetBiasShift + 8)) / kNetSize;
        m_freq[i] = kInitFreq;
        m_bias[i] = 0;
    }
}

namespace {

// Finds the neuron nearest to the sample, counting its bias, and updates every
// neuron's frequency and bias. Both searches keep the lowest position among
// equal distances: the distance goes to the high bits of a key whose low 8
// bits are the position, so one minimum over the keys gives both. A plain
// distance is at most 3 x 4080 and a biased one stays within +-2^20, so the
// keys cannot overflow. The loop is written for the vectoriser; it is compiled
// once for the base instruction set and once for AVX2, chosen at run time.
[[gnu::always_inline]] inline int ContestLoop(const std::int32_t* __restrict nb,
                                              const std::int32_t* __restrict ng,
                                              const std::int32_t* __restrict nr,
                                              std::int32_t* __restrict freq, std::int32_t* __restrict bias,
                                              int b, int g, int r) {
    int bestKey = INT_MAX;
    int bestBiasKey = INT_MAX;
    for (int i = 0; i < NeuQuant::kNetSize; ++i) {
        const int dist = std::abs(nb[i] - b) + std::abs(ng[i] - g) + std::abs(nr[i] - r);
        const int key = dist * 256 + i;
        bestKey = key < bestKey ? key : bestKey;
        const int biasKey = (dist - (bias[i] >> (kIntBiasShift - kNetBiasShift))) * 256 + i;
        bestBiasKey = biasKey < bestBiasKey ? biasKey : bestBiasKey;
        const int betaFreq = freq[i] >> kBetaShift;
        freq[i] -= betaFreq;
        bias[i] += betaFreq << kGammaShift;
    }
    const int winner = bestKey & 0xFF;
    freq[winner] += kBeta;
    bias[winner] -= kBetaGamma;
    return bestBiasKey & 0xFF;
}

int ContestBase(const std::int32_t* nb, const std::int32_t* ng, const std::int32_t* nr, std::int32_t* freq,
                std::int32_t* bias, int b, int g, int r) {
    return ContestLoop(nb, ng, nr, freq, bias, b, g, r);
}

#if FRIMLET_NEUQUANT_AVX2
[[gnu::target("avx2")]] int ContestAvx2(const std::int32_t* nb, const std::int32_t* ng,
                                        const std::int32_t* nr, std::int32_t* freq, std::int32_t* bias, int b,
                                        int g, int r) {
    return ContestLoop(nb, ng, nr, freq, bias, b, g, r);
}
#endif

} // namespace

int NeuQuant::Contest(int b, int g, int r) {
#if FRIMLET_NEUQUANT_AVX2
    if (m_avx2)
        return ContestAvx2(m_b, m_g, m_r, m_freq, m_bias, b, g, r);
#endif
    return ContestBase(m_b, m_g, m_r, m_freq, m_bias, b, g, r);
}

void NeuQuant::AlterSingle(int alpha, int i, int b, int g, int r) {
    m_b[i] -= (alpha * (m_b[i] - b)) / kInitAlpha;
    m_g[i] -= (alpha * (m_g[i] - g)) / kInitAlpha;
    m_r[i] -= (alpha * (m_r[i] - r)) / kInitAlpha;
}

// Moves the neighbours at distance 1 .. rad - 1 on both sides toward the
// sample, less the further they are.
void NeuQuant::AlterNeighbours(int rad, int i, int b, int g, int r) {
    const int hi = std::min(i + rad, kNetSize);
    for (int j = i + 1; j < hi; ++j) {
        const int a = m_radPower[j - i];
        m_b[j] -= (a * (m_b[j] - b)) / kAlphaRadBias;
        m_g[j] -= (a * (m_g[j] - g)) / kAlphaRadBias;
        m_r[j] -= (a * (m_r[j] - r)) / kAlphaRadBias;
    }
    const int lo = std::max(i - rad, -1);
    for (int k = i - 1; k > lo; --k) {
        const int a = m_radPower[i - k];
        m_b[k] -= (a * (m_b[k] - b)) / kAlphaRadBias;
        m_g[k] -= (a * (m_g[k] - g)) / kAlphaRadBias;
        m_r[k] -= (a * (m_r[k] - r)) / kAlphaRadBias;
    }
}

void NeuQuant::SetRadius(int alpha, int rad) {
    for (int m = 0; m < rad; ++m)
        m_radPower[m] = alpha * (((rad * rad - m * m) * kRadBias) / (rad * rad));
}

bool NeuQuant::Learn(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel) {
    if (!ValidInput(pixels, width, height, stride, bitsPerPixel))
        return false;
    Reset();
    const Sampling s = SamplingFor(width, height);
    if (s.samples > 0) {
        const int bytesPerPixel = bitsPerPixel / 8;
        const std::int64_t stepX = s.step % width;
        const std::int64_t stepY = s.step / width;
        std::int64_t x = 0;
        std::int64_t y = 0;
        int alpha = kInitAlpha;
        int radius = kInitRadius;
        int rad = radius >> kRadiusBiasShift;
        if (rad <= 1)
            rad = 0;
        SetRadius(alpha, rad);
        for (std::int64_t i = 0; i < s.samples;) {
            const std::uint8_t* p = pixels + static_cast<std::ptrdiff_t>(y * stride + x * bytesPerPixel);
            int b, g, r;
            ReadPixel(p, bytesPerPixel, b, g, r);
            b <<= kNetBiasShift;
            g <<= kNetBiasShift;
            r <<= kNetBiasShift;
            const int j = Contest(b, g, r);
            AlterSingle(alpha, j, b, g, r);
            if (rad != 0)
                AlterNeighbours(rad, j, b, g, r);

            // Next sample: step pixels further in reading order, wrapping at
            // the end of the image. The step may exceed the pixel count of a
            // small image, so the row wraps by remainder, not by one height.
            x += stepX;
            y += stepY;
            if (x >= width) {
                x -= width;
                ++y;
            }
            if (y >= height)
                y %= height;

            ++i;
            if (i % s.delta == 0) {
                alpha -= alpha / kAlphaDec;
                radius -= radius / kRadiusDec;
                rad = radius >> kRadiusBiasShift;
                if (rad <= 1)
                    rad = 0;
                SetRadius(alpha, rad);
            }
        }
    }
    Finish();
    return true;
}

// Rounds the learned colours to 8 bits, fills the palette in network order and
// builds the green-sorted search table.
void NeuQuant::Finish() {
    const auto unbias = [](std::int32_t v) {
        const int t = (v + (1 << (kNetBiasShift - 1))) >> kNetBiasShift;
        return t > 255 ? 255 : t;
    };
    for (int i = 0; i < kNetSize; ++i) {
        Neuron& n = m_sorted[static_cast<std::size_t>(i)];
        n.b = unbias(m_b[i]);
        n.g = unbias(m_g[i]);
        n.r = unbias(m_r[i]);
        n.index = i;
        m_palette[static_cast<std::size_t>(i)] = Colour{
            static_cast<std::uint8_t>(n.b), static_cast<std::uint8_t>(n.g), static_cast<std::uint8_t>(n.r)};
    }

    // Selection sort by green (the first of equal smallest values is taken),
    // and for each green value the middle of the run of neurons that carry it;
    // green values between runs start at the first neuron above them.
    int previousColour = 0;
    int startPos = 0;
    for (int i = 0; i < kNetSize; ++i) {
        int smallPos = i;
        int smallVal = m_sorted[static_cast<std::size_t>(i)].g;
        for (int j = i + 1; j < kNetSize; ++j) {
            if (m_sorted[static_cast<std::size_t>(j)].g < smallVal) {
                smallPos = j;
                smallVal = m_sorted[static_cast<std::size_t>(j)].g;
            }
        }
        if (smallPos != i)
            std::swap(m_sorted[static_cast<std::size_t>(i)], m_sorted[static_cast<std::size_t>(smallPos)]);
        if (smallVal != previousColour) {
            m_greenIndex[static_cast<std::size_t>(previousColour)] = (startPos + i) >> 1;
            for (int j = previousColour + 1; j < smallVal; ++j)
                m_greenIndex[static_cast<std::size_t>(j)] = i;
            previousColour = smallVal;
            startPos = i;
        }
    }
    m_greenIndex[static_cast<std::size_t>(previousColour)] = (startPos + kMaxNetPos) >> 1;
    for (int j = previousColour + 1; j < 256; ++j)
        m_greenIndex[static_cast<std::size_t>(j)] = kMaxNetPos;

    for (int i = 0; i < kNetSize; ++i) {
        const Neuron& n = m_sorted[static_cast<std::size_t>(i)];
        m_sortedB[i] = n.b;
        m_sortedG[i] = n.g;
        m_sortedR[i] = n.r;
    }
}

// Searches outward from the green index entry, alternating one step up and one
// step down; a direction ends once the green difference alone is no better
// than the best distance found. Ties keep the neuron found first.
int NeuQuant::Lookup(int b, int g, int r) const {
    b = std::clamp(b, 0, 255);
    g = std::clamp(g, 0, 255);
    r = std::clamp(r, 0, 255);
    int bestD = 1000;
    int best = -1;
    int i = m_greenIndex[static_cast<std::size_t>(g)];
    int j = i - 1;
    while (i < kNetSize || j >= 0) {
        if (i < kNetSize) {
            const Neuron& p = m_sorted[static_cast<std::size_t>(i)];
            int dist = p.g - g;
            if (dist >= bestD) {
                i = kNetSize;
            } else {
                ++i;
                dist = std::abs(dist) + std::abs(p.b - b);
                if (dist < bestD) {
                    dist += std::abs(p.r - r);
                    if (dist < bestD) {
                        bestD = dist;
                        best = p.index;
                    }
                }
            }
        }
        if (j >= 0) {
            const Neuron& p = m_sorted[static_cast<std::size_t>(j)];
            int dist = g - p.g;
            if (dist >= bestD) {
                j = -1;
            } else {
                --j;
                dist = std::abs(dist) + std::abs(p.b - b);
                if (dist < bestD) {
                    dist += std::abs(p.r - r);
                    if (dist < bestD) {
                        bestD = dist;
                        best = p.index;
                    }
                }
            }
        }
    }
    return best;
}

namespace {

#if FRIMLET_NEUQUANT_AVX2
// The same answer as the outward search, from all neurons at once. The search
// visits the sorted positions start, start - 1, start + 1, start - 2, ...; its
// stopping rule only drops neurons that cannot be nearer than the best found,
// and of equally near neurons it keeps the first visited. So the neuron it
// returns is the one with the smallest distance and, among those, the
// smallest rank in that order, where rank = zigzag(position - start).
[[gnu::target("avx2")]] int NearestInOrder(const std::int32_t* __restrict sb,
                                           const std::int32_t* __restrict sg,
                                           const std::int32_t* __restrict sr, int start, int b, int g,
                                           int r) {
    int bestKey = INT_MAX;
    for (int p = 0; p < NeuQuant::kNetSize; ++p) {
        const int dist = std::abs(sb[p] - b) + std::abs(sg[p] - g) + std::abs(sr[p] - r);
        const int d = p - start;
        const int rank = (d * 2) ^ (d >> 31);
        const int key = dist * 512 + rank;
        bestKey = key < bestKey ? key : bestKey;
    }
    const int rank = bestKey & 511;
    return start + ((rank >> 1) ^ -(rank & 1));
}
#endif

template <int BytesPerPixel, class Finder>
void MapRows(const std::uint8_t* pixels, int width, int height, int stride, std::uint8_t* indices,
             int indexStride, Finder& find) {
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* dst = indices + static_cast<std::ptrdiff_t>(y) * indexStride;
        for (int x = 0; x < width; ++x, src += BytesPerPixel) {
            int b, g, r;
            ReadPixel<BytesPerPixel>(src, b, g, r);
            dst[x] = find(b, g, r);
        }
    }
}

} // namespace

bool NeuQuant::Map(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel,
                   std::uint8_t* indices, int indexStride) const {
    if (!ValidInput(pixels, width, height, stride, bitsPerPixel))
        return false;
    if (width == 0 || height == 0)
        return true;
    if (indices == nullptr || indexStride < width)
        return false;
    MapCache cache;
    auto find = [&](int b, int g, int r) {
        const std::uint32_t key = static_cast<std::uint32_t>(b) | (static_cast<std::uint32_t>(g) << 8) |
                                  (static_cast<std::uint32_t>(r) << 16);
        return cache.Find(key, [&] {
#if FRIMLET_NEUQUANT_AVX2
            if (m_avx2) {
                const int start = m_greenIndex[static_cast<std::size_t>(g)];
                return m_sorted[static_cast<std::size_t>(
                                    NearestInOrder(m_sortedB, m_sortedG, m_sortedR, start, b, g, r))]
                    .index;
            }
#endif
            return Lookup(b, g, r);
        });
    };
    switch (bitsPerPixel) {
    case 16:
        MapRows<2>(pixels, width, height, stride, indices, indexStride, find);
        break;
    case 24:
        MapRows<3>(pixels, width, height, stride, indices, indexStride, find);
        break;
    default:
        MapRows<4>(pixels, width, height, stride, indices, indexStride, find);
        break;
    }
    return true;
}

bool NeuQuant::Quantise(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel,
                        std::uint8_t* indices, int indexStride) {
    if (!ValidInput(pixels, width, height, stride, bitsPerPixel))
        return false;
    if (width > 0 && height > 0 && (indices == nullptr || indexStride < width))
        return false;
    return Learn(pixels, width, height, stride, bitsPerPixel) &&
           Map(pixels, width, height, stride, bitsPerPixel, indices, indexStride);
}
