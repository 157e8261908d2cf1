// What a capture did on its way to the file, for tests to look at (handed in
// as ShutterCalls::probe or EncodeImageFile's probe), and images made in
// memory instead of grabbed from the screen. No caller in the program uses
// these.
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

// Gives image a pixel buffer of height rows of widthBytes bytes, contents
// undefined, for the caller to fill; the earlier pixels are freed. Null (and
// an empty image) when there is no memory for it.
BYTE* AllocateImagePixels(CaptureImage& image, LONG width, LONG height, LONG widthBytes, WORD bitsPixel);
