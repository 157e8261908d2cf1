#include "controls/EditColors.h"

namespace controls {
namespace EditColors {
namespace {

// GetSysColor indices and WM_CTLCOLOR* kinds, as the platform numbers them.
constexpr int kColorMenu = 4;
constexpr int kColorWindow = 5;
constexpr int kColorWindowText = 8;
constexpr int kColorGrayText = 17;
constexpr int kCtlColorEdit = 1;
constexpr int kCtlColorStatic = 6;

int BlendChannel(int system, int chosen, int weight) {
    const double w = weight / 10.0;
    const int sum = static_cast<int>(system * w) + static_cast<int>(chosen * (1 - w));
    // Weights above 10 leave 0..255; the channel wraps instead of spilling
    // into its neighbour.
    return ((sum % 256) + 256) % 256;
}

} // namespace

int32_t Effective(int32_t requested, uint32_t systemRgb) {
    if (requested == kNotSet)
        return kNotSet;
    const int weight = WeightOf(requested);
    if (weight == 0)
        return requested;
    int32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int system = (systemRgb >> shift) & 0xFF;
        const int chosen = (static_cast<uint32_t>(requested) >> shift) & 0xFF;
        result |= BlendChannel(system, chosen, weight) << shift;
    }
    return result;
}

int TextSystemColor(int state) {
    return state == Disabled ? kColorGrayText : kColorWindowText;
}

int BackgroundSystemColor(int state) {
    return state == Normal ? kColorWindow : kColorMenu;
}

int StateForCtlColor(int ctlColorKind, bool enabled) {
    if (ctlColorKind == kCtlColorEdit)
        return Normal;
    if (ctlColorKind == kCtlColorStatic)
        return enabled ? ReadOnly : Disabled;
    return -1;
}

} // namespace EditColors
} // namespace controls
