// Recording with the real Frimlet2.exe: a square that this test moves a
// known step at a time under the hole, R held with PrintScreen to start and
// PrintScreen (or Esc) to stop, all from the X server, and the files decoded
// frame by frame by Pillow on the Unix side. And a disk that fills during a
// recording: a small memory file system mounted for the test.
#include "capture/CaptureResult.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WindowFinder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
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

// The animation as shown, frame by frame (decode_animation.py's output).
struct Animation {
    int width = 0, height = 0;
    std::vector<std::vector<std::uint8_t>> frames; // RGB
    std::vector<double> delaysMs;
};

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// A folder the Unix side reads or writes, by both its names, inside the Wine
// prefix: each build tree has its own, so parallel runs never share one.
struct UnixFolder {
    std::string unix;
    std::wstring windows;
};

// The Wine prefix's Unix path; empty when there is none.
std::string WinePrefix() {
    wchar_t prefix[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Narrow(prefix) : std::string();
}

UnixFolder PrefixFolder(const std::string& name) {
    UnixFolder out;
    out.unix = WinePrefix() + "/" + name + "-" + std::to_string(::GetCurrentProcessId());
    out.windows = L"Z:" + std::wstring(out.unix.begin(), out.unix.end());
    std::replace(out.windows.begin(), out.windows.end(), L'/', L'\\');
    return out;
}

// Width and height from the GIF's logical screen or the PNG's header.
bool ReadSize(const std::string& b, Animation& out) {
    const auto byte = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(b[i])); };
    if (b.size() >= 10 && b.compare(0, 6, "GIF89a") == 0) {
        out.width = byte(6) | (byte(7) << 8);
        out.height = byte(8) | (byte(9) << 8);
        return true;
    }
    if (b.size() >= 24 && b.compare(12, 4, "IHDR") == 0) {
        out.width = (byte(18) << 8) | byte(19);
        out.height = (byte(22) << 8) | byte(23);
        return true;
    }
    return false;
}

// Decodes the file with Pillow (Debian python3-pil) on the Unix side.
bool Decode(const std::wstring& path, Animation& out) {
    const std::string bytes = test_support::ReadBytes(path);
    const UnixFolder dir = PrefixFolder("frimlet-e2e-anim");
    if (!ReadSize(bytes, out) || WinePrefix().empty())
        return false;
    test_support::RemoveTree(dir.windows);
    if (!::CreateDirectoryW(dir.windows.c_str(), nullptr) ||
        !test_support::WriteBytes(dir.windows + L"\\in.bin", bytes))
        return false;
    const bool ran = E2eDesktop::RunOnX("/usr/bin/python3 " FRIMLET_RECORD_TEST_DIR "/decode_animation.py " +
                                            dir.unix + "/in.bin " + dir.unix,
                                        60000);
    std::ifstream info((dir.windows + L"\\info.txt").c_str());
    std::string format;
    int frames = 0, loop = 0;
    if (ran && info >> format >> frames >> loop)
        for (int i = 0; i < frames; ++i) {
            double ms = 0;
            info >> ms;
            out.delaysMs.push_back(ms);
            const std::string rgb =
                test_support::ReadBytes(dir.windows + L"\\" + std::to_wstring(i) + L".rgb");
            out.frames.emplace_back(rgb.begin(), rgb.end());
        }
    info.close(); // an open file is not deleted
    test_support::RemoveTree(dir.windows);
    return !out.frames.empty() &&
           out.frames.back().size() == static_cast<std::size_t>(out.width) * out.height * 3;
}

// The centre of the pixels near the square's colour (a quantised palette
// may shift it a little) in the square's rows; -1 when too few are.
double SquareCentre(const Animation& a, std::size_t frame) {
    const auto& f = a.frames[frame];
    long sum = 0, count = 0;
    for (int y = a.height / 2; y < a.height / 2 + kSquare; ++y)
        for (int x = 0; x < a.width; ++x) {
            const std::uint8_t* p = &f[(std::size_t(y) * a.width + x) * 3];
            if (std::abs(p[0] - GetRValue(kSquareColour)) + std::abs(p[1] - GetGValue(kSquareColour)) +
                    std::abs(p[2] - GetBValue(kSquareColour)) <
                96) {
                sum += x;
                ++count;
            }
        }
    return count >= kSquare * kSquare / 2 ? static_cast<double>(sum) / count : -1;
}

// Pixels that differ from the background with the square at left.
int WrongPixels(const Animation& a, std::size_t frame, int left) {
    int wrong = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const bool inSquare =
                x >= left && x < left + kSquare && y >= a.height / 2 && y < a.height / 2 + kSquare;
            const COLORREF c = inSquare ? kSquareColour : kBackground;
            const std::uint8_t* p = &a.frames[frame][(std::size_t(y) * a.width + x) * 3];
            wrong += p[0] != GetRValue(c) || p[1] != GetGValue(c) || p[2] != GetBValue(c);
        }
    return wrong;
}

// The program over the moving square: the keys from the X server, the frame
// clicked first as a person would so that it has the keyboard.
class RecordingE2eTest : public ::testing::Test {
protected:
    void Open(DWORD format, const std::wstring& folder = std::wstring()) {
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        if (!folder.empty()) {
            ASSERT_TRUE(E2eHarness::SetString(L"outputPath", folder));
        }
        ASSERT_TRUE(E2eHarness::SetDword(L"recordFormat", format));
        ASSERT_TRUE(E2eHarness::StorePlacement(300, 200, 240, 90));
        hole = E2eHarness::HoleFor(300, 200, 240, 90);
        ASSERT_TRUE(square.Show(hole));
        ASSERT_TRUE(h.Start());
        E2eHarness::Pump(200);
    }
    bool Keys(const std::string& keys) const {
        return E2eDesktop::XPressAt(E2eDesktop::FrameBorderPoint(h.Frame()), keys);
    }
    // R held with PrintScreen, ms of the square moving (and whatever during
    // does meanwhile), then the stop key; returns the time between the keys.
    double Record(DWORD ms, const std::string& stopKey, const std::function<void()>& during = {}) {
        square.Run();
        EXPECT_TRUE(Keys("keydown r key Print keyup r"));
        // Both presses lie the same time before their calls return.
        const ULONGLONG start = ::GetTickCount64();
        if (during)
            during();
        test_support::PumpMessagesUntil(start + ms);
        EXPECT_TRUE(Keys("key " + stopKey));
        return static_cast<double>(::GetTickCount64() - start);
    }

    E2eHarness h;
    MovingSquare square;
    RECT hole{};
};

struct FormatCase {
    const char* name;
    DWORD format; // the recordFormat setting
    const wchar_t* extension;
    const char* stopKey;
    bool exact; // every pixel as on the screen (no palette to fit)
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordingFormatE2eTest : public RecordingE2eTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(RecordingFormatE2eTest, FramesAreTheHoleFollowTheClockAndTheSquareNeverGoesBack) {
    const FormatCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open(c.format));
    const auto before = h.FilesInFolder();
    const double elapsed = Record(1500, c.stopKey);
    const std::wstring path = h.WaitForNewImage(before, 10000);
    ASSERT_FALSE(path.empty()) << "no recording was written";
    ASSERT_TRUE(E2eHarness::HasExtension(path, c.extension));
    E2eHarness::Pump(300); // the file is complete once it has its name
    Animation a;
    ASSERT_TRUE(Decode(path, a)) << "Pillow could not decode the recording";
    EXPECT_EQ(a.width, hole.right - hole.left);
    EXPECT_EQ(a.height, hole.bottom - hole.top);
    ASSERT_GE(a.frames.size(), 5u);
    double sum = 0;
    for (double d : a.delaysMs)
        sum += d;
    EXPECT_NEAR(sum, elapsed, elapsed * 0.15);
    double last = -1;
    for (std::size_t i = 0; i < a.frames.size(); ++i) {
        const double centre = SquareCentre(a, i);
        ASSERT_GE(centre, 0) << "frame " << i << " has no square";
        EXPECT_GE(centre, last - 0.5) << "the square went back in frame " << i;
        last = centre;
        if (c.exact) {
            const int left = static_cast<int>(std::lround(centre - (kSquare - 1) / 2.0));
            EXPECT_EQ((left - 2) % kStep, 0) << "frame " << i;
            EXPECT_EQ(WrongPixels(a, i, left), 0) << "frame " << i;
        }
    }
    EXPECT_GT(last, 2 + 10 * kStep) << "the square hardly moved";
    if (std::string(c.stopKey) == "Escape") {
        EXPECT_TRUE(::IsIconic(h.Frame())) << "Esc did not minimise the frame";
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordingFormatE2eTest,
                         ::testing::Values(FormatCase{"AnimatedPng", 1, L".png", "Print", true},
                                           FormatCase{"GifStoppedWithEsc", 0, L".gif", "Escape", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The output folder on a drive of its own: a memory file system of 64 KB,
// mounted for the test and given a drive letter in the prefix.
class RecordingFullDiskE2eTest : public RecordingE2eTest {
protected:
    void SetUp() override {
        const DWORD drives = ::GetLogicalDrives();
        for (wchar_t letter = L'Y'; letter > L'D' && !m_cDrive; --letter)
            if (!(drives & (1u << (letter - L'A'))))
                m_cDrive = letter;
        if (!m_cDrive || WinePrefix().empty())
            GTEST_SKIP() << "no free drive letter or no Wine prefix to give one in";
        m_mount = PrefixFolder("frimlet-full");
        m_strLink = WinePrefix() + "/dosdevices/" + static_cast<char>(std::tolower(m_cDrive)) + ":";
        if (!E2eDesktop::RunOnX("mkdir -p " + m_mount.unix + " && mount -t tmpfs -o size=64k tmpfs " +
                                m_mount.unix)) {
            E2eDesktop::RunOnX("rmdir " + m_mount.unix);
            GTEST_SKIP() << "mounting a small file system (mount -t tmpfs) is not permitted here";
        }
        m_bMounted = true;
        ASSERT_TRUE(E2eDesktop::RunOnX("ln -s " + m_mount.unix + " " + m_strLink));
        m_strFolder = std::wstring(1, m_cDrive) + L":\\";
    }
    void TearDown() override {
        h.Stop(); // no file of the program stays open on the drive
        if (m_bMounted) {
            E2eDesktop::RunOnX("rm -f " + m_strLink);
            EXPECT_TRUE(E2eDesktop::RunOnX("umount " + m_mount.unix + " && rmdir " + m_mount.unix))
                << "the test's file system could not be unmounted";
        }
    }
    std::wstring m_strFolder;
    UnixFolder m_mount;
    std::string m_strLink;
    wchar_t m_cDrive = 0;
    bool m_bMounted = false;
};

TEST_F(RecordingFullDiskE2eTest, ADiskThatFillsDuringTheRecordingIsReportedAndLeavesNoFile) {
    ASSERT_TRUE(test_support::WriteBytes(m_strFolder + L"earlier.gif", "earlier"));
    ASSERT_NO_FATAL_FAILURE(Open(0, m_strFolder));
    // Another program takes the rest of the drive while the recording runs.
    Record(1500, "Print", [&] {
        EXPECT_TRUE(E2eDesktop::RunOnX("dd if=/dev/zero of=" + m_mount.unix +
                                       "/filler bs=4k 2>/dev/null; test -s " + m_mount.unix + "/filler"));
    });
    // The recording is over when its temporary file has gone.
    const auto temporary = [&] {
        for (const std::wstring& name : test_support::FilesIn(m_strFolder))
            if (name.size() > 4 && name.compare(name.size() - 4, 4, L".tmp") == 0)
                return true;
        return false;
    };
    for (int i = 0; i < 200 && temporary(); ++i)
        E2eHarness::Pump(50);
    E2eHarness::Pump(300);
    std::vector<std::wstring> files = test_support::FilesIn(m_strFolder);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"earlier.gif", L"filler"})) << "a partial file was left";
    EXPECT_EQ(test_support::ReadBytes(m_strFolder + L"earlier.gif"), "earlier");

    // The tab tells an error, not a size: the size label's tooltip explains
    // it with the file and the system's reason. The label is the tab's lower
    // line, left of the shutter (at 96 dpi the tab is 120 wide and reaches
    // 20 below the 4-pixel border).
    const POINT label{hole.right + 4 - 100, hole.bottom + 4 + 20 - 6};
    E2eDesktop::MoveMouse({label.x - 3, label.y - 2});
    E2eDesktop::MoveMouse(label);
    HWND tip = test_support::WaitForTopLevel(
        {.className = TOOLTIPS_CLASSW, .processId = ::GetProcessId(h.Process())}, 4000, 100);
    ASSERT_TRUE(tip) << "the label's tooltip did not show";
    wchar_t text[1024] = {};
    ::SendMessageW(tip, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    const std::wstring shown(text);
    EXPECT_NE(shown.find(m_strFolder), std::wstring::npos) << "the drive is not named";
    EXPECT_NE(shown.find(L".gif"), std::wstring::npos) << "the file is not named";
    const std::wstring diskFull = SystemErrorText(ERROR_DISK_FULL).GetString();
    EXPECT_FALSE(diskFull.empty());
    EXPECT_NE(shown.find(diskFull), std::wstring::npos) << "the reason is not the full disk";
}

} // namespace
