#include "capture/EncodeImageFile.h"

#include "capture/CWriteCheckedStream.h"
#include "capture/CaptureProbe.h"
#include "capture/NeuQuant.h"
#include "capture/ShutterRules.h"
#include "capture/TemporaryImageFile.h"
#include "framework/CString.h"
#include "framework/Handles.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ContainerChoice {
    const GUID* container;
    const GUID* frameFormat;
};

std::optional<ContainerChoice> ChoiceFor(ImageType type) {
    switch (type) {
    case ImageType::Jpeg:
        return ContainerChoice{&GUID_ContainerFormatJpeg, &GUID_WICPixelFormat24bppBGR};
    case ImageType::Bmp:
        return ContainerChoice{&GUID_ContainerFormatBmp, &GUID_WICPixelFormat24bppBGR};
    case ImageType::Gif:
        return ContainerChoice{&GUID_ContainerFormatGif, &GUID_WICPixelFormat8bppIndexed};
    case ImageType::Png:
        return ContainerChoice{&GUID_ContainerFormatPng, &GUID_WICPixelFormat24bppBGR};
    }
    return std::nullopt;
}

bool MemoryFormatFor(int bitsPerPixel, WICPixelFormatGUID& format) {
    switch (bitsPerPixel) {
    case 8:
        format = GUID_WICPixelFormat8bppIndexed;
        return true;
    case 16:
        format = GUID_WICPixelFormat16bppBGR565;
        return true;
    case 24:
        format = GUID_WICPixelFormat24bppBGR;
        return true;
    case 32:
        format = GUID_WICPixelFormat32bppBGRA;
        return true;
    default:
        return false;
    }
}

// Palette entries as blue, green, red and a zero byte: the WICColor 0x00RRGGBB.
WICColor PaletteColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (static_cast<WICColor>(r) << 16) | (static_cast<WICColor>(g) << 8) | b;
}

// The pixels handed to CreateBitmapFromMemory: the image's own, or a converted
// copy held here for the length of one call.
struct Source {
    UINT width = 0;
    UINT height = 0;
    UINT stride = 0;
    WICPixelFormatGUID format{};
    const BYTE* bits = nullptr;
    std::vector<BYTE> converted;
    bool indexed = false;
    std::array<WICColor, 256> palette{};

    UINT Size() const { return stride * height; }
};

UINT IndexStride(UINT width) {
    return (width + 3) & ~3u;
}

// GIF from 16, 24 or 32 bits: 256 colours learned by the quantiser.
bool QuantiseInto(const CaptureImage& image, Source& source) {
    auto quantiser = std::make_unique<NeuQuant>();
    source.stride = IndexStride(source.width);
    source.converted.assign(static_cast<size_t>(source.stride) * source.height, 0);
    if (!quantiser->Quantise(static_cast<const std::uint8_t*>(image.bmBits), image.bmWidth, image.bmHeight,
                             image.bmWidthBytes, image.bmBitsPixel, source.converted.data(),
                             static_cast<int>(source.stride)))
        return false;
    const auto& colours = quantiser->Palette();
    for (size_t i = 0; i < colours.size(); ++i)
        source.palette[i] = PaletteColour(colours[i].r, colours[i].g, colours[i].b);
    return true;
}

// GIF from 8 bits: the screen's indices as they are, with the screen palette.
void CopyIndices(const CaptureImage& image, Source& source) {
    source.stride = IndexStride(source.width);
    source.converted.assign(static_cast<size_t>(source.stride) * source.height, 0);
    const BYTE* bits = static_cast<const BYTE*>(image.bmBits);
    for (UINT y = 0; y < source.height; ++y)
        std::copy_n(bits + static_cast<size_t>(y) * image.bmWidthBytes, source.width,
                    source.converted.data() + static_cast<size_t>(y) * source.stride);
    const auto screen = ScreenPalette();
    for (size_t i = 0; i < screen.size(); ++i)
        source.palette[i] = PaletteColour(screen[i].peRed, screen[i].peGreen, screen[i].peBlue);
}

// Any other format from 8 bits: 24-bit blue, green, red through the screen palette.
void ExpandIndices(const CaptureImage& image, Source& source) {
    source.stride = (source.width * 3 + 3) & ~3u;
    source.converted.assign(static_cast<size_t>(source.stride) * source.height, 0);
    const auto screen = ScreenPalette();
    const BYTE* bits = static_cast<const BYTE*>(image.bmBits);
    for (UINT y = 0; y < source.height; ++y) {
        const BYTE* in = bits + static_cast<size_t>(y) * image.bmWidthBytes;
        BYTE* out = source.converted.data() + static_cast<size_t>(y) * source.stride;
        for (UINT x = 0; x < source.width; ++x, out += 3) {
            const PALETTEENTRY& c = screen[in[x]];
            out[0] = c.peBlue;
            out[1] = c.peGreen;
            out[2] = c.peRed;
        }
    }
    source.format = GUID_WICPixelFormat24bppBGR;
}

// Chooses and, where needed, converts the source pixels; false means code -2.
bool PrepareSource(const CaptureImage& image, ImageType type, Source& source) {
    if (!image.bmBits || image.bmWidth <= 0 || image.bmHeight <= 0)
        return false;
    if (!MemoryFormatFor(image.bmBitsPixel, source.format))
        return false;
    if (static_cast<long long>(image.bmWidthBytes) * 8 <
        static_cast<long long>(image.bmWidth) * image.bmBitsPixel)
        return false;
    source.width = static_cast<UINT>(image.bmWidth);
    source.height = static_cast<UINT>(image.bmHeight);

    if (type == ImageType::Gif) {
        source.indexed = true;
        source.format = GUID_WICPixelFormat8bppIndexed;
        if (image.bmBitsPixel == 8)
            CopyIndices(image, source);
        else if (!QuantiseInto(image, source))
            return false;
        source.bits = source.converted.data();
        return true;
    }
    if (image.bmBitsPixel == 8) {
        ExpandIndices(image, source);
        source.bits = source.converted.data();
        return true;
    }
    source.stride = static_cast<UINT>(image.bmWidthBytes);
    source.bits = static_cast<const BYTE*>(image.bmBits);
    return true;
}

// The folder the temporary file is made in: the target's own. folder\name
// with an empty folder is \name, in the root of the current drive.
std::wstring TemporaryFolder(const wchar_t* folder) {
    return *folder ? std::wstring(folder) : std::wstring(L"\\");
}

// Sets the JPEG quality in the encoder's option bag; writtenQuality, when
// given, receives the value the bag holds afterwards.
void WriteJpegQuality(IPropertyBag2* bag, float quality, float* writtenQuality) {
    wchar_t name[] = L"ImageQuality";
    PROPBAG2 option{};
    option.pstrName = name;
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = ShutterRules::ClampQuality(quality);
    const HRESULT written = bag->Write(1, &option, &value);
    if (!writtenQuality || FAILED(written))
        return;
    *writtenQuality = value.fltVal;
    ScopedVariant stored;
    HRESULT readResult = S_OK;
    if (SUCCEEDED(bag->Read(1, &option, nullptr, stored.put(), &readResult)) && stored.get().vt == VT_R4)
        *writtenQuality = stored.get().fltVal;
}

void ClearGifTransparency(IWICBitmapFrameEncode* frame) {
    com_ptr<IWICMetadataQueryWriter> writer;
    if (FAILED(frame->GetMetadataQueryWriter(writer.put())) || !writer)
        return;
    PROPVARIANT value;
    ::PropVariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_FALSE;
    writer->SetMetadataByName(L"/grctlext/TransparencyFlag", &value);
}

// The failure of a step: its result code, and in detail the step, the
// system's error and the path.
int Failed(CaptureResult* detail, int code, CaptureResult::Step step, DWORD error, const CString& path) {
    if (detail)
        detail->Fail(step, error, path.str());
    return code;
}

DWORD ErrorOf(HRESULT hr) {
    return static_cast<DWORD>(hr);
}

int Encode(IWICImagingFactory* factory, const CaptureImage& image, const wchar_t* folder, const wchar_t* name,
           ImageType type, float quality, CaptureProbe* probe, CaptureResult* detail) {
    using Step = CaptureResult::Step;
    const CString path =
        folder && name ? FromU16(SettingsRules::PathInFolder(ToU16(folder), ToU16(name))) : CString();
    if (probe)
        probe->path = path;
    const std::optional<ContainerChoice> choice = ChoiceFor(type);
    if (!choice)
        return Failed(detail, kEncodeBadType, Step::Encoder, ErrorOf(E_INVALIDARG), path);

    Source source;
    if (!factory || !folder || !name || !PrepareSource(image, type, source))
        return Failed(detail, kEncodeNoSource, Step::Screen, 0, path);
    com_ptr<IWICBitmap> bitmap;
    if (const HRESULT hr =
            factory->CreateBitmapFromMemory(source.width, source.height, source.format, source.stride,
                                            source.Size(), const_cast<BYTE*>(source.bits), bitmap.put());
        FAILED(hr) || !bitmap)
        return Failed(detail, kEncodeNoSource, Step::Screen, ErrorOf(hr), path);
    com_ptr<IWICPalette> palette;
    if (source.indexed) {
        if (SUCCEEDED(factory->CreatePalette(palette.put())) && palette &&
            SUCCEEDED(
                palette->InitializeCustom(source.palette.data(), static_cast<UINT>(source.palette.size()))))
            bitmap->SetPalette(palette.get());
        else
            palette.reset();
    }

    // Declared before the stream and the encoder, so it is deleted after they
    // have let the file go.
    TemporaryImageFile temporary;
    UINT size = 0;
    {
        com_ptr<IWICStream> stream;
        if (!temporary.Create(TemporaryFolder(folder)))
            return Failed(detail, kEncodeCannotOpen, Step::File, ::GetLastError(), path);
        HRESULT hr = factory->CreateStream(stream.put());
        if (SUCCEEDED(hr) && stream)
            hr = stream->InitializeFromFilename(temporary.Path(), GENERIC_WRITE);
        if (FAILED(hr) || !stream)
            return Failed(detail, kEncodeCannotOpen, Step::File, ErrorOf(hr), path);

        // The encoder writes through a stream that notices a failed write
        // (a full disk) even where the encoder itself lets it pass.
        com_ptr<CWriteCheckedStream> checked = CWriteCheckedStream::Wrap(stream.get());
        if (!checked)
            return Failed(detail, kEncodeCannotOpen, Step::File, ErrorOf(E_OUTOFMEMORY), path);
        com_ptr<IWICBitmapEncoder> encoder;
        hr = factory->CreateEncoder(*choice->container, nullptr, encoder.put());
        if (FAILED(hr) || !encoder)
            return Failed(detail, kEncodeNoEncoder, Step::Encoder, ErrorOf(hr), path);
        // A write that failed underneath is the file's fault, whatever the
        // encoder answered.
        const auto writeFailed = [&](HRESULT encoderResult) {
            return checked->WriteFailed()
                       ? Failed(detail, kEncodeWriteFailed, Step::File, ErrorOf(checked->Failure()), path)
                       : Failed(detail, kEncodeWriteFailed, Step::Encoder, ErrorOf(encoderResult), path);
        };
        if (hr = encoder->Initialize(checked.get(), WICBitmapEncoderNoCache); FAILED(hr))
            return writeFailed(hr);

        com_ptr<IWICBitmapFrameEncode> frame;
        com_ptr<IPropertyBag2> options;
        if (hr = encoder->CreateNewFrame(frame.put(), options.put()); FAILED(hr) || !frame)
            return writeFailed(hr);
        if (type == ImageType::Jpeg && options)
            WriteJpegQuality(options.get(), quality, probe ? &probe->quality : nullptr);
        if (hr = frame->Initialize(options.get()); FAILED(hr))
            return Failed(detail, kEncodeFrameInit, Step::Encoder, ErrorOf(hr), path);
        // Not supported everywhere; a GIF without the extension has no
        // transparent colour anyway.
        if (type == ImageType::Gif)
            ClearGifTransparency(frame.get());

        hr = WriteFrame(frame.get(), bitmap.get(), *choice->frameFormat, palette.get());
        if (SUCCEEDED(hr))
            hr = encoder->Commit();
        if (FAILED(hr) || checked->WriteFailed())
            return writeFailed(hr);

        STATSTG stat{};
        if (SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)))
            size = static_cast<UINT>(stat.cbSize.QuadPart & 0xFFFFFFFFu);
    } // frame, options, encoder and stream released: the file is closed

    if (size == 0)
        return Failed(detail, kEncodeNothingWritten, Step::Encoder, 0, path);
    if (!temporary.PutInPlace(path))
        return Failed(detail, kEncodeCannotOpen, Step::File, ::GetLastError(), path);
    return static_cast<int>(size);
}

int EncodeNoThrow(IWICImagingFactory* factory, const CaptureImage& image, const wchar_t* folder,
                  const wchar_t* name, ImageType type, float quality, CaptureProbe* probe,
                  CaptureResult* detail) {
    try {
        return Encode(factory, image, folder, name, type, quality, probe, detail);
    } catch (const std::bad_alloc&) {
        // The working copy of the pixels could not be made.
        return Failed(detail, kEncodeNoSource, CaptureResult::Step::Screen, ERROR_NOT_ENOUGH_MEMORY,
                      CString());
    }
}

} // namespace

HRESULT WriteFrame(IWICBitmapFrameEncode* frame, IWICBitmapSource* source, const WICPixelFormatGUID& format,
                   IWICPalette* palette) {
    UINT width = 0, height = 0;
    HRESULT hr = source->GetSize(&width, &height);
    if (SUCCEEDED(hr))
        hr = frame->SetSize(width, height);
    if (SUCCEEDED(hr))
        hr = frame->SetResolution(USER_DEFAULT_SCREEN_DPI, USER_DEFAULT_SCREEN_DPI);
    WICPixelFormatGUID frameFormat = format;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&frameFormat);
    // Without a palette of its own the frame may make one up from the
    // pixels; given here, the written colours are the ones computed. A frame
    // that refuses it still writes a valid file.
    if (SUCCEEDED(hr) && palette)
        frame->SetPalette(palette);
    if (SUCCEEDED(hr))
        hr = frame->WriteSource(source, nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    return hr;
}

int EncodeImageFile(IWICImagingFactory* factory, const CaptureImage& image, const wchar_t* folder,
                    const wchar_t* name, ImageType type, float quality, CaptureResult* detail,
                    CaptureProbe* probe) {
    if (probe)
        probe->quality = -1.0f;
    return EncodeNoThrow(factory, image, folder, name, type, quality, probe, detail);
}

std::array<PALETTEENTRY, 256> ScreenPalette() {
    std::array<PALETTEENTRY, 256> entries{};
    WindowDC screen(nullptr);
    if (!screen)
        return entries;
    if ((::GetDeviceCaps(screen.get(), RASTERCAPS) & RC_PALETTE) &&
        ::GetSystemPaletteEntries(screen.get(), 0, 256, entries.data()) == 256)
        return entries;
    entries = {};
    unique_handle<GdiObjectTraits<HPALETTE>> halftone(::CreateHalftonePalette(screen.get()));
    if (halftone)
        ::GetPaletteEntries(halftone.get(), 0, 256, entries.data());
    return entries;
}

com_ptr<IWICImagingFactory> CreateImagingFactory() {
    com_ptr<IWICImagingFactory> factory;
    if (FAILED(CreateInstance(CLSID_WICImagingFactory2, factory)) || !factory)
        CreateInstance(CLSID_WICImagingFactory, factory);
    return factory;
}
