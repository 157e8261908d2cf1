// Numbered fixed names and the D countdown in the real Frimlet2.exe: the
// numbers continue after the files already in the folder, and a shot with D
// held waits for its countdown, which Esc ends without a file.
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/support/InputRecords.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

namespace {

std::wstring NameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

class NumberedCountdownE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.ResetSettingsIntoFolder());
        ASSERT_TRUE(E2eHarness::SetDword(L"useFixdName", 1));
        ASSERT_TRUE(E2eHarness::SetString(L"fixdName", L"manual_###"));
        ASSERT_TRUE(E2eHarness::StorePlacement(300, 200, 200, 150));
    }
    void TearDown() override { h.Stop(); }

    // Presses D+PrintScreen and waits for what the countdown writes.
    std::wstring CountdownShot(std::vector<std::wstring>& before) {
        before = h.FilesInFolder();
        E2eHarness::PressKeyHolding(VK_SNAPSHOT, {'D'});
        return h.WaitForNewImage(before, 2000);
    }

    E2eHarness h;
};

TEST_F(NumberedCountdownE2eTest, PrintScreenNumbersAfterTheHighestFileInTheFolder) {
    for (const wchar_t* name : {L"\\manual_007.png", L"\\manual_012.jpg"})
        ASSERT_TRUE(unique_file(
            ::CreateFileW((h.Folder() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    EXPECT_EQ(NameOf(h.ShootWithPrintScreen()), L"manual_013.jpg");
    EXPECT_EQ(NameOf(h.ShootWithPrintScreen()), L"manual_014.jpg");
}

TEST_F(NumberedCountdownE2eTest, DWaitsForTheCountdownAndEscEndsIt) {
    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    std::vector<std::wstring> before;
    EXPECT_EQ(CountdownShot(before), L"") << "written within the first two seconds";
    const std::wstring shot = h.WaitForNewImage(before, 2000);
    EXPECT_EQ(NameOf(shot), L"manual_001.jpg") << "nothing written before four seconds";

    before = h.FilesInFolder();
    E2eHarness::PressKeyHolding(VK_SNAPSHOT, {'D'});
    // Esc from the keyboard within the countdown, the frame clicked first as
    // a person would.
    ASSERT_TRUE(E2eDesktop::XPressAt(E2eDesktop::FrameBorderPoint(h.Frame()), "key Escape"));
    EXPECT_EQ(h.WaitForNewImage(before, 4000), L"") << "written after Esc";
    EXPECT_FALSE(::IsIconic(h.Frame())) << "Esc during a countdown only ends it";

    // A right click on the tab ends it too.
    EXPECT_EQ(CountdownShot(before), L"");
    const POINT shutter = test_support::CentreOf(::GetDlgItem(h.Frame(), 1000));
    E2eDesktop::Send(test_support::MouseInput(shutter, 0));
    E2eDesktop::Send(test_support::MouseInput(shutter, MOUSEEVENTF_RIGHTDOWN));
    E2eDesktop::Send(test_support::MouseInput(shutter, MOUSEEVENTF_RIGHTUP));
    EXPECT_EQ(h.WaitForNewImage(before, 3000), L"") << "written after a right click";
}

} // namespace
