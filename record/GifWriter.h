// A GIF89a file written frame by frame: a logical screen with an optional
// palette shared by the frames, looping forever (NETSCAPE2.0), and frames
// that each cover a rectangle of the screen with their own delay, an
// optional transparent index and an optional palette of their own.
#pragma once

#include "record/ByteSink.h"
#include "record/GifLzwEncoder.h"

#include <cstdint>
#include <vector>

class GifWriter {
public:
    struct Rgb {
        std::uint8_t r, g, b;
        bool operator==(const Rgb&) const = default;
    };
    using Palette = std::vector<Rgb>;

    struct Frame {
        int x = 0, y = 0, width = 0, height = 0;
        const std::uint8_t* indices = nullptr; // width * height, rows top first
        const Palette* palette = nullptr;      // null: the shared palette
        int delay = 0;                         // hundredths of a second, 0..65535
        int transparent = -1;                  // index shown as the pixel below it; -1: none
    };

    explicit GifWriter(ByteSink& sink) : m_sink(sink) {}

    // The header, the logical screen of width x height and the loop. shared
    // may be null (then every frame needs its own palette); palettes hold 1
    // to 256 colours.
    bool Begin(int width, int height, const Palette* shared);
    // Returns false, writing nothing, for a rectangle outside the screen, a
    // frame without any palette, or an index beyond its palette.
    bool AddFrame(const Frame& frame);
    bool End();

    // Bits per entry of the colour table that holds this many colours (1..8).
    static int TableBits(int colours);

    // Encodes each of count ways to write the same frame and writes the one
    // that takes the fewest bytes (the earliest of equals); false, writing
    // nothing, when any is not valid.
    bool AddSmallest(const Frame* frames, std::size_t count);

private:
    bool Valid(const Frame& frame) const;
    void Build(const Frame& frame, std::vector<std::uint8_t>& out);
    static void PutTable(const Palette& palette, std::vector<std::uint8_t>& out);

    ByteSink& m_sink;
    GifLzwEncoder m_lzw;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bShared = false;
    int m_nSharedColours = 0;
    std::vector<std::uint8_t> m_codes;
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::uint8_t> m_other;
};
