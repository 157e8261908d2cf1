// The distinct colours of a frame's rectangle, when there are few enough to
// write every pixel exactly, and each pixel's position among them.
#pragma once

#include "record/FrameChanges.h"
#include "record/GifWriter.h"

#include <cstdint>
#include <vector>

class ExactPalette {
public:
    ExactPalette();

    // Collects the colours of rect in a frame width pixels wide (blue, green,
    // red, rows packed), in the order they first appear; with a mask (one
    // byte per pixel of rect, rows packed), only those of the pixels whose
    // byte is not 0. Returns false when there are more than limit (at most
    // 256); the palette is then empty.
    bool Collect(const std::uint8_t* bgr, int width, const FrameChanges::Rect& rect, int limit,
                 const std::uint8_t* mask = nullptr);
    // Makes the palette these colours (at most 256, no repeats).
    void Assign(const GifWriter::Palette& colours);

    // Position of the colour, -1 when it is not in the palette.
    int Find(std::uint8_t b, std::uint8_t g, std::uint8_t r) const;
    // Whether every colour of other is in this palette.
    bool Covers(const ExactPalette& other) const;
    // Writes the position of each pixel of rect, rows packed; every colour
    // must be in the palette. With a mask, the pixels whose byte is 0 get
    // `skip` instead.
    void Map(const std::uint8_t* bgr, int width, const FrameChanges::Rect& rect, std::uint8_t* out,
             const std::uint8_t* mask = nullptr, std::uint8_t skip = 0) const;

    const GifWriter::Palette& Colours() const { return m_colours; }
    int Size() const { return static_cast<int>(m_colours.size()); }

private:
    void Clear();
    int Insert(std::uint32_t key);

    static constexpr int kSlots = 1024;
    std::vector<std::uint32_t> m_keys; // colour + 1; 0 marks a free slot
    std::vector<std::uint8_t> m_indices;
    GifWriter::Palette m_colours;
};
