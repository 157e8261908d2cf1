// Colour values with a blend weight, as the validating edit control takes
// them for its states: the low 24 bits are an RGB colour (red in the lowest
// byte), bits 24 to 27 a weight w toward the state's system colour, and -1
// means "not set". With w > 0 each channel is
//   (truncate(S x w / 10) + truncate(C x (1 - w / 10))) modulo 256,
// S the system colour and C the given one.
#pragma once

#include <cstdint>

namespace controls {
namespace EditColors {

constexpr int32_t kNotSet = -1;

enum State { Normal = 0, Disabled = 1, ReadOnly = 2, StateCount = 3 };

constexpr int32_t MakeValue(uint32_t rgb, int weight) {
    return static_cast<int32_t>((rgb & 0xFFFFFF) | (static_cast<uint32_t>(weight & 0xF) << 24));
}
constexpr int WeightOf(int32_t value) {
    return (static_cast<uint32_t>(value) >> 24) & 0xF;
}

// The effective colour of a requested value: kNotSet stays kNotSet, weight 0
// gives the value itself, other weights the blend with systemRgb.
int32_t Effective(int32_t requested, uint32_t systemRgb);

// The system colour indices (GetSysColor) a state blends toward.
int TextSystemColor(int state);       // COLOR_WINDOWTEXT, or COLOR_GRAYTEXT when disabled
int BackgroundSystemColor(int state); // COLOR_WINDOW, or COLOR_MENU when disabled or read-only

// The state a WM_CTLCOLOR* kind asks about: CTLCOLOR_EDIT is the normal
// state, CTLCOLOR_STATIC read-only or disabled; -1 for every other kind.
int StateForCtlColor(int ctlColorKind, bool enabled);

} // namespace EditColors
} // namespace controls
