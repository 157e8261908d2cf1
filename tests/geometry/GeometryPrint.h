#pragma once

// Readable failure messages for rectangles and points.

#include "geometry/Rect.h"

#include <ostream>

namespace geometry {

inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

} // namespace geometry
