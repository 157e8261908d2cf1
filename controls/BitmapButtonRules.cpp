#include "controls/BitmapButtonRules.h"

#include <algorithm>

namespace controls {

using geometry::Rect;

namespace BitmapButtonRules {
namespace {

constexpr unsigned kTypeMask = 0xF;      // BS_TYPEMASK
constexpr unsigned kSelfPaintBits = 0xD; // 0x1 | 0x4 | 0x8
constexpr uint32_t kBlackFaceHighlight = 0xF0F0F0;
constexpr int kGradientStep = 20;

int Channel(uint32_t color, int shift) {
    return (color >> shift) & 0xFF;
}

template <class F> uint32_t PerChannel(uint32_t a, uint32_t b, F f) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= static_cast<uint32_t>(f(Channel(a, shift), Channel(b, shift)) & 0xFF) << shift;
    return out;
}

} // namespace

bool IsSelfPainted(unsigned style) {
    return (style & kTypeMask & kSelfPaintBits) != 0;
}

int Scale(int width, int height, int bitmapWidth, int bitmapHeight) {
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || width <= 0 || height <= 0)
        return 0;
    return std::min(width / bitmapWidth, height / bitmapHeight);
}

uint32_t BaseColor(uint32_t face, uint32_t highlight, bool tinted) {
    face &= 0xFFFFFF;
    if (!tinted)
        return face;
    const uint32_t k = face == 0 ? kBlackFaceHighlight : highlight;
    return PerChannel(k, face, [](int kc, int bc) { return (7 * kc + 17 * bc) / 24; });
}

uint32_t GradientTop(uint32_t base) {
    return PerChannel(base, 0, [](int c, int) { return std::min(c + kGradientStep, 255); });
}

uint32_t GradientBottom(uint32_t base) {
    return PerChannel(base, 0, [](int c, int) { return std::max(c - kGradientStep, 0); });
}

Layout ComputeLayout(const Input& in) {
    Layout out;
    const bool down = in.pressed || in.checked;
    const int scale = Scale(in.width, in.height, in.bitmapWidth, in.bitmapHeight);
    out.scale = scale;

    out.base = BaseColor(in.face, in.highlight, down);
    out.top = GradientTop(out.base);
    out.bottom = GradientBottom(out.base);

    if (in.flat) {
        out.border = in.border ? Border::FlatFrame : Border::None;
    } else if (down) {
        out.border = in.border ? Border::Sunken : Border::None;
        out.offset = -scale;
    } else {
        out.border = in.border ? Border::Raised : Border::None;
    }

    if (scale > 0) {
        const int x = (in.width - (in.bitmapWidth + 4) * scale) / 2 + 2 * scale + out.offset;
        const int y = (in.height - (in.bitmapHeight + 4) * scale) / 2 + 2 * scale + out.offset;
        out.bitmap = {x, y, x + in.bitmapWidth * scale, y + in.bitmapHeight * scale};
    }

    out.caption = {out.offset, in.height / 7 + out.offset, in.width + out.offset, in.height};

    if (in.focused && (in.focusStyle == 1 || in.focusStyle == 2)) {
        out.hasFocusMark = true;
        if (in.focusStyle == 1) {
            const int inset = 3 * scale;
            out.focus = {inset, inset, in.width - inset, in.height - inset};
        } else {
            Rect bar{scale, scale, in.width - scale, in.height - scale};
            bar.top = bar.bottom - 3 * scale + 3;
            // With scale 0 (no bitmap) the bar would turn inside out.
            bar.top = std::min(bar.top, bar.bottom);
            out.focus = bar;
        }
    }
    return out;
}

} // namespace BitmapButtonRules
} // namespace controls
