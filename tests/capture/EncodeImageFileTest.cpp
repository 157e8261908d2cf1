// The encoder with images made in memory: every bit depth, every result code,
// the temporary file and the quality handed to the JPEG encoder.
#include "capture/EncodeImageFile.h"
#include "capture/ShutterRules.h"
#include "tests/capture/CaptureTestSupport.h"

#include <gtest/gtest.h>

using namespace capture_test;

namespace {

void Put32(std::uint8_t* p, int x, int y) {
    const Bgr c = PatternAt(x, y);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
    p[3] = 0;
}

// A frame of the real encoder that notes the palette it is given and
// whether that came before the pixels.
class NotingFrame : public IWICBitmapFrameEncode {
public:
    explicit NotingFrame(IWICBitmapFrameEncode* real) : m_real(real) {}
    std::vector<WICColor> palette;
    bool paletteBeforePixels = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IWICBitmapFrameEncode))
            return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Initialize(IPropertyBag2* options) override {
        return m_real->Initialize(options);
    }
    HRESULT STDMETHODCALLTYPE SetSize(UINT w, UINT h) override { return m_real->SetSize(w, h); }
    HRESULT STDMETHODCALLTYPE SetResolution(double x, double y) override {
        return m_real->SetResolution(x, y);
    }
    HRESULT STDMETHODCALLTYPE SetPixelFormat(WICPixelFormatGUID* format) override {
        return m_real->SetPixelFormat(format);
    }
    HRESULT STDMETHODCALLTYPE SetColorContexts(UINT n, IWICColorContext** contexts) override {
        return m_real->SetColorContexts(n, contexts);
    }
    HRESULT STDMETHODCALLTYPE SetPalette(IWICPalette* given) override {
        UINT count = 0;
        given->GetColorCount(&count);
        palette.assign(count, 0);
        given->GetColors(count, palette.data(), &count);
        paletteBeforePixels = !m_wrote;
        return m_real->SetPalette(given);
    }
    HRESULT STDMETHODCALLTYPE SetThumbnail(IWICBitmapSource* thumbnail) override {
        return m_real->SetThumbnail(thumbnail);
    }
    HRESULT STDMETHODCALLTYPE WritePixels(UINT lines, UINT stride, UINT size, BYTE* pixels) override {
        m_wrote = true;
        return m_real->WritePixels(lines, stride, size, pixels);
    }
    HRESULT STDMETHODCALLTYPE WriteSource(IWICBitmapSource* source, WICRect* rect) override {
        m_wrote = true;
        return m_real->WriteSource(source, rect);
    }
    HRESULT STDMETHODCALLTYPE Commit() override { return m_real->Commit(); }
    HRESULT STDMETHODCALLTYPE GetMetadataQueryWriter(IWICMetadataQueryWriter** writer) override {
        return m_real->GetMetadataQueryWriter(writer);
    }

private:
    IWICBitmapFrameEncode* m_real;
    bool m_wrote = false;
};

class EncodeImageFileTest : public ImagingTest {
protected:
    // Writes the file `name` in the scratch folder, or in `in`.
    int Encode(const CaptureImage& image, const wchar_t* name, ImageType type, float quality = 0.9f) {
        return EncodeIn(folder.Path(), image, name, type, quality);
    }
    int EncodeIn(const std::wstring& in, const CaptureImage& image, const wchar_t* name, ImageType type,
                 float quality = 0.9f) {
        return EncodeImageFile(factory.get(), image, in.c_str(), name, type, quality, nullptr, &probe);
    }
    ScratchFolder folder;
    CaptureProbe probe;
};

TEST_F(EncodeImageFileTest, EveryListedBitDepthIsWrittenWithItsOwnLayout) {
    // 24 bits with two bytes of row padding: the stride is honoured.
    {
        CaptureImage image;
        MakeImage(image, 13, 5, 24, 13 * 3 + 2, [](std::uint8_t* p, int x, int y) {
            const Bgr c = PatternAt(x, y);
            p[0] = c.b, p[1] = c.g, p[2] = c.r;
        });
        const std::wstring path = folder.File(L"d24.bmp");
        ASSERT_GT(Encode(image, L"d24.bmp", ImageType::Bmp), 0);
        const Decoded file = DecodeFile(factory.get(), path.c_str());
        ASSERT_TRUE(file.ok);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(file.At(x, y), PatternAt(x, y)) << x << "," << y;
    }
}

// 32 x 16 pixels of eight BGR565 colours: few enough for the GIF palette to
// hold every one of them.
void MakeBgr565Image(CaptureImage& image) {
    MakeImage(image, 32, 16, 16, 64, [](std::uint8_t* p, int x, int y) {
        const unsigned v = ((x / 8) * 9 << 11) | (((y / 8) * 40 + 3) << 5) | (31 - (x / 8) * 7);
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
    });
}

TEST_F(EncodeImageFileTest, SixteenBitsAreReadAsBgr565ForGif) {
    CaptureImage image;
    MakeBgr565Image(image);
    const std::wstring gif = folder.File(L"d16.gif");
    ASSERT_GT(Encode(image, L"d16.gif", ImageType::Gif), 0);
    const Decoded file = DecodeFile(factory.get(), gif.c_str());
    ASSERT_TRUE(file.ok);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_LE(MaxChannelDifference(file.At(x, y), PixelOf(image, x, y)), 8) << x << "," << y;
}

TEST_F(EncodeImageFileTest, SixteenBitsAreHandedOnAsBgr565ForTheOtherFormats) {
    // The imaging component converts BGR565 to 24 bits; one without that
    // conversion fails the write, and then no file is left.
    CaptureImage image;
    MakeBgr565Image(image);
    const std::wstring png = folder.File(L"d16.png");
    const int result = Encode(image, L"d16.png", ImageType::Png);
    if (result == kEncodeWriteFailed) {
        EXPECT_TRUE(ScratchFolder::List(folder.Path()).empty());
        GTEST_SKIP() << "this imaging component cannot convert BGR565 to 24-bit BGR";
    }
    ASSERT_GT(result, 0);
    const Decoded file = DecodeFile(factory.get(), png.c_str());
    ASSERT_TRUE(file.ok);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_LE(MaxChannelDifference(file.At(x, y), PixelOf(image, x, y)), 7) << x << "," << y;
}

TEST_F(EncodeImageFileTest, An8BitImageStandsForTheScreenPaletteInEveryFormat) {
    const auto palette = ScreenPalette();
    // Not a blank table: the colours differ and are not all grey.
    int coloured = 0;
    for (const auto& e : palette)
        coloured += (e.peRed != e.peBlue) ? 1 : 0;
    ASSERT_GT(coloured, 100);

    CaptureImage image;
    // 23 pixels wide with a stride of 24 (the rows of a device bitmap are even).
    MakeImage(image, 23, 12, 8, 24,
              [](std::uint8_t* p, int x, int y) { *p = static_cast<std::uint8_t>(x + y * 23); });
    auto colourOf = [&](int x, int y) {
        const PALETTEENTRY& e = palette[static_cast<std::uint8_t>(x + y * 23)];
        return Bgr{e.peBlue, e.peGreen, e.peRed};
    };
    for (ImageType type : {ImageType::Bmp, ImageType::Png}) {
        SCOPED_TRACE(type);
        const wchar_t* name = type == ImageType::Bmp ? L"p8.bmp" : L"p8.png";
        const std::wstring path = folder.File(name);
        ASSERT_GT(Encode(image, name, type), 0);
        const Decoded file = DecodeFile(factory.get(), path.c_str());
        ASSERT_TRUE(file.ok);
        EXPECT_TRUE(IsEqualGUID(file.framePixelFormat, GUID_WICPixelFormat24bppBGR));
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 23; ++x)
                ASSERT_EQ(file.At(x, y), colourOf(x, y)) << x << "," << y;
    }
    // As GIF the indices are kept and the palette is the screen's.
    const std::wstring gif = folder.File(L"p8.gif");
    ASSERT_GT(Encode(image, L"p8.gif", ImageType::Gif), 0);
    const Decoded file = DecodeFile(factory.get(), gif.c_str());
    ASSERT_TRUE(file.ok);
    ASSERT_EQ(file.paletteCount, 256u);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 23; ++x) {
            const std::uint8_t index = file.indices[static_cast<size_t>(y) * 23 + x];
            ASSERT_EQ(index, static_cast<std::uint8_t>(x + y * 23));
            const PALETTEENTRY& e = palette[index];
            ASSERT_EQ(file.palette[index] & 0xFFFFFFu,
                      (static_cast<WICColor>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue);
        }
    // A JPEG of it is written too.
    EXPECT_GT(Encode(image, L"p8.jpg", ImageType::Jpeg), 0);
}

TEST_F(EncodeImageFileTest, TinyGifsStillWork) {
    // 10 x 10 is fewer than 100 learning samples: cycle length 1, step 3.
    CaptureImage image;
    MakeImage(image, 10, 10, 32, 40, Put32);
    const std::wstring path = folder.File(L"tiny.gif");
    ASSERT_GT(Encode(image, L"tiny.gif", ImageType::Gif), 0);
    const Decoded file = DecodeFile(factory.get(), path.c_str());
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.width, 10u);
    EXPECT_EQ(file.paletteCount, 256u);
    EXPECT_FALSE(file.paletteHasAlpha);
}

TEST_F(EncodeImageFileTest, TheGifFrameIsGivenTheComputedPaletteBeforeItsPixels) {
    std::vector<WICColor> colours(256);
    for (UINT i = 0; i < 256; ++i)
        colours[i] = (i * 0x010305u) & 0xFFFFFFu;
    com_ptr<IWICPalette> palette;
    ASSERT_HRESULT_SUCCEEDED(factory->CreatePalette(palette.put()));
    ASSERT_HRESULT_SUCCEEDED(palette->InitializeCustom(colours.data(), 256));
    BYTE pixels[16] = {0, 1, 2, 3, 250, 251, 252, 253, 9, 8, 7, 6, 100, 101, 102, 255};
    com_ptr<IWICBitmap> source;
    ASSERT_HRESULT_SUCCEEDED(
        factory->CreateBitmapFromMemory(4, 4, GUID_WICPixelFormat8bppIndexed, 4, 16, pixels, source.put()));
    source->SetPalette(palette.get());

    const std::wstring path = folder.File(L"p.gif");
    com_ptr<IWICStream> stream;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(stream.put()));
    ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
    com_ptr<IWICBitmapEncoder> encoder;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatGif, nullptr, encoder.put()));
    ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
    com_ptr<IWICBitmapFrameEncode> real;
    com_ptr<IPropertyBag2> options;
    ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(real.put(), options.put()));
    ASSERT_HRESULT_SUCCEEDED(real->Initialize(options.get()));
    NotingFrame frame(real.get());
    ASSERT_HRESULT_SUCCEEDED(WriteFrame(&frame, source.get(), GUID_WICPixelFormat8bppIndexed, palette.get()));
    ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
    EXPECT_TRUE(frame.paletteBeforePixels);
    EXPECT_EQ(frame.palette, colours);
    options.reset();
    real.reset();
    encoder.reset();
    stream.reset();
    const Decoded file = DecodeFile(factory.get(), path.c_str());
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.indices, std::vector<std::uint8_t>(pixels, pixels + 16));
}

TEST_F(EncodeImageFileTest, AFolderTooLongForGetTempFileNameIsWrittenTo) {
    // Longer than GetTempFileName takes (MAX_PATH - 14), while the image's
    // own path still fits in MAX_PATH.
    std::wstring deep = folder.Path() + L"\\";
    deep += std::wstring(MAX_PATH - 10 - deep.size(), L'd');
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    const std::wstring path = deep + L"\\a.png";
    ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH));
    CaptureImage image;
    MakeImage(image, 8, 8, 32, 32, Put32);
    const int result = EncodeIn(deep, image, L"a.png", ImageType::Png);
    EXPECT_GT(result, 0);
    EXPECT_EQ(static_cast<size_t>(result), ReadBytes(path).size());
    EXPECT_EQ(ScratchFolder::List(deep), std::vector<std::wstring>{L"a.png"});
    ::DeleteFileW((L"\\\\?\\" + path).c_str());
    ::RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
}

TEST_F(EncodeImageFileTest, AnUnknownTypeTouchesNoFile) {
    CaptureImage image;
    MakeImage(image, 4, 4, 32, 16, Put32);
    const std::wstring path = folder.File(L"keep.png");
    WriteBytes(path, "earlier");
    // Only a number cast to a type without ImageTypeFromInt can be none of the four.
    for (int number : {4, -1, 99})
        EXPECT_EQ(Encode(image, L"keep.png", static_cast<ImageType>(number)), kEncodeBadType);
    EXPECT_EQ(ReadBytes(path), "earlier");
    EXPECT_EQ(ScratchFolder::List(folder.Path()).size(), 1u);
    // Even without a factory the type is checked first.
    EXPECT_EQ(
        EncodeImageFile(nullptr, image, folder.Path().c_str(), L"keep.png", static_cast<ImageType>(4), 0.9f),
        kEncodeBadType);
}

TEST_F(EncodeImageFileTest, NoSourceForAMissingFactoryAnUnlistedDepthOrNoPixels) {
    CaptureImage image;
    MakeImage(image, 4, 4, 32, 16, Put32);
    EXPECT_EQ(EncodeImageFile(nullptr, image, folder.Path().c_str(), L"x.png", ImageType::Png, 0.9f),
              kEncodeNoSource);
    EXPECT_EQ(EncodeImageFile(factory.get(), image, nullptr, L"x.png", ImageType::Png, 0.9f),
              kEncodeNoSource);
    EXPECT_EQ(EncodeImageFile(factory.get(), image, folder.Path().c_str(), nullptr, ImageType::Png, 0.9f),
              kEncodeNoSource);

    CaptureImage oneBit;
    MakeImage(oneBit, 16, 2, 1, 2, [](std::uint8_t*, int, int) {});
    CaptureImage fourBits;
    MakeImage(fourBits, 8, 2, 4, 4, [](std::uint8_t*, int, int) {});
    for (ImageType type : {ImageType::Jpeg, ImageType::Bmp, ImageType::Gif, ImageType::Png}) {
        EXPECT_EQ(Encode(oneBit, L"x.png", type), kEncodeNoSource) << type;
        EXPECT_EQ(Encode(fourBits, L"x.png", type), kEncodeNoSource) << type;
    }
    CaptureImage empty;
    EXPECT_EQ(Encode(empty, L"x.png", ImageType::Bmp), kEncodeNoSource);
    EXPECT_TRUE(ScratchFolder::List(folder.Path()).empty());
}

TEST_F(EncodeImageFileTest, AMissingFolderCannotBeOpened) {
    CaptureImage image;
    MakeImage(image, 4, 4, 32, 16, Put32);
    const std::wstring missing = folder.File(L"missing");
    for (ImageType type : {ImageType::Jpeg, ImageType::Bmp, ImageType::Gif, ImageType::Png})
        EXPECT_EQ(EncodeIn(missing, image, L"x.png", type), kEncodeCannotOpen) << type;
    EXPECT_FALSE(FileExists(missing));
}

TEST_F(EncodeImageFileTest, ASuccessReplacesAnEarlierFileAndReportsItsSize) {
    CaptureImage image;
    MakeImage(image, 16, 8, 32, 64, Put32);
    const std::wstring path = folder.File(L"output.png");
    WriteBytes(path, std::string(5000, 'x'));
    const int result = Encode(image, L"output.png", ImageType::Png);
    ASSERT_GT(result, 0);
    EXPECT_EQ(static_cast<size_t>(result), ReadBytes(path).size());
    EXPECT_TRUE(DecodeFile(factory.get(), path.c_str()).ok);
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"output.png"});
}

TEST_F(EncodeImageFileTest, AFailingWriteStepIsReportedAndKeepsTheEarlierFile) {
    // Wider than a JPEG can be (65535): the encoder accepts the frame and
    // fails while writing the pixels.
    CaptureImage image;
    MakeImage(image, 65536, 1, 24, 65536 * 3, [](std::uint8_t* p, int, int) { p[0] = p[1] = p[2] = 0x40; });
    const std::wstring path = folder.File(L"output.jpg");
    WriteBytes(path, "earlier capture");
    EXPECT_EQ(Encode(image, L"output.jpg", ImageType::Jpeg), kEncodeWriteFailed);
    EXPECT_EQ(ReadBytes(path), "earlier capture");
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"output.jpg"});
}

TEST_F(EncodeImageFileTest, JpegIsGivenTheClampedQuality) {
    CaptureImage image;
    MakeImage(image, 8, 8, 32, 32, Put32);
    struct Case {
        float given, expected;
    } cases[] = {{ShutterRules::ShutterQuality(50), 0.501f},
                 {ShutterRules::ShutterQuality(100), 1.0f},
                 {0.75f, 0.75f},
                 {-0.2f, 0.0f}};
    for (const Case& c : cases) {
        probe.quality = -5.0f;
        ASSERT_GT(Encode(image, L"q.jpg", ImageType::Jpeg, c.given), 0);
        EXPECT_FLOAT_EQ(probe.quality, c.expected) << c.given;
    }
    probe.quality = -5.0f;
    ASSERT_GT(Encode(image, L"q.png", ImageType::Png, 0.5f), 0);
    EXPECT_EQ(probe.quality, -1.0f); // only JPEG has the option
}

} // namespace
