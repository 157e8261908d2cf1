// How well indices into a palette show the pixels they stand for, and when a
// cheaper way to show them is good enough.
#pragma once

#include "record/GifWriter.h"

#include <cstdint>

namespace GifQuality {

// The sum over the pixels of a width x height block whose mask byte is not 0
// of the squared differences of red, green and blue between the pixel (blue,
// green, red bytes, rows `stride` bytes apart) and its palette colour
// (indices and mask: width bytes per row, rows packed; no mask: every
// pixel).
std::int64_t SquaredError(const std::uint8_t* bgr, int stride, int width, int height,
                          const std::uint8_t* indices, const std::uint8_t* mask,
                          const GifWriter::Palette& palette);

// Whether a way to show `pixels` pixels with this squared error is about as
// good as the best one's: within a quarter of it, or less than a unit of
// each component per pixel apart.
bool CloseEnough(std::int64_t error, std::int64_t bestError, std::int64_t pixels);

// Whether `pixels` pixels shown with this squared error are shown about as
// well as a level set by levelPixels pixels with levelError: at most a
// quarter more per pixel.
bool AsGoodAs(std::int64_t error, std::int64_t pixels, std::int64_t levelError, std::int64_t levelPixels);

} // namespace GifQuality
