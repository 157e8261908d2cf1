// Pictures for the quantiser's benchmarks and the comparison tools, made the
// same way on every run: a desktop (gradient wallpaper, windows with title
// bars and lines of text, a photo, a taskbar) and plain noise. Pixels are
// rows of width x (blue, green, red, unused) bytes, as a 32-bit screen grab.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bench {

inline std::uint32_t NextRandom(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgrx; // width * 4 bytes per row

    int Stride() const { return width * 4; }
    void Put(int x, int y, int b, int g, int r) {
        std::uint8_t* p = &bgrx[(static_cast<std::size_t>(y) * width + x) * 4];
        p[0] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
        p[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
        p[2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
        p[3] = 0xFF;
    }
    void Fill(int x0, int y0, int x1, int y1, int b, int g, int r) {
        for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
                Put(x, y, b, g, r);
    }
};

inline Picture DesktopPicture(int width, int height) {
    Picture pic{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    std::uint32_t seed = 12345;
    // Wallpaper: a diagonal gradient.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pic.Put(x, y, 90 + 120 * y / height, 40 + 80 * x / width, 30 + 60 * (x + y) / (width + height));
    // Windows: a frame, a title bar, a white client area with lines of text.
    const int unit = height >= 2160 ? 2 : 1; // 4K screens usually run at 200 %
    struct Window {
        int x, y, w, h, b, g, r;
    };
    const Window windows[] = {
        {width / 20, height / 12, width / 2, height * 2 / 3, 200, 120, 40},
        {width * 3 / 10, height / 5, width / 2, height / 2, 60, 60, 60},
        {width * 11 / 20, height / 16, width * 2 / 5, height * 3 / 8, 30, 140, 220},
    };
    for (const Window& w : windows) {
        pic.Fill(w.x - unit, w.y - unit, w.x + w.w + unit, w.y + w.h + unit, 120, 120, 120);
        pic.Fill(w.x, w.y, w.x + w.w, w.y + 30 * unit, w.b, w.g, w.r);
        pic.Fill(w.x, w.y + 30 * unit, w.x + w.w, w.y + w.h, 255, 255, 255);
        // Text: rows of glyph cells, each a random pattern of dark strokes
        // with a few anti-aliasing greys.
        const int cellW = 8 * unit, cellH = 16 * unit;
        for (int ty = w.y + 40 * unit; ty + cellH < w.y + w.h; ty += cellH + 4 * unit) {
            const int lineEnd = w.x + w.w - 10 * unit - static_cast<int>(NextRandom(seed) % (w.w / 3 + 1));
            for (int tx = w.x + 10 * unit; tx + cellW < lineEnd; tx += cellW) {
                const std::uint32_t glyph = NextRandom(seed) | (NextRandom(seed) << 24);
                if ((glyph & 15) == 0)
                    continue; // a space
                for (int gy = 2 * unit; gy < cellH - 2 * unit; ++gy)
                    for (int gx = unit; gx < cellW - unit; ++gx) {
                        const int bit = (gx / unit / 2) * 4 + (gy / unit / 3);
                        if ((glyph >> (bit & 31)) & 1) {
                            const int shade = ((gx + gy) & 3) == 0 ? 140 : 20;
                            pic.Put(tx + gx, ty + gy, shade, shade, shade + 10);
                        }
                    }
            }
        }
    }
    // A photo: smooth shapes with fine grain, in the lower right.
    const int px0 = width * 5 / 8, py0 = height / 2, px1 = width * 19 / 20, py1 = height * 9 / 10;
    for (int y = py0; y < py1; ++y)
        for (int x = px0; x < px1; ++x) {
            const int u = (x - px0) * 256 / (px1 - px0), v = (y - py0) * 256 / (py1 - py0);
            const int grain = static_cast<int>(NextRandom(seed) % 24) - 12;
            const int sky = v < 110;
            const int hill = ((u - 128) * (u - 128)) / 180 + 120 - v;
            pic.Put(x, y, (sky ? 230 - v : 40 + (hill > 0 ? 30 : 0)) + grain,
                    (sky ? 170 - v / 3 : 130 + u / 4 - (hill > 0 ? 40 : 0)) + grain,
                    (sky ? 100 + u / 5 : 60 + v / 3) + grain);
        }
    // Taskbar with icons.
    const int bar = 40 * unit;
    pic.Fill(0, height - bar, width, height, 48, 40, 32);
    for (int i = 0; i < 12; ++i) {
        const std::uint32_t c = NextRandom(seed);
        pic.Fill(60 * unit + i * 48 * unit, height - bar + 6 * unit, 60 * unit + i * 48 * unit + 28 * unit,
                 height - 6 * unit, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
    return pic;
}

inline Picture NoisePicture(int width, int height) {
    Picture pic{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    std::uint32_t seed = 987;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = NextRandom(seed);
            pic.Put(x, y, v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
        }
    return pic;
}

} // namespace bench
