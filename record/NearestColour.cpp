#include "record/NearestColour.h"

#include <algorithm>
#include <cstddef>

void NearestColour::Assign(const GifWriter::Palette& palette) {
    m_palette = palette;
    m_sorted.clear();
    for (std::size_t i = 0; i < palette.size(); ++i)
        m_sorted.push_back(Entry{palette[i].b, palette[i].g, palette[i].r, static_cast<int>(i)});
    std::sort(m_sorted.begin(), m_sorted.end(),
              [](const Entry& a, const Entry& b) { return a.g != b.g ? a.g < b.g : a.index < b.index; });
    std::size_t at = 0;
    for (int g = 0; g <= 256; ++g) {
        while (at < m_sorted.size() && m_sorted[at].g < g)
            ++at;
        m_greenStart[g] = static_cast<int>(at);
    }
    m_keys.assign(kSlots, 0);
    m_answers.assign(kSlots, 0);
    m_nUsed = 0;
}

int NearestColour::Find(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    const std::uint32_t key =
        ((static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | b) + 1;
    std::size_t slot = (key * 2654435761u) >> (32 - kBits);
    for (; m_keys[slot] != 0; slot = (slot + 1) & (kSlots - 1))
        if (m_keys[slot] == key)
            return m_answers[slot];
    const int best = Search(b, g, r);
    if (!Full()) {
        m_keys[slot] = key;
        m_answers[slot] = static_cast<std::uint8_t>(best);
        ++m_nUsed;
    }
    return best;
}

// Walks the entries outwards from the pixel's green, each way until the
// green difference alone is as far as the nearest found.
int NearestColour::Search(int b, int g, int r) const {
    int best = -1, bestDistance = 0;
    auto consider = [&](const Entry& e) {
        const int db = b - e.b, dg = g - e.g, dr = r - e.r;
        const int d = db * db + dg * dg + dr * dr;
        if (best < 0 || d < bestDistance || (d == bestDistance && e.index < best)) {
            bestDistance = d;
            best = e.index;
        }
    };
    const int n = static_cast<int>(m_sorted.size());
    for (int i = m_greenStart[g]; i < n; ++i) {
        const int dg = m_sorted[i].g - g;
        if (best >= 0 && dg * dg > bestDistance)
            break;
        consider(m_sorted[i]);
    }
    for (int i = m_greenStart[g] - 1; i >= 0; --i) {
        const int dg = g - m_sorted[i].g;
        if (best >= 0 && dg * dg > bestDistance)
            break;
        consider(m_sorted[i]);
    }
    return best < 0 ? 0 : best;
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
