// The thumbnail toolbar records, their image list and the jump-list task.
// Under Wine the taskbar object accepts every call without effect and the
// destination list is a stub, so the shell's side shows only as results.
#include "frame/CTaskbarThumbButtons.h"
#include "framework/CString.h"
#include "framework/CWnd.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>
#include <vector>

namespace {

CString Loaded(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// The version the system really runs, whatever the manifest asks for.
bool RunsWindows7() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto get = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    return get && get(&version) == 0 && version.dwMajorVersion == 6 && version.dwMinorVersion == 1;
}

std::vector<COLORREF> Pixels(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    return pixels;
}

class TaskbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            window.CreateEx(0, L"STATIC", L"TaskbarTestFrame", WS_POPUP, RECT{0, 0, 40, 40}, nullptr, 0));
    }
    void TearDown() override { window.DestroyWindow(); }

    ComApartment com{ComApartment::Ole};
    CWnd window;
};

TEST_F(TaskbarTest, RecordsHoldTheFourCommandsAndGetTheirTooltipsWhenAdded) {
    CTaskbarThumbButtons buttons;
    const UINT ids[4] = {IDM_OPEN_OUTPUT_FOLDER, IDM_OPTIONS, IDM_LOCK, IDM_SHOW_CONTROLLER};
    const UINT images[4] = {0, 1, 2, 4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons.Button(i).iId, ids[i]);
        EXPECT_EQ(buttons.Button(i).iBitmap, images[i]);
        EXPECT_EQ(buttons.Button(i).dwMask, static_cast<DWORD>(THB_BITMAP | THB_TOOLTIP | THB_FLAGS));
        EXPECT_EQ(buttons.Button(i).dwFlags, static_cast<DWORD>(THBF_DISMISSONCLICK));
        EXPECT_EQ(buttons.Button(i).szTip[0], L'\0');
    }
    EXPECT_EQ(buttons.GetSafeHandle(), nullptr);

    EXPECT_TRUE(buttons.AddButtons(window.m_hWnd)); // Wine's taskbar object accepts every call
    EXPECT_STREQ(buttons.Button(0).szTip, L"保存先フォルダを開く");
    EXPECT_STREQ(buttons.Button(1).szTip, L"設定");
    EXPECT_STREQ(buttons.Button(2).szTip, L"枠の位置とサイズをロックする");
    EXPECT_STREQ(buttons.Button(3).szTip, L"枠のコントローラを表示する");

    // Added again (the shell restarted): the same image list is used.
    HIMAGELIST first = buttons.GetSafeHandle();
    EXPECT_TRUE(buttons.AddButtons(window.m_hWnd));
    EXPECT_EQ(buttons.GetSafeHandle(), first);

    // The lock button shows unlock while locked, also when added anew.
    EXPECT_TRUE(buttons.UpdateLockButton(window.m_hWnd, true));
    EXPECT_TRUE(buttons.AddButtons(window.m_hWnd));
    EXPECT_EQ(buttons.Button(2).iBitmap, 3u);
    EXPECT_STREQ(buttons.Button(2).szTip, Loaded(IDS_UNLOCK_FRAME));
    EXPECT_TRUE(buttons.UpdateLockButton(window.m_hWnd, false));
    EXPECT_EQ(buttons.Button(2).iBitmap, 2u);
    EXPECT_STREQ(buttons.Button(2).szTip, Loaded(IDS_LOCK_FRAME));
    EXPECT_EQ(buttons.Button(3).iBitmap, 4u);
}

TEST_F(TaskbarTest, ImagesComeFromTheStripOfTheSystemVersionWithYellowTransparent) {
    CTaskbarThumbButtons buttons;
    buttons.AddButtons(window.m_hWnd);
    ASSERT_NE(buttons.GetSafeHandle(), nullptr);
    EXPECT_EQ(buttons.GetImageCount(), 5);
    const bool seven = RunsWindows7();
    const int size = seven ? 20 : 24;
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(buttons.GetSafeHandle(), &cx, &cy));
    EXPECT_EQ(cx, size);
    EXPECT_EQ(cy, size);

    // Each image drawn over a background shows the background exactly where
    // the strip is yellow, and the strip's own pixels everywhere else.
    unique_bitmap strip(static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(seven ? IDB_THUMB_BUTTONS_20 : IDB_THUMB_BUTTONS_24),
        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(strip);
    WindowDC screen(nullptr);
    unique_memory_dc source(::CreateCompatibleDC(screen.get()));
    unique_memory_dc target(::CreateCompatibleDC(screen.get()));
    unique_bitmap canvas(::CreateCompatibleBitmap(screen.get(), size, size));
    SelectRestore selectStrip(source.get(), strip.get());
    SelectRestore selectCanvas(target.get(), canvas.get());
    const COLORREF background = RGB(10, 200, 30);
    int yellowSeen = 0;
    for (int image = 0; image < 5; ++image) {
        unique_brush fill(::CreateSolidBrush(background));
        RECT all{0, 0, size, size};
        ::FillRect(target.get(), &all, fill.get());
        ASSERT_TRUE(::ImageList_Draw(buttons.GetSafeHandle(), image, target.get(), 0, 0, ILD_TRANSPARENT));
        std::vector<COLORREF> drawn = Pixels(target.get(), size, size);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                COLORREF original = ::GetPixel(source.get(), image * size + x, y);
                COLORREF expected = original == RGB(255, 255, 0) ? background : original;
                yellowSeen += original == RGB(255, 255, 0);
                ASSERT_EQ(drawn[static_cast<size_t>(y * size + x)], expected)
                    << "image " << image << " at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(yellowSeen, 0);
}

TEST(TaskbarWithoutCom, EveryShellFailureIsSilent) {
    // A thread that never initialised COM cannot create the shell's objects.
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"TaskbarNoCom", WS_POPUP, RECT{0, 0, 40, 40}, nullptr, 0));
    BOOL added = TRUE, updated = TRUE;
    int committed = 1;
    bool linkMade = true;
    UINT lockImage = 0;
    int images = 0;
    std::thread worker([&] {
        CTaskbarThumbButtons buttons;
        added = buttons.AddButtons(window.m_hWnd);
        images = buttons.GetImageCount();
        updated = buttons.UpdateLockButton(window.m_hWnd, true);
        lockImage = buttons.Button(2).iBitmap;
        committed = SetJumpListFolderTask(L"C:\\shots");
        linkMade = static_cast<bool>(CreateFolderTaskLink(L"C:\\shots"));
    });
    worker.join();
    EXPECT_FALSE(added);
    EXPECT_EQ(images, 5); // the image list does not need the shell
    EXPECT_FALSE(updated);
    EXPECT_EQ(lockImage, 3u); // the record follows the lock even so
    EXPECT_EQ(committed, 0);
    EXPECT_FALSE(linkMade);
    window.DestroyWindow();
}

TEST_F(TaskbarTest, TheTaskOpensTheFolderThroughTheFileProtocolHandler) {
    // Another rundll32.exe first on the search path (the program's own
    // folder) must not become the task's program.
    wchar_t own[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, own, MAX_PATH), 0u);
    CString impostor = own;
    impostor = impostor.Left(impostor.ReverseFind(L'\\') + 1) + L"rundll32.exe";
    { const unique_file made(::CreateFileW(impostor, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)); }
    com_ptr<IShellLinkW> link = CreateFolderTaskLink(L"C:\\Users\\me\\Pictures\\Frimlet2");
    ::DeleteFileW(impostor);
    ASSERT_TRUE(link);
    wchar_t text[MAX_PATH] = {};
    ASSERT_HRESULT_SUCCEEDED(link->GetArguments(text, MAX_PATH));
    EXPECT_STREQ(text, L"url.dll,FileProtocolHandler \"C:\\Users\\me\\Pictures\\Frimlet2\\.\"");
    ASSERT_HRESULT_SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0));
    CString program = text;
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_EQ(program.MakeLower().str(), (CString(system) + L"\\rundll32.exe").MakeLower().str());
    int icon = -1;
    ASSERT_HRESULT_SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &icon));
    EXPECT_EQ(icon, 4);
    EXPECT_EQ(CString(text).MakeLower().Right(11), L"shell32.dll");
}

} // namespace
