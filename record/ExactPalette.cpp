#include "record/ExactPalette.h"

#include <algorithm>
#include <cstddef>

namespace {

std::uint32_t Key(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    return ((static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | b) + 1;
}

std::size_t SlotOf(std::uint32_t key, int slots) {
    return (key * 2654435761u >> 16) & static_cast<std::uint32_t>(slots - 1);
}

} // namespace

ExactPalette::ExactPalette() : m_keys(kSlots, 0), m_indices(kSlots, 0) {}

void ExactPalette::Clear() {
    std::fill(m_keys.begin(), m_keys.end(), 0);
    m_colours.clear();
}

// The slot of key, added when new; -1 when it is new and the palette is full.
int ExactPalette::Insert(std::uint32_t key) {
    std::size_t slot = SlotOf(key, kSlots);
    while (m_keys[slot] != 0) {
        if (m_keys[slot] == key)
            return static_cast<int>(slot);
        slot = (slot + 1) & (kSlots - 1);
    }
    if (m_colours.size() >= 256)
        return -1;
    m_keys[slot] = key;
    m_indices[slot] = static_cast<std::uint8_t>(m_colours.size());
    const std::uint32_t c = key - 1;
    m_colours.push_back(GifWriter::Rgb{static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                       static_cast<std::uint8_t>(c)});
    return static_cast<int>(slot);
}

bool ExactPalette::Collect(const std::uint8_t* bgr, int width, const FrameChanges::Rect& rect, int limit,
                           const std::uint8_t* mask) {
    Clear();
    std::uint32_t last = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const std::uint8_t* p = bgr + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(rect.x)) *
                                          3;
        for (int x = 0; x < rect.width; ++x, p += 3) {
            if (mask && *mask++ == 0)
                continue;
            const std::uint32_t key = Key(p[0], p[1], p[2]);
            if (key == last)
                continue;
            last = key;
            if (Insert(key) < 0 || static_cast<int>(m_colours.size()) > limit) {
                Clear();
                return false;
            }
        }
    }
    return true;
}

void ExactPalette::Assign(const GifWriter::Palette& colours) {
    Clear();
    for (const auto& c : colours)
        Insert(Key(c.b, c.g, c.r));
}

int ExactPalette::Find(std::uint8_t b, std::uint8_t g, std::uint8_t r) const {
    const std::uint32_t key = Key(b, g, r);
    std::size_t slot = SlotOf(key, kSlots);
    while (m_keys[slot] != 0) {
        if (m_keys[slot] == key)
            return m_indices[slot];
        slot = (slot + 1) & (kSlots - 1);
    }
    return -1;
}

bool ExactPalette::Covers(const ExactPalette& other) const {
    return std::all_of(other.m_colours.begin(), other.m_colours.end(),
                       [&](const GifWriter::Rgb& c) { return Find(c.b, c.g, c.r) >= 0; });
}

void ExactPalette::Map(const std::uint8_t* bgr, int width, const FrameChanges::Rect& rect, std::uint8_t* out,
                       const std::uint8_t* mask, std::uint8_t skip) const {
    std::uint32_t last = 0;
    std::uint8_t lastIndex = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const std::uint8_t* p = bgr + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(rect.x)) *
                                          3;
        for (int x = 0; x < rect.width; ++x, p += 3) {
            if (mask && *mask++ == 0) {
                *out++ = skip;
                continue;
            }
            const std::uint32_t key = Key(p[0], p[1], p[2]);
            if (key != last) {
                last = key;
                const int found = Find(p[0], p[1], p[2]);
                lastIndex = static_cast<std::uint8_t>(found < 0 ? 0 : found);
            }
            *out++ = lastIndex;
        }
    }
}
