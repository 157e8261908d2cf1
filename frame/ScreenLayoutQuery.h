// Gathers the monitors, the virtual screen and the cursor position from the
// system for the placement arithmetic.
#pragma once

#include "frame/Placement.h"

namespace frame {

ScreenLayout QueryScreenLayout();

} // namespace frame
