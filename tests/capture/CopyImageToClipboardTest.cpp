// The clipboard copy of a capture, read back by this process: the bitmap and
// the PNG bytes, and what happens while another program holds the clipboard.
#include "capture/CopyImageToClipboard.h"
#include "tests/capture/ClipboardTestSupport.h"

#include <gtest/gtest.h>

using namespace capture_test;

namespace {

constexpr int kW = 7, kH = 5; // 7 pixels: 21 bytes, so every bitmap row is padded

void FillPattern(CaptureImage& image) {
    MakeImage(image, kW, kH, 32, kW * 4, [](std::uint8_t* p, int x, int y) {
        const Bgr c = PatternAt(x, y);
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
        p[3] = 0x5A; // carries no colour
    });
}

class CopyImageToClipboardTest : public ImagingTest {
protected:
    void SetUp() override {
        ImagingTest::SetUp();
        FillPattern(image);
        ASSERT_TRUE(PutClipboardMarker(owner.get(), L"before"));
    }

    ClipboardOwnerWindow owner;
    CaptureImage image;
    ScratchFolder folder;
};

TEST_F(CopyImageToClipboardTest, PutsA24BitBottomUpBitmapAndTheSamePixelsAsPng) {
    ASSERT_TRUE(CopyImageToClipboard(owner.get(), factory.get(), image));
    const ClipboardImage clip = ReadClipboardImage(factory.get(), folder);
    EXPECT_EQ(clip.owner, owner.get());
    EXPECT_TRUE(ClipboardText().empty()) << "the earlier content was not replaced";

    ASSERT_TRUE(clip.hasDib);
    EXPECT_EQ(clip.header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(clip.header.biWidth, kW);
    EXPECT_EQ(clip.header.biHeight, kH) << "a positive height: bottom row first";
    EXPECT_EQ(clip.header.biBitCount, 24);
    EXPECT_EQ(clip.header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(clip.header.biPlanes, 1);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(clip.DibAt(x, y), PatternAt(x, y)) << x << "," << y;

    ASSERT_TRUE(clip.png.ok) << "no decodable \"PNG\" format";
    EXPECT_TRUE(IsEqualGUID(clip.png.container, GUID_ContainerFormatPng));
    ASSERT_EQ(clip.png.width, static_cast<UINT>(kW));
    ASSERT_EQ(clip.png.height, static_cast<UINT>(kH));
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(clip.png.At(x, y), PatternAt(x, y)) << x << "," << y;
}

TEST_F(CopyImageToClipboardTest, PixelsItCannotReadLeaveTheClipboardAlone) {
    CaptureImage unreadable;
    AllocateImagePixels(unreadable, 4, 4, 16, 12); // 12 bits per pixel
    EXPECT_FALSE(CopyImageToClipboard(owner.get(), factory.get(), unreadable));
    EXPECT_EQ(ClipboardText(), L"before");
}

// Stands in for a clipboard that another program keeps open for a while.
struct BusyClipboard {
    static inline int refusals = 0;
    static inline int opens = 0;
    static inline DWORD slept = 0;
    static BOOL WINAPI Open(HWND owner) {
        ++opens;
        if (refusals > 0) {
            --refusals;
            return FALSE;
        }
        return ::OpenClipboard(owner);
    }
    static void WINAPI Sleep(DWORD ms) { slept += ms; }
    static ClipboardCalls Calls(int refuse) {
        refusals = refuse;
        opens = 0;
        slept = 0;
        return ClipboardCalls{&Open, &Sleep};
    }
};

TEST_F(CopyImageToClipboardTest, ABusyClipboardIsTriedAgainForAboutATenthOfASecondThenLeftAlone) {
    ASSERT_TRUE(CopyImageToClipboard(owner.get(), factory.get(), image, BusyClipboard::Calls(2)));
    EXPECT_EQ(BusyClipboard::opens, 3);
    EXPECT_EQ(BusyClipboard::slept, 2 * kClipboardRetryMillis);
    EXPECT_TRUE(ReadClipboardImage(factory.get(), folder).hasDib);

    ASSERT_TRUE(PutClipboardMarker(owner.get(), L"kept"));
    EXPECT_FALSE(CopyImageToClipboard(owner.get(), factory.get(), image, BusyClipboard::Calls(1000)));
    EXPECT_EQ(BusyClipboard::opens, kClipboardOpenAttempts);
    EXPECT_GE(BusyClipboard::slept, 80u);
    EXPECT_LE(BusyClipboard::slept, 120u);
    EXPECT_EQ(ClipboardText(), L"kept");
}

} // namespace
