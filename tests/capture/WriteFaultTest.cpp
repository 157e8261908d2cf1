// Captures whose file cannot be written: each one reports an error code (what
// the tab shows), leaves the earlier file of the fixed name as it was and no
// other file behind, and the next capture after the fault is cleared works.
#include "capture/ShutterCapture.h"
#include "tests/capture/CaptureTestSupport.h"
#include "tests/capture/FullDiskFactory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace capture_test;

namespace {

const char kEarlier[] = "the previous capture";

class WriteFaultTest : public ImagingTest {
protected:
    void SetUp() override {
        ImagingTest::SetUp();
        screen = VirtualScreenRect();
        settings.outputPath = folder.Path().c_str();
        settings.useFixdName = true;
        settings.fixdName = L"output";
        settings.type = ImageType::Bmp;
        settings.combiningCursor = false;
    }

    std::optional<CaptureResult> Shoot(IWICImagingFactory* with = nullptr) {
        const RECT hole{screen.left, screen.top, screen.left + 32, screen.top + 24};
        return TakeCapture(settings, with ? with : factory.get(), hole, screen, {}, ReadLocalTime());
    }
    std::wstring Target(const wchar_t* ext = L".bmp") const {
        return std::wstring(settings.outputPath.GetString()) + L"\\" + settings.fixdName.GetString() + ext;
    }
    // The fault was reported and nothing of the failed capture is left.
    void ExpectRefusedAndEarlierKept(const std::optional<CaptureResult>& result, const std::wstring& target) {
        ASSERT_TRUE(result.has_value());
        EXPECT_LT(result->code, 0);
        EXPECT_EQ(ReadBytes(target), kEarlier);
        const size_t slash = target.rfind(L'\\');
        EXPECT_EQ(ScratchFolder::List(target.substr(0, slash)),
                  std::vector<std::wstring>{target.substr(slash + 1)});
    }

    RECT screen{};
    ScratchFolder folder;
    Settings settings;
};

TEST_F(WriteFaultTest, AnOutputFolderRemovedBetweenTwoCapturesIsCreatedAgain) {
    ASSERT_GT(Shoot().value_or(CaptureResult{}).code, 0);
    ASSERT_TRUE(::DeleteFileW(Target().c_str()));
    ASSERT_TRUE(::RemoveDirectoryW(folder.Path().c_str()));
    ASSERT_GT(Shoot().value_or(CaptureResult{}).code, 0);
    EXPECT_TRUE(FileExists(Target()));
}

// Windows does not honour the read-only attribute on folders: a folder
// marked read-only still takes captures.
TEST_F(WriteFaultTest, AFolderMarkedReadOnlyStillTakesCaptures) {
    ASSERT_TRUE(::SetFileAttributesW(folder.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    const auto result = Shoot();
    ::SetFileAttributesW(folder.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_GT(result.value_or(CaptureResult{}).code, 0);
    EXPECT_EQ(ReadBytes(Target()).size(), static_cast<size_t>(result->code));
}

TEST_F(WriteFaultTest, AnOutputFolderThatIsAFileRefusesTheCapture) {
    const std::wstring blocker = folder.File(L"blocker");
    WriteBytes(blocker, kEarlier);
    settings.outputPath = blocker.c_str();
    const auto result = Shoot();
    ASSERT_TRUE(result.has_value());
    EXPECT_LT(result->code, 0);
    EXPECT_EQ(ReadBytes(blocker), kEarlier);
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"blocker"});
}

TEST_F(WriteFaultTest, ATargetHeldOpenWithoutSharingIsLeftIntact) {
    WriteBytes(Target(), kEarlier);
    std::optional<CaptureResult> result;
    {
        unique_file held(::CreateFileW(Target().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        result = Shoot();
    }
    ExpectRefusedAndEarlierKept(result, Target());
    ASSERT_GT(Shoot().value_or(CaptureResult{}).code, 0);
    EXPECT_NE(ReadBytes(Target()), kEarlier);
}

TEST_F(WriteFaultTest, APathAtTheLengthLimitIsWritten) {
    // MAX_PATH counts the terminating null: 259 characters is the longest
    // path the plain file functions take.
    std::wstring deep = folder.Path() + L"\\";
    deep += std::wstring(200 - deep.size(), L'd');
    settings.outputPath = deep.c_str();
    settings.fixdName = std::wstring(MAX_PATH - 1 - deep.size() - 1 - 4, L'n').c_str();
    ASSERT_EQ(Target().size(), static_cast<size_t>(MAX_PATH - 1));
    const auto result = Shoot();
    ASSERT_TRUE(result.has_value());
    EXPECT_GT(result->code, 0);
    EXPECT_EQ(ReadBytes(Target()).size(), static_cast<size_t>(result->code));
    const std::wstring name = Target().substr(deep.size() + 1);
    EXPECT_EQ(ScratchFolder::List(deep), std::vector<std::wstring>{name});
}

// The disk fills up while the encoder writes: the streams refuse every byte
// past the first hundred.
TEST_F(WriteFaultTest, AFullDiskFailsTheCaptureInEveryFormatAndKeepsTheEarlierFile) {
    FullDiskFactory full(factory.get(), 100);
    const wchar_t* extensions[] = {L".jpg", L".bmp", L".gif", L".png"};
    for (int type = 0; type < 4; ++type) {
        SCOPED_TRACE(type);
        settings.type = *ImageTypeFromInt(type);
        settings.fixdName = (L"output" + std::to_wstring(type)).c_str();
        WriteBytes(Target(extensions[type]), kEarlier);
        const auto result = Shoot(&full);
        ASSERT_TRUE(result.has_value());
        EXPECT_LT(result->code, 0);
        EXPECT_EQ(result->failed, CaptureResult::Step::File) << "a full disk is the file's fault";
        EXPECT_EQ(result->error, static_cast<DWORD>(STG_E_MEDIUMFULL));
        EXPECT_EQ(result->path, Target(extensions[type]));
        EXPECT_EQ(ReadBytes(Target(extensions[type])), kEarlier);
        EXPECT_EQ(ScratchFolder::List(folder.Path()).size(), static_cast<size_t>(type + 1));
    }
    EXPECT_EQ(full.StreamsMade(), 4);
    // With room again, the same capture replaces the earlier file.
    ASSERT_GT(Shoot().value_or(CaptureResult{}).code, 0);
    EXPECT_NE(ReadBytes(Target(L".png")), kEarlier);
}

} // namespace
