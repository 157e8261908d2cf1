#include "frame/ControllerSteps.h"

#include "geometry/CoordinateLimit.h"

namespace frame {

using geometry::ClampCoordinate;
using geometry::ClampRect;
using geometry::Point;
using geometry::Rect;

bool ApplyControllerStep(int buttonId, Rect& w) {
    if (buttonId < 1009 || buttonId > 1020)
        return false;
    w = ClampRect(w);
    switch (buttonId - 1009) {
    case 0:
        w.left -= 1, w.right -= 1;
        break;
    case 1:
        w.left += 1, w.right += 1;
        break;
    case 2:
        w.top -= 1, w.bottom -= 1;
        break;
    case 3:
        w.top += 1, w.bottom += 1;
        break;
    case 4:
        w.left -= 1;
        break;
    case 5:
        w.left += 1;
        break;
    case 6:
        w.right -= 1;
        break;
    case 7:
        w.right += 1;
        break;
    case 8:
        w.top -= 1;
        break;
    case 9:
        w.top += 1;
        break;
    case 10:
        w.bottom -= 1;
        break;
    case 11:
        w.bottom += 1;
        break;
    default:
        return false;
    }
    return true;
}

Point CenterOn(const Rect& frame, int width, int height) {
    const Rect f = ClampRect(frame);
    width = ClampCoordinate(width);
    height = ClampCoordinate(height);
    return {f.left + (f.right - f.left) / 2 - width / 2, f.top + (f.bottom - f.top) / 2 - height / 2};
}

} // namespace frame
