#include "record/GifWriter.h"

namespace {

void PutText(std::vector<std::uint8_t>& out, const char* text) {
    while (*text)
        out.push_back(static_cast<std::uint8_t>(*text++));
}

void Put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

} // namespace

int GifWriter::TableBits(int colours) {
    int bits = 1;
    while ((1 << bits) < colours && bits < 8)
        ++bits;
    return bits;
}

void GifWriter::PutTable(const Palette& palette, std::vector<std::uint8_t>& out) {
    const int entries = 1 << TableBits(static_cast<int>(palette.size()));
    for (int i = 0; i < entries; ++i) {
        const Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
        out.insert(out.end(), {c.r, c.g, c.b});
    }
}

bool GifWriter::Begin(int width, int height, const Palette* shared) {
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        return false;
    if (shared && (shared->empty() || shared->size() > 256))
        return false;
    m_nWidth = width;
    m_nHeight = height;
    m_bShared = shared != nullptr;
    m_nSharedColours = shared ? static_cast<int>(shared->size()) : 0;
    m_bytes.clear();
    PutText(m_bytes, "GIF89a");
    Put16(m_bytes, width);
    Put16(m_bytes, height);
    // Colour resolution 8 bits; the shared table, when there is one.
    m_bytes.push_back(
        static_cast<std::uint8_t>(0x70 | (shared ? 0x80 | (TableBits(m_nSharedColours) - 1) : 0)));
    m_bytes.push_back(0); // background colour index
    m_bytes.push_back(0); // no pixel aspect ratio
    if (shared)
        PutTable(*shared, m_bytes);
    // Application extension: loop forever.
    m_bytes.insert(m_bytes.end(), {0x21, 0xFF, 0x0B});
    PutText(m_bytes, "NETSCAPE2.0");
    m_bytes.insert(m_bytes.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
    return m_sink.Write(m_bytes.data(), m_bytes.size());
}

bool GifWriter::Valid(const Frame& f) const {
    if (f.width < 1 || f.height < 1 || f.x < 0 || f.y < 0 || f.x > m_nWidth - f.width ||
        f.y > m_nHeight - f.height || !f.indices || f.delay < 0 || f.delay > 65535)
        return false;
    if (!f.palette && !m_bShared)
        return false;
    const int colours = f.palette ? static_cast<int>(f.palette->size()) : m_nSharedColours;
    if (colours < 1 || colours > 256 || f.transparent >= colours)
        return false;
    const std::size_t count = static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height);
    for (std::size_t i = 0; i < count; ++i)
        if (f.indices[i] >= colours)
            return false;
    return true;
}

void GifWriter::Build(const Frame& f, std::vector<std::uint8_t>& out) {
    out.clear();
    // Graphic control: leave the frame in place, delay, transparency.
    out.insert(out.end(), {0x21, 0xF9, 0x04});
    out.push_back(static_cast<std::uint8_t>((1 << 2) | (f.transparent >= 0 ? 1 : 0)));
    Put16(out, f.delay);
    out.push_back(static_cast<std::uint8_t>(f.transparent >= 0 ? f.transparent : 0));
    out.push_back(0);
    // Image descriptor and the frame's own table.
    out.push_back(0x2C);
    Put16(out, f.x);
    Put16(out, f.y);
    Put16(out, f.width);
    Put16(out, f.height);
    const int colours = f.palette ? static_cast<int>(f.palette->size()) : m_nSharedColours;
    const int bits = TableBits(colours);
    if (f.palette) {
        out.push_back(static_cast<std::uint8_t>(0x80 | (bits - 1)));
        PutTable(*f.palette, out);
    } else {
        out.push_back(0);
    }
    const int minCodeSize = bits < 2 ? 2 : bits;
    out.push_back(static_cast<std::uint8_t>(minCodeSize));
    m_codes.clear();
    m_lzw.Encode(f.indices, static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height),
                 minCodeSize, m_codes);
    for (std::size_t at = 0; at < m_codes.size(); at += 255) {
        const std::size_t n = m_codes.size() - at < 255 ? m_codes.size() - at : 255;
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), m_codes.begin() + static_cast<std::ptrdiff_t>(at),
                   m_codes.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
}

bool GifWriter::AddFrame(const Frame& frame) {
    if (!Valid(frame))
        return false;
    Build(frame, m_bytes);
    return m_sink.Write(m_bytes.data(), m_bytes.size());
}

bool GifWriter::AddSmallest(const Frame* frames, std::size_t count) {
    if (count == 0)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!Valid(frames[i]))
            return false;
    Build(frames[0], m_bytes);
    for (std::size_t i = 1; i < count; ++i) {
        Build(frames[i], m_other);
        if (m_other.size() < m_bytes.size())
            m_bytes.swap(m_other);
    }
    return m_sink.Write(m_bytes.data(), m_bytes.size());
}

bool GifWriter::End() {
    const std::uint8_t trailer = 0x3B;
    return m_sink.Write(&trailer, 1);
}
