// The tab's result: shown with a flash of the taskbar button, cleared and put
// out by its own timers, and the size label's tooltip built from the reason
// of a failure and the next file name.
#include "frame/CaptureStatus.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<FLASHWINFO> g_flashes;
BOOL WINAPI NotedFlash(PFLASHWINFO info) {
    g_flashes.push_back(*info);
    return TRUE;
}

CString Text(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

class CaptureStatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_flashes.clear();
        calls.flashWindowEx = &NotedFlash;
        ASSERT_TRUE(frame.CreateEx(0, L"STATIC", L"status", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    }
    void TearDown() override { frame.DestroyWindow(); }

    CWnd frame;
    CFrameGeometry geometry;
    ShutterCalls calls;
    CaptureStatus status{frame, geometry, calls};
};

TEST_F(CaptureStatusTest, TheTooltipSaysTheReasonOrTheLabelAndTheNextName) {
    CString nextLine;
    nextLine.Format(Text(IDS_NEXT_FILE_NAME), L"m_02.bmp");
    const CString label = Text(IDS_TIP_SIZE_LABEL);
    struct Case {
        const wchar_t* reason;
        const wchar_t* next;
        CString expected;
    } cases[] = {
        {L"", L"", label},
        {L"no folder", L"", CString(L"no folder")},
        {L"", L"m_02.bmp", label + L"\r\n" + nextLine},
        {L"no folder", L"m_02.bmp", CString(L"no folder\r\n") + nextLine},
    };
    for (const Case& c : cases) {
        status.Show(-1, CString(c.reason));
        EXPECT_EQ(CString(status.SizeLabelTip(CString(c.next))), c.expected) << c.reason << "|" << c.next;
    }
}

TEST_F(CaptureStatusTest, ItsTimersClearTheResultAndPutTheFlashOut) {
    status.Show(-3, CString(L"reason"));
    EXPECT_FALSE(geometry.Metrics().StatusText().empty());
    ASSERT_EQ(g_flashes.size(), 1u);
    EXPECT_EQ(g_flashes[0].dwFlags, static_cast<DWORD>(FLASHW_TRAY));
    EXPECT_EQ(g_flashes[0].uCount, 1u);

    EXPECT_FALSE(status.OnTimer(CaptureStatus::kTimer + 100)); // not one of its own
    EXPECT_TRUE(status.OnTimer(CaptureStatus::kFlashStopTimer));
    ASSERT_EQ(g_flashes.size(), 2u);
    EXPECT_EQ(g_flashes[1].dwFlags, static_cast<DWORD>(FLASHW_STOP));
    EXPECT_FALSE(geometry.Metrics().StatusText().empty()); // the result stays its twelve seconds

    EXPECT_TRUE(status.OnTimer(CaptureStatus::kTimer));
    EXPECT_TRUE(geometry.Metrics().StatusText().empty());
    EXPECT_EQ(CString(status.SizeLabelTip(CString())), Text(IDS_TIP_SIZE_LABEL)); // the reason went with it
}

} // namespace
