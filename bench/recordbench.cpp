// recordbench [SECONDS [OUTDIR]]
//
// Encodes a recording of 800 x 600 desktop-like content at 15 frames per
// second (typing in an editor, a menu opening, a window dragged over a
// photo-like wallpaper) as GIF and as animated PNG (also with alpha, frames
// drawn over the one before), the way the recorder's
// encoder thread does, and prints for each format the frames encoded, the
// average encode time per frame, the frames per second the encoder keeps
// up with, its ratio to real time and the file's size. Then it records the
// same frames in real time through the encoder thread (RecordingWorker),
// handing one in every 1/15 s, and prints the frames dropped and how long
// after the stop the file was complete. With OUTDIR it also
// writes the files and every frame as a binary PPM (frame-NNNN.ppm), for
// bench/record-compare.sh.
#include "record/AnimationEncoder.h"
#include "record/RecordingWorker.h"
#include "tests/record/MemorySink.h"

#include <chrono>
#include <future>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 800, kHeight = 600, kFps = 15;

struct Canvas {
    std::vector<std::uint8_t> bgr = std::vector<std::uint8_t>(std::size_t{kWidth} * kHeight * 3);
    void Put(int x, int y, int b, int g, int r) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
            return;
        std::uint8_t* p = &bgr[(static_cast<std::size_t>(y) * kWidth + x) * 3];
        p[0] = static_cast<std::uint8_t>(b);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(r);
    }
    void Fill(int x, int y, int w, int h, int b, int g, int r) {
        for (int yy = y; yy < y + h; ++yy)
            for (int xx = x; xx < x + w; ++xx)
                Put(xx, yy, b, g, r);
    }
};

// A glyph-like mark with grey edges, as anti-aliased text has.
void Glyph(Canvas& c, int x, int y, unsigned seed) {
    for (int yy = 0; yy < 11; ++yy)
        for (int xx = 0; xx < 6; ++xx) {
            const unsigned bits = (seed * 2654435761u) >> ((xx + yy * 3) % 29);
            if (bits & 1) {
                const int v = (bits & 6) ? 30 : 140;
                c.Put(x + xx, y + yy, v, v, v);
            }
        }
}

void Window(Canvas& c, int x, int y, int w, int h, const char* kind) {
    c.Fill(x + 4, y + 4, w, h, 90, 90, 90); // shadow
    c.Fill(x, y, w, h, 250, 250, 250);
    for (int i = 0; i < w; ++i) // title bar with a gradient
        c.Fill(x + i, y, 1, 24, 160 + i * 60 / w, 100 + i * 40 / w, 40);
    if (kind[0] == 'e')
        c.Fill(x + 6, y + 30, w - 12, h - 36, 255, 255, 255);
}

// Frame k of the scene.
Canvas Scene(int k) {
    Canvas c;
    for (int y = 0; y < kHeight; ++y) // a photo-like wallpaper
        for (int x = 0; x < kWidth; ++x)
            c.Put(x, y, 90 + (x * 7 + y * 3) % 97 / 3, 120 + (x * y / 91) % 50, 60 + (y * 5 + x) % 71 / 2);
    Window(c, 40, 40, 560, 420, "editor");
    // Typing: one more character every frame, 60 to a line.
    const int typed = k < 90 ? k * 2 : 180;
    for (int i = 0; i < typed; ++i)
        Glyph(c, 52 + (i % 60) * 8, 78 + (i / 60) * 16, static_cast<unsigned>(i * 7919 + 13));
    // A menu opens for a second.
    if (k >= 40 && k < 55) {
        c.Fill(60, 64, 180, 200, 245, 245, 245);
        for (int i = 0; i < 10; ++i)
            for (int j = 0; j < 12; ++j)
                Glyph(c, 72 + j * 8, 72 + i * 19, static_cast<unsigned>(i * 31 + j));
        c.Fill(60, 64 + ((k - 40) % 10) * 19, 180, 18, 230, 200, 150); // the item under the pointer
    }
    // A window is dragged across from frame 60 on.
    if (k >= 60) {
        const int step = k - 60;
        Window(c, 420 - step * 4, 300 - step * 2, 300, 200, "dialog");
    }
    return c;
}

void WritePpm(const std::string& path, const std::vector<std::uint8_t>& bgr) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
    std::vector<std::uint8_t> rgb(bgr.size());
    for (std::size_t i = 0; i < bgr.size(); i += 3) {
        rgb[i] = bgr[i + 2];
        rgb[i + 1] = bgr[i + 1];
        rgb[i + 2] = bgr[i];
    }
    std::fwrite(rgb.data(), 1, rgb.size(), f);
    std::fclose(f);
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string out = argc > 2 ? argv[2] : "";
    const int frames = seconds * kFps;
    std::vector<std::vector<std::uint8_t>> scene;
    for (int k = 0; k < frames; ++k) {
        scene.push_back(Scene(k).bgr);
        if (!out.empty()) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame-%04d.ppm", k);
            WritePpm(out + name, scene.back());
        }
    }
    std::printf("%d frames of %d x %d at %d fps (%d s)\n", frames, kWidth, kHeight, kFps, seconds);
    std::printf(
        "| format | encode per frame | frames per second | x real time | file |\n|---|---|---|---|---|\n");
    const struct {
        AnimationFormat format;
        bool over;
        const char* name;
        const char* file;
    } runs[] = {{AnimationFormat::Gif, false, "GIF", "/ours.gif"},
                {AnimationFormat::Apng, false, "APNG", "/ours.png"},
                {AnimationFormat::Apng, true, "APNG, RGBA drawn over", "/ours-over.png"}};
    for (const auto& run : runs) {
        MemorySink sink;
        AnimationEncoder encoder(run.format, kWidth, kHeight, sink, run.over);
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < frames; ++k)
            encoder.AddFrame(std::vector<std::uint8_t>(scene[static_cast<std::size_t>(k)]),
                             static_cast<std::int64_t>(k) * 1000000 / kFps);
        if (!encoder.Finish(static_cast<std::int64_t>(frames) * 1000000 / kFps))
            return 1;
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("| %s | %.1f ms | %.0f | %.1f x | %zu bytes |\n", run.name, s * 1000 / frames, frames / s,
                    seconds / s, sink.bytes.size());
        if (!out.empty()) {
            if (FILE* f = std::fopen((out + run.file).c_str(), "wb")) {
                std::fwrite(sink.bytes.data(), 1, sink.bytes.size(), f);
                std::fclose(f);
            }
        }
    }
    std::printf("\n| format, real time | frames dropped | file complete after the stop |\n|---|---|---|\n");
    for (auto format : {AnimationFormat::Gif, AnimationFormat::Apng}) {
        MemorySink sink;
        std::promise<bool> done;
        RecordingWorker worker(format, kWidth, kHeight, sink, std::size_t{256} << 20,
                               [&](bool written) { done.set_value(written); });
        if (!worker.Start())
            return 1;
        const auto start = std::chrono::steady_clock::now();
        auto micros = [&] {
            return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                         start)
                .count();
        };
        for (int k = 0; k < frames; ++k) {
            std::this_thread::sleep_until(start +
                                          std::chrono::microseconds(std::int64_t{k} * 1000000 / kFps));
            worker.Submit(std::vector<std::uint8_t>(scene[static_cast<std::size_t>(k)]), micros());
        }
        std::this_thread::sleep_until(start + std::chrono::seconds(seconds));
        const auto stop = std::chrono::steady_clock::now();
        worker.Stop(micros());
        if (!done.get_future().get())
            return 1;
        const double after = std::chrono::duration<double>(std::chrono::steady_clock::now() - stop).count();
        worker.Join();
        std::printf("| %s | %d | %.1f ms |\n", format == AnimationFormat::Gif ? "GIF" : "APNG",
                    worker.Dropped(), after * 1000);
    }
    return 0;
}
