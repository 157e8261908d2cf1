// Maps pixels to the palette entry nearest to them by the sum of the squared
// differences of blue, green and red (the earliest of equals), remembering
// the answers for the colours met so far.
#pragma once

#include "record/GifWriter.h"

#include <cstdint>
#include <vector>

class NearestColour {
public:
    // A palette of 1 to 256 colours; the answers remembered are forgotten.
    void Assign(const GifWriter::Palette& palette);

    int Find(std::uint8_t b, std::uint8_t g, std::uint8_t r);
    // Whether no more answers can be remembered.
    bool Full() const { return m_nUsed >= kRemembered; }
    // Writes the entry of each pixel of a width x height block of blue,
    // green, red pixels (rows `stride` bytes apart) into indices (rows
    // indexStride bytes apart).
    void Map(const std::uint8_t* bgr, int width, int height, int stride, std::uint8_t* indices,
             int indexStride);

private:
    int Search(int b, int g, int r) const;

    static constexpr int kBits = 18;
    static constexpr std::size_t kSlots = std::size_t{1} << kBits;
    static constexpr std::size_t kRemembered = kSlots / 4 * 3; // at most three quarters full
    GifWriter::Palette m_palette;
    // The entries sorted by green (then by position), and for each green
    // value the first of them with that green or more.
    struct Entry {
        int b, g, r, index;
    };
    std::vector<Entry> m_sorted;
    int m_greenStart[257] = {};
    std::vector<std::uint32_t> m_keys; // colour + 1; 0 marks a free slot
    std::vector<std::uint8_t> m_answers;
    std::size_t m_nUsed = 0;
};
