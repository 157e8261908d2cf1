// Checks of the shared test helpers themselves, against windows of this
// thread: if these fail, a test built on them says nothing about Frimlet2.
#include "tests/support/InputRecords.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>

namespace {

using namespace test_support;

// A top-level window of this thread, destroyed with the object.
struct Popup {
    HWND hwnd;
    Popup(const wchar_t* title, HWND owner, bool visible, const wchar_t* className = L"STATIC")
        : hwnd(::CreateWindowExW(0, className, title, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20,
                                 owner, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}
    ~Popup() { ::DestroyWindow(hwnd); }
};

int g_appMessages = 0;

LRESULT CALLBACK CountAppMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++g_appMessages;
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// The prefix stands in a proportional Japanese font for each Japanese UI
// font of Windows, so that windows (the installer's among them) lay out as on
// a Japanese Windows instead of in a fallback without Japanese glyphs.
TEST(TestSupport, TheJapaneseUiFontsOfWindowsAreProportionalAndJapanese) {
    HDC screen = ::GetDC(nullptr);
    ASSERT_TRUE(screen);
    // The last is "ＭＳ Ｐゴシック", the name Japanese programs (the installer) ask for.
    for (const wchar_t* face : {L"MS UI Gothic", L"MS PGothic", L"Meiryo", L"Meiryo UI", L"Yu Gothic UI",
                                L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF"}) {
        char name[64] = {};
        ::WideCharToMultiByte(CP_UTF8, 0, face, -1, name, sizeof(name), nullptr, nullptr);
        SCOPED_TRACE(name);
        LOGFONTW logFont{};
        logFont.lfHeight = -16;
        logFont.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynW(logFont.lfFaceName, face, LF_FACESIZE);
        HFONT font = ::CreateFontIndirectW(&logFont);
        ASSERT_TRUE(font);
        HGDIOBJ old = ::SelectObject(screen, font);
        WORD glyphs[2] = {};
        const DWORD found =
            ::GetGlyphIndicesW(screen, L"\u3042\u6F22", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
        SIZE narrow{}, wide{};
        ::GetTextExtentPoint32W(screen, L"iiii", 4, &narrow);
        ::GetTextExtentPoint32W(screen, L"WWWW", 4, &wide);
        ::SelectObject(screen, old);
        ::DeleteObject(font);
        EXPECT_EQ(found, 2u);
        EXPECT_NE(glyphs[0], 0xFFFF) << "no hiragana";
        EXPECT_NE(glyphs[1], 0xFFFF) << "no kanji";
        EXPECT_LT(narrow.cx * 2, wide.cx) << "not proportional";
    }
    ::ReleaseDC(nullptr, screen);
}

TEST(TestSupport, MouseRecordsLandOnEveryPixelOfTheVirtualScreen) {
    // The system maps an absolute coordinate d back to the pixel (d * size) >> 16.
    for (const int origin : {0, -1920})
        for (const int size : {1080, 1366, 1920, 3840})
            for (LONG pixel = origin; pixel < origin + size; ++pixel) {
                const long long d = NormalisedCoordinate(pixel, origin, size);
                ASSERT_LE(d, 65535) << pixel << " of " << size;
                ASSERT_EQ(origin + ((d * size) >> 16), pixel) << "size " << size << " origin " << origin;
            }
    const INPUT key = KeyInput(VK_SNAPSHOT, true);
    EXPECT_EQ(key.ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));
}

TEST(TestSupport, TheFinderTellsWindowsApartByClassTitleOwnerAndVisibility) {
    const DWORD thread = ::GetCurrentThreadId();
    Popup owner(L"support-owner", nullptr, true);
    Popup owned(L"support-owned", owner.hwnd, true);
    Popup hidden(L"support-hidden", nullptr, false);
    ASSERT_TRUE(owner.hwnd && owned.hwnd && hidden.hwnd);

    EXPECT_EQ(FindThreadWindow(L"static", L"support-owner"), owner.hwnd) << "class names ignore case";
    EXPECT_EQ(FindTopLevel({.title = L"support-owned", .threadId = thread, .owner = owner.hwnd}), owned.hwnd);
    EXPECT_EQ(FindTopLevel({.title = L"support-owned", .threadId = thread, .unowned = true}), nullptr);
    EXPECT_EQ(FindTopLevel({.title = L"support-owned", .owner = hidden.hwnd}), nullptr);
    EXPECT_EQ(FindTopLevel({.title = L"support-hidden", .processId = ::GetCurrentProcessId()}), nullptr);
    EXPECT_EQ(FindTopLevel({.title = L"support-hidden", .visibleOnly = false}), hidden.hwnd);
    EXPECT_EQ(FindAllTopLevel({.className = L"Static", .threadId = thread, .except = owned.hwnd}),
              std::vector<HWND>{owner.hwnd});
    EXPECT_EQ(TextOf(owned.hwnd), L"support-owned");
    EXPECT_EQ(CentreOf(owner.hwnd).x, 10);

    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(WaitForTopLevel({.title = L"support-missing"}, 5000, 10, [] { return true; }), nullptr);
    EXPECT_LT(::GetTickCount64() - start, 2000u) << "giving up did not end the wait";
}

TEST(TestSupport, ThePumpDispatchesWhatWaitsUnlessTheFilterTakesIt) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &CountAppMessages;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FrimletSupportCounter";
    ::RegisterClassW(&wc);
    Popup target(L"support-pump", nullptr, false, wc.lpszClassName);
    ASSERT_TRUE(target.hwnd);
    g_appMessages = 0;
    ::PostMessageW(target.hwnd, WM_APP, 0, 0);
    int taken = 0;
    DispatchWaitingMessages([&](MSG& msg) { return msg.message == WM_APP && ++taken; });
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(g_appMessages, 0);
    ::PostMessageW(target.hwnd, WM_APP, 0, 0);
    const ULONGLONG start = ::GetTickCount64();
    PumpMessages(30);
    EXPECT_GE(::GetTickCount64() - start, 30u);
    EXPECT_EQ(g_appMessages, 1);
}

} // namespace
