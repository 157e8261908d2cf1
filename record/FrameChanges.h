// What changed from one frame to the next. Frames are width x height pixels
// of three bytes (blue, green, red), rows packed top first.
#pragma once

#include <cstdint>

namespace FrameChanges {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const Rect&) const = default;
};

// The smallest rectangle that holds every pixel that differs; empty when the
// frames are equal.
Rect ChangedRect(const std::uint8_t* before, const std::uint8_t* after, int width, int height);

// How many pixels inside rect are the same in both frames: the pixels a
// frame could leave transparent.
std::int64_t UnchangedInside(const std::uint8_t* before, const std::uint8_t* after, int width,
                             const Rect& rect);

} // namespace FrameChanges
