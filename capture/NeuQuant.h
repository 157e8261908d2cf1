// Colour reduction to 256 colours for GIF output: a self-organising network of
// 256 neurons learns the colours of a sample of the image, and every pixel is
// then mapped to the nearest learned colour.
//
// Input pixels are rows of `stride` bytes, top row first: 16 bits per pixel is
// little-endian BGR565, 24 and 32 bits per pixel are the bytes blue, green, red
// (and one unused byte). Bytes past width pixels in a row are never read.
// All state lives in the object; results depend only on the input.
#pragma once

#include <array>
#include <cstdint>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define FRIMLET_NEUQUANT_AVX2 1
#else
#define FRIMLET_NEUQUANT_AVX2 0
#endif

class NeuQuant {
public:
    static constexpr int kNetSize = 256;

    struct Colour {
        std::uint8_t b;
        std::uint8_t g;
        std::uint8_t r;
        bool operator==(const Colour&) const = default;
    };

    // How the learning pass walks the image.
    struct Sampling {
        std::int64_t samples; // pixels learned from
        std::int64_t delta;   // samples per learning cycle
        std::int64_t step;    // distance in pixels between two samples
    };
    static Sampling SamplingFor(int width, int height);

    // allowWideVectors false keeps the learning and the mapping on the base
    // instruction set even where AVX2 is available. mapThreads is the number of
    // threads that share the mapping pass (0: one per processor); small images
    // are mapped on the calling thread. The results are the same either way.
    explicit NeuQuant(bool allowWideVectors = true, int mapThreads = 0);

    // Learns the palette from the image, then writes one palette index per pixel
    // into `indices` (rows of `indexStride` bytes; the bytes past width in a row
    // are left alone). Returns false, touching nothing, when the bit depth is not
    // 16, 24 or 32 or a size or stride is negative or too small.
    bool Quantise(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel,
                  std::uint8_t* indices, int indexStride);

    // The two halves of Quantise. Map uses the palette of the last Learn.
    bool Learn(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel);
    bool Map(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel,
             std::uint8_t* indices, int indexStride) const;

    // Palette of the last Learn (before any Learn: the initial grey ramp).
    const std::array<Colour, kNetSize>& Palette() const { return m_palette; }

    // Palette position of the colour nearest to (b, g, r) by the sum of the
    // absolute differences, found through the green index. Components outside
    // 0..255 are clamped.
    int Lookup(int b, int g, int r) const;

private:
    static bool ValidInput(const std::uint8_t* pixels, int width, int height, int stride, int bitsPerPixel);
    void Reset();
    int Contest(int b, int g, int r);
    void Alter(int i, int b, int g, int r);
    void SetRadius(int alpha, int rad);
    void Finish();
    template <int BytesPerPixel>
    void MapBlock(const std::uint8_t* pixels, int width, int rowBegin, int rowEnd, int stride,
                  std::uint8_t* indices, int indexStride, void* cache) const;

    // Learning state, one array per component so that the per-sample work
    // over all neurons runs on whole vectors. Colours are held as 16 x the
    // 8-bit value (0..4080). m_freq holds each neuron's frequency less its
    // starting value 256 (0..65280): the bias of the published algorithm is
    // always 1024 x (256 - frequency), so it needs no array of its own. The
    // arrays run past the last neuron so that vector stores of the
    // neighbourhood update may overrun it; those lanes belong to no neuron.
    static constexpr int kPad = 16;
    alignas(64) std::int16_t m_b[kNetSize + kPad];
    alignas(64) std::int16_t m_g[kNetSize + kPad];
    alignas(64) std::int16_t m_r[kNetSize + kPad];
    alignas(64) std::uint16_t m_freq[kNetSize];
    // Neighbourhood weights by distance d from the chosen neuron, at
    // m_radPower[kRadCentre + d]; zero from the radius on.
    static constexpr int kRadCentre = 48;
    alignas(64) std::int32_t m_radPower[2 * kRadCentre];
    int m_nRad = 0;

    // After learning: the neurons sorted by green, each with its palette
    // position, and for every green value the neuron where a search starts.
    struct Neuron {
        std::int32_t b, g, r, index;
    };
    std::array<Neuron, kNetSize> m_sorted;
    alignas(64) std::int16_t m_sortedB[kNetSize];
    alignas(64) std::int16_t m_sortedG[kNetSize];
    alignas(64) std::int16_t m_sortedR[kNetSize];
    std::array<std::int32_t, 256> m_greenIndex;
    std::array<Colour, kNetSize> m_palette;
    bool m_bAvx2 = false; // the processor runs the AVX2 builds of the searches
    int m_nMapThreads = 1;
};
