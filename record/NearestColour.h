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
    // Writes the entry of each pixel of a width x height block of blue,
    // green, red pixels (rows `stride` bytes apart) into indices (rows
    // indexStride bytes apart).
    void Map(const std::uint8_t* bgr, int width, int height, int stride, std::uint8_t* indices,
             int indexStride);

private:
    static constexpr std::size_t kSlots = std::size_t{1} << 16;
    GifWriter::Palette m_palette;
    std::vector<std::uint32_t> m_keys; // colour + 1; 0 marks a free slot
    std::vector<std::uint8_t> m_answers;
    std::size_t m_nUsed = 0;
};
