// nqtool IN.ppm PALETTE.bin INDICES.bin
//
// Quantises a binary PPM picture to 256 colours: writes the palette (256
// entries of blue, green, red bytes, 768 bytes) and the index map (one byte per
// pixel, top row first). Exit code 0 on success, 2 on bad input or output.
#include "capture/NeuQuant.h"
#include "capture/PpmReader.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "nqtool: %s\n", message.c_str());
    return 2;
}

const char* Describe(PpmReader::Result result) {
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

bool ReadFile(const char* path, std::vector<std::uint8_t>& data) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return false;
    bool ok = true;
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

bool WriteFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return Fail("usage: nqtool IN.ppm PALETTE.bin INDICES.bin");
    const char* inPath = argv[1];
    const char* palettePath = argv[2];
    const char* indicesPath = argv[3];

    std::vector<std::uint8_t> file;
    if (!ReadFile(inPath, file))
        return Fail(std::string("cannot read ") + inPath);
    PpmReader::Image image;
    const PpmReader::Result result = PpmReader::Parse(file.data(), file.size(), image);
    if (result != PpmReader::Result::Ok)
        return Fail(std::string(inPath) + ": " + Describe(result));

    // The quantiser takes blue, green, red rows.
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> bgr(width * height * 3);
    for (std::size_t i = 0; i < width * height; ++i) {
        bgr[3 * i] = image.rgb[3 * i + 2];
        bgr[3 * i + 1] = image.rgb[3 * i + 1];
        bgr[3 * i + 2] = image.rgb[3 * i];
    }
    std::vector<std::uint8_t> indices(width * height);
    NeuQuant quantiser;
    if (!quantiser.Quantise(bgr.data(), image.width, image.height, image.width * 3, 24, indices.data(),
                            image.width))
        return Fail("quantiser rejected the image");

    std::uint8_t palette[NeuQuant::kNetSize * 3];
    for (int i = 0; i < NeuQuant::kNetSize; ++i) {
        const NeuQuant::Colour& c = quantiser.Palette()[static_cast<std::size_t>(i)];
        palette[3 * i] = c.b;
        palette[3 * i + 1] = c.g;
        palette[3 * i + 2] = c.r;
    }
    if (!WriteFile(palettePath, palette, sizeof palette))
        return Fail(std::string("cannot write ") + palettePath);
    if (!WriteFile(indicesPath, indices.data(), indices.size()))
        return Fail(std::string("cannot write ") + indicesPath);
    return 0;
}
