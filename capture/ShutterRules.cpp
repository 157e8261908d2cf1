#include "capture/ShutterRules.h"

namespace ShutterRules {

ImageType EffectiveType(bool j, bool b, bool g, bool p, ImageType settingsType) {
    if (j)
        return ImageType::Jpeg;
    if (b)
        return ImageType::Bmp;
    if (g)
        return ImageType::Gif;
    if (p)
        return ImageType::Png;
    return settingsType;
}

bool CopiesToClipboard(const HeldTypeKeys& keys, bool copyToClipboard) {
    return keys.c || copyToClipboard;
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
