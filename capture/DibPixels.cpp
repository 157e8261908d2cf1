#include "capture/DibPixels.h"

#include <algorithm>

namespace DibPixels {

size_t Stride24(int width) {
    if (width < 1)
        return 0;
    return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
}

namespace {

// A 5- or 6-bit channel spread over 8 bits.
uint8_t Widen5(unsigned v) {
    return static_cast<uint8_t>((v << 3) | (v >> 2));
}
uint8_t Widen6(unsigned v) {
    return static_cast<uint8_t>((v << 2) | (v >> 4));
}

void ConvertRow(const uint8_t* in, int width, int bitsPerPixel, const uint32_t* palette, uint8_t* out) {
    switch (bitsPerPixel) {
    case 8:
        for (int x = 0; x < width; ++x, out += 3) {
            const uint32_t c = palette[in[x]];
            out[0] = static_cast<uint8_t>(c);
            out[1] = static_cast<uint8_t>(c >> 8);
            out[2] = static_cast<uint8_t>(c >> 16);
        }
        break;
    case 16:
        for (int x = 0; x < width; ++x, out += 3) {
            const unsigned p = in[x * 2] | (in[x * 2 + 1] << 8);
            out[0] = Widen5(p & 0x1F);
            out[1] = Widen6((p >> 5) & 0x3F);
            out[2] = Widen5(p >> 11);
        }
        break;
    case 24:
        std::copy_n(in, static_cast<size_t>(width) * 3, out);
        break;
    default: // 32
        for (int x = 0; x < width; ++x, out += 3, in += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
        break;
    }
}

} // namespace

bool ToBgr24(const uint8_t* src, int width, int height, int srcStride, int bitsPerPixel,
             const uint32_t* palette, bool bottomUp, uint8_t* dest) {
    if (!src || !dest || width < 1 || height < 1)
        return false;
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return false;
    if (bitsPerPixel == 8 && !palette)
        return false;
    if (static_cast<long long>(srcStride) * 8 < static_cast<long long>(width) * bitsPerPixel)
        return false;
    const size_t stride = Stride24(width);
    const size_t used = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = src + static_cast<size_t>(y) * static_cast<size_t>(srcStride);
        uint8_t* out = dest + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride;
        ConvertRow(in, width, bitsPerPixel, palette, out);
        std::fill(out + used, out + stride, uint8_t{0});
    }
    return true;
}

} // namespace DibPixels
