// The command line shared by nqtool and nqref:
//   TOOL IN.ppm PALETTE.bin INDICES.bin
// quantises a binary PPM picture to 256 colours and writes the palette (256
// entries of blue, green, red bytes, 768 bytes) and the index map (one byte per
// pixel, top row first). Exit code 0 on success, 2 on bad input or output.
// Both tools read and write the same way, so that timing the two processes
// compares their quantisers.
#pragma once

#include "capture/PpmReader.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Quantises `bgr` (width x 3 bytes per row) into palette (768 bytes) and
// indices (width x height bytes); false when it refuses the image.
using QuantiseFunction = bool (*)(const std::uint8_t* bgr, int width, int height, std::uint8_t* palette,
                                  std::uint8_t* indices);

inline int ToolFail(const char* tool, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", tool, message.c_str());
    return 2;
}

inline const char* DescribePpm(PpmReader::Result result) {
    switch (result) {
    case PpmReader::Result::Ok:
        return "ok";
    case PpmReader::Result::BadMagic:
        return "not a binary PPM (magic P6 expected)";
    case PpmReader::Result::BadHeader:
        return "malformed PPM header";
    case PpmReader::Result::BadMaxval:
        return "maxval must be 255";
    case PpmReader::Result::ZeroSize:
        return "image has zero width or height";
    case PpmReader::Result::TooLarge:
        return "image is too large";
    case PpmReader::Result::Truncated:
        return "PPM data is truncated";
    }
    return "unknown error";
}

inline bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& data) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return false;
    bool ok = true;
    // One read of the whole size where the size is known; a stream that is
    // not a plain file is read in blocks until it ends.
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size > 0 && std::fseek(f, 0, SEEK_SET) == 0) {
            data.resize(static_cast<std::size_t>(size));
            data.resize(std::fread(data.data(), 1, data.size(), f));
        } else {
            std::rewind(f);
        }
    }
    std::uint8_t buffer[65536];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        data.insert(data.end(), buffer, buffer + n);
        if (n < sizeof buffer) {
            ok = std::ferror(f) == 0;
            break;
        }
    }
    std::fclose(f);
    return ok;
}

inline bool WriteWholeFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

inline int RunQuantiserTool(const char* tool, int argc, char** argv, QuantiseFunction quantise) {
    if (argc != 4)
        return ToolFail(tool, std::string("usage: ") + tool + " IN.ppm PALETTE.bin INDICES.bin");
    const char* inPath = argv[1];
    const char* palettePath = argv[2];
    const char* indicesPath = argv[3];

    std::vector<std::uint8_t> file;
    if (!ReadWholeFile(inPath, file))
        return ToolFail(tool, std::string("cannot read ") + inPath);
    PpmReader::Image image;
    const PpmReader::Result result = PpmReader::Parse(file.data(), file.size(), image);
    if (result != PpmReader::Result::Ok)
        return ToolFail(tool, std::string(inPath) + ": " + DescribePpm(result));

    // The quantisers take blue, green, red rows.
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> bgr(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        bgr[3 * i] = image.rgb[3 * i + 2];
        bgr[3 * i + 1] = image.rgb[3 * i + 1];
        bgr[3 * i + 2] = image.rgb[3 * i];
    }
    std::vector<std::uint8_t> indices(count);
    std::uint8_t palette[256 * 3];
    if (!quantise(bgr.data(), image.width, image.height, palette, indices.data()))
        return ToolFail(tool, "quantiser rejected the image");
    if (!WriteWholeFile(palettePath, palette, sizeof palette))
        return ToolFail(tool, std::string("cannot write ") + palettePath);
    if (!WriteWholeFile(indicesPath, indices.data(), indices.size()))
        return ToolFail(tool, std::string("cannot write ") + indicesPath);
    return 0;
}

} // namespace bench
