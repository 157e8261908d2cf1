#pragma once

// An integer rectangle of the controls' arithmetic, laid out like the Windows
// RECT (right and bottom exclusive) so the rules build without <windows.h>.

namespace controls {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    bool operator==(const Rect&) const = default;
};

} // namespace controls
