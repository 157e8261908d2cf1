// Recording with the real Frimlet2.exe: a square that this test moves a
// known step at a time under the hole, R held with PrintScreen to start,
// PrintScreen to stop, and the files decoded here (an animated PNG reader
// over zlib, a GIF block walker).
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kSquare = 12;
constexpr int kStep = 3;
constexpr COLORREF kBackground = RGB(32, 128, 192);
constexpr COLORREF kSquareColour = RGB(230, 30, 30);

// A popup under the hole whose square moves kStep pixels every 30 ms.
struct MovingSquare {
    static inline int step = 0;
    static inline int maxStep = 0;
    HWND window = nullptr;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_TIMER) {
            if (step < maxStep) {
                ++step;
                ::InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        }
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            RECT client;
            ::GetClientRect(hwnd, &client);
            HBRUSH back = ::CreateSolidBrush(kBackground);
            HBRUSH square = ::CreateSolidBrush(kSquareColour);
            ::FillRect(dc, &client, back);
            const RECT r{2 + step * kStep, client.bottom / 2, 2 + step * kStep + kSquare,
                         client.bottom / 2 + kSquare};
            ::FillRect(dc, &r, square);
            ::DeleteObject(back);
            ::DeleteObject(square);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
    bool Show(const RECT& rect) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrimletMovingSquare";
        ::RegisterClassW(&wc);
        step = 0;
        maxStep = (rect.right - rect.left - kSquare - 4) / kStep;
        window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName,
                                   L"square", WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
        if (!window)
            return false;
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        ::UpdateWindow(window);
        return true;
    }
    void Run() const { ::SetTimer(window, 1, 30, nullptr); }
    ~MovingSquare() {
        if (window)
            ::DestroyWindow(window);
    }
};

std::vector<std::uint8_t> ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

struct Animation {
    int width = 0, height = 0;
    std::vector<std::vector<std::uint8_t>> frames; // RGB as shown
    std::vector<double> delaysMs;
};

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An animated PNG of 8-bit RGB frames that replace what is under them.
bool ReadApng(const std::vector<std::uint8_t>& b, Animation& out) {
    std::vector<std::uint8_t> canvas;
    std::uint32_t fx = 0, fy = 0, fw = 0, fh = 0;
    std::vector<std::uint8_t> data;
    auto finishFrame = [&]() -> bool {
        if (data.empty())
            return true;
        const std::size_t row = std::size_t{fw} * 3;
        std::vector<std::uint8_t> raw((row + 1) * fh);
        uLongf size = static_cast<uLongf>(raw.size());
        if (uncompress(raw.data(), &size, data.data(), static_cast<uLong>(data.size())) != Z_OK ||
            size != raw.size())
            return false;
        std::vector<std::uint8_t> prev(row, 0), cur(row);
        for (std::uint32_t y = 0; y < fh; ++y) {
            const std::uint8_t* in = &raw[y * (row + 1)];
            for (std::size_t i = 0; i < row; ++i) {
                const int a = i >= 3 ? cur[i - 3] : 0, up = prev[i], c = i >= 3 ? prev[i - 3] : 0;
                const int p = in[0] == 1   ? a
                              : in[0] == 2 ? up
                              : in[0] == 3 ? (a + up) / 2
                              : in[0] == 4 ? Paeth(a, up, c)
                                           : 0;
                cur[i] = static_cast<std::uint8_t>(in[1 + i] + p);
            }
            std::copy(cur.begin(), cur.end(), canvas.begin() + ((fy + y) * out.width + fx) * 3);
            prev.swap(cur);
        }
        out.frames.push_back(canvas);
        data.clear();
        return true;
    };
    for (std::size_t at = 8; at + 12 <= b.size();) {
        const std::uint32_t n = Be32(&b[at]);
        const std::string type(b.begin() + at + 4, b.begin() + at + 8);
        const std::uint8_t* d = &b[at + 8];
        if (type == "IHDR") {
            out.width = static_cast<int>(Be32(d));
            out.height = static_cast<int>(Be32(d + 4));
            canvas.assign(std::size_t(out.width) * out.height * 3, 0);
        } else if (type == "fcTL") {
            if (!finishFrame())
                return false;
            fw = Be32(d + 4), fh = Be32(d + 8), fx = Be32(d + 12), fy = Be32(d + 16);
            const int num = (d[20] << 8) | d[21], den = (d[22] << 8) | d[23];
            out.delaysMs.push_back(num * 1000.0 / (den ? den : 100));
        } else if (type == "IDAT") {
            data.insert(data.end(), d, d + n);
        } else if (type == "fdAT") {
            data.insert(data.end(), d + 4, d + n);
        } else if (type == "IEND") {
            return finishFrame();
        }
        at += 12 + n;
    }
    return false;
}

// A GIF's logical screen, frame count and delays, walked block by block.
bool ReadGifBlocks(const std::vector<std::uint8_t>& b, Animation& out) {
    if (b.size() < 13 || std::string(b.begin(), b.begin() + 6) != "GIF89a")
        return false;
    out.width = b[6] | (b[7] << 8);
    out.height = b[8] | (b[9] << 8);
    std::size_t at = 13 + ((b[10] & 0x80) ? 3u << ((b[10] & 7) + 1) : 0u);
    auto skipSubBlocks = [&] {
        while (at < b.size() && b[at] != 0)
            at += b[at] + 1u;
        ++at;
    };
    while (at < b.size()) {
        if (b[at] == 0x3B)
            return true;
        if (b[at] == 0x21) {
            if (b[at + 1] == 0xF9)
                out.delaysMs.push_back((b[at + 4] | (b[at + 5] << 8)) * 10.0);
            at += 2;
            skipSubBlocks();
        } else if (b[at] == 0x2C) {
            const std::uint8_t packed = b[at + 9];
            at += 10 + ((packed & 0x80) ? 3u << ((packed & 7) + 1) : 0u) + 1; // table, then the code size
            skipSubBlocks();
            out.frames.emplace_back();
        } else {
            return false;
        }
    }
    return false;
}

class RecordingE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(E2eHarness::StorePlacement(300, 200, 240, 90));
        hole = E2eHarness::HoleFor(300, 200, 240, 90);
        ASSERT_TRUE(square.Show(hole));
        ASSERT_TRUE(h.Start());
        E2eHarness::Pump(200);
    }
    // R held with PrintScreen, the square moving for ms, PrintScreen again;
    // returns the file and the time between the two presses.
    std::wstring Record(DWORD ms, double& elapsedMs, bool stopWithEsc = false) {
        const auto before = h.FilesInFolder();
        // Esc goes to the window that has the keyboard: the frame, clicked
        // from the X server as a person would before recording.
        if (stopWithEsc) {
            EXPECT_TRUE(E2eDesktop::XPressAt(E2eDesktop::FrameBorderPoint(h.Frame()), ""));
        }
        square.Run();
        const ULONGLONG start = ::GetTickCount64();
        E2eHarness::PressKeyHolding(VK_SNAPSHOT, {'R'});
        E2eHarness::Pump(ms);
        if (stopWithEsc) {
            E2eHarness::PressKey(VK_ESCAPE); // to the frame, which the click above focused
        } else {
            E2eHarness::PressKey(VK_SNAPSHOT);
        }
        elapsedMs = static_cast<double>(::GetTickCount64() - start);
        return h.WaitForNewImage(before, 10000);
    }

    E2eHarness h;
    MovingSquare square;
    RECT hole{};
};

TEST_F(RecordingE2eTest, AnimatedPngFramesAreTheScreenExactlyAndFollowTheClock) {
    ASSERT_TRUE(E2eHarness::SetDword(L"recordFormat", 1));
    ASSERT_TRUE(h.Stop());
    ASSERT_TRUE(h.Start());
    double elapsed = 0;
    const std::wstring path = Record(1500, elapsed);
    ASSERT_FALSE(path.empty()) << "no recording was written";
    ASSERT_TRUE(E2eHarness::HasExtension(path, L".png"));
    Animation a;
    ASSERT_TRUE(ReadApng(ReadAll(path), a));
    EXPECT_EQ(a.width, hole.right - hole.left);
    EXPECT_EQ(a.height, hole.bottom - hole.top);
    ASSERT_GE(a.frames.size(), 5u);
    double sum = 0;
    for (double d : a.delaysMs)
        sum += d;
    EXPECT_NEAR(sum, elapsed, elapsed * 0.15);
    // Every frame is the background with the square at one of its steps,
    // and the square never goes back.
    int last = -1;
    for (std::size_t i = 0; i < a.frames.size(); ++i) {
        const auto& f = a.frames[i];
        const int y = a.height / 2 + kSquare / 2;
        int x = 0;
        while (x < a.width && !(f[(y * a.width + x) * 3] == GetRValue(kSquareColour) &&
                                f[(y * a.width + x) * 3 + 1] == GetGValue(kSquareColour)))
            ++x;
        ASSERT_LT(x, a.width) << "frame " << i << " has no square";
        ASSERT_EQ((x - 2) % kStep, 0) << "frame " << i;
        const int step = (x - 2) / kStep;
        EXPECT_GE(step, last) << "frame " << i;
        last = step;
        int wrong = 0;
        for (int yy = 0; yy < a.height; ++yy)
            for (int xx = 0; xx < a.width; ++xx) {
                const bool inSquare =
                    xx >= x && xx < x + kSquare && yy >= a.height / 2 && yy < a.height / 2 + kSquare;
                const COLORREF c = inSquare ? kSquareColour : kBackground;
                const std::uint8_t* p = &f[(std::size_t(yy) * a.width + xx) * 3];
                wrong += p[0] != GetRValue(c) || p[1] != GetGValue(c) || p[2] != GetBValue(c);
            }
        EXPECT_EQ(wrong, 0) << "frame " << i;
    }
    EXPECT_GT(last, 10);
}

TEST_F(RecordingE2eTest, AGifRecordingStoppedWithEscIsWrittenWithItsTime) {
    double elapsed = 0;
    const std::wstring path = Record(1200, elapsed, true);
    ASSERT_FALSE(path.empty()) << "Esc did not write the recording";
    ASSERT_TRUE(E2eHarness::HasExtension(path, L".gif"));
    Animation a;
    ASSERT_TRUE(ReadGifBlocks(ReadAll(path), a));
    EXPECT_EQ(a.width, hole.right - hole.left);
    EXPECT_EQ(a.height, hole.bottom - hole.top);
    EXPECT_GE(a.frames.size(), 5u);
    EXPECT_EQ(a.delaysMs.size(), a.frames.size());
    double sum = 0;
    for (double d : a.delaysMs)
        sum += d;
    EXPECT_NEAR(sum, elapsed, elapsed * 0.15);
    EXPECT_TRUE(::IsIconic(h.Frame()));
}

} // namespace
