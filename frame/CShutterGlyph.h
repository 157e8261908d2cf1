// The camera on the tab's shutter button, so that a first-time user finds the
// button without hovering it: one drawn picture per scale of the tab, its
// grey background transparent, shown through the button's image list.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

class CShutterGlyph {
public:
    // Sizes of the pictures, for the tab's bitmap slots (100 % to 400 %).
    static constexpr int kSizes[] = {16, 24, 32, 40, 48, 64};

    // Shows the picture of the slot on button; false when it cannot be
    // loaded (the button then stays blank).
    bool Apply(HWND button, int slot);

private:
    unique_imagelist m_hImages;
    int m_nSlot = -1;
};
