// Conversions between the Windows RECT and the rectangles of the
// arithmetic, for the window code.
#pragma once

#include "geometry/Rect.h"

#include <windows.h>

namespace geometry {

inline Rect FromRECT(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

inline RECT ToRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace geometry
