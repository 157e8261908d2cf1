// What the real Frimlet2.exe's shutter does beside writing the file. The
// clipboard, read by this test, another process: C held while shooting, or
// the option, puts the hole's pixels there as a bitmap and as PNG bytes;
// without either the clipboard is left alone. And a tooltip shown over the
// hole is not in the picture.
#include "tests/capture/ClipboardTestSupport.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kBorder = 4; // the frame's border at 96 dpi with the defaults

// Pixels read back from the clipboard, in the layout the harness compares.
E2eHarness::Image ToImage(UINT width, UINT height, const std::vector<capture_test::Bgr>& pixels) {
    E2eHarness::Image image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    for (const capture_test::Bgr& c : pixels)
        image.pixels.push_back(0xFF000000u | (c.r << 16) | (c.g << 8) | c.b);
    return image;
}

// The CF_DIB bitmap and the decoded "PNG" bytes; false when either is missing.
bool ReadClipboardImages(E2eHarness::Image& dib, E2eHarness::Image& png) {
    const com_ptr<IWICImagingFactory> factory = CreateImagingFactory();
    const capture_test::ScratchFolder folder;
    const capture_test::ClipboardImage clip = capture_test::ReadClipboardImage(factory.get(), folder);
    if (!clip.hasDib || !clip.png.ok)
        return false;
    dib = ToImage(clip.width, clip.height, clip.dib);
    png = ToImage(clip.png.width, clip.png.height, clip.png.pixels);
    return true;
}

// Waits until the clipboard's content changes from what it was at sequence.
bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetClipboardSequenceNumber() == sequence) {
        if (::GetTickCount64() >= end)
            return false;
        E2eHarness::Pump(50);
    }
    E2eHarness::Pump(200); // the copy puts its formats one after the other
    return true;
}

class ShutterExtrasE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowDC screen(nullptr);
        ASSERT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSY), 96) << "these sizes hold at 96 dpi";
        ASSERT_TRUE(E2eHarness::ResetSettings());
        ASSERT_TRUE(E2eHarness::SetString(L"outputPath", h.Folder()));
        ASSERT_TRUE(capture_test::PutClipboardMarker(m_owner.get(), L"marker"));
    }

    // Starts the frame with its hole at (x, y) size cx x cy over the pattern.
    void StartOverPattern(int x, int y, int cx, int cy) {
        ASSERT_TRUE(E2eHarness::SetDword(L"x", static_cast<DWORD>(x)));
        ASSERT_TRUE(E2eHarness::SetDword(L"y", static_cast<DWORD>(y)));
        ASSERT_TRUE(E2eHarness::SetDword(L"cx", static_cast<DWORD>(cx)));
        ASSERT_TRUE(E2eHarness::SetDword(L"cy", static_cast<DWORD>(cy)));
        const int insetX =
            kBorder + ::GetSystemMetrics(SM_CXDLGFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER);
        const int insetY =
            kBorder + ::GetSystemMetrics(SM_CYDLGFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER);
        ASSERT_TRUE(
            h.ShowPattern({x + insetX - 2, y + insetY - 2, x + insetX + cx + 2, y + insetY + cy + 2}));
        ASSERT_TRUE(h.Start()) << "the Frimlet2 frame window did not appear";
        ASSERT_TRUE(E2eDesktop::FindHole(h.Frame(), m_hole));
        ASSERT_EQ(m_hole.right - m_hole.left, cx);
    }

    // Presses PrintScreen holding the given keys and returns the image file
    // written (not the encoder's temporary file).
    std::wstring Shoot(const std::vector<WORD>& held) {
        const auto before = h.FilesInFolder();
        E2eHarness::PressKeyHolding(VK_SNAPSHOT, held);
        const ULONGLONG end = ::GetTickCount64() + 8000;
        do {
            for (const std::wstring& name : h.FilesInFolder()) {
                const size_t dot = name.rfind(L'.');
                const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
                if (std::find(before.begin(), before.end(), name) == before.end() &&
                    (extension == L".jpg" || extension == L".png" || extension == L".bmp"))
                    return h.Folder() + L"\\" + name;
            }
            E2eHarness::Pump(50);
        } while (::GetTickCount64() < end);
        return std::wstring();
    }

    E2eHarness::Image PatternUnderHole() const {
        E2eHarness::Image pattern;
        pattern.width = m_hole.right - m_hole.left;
        pattern.height = m_hole.bottom - m_hole.top;
        for (int y = m_hole.top; y < m_hole.bottom; ++y)
            for (int x = m_hole.left; x < m_hole.right; ++x)
                pattern.pixels.push_back(E2eHarness::Pattern(x, y));
        return pattern;
    }

    E2eHarness h;
    capture_test::ClipboardOwnerWindow m_owner;
    RECT m_hole = {};
};

TEST_F(ShutterExtrasE2eTest, CAndPWithPrintScreenWriteAPngFileAndPutTheHoleOnTheClipboard) {
    StartOverPattern(410, 230, 180, 120);
    const DWORD sequence = ::GetClipboardSequenceNumber();
    const std::wstring file = Shoot({'C', 'P'});
    ASSERT_FALSE(file.empty()) << "C+P+PrintScreen wrote no file";
    EXPECT_EQ(file.substr(file.size() - 4), L".png");
    ASSERT_TRUE(WaitForClipboardChange(sequence, 5000)) << "the clipboard was not touched";

    E2eHarness::Image dib, png;
    ASSERT_TRUE(ReadClipboardImages(dib, png)) << "no 24-bit CF_DIB and decodable \"PNG\" on the clipboard";
    const E2eHarness::Image pattern = PatternUnderHole();
    ASSERT_EQ(dib.width, pattern.width);
    ASSERT_EQ(dib.height, pattern.height);
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(dib, pattern), 0) << "the bitmap is not the hole's pixels";
    ASSERT_EQ(png.width, pattern.width);
    ASSERT_EQ(png.height, pattern.height);
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(png, pattern), 0) << "the PNG is not the hole's pixels";
    EXPECT_TRUE(h.Stop());
}

TEST_F(ShutterExtrasE2eTest, WithoutCTheClipboardIsLeftAloneUnlessTheOptionIsOn) {
    StartOverPattern(400, 240, 150, 100);
    ASSERT_FALSE(Shoot({}).empty()) << "PrintScreen wrote no file";
    E2eHarness::Pump(500);
    EXPECT_EQ(capture_test::ClipboardText(), L"marker") << "a capture without C touched the clipboard";
    ASSERT_TRUE(h.Stop());

    ASSERT_TRUE(E2eHarness::SetDword(L"copyToClipboard", 1));
    ASSERT_TRUE(h.Start());
    const DWORD sequence = ::GetClipboardSequenceNumber();
    ASSERT_FALSE(Shoot({}).empty());
    ASSERT_TRUE(WaitForClipboardChange(sequence, 5000)) << "the option did not copy the capture";
    E2eHarness::Image dib, png;
    ASSERT_TRUE(ReadClipboardImages(dib, png));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(dib, PatternUnderHole()), 0);
    EXPECT_TRUE(h.Stop());
}

struct ToolTipSearch {
    DWORD pid = 0;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleToolTip(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ToolTipSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (pid == search->pid && ::IsWindowVisible(hwnd) && _wcsicmp(cls, TOOLTIPS_CLASSW) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

TEST_F(ShutterExtrasE2eTest, ATooltipShownOverTheHoleIsNotInTheCapture) {
    // The tab on the screen's bottom edge: the shutter's tooltip has no room
    // below and opens upwards, over the hole. Under the hole lies the bare
    // desktop, which the display redraws at once when the tooltip goes (a
    // program's window beneath would have to repaint first where nothing
    // composes the screen, as under Wine).
    const int cx = 300, cy = 200;
    const int insetX = kBorder + ::GetSystemMetrics(SM_CXDLGFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER);
    const int insetY = kBorder + ::GetSystemMetrics(SM_CYDLGFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER);
    const int tabHeight = 20;
    const int x = 600, y = ::GetSystemMetrics(SM_CYSCREEN) - (cy + 2 * insetY + tabHeight);
    ASSERT_TRUE(E2eHarness::SetDword(L"x", static_cast<DWORD>(x)));
    ASSERT_TRUE(E2eHarness::SetDword(L"y", static_cast<DWORD>(y)));
    ASSERT_TRUE(E2eHarness::SetDword(L"cx", cx));
    ASSERT_TRUE(E2eHarness::SetDword(L"cy", cy));
    ASSERT_TRUE(E2eHarness::SetDword(L"type", 1)); // BMP: exact pixels
    ASSERT_TRUE(h.Start()) << "the Frimlet2 frame window did not appear";
    ASSERT_TRUE(E2eDesktop::FindHole(h.Frame(), m_hole));
    ASSERT_EQ(m_hole.left, x + insetX);
    E2eHarness::Pump(800);
    E2eHarness::Image before;
    ASSERT_TRUE(E2eDesktop::Grab(m_hole, before));

    RECT button{};
    ::GetWindowRect(::GetDlgItem(h.Frame(), 1000), &button);
    const POINT over{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    E2eDesktop::MoveMouse({over.x - 3, over.y - 2});
    E2eDesktop::MoveMouse(over);
    ToolTipSearch search;
    search.pid = ::GetProcessId(h.Process());
    const ULONGLONG end = ::GetTickCount64() + 4000;
    while (!search.found && ::GetTickCount64() < end) {
        E2eHarness::Pump(100);
        ::EnumWindows(FindVisibleToolTip, reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_TRUE(search.found) << "the shutter's tooltip did not show";
    RECT tip{}, overlap{};
    ::GetWindowRect(search.found, &tip);
    ASSERT_TRUE(::IntersectRect(&overlap, &tip, &m_hole)) << "the tooltip did not open over the hole";

    const std::wstring file = Shoot({});
    ASSERT_FALSE(file.empty()) << "PrintScreen wrote no file";
    E2eHarness::Image image;
    ASSERT_TRUE(E2eHarness::Decode(file, image));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(image, before), 0) << "the tooltip is in the picture";
    EXPECT_TRUE(h.Stop());
}

} // namespace
