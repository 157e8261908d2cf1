// The thumbnail toolbar records, their image list and the jump-list task.
// Under Wine the taskbar object accepts every call without effect and the
// destination list is a stub, so the shell's side shows only as results.
#include "frame/CTaskbarThumbButtons.h"
#include "frame/ThumbButtonImages.h"
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

// A picture of the toolbar drawn over a background, as 32-bit pixels.
std::vector<DWORD> DrawnOver(HIMAGELIST images, int image, int cx, int cy, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    unique_memory_dc dc(::CreateCompatibleDC(nullptr));
    unique_bitmap canvas(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !canvas || !bits)
        return {};
    SelectRestore select(dc.get(), canvas.get());
    unique_brush fill(::CreateSolidBrush(background));
    RECT all{0, 0, cx, cy};
    ::FillRect(dc.get(), &all, fill.get());
    if (!::ImageList_Draw(images, image, dc.get(), 0, 0, ILD_NORMAL))
        return {};
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> rgb(pixels, pixels + cx * cy);
    for (DWORD& pixel : rgb)
        pixel &= 0xFFFFFF;
    return rgb;
}

// The shell asks for 32-bit images as large as a system icon; their edges
// blend with what is under them (no colour key).
TEST_F(TaskbarTest, ImagesAre32BitWithAlphaAtTheSystemIconSize) {
    CTaskbarThumbButtons buttons;
    buttons.AddButtons(window.m_hWnd);
    ASSERT_NE(buttons.GetSafeHandle(), nullptr);
    EXPECT_EQ(buttons.GetImageCount(), 5);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(buttons.GetSafeHandle(), &width, &height));
    EXPECT_EQ(width, cx);
    EXPECT_EQ(height, cy);
    IMAGEINFO info{};
    ASSERT_TRUE(::ImageList_GetImageInfo(buttons.GetSafeHandle(), 0, &info));
    BITMAP bitmap{};
    ASSERT_TRUE(::GetObjectW(info.hbmImage, sizeof(bitmap), &bitmap));
    EXPECT_EQ(bitmap.bmBitsPixel, 32);

    for (int image = 0; image < 5; ++image) {
        SCOPED_TRACE(image);
        const std::vector<DWORD> onBlack = DrawnOver(buttons.GetSafeHandle(), image, cx, cy, RGB(0, 0, 0));
        const std::vector<DWORD> onWhite =
            DrawnOver(buttons.GetSafeHandle(), image, cx, cy, RGB(255, 255, 255));
        ASSERT_EQ(onBlack.size(), static_cast<size_t>(cx * cy));
        ASSERT_EQ(onWhite.size(), onBlack.size());
        EXPECT_EQ(onBlack[0], 0u); // a corner lets the background through
        EXPECT_EQ(onWhite[0], 0xFFFFFFu);
        int opaque = 0, blended = 0;
        for (size_t i = 0; i < onBlack.size(); ++i) {
            if (onBlack[i] == onWhite[i])
                ++opaque;
            else if (onBlack[i] != 0 && onWhite[i] != 0xFFFFFF)
                ++blended; // partly covered: some of each background shows
        }
        EXPECT_GT(opaque, cx * cy / 8);
        EXPECT_GT(blended, 0);
    }
}

// Icon sizes of other scales: drawn ones, one between them (the picture
// below it, centred) and one below the smallest (cut to the cell).
TEST(ThumbButtonImagesTest, EveryIconSizeGetsFiveCellsOfItsSize) {
    for (int size : {40, 56, 64, 24}) {
        SCOPED_TRACE(size);
        unique_imagelist images = MakeThumbButtonImages(size, size);
        ASSERT_TRUE(images);
        EXPECT_EQ(::ImageList_GetImageCount(images.get()), 5);
        int cx = 0, cy = 0;
        ASSERT_TRUE(::ImageList_GetIconSize(images.get(), &cx, &cy));
        EXPECT_EQ(cx, size);
        EXPECT_EQ(cy, size);
        const std::vector<DWORD> onWhite = DrawnOver(images.get(), 1, size, size, RGB(255, 255, 255));
        ASSERT_EQ(onWhite.size(), static_cast<size_t>(size * size));
        EXPECT_NE(onWhite[static_cast<size_t>(size / 2 * size + size / 2)], 0xFFFFFFu)
            << "nothing drawn in the middle";
    }
}

TEST(TaskbarWithoutCom, EveryShellFailureIsSilent) {
    // A thread that never initialised COM cannot create the shell's objects.
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"TaskbarNoCom", WS_POPUP, RECT{0, 0, 40, 40}, nullptr, 0));
    bool added = true, updated = true;
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
        committed = SetJumpListFolderTask();
        linkMade = static_cast<bool>(CreateFolderTaskLink(L"C:\\Frimlet2\\Frimlet2.exe"));
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

// The task starts the program itself, by its full path, asking the running
// copy to open its folder (which says so when the folder cannot be had).
TEST_F(TaskbarTest, TheTaskAsksTheProgramToOpenItsFolder) {
    const wchar_t* program = L"C:\\Users\\me\\Frimlet2\\Frimlet2.exe";
    com_ptr<IShellLinkW> link = CreateFolderTaskLink(program);
    ASSERT_TRUE(link);
    wchar_t text[MAX_PATH] = {};
    ASSERT_HRESULT_SUCCEEDED(link->GetArguments(text, MAX_PATH));
    EXPECT_STREQ(text, L"/openfolder");
    ASSERT_HRESULT_SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0));
    EXPECT_EQ(CString(text).MakeLower().str(), CString(program).MakeLower().str());
    int icon = -1;
    ASSERT_HRESULT_SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &icon));
    EXPECT_EQ(icon, 4);
    EXPECT_EQ(CString(text).MakeLower().Right(11), L"shell32.dll");
    EXPECT_FALSE(CreateFolderTaskLink(L""));
}

} // namespace
