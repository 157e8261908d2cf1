// Reader for binary PPM images (magic "P6", maxval 255) held in memory, used
// by the developer tools that feed test pictures to the quantiser.
#pragma once

#include <cstddef>
#include <cstdint>

class PpmReader {
public:
    enum class Result {
        Ok,
        BadMagic,  // the data does not start with "P6"
        BadHeader, // a size or maxval is missing, not a decimal number, or not delimited
        BadMaxval, // maxval is not 255
        ZeroSize,  // width or height is 0
        TooLarge,  // a row of the image would not fit in an int
        Truncated, // the header or the pixel data ends early
    };

    struct Image {
        int width = 0;
        int height = 0;
        const std::uint8_t* rgb = nullptr; // height rows of width x (red, green, blue), inside the data
    };

    // Reads the header; on success `image` points at the pixel data. Comments
    // ("#" up to the end of the line) count as whitespace between the fields;
    // exactly one whitespace character (or a comment) follows the maxval.
    // Data after the first image is ignored.
    static Result Parse(const std::uint8_t* data, std::size_t size, Image& image);
};
