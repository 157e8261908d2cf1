// Memory sinks, test frames and Pillow's reading of animation files for the
// tests of record/.
#pragma once

#include "record/ByteSink.h"
#include "tests/record/MemorySink.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace RecordTest {

using ::MemorySink;

// Packed blue, green, red frames.
struct Frame {
    int width, height;
    std::vector<std::uint8_t> bgr;
    Frame(int w, int h, std::uint8_t b = 0, std::uint8_t g = 0, std::uint8_t r = 0) : width(w), height(h) {
        for (int i = 0; i < w * h; ++i)
            bgr.insert(bgr.end(), {b, g, r});
    }
    void Fill(int x, int y, int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
        for (int yy = y; yy < y + h; ++yy)
            for (int xx = x; xx < x + w; ++xx) {
                std::uint8_t* p = &bgr[(static_cast<std::size_t>(yy) * width + xx) * 3];
                p[0] = b;
                p[1] = g;
                p[2] = r;
            }
    }
    // The same pixels as red, green, blue bytes (what Pillow gives).
    std::vector<std::uint8_t> Rgb() const {
        std::vector<std::uint8_t> out(bgr.size());
        for (std::size_t i = 0; i < bgr.size(); i += 3) {
            out[i] = bgr[i + 2];
            out[i + 1] = bgr[i + 1];
            out[i + 2] = bgr[i];
        }
        return out;
    }
};

struct Decoded {
    bool ok = false;
    std::string format;
    int loop = -1;
    std::vector<int> durations;                    // milliseconds
    std::vector<std::vector<std::uint8_t>> frames; // RGB as shown
};

// Decodes bytes of an animation with Pillow (Debian python3-pil).
inline Decoded DecodeWithPillow(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    namespace fs = std::filesystem;
    Decoded d;
    const fs::path dir =
        fs::temp_directory_path() / ("frimlet-record-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "in.bin";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string command = "/usr/bin/python3 '" FRIMLET_RECORD_TEST_DIR "/decode_animation.py' '" +
                                file.string() + "' '" + dir.string() + "'";
    if (std::system(command.c_str()) == 0) {
        std::ifstream info(dir / "info.txt");
        int frames = 0;
        info >> d.format >> frames >> d.loop;
        for (int i = 0; i < frames; ++i) {
            int ms = -1;
            info >> ms;
            d.durations.push_back(ms);
            std::ifstream in(dir / (std::to_string(i) + ".rgb"), std::ios::binary);
            d.frames.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        d.ok = static_cast<int>(d.frames.size()) == frames && frames > 0;
    }
    fs::remove_all(dir);
    return d;
}

} // namespace RecordTest
