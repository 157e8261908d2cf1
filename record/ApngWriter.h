// An animated PNG written frame by frame: 8-bit red, green and blue, or
// with `over` also alpha, every pixel shown opaque; looping forever. The
// first frame covers the whole image and is also the still picture that
// programs without animation show; every later frame covers a rectangle and
// replaces the pixels under it or, with `over` and where that takes fewer
// bytes, is drawn over them with the pixels that equal them transparent. Frame data is deflated through zlib;
// the frame count in the header is filled in by End.
#pragma once

#include "record/ByteSink.h"

#include <cstdint>
#include <memory>
#include <vector>

class ApngWriter {
public:
    // level: zlib's compression level, 1 (fastest) to 9 (smallest).
    explicit ApngWriter(ByteSink& sink, int level = 6, bool over = false);
    ~ApngWriter();
    ApngWriter(const ApngWriter&) = delete;
    ApngWriter& operator=(const ApngWriter&) = delete;

    bool Begin(int width, int height);
    // Pixels: height rows of width blue, green, red bytes, top row first,
    // stride bytes apart. The delay is delayNum / delayDen seconds (delayDen
    // 0 means hundredths). The first frame must cover the whole image.
    // under: the pixels shown there before (same layout), or null; used
    // only with `over`. Returns
    // false, writing nothing, for a rectangle outside the image.
    bool AddFrame(int x, int y, int width, int height, const std::uint8_t* bgr, int stride, int delayNum,
                  int delayDen, const std::uint8_t* under = nullptr);
    // The end chunk, then the frame count in the header.
    bool End();

    int Frames() const { return m_nFrames; }

    // Offset in the file of the animation control chunk's frame count.
    static constexpr std::uint64_t kFrameCountOffset = 8 + 25 + 8;

private:
    bool PutChunk(const char* type, const std::vector<std::uint8_t>& data);
    bool Deflate(int width, int height, const std::uint8_t* bgr, int stride, const std::uint8_t* under,
                 std::vector<std::uint8_t>& out);

    struct Stream;
    ByteSink& m_sink;
    std::unique_ptr<Stream> m_pStream;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nFrames = 0;
    bool m_bOver = false;
    std::uint32_t m_nSequence = 0;
    std::vector<std::uint8_t> m_rows;     // filtered rows, each a filter byte then RGBA
    std::vector<std::uint8_t> m_previous; // the row above, unfiltered RGBA
    std::vector<std::uint8_t> m_current;
    std::vector<std::uint8_t> m_data;  // chunk data
    std::vector<std::uint8_t> m_frame; // a frame's sequence number and deflated rows
    std::vector<std::uint8_t> m_over;
    std::vector<std::uint8_t> m_chunk;
};
