#include "frame/StatusLabel.h"

#include <algorithm>
#include <cstdio>

namespace frame {
namespace {

constexpr int kGreenLimit = 153600; // sizes up to 150 KB are shown in the green tone
constexpr int kLightLuma = 195;     // above this the frame is light and the text near-black

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text; ++text)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    return out;
}

} // namespace

int StatusLabel::Luma(uint32_t color) {
    const int r = color & 0xFF;
    const int g = (color >> 8) & 0xFF;
    const int b = (color >> 16) & 0xFF;
    return (306 * r + 600 * g + 117 * b) >> 10;
}

void StatusLabel::SetStatus(int value, uint32_t frameColor) {
    const int r = frameColor & 0xFF;
    const int g = (frameColor >> 8) & 0xFF;
    const int b = (frameColor >> 16) & 0xFF;
    const int lo = std::min({r, g, b});
    const int hi = std::max({r, g, b});
    // Reflects a channel inside the colour's own range, so the text keeps the
    // frame's saturation while standing apart from it.
    auto mirror = [lo, hi](int c) { return lo + hi - c; };
    const bool light = Luma(frameColor) > kLightLuma;

    char buffer[32];
    if (value <= 0) {
        // Widened before negating so that INT_MIN prints its magnitude.
        std::snprintf(buffer, sizeof buffer, "error:%lld", -static_cast<long long>(value));
        m_crColor = light ? Rgb(0, 0, 0) : Rgb(255, mirror(g), mirror(b));
    } else {
        const int kilobytes = value / 1024 + (value % 1024 != 0 ? 1 : 0);
        std::snprintf(buffer, sizeof buffer, "% 3dKB", kilobytes);
        if (light)
            m_crColor = Rgb(0, 0, 20);
        else if (value <= kGreenLimit)
            m_crColor = Rgb(mirror(r), 240, mirror(b));
        else
            m_crColor = Rgb(240, mirror(g), mirror(b));
    }
    m_strText = Widen(buffer);
}

} // namespace frame
