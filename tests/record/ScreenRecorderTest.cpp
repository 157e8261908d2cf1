// Recording a screen area on a clock the test turns: frames grabbed when
// due, the file finished on the encoder thread and put in place, and the
// failures that leave nothing behind.
#include "record/ScreenRecorder.h"

#include "capture/CaptureProbe.h"
#include "capture/EncodeImageFile.h"
#include "tests/capture/CaptureTestSupport.h"

#include <gtest/gtest.h>

using namespace capture_test;

namespace {

constexpr UINT kDone = WM_APP + 22;
std::int64_t g_now = 0;
int g_grabs = 0;
std::size_t g_writeBudget = 0;

std::int64_t FakeNow() {
    return g_now;
}

// 40 x 30, 32 bits, a 4 x 4 square that moves one pixel per grab.
void FakeGrab(CaptureImage& image, const RECT&, bool) {
    const int step = g_grabs++;
    MakeImage(image, 40, 30, 32, 160, [&](std::uint8_t* p, int x, int y) {
        const bool square = x >= step % 36 && x < step % 36 + 4 && y >= 10 && y < 14;
        p[0] = square ? 0 : 200;
        p[1] = square ? 0 : 180;
        p[2] = square ? 255 : 160;
        p[3] = 0;
    });
}

// A disk that fills after g_writeBudget bytes.
BOOL WINAPI FillingWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    if (size > g_writeBudget) {
        *written = 0;
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    g_writeBudget -= size;
    return ::WriteFile(file, data, size, written, overlapped);
}

class ScreenRecorderTest : public ImagingTest {
protected:
    void SetUp() override {
        ImagingTest::SetUp();
        g_now = 5000000;
        g_grabs = 0;
        window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        ::DestroyWindow(window);
        ImagingTest::TearDown();
    }
    RecordRequest Request(AnimationFormat format, const wchar_t* name) {
        RecordRequest r;
        r.area = RECT{100, 100, 140, 130};
        r.format = format;
        r.fps = 10;
        r.seconds = 5;
        r.folder = folder.Path();
        r.path = folder.File(name);
        return r;
    }
    // Runs the recorder's timer for the given time in steps of 10 ms.
    void Run(ScreenRecorder& recorder, std::int64_t micros) {
        for (std::int64_t t = 0; t < micros; t += 10000) {
            g_now += 10000;
            if (!recorder.Tick())
                return;
        }
    }
    int Finish(ScreenRecorder& recorder, CaptureResult* detail = nullptr) {
        recorder.Stop();
        EXPECT_TRUE(recorder.Writing());
        MSG msg{};
        const ULONGLONG deadline = ::GetTickCount64() + 20000;
        while (!::PeekMessageW(&msg, window, kDone, kDone, PM_REMOVE) && ::GetTickCount64() < deadline)
            ::Sleep(5);
        EXPECT_EQ(msg.message, kDone);
        return recorder.Collect(detail);
    }
    ScratchFolder folder;
    HWND window = nullptr;
};

TEST_F(ScreenRecorderTest, FramesAreGrabbedOnTheClockAndTheFileTakesItsName) {
    for (auto format : {AnimationFormat::Apng, AnimationFormat::Gif}) {
        g_grabs = 0;
        const wchar_t* name = format == AnimationFormat::Gif ? L"rec.gif" : L"rec.png";
        RecordSteps steps;
        steps.grab = &FakeGrab;
        steps.now = &FakeNow;
        ScreenRecorder recorder(window, kDone, steps);
        ASSERT_EQ(recorder.Start(Request(format, name)), 0);
        EXPECT_TRUE(recorder.Recording());
        Run(recorder, 1000000); // 1 s at 10 fps: the first frame and ten more
        EXPECT_EQ(recorder.ElapsedMicros(), 1000000);
        const int size = Finish(recorder);
        EXPECT_EQ(g_grabs, 11);
        const std::string bytes = ReadBytes(folder.File(name));
        ASSERT_EQ(static_cast<int>(bytes.size()), size);
        for (const auto& entry : ScratchFolder::List(folder.Path()))
            EXPECT_NE(entry[0], L'~') << "temporary file left"; // the program's own names
        if (format == AnimationFormat::Apng) {
            EXPECT_EQ(bytes.substr(1, 3), "PNG");
            EXPECT_EQ(static_cast<unsigned char>(bytes[ApngWriter::kFrameCountOffset + 3]), 11u);
        } else {
            EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
            com_ptr<IWICBitmapDecoder> decoder;
            ASSERT_HRESULT_SUCCEEDED(
                factory->CreateDecoderFromFilename(folder.File(name).c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, decoder.put()));
            UINT frames = 0;
            decoder->GetFrameCount(&frames);
            EXPECT_EQ(frames, 11u);
        }
        // The first frame as any still viewer shows it.
        const Decoded first = DecodeFile(factory.get(), folder.File(name).c_str());
        ASSERT_TRUE(first.ok);
        EXPECT_EQ(first.At(0, 10), (Bgr{0, 0, 255}));
        EXPECT_EQ(first.At(4, 10), (Bgr{200, 180, 160}));
    }
}

TEST_F(ScreenRecorderTest, TheTimeLimitEndsTheGrabbing) {
    RecordSteps steps;
    steps.grab = &FakeGrab;
    steps.now = &FakeNow;
    ScreenRecorder recorder(window, kDone, steps);
    RecordRequest request = Request(AnimationFormat::Gif, L"limit.gif");
    request.seconds = 1;
    ASSERT_EQ(recorder.Start(request), 0);
    Run(recorder, 3000000);
    EXPECT_EQ(recorder.ElapsedMicros(), 1000000);
    EXPECT_FALSE(recorder.Tick());
    EXPECT_GT(Finish(recorder), 0);
    EXPECT_EQ(g_grabs, 10);
}

TEST_F(ScreenRecorderTest, AFullDiskOrAMissingFolderLeavesNoFileAndKeepsTheEarlierOne) {
    WriteBytes(folder.File(L"full.png"), "earlier");
    RecordSteps steps;
    steps.grab = &FakeGrab;
    steps.now = &FakeNow;
    steps.write = &FillingWrite;
    g_writeBudget = 100;
    ScreenRecorder recorder(window, kDone, steps);
    ASSERT_EQ(recorder.Start(Request(AnimationFormat::Apng, L"full.png")), 0);
    Run(recorder, 500000);
    CaptureResult result;
    EXPECT_EQ(Finish(recorder, &result), kEncodeWriteFailed);
    // Told as a still capture's failure is: the file step, the disk's error, the file.
    EXPECT_EQ(result.failed, CaptureResult::Step::File);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(result.path, folder.File(L"full.png"));
    EXPECT_EQ(ReadBytes(folder.File(L"full.png")), "earlier");
    EXPECT_EQ(ScratchFolder::List(folder.Path()), std::vector<std::wstring>{L"full.png"});

    RecordRequest missing = Request(AnimationFormat::Gif, L"x.gif");
    missing.folder = folder.File(L"no such folder");
    missing.path = missing.folder + L"\\x.gif";
    CaptureResult cannotOpen;
    EXPECT_EQ(recorder.Start(missing, &cannotOpen), kEncodeCannotOpen);
    EXPECT_EQ(cannotOpen.failed, CaptureResult::Step::File);
    EXPECT_EQ(cannotOpen.path, missing.path);
    EXPECT_NE(cannotOpen.error, 0u);
    EXPECT_FALSE(recorder.Recording());
    EXPECT_FALSE(recorder.Writing());
}

} // namespace
