// nqpicture desktop|noise WIDTH HEIGHT OUT.ppm
//
// Writes one of the benchmark pictures as a binary PPM, for nqtool and nqref.
#include "bench/BenchPictures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: nqpicture desktop|noise WIDTH HEIGHT OUT.ppm\n");
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    if (width <= 0 || height <= 0 ||
        (std::strcmp(argv[1], "desktop") != 0 && std::strcmp(argv[1], "noise") != 0)) {
        std::fprintf(stderr, "nqpicture: bad arguments\n");
        return 2;
    }
    const bench::Picture pic = std::strcmp(argv[1], "desktop") == 0 ? bench::DesktopPicture(width, height)
                                                                    : bench::NoisePicture(width, height);
    std::FILE* f = std::fopen(argv[4], "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "nqpicture: cannot write %s\n", argv[4]);
        return 2;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    std::string row(static_cast<std::size_t>(width) * 3, '\0');
    bool ok = true;
    for (int y = 0; y < height && ok; ++y) {
        const std::uint8_t* p = &pic.bgrx[static_cast<std::size_t>(y) * pic.Stride()];
        for (int x = 0; x < width; ++x) {
            row[3 * static_cast<std::size_t>(x)] = static_cast<char>(p[4 * x + 2]);
            row[3 * static_cast<std::size_t>(x) + 1] = static_cast<char>(p[4 * x + 1]);
            row[3 * static_cast<std::size_t>(x) + 2] = static_cast<char>(p[4 * x]);
        }
        ok = std::fwrite(row.data(), 1, row.size(), f) == row.size();
    }
    ok = std::fclose(f) == 0 && ok;
    return ok ? 0 : 2;
}
