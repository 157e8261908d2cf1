// At start-up the program removes what an interrupted capture left in the
// output folder, and nothing else.
#include "tests/e2e/E2eHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void WriteAged(const std::wstring& path, int ageSeconds) {
    unique_file file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ::WriteFile(file.get(), "x", 1, &written, nullptr);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(ageSeconds) * 10'000'000ull;
    const FILETIME when{t.LowPart, t.HighPart};
    ::SetFileTime(file.get(), nullptr, nullptr, &when);
}

TEST(LeftoverFilesE2eTest, StartingRemovesOldTemporaryFilesOfItsOwnOnly) {
    E2eHarness h;
    ASSERT_TRUE(h.ResetSettingsIntoFolder());
    const std::wstring leftover = L"~Frimlet2-1f4-2.tmp";
    WriteAged(h.Folder() + L"\\" + leftover, 600);
    WriteAged(h.Folder() + L"\\~Frimlet2-1f4-3.tmp", 2); // another copy's capture in progress
    WriteAged(h.Folder() + L"\\~Frimlet2-notes.tmp", 600);
    WriteAged(h.Folder() + L"\\earlier.png", 600);

    ASSERT_TRUE(h.Start()) << "the frame window did not appear";
    std::vector<std::wstring> files = h.FilesInFolder();
    h.Stop();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::wstring>{L"earlier.png", L"~Frimlet2-1f4-3.tmp", L"~Frimlet2-notes.tmp"}));
}

} // namespace
