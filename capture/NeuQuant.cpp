#include "capture/NeuQuant.h"

#include "capture/NeuQuantAvx2.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <thread>
#include <vector>

namespace {

constexpr int kNetBiasShift = 4;  // colours are held as 16 x the 8-bit value
constexpr int kIntBiasShift = 16; // frequency and bias are fixed point with 16 fraction bits
constexpr int kBetaShift = 10;    // beta = 1/1024
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
// The sampling strides: primes near 500, the first that does not divide the
// image's length (the last when all do), so the samples spread over the
// whole image.
constexpr int kPrimes[] = {499, 491, 487, 503};

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

// The published bias of a neuron is 1024 x (256 - frequency) at every step:
// both start at their initial values, every frequency change of -f (decay) or
// +64 (the winner's gain) comes with a bias change of +1024 f or -65536. So the
// biased distance dist - (bias >> 12) is dist + ceil(h / 4) with
// h = frequency - 256, and the decay frequency >> 10 is
// ((h >> 2) + 64) >> 8. A frequency never decays below 1024 >> 10 = 1 step,
// so it never falls below 256, and it cannot rise above 65536, so h fits 16
// bits unsigned; a biased distance is at most 12240 + 16320 and fits 16 bits.
static_assert(kBetaGamma == kBeta << kGammaShift);
static_assert(kIntBiasShift - kNetBiasShift == 12 && kGammaShift == 10);
constexpr int kFreqGain = kBeta; // 64
#if FRIMLET_NEUQUANT_AVX2
static_assert(kAlphaRadBias == 1 << neuquant_avx2::kWeightShift);
#endif

inline int BiasTerm(int h) {
    return (h + 3) >> 2;
}
inline int FreqDecay(int h) {
    return ((h >> 2) + 64) >> 8;
}

// A table of colours already mapped: the search is a pure function of the
// colour, and screens repeat few colours many times. Every slot holds a 24-bit
// colour and its palette index; before use every slot holds white with the
// index white maps to, so a slot is never empty.
class MapCache {
public:
    void Prepare(int bits, std::uint8_t whiteIndex) {
        m_nShift = 32 - bits;
        m_slots.assign(std::size_t{1} << bits, 0xFFFFFF00u | whiteIndex);
    }
    template <class Search> std::uint8_t Find(std::uint32_t key, bool& missed, Search search) {
        std::uint32_t& slot = m_slots[(key * 0x9E3779B1u) >> m_nShift];
        if ((slot >> 8) != key) {
            slot = (key << 8) | static_cast<std::uint8_t>(search());
            missed = true;
        }
        return static_cast<std::uint8_t>(slot);
    }

private:
    int m_nShift = 16;
    std::vector<std::uint32_t> m_slots;
};

} // namespace

NeuQuant::NeuQuant(bool allowWideVectors, int mapThreads) {
#if FRIMLET_NEUQUANT_AVX2
    __builtin_cpu_init();
    m_bAvx2 = allowWideVectors && __builtin_cpu_supports("avx2");
#else
    (void)allowWideVectors;
#endif
    if (mapThreads <= 0)
        mapThreads = static_cast<int>(std::thread::hardware_concurrency());
    m_nMapThreads = std::clamp(mapThreads, 1, 16);
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
        return s;
    }
    s.step = kPrimes[std::size(kPrimes) - 1];
    for (int prime : kPrimes) {
        if (lengthCount % prime != 0) {
            s.step = prime;
            break;
        }
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
    for (int i = 0; i < kNetSize + kPad; ++i) {
        const int v = i < kNetSize ? (i << (kNetBiasShift + 8)) / kNetSize : 0;
        m_b[i] = m_g[i] = m_r[i] = static_cast<std::int16_t>(v);
    }
    std::fill(std::begin(m_freq), std::end(m_freq), std::uint16_t{0});
}

namespace {

// Finds the neuron nearest to the sample (the winner) and the one nearest
// counting its bias (the chosen one, returned), the lowest position winning
// ties in both, then lets every frequency decay and the winner's gain.
int ContestBase(const std::int16_t* nb, const std::int16_t* ng, const std::int16_t* nr, std::uint16_t* freq,
                int b, int g, int r) {
    // The distance goes to the high bits of a key whose low 8 bits are the
    // position, so one minimum gives the lowest position among equals.
    int bestKey = INT_MAX;
    int bestBiasKey = INT_MAX;
    for (int i = 0; i < NeuQuant::kNetSize; ++i) {
        const int dist = std::abs(nb[i] - b) + std::abs(ng[i] - g) + std::abs(nr[i] - r);
        const int key = dist * 256 + i;
        bestKey = key < bestKey ? key : bestKey;
        const int biasKey = (dist + BiasTerm(freq[i])) * 256 + i;
        bestBiasKey = biasKey < bestBiasKey ? biasKey : bestBiasKey;
    }
    for (int i = 0; i < NeuQuant::kNetSize; ++i)
        freq[i] = static_cast<std::uint16_t>(freq[i] - FreqDecay(freq[i]));
    freq[bestKey & 0xFF] = static_cast<std::uint16_t>(freq[bestKey & 0xFF] + kFreqGain);
    return bestBiasKey & 0xFF;
}

// Moves neurons lo .. hi - 1 toward the sample by their weight / 2^18, the
// weight of neuron k being radPower[k - i] (radPower points at distance 0).
void AlterBase(std::int16_t* nb, std::int16_t* ng, std::int16_t* nr, const std::int32_t* radPower, int lo,
               int hi, int i, int b, int g, int r) {
    for (int k = lo; k < hi; ++k) {
        const int a = radPower[k - i];
        nb[k] = static_cast<std::int16_t>(nb[k] - (a * (nb[k] - b)) / kAlphaRadBias);
        ng[k] = static_cast<std::int16_t>(ng[k] - (a * (ng[k] - g)) / kAlphaRadBias);
        nr[k] = static_cast<std::int16_t>(nr[k] - (a * (nr[k] - r)) / kAlphaRadBias);
    }
}

} // namespace

int NeuQuant::Contest(int b, int g, int r) {
#if FRIMLET_NEUQUANT_AVX2
    if (m_bAvx2)
        return neuquant_avx2::Contest(m_b, m_g, m_r, m_freq, b, g, r, kFreqGain);
#endif
    return ContestBase(m_b, m_g, m_r, m_freq, b, g, r);
}

// Moves the chosen neuron i toward the sample by alpha / 1024 and, while the
// radius is above 1, its neighbours at distance 1 .. rad - 1 on both sides by
// radpower(m) / 2^18. The chosen neuron's weight is stored as alpha x 256, so
// that one division by 2^18 serves all.
void NeuQuant::Alter(int i, int b, int g, int r) {
    const int lo = m_nRad == 0 ? i : std::max(i - m_nRad + 1, 0);
    const int hi = m_nRad == 0 ? i + 1 : std::min(i + m_nRad, kNetSize);
    const std::int32_t* radPower = m_radPower + kRadCentre;
#if FRIMLET_NEUQUANT_AVX2
    if (m_bAvx2)
        return neuquant_avx2::Alter(m_b, m_g, m_r, radPower, lo, hi, i, b, g, r);
#endif
    AlterBase(m_b, m_g, m_r, radPower, lo, hi, i, b, g, r);
}

void NeuQuant::SetRadius(int alpha, int rad) {
    static_assert(kInitRadius >> kRadiusBiasShift < kRadCentre - 8);
    m_nRad = rad;
    std::fill(std::begin(m_radPower), std::end(m_radPower), 0);
    m_radPower[kRadCentre] = alpha * kRadBias; // alpha / 1024 = alpha x 256 / 2^18
    for (int m = 1; m < rad; ++m)
        m_radPower[kRadCentre + m] = m_radPower[kRadCentre - m] =
            alpha * (((rad * rad - m * m) * kRadBias) / (rad * rad));
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
        // Next sample: step pixels further in reading order, wrapping at the
        // end of the image. The step may exceed the pixel count of a small
        // image, so the row wraps by remainder, not by one height.
        const auto advance = [&](std::int64_t& x, std::int64_t& y) {
            x += stepX;
            y += stepY;
            if (x >= width) {
                x -= width;
                ++y;
            }
            if (y >= height)
                y %= height;
        };
        const auto address = [&](std::int64_t x, std::int64_t y) {
            return pixels + static_cast<std::ptrdiff_t>(y * stride + x * bytesPerPixel);
        };
        // The samples lie far apart, so the pixel of a sample a few steps
        // ahead is fetched while the network works on this one.
        constexpr int kAhead = 8;
        std::int64_t x = 0, y = 0, aheadX = 0, aheadY = 0;
        for (int k = 0; k < kAhead; ++k)
            advance(aheadX, aheadY);
        int alpha = kInitAlpha;
        int radius = kInitRadius;
        const auto radiusOf = [](int rad) { return rad <= 1 ? 0 : rad; };
        SetRadius(alpha, radiusOf(radius >> kRadiusBiasShift));
        std::int64_t untilCycleEnd = s.delta;
        for (std::int64_t i = 0; i < s.samples; ++i) {
            int b, g, r;
            ReadPixel(address(x, y), bytesPerPixel, b, g, r);
            b <<= kNetBiasShift;
            g <<= kNetBiasShift;
            r <<= kNetBiasShift;
            Alter(Contest(b, g, r), b, g, r);
            advance(x, y);
            advance(aheadX, aheadY);
            __builtin_prefetch(address(aheadX, aheadY));
            if (--untilCycleEnd == 0) {
                untilCycleEnd = s.delta;
                alpha -= alpha / kAlphaDec;
                radius -= radius / kRadiusDec;
                SetRadius(alpha, radiusOf(radius >> kRadiusBiasShift));
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
        m_sortedB[i] = static_cast<std::int16_t>(n.b);
        m_sortedG[i] = static_cast<std::int16_t>(n.g);
        m_sortedR[i] = static_cast<std::int16_t>(n.r);
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

// The three colour bytes of a pixel as one key: blue, green << 8, red << 16.
template <int BytesPerPixel> inline std::uint32_t PixelKey(const std::uint8_t* p) {
    int b, g, r;
    ReadPixel<BytesPerPixel>(p, b, g, r);
    return static_cast<std::uint32_t>(b) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(r) << 16);
}

} // namespace

// Maps rows rowBegin .. rowEnd - 1. A pixel equal to the one before it takes
// its index; others go through the colour table, which rows of mostly new
// colours (photos, noise) skip for a while, as it would only cost there.
template <int BytesPerPixel>
void NeuQuant::MapBlock(const std::uint8_t* pixels, int width, int rowBegin, int rowEnd, int stride,
                        std::uint8_t* indices, int indexStride, void* cacheMemory) const {
    MapCache& cache = *static_cast<MapCache*>(cacheMemory);
    const auto search = [this](std::uint32_t key) {
        const int b = static_cast<int>(key & 0xFF), g = static_cast<int>((key >> 8) & 0xFF),
                  r = static_cast<int>(key >> 16);
#if FRIMLET_NEUQUANT_AVX2
        if (m_bAvx2)
            return m_sorted[static_cast<std::size_t>(neuquant_avx2::NearestInOrder(
                                m_sortedB, m_sortedG, m_sortedR, m_greenIndex[static_cast<std::size_t>(g)], b,
                                g, r))]
                .index;
#endif
        return Lookup(b, g, r);
    };
    constexpr int kSkipRows = 15;
    int skipCache = 0;
    for (int y = rowBegin; y < rowEnd; ++y) {
        const std::uint8_t* src = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* dst = indices + static_cast<std::ptrdiff_t>(y) * indexStride;
        const bool useCache = skipCache == 0;
        if (!useCache)
            --skipCache;
        int misses = 0;
        std::uint32_t previous = 0xFFFFFFFFu; // no colour
        std::uint8_t previousIndex = 0;
        for (int x = 0; x < width; ++x, src += BytesPerPixel) {
            const std::uint32_t key = PixelKey<BytesPerPixel>(src);
            if (key != previous) {
                previous = key;
                if (useCache) {
                    bool missed = false;
                    previousIndex = cache.Find(key, missed, [&] { return search(key); });
                    misses += missed;
                } else {
                    previousIndex = static_cast<std::uint8_t>(search(key));
                }
            }
            dst[x] = previousIndex;
        }
        if (useCache && width >= 64 && misses * 8 > width * 7)
            skipCache = kSkipRows;
    }
}

bool NeuQuant::Map(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel,
                   std::uint8_t* indices, int indexStride) const {
    if (!ValidInput(pixels, width, height, stride, bitsPerPixel))
        return false;
    if (width == 0 || height == 0)
        return true;
    if (indices == nullptr || indexStride < width)
        return false;

    // Fixed blocks of rows, one per thread, each with its own colour table:
    // every pixel's index depends on its colour alone, so the result does not
    // depend on how the rows are shared out.
    const std::int64_t pixelCount = static_cast<std::int64_t>(width) * height;
    constexpr std::int64_t kPixelsPerThread = std::int64_t{1} << 16;
    const int blocks = static_cast<int>(std::min<std::int64_t>(
        {m_nMapThreads, height, std::max<std::int64_t>(1, pixelCount / kPixelsPerThread)}));
    const std::uint8_t white = static_cast<std::uint8_t>(Lookup(255, 255, 255));
    std::vector<MapCache> caches(static_cast<std::size_t>(blocks));
    for (MapCache& cache : caches)
        cache.Prepare(pixelCount >= kPixelsPerThread ? 16 : 10, white);
    const auto mapBlock = [&](int block) {
        const int rowBegin = static_cast<int>(static_cast<std::int64_t>(height) * block / blocks);
        const int rowEnd = static_cast<int>(static_cast<std::int64_t>(height) * (block + 1) / blocks);
        void* cache = &caches[static_cast<std::size_t>(block)];
        switch (bitsPerPixel) {
        case 16:
            MapBlock<2>(pixels, width, rowBegin, rowEnd, stride, indices, indexStride, cache);
            break;
        case 24:
            MapBlock<3>(pixels, width, rowBegin, rowEnd, stride, indices, indexStride, cache);
            break;
        default:
            MapBlock<4>(pixels, width, rowBegin, rowEnd, stride, indices, indexStride, cache);
            break;
        }
    };
    std::vector<std::thread> workers;
    std::vector<int> leftOver; // blocks whose thread could not be started
    for (int block = 1; block < blocks; ++block) {
        try {
            workers.emplace_back(mapBlock, block);
        } catch (const std::exception&) {
            leftOver.push_back(block);
        }
    }
    mapBlock(0);
    for (int block : leftOver)
        mapBlock(block);
    for (std::thread& worker : workers)
        worker.join();
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
