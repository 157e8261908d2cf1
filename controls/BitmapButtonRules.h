// The drawing arithmetic of the transparent bitmap button: the whole-number
// scale of its bitmap, the base and gradient colours, the border kind, the
// pressed offset, and where the bitmap, caption and focus mark go. Colours
// are COLORREF values (red in the lowest byte).
#pragma once

#include "geometry/Rect.h"

#include <cstdint>

namespace controls {
namespace BitmapButtonRules {

constexpr uint32_t kTransparentColor = 0xC0C0C0; // RGB(192,192,192)
constexpr unsigned kRepeatTimerId = 999;
constexpr int kRepeatPeriod = 60;     // ms between repeated clicks
constexpr int kRepeatDelayFactor = 4; // the first click comes after 4 periods

// Button types (BS_TYPEMASK bits) that keep their own type and are painted
// by the control in WM_PAINT: the default push button, check box and radio
// types. The others (push button, plain check box) become owner-drawn.
bool IsSelfPainted(unsigned style);

// min(width / bitmapWidth, height / bitmapHeight); 0 for a bitmap without
// pixels (one that failed to load) or a button smaller than the bitmap.
int Scale(int width, int height, int bitmapWidth, int bitmapHeight);

// The face colour, tinted toward the highlight for a pressed or checked
// button: (7 K + 17 B) / 24 per channel, K a light grey on a black face.
uint32_t BaseColor(uint32_t face, uint32_t highlight, bool tinted);
uint32_t GradientTop(uint32_t base);    // each channel + 20, at most 255
uint32_t GradientBottom(uint32_t base); // each channel - 20, at least 0

enum class Border { None, FlatFrame, Sunken, Raised };

struct Input {
    int width = 0; // item rectangle (0, 0, width, height)
    int height = 0;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    bool flat = false;
    bool border = false; // draw style nonzero
    int focusStyle = 0;  // 0 none, 1 rectangle, 2 bar at the bottom
    bool pressed = false;
    bool checked = false;
    bool focused = false;
    uint32_t face = 0;      // COLOR_BTNFACE
    uint32_t highlight = 0; // COLOR_HIGHLIGHT
};

struct Layout {
    int scale = 0;
    int offset = 0; // added to the bitmap and caption position
    Border border = Border::None;
    uint32_t base = 0;
    uint32_t top = 0;       // gradient colour at the top
    uint32_t bottom = 0;    // and at the bottom
    geometry::Rect bitmap;  // destination of the scaled bitmap; empty when scale is 0
    geometry::Rect caption; // DrawText rectangle (DT_CENTER)
    bool hasFocusMark = false;
    geometry::Rect focus; // DrawFocusRect rectangle
};

Layout ComputeLayout(const Input& in);

} // namespace BitmapButtonRules
} // namespace controls
