// The command line shared by nqtool and nqref:
//   TOOL IN.ppm PALETTE.bin INDICES.bin
// quantises a binary PPM picture to 256 colours and writes the palette (256
// entries of blue, green, red bytes, 768 bytes) and the index map (one byte per
// pixel, top row first). Exit code 0 on success, 2 on bad input or output.
// Both tools read and write the same way, so that timing the two processes
// compares their quantisers.
//
// Whatever the process spends besides learning and mapping is kept small:
// the picture is mapped from the page cache with its pages faulted in by one
// call, its red, green, blue pixels go to the quantiser as they are (the
// quantisers treat the first and the third byte of a pixel alike, so the
// palette only has its first and third component swapped back), the index
// map is memory that is never zeroed, and each file is written by one call.
// The memory is left to the end of the process.
#pragma once

#include "capture/PpmReader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {

// Quantises `pixels` (width x 3 bytes per row, the bytes of a pixel in the
// order the quantiser takes as blue, green, red) into palette (768 bytes, in
// the same order) and indices (width x height bytes); false when it refuses
// the image.
using QuantiseFunction = bool (*)(const std::uint8_t* pixels, int width, int height, std::uint8_t* palette,
                                  std::uint8_t* indices);

inline int ToolFail(const char* tool, const char* message, const char* detail = "") {
    std::fprintf(stderr, "%s: %s%s\n", tool, message, detail);
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

// Anonymous memory of `size` bytes, its pages faulted in at once; null when
// there is none.
inline std::uint8_t* PopulatedMemory(std::size_t size) {
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
}

// The file's bytes: a mapping of a regular file, or what a pipe or device
// gives until it ends. Kept until the process ends (after one picture).
inline bool ReadWholeFile(const char* path, const std::uint8_t*& data, std::size_t& size) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0;
    if (ok && S_ISREG(st.st_mode) && st.st_size > 0) {
        size = static_cast<std::size_t>(st.st_size);
        void* p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        ok = p != MAP_FAILED;
        data = static_cast<const std::uint8_t*>(p);
    } else if (ok) {
        static std::vector<std::uint8_t> bytes; // lives as long as the process
        std::uint8_t buffer[65536];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        data = bytes.data();
        size = bytes.size();
    }
    close(fd);
    return ok;
}

inline bool WriteWholeFile(const char* path, const std::uint8_t* data, std::size_t size) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = true;
    while (ok && size > 0) {
        const ssize_t n = write(fd, data, size);
        ok = n > 0;
        if (ok) {
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }
    return close(fd) == 0 && ok;
}

inline int RunQuantiserTool(const char* tool, int argc, char** argv, QuantiseFunction quantise) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s IN.ppm PALETTE.bin INDICES.bin\n", tool);
        return 2;
    }
    const char* inPath = argv[1];
    const char* palettePath = argv[2];
    const char* indicesPath = argv[3];

    const std::uint8_t* file = nullptr;
    std::size_t fileSize = 0;
    if (!ReadWholeFile(inPath, file, fileSize))
        return ToolFail(tool, "cannot read ", inPath);
    PpmReader::Image image;
    const PpmReader::Result result = PpmReader::Parse(file, fileSize, image);
    if (result != PpmReader::Result::Ok) {
        std::fprintf(stderr, "%s: %s: %s\n", tool, inPath, DescribePpm(result));
        return 2;
    }

    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::uint8_t* indices = PopulatedMemory(count);
    if (indices == nullptr)
        return ToolFail(tool, "out of memory");
    std::uint8_t learned[256 * 3];
    if (!quantise(image.rgb, image.width, image.height, learned, indices))
        return ToolFail(tool, "quantiser rejected the image");
    std::uint8_t palette[256 * 3];
    for (int i = 0; i < 256; ++i) {
        palette[3 * i] = learned[3 * i + 2];
        palette[3 * i + 1] = learned[3 * i + 1];
        palette[3 * i + 2] = learned[3 * i];
    }
    if (!WriteWholeFile(palettePath, palette, sizeof palette))
        return ToolFail(tool, "cannot write ", palettePath);
    if (!WriteWholeFile(indicesPath, indices, count))
        return ToolFail(tool, "cannot write ", indicesPath);
    return 0;
}

} // namespace bench
