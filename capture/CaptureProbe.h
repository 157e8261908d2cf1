// What a capture did on its way to the file, for tests to look at, and
// images made in memory instead of grabbed from the screen. No caller in the
// program uses these: the functions declared here run the same code as the
// ones the program calls, and only note more of what happened.
#pragma once

#include "capture/CaptureImage.h"
#include "capture/EncodeImageFile.h"
#include "capture/ShutterCapture.h"

struct CaptureProbe {
    // The path of the output file, set whenever the encoder ran.
    CString path;
    // The "ImageQuality" the JPEG encoder's option bag holds after it was
    // set; -1 when none was set.
    float quality = -1.0f;
};

// TakeCapture, noting in probe what it handed to the encoder.
std::optional<int> TakeCapture(CaptureProbe& probe, const Settings& settings, IWICImagingFactory* factory,
                               RECT holeOnScreen, const RECT& virtualScreen,
                               const ShutterRules::HeldTypeKeys& keys, const SettingsRules::LocalTime& now,
                               const ScreenGrabSteps& steps = ScreenGrabSteps{},
                               HWND clipboardOwner = nullptr, CString* writtenPath = nullptr);

// EncodeImageFile, noting in probe the path and the JPEG quality.
int EncodeImageFile(CaptureProbe& probe, IWICImagingFactory* factory, const CaptureImage& image,
                    const wchar_t* folder, const wchar_t* name, ImageType type, float quality);

// Gives image a pixel buffer of height rows of widthBytes bytes, contents
// undefined, for the caller to fill; the earlier pixels are freed. Null (and
// an empty image) when there is no memory for it.
BYTE* AllocateImagePixels(CaptureImage& image, LONG width, LONG height, LONG widthBytes, WORD bitsPixel);
