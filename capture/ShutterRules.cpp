#include "capture/ShutterRules.h"

namespace ShutterRules {

int EffectiveType(bool j, bool b, bool g, bool p, int settingsType) {
    if (j)
        return 0;
    if (b)
        return 1;
    if (g)
        return 2;
    if (p)
        return 3;
    return settingsType;
}

bool CopiesToClipboard(const HeldTypeKeys& keys, int copyToClipboard) {
    return keys.c || copyToClipboard == 1;
}

float ShutterQuality(int jpegQuality) {
    return static_cast<float>(jpegQuality) / 100.0f + 0.001f;
}

float ClampQuality(float quality) {
    if (quality > 1.0f)
        return 1.0f;
    if (!(quality >= 0.0f))
        return 0.0f;
    return quality;
}

} // namespace ShutterRules
