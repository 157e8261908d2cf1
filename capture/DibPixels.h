// Screen pixels as the 24-bit rows of a device-independent bitmap: blue,
// green and red bytes, each row padded to a multiple of four bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace DibPixels {

// Bytes per row of a 24-bit bitmap of this width; 0 for a width below 1.
size_t Stride24(int width);

// Converts height rows of width screen pixels into 24-bit rows of
// Stride24(width) bytes each at dest (padding bytes become zero).
//  - src holds the rows top row first, srcStride bytes apart;
//  - bitsPerPixel 8: indices into palette (256 entries 0x00RRGGBB);
//    16: little-endian BGR565, each channel widened by repeating its top
//    bits (so 0xFFFF becomes white); 24: blue, green, red; 32: blue, green,
//    red and a byte that carries no colour;
//  - bottomUp writes the last source row first, the order of a bitmap with a
//    positive height.
// Returns false, writing nothing, for any other depth, an 8-bit image without
// a palette, a size below 1 or a stride too short for the width.
bool ToBgr24(const uint8_t* src, int width, int height, int srcStride, int bitsPerPixel,
             const uint32_t* palette, bool bottomUp, uint8_t* dest);

} // namespace DibPixels
