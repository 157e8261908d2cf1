// Grabbing the real screen of the test display: a window with a known pattern
// is copied, written in every format and read back.
#include "capture/CaptureImage.h"
#include "capture/EncodeImageFile.h"
#include "tests/capture/CaptureTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace capture_test;

namespace {

constexpr int kW = 64, kH = 48;

class CaptureGrab : public ImagingTest {
protected:
    void SetUp() override {
        ImagingTest::SetUp();
        window = std::make_unique<PatternWindow>(120, 90, kW, kH);
        ASSERT_TRUE(window->Settle()) << "the pattern window never showed on the screen";
        area = window->ScreenRect();
    }
    void TearDown() override { window.reset(); }

    // Grabs the window and writes it as imageType; the decoded file.
    Decoded GrabAndWrite(ImageType imageType, const wchar_t* name) {
        CaptureImage image;
        image.Grab(area, false);
        EXPECT_NE(image.bmBits, nullptr);
        const std::wstring path = folder.File(name);
        const int result =
            EncodeImageFile(factory.get(), image, folder.Path().c_str(), name, imageType, 0.9f);
        EXPECT_GT(result, 0);
        EXPECT_EQ(static_cast<size_t>(result), ReadBytes(path).size());
        return DecodeFile(factory.get(), path.c_str());
    }

    std::unique_ptr<PatternWindow> window;
    RECT area{};
    ScratchFolder folder;
};

DWORD g_copyRop = 0;
BOOL WINAPI RecordingCopy(HDC target, int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop) {
    g_copyRop = rop;
    return ::BitBlt(target, x, y, w, h, source, sx, sy, rop);
}

// Layered windows over the hole (tooltips, translucent windows) are part of
// what the user sees; on Windows only a copy with CAPTUREBLT has them.
TEST_F(CaptureGrab, TheScreenCopyTakesInLayeredWindows) {
    CaptureImage image;
    image.Grab(area, false, ScreenCopyCalls{RecordingCopy});
    EXPECT_EQ(g_copyRop, static_cast<DWORD>(SRCCOPY | CAPTUREBLT));
    ASSERT_NE(image.bmBits, nullptr);
    EXPECT_EQ(PixelOf(image, 3, 5), PatternAt(3, 5));
}

TEST_F(CaptureGrab, CopiesTheScreenPixelsTopRowFirstWithTheBitmapHead) {
    CaptureImage image;
    image.Grab(area, false);
    EXPECT_EQ(image.bmType, 0);
    EXPECT_EQ(image.bmWidth, kW);
    EXPECT_EQ(image.bmHeight, kH);
    EXPECT_EQ(image.bmPlanes, 1);
    ASSERT_EQ(image.bmBitsPixel, 32) << "the test display is expected at 32 bits per pixel";
    EXPECT_GE(image.bmWidthBytes, kW * 4);
    ASSERT_NE(image.bmBits, nullptr);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(PixelOf(image, x, y), PatternAt(x, y)) << x << "," << y;

    // A part of the window: the origin follows the rectangle.
    const RECT inner{area.left + 10, area.top + 7, area.left + 30, area.top + 20};
    image.Grab(inner, false);
    EXPECT_EQ(image.bmWidth, 20);
    EXPECT_EQ(image.bmHeight, 13);
    EXPECT_EQ(PixelOf(image, 0, 0), PatternAt(10, 7));
    EXPECT_EQ(PixelOf(image, 19, 12), PatternAt(29, 19));

    image.Free();
    EXPECT_EQ(image.bmBits, nullptr);
    EXPECT_EQ(image.bmWidth, 0);
    EXPECT_EQ(image.bmHeight, 0);
    EXPECT_EQ(image.bmWidthBytes, 0);
    EXPECT_EQ(image.bmPlanes, 0);
    EXPECT_EQ(image.bmBitsPixel, 0);
}

TEST_F(CaptureGrab, AnEmptyRectangleGivesAnEmptyImage) {
    CaptureImage image;
    image.Grab(area, false);
    ASSERT_NE(image.bmBits, nullptr);
    const RECT empty{area.left, area.top, area.left, area.bottom};
    image.Grab(empty, false);
    EXPECT_EQ(image.bmBits, nullptr);
    EXPECT_EQ(image.bmWidth, 0);
    EXPECT_EQ(EncodeImageFile(factory.get(), image, folder.Path().c_str(), L"e.png", ImageType::Png, 0.9f),
              kEncodeNoSource);
}

TEST_F(CaptureGrab, BmpAndPngGiveExactlyThePixelsBackAt24BitsAnd96Dpi) {
    for (ImageType type : {ImageType::Bmp, ImageType::Png}) {
        SCOPED_TRACE(type);
        const bool bmp = type == ImageType::Bmp;
        const Decoded file = GrabAndWrite(type, bmp ? L"shot.bmp" : L"shot.png");
        ASSERT_TRUE(file.ok);
        EXPECT_TRUE(IsEqualGUID(file.container, bmp ? GUID_ContainerFormatBmp : GUID_ContainerFormatPng));
        // The screen's fourth byte does not become an alpha channel.
        EXPECT_TRUE(IsEqualGUID(file.framePixelFormat, GUID_WICPixelFormat24bppBGR));
        EXPECT_NEAR(file.dpiX, 96.0, 0.05);
        EXPECT_NEAR(file.dpiY, 96.0, 0.05);
        ASSERT_EQ(file.width, static_cast<UINT>(kW));
        ASSERT_EQ(file.height, static_cast<UINT>(kH));
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(file.At(x, y), PatternAt(x, y)) << x << "," << y;
    }
}

TEST_F(CaptureGrab, JpegComesBackWithinASmallError) {
    const Decoded file = GrabAndWrite(ImageType::Jpeg, L"shot.jpg");
    ASSERT_TRUE(file.ok);
    EXPECT_TRUE(IsEqualGUID(file.container, GUID_ContainerFormatJpeg));
    EXPECT_NEAR(file.dpiX, 96.0, 0.05);
    ASSERT_EQ(file.width, static_cast<UINT>(kW));
    ASSERT_EQ(file.height, static_cast<UINT>(kH));
    long long total = 0;
    int worst = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int d = MaxChannelDifference(file.At(x, y), PatternAt(x, y));
            total += d;
            worst = std::max(worst, d);
        }
    const double mean = static_cast<double>(total) / (kW * kH);
    EXPECT_LT(mean, 4.0);
    EXPECT_LT(worst, 24);
}

// Walks the blocks of a GIF file; true when a graphic control extension with
// the transparency flag set is among them.
bool GifDeclaresTransparency(const std::string& gif) {
    if (gif.size() < 13 || gif.compare(0, 3, "GIF") != 0)
        return true;
    size_t pos = 13;
    const auto flags = static_cast<std::uint8_t>(gif[10]);
    if (flags & 0x80)
        pos += 3u << ((flags & 7) + 1);
    auto skipSubBlocks = [&] {
        while (pos < gif.size() && gif[pos] != 0)
            pos += 1 + static_cast<std::uint8_t>(gif[pos]);
        ++pos;
    };
    while (pos < gif.size()) {
        const auto block = static_cast<std::uint8_t>(gif[pos]);
        if (block == 0x3B)
            return false;
        if (block == 0x21) {
            const auto label = static_cast<std::uint8_t>(gif[pos + 1]);
            if (label == 0xF9 && pos + 3 < gif.size() && (static_cast<std::uint8_t>(gif[pos + 3]) & 1))
                return true;
            pos += 2;
            skipSubBlocks();
        } else if (block == 0x2C) {
            const auto local = static_cast<std::uint8_t>(gif[pos + 9]);
            pos += 10;
            if (local & 0x80)
                pos += 3u << ((local & 7) + 1);
            ++pos; // LZW minimum code size
            skipSubBlocks();
        } else {
            return true; // not a well-formed file
        }
    }
    return true;
}

TEST_F(CaptureGrab, GifHasA256ColourPaletteWithoutTransparencyThatMapsCloseToThePattern) {
    const Decoded file = GrabAndWrite(ImageType::Gif, L"shot.gif");
    ASSERT_TRUE(file.ok);
    EXPECT_TRUE(IsEqualGUID(file.container, GUID_ContainerFormatGif));
    ASSERT_TRUE(IsEqualGUID(file.framePixelFormat, GUID_WICPixelFormat8bppIndexed));
    EXPECT_EQ(file.paletteCount, 256u);
    EXPECT_FALSE(file.paletteHasAlpha);
    EXPECT_FALSE(GifDeclaresTransparency(ReadBytes(folder.File(L"shot.gif"))));
    ASSERT_EQ(file.width, static_cast<UINT>(kW));
    ASSERT_EQ(file.height, static_cast<UINT>(kH));
    ASSERT_EQ(file.palette.size(), 256u);

    long long total = 0;
    int worst = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const WICColor c = file.palette[file.indices[static_cast<size_t>(y) * kW + x]];
            const Bgr mapped{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                             static_cast<std::uint8_t>(c >> 16)};
            const int d = MaxChannelDifference(mapped, PatternAt(x, y));
            total += d;
            worst = std::max(worst, d);
        }
    const double mean = static_cast<double>(total) / (kW * kH);
    // The pattern holds about three thousand colours spread over all three
    // channels; 256 learned colours cover them within these bounds.
    EXPECT_LT(mean, 16.0);
    EXPECT_LT(worst, 64);
}

// A 32 x 32 monochrome cursor with its hot spot in the middle, in bands of
// eight rows: black, inverting, black, inverting.
unique_cursor MakeBandCursor() {
    BYTE andMask[32 * 4];
    BYTE xorMask[32 * 4];
    for (int row = 0; row < 32; ++row) {
        const bool invert = (row / 8) % 2 == 1;
        for (int i = 0; i < 4; ++i) {
            andMask[row * 4 + i] = invert ? 0xFF : 0x00;
            xorMask[row * 4 + i] = invert ? 0xFF : 0x00;
        }
    }
    return unique_cursor(::CreateCursor(::GetModuleHandleW(nullptr), 16, 16, 32, 32, andMask, xorMask));
}

class CaptureCursor : public CaptureGrab {
protected:
    void SetUp() override {
        CaptureGrab::SetUp();
        if (HasFatalFailure())
            return;
        cursor = MakeBandCursor();
        ASSERT_TRUE(cursor);
        baseline.Grab(area, false);
        ASSERT_NE(baseline.bmBits, nullptr);
    }
    void TearDown() override {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        CaptureGrab::TearDown();
    }

    // Puts the cursor's hot spot at a screen point; the system reports a
    // cursor only after this (foreground) thread has set one.
    void PlaceCursor(HCURSOR shape, int x, int y) {
        ::SetCursorPos(x, y);
        test_support::DispatchWaitingMessages();
        ::SetCursor(shape);
    }

    // Pixels of a grab with the cursor that differ from the grab without.
    int ChangedPixels(const CaptureImage& withCursor) const {
        int changed = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                changed += PixelOf(withCursor, x, y) == PixelOf(baseline, x, y) ? 0 : 1;
        return changed;
    }

    unique_cursor cursor;
    CaptureImage baseline;
};

TEST_F(CaptureCursor, HotSpotOnTheTopLeftPixelDrawsTheCursorThereWithItsMask) {
    PlaceCursor(cursor.get(), area.left, area.top);
    CaptureImage image;
    image.Grab(area, true);
    ASSERT_NE(image.bmBits, nullptr);
    ASSERT_NE(image.cursor.hCursor, nullptr) << "no cursor reported for the foreground thread";
    EXPECT_TRUE(image.cursor.flags & CURSOR_SHOWING);
    EXPECT_EQ(image.cursor.ptScreenPos.x, area.left);
    EXPECT_EQ(image.cursor.ptScreenPos.y, area.top);
    // The lower right quarter of the cursor lands on pixels 0..15: rows 0..7
    // black, rows 8..15 the inverted screen; nothing else changes.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const Bgr under = PixelOf(baseline, x, y);
            Bgr expected = under;
            if (x < 16 && y < 8)
                expected = Bgr{0, 0, 0};
            else if (x < 16 && y < 16)
                expected =
                    Bgr{static_cast<std::uint8_t>(255 - under.b), static_cast<std::uint8_t>(255 - under.g),
                        static_cast<std::uint8_t>(255 - under.r)};
            ASSERT_EQ(PixelOf(image, x, y), expected) << x << "," << y;
        }
}

TEST_F(CaptureCursor, DrawnOnlyWhenTheHotSpotIsInsideTheRectangle) {
    struct Case {
        int x, y;
        bool drawn;
    } cases[] = {
        {area.left, area.top + 20, true},        // left edge
        {area.left + 20, area.top, true},        // top edge
        {area.right - 1, area.top + 20, true},   // last column
        {area.left + 20, area.bottom - 1, true}, // last row
        {area.right, area.top + 20, false},      // right edge: half the cursor would reach inside
        {area.left + 20, area.bottom, false},    // bottom edge
        {area.left - 1, area.top + 20, false},   // just left of the rectangle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hot spot " << c.x - area.left << "," << c.y - area.top);
        PlaceCursor(cursor.get(), c.x, c.y);
        CaptureImage image;
        image.Grab(area, true);
        ASSERT_NE(image.cursor.hCursor, nullptr);
        if (c.drawn)
            EXPECT_GE(ChangedPixels(image), 16 * 8);
        else
            EXPECT_EQ(ChangedPixels(image), 0);
    }
}

TEST_F(CaptureCursor, ArrowTipAtTheTopLeftPixelChangesThatPixel) {
    PlaceCursor(::LoadCursorW(nullptr, IDC_ARROW), area.left, area.top);
    CaptureImage image;
    image.Grab(area, true);
    ASSERT_NE(image.cursor.hCursor, nullptr);
    EXPECT_NE(PixelOf(image, 0, 0), PixelOf(baseline, 0, 0));
    EXPECT_GT(ChangedPixels(image), 20);
}

TEST_F(CaptureCursor, WithoutTheFlagTheCursorFieldIsLeftAsItWas) {
    PlaceCursor(cursor.get(), area.left + 20, area.top + 20);
    CaptureImage image;
    image.cursor.flags = 0x55;
    image.Grab(area, false);
    EXPECT_EQ(image.cursor.flags, 0x55u);
    EXPECT_EQ(image.cursor.cbSize, 0u);
    EXPECT_EQ(image.cursor.hCursor, nullptr);
    EXPECT_EQ(ChangedPixels(image), 0);
}

TEST_F(CaptureCursor, AHiddenCursorIsNotDrawn) {
    PlaceCursor(cursor.get(), area.left + 20, area.top + 20);
    int count = ::ShowCursor(FALSE);
    CaptureImage image;
    image.Grab(area, true);
    while (count < 0)
        count = ::ShowCursor(TRUE);
    if (image.cursor.flags & CURSOR_SHOWING)
        GTEST_SKIP() << "the system still reports the cursor as showing after ShowCursor(FALSE)";
    EXPECT_EQ(ChangedPixels(image), 0);
}

// Objects of the process: the system's own count where it keeps one;
// otherwise the GDI table is walked by slot (a handle of slot number alone is
// accepted where handles are kept in one table of 16-bit slots) and user
// objects are judged by the slot a new icon lands in.
DWORD GdiObjectCount() {
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return reported;
    DWORD live = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
        live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1 : 0;
    return live;
}

unsigned NewIconSlot() {
    unique_icon probe(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
    return static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(probe.get()) & 0xFFFF);
}

TEST_F(CaptureCursor, RepeatedGrabsDoNotAccumulateObjects) {
    PlaceCursor(cursor.get(), area.left + 20, area.top + 20);
    CaptureImage image;
    image.Grab(area, true); // first use may create lasting objects of the system's own
    const DWORD gdiBefore = GdiObjectCount();
    ASSERT_GT(gdiBefore, 0u) << "no way to count GDI objects here";
    const DWORD userBefore = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    unsigned minIconSlot = 0xFFFF, maxIconSlot = 0;
    for (int i = 0; i < 200; ++i) {
        image.Grab(area, true);
        ASSERT_GT(ChangedPixels(image), 0);
        const unsigned slot = NewIconSlot();
        minIconSlot = std::min(minIconSlot, slot);
        maxIconSlot = std::max(maxIconSlot, slot);
    }
    image.Free();
    EXPECT_LE(GdiObjectCount(), gdiBefore + 2);
    if (userBefore != 0)
        EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), userBefore + 2);
    else // a leaked icon per grab would push new icons into ever higher slots
        EXPECT_LT(maxIconSlot - minIconSlot, 40u);
}

} // namespace
