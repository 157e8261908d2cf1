// The range of screen coordinates and sizes the program's arithmetic works in.
// Real screens stay far inside it; a value beyond it (a broken display
// setting, a stored value of the wrong kind) is held at its edge, so that the
// sums and differences of a few coordinates can never overflow an int.
#pragma once

#include "geometry/Rect.h"

#include <algorithm>

namespace geometry {

inline constexpr int kCoordinateLimit = 1 << 24;

// The largest coordinate or size a person types into the size list or the
// settings hold: five digits, negative for a position.
inline constexpr int kEnteredCoordinateMax = 99999;

inline int ClampCoordinate(int value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

inline Point ClampPoint(Point pt) {
    return {ClampCoordinate(pt.x), ClampCoordinate(pt.y)};
}

inline Rect ClampRect(const Rect& r) {
    return {ClampCoordinate(r.left), ClampCoordinate(r.top), ClampCoordinate(r.right),
            ClampCoordinate(r.bottom)};
}

} // namespace geometry
