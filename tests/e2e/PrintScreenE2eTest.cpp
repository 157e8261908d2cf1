// PrintScreen from the keyboard while the system keeps it for its own screen
// capture (the user setting PrintScreenKeyForSnippingEnabled is on) and
// another program (this test) holds it through RegisterHotKey, as the system
// does on Windows 11. Frimlet2 takes the key with its keyboard hook, ahead of
// both, and gives it back when it closes or another hotkey is chosen. The keys
// come from the X server, as a person's keyboard gives them.
#include "res/resource.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";
constexpr int kPrintId = 1, kAltPrintId = 2;
constexpr int kOtherHotkey = 0x0778; // Shift+Ctrl+Alt+F9 in the hot-key control's encoding

bool ReadSnippingSetting(DWORD& value) {
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, RRF_RT_REG_DWORD, nullptr, &value,
                          &size) == ERROR_SUCCESS;
}

bool WriteSnippingSetting(DWORD value) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, REG_DWORD, &value,
                             sizeof value) == ERROR_SUCCESS;
}

// The other program: a small visible window that holds PrintScreen and
// Alt+PrintScreen and counts the hotkey messages it gets. A click on it
// gives a Wine window the X focus, which keys from the X server need.
class Holder {
public:
    Holder() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrimletPrintScreenHolder";
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        ::RegisterClassW(&wc);
        const RECT work = E2eDesktop::WorkArea();
        m_window = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"PrintScreenHolder",
                                     WS_POPUP | WS_VISIBLE, work.right - 80, work.bottom - 60, 60, 40,
                                     nullptr, nullptr, wc.hInstance, nullptr);
        s_counts.clear();
    }
    ~Holder() {
        ::UnregisterHotKey(m_window, kPrintId);
        ::UnregisterHotKey(m_window, kAltPrintId);
        ::DestroyWindow(m_window);
    }
    bool Take() const {
        return m_window && ::RegisterHotKey(m_window, kPrintId, 0, VK_SNAPSHOT) &&
               ::RegisterHotKey(m_window, kAltPrintId, MOD_ALT, VK_SNAPSHOT);
    }
    // Presses keys (xdotool key names) on the X server with the focus here.
    bool Press(const std::string& keys) const {
        return E2eDesktop::XPressAt(test_support::CentreOf(m_window), keys);
    }
    static int Count(int id) { return s_counts[id]; }
    // Waits up to ms for the hotkey id to arrive once more than seen.
    static bool WaitFor(int id, int seen, DWORD ms) {
        for (DWORD waited = 0; waited < ms && Count(id) <= seen; waited += 50)
            E2eHarness::Pump(50);
        return Count(id) > seen;
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_HOTKEY)
            ++s_counts[static_cast<int>(wp)];
        return ::DefWindowProcW(w, m, wp, lp);
    }
    static inline std::map<int, int> s_counts;
    HWND m_window = nullptr;
};

class PrintScreenE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hadSetting = ReadSnippingSetting(m_setting);
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(E2eHarness::SetDword(L"type", 3)); // PNG, so that J shows
        ASSERT_TRUE(WriteSnippingSetting(1));
        ASSERT_TRUE(m_holder.Take()) << "PrintScreen could not be held";
    }
    void TearDown() override {
        if (m_hadSetting)
            WriteSnippingSetting(m_setting);
        else
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue);
    }

    // Presses keys and returns the image they wrote within ms, or empty.
    std::wstring ShootFromX(const std::string& keys, DWORD ms = 8000) {
        const auto before = h.FilesInFolder();
        EXPECT_TRUE(m_holder.Press(keys)) << "xdotool failed: " << keys;
        return h.WaitForNewImage(before, ms);
    }

    E2eHarness h;
    Holder m_holder;
    bool m_hadSetting = false;
    DWORD m_setting = 0;
};

TEST_F(PrintScreenE2eTest, TheKeyboardsPrintScreenCapturesAheadOfTheOtherProgramAndIsGivenBackAtClose) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    EXPECT_FALSE(test_support::WaitForTopLevel({.className = L"#32770", .owner = h.Frame()}, 1500))
        << "a message box although the hook can take PrintScreen";

    const std::wstring plain = ShootFromX("key Print");
    EXPECT_TRUE(E2eHarness::HasExtension(plain, L".png")) << "PrintScreen wrote no PNG file";
    const std::wstring withJ = ShootFromX("keydown j key Print keyup j");
    EXPECT_TRUE(E2eHarness::HasExtension(withJ, L".jpg")) << "J held with PrintScreen wrote no JPEG file";
    EXPECT_EQ(Holder::Count(kPrintId), 0) << "the other program got PrintScreen while Frimlet2 runs";

    // Alt+PrintScreen is not Frimlet2's: it reaches the program holding it.
    EXPECT_TRUE(ShootFromX("key alt+Print", 1500).empty()) << "Alt+PrintScreen took a capture";
    EXPECT_TRUE(Holder::WaitFor(kAltPrintId, 0, 3000)) << "Alt+PrintScreen did not reach the other program";

    DWORD setting = 0;
    EXPECT_TRUE(ReadSnippingSetting(setting));
    EXPECT_EQ(setting, 1u) << "the Windows setting was changed";

    ASSERT_TRUE(h.Stop());
    ASSERT_TRUE(m_holder.Press("key Print"));
    EXPECT_TRUE(Holder::WaitFor(kPrintId, 0, 3000)) << "PrintScreen was not given back at close";
}

TEST_F(PrintScreenE2eTest, AnotherHotkeyChosenInTheOptionsGivesPrintScreenBack) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(h.Frame(), IDC_SETTINGS_ICON)));
    HWND options = test_support::WaitForTopLevel({.className = L"#32770",
                                                  .title = L"Frimlet2 オプション設定",
                                                  .processId = ::GetProcessId(h.Process())},
                                                 5000);
    ASSERT_TRUE(options) << "the settings icon opened no options dialog";
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDC_HOTKEY_CUSTOM)));
    ::SendDlgItemMessageW(options, IDC_HOTKEY, HKM_SETHOTKEY, kOtherHotkey, 0);
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(options, IDOK)));
    for (int i = 0; i < 100 && ::IsWindow(options) && ::IsWindowVisible(options); ++i)
        E2eHarness::Pump(50);
    ASSERT_FALSE(::IsWindowVisible(options)) << "the options did not close";

    EXPECT_TRUE(ShootFromX("key Print", 1500).empty()) << "PrintScreen still captures";
    EXPECT_TRUE(Holder::WaitFor(kPrintId, 0, 3000)) << "PrintScreen was not given back";
}

} // namespace
