// The pictures of the thumbnail toolbar as the shell wants them: 32-bit with
// alpha, each the size of a system icon (SM_CXICON x SM_CYICON). They are
// drawn at the icon sizes of 100, 125, 150 and 200 %; a size between those
// shows the largest picture that fits, centred.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

inline constexpr int kThumbButtonImageCount = 5; // folder, options, lock, unlock, controller

// The five images at cx x cy; empty when the pictures cannot be loaded.
unique_imagelist MakeThumbButtonImages(int cx, int cy);
