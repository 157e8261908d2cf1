#include "frame/ControllerSteps.h"

#include "geometry/CoordinateLimit.h"
#include "res/resource.h"

#include <iterator>

namespace frame {

using geometry::ClampCoordinate;
using geometry::ClampRect;
using geometry::Point;
using geometry::Rect;

namespace {

// How far each button moves the left, top, right and bottom edges, in the
// order of the button ids from IDC_MOVE_LEFT to IDC_BOTTOM_EDGE_OUT.
struct EdgeSteps {
    int left, top, right, bottom;
};
constexpr EdgeSteps kSteps[] = {
    {-1, 0, -1, 0}, {1, 0, 1, 0}, {0, -1, 0, -1}, {0, 1, 0, 1}, // the whole frame
    {-1, 0, 0, 0},  {1, 0, 0, 0}, {0, 0, -1, 0},  {0, 0, 1, 0}, // the left and right edges
    {0, -1, 0, 0},  {0, 1, 0, 0}, {0, 0, 0, -1},  {0, 0, 0, 1}, // the top and bottom edges
};
static_assert(IDC_BOTTOM_EDGE_OUT - IDC_MOVE_LEFT + 1 == static_cast<int>(std::size(kSteps)));

} // namespace

bool ApplyControllerStep(int buttonId, Rect& w) {
    if (buttonId < IDC_MOVE_LEFT || buttonId > IDC_BOTTOM_EDGE_OUT)
        return false;
    const EdgeSteps& step = kSteps[buttonId - IDC_MOVE_LEFT];
    w = ClampRect(w);
    w.left += step.left;
    w.top += step.top;
    w.right += step.right;
    w.bottom += step.bottom;
    return true;
}

Point CenterOn(const Rect& frame, int width, int height) {
    const Rect f = ClampRect(frame);
    width = ClampCoordinate(width);
    height = ClampCoordinate(height);
    return {f.left + (f.right - f.left) / 2 - width / 2, f.top + (f.bottom - f.top) / 2 - height / 2};
}

} // namespace frame
