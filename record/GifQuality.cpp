#include "record/GifQuality.h"

#include <cstddef>

namespace GifQuality {

std::int64_t SquaredError(const std::uint8_t* bgr, int stride, int width, int height,
                          const std::uint8_t* indices, const std::uint8_t* mask,
                          const GifWriter::Palette& palette) {
    std::int64_t sum = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = bgr + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (int x = 0; x < width; ++x, p += 3, ++indices) {
            if ((mask && *mask++ == 0) || *indices >= palette.size())
                continue;
            const GifWriter::Rgb c = palette[*indices];
            const int db = p[0] - c.b, dg = p[1] - c.g, dr = p[2] - c.r;
            sum += db * db + dg * dg + dr * dr;
        }
    }
    return sum;
}

bool CloseEnough(std::int64_t error, std::int64_t bestError, std::int64_t pixels) {
    return error <= bestError + bestError / 4 || error - bestError < 3 * pixels;
}

bool AsGoodAs(std::int64_t error, std::int64_t pixels, std::int64_t levelError, std::int64_t levelPixels) {
    if (levelPixels <= 0)
        return error == 0;
    return static_cast<double>(error) * 4 <= static_cast<double>(levelError) * 5 *
                                                 static_cast<double>(pixels) /
                                                 static_cast<double>(levelPixels);
}

} // namespace GifQuality
