#include "record/NearestColour.h"

#include <algorithm>
#include <cstddef>

void NearestColour::Assign(const GifWriter::Palette& palette) {
    m_palette = palette;
    m_keys.assign(kSlots, 0);
    m_answers.assign(kSlots, 0);
    m_nUsed = 0;
}

int NearestColour::Find(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    const std::uint32_t key =
        ((static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | b) + 1;
    std::size_t slot = (key * 2654435761u >> 16) & (kSlots - 1);
    for (; m_keys[slot] != 0; slot = (slot + 1) & (kSlots - 1))
        if (m_keys[slot] == key)
            return m_answers[slot];
    int best = 0;
    int bestDistance = -1;
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        const int db = b - m_palette[i].b, dg = g - m_palette[i].g, dr = r - m_palette[i].r;
        const int d = db * db + dg * dg + dr * dr;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    // Remembered while the table is at most three quarters full.
    if (m_nUsed < kSlots / 4 * 3) {
        m_keys[slot] = key;
        m_answers[slot] = static_cast<std::uint8_t>(best);
        ++m_nUsed;
    }
    return best;
}

void NearestColour::Map(const std::uint8_t* bgr, int width, int height, int stride, std::uint8_t* indices,
                        int indexStride) {
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = bgr + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* out = indices + static_cast<std::ptrdiff_t>(y) * indexStride;
        std::uint32_t last = 0; // colour + 1 of the pixel before
        std::uint8_t lastIndex = 0;
        for (int x = 0; x < width; ++x, p += 3) {
            const std::uint32_t key =
                ((static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0]) +
                1;
            if (key != last) {
                last = key;
                lastIndex = static_cast<std::uint8_t>(Find(p[0], p[1], p[2]));
            }
            out[x] = lastIndex;
        }
    }
}
