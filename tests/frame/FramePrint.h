#pragma once

// Readable failure messages for the frame's rectangles and points.

#include "frame/Rect.h"

#include <ostream>

namespace frame {

inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

} // namespace frame
