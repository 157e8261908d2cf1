// Writing a CaptureImage as a JPEG, BMP, GIF or PNG file through the Windows
// Imaging Component.
#pragma once

#include "app/SettingsRules.h"
#include "capture/CaptureImage.h"
#include "capture/CaptureResult.h"
#include "framework/ComPtr.h"

#include <windows.h>
#include <wincodec.h>

#include <array>

struct CaptureProbe;

// Results of EncodeImageFile other than a file size.
enum EncodeResult : int {
    kEncodeNothingWritten = 0, // the encoder produced an empty file
    kEncodeBadType = -1,       // the image type is none of the four (a number outside 0..3 cast to it)
    kEncodeNoSource = -2,      // no factory, no folder or name, an empty image, a bit depth not 8/16/24/32,
                               // or no source bitmap
    kEncodeCannotOpen = -3,    // the file cannot be opened (or put in place) for writing
    kEncodeNoEncoder = -4,     // no encoder for the container format
    kEncodeFrameInit = -5,     // the frame refused its options
    kEncodeWriteFailed = -6,   // the encoder failed while writing; no file was put in place
};

// Writes `image` as an image of the given type to the file `name` in
// `folder` (folder\name) and returns the size of the written file in bytes,
// or a result above. quality (0..1, clamped) counts for JPEG only. GIF is
// reduced to 256 colours first.
//
// The file is written under a temporary name of the program's own in
// `folder` and moved over folder\name only when every encoder step
// succeeded, so a failure never damages a file already there and leaves no
// temporary file behind. A file held open by another program is waited for
// briefly (kEncodeCannotOpen when it stays held).
//
// Where detail is given, a failure also notes there which step failed, the
// system's error of that step and the path. Where probe is given (tests),
// it notes the path and the JPEG quality handed to the encoder.
//
// An 8-bit image holds indices into the screen's palette (ScreenPalette): as
// GIF those indices are written unchanged with that palette; for the other
// formats the image is first expanded through the palette to 24 bits.
int EncodeImageFile(IWICImagingFactory* factory, const CaptureImage& image, const wchar_t* folder,
                    const wchar_t* name, ImageType type, float quality, CaptureResult* detail = nullptr,
                    CaptureProbe* probe = nullptr);

// Fills an initialised frame from source and commits it: the source's size,
// 96 dpi, the pixel format asked for (the encoder may take its nearest), the
// palette when one is given (before the pixels, as the frame requires), then
// the pixels. The first failing step's result, else S_OK.
HRESULT WriteFrame(IWICBitmapFrameEncode* frame, IWICBitmapSource* source, const WICPixelFormatGUID& format,
                   IWICPalette* palette);

// The colours the 256 pixel values of an 8-bit screen stand for: the system
// palette of a palette display; on any other display (which never yields an
// 8-bit grab) the halftone palette.
std::array<PALETTEENTRY, 256> ScreenPalette();

// The imaging factory: CLSID_WICImagingFactory2, else CLSID_WICImagingFactory.
// Null when neither can be created. COM must be initialised on the thread.
com_ptr<IWICImagingFactory> CreateImagingFactory();
