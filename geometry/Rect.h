#pragma once

// Integer rectangles and points of the program's arithmetic. They mirror the
// Windows RECT and POINT (right and bottom exclusive) without needing
// <windows.h>, so the geometry, placement and layout rules build and test
// natively. geometry/WinRect.h converts at the window code's edge.

namespace geometry {

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    void Offset(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }

    bool operator==(const Rect&) const = default;
};

} // namespace geometry
