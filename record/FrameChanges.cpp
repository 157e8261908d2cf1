#include "record/FrameChanges.h"

#include <cstddef>
#include <cstring>

namespace FrameChanges {

namespace {

bool SamePixel(const std::uint8_t* a, const std::uint8_t* b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

} // namespace

Rect ChangedRect(const std::uint8_t* before, const std::uint8_t* after, int width, int height) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    auto row = [&](const std::uint8_t* p, int y) { return p + static_cast<std::size_t>(y) * rowBytes; };
    int top = 0;
    while (top < height && std::memcmp(row(before, top), row(after, top), rowBytes) == 0)
        ++top;
    if (top == height)
        return Rect{};
    int bottom = height - 1;
    while (bottom > top && std::memcmp(row(before, bottom), row(after, bottom), rowBytes) == 0)
        --bottom;
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const std::uint8_t* a = row(before, y);
        const std::uint8_t* b = row(after, y);
        int x = 0;
        while (x < left && SamePixel(a + x * 3, b + x * 3))
            ++x;
        if (x < left)
            left = x;
        int r = width - 1;
        while (r > right && SamePixel(a + r * 3, b + r * 3))
            --r;
        if (r > right)
            right = r;
    }
    return Rect{left, top, right - left + 1, bottom - top + 1};
}

std::int64_t UnchangedInside(const std::uint8_t* before, const std::uint8_t* after, int width,
                             const Rect& rect) {
    std::int64_t same = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const std::size_t base = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(rect.x)) *
                                 3;
        for (int x = 0; x < rect.width; ++x)
            same += SamePixel(before + base + x * 3, after + base + x * 3);
    }
    return same;
}

} // namespace FrameChanges
