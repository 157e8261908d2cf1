#include "record/ApngWriter.h"

#include <zlib.h>

#include <cstdlib>

struct ApngWriter::Stream {
    z_stream z{};
    bool bReady = false;
};

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.insert(out.end(), {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                           static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

void Put16(std::vector<std::uint8_t>& out, int value) {
    out.insert(out.end(), {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// The byte a PNG filter (0 none, 1 sub, 2 up, 3 average, 4 Paeth) predicts
// for byte i of a row of Bpp bytes per pixel (RGB or RGBA), from the row so
// far and the row above (null for the first row).
template <std::size_t Bpp>
int Predicted(int filter, const std::uint8_t* row, const std::uint8_t* above, std::size_t i) {
    const int a = i >= Bpp ? row[i - Bpp] : 0;
    const int b = above ? above[i] : 0;
    const int c = above && i >= Bpp ? above[i - Bpp] : 0;
    switch (filter) {
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return (a + b) / 2;
    case 4:
        return Paeth(a, b, c);
    default:
        return 0;
    }
}

// Filters one row with each of the five filters and appends the one whose
// bytes, read as signed, have the smallest sum of magnitudes.
template <std::size_t Bpp>
void PutFilteredRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t n,
                    std::vector<std::uint8_t>& out) {
    long best = -1;
    int bestFilter = 0;
    for (int filter = 0; filter < 5; ++filter) {
        long sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const auto value = static_cast<std::int8_t>(
                static_cast<std::uint8_t>(row[i] - Predicted<Bpp>(filter, row, above, i)));
            sum += value < 0 ? -value : value;
        }
        if (best < 0 || sum < best) {
            best = sum;
            bestFilter = filter;
        }
    }
    out.push_back(static_cast<std::uint8_t>(bestFilter));
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(static_cast<std::uint8_t>(row[i] - Predicted<Bpp>(bestFilter, row, above, i)));
}

} // namespace

ApngWriter::ApngWriter(ByteSink& sink, int level, bool over)
    : m_sink(sink), m_pStream(std::make_unique<Stream>()), m_bOver(over) {
    m_pStream->bReady = deflateInit(&m_pStream->z, level < 1 ? 1 : level > 9 ? 9 : level) == Z_OK;
}

ApngWriter::~ApngWriter() {
    if (m_pStream->bReady)
        deflateEnd(&m_pStream->z);
}

bool ApngWriter::PutChunk(const char* type, const std::vector<std::uint8_t>& data) {
    m_chunk.clear();
    Put32(m_chunk, static_cast<std::uint32_t>(data.size()));
    m_chunk.insert(m_chunk.end(), type, type + 4);
    m_chunk.insert(m_chunk.end(), data.begin(), data.end());
    const uLong crc = crc32(0, m_chunk.data() + 4, static_cast<uInt>(m_chunk.size() - 4));
    Put32(m_chunk, static_cast<std::uint32_t>(crc));
    return m_sink.Write(m_chunk.data(), m_chunk.size());
}

bool ApngWriter::Begin(int width, int height) {
    if (!m_pStream->bReady || width < 1 || height < 1 || width > (1 << 24) || height > (1 << 24))
        return false;
    m_nWidth = width;
    m_nHeight = height;
    m_nFrames = 0;
    m_nSequence = 0;
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!m_sink.Write(signature, sizeof signature))
        return false;
    m_data.clear();
    Put32(m_data, static_cast<std::uint32_t>(width));
    Put32(m_data, static_cast<std::uint32_t>(height));
    // 8 bits, RGBA or RGB, deflate, adaptive filters, no interlace.
    m_data.insert(m_data.end(), {8, static_cast<std::uint8_t>(m_bOver ? 6 : 2), 0, 0, 0});
    if (!PutChunk("IHDR", m_data))
        return false;
    m_data.clear();
    Put32(m_data, 0); // frames: filled in by End
    Put32(m_data, 0); // loop forever
    return PutChunk("acTL", m_data);
}

// Appends to out the deflated rows of the frame: RGB, or RGBA with every
// pixel opaque or, with `under`, the pixels equal to it transparent black.
bool ApngWriter::Deflate(int width, int height, const std::uint8_t* bgr, int stride,
                         const std::uint8_t* under, std::vector<std::uint8_t>& out) {
    const std::size_t bpp = m_bOver ? 4 : 3;
    const std::size_t n = static_cast<std::size_t>(width) * bpp;
    m_rows.clear();
    m_rows.reserve((n + 1) * static_cast<std::size_t>(height));
    m_previous.resize(n);
    m_current.resize(n);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = bgr + static_cast<std::ptrdiff_t>(y) * stride;
        const std::uint8_t* old = under ? under + static_cast<std::ptrdiff_t>(y) * stride : nullptr;
        for (std::size_t i = 0, j = 0; i < n; i += bpp, j += 3) {
            if (old && old[j] == src[j] && old[j + 1] == src[j + 1] && old[j + 2] == src[j + 2]) {
                m_current[i] = m_current[i + 1] = m_current[i + 2] = m_current[i + 3] = 0;
                continue;
            }
            m_current[i] = src[j + 2];
            m_current[i + 1] = src[j + 1];
            m_current[i + 2] = src[j];
            if (bpp == 4)
                m_current[i + 3] = 0xFF;
        }
        const std::uint8_t* above = y > 0 ? m_previous.data() : nullptr;
        if (bpp == 4)
            PutFilteredRow<4>(m_current.data(), above, n, m_rows);
        else
            PutFilteredRow<3>(m_current.data(), above, n, m_rows);
        m_previous.swap(m_current);
    }
    z_stream& z = m_pStream->z;
    if (deflateReset(&z) != Z_OK)
        return false;
    const std::size_t head = out.size();
    out.resize(head + deflateBound(&z, static_cast<uLong>(m_rows.size())));
    z.next_in = m_rows.data();
    z.avail_in = static_cast<uInt>(m_rows.size());
    z.next_out = out.data() + head;
    z.avail_out = static_cast<uInt>(out.size() - head);
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        return false;
    out.resize(head + z.total_out);
    return true;
}

bool ApngWriter::AddFrame(int x, int y, int width, int height, const std::uint8_t* bgr, int stride,
                          int delayNum, int delayDen, const std::uint8_t* under) {
    if (width < 1 || height < 1 || x < 0 || y < 0 || x > m_nWidth - width || y > m_nHeight - height || !bgr ||
        stride < width * 3 || delayNum < 0 || delayNum > 65535 || delayDen < 0 || delayDen > 65535)
        return false;
    const bool first = m_nFrames == 0;
    if (first && (x != 0 || y != 0 || width != m_nWidth || height != m_nHeight))
        return false;
    // The frame's data, replacing the pixels under it or, where that is
    // smaller, drawn over them with its unchanged pixels transparent.
    const std::uint32_t sequence = m_nSequence + 1;
    m_frame.clear();
    if (!first)
        Put32(m_frame, sequence);
    if (!Deflate(width, height, bgr, stride, nullptr, m_frame))
        return false;
    bool over = false;
    if (!first && under && m_bOver) {
        m_over.clear();
        Put32(m_over, sequence);
        if (!Deflate(width, height, bgr, stride, under, m_over))
            return false;
        over = m_over.size() < m_frame.size();
        if (over)
            m_frame.swap(m_over);
    }
    m_data.clear();
    Put32(m_data, m_nSequence++);
    Put32(m_data, static_cast<std::uint32_t>(width));
    Put32(m_data, static_cast<std::uint32_t>(height));
    Put32(m_data, static_cast<std::uint32_t>(x));
    Put32(m_data, static_cast<std::uint32_t>(y));
    Put16(m_data, delayNum);
    Put16(m_data, delayDen);
    m_data.push_back(0);                                       // dispose: none, the frame stays
    m_data.push_back(static_cast<std::uint8_t>(over ? 1 : 0)); // blend: over, or replace
    if (!PutChunk("fcTL", m_data))
        return false;
    if (!first)
        ++m_nSequence;
    ++m_nFrames;
    return PutChunk(first ? "IDAT" : "fdAT", m_frame);
}

bool ApngWriter::End() {
    if (!PutChunk("IEND", {}))
        return false;
    std::vector<std::uint8_t> control;
    Put32(control, static_cast<std::uint32_t>(m_nFrames));
    Put32(control, 0);
    std::vector<std::uint8_t> typed = {'a', 'c', 'T', 'L'};
    typed.insert(typed.end(), control.begin(), control.end());
    Put32(control, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
    return m_sink.WriteAt(kFrameCountOffset, control.data(), control.size());
}
