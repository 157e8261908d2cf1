// PrintScreen as the capture key while the system keeps it for its own screen
// capture: the user setting PrintScreenKeyForSnippingEnabled is on and another
// program (this test) holds the key, as the system does on Windows 11. Under
// Wine nothing reads the setting, so the test lets the key go where Windows
// would when the setting is switched off.
#include "tests/e2e/E2eHarness.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";

bool ReadSnippingSetting(DWORD& value) {
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, RRF_RT_REG_DWORD, nullptr, &value,
                          &size) == ERROR_SUCCESS;
}

bool WriteSnippingSetting(DWORD value) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, REG_DWORD, &value,
                             sizeof value) == ERROR_SUCCESS;
}

// A message box of the frame that appears within timeoutMs, or null.
HWND WaitForBox(HWND frame, DWORD timeoutMs) {
    return test_support::WaitForTopLevel({.className = L"#32770", .owner = frame}, timeoutMs);
}

class PrintScreenE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hadSetting = ReadSnippingSetting(m_setting);
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(WriteSnippingSetting(1));
        ASSERT_TRUE(m_holder.Take()) << "PrintScreen could not be held";
    }
    void TearDown() override {
        m_holder.Release();
        if (m_hadSetting)
            WriteSnippingSetting(m_setting);
        else
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue);
    }

    // Holds PrintScreen in this process until released.
    struct Holder {
        HWND window = nullptr;
        bool Take() {
            window = ::CreateWindowExW(0, L"STATIC", L"PrintScreenHolder", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, nullptr, nullptr);
            return window && ::RegisterHotKey(window, 1, 0, VK_SNAPSHOT);
        }
        void Release() {
            if (window) {
                ::UnregisterHotKey(window, 1);
                ::DestroyWindow(window);
                window = nullptr;
            }
        }
    };

    HWND OfferBox() {
        HWND box = WaitForBox(h.Frame(), 5000);
        EXPECT_TRUE(box) << "no message box";
        EXPECT_TRUE(box && ::GetDlgItem(box, IDYES) && ::GetDlgItem(box, IDNO))
            << "the box does not ask: it is not the offer to switch the setting off";
        return box && ::GetDlgItem(box, IDYES) ? box : nullptr;
    }

    E2eHarness h;
    Holder m_holder;
    bool m_hadSetting = false;
    DWORD m_setting = 0;
};

TEST_F(PrintScreenE2eTest, YesSwitchesTheSettingOffAndPrintScreenCaptures) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    HWND box = OfferBox();
    ASSERT_TRUE(box);
    m_holder.Release();
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    E2eHarness::Pump(500);
    DWORD setting = 1;
    ASSERT_TRUE(ReadSnippingSetting(setting));
    EXPECT_EQ(setting, 0u);
    EXPECT_FALSE(WaitForBox(h.Frame(), 300)) << "the hotkey still failed after Yes";

    const auto before = h.FilesInFolder();
    E2eHarness::PressKey(VK_SNAPSHOT);
    EXPECT_FALSE(h.WaitForNewFile(before, 8000).empty()) << "PrintScreen wrote no file";
}

TEST_F(PrintScreenE2eTest, NoKeepsTheSettingAndIsNotAskedAgain) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    HWND box = OfferBox();
    ASSERT_TRUE(box);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    E2eHarness::Pump(500);
    DWORD value = 0;
    ASSERT_TRUE(ReadSnippingSetting(value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(E2eHarness::ReadDword(L"printScreenOfferDeclined", value));
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(WaitForBox(h.Frame(), 300)) << "a second box after No";
    const auto before = h.FilesInFolder();
    E2eHarness::PressKey(VK_SNAPSHOT);
    EXPECT_TRUE(h.WaitForNewFile(before, 1500).empty()) << "a file was written without the hotkey";

    ASSERT_TRUE(h.Stop());
    ASSERT_TRUE(h.Start()) << "the frame window did not appear the second time";
    EXPECT_FALSE(WaitForBox(h.Frame(), 2000)) << "asked again on the next start";
}

} // namespace
