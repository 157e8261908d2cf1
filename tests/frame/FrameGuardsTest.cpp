// The frame against the system around it: the message filter it opens only
// when elevated, the end an installer asks for through the Restart Manager,
// and an installer's close while the program asks a question.
#include "frame/FrameMessages.h"
#include "tests/app/FakeHotkeySystem.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/framework/UiScript.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using namespace frame_test;
using namespace test_profile;

// The token's answer and the filter changes asked for, as a system records them.
struct FakeElevation {
    static inline bool elevated = false;
    static inline std::vector<UINT> allowed;
    static bool IsElevated() { return elevated; }
    static BOOL WINAPI ChangeFilter(HWND, UINT message, DWORD action, PCHANGEFILTERSTRUCT) {
        if (action == MSGFLT_ALLOW)
            allowed.push_back(message);
        return TRUE;
    }
    static ElevationCalls Calls() {
        ElevationCalls calls;
        calls.processIsElevated = &IsElevated;
        calls.changeMessageFilter = &ChangeFilter;
        return calls;
    }
};

class FrameGuardsTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        Place(200, 150, 320, 240);
        FakeElevation::allowed.clear();
    }
    ComApartment com{ComApartment::Ole};
};

TEST_F(FrameGuardsTest, OnlyAnElevatedFrameLetsTheShellThrough) {
    for (bool elevated : {false, true}) {
        FakeElevation::elevated = elevated;
        FakeElevation::allowed.clear();
        CreateFrame(std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, HotkeySystem(),
                                                   DisplayQueries::System(), ShutterCalls::OfSystem(),
                                                   LastCaptureCalls(), FakeElevation::Calls()));
        const std::vector<UINT> expected =
            elevated ? std::vector<UINT>{WM_TASKBAR_BUTTON_CREATED, WM_COMMAND} : std::vector<UINT>{};
        EXPECT_EQ(FakeElevation::allowed, expected) << "elevated " << elevated;
        CloseFrame();
    }
}

// The Restart Manager asks, then tells the program to close; the frame runs
// as the program's modal loop, which must end by itself.
TEST_F(FrameGuardsTest, ARestartManagerCloseEndsTheProgramAndStoresThePlacement) {
    struct Case {
        LPARAM flags;
        bool ends;
    } cases[] = {{ENDSESSION_CLOSEAPP, true}, {ENDSESSION_LOGOFF, false}, {0, false}};
    for (const Case& c : cases) {
        DeleteTestKey();
        CFrimlet2Dlg modal(settings, app);
        LRESULT answer = FALSE;
        bool closedByTest = false;
        int waited = 0;
        UiScript script({[&] {
                             if (!modal.m_hWnd || !modal.IsWindowVisible())
                                 return false;
                             answer = ::SendMessageW(modal.m_hWnd, WM_QUERYENDSESSION, 0, c.flags);
                             ::SendMessageW(modal.m_hWnd, WM_ENDSESSION, TRUE, c.flags);
                             return true;
                         },
                         [&] {
                             if (++waited < 25)
                                 return false;
                             closedByTest = true;
                             ::PostMessageW(modal.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                             return true;
                         }});
        EXPECT_EQ(modal.DoModal(), IDCANCEL);
        EXPECT_EQ(answer, TRUE);
        EXPECT_EQ(closedByTest, !c.ends) << "flags " << c.flags;
        EXPECT_EQ(ReadTestDword(L"cx"), 320u) << "flags " << c.flags;
    }
}

// An installer closes the program while it asks whether to free PrintScreen
// (the message box answers as it closes): nobody answered, so the program
// keeps no "No" and asks again next time.
int WINAPI CloseFrameWhileAsking(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    ::SendMessageW(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
    return FakeHotkeySystem::AnswerBox(owner, text, caption, type);
}

TEST_F(FrameGuardsTest, AQuestionCutShortByTheCloseKeepsNoAnswer) {
    FakeHotkeySystem::Reset();
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    settings.hotkey = VK_SNAPSHOT;
    HotkeySystem hotkeys = FakeHotkeySystem::Make();
    hotkeys.messageBox = &CloseFrameWhileAsking;
    frame = std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, hotkeys);
    ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
    ::SetForegroundWindow(frame->m_hWnd);
    test_support::PumpMessages(200);
    ASSERT_TRUE(FakeHotkeySystem::Shown(IDS_PRINTSCREEN_TAKEN_BY_SYSTEM));
    EXPECT_EQ(ReadTestDword(L"printScreenOfferDeclined"), 0xDEADBEEFu);
    EXPECT_TRUE(FakeHotkeySystem::writes.empty());
    EXPECT_NE(ReadTestDword(L"cx"), 0xDEADBEEFu); // the close stored the placement
}

// The same with the system's own box, which has no Cancel: the close
// answers it, so the program can end.
TEST_F(FrameGuardsTest, TheCloseAnswersAQuestionThatHasNoCancel) {
    FakeHotkeySystem::Reset();
    FakeHotkeySystem::systemHoldsPrintScreen = true;
    settings.hotkey = VK_SNAPSHOT;
    HotkeySystem hotkeys = FakeHotkeySystem::Make();
    hotkeys.messageBox = &::MessageBoxW;
    frame = std::make_unique<CFrimlet2Dlg>(settings, app, nullptr, hotkeys);
    const auto box = [&] {
        return test_support::FindTopLevel(
            {.className = L"#32770", .threadId = ::GetCurrentThreadId(), .owner = frame->m_hWnd});
    };
    bool asked = false, leftOpen = false;
    int waited = 0;
    UiScript script({[&] {
                         if (!box())
                             return false;
                         asked = true;
                         ::SendMessageW(frame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                         return true;
                     },
                     [&] {
                         if (++waited < 25)
                             return false;
                         if (HWND open = box()) {
                             leftOpen = true;
                             ::EndDialog(open, IDNO);
                         }
                         return true;
                     }});
    ASSERT_TRUE(frame->Create(IDD_FRIMLET2_DIALOG));
    ::SetForegroundWindow(frame->m_hWnd);
    for (int i = 0; i < 60 && !script.Finished(); ++i)
        test_support::PumpMessages(50);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(leftOpen) << "the question kept the program open";
    EXPECT_EQ(ReadTestDword(L"printScreenOfferDeclined"), 0xDEADBEEFu);
}

} // namespace
