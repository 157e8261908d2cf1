// One capture from the hole on the screen to the file, with the output
// folder, naming and clipping of the real system.
#include "capture/ShutterCapture.h"
#include "tests/capture/CaptureTestSupport.h"
#include "tests/capture/ClipboardTestSupport.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <memory>
#include <string>

using namespace capture_test;

namespace {

constexpr int kW = 64, kH = 48;

class ShutterCaptureTest : public ImagingTest {
protected:
    void SetUp() override {
        ImagingTest::SetUp();
        screen = VirtualScreenRect();
        // At the top-left corner of the virtual screen, so a hole can reach
        // past the screen's edge.
        window = std::make_unique<PatternWindow>(screen.left, screen.top, kW, kH);
        ASSERT_TRUE(window->Settle());
        settings.outputPath = folder.Path().c_str();
        settings.useFixdName = true;
        settings.fixdName = L"output";
        settings.type = ImageType::Bmp;
        settings.combiningCursor = false;
    }
    void TearDown() override { window.reset(); }

    RECT Hole(int left, int top, int right, int bottom) const {
        return RECT{screen.left + left, screen.top + top, screen.left + right, screen.top + bottom};
    }
    std::optional<CaptureResult> Shoot(RECT hole, ShutterRules::HeldTypeKeys keys = {}) {
        return TakeCapture(settings, factory.get(), hole, screen, keys, now, Probed());
    }
    // The system's calls, noting in probe what went to the encoder.
    ShutterCalls Probed() {
        ShutterCalls calls;
        calls.probe = &probe;
        return calls;
    }

    RECT screen{};
    std::unique_ptr<PatternWindow> window;
    ScratchFolder folder;
    Settings settings;
    CaptureProbe probe; // what the last Shoot handed to the encoder
    SettingsRules::LocalTime now{2026, 12, 7, 21, 57, 9, 123};
};

TEST_F(ShutterCaptureTest, WritesTheOnScreenPartOfTheHoleUnderTheFixedNameAndReturnsTheFileSize) {
    struct Case {
        RECT hole;
        UINT width, height;
        int fromX, fromY; // the pattern's pixel at the file's top left
    };
    const Case cases[] = {
        {Hole(5, 6, 45, 36), 40, 30, 5, 6}, {Hole(-20, -10, 44, 38), 44, 38, 0, 0}, // partly off the screen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases); // the row
        const auto result = Shoot(c.hole);
        ASSERT_TRUE(result.has_value());
        ASSERT_GT(result->code, 0);
        EXPECT_EQ(probe.path, CString((folder.Path() + L"\\output.bmp").c_str()));
        EXPECT_EQ(static_cast<size_t>(result->code), ReadBytes(probe.path.GetString()).size());
        const Decoded file = DecodeFile(factory.get(), probe.path);
        ASSERT_TRUE(file.ok);
        ASSERT_EQ(file.width, c.width);
        ASSERT_EQ(file.height, c.height);
        for (UINT y = 0; y < c.height; ++y)
            for (UINT x = 0; x < c.width; ++x)
                ASSERT_EQ(file.At(x, y),
                          PatternAt(static_cast<int>(x) + c.fromX, static_cast<int>(y) + c.fromY))
                    << x << "," << y;
    }
}

TEST_F(ShutterCaptureTest, AWhollyOffScreenHoleStopsBeforeAnythingIsWritten) {
    settings.outputPath = (folder.Path() + L"\\not-yet").c_str();
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    for (RECT hole : {Hole(-100, 0, 0, 40), Hole(width, 0, width + 50, 40), Hole(0, height, 40, height + 9),
                      Hole(0, -60, 40, 0), Hole(10, 10, 10, 40)}) {
        probe.path = L"unchanged";
        EXPECT_FALSE(Shoot(hole).has_value());
        EXPECT_EQ(probe.path, L"unchanged");
    }
    // The folder is made only for an image that is about to be written.
    EXPECT_FALSE(FileExists(folder.Path() + L"\\not-yet"));
}

TEST_F(ShutterCaptureTest, TheWaitForTheDesktopComesRightBeforeTheGrab) {
    static std::string order;
    order.clear();
    ShutterCalls steps;
    steps.flushComposition = []() -> HRESULT {
        order += "wait ";
        return S_OK;
    };
    steps.grab = [](CaptureImage& image, const RECT& area, bool cursor) {
        order += "grab ";
        GrabScreen(image, area, cursor);
    };
    ASSERT_GT(TakeCapture(settings, factory.get(), Hole(0, 0, 20, 20), screen, {}, now, steps)
                  .value_or(CaptureResult{})
                  .code,
              0);
    EXPECT_EQ(order, "wait grab ");
    order.clear();
    EXPECT_FALSE(TakeCapture(settings, factory.get(), Hole(-40, 0, 0, 20), screen, {}, now, steps));
    EXPECT_EQ(order, ""); // nothing to read, nothing to wait for
}

TEST_F(ShutterCaptureTest, AHeldKeyChoosesTheTypeForThatCaptureOnly) {
    settings.type = ImageType::Jpeg;
    ShutterRules::HeldTypeKeys p;
    p.p = true;
    ASSERT_GT(Shoot(Hole(0, 0, 20, 20), p).value_or(CaptureResult{}).code, 0);
    EXPECT_EQ(probe.path.Right(11), L"\\output.png");
    EXPECT_TRUE(IsEqualGUID(DecodeFile(factory.get(), probe.path).container, GUID_ContainerFormatPng));

    ShutterRules::HeldTypeKeys jp;
    jp.j = jp.p = true;
    ASSERT_GT(Shoot(Hole(0, 0, 20, 20), jp).value_or(CaptureResult{}).code, 0);
    EXPECT_EQ(probe.path.Right(11), L"\\output.jpg");

    ShutterRules::HeldTypeKeys g;
    g.g = true;
    ASSERT_GT(Shoot(Hole(0, 0, 20, 20), g).value_or(CaptureResult{}).code, 0);
    EXPECT_TRUE(IsEqualGUID(DecodeFile(factory.get(), probe.path).container, GUID_ContainerFormatGif));

    ASSERT_GT(Shoot(Hole(0, 0, 20, 20)).value_or(CaptureResult{}).code, 0);
    EXPECT_EQ(probe.path.Right(11), L"\\output.jpg");
    EXPECT_TRUE(IsEqualGUID(DecodeFile(factory.get(), probe.path).container, GUID_ContainerFormatJpeg));
}

TEST_F(ShutterCaptureTest, WithoutTheFixedNameTheGivenLocalTimeNamesTheFile) {
    settings.useFixdName = false;
    ASSERT_GT(Shoot(Hole(0, 0, 20, 20)).value_or(CaptureResult{}).code, 0);
    const std::wstring stamped = folder.File(L"2026y12m07d_215709123.bmp");
    EXPECT_EQ(probe.path, CString(stamped.c_str()));
    EXPECT_TRUE(FileExists(stamped));

    // The clock as the frame reads it gives a name of the same form.
    now = ReadLocalTime();
    ASSERT_GT(Shoot(Hole(0, 0, 20, 20)).value_or(CaptureResult{}).code, 0);
    const CString name = probe.path.Mid(static_cast<int>(folder.Path().size()) + 1);
    // 2026y12m07d_215709123.bmp
    ASSERT_EQ(name.GetLength(), 25) << name.GetString();
    const std::wstring n = name.GetString();
    EXPECT_EQ(n.substr(21), L".bmp");
    EXPECT_EQ(n[4], L'y');
    EXPECT_EQ(n[7], L'm');
    EXPECT_EQ(n[10], L'd');
    EXPECT_EQ(n[11], L'_');
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20})
        EXPECT_TRUE(std::iswdigit(n[i])) << i;
    EXPECT_TRUE(FileExists(probe.path.GetString()));
}

TEST_F(ShutterCaptureTest, AMissingOutputFolderIsCreatedBeforeWriting) {
    const std::wstring nested = folder.Path() + L"\\a\\b";
    settings.outputPath = nested.c_str();
    ASSERT_GT(Shoot(Hole(0, 0, 20, 20)).value_or(CaptureResult{}).code, 0);
    EXPECT_TRUE(FileExists(nested + L"\\output.bmp"));
}

// An output folder that cannot be made is named as the failed step, with the
// system's reason, although the encoder then fails for want of it.
TEST_F(ShutterCaptureTest, AnOutputFolderThatCannotBeMadeIsTheFailedStep) {
    const std::wstring file = folder.File(L"plain-file");
    WriteBytes(file, "not a folder");
    const struct {
        std::wstring path;
        DWORD error;
    } cases[] = {{file, ERROR_DIRECTORY}, {file + L"\\below", 0}};
    for (const auto& c : cases) {
        settings.outputPath = c.path.c_str();
        const auto result = Shoot(Hole(0, 0, 20, 20));
        ASSERT_TRUE(result.has_value());
        EXPECT_LT(result->code, 0);
        EXPECT_EQ(result->failed, CaptureResult::Step::Folder);
        if (c.error) {
            EXPECT_EQ(result->error, c.error);
        }
        EXPECT_NE(result->error, 0u);
        EXPECT_EQ(result->path, c.path);
    }
}

TEST_F(ShutterCaptureTest, AFailedEncodeKeepsTheEarlierFileOfTheFixedName) {
    const std::wstring earlier = folder.File(L"output.bmp");
    WriteBytes(earlier, "the previous capture");
    const auto result = TakeCapture(settings, nullptr, Hole(0, 0, 20, 20), screen, {}, now);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code, -2);
    EXPECT_EQ(result->failed, CaptureResult::Step::Screen);
    EXPECT_EQ(ReadBytes(earlier), "the previous capture");
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"output.bmp"});
}

TEST_F(ShutterCaptureTest, JpegQualityIsThePercentageOverAHundredPlusAThousandth) {
    settings.type = ImageType::Jpeg;
    struct Case {
        int percent;
        float expected;
    } cases[] = {{50, 0.501f}, {90, 0.901f}, {100, 1.0f}};
    for (const Case& c : cases) {
        settings.jpegQuality = c.percent;
        probe.quality = -5.0f;
        ASSERT_GT(Shoot(Hole(0, 0, 20, 20)).value_or(CaptureResult{}).code, 0);
        EXPECT_FLOAT_EQ(probe.quality, c.expected) << c.percent;
    }
}

TEST_F(ShutterCaptureTest, CHeldOrTheSettingAlsoCopiesTheHoleEvenWhenTheFileFails) {
    ClipboardOwnerWindow owner;
    ASSERT_TRUE(PutClipboardMarker(owner.get(), L"marker"));
    const RECT hole = Hole(3, 4, 33, 24);
    ASSERT_GT(TakeCapture(settings, factory.get(), hole, screen, {}, now, {}, owner.get())
                  .value_or(CaptureResult{})
                  .code,
              0);
    EXPECT_EQ(ClipboardText(), L"marker") << "a plain capture touched the clipboard";

    ShutterRules::HeldTypeKeys c;
    c.c = true;
    ASSERT_GT(TakeCapture(settings, factory.get(), hole, screen, c, now, {}, owner.get())
                  .value_or(CaptureResult{})
                  .code,
              0);
    ClipboardImage clip = ReadClipboardImage(factory.get(), folder);
    ASSERT_TRUE(clip.hasDib);
    ASSERT_EQ(clip.width, 30u);
    ASSERT_EQ(clip.height, 20u);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(clip.DibAt(x, y), PatternAt(x + 3, y + 4)) << x << "," << y;

    // The setting alone, and an encoder that cannot write: the pixels still go.
    ASSERT_TRUE(PutClipboardMarker(owner.get(), L"marker"));
    settings.copyToClipboard = true;
    EXPECT_EQ(
        TakeCapture(settings, nullptr, hole, screen, {}, now, {}, owner.get()).value_or(CaptureResult{}).code,
        -2);
    clip = ReadClipboardImage(factory.get(), folder);
    ASSERT_TRUE(clip.hasDib);
    EXPECT_EQ(clip.DibAt(0, 0), PatternAt(3, 4));
}

TEST_F(ShutterCaptureTest, TheCursorIsDrawnOnlyWhenTheSettingsAskForIt) {
    ::SetCursorPos(screen.left + 10, screen.top + 10);
    test_support::DispatchWaitingMessages();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    settings.combiningCursor = false;
    ASSERT_GT(Shoot(Hole(0, 0, 40, 40)).value_or(CaptureResult{}).code, 0);
    const Decoded plain = DecodeFile(factory.get(), probe.path);
    settings.combiningCursor = true;
    ASSERT_GT(Shoot(Hole(0, 0, 40, 40)).value_or(CaptureResult{}).code, 0);
    const Decoded withCursor = DecodeFile(factory.get(), probe.path);
    ASSERT_TRUE(plain.ok && withCursor.ok);
    EXPECT_EQ(plain.At(10, 10), PatternAt(10, 10));
    EXPECT_NE(withCursor.At(10, 10), PatternAt(10, 10));
}

} // namespace

namespace {

// One key reported down by one of the two readings.
int g_downKey = 0;
SHORT WINAPI DownKey(int vk) {
    return vk == g_downKey ? static_cast<SHORT>(0x8000) : 0;
}
SHORT WINAPI NoKey(int) {
    return 0;
}

// A hold key counts whether the thread's messages or the keyboard say it is
// down: the frame stands over another program, whose thread gets the keys.
TEST(ReadHeldTypeKeysTest, EitherReadingOfAKeyHoldsIt) {
    const struct {
        int vk;
        bool ShutterRules::HeldTypeKeys::*field;
    } keys[] = {{'J', &ShutterRules::HeldTypeKeys::j},
                {'B', &ShutterRules::HeldTypeKeys::b},
                {'G', &ShutterRules::HeldTypeKeys::g},
                {'P', &ShutterRules::HeldTypeKeys::p},
                {'C', &ShutterRules::HeldTypeKeys::c}};
    const KeyStateReaders readings[] = {{DownKey, NoKey}, {NoKey, DownKey}};
    for (const auto& key : keys) {
        g_downKey = key.vk;
        for (const KeyStateReaders& reading : readings) {
            const ShutterRules::HeldTypeKeys held = ReadHeldTypeKeys(reading);
            EXPECT_TRUE(held.*key.field) << static_cast<char>(key.vk);
            EXPECT_EQ(held.j + held.b + held.g + held.p + held.c, 1) << static_cast<char>(key.vk);
        }
    }
    EXPECT_FALSE(ReadHeldTypeKeys({NoKey, NoKey}).j);
}

// What the folder listing of the seam was asked for and answers.
std::wstring g_listedFolder;
std::vector<std::u16string> ListedNames(const wchar_t* folder) {
    g_listedFolder = folder;
    return {u"shot_07.png", u"SHOT_11.JPG", u"shot_12.txt"};
}
} // namespace

// A '#' run numbers the file after the names the seam lists for the output
// folder, and the caller learns the path that was written.
TEST_F(ShutterCaptureTest, ANumberedNameFollowsTheListedFolderAndTheWrittenPathIsGiven) {
    settings.fixdName = L"shot_##";
    ShutterCalls steps = Probed();
    steps.listFolder = &ListedNames;
    const auto result =
        TakeCapture(settings, factory.get(), Hole(0, 0, 10, 10), screen, {}, now, steps, nullptr);
    ASSERT_TRUE(result && result->code > 0);
    EXPECT_EQ(g_listedFolder, folder.Path());
    const CString expected((folder.Path() + L"\\shot_12.bmp").c_str());
    EXPECT_EQ(probe.path, expected);
    EXPECT_EQ(result->path, expected.str());
    // The real listing: the file just written counts.
    const auto next = TakeCapture(settings, factory.get(), Hole(0, 0, 10, 10), screen, {}, now, Probed());
    ASSERT_TRUE(next && next->code > 0);
    EXPECT_EQ(probe.path, CString((folder.Path() + L"\\shot_13.bmp").c_str()));
}
