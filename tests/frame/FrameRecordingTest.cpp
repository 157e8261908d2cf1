// Recording the hole from the frame window: the menu and the shutter start
// and stop it, the frame shows it, and every way out writes the file.
#include "capture/EncodeImageFile.h"
#include "frame/CFrameRecording.h"
#include "framework/ComPtr.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using namespace frame_test;
using test_support::PumpMessages;

class FrameRecordingTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        settings.outputPath = folder.Path().c_str();
        settings.recordFps = 10;
        Place(200, 150, 120, 80);
    }
    void Open() { CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app)); }
    void Command(UINT id) { ::SendMessageW(frame->m_hWnd, WM_COMMAND, id, 0); }
    // Runs the frame until the recording's file is done.
    void PumpUntilWritten() {
        for (int i = 0; i < 400 && Probe::IsRecording(*frame); ++i)
            PumpMessages(25);
        ASSERT_FALSE(Probe::IsRecording(*frame));
    }
    std::vector<std::wstring> Files() const { return test_support::FilesIn(folder.Path()); }
    // The record item's text in the menu as it shows now, and the table's text.
    std::wstring RecordItemText() {
        const ShownMenu shown = MenuReader::Read(
            [&] { ::PostMessageW(frame->m_hWnd, WM_APP_SHOWMENU, 0, MAKELPARAM(200, 200)); }, 150);
        const int at = shown.IndexOf(IDM_RECORD);
        return at < 0 ? L"(none)" : shown.texts[static_cast<size_t>(at)];
    }
    static std::wstring Text(UINT id) {
        CString text;
        text.LoadString(id);
        return text.GetString();
    }

    test_support::ScratchFolder folder;
    ComApartment com{ComApartment::Ole};
};

TEST_F(FrameRecordingTest, TheMenuStartsAndStopsItAndTheFrameShowsItMeanwhile) {
    Open();
    const auto& metrics = Probe::Geometry(*frame).Metrics();
    Command(IDM_RECORD);
    ASSERT_TRUE(Probe::IsRecording(*frame));
    EXPECT_EQ(metrics.Color(), frame::FrameMetrics::kRecordingColor);
    EXPECT_EQ(metrics.SizeLabel().substr(0, 5), u"\u25CF 0:0");
    // Neither moved nor resized from its border or corner.
    RECT window;
    frame->GetWindowRect(&window);
    EXPECT_EQ(::SendMessageW(frame->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(window.right - 3, window.top + 3)),
              HTCLIENT);
    EXPECT_EQ(RecordItemText(), Text(IDS_RECORD_STOP));
    PumpMessages(300);
    Command(IDM_RECORD);
    EXPECT_EQ(metrics.SizeLabel(), u"\u25CF 保存中");
    PumpUntilWritten();
    EXPECT_EQ(RecordItemText(), Text(IDS_RECORD_START));
    const auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].substr(files[0].size() - 4), L".gif");
    EXPECT_EQ(metrics.StatusText().substr(3), u"KB");
    EXPECT_EQ(metrics.Color(), settings.color);
    EXPECT_NE(metrics.SizeLabel().find(u" x "), std::u16string::npos);
}

TEST_F(FrameRecordingTest, RHeldWithTheShutterRecordsAnimatedPngAndEscStopsIt) {
    settings.recordFormat = 1;
    Open();
    INPUT r[2] = {};
    r[0].type = r[1].type = INPUT_KEYBOARD;
    r[0].ki.wVk = r[1].ki.wVk = 'R';
    r[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &r[0], sizeof(INPUT));
    PumpMessages(50);
    ::SendMessageW(frame->m_hWnd, WM_HOTKEY, test_profile::kTestHotkey, 0);
    ::SendInput(1, &r[1], sizeof(INPUT));
    ASSERT_TRUE(Probe::IsRecording(*frame));
    PumpMessages(300);
    Command(IDCANCEL); // Esc: stops and minimises
    PumpUntilWritten();
    const auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].substr(files[0].size() - 4), L".png");
    const std::string bytes = test_support::ReadBytes(folder.Path() + L"\\" + files[0]);
    EXPECT_NE(bytes.find("acTL"), std::string::npos);
}

TEST_F(FrameRecordingTest, MinimisingStopsItAndTheTimeLimitEndsIt) {
    Open();
    Command(IDM_RECORD);
    ::SendMessageW(frame->m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(frame->IsIconic());
    PumpUntilWritten();
    EXPECT_EQ(Files().size(), 1u);

    ::SendMessageW(frame->m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    settings.recordSeconds = 1;
    Command(IDM_RECORD);
    ASSERT_TRUE(Probe::IsRecording(*frame));
    PumpUntilWritten(); // ends by itself after a second
    EXPECT_EQ(Files().size(), 2u);
}

TEST_F(FrameRecordingTest, ClosingTheFrameWritesTheRecordingFirst) {
    Open();
    Command(IDM_RECORD);
    PumpMessages(300);
    Probe::ShutDown(*frame);
    EXPECT_FALSE(Probe::IsRecording(*frame));
    EXPECT_EQ(Files().size(), 1u);
}

// The folder that could not be made is named, not the file that then could
// not be created in it.
TEST_F(FrameRecordingTest, AFailedStartIsExplainedByTheFolderThatCouldNotBeMade) {
    const std::wstring file = folder.File(L"not a folder");
    ASSERT_TRUE(test_support::WriteBytes(file, "x"));
    settings.outputPath = file.c_str();
    CFrameRecording recording;
    EXPECT_EQ(recording.Start(nullptr, settings, RECT{0, 0, 40, 30}, {2026, 12, 9, 20, 0, 0, 0}),
              kEncodeCannotOpen);
    EXPECT_EQ(recording.Result().failed, CaptureResult::Step::Folder);
    EXPECT_EQ(recording.Result().path, file);
    EXPECT_GE(recording.Explanation().Find(file.c_str()), 0);
}

} // namespace
