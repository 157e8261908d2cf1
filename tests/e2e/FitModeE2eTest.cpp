// Fit mode against another program, with a real click from the X server:
// input from SendInput reaches a window that holds the capture even where
// Windows would not send it, so only X input shows whether the click on
// another program's button comes to the frame.
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The folder of the Unix machine Wine runs on, as both sides name it.
const char kUnixTemp[] = "/tmp/";
const wchar_t kWineTemp[] = L"Z:\\tmp\\";

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

// The whole file, shared with a writer that still has it open; empty when
// it cannot be read.
std::string ReadAll(const std::wstring& path) {
    return test_support::ReadBytes(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
}

bool XClick(POINT at) {
    // The pointer then goes to the corner, out of the pictures compared.
    return E2eDesktop::RunOnX("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) +
                              " click 1 sleep 0.2 mousemove 1 1");
}

// The X server's own picture of a screen rectangle.
bool XGrab(const RECT& r, E2eHarness::Image& image) {
    const std::string name = "frimlet-e2e-" + std::to_string(::GetCurrentProcessId()) + "-grab.png";
    const bool ran =
        E2eDesktop::RunOnX("import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                           std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" +
                           std::to_string(r.top) + " +repage PNG24:" + kUnixTemp + name);
    const std::wstring path = kWineTemp + Wide(name);
    const bool decoded = ran && E2eHarness::Decode(path, image);
    ::DeleteFileW(path.c_str());
    return decoded;
}

// The other program: fittarget.exe beside Frimlet2.exe.
class TargetProgram {
public:
    TargetProgram(POINT at, const std::wstring& log) {
        std::wstring exe = FRIMLET_EXE_PATH;
        exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"fittarget.exe";
        std::wstring line = L"\"" + exe + L"\" " + std::to_wstring(at.x) + L" " + std::to_wstring(at.y) +
                            L" \"" + log + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                              &pi))
            return;
        const unique_kernel_handle thread(pi.hThread);
        m_process.reset(pi.hProcess);
        // The window exists a moment before its button does.
        const test_support::WindowQuery window{.title = L"Frimlet2 fit target", .visibleOnly = false};
        test_support::WindowQuery withButton = window;
        withButton.also = [](HWND w) { return ::FindWindowExW(w, nullptr, L"BUTTON", nullptr) != nullptr; };
        m_window = test_support::WaitForTopLevel(withButton, 5000);
        if (!m_window)
            m_window = test_support::FindTopLevel(window);
        if (m_window)
            m_button = ::FindWindowExW(m_window, nullptr, L"BUTTON", nullptr);
        E2eHarness::Pump(300);
    }
    ~TargetProgram() {
        if (m_window)
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_process && ::WaitForSingleObject(m_process.get(), 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.get(), 1);
    }
    HWND Window() const { return m_window; }
    HWND Button() const { return m_button; }

private:
    unique_kernel_handle m_process;
    HWND m_window = nullptr;
    HWND m_button = nullptr;
};

TEST(FitModeE2eTest, ARealClickOnAnotherProgramsButtonFitsTheHoleToItAndReachesNobody) {
    E2eHarness h;
    ASSERT_TRUE(h.ResetSettingsIntoFolder());
    ASSERT_TRUE(E2eHarness::SetDword(L"type", 3)); // PNG: the pixels as they are
    ASSERT_TRUE(E2eHarness::StorePlacement(900, 500, 320, 240));

    const std::wstring log = h.Folder() + L"\\target.log";
    TargetProgram target({200, 150}, log);
    ASSERT_NE(target.Button(), nullptr) << "fittarget.exe did not show its window";
    const RECT button = test_support::WindowRectOf(target.Button());
    // X clicks reach the program when fit mode is off.
    ASSERT_TRUE(XClick({400, 300}));
    E2eHarness::Pump(300);
    const std::string seen = ReadAll(log);
    ASSERT_EQ(seen, "window-down\nwindow-up\n") << "an X click did not reach the target program";

    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    h.ChooseFitModeFromMenu();
    ASSERT_NE(E2eDesktop::FitOverlayOf(h.Frame()), nullptr) << "fit mode did not start";

    ASSERT_TRUE(XClick(test_support::CentreOf(target.Button())));
    RECT hole = {};
    for (int i = 0; i < 40; ++i) {
        E2eHarness::Pump(50);
        if (E2eDesktop::FindHole(h.Frame(), hole) && ::EqualRect(&hole, &button))
            break;
    }
    EXPECT_EQ(E2eDesktop::FitOverlayOf(h.Frame()), nullptr) << "the click did not end fit mode";
    ASSERT_TRUE(::EqualRect(&hole, &button))
        << "hole " << hole.left << "," << hole.top << "," << hole.right << "," << hole.bottom << " button "
        << button.left << "," << button.top << "," << button.right << "," << button.bottom;
    E2eHarness::Pump(300);
    EXPECT_EQ(ReadAll(log), seen) << "the target program saw the fitting click";

    const auto before = h.FilesInFolder();
    E2eHarness::PressKey(VK_SNAPSHOT);
    const std::wstring file = h.WaitForNewFile(before, 8000);
    ASSERT_FALSE(file.empty()) << "PrintScreen wrote no file";
    E2eHarness::Image captured;
    E2eHarness::Image screen;
    ASSERT_TRUE(E2eHarness::Decode(file, captured));
    ASSERT_TRUE(XGrab(button, screen)) << "no X screenshot (ImageMagick import)";
    EXPECT_EQ(captured.width, button.right - button.left);
    EXPECT_EQ(captured.height, button.bottom - button.top);
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(captured, screen), 0) << "the capture is not the button";
    EXPECT_EQ(ReadAll(log), seen);
}

} // namespace
