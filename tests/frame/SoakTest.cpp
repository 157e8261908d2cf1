// Long runs: a thousand captures through the shutter's capture routine and
// two hundred openings of each window the frame opens leave no GDI or USER
// objects, kernel handles or memory behind. Each run prints its counts.
#include "capture/ShutterCapture.h"
#include "tests/capture/CaptureTestSupport.h"
#include "tests/frame/FrameTestSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <cstdio>
#include <memory>

namespace {

using frame_test::Probe;

struct Usage {
    DWORD gdi = 0;
    DWORD user = 0;
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
};

// Kernel handles of this process: GetProcessHandleCount where the system
// keeps the count, else the handle values that GetHandleInformation accepts.
DWORD HandleCount() {
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count > 0)
        return count;
    count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

// The commit charge of this process: PrivateUsage, or where the system
// leaves that at 0 (Wine), PagefileUsage, which carries the same charge.
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof(memory)))
        return 0;
    return memory.PrivateUsage > 0 ? memory.PrivateUsage : memory.PagefileUsage;
}

Usage Measure() {
    Usage u;
    u.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    u.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    u.handles = HandleCount();
    u.privateBytes = PrivateBytes();
    return u;
}

// Growth allowed over a whole run: a few objects that caches or lazily loaded
// components may keep, and memory a leak of one small object per round would
// not yet reach but one of a capture's pixels or a dialog's controls would.
constexpr DWORD kObjectSlack = 4;
constexpr DWORD kHandleSlack = 8;
constexpr SIZE_T kMemorySlack = 4u << 20;

void ExpectNoGrowth(const char* what, const Usage& before, const Usage& after) {
    std::printf("[   soak   ] %s: GDI objects %lu -> %lu, USER objects %lu -> %lu, handles %lu -> %lu, "
                "private bytes %zu KiB -> %zu KiB\n",
                what, before.gdi, after.gdi, before.user, after.user, before.handles, after.handles,
                before.privateBytes >> 10, after.privateBytes >> 10);
    // A count that stays 0 is not kept by the system underneath (Wine does
    // not count GDI and USER objects); the bound on private bytes stands in.
    if (before.gdi == 0 && after.gdi == 0)
        std::printf("[   soak   ] %s: GDI objects are not counted here\n", what);
    if (before.user == 0 && after.user == 0)
        std::printf("[   soak   ] %s: USER objects are not counted here\n", what);
    EXPECT_LE(after.gdi, before.gdi + kObjectSlack) << what;
    EXPECT_LE(after.user, before.user + kObjectSlack) << what;
    EXPECT_LE(after.handles, before.handles + kHandleSlack) << what;
    EXPECT_LE(after.privateBytes, before.privateBytes + kMemorySlack) << what;
}

using namespace capture_test;

TEST(CaptureSoakTest, AThousandCapturesInEveryFormatLeaveNothingBehind) {
    ComApartment com;
    com_ptr<IWICImagingFactory> factory = CreateImagingFactory();
    ASSERT_TRUE(factory);
    ScratchFolder folder;
    Settings settings;
    settings.outputPath = folder.Path().c_str();
    settings.useFixdName = true;
    settings.fixdName = L"soak";
    settings.combiningCursor = true;
    const RECT screen = VirtualScreenRect();
    const RECT hole{screen.left, screen.top, screen.left + 200, screen.top + 150};

    int failures = 0;
    auto shoot = [&](int count) {
        for (int i = 0; i < count; ++i) {
            settings.type = *ImageTypeFromInt(i % 4);
            if (TakeCapture(settings, factory.get(), hole, screen, {}, ReadLocalTime())
                    .value_or(CaptureResult{})
                    .code <= 0)
                ++failures;
        }
    };
    shoot(8); // every encoder loaded once
    const Usage before = Measure();
    shoot(1000);
    const Usage after = Measure();
    EXPECT_EQ(failures, 0);
    ExpectNoGrowth("1000 captures", before, after);
    EXPECT_EQ(ScratchFolder::List(folder.Path()).size(), 4u);
}

// Dialogs that end themselves as soon as they are up, run modally as the
// frame runs them.
class SelfClosingOptionsDlg : public COptionsDlg {
public:
    using COptionsDlg::COptionsDlg;
    BOOL OnInitDialog() override {
        const BOOL focus = COptionsDlg::OnInitDialog();
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return focus;
    }
};

class SelfClosingSizeDlg : public CFrameSizeSelectDlg {
public:
    using CFrameSizeSelectDlg::CFrameSizeSelectDlg;
    BOOL OnInitDialog() override {
        const BOOL focus = CFrameSizeSelectDlg::OnInitDialog();
        PostMessage(WM_CLOSE);
        return focus;
    }
};

class WindowSoakTest : public frame_test::FrameFixture {
protected:
    static constexpr int kRounds = 200;

    void SetUp() override {
        FrameFixture::SetUp();
        app.InitFolderDisplayNames();
        app.m_settings.outputPath = folder.Path().c_str();
        app.m_settings.dataFolder = (folder.Path() + L"\\data").c_str();
        // A few own entries and a reference file, so every opening reads both.
        const wchar_t lines[] = L",,640,480,VGA\0"
                                L"10,20,800,600,SVGA\0";
        ::RegSetKeyValueW(HKEY_CURRENT_USER, test_profile::kTestKey, L"SelectSizeList_v2", REG_MULTI_SZ,
                          lines, sizeof(lines));
        WriteBytes(folder.File(L"SelectSizeList.txt"), "1,2,320,240,ref\r\n,,1024,768,XGA\r\n");

        Place(200, 150, 320, 240);
        CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app), 0);
    }

    template <class Open> void Soak(const char* what, Open open) {
        for (int i = 0; i < 3; ++i)
            open();
        test_support::DispatchWaitingMessages();
        const Usage before = Measure();
        for (int i = 0; i < kRounds; ++i)
            open();
        test_support::DispatchWaitingMessages();
        ExpectNoGrowth(what, before, Measure());
    }

    ComApartment com{ComApartment::Ole};
    ScratchFolder folder;
};

TEST_F(WindowSoakTest, TheOptionsDialogOpenedAndClosedLeavesNothingBehind) {
    Soak("200 options dialogs", [&] {
        SelfClosingOptionsDlg dlg(settings, app, frame.get());
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    });
}

TEST_F(WindowSoakTest, TheSizeDialogOpenedAndClosedLeavesNothingBehind) {
    Soak("200 size dialogs", [&] {
        SelfClosingSizeDlg dlg(app.m_settings, app, frame.get());
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    });
}

TEST_F(WindowSoakTest, TheControllerOpenedAndClosedLeavesNothingBehind) {
    Soak("200 controllers", [&] {
        ::SendMessageW(frame->m_hWnd, WM_COMMAND, IDM_SHOW_CONTROLLER, 0);
        EXPECT_TRUE(Probe::Controller(*frame).IsWindow());
        Probe::Controller(*frame).PostMessage(WM_CLOSE);
        test_support::DispatchWaitingMessages();
        EXPECT_FALSE(Probe::Controller(*frame).IsWindow());
    });
}

} // namespace
