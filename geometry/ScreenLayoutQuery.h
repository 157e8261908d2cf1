// Gathers the monitors, the virtual screen and the cursor position from the
// system for the placement arithmetic.
#pragma once

#include "geometry/Placement.h"

namespace geometry {

ScreenLayout QueryScreenLayout();

} // namespace geometry
