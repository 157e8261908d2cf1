// The encoder's temporary file: its name, how it takes the place of a file
// another program holds open, and the removal of leftovers at start-up.
#include "capture/TemporaryImageFile.h"
#include "capture/TemporaryNames.h"
#include "tests/capture/CaptureTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace capture_test;

namespace {

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

// Another program's handle on a file, for example an image viewer's.
unique_file Hold(const std::wstring& path, DWORD share) {
    return unique_file(::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::wstring Fill(TemporaryImageFile& file, const ScratchFolder& folder, const std::string& bytes) {
    EXPECT_TRUE(file.Create(folder.Path()));
    WriteBytes(file.Path(), bytes);
    return file.Path();
}

class TemporaryImageFileTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    const std::wstring target = folder.File(L"output.png");
};

TEST_F(TemporaryImageFileTest, IsNamedAsTheProgramsOwnAndReplacesTheTarget) {
    WriteBytes(target, "earlier");
    TemporaryImageFile file;
    const std::wstring path = Fill(file, folder, "new capture");
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    EXPECT_TRUE(TemporaryNames::IsOwn(std::u16string(name.begin(), name.end()))) << name;
    EXPECT_EQ(path.substr(0, folder.Path().size()), folder.Path());
    ASSERT_TRUE(file.PutInPlace(target.c_str()));
    EXPECT_EQ(ReadBytes(target), "new capture");
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"output.png"});
}

TEST_F(TemporaryImageFileTest, AHolderThatLetsGoSoonIsWaitedFor) {
    WriteBytes(target, "earlier");
    unique_file viewer = Hold(target, FILE_SHARE_READ);
    ASSERT_TRUE(viewer);
    std::thread release([&viewer] {
        ::Sleep(120);
        viewer.reset();
    });
    TemporaryImageFile file;
    Fill(file, folder, "new capture");
    const bool placed = file.PutInPlace(target.c_str());
    release.join();
    ASSERT_TRUE(placed);
    EXPECT_EQ(ReadBytes(target), "new capture");
}

TEST_F(TemporaryImageFileTest, AHolderThatAllowsDeletingIsReplacedInPlace) {
    WriteBytes(target, "earlier");
    unique_file viewer = Hold(target, FILE_SHARE_READ | FILE_SHARE_DELETE);
    ASSERT_TRUE(viewer);
    TemporaryImageFile file;
    Fill(file, folder, "new capture");
    ASSERT_TRUE(file.PutInPlace(target.c_str()));
    EXPECT_EQ(ReadBytes(target), "new capture");
    viewer.reset();
    // The earlier file, moved aside while it was held, is gone with its holder.
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"output.png"});
}

TEST_F(TemporaryImageFileTest, AHolderThatKeepsItLeavesTheEarlierFileAndAnErrorCode) {
    WriteBytes(target, "earlier");
    unique_file viewer = Hold(target, FILE_SHARE_READ);
    ASSERT_TRUE(viewer);
    {
        TemporaryImageFile file;
        Fill(file, folder, "new capture");
        DWORD error = 0;
        EXPECT_FALSE(file.PutInPlace(target.c_str(), &error));
        EXPECT_TRUE(error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED) << error;
    }
    viewer.reset();
    EXPECT_EQ(ReadBytes(target), "earlier");
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"output.png"});
}

TEST_F(TemporaryImageFileTest, StartUpRemovesOnlyOwnLeftoversOlderThanAMinute) {
    auto make = [&](const std::wstring& name, int ageSeconds) {
        const std::wstring path = folder.File(name.c_str());
        WriteBytes(path, "x");
        FILETIME now{};
        ::GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
        t.QuadPart -= static_cast<ULONGLONG>(ageSeconds) * 10'000'000ull;
        FILETIME when{t.LowPart, t.HighPart};
        unique_file file(
            ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ::SetFileTime(file.get(), nullptr, nullptr, &when);
    };
    const std::wstring leftover = Wide(TemporaryNames::Make(77, 1));
    make(leftover, 3600);
    make(Wide(TemporaryNames::Make(77, 2)), 5); // a capture still being written
    for (const wchar_t* other :
         {L"~Frimlet2-77-3.tmp.png", L"~Frimlet2-notes.tmp", L"frm1A2B.tmp", L"output.png"})
        make(other, 3600);
    const std::wstring below = folder.File(L"sub");
    ::CreateDirectoryW(below.c_str(), nullptr);
    make(L"sub\\" + Wide(TemporaryNames::Make(77, 4)), 3600);
    ::CreateDirectoryW(folder.File(Wide(TemporaryNames::Make(77, 5)).c_str()).c_str(), nullptr);

    EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder.Path().c_str()), 1);
    std::vector<std::wstring> kept = ScratchFolder::List(folder.Path());
    EXPECT_EQ(std::count(kept.begin(), kept.end(), leftover), 0);
    EXPECT_EQ(kept.size(), 7u);
    EXPECT_EQ(ScratchFolder::List(below).size(), 1u);
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder.File(L"missing").c_str()), 0);
}

} // namespace
