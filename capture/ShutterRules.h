// The plain decisions of one capture: which image type a shot is written in
// and which JPEG quality the encoder is given.
#pragma once

#include "app/SettingsRules.h"

namespace ShutterRules {

// The letter keys held while the shutter fires: J, B, G and P choose the
// image type, C also copies the capture to the clipboard, D starts a
// countdown before the shot.
struct HeldTypeKeys {
    bool j = false;
    bool b = false;
    bool g = false;
    bool p = false;
    bool c = false;
    bool d = false;
    bool r = false; // R: the shutter starts a recording instead
};

// J (JPEG) before B (BMP) before G (GIF) before P (PNG); with none of them
// held, the type of the settings.
ImageType EffectiveType(bool j, bool b, bool g, bool p, ImageType settingsType);
inline ImageType EffectiveType(const HeldTypeKeys& keys, ImageType settingsType) {
    return EffectiveType(keys.j, keys.b, keys.g, keys.p, settingsType);
}

// Whether a capture also goes to the clipboard: C held, or the setting
// copyToClipboard switched on.
bool CopiesToClipboard(const HeldTypeKeys& keys, bool copyToClipboard);

// The quality handed to the encoder for a jpegQuality percentage:
// jpegQuality / 100 + 0.001 (90 gives 0.901).
float ShutterQuality(int jpegQuality);

// The "ImageQuality" value the JPEG encoder is given: quality limited to
// 0.0 .. 1.0 (a NaN counts as 0).
float ClampQuality(float quality);

} // namespace ShutterRules
