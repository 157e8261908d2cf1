// What each controller button does to the frame window's rectangle.
#pragma once

#include "geometry/Rect.h"

namespace frame {

// The button ids run from IDC_MOVE_LEFT to IDC_BOTTOM_EDGE_OUT in this order: the whole frame left,
// right, up, down; the left edge out, in; the right edge in, out; the top
// edge out, in; the bottom edge in, out. Each step is exactly one pixel.
// Returns false for an id outside that range.
bool ApplyControllerStep(int buttonId, geometry::Rect& window);

// The controller's top-left corner when centred on the frame (halves
// truncated toward zero).
geometry::Point CenterOn(const geometry::Rect& frameWindow, int controllerWidth, int controllerHeight);

} // namespace frame
