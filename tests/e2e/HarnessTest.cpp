// Checks of the end-to-end helpers themselves, against windows of this test
// program: if these fail, a failing frame test says nothing about Frimlet2.
#include "tests/e2e/E2eDesktop.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/e2e/E2eSettingsSnapshot.h"
#include "tests/support/WindowFinder.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <atomic>

namespace {

constexpr wchar_t kKey[] = L"Software\\Oskvane\\Frimlet2";

// A plain topmost popup owned by a thread of its own, so that input sent from
// the test thread reaches it as it would reach another program's window (a
// window of the sending thread would hold the drag in its own move loop).
class ThreadWindow {
public:
    struct Options {
        RECT rect;
        LRESULT hitTest = HTCLIENT;
        RECT hole = {};    // cut out of the window region when not empty
        BYTE alpha = 0;    // layered with this alpha when nonzero
        UINT hotkeyVk = 0; // registered as hotkey id 1 when nonzero
    };

    explicit ThreadWindow(const Options& options) : m_options(options) {
        m_ready.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        m_thread.reset(::CreateThread(nullptr, 0, &ThreadWindow::Run, this, 0, &m_threadId));
        if (m_thread)
            ::WaitForSingleObject(m_ready.get(), 5000);
        E2eHarness::Pump(200);
    }
    ~ThreadWindow() {
        if (m_thread) {
            ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
            ::WaitForSingleObject(m_thread.get(), 5000);
        }
    }
    ThreadWindow(const ThreadWindow&) = delete;
    ThreadWindow& operator=(const ThreadWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    bool hotkeyRegistered() const { return m_hotkeyRegistered; }
    int hotkeys() const { return m_hotkeys; }
    // Letters seen held (GetKeyState) at the last hotkey: bit 0 J, 1 B, 2 G, 3 P.
    int heldAtHotkey() const { return m_held; }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<ThreadWindow*>(param);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &ThreadWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrimletE2eThreadWindow";
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        ::RegisterClassW(&wc);
        const Options& o = self->m_options;
        HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (o.alpha ? WS_EX_LAYERED : 0),
                                      wc.lpszClassName, L"E2eThreadWindow", WS_POPUP, o.rect.left, o.rect.top,
                                      o.rect.right - o.rect.left, o.rect.bottom - o.rect.top, nullptr,
                                      nullptr, wc.hInstance, self);
        self->m_hwnd = hwnd;
        if (hwnd) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            if (o.alpha)
                ::SetLayeredWindowAttributes(hwnd, 0, o.alpha, LWA_ALPHA);
            if (o.hole.right > o.hole.left) {
                unique_region shape(
                    ::CreateRectRgn(0, 0, o.rect.right - o.rect.left, o.rect.bottom - o.rect.top));
                unique_region hole(::CreateRectRgnIndirect(&o.hole));
                ::CombineRgn(shape.get(), shape.get(), hole.get(), RGN_DIFF);
                if (::SetWindowRgn(hwnd, shape.get(), TRUE))
                    shape.release(); // the window owns it now
            }
            if (o.hotkeyVk)
                self->m_hotkeyRegistered = ::RegisterHotKey(hwnd, 1, 0, o.hotkeyVk) != FALSE;
            ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
            ::UpdateWindow(hwnd);
        }
        ::SetEvent(self->m_ready.get());
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (hwnd && ::IsWindow(hwnd)) {
            if (self->m_hotkeyRegistered)
                ::UnregisterHotKey(hwnd, 1);
            ::DestroyWindow(hwnd);
        }
        return 0;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ThreadWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == WM_NCHITTEST)
            return self->m_options.hitTest;
        if (self && msg == WM_HOTKEY) {
            int held = 0;
            const char letters[] = {'J', 'B', 'G', 'P'};
            for (int i = 0; i < 4; ++i)
                if (::GetKeyState(letters[i]) < 0)
                    held |= 1 << i;
            self->m_held = held;
            ++self->m_hotkeys;
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    Options m_options;
    unique_kernel_handle m_ready;
    unique_kernel_handle m_thread;
    DWORD m_threadId = 0;
    std::atomic<HWND> m_hwnd{nullptr};
    std::atomic<bool> m_hotkeyRegistered{false};
    std::atomic<int> m_hotkeys{0};
    std::atomic<int> m_held{0};
};

using test_support::WindowRectOf;

// Writes 32-bit BGRA pixels as a PNG through WIC.
bool WritePng(const std::wstring& path, const E2eHarness::Image& image) {
    com_ptr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.put_void())))
        return false;
    com_ptr<IWICStream> stream;
    com_ptr<IWICBitmapEncoder> encoder;
    com_ptr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    const UINT stride = static_cast<UINT>(image.width) * 4;
    return SUCCEEDED(factory->CreateStream(stream.put())) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
           SUCCEEDED(
               frame->WritePixels(static_cast<UINT>(image.height), stride, stride * image.height,
                                  reinterpret_cast<BYTE*>(const_cast<uint32_t*>(image.pixels.data())))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

TEST(E2eHarnessSelfTest, PatternWindowIsReadBackExactlyByAScreenGrab) {
    E2eHarness h;
    const RECT area = {203, 151, 203 + 257, 151 + 131};
    ASSERT_TRUE(h.ShowPattern(area));
    E2eHarness::Image grabbed;
    ASSERT_TRUE(E2eDesktop::Grab(area, grabbed));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(grabbed, E2eHarness::PatternImage(area)), 0);

    // Part of it matches where it lies and not one pixel to the side: the
    // pattern pins positions.
    const RECT inside = {area.left + 1, area.top + 2, area.right - 1, area.bottom};
    ASSERT_TRUE(E2eDesktop::Grab(inside, grabbed));
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(grabbed, E2eHarness::PatternImage(inside)), 0);
    const RECT offByOne = {inside.left - 1, inside.top, inside.right - 1, inside.bottom};
    EXPECT_GT(E2eDesktop::MaxChannelDifference(grabbed, E2eHarness::PatternImage(offByOne)), 0);
}

TEST(E2eHarnessSelfTest, NewFileIsFoundAndDecodedToTheWrittenPixels) {
    E2eHarness h;
    const RECT r = {10, 20, 10 + 61, 20 + 37};
    const E2eHarness::Image written = E2eHarness::PatternImage(r);
    ASSERT_TRUE(WritePng(h.Folder() + L"\\old.png", written));
    const auto before = h.FilesInFolder();
    EXPECT_TRUE(h.WaitForNewFile(before, 300).empty()) << "a file already there counts as new";

    ASSERT_TRUE(WritePng(h.Folder() + L"\\new.png", written));
    const std::wstring found = h.WaitForNewFile(before, 3000);
    EXPECT_EQ(found, h.Folder() + L"\\new.png");
    E2eHarness::Image decoded;
    ASSERT_TRUE(E2eHarness::Decode(found, decoded));
    EXPECT_EQ(decoded.width, written.width);
    EXPECT_EQ(decoded.height, written.height);
    EXPECT_EQ(E2eDesktop::MaxChannelDifference(decoded, written), 0);
    EXPECT_FALSE(E2eHarness::Decode(h.Folder() + L"\\missing.png", decoded));
}

TEST(E2eHarnessSelfTest, RegistryHelpersWriteTheProgramsKey) {
    ASSERT_TRUE(E2eHarness::SetDword(L"x", 0x80000000u));
    ASSERT_TRUE(E2eHarness::SetString(L"outputPath", L"C:\\キャプチャ"));
    DWORD x = 0;
    ASSERT_TRUE(E2eHarness::ReadDword(L"x", x));
    EXPECT_EQ(x, 0x80000000u);
    wchar_t text[64] = {};
    DWORD size = sizeof text;
    DWORD type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kKey, L"outputPath", RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, L"C:\\キャプチャ");
    EXPECT_FALSE(E2eHarness::ReadDword(L"outputPath", x)) << "a string is not read as a number";

    ASSERT_TRUE(E2eHarness::ResetSettings());
    EXPECT_FALSE(E2eHarness::ReadDword(L"x", x));
    unique_hkey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.put()), ERROR_SUCCESS);
    DWORD values = 99;
    ASSERT_EQ(::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                 nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 0u);
}

TEST(E2eHarnessSelfTest, SettingsSnapshotPutsBackEveryValueAndTheMissingKey) {
    ASSERT_TRUE(E2eHarness::ResetSettings());
    ASSERT_TRUE(E2eHarness::SetDword(L"cx", 640));
    ASSERT_TRUE(E2eHarness::SetString(L"fixdName", L"出力"));
    const BYTE list[] = {'a', 0, 0, 0, 0, 0}; // REG_MULTI_SZ "a" and the end
    ASSERT_EQ(
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"SelectSizeList_v2", REG_MULTI_SZ, list, sizeof list),
        ERROR_SUCCESS);
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"empty", REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    E2eSettingsSnapshot snapshot;
    ASSERT_TRUE(snapshot.Take());

    ASSERT_TRUE(E2eHarness::ResetSettings());
    ASSERT_TRUE(E2eHarness::SetDword(L"x", 5));
    ASSERT_TRUE(snapshot.Restore());
    DWORD value = 0;
    EXPECT_FALSE(E2eHarness::ReadDword(L"x", value)) << "a value added later survived";
    ASSERT_TRUE(E2eHarness::ReadDword(L"cx", value));
    EXPECT_EQ(value, 640u);
    wchar_t text[16] = {};
    DWORD size = sizeof text;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kKey, L"fixdName", RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"出力");
    BYTE bytes[16] = {};
    size = sizeof bytes;
    DWORD type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kKey, L"SelectSizeList_v2", RRF_RT_ANY | RRF_NOEXPAND, &type,
                             bytes, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(size, sizeof list);
    size = sizeof bytes;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kKey, L"empty", RRF_RT_ANY, &type, bytes, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);

    ASSERT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    ASSERT_TRUE(snapshot.Take()) << "a missing key is a state to keep too";
    ASSERT_TRUE(E2eHarness::SetDword(L"x", 5));
    ASSERT_TRUE(snapshot.Restore());
    unique_hkey key;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.put()), ERROR_FILE_NOT_FOUND);
}

TEST(E2eHarnessSelfTest, KeysReachAHotkeyOfAnotherThreadWithTheHeldLetters) {
    ThreadWindow::Options o;
    o.rect = {40, 40, 140, 100};
    o.hotkeyVk = VK_SNAPSHOT;
    ThreadWindow target(o);
    ASSERT_TRUE(target.hwnd());
    ASSERT_TRUE(target.hotkeyRegistered()) << "PrintScreen is taken by another program";

    E2eHarness::PressKeyHolding(VK_SNAPSHOT, {'P'});
    E2eHarness::Pump(200);
    ASSERT_EQ(target.hotkeys(), 1);
    EXPECT_EQ(target.heldAtHotkey(), 8) << "P should be seen held, and only P";

    E2eHarness::PressKeyHolding(VK_SNAPSHOT, {'J', 'G'});
    E2eHarness::Pump(200);
    ASSERT_EQ(target.hotkeys(), 2);
    EXPECT_EQ(target.heldAtHotkey(), 1 | 4);

    E2eHarness::PressKey(VK_SNAPSHOT);
    E2eHarness::Pump(200);
    ASSERT_EQ(target.hotkeys(), 3);
    EXPECT_EQ(target.heldAtHotkey(), 0) << "a letter stayed held after its release";
}

TEST(E2eHarnessSelfTest, MouseDragsMoveACaptionAndResizeFromACorner) {
    ThreadWindow::Options o;
    o.rect = {600, 400, 900, 600};
    o.hitTest = HTCAPTION;
    ThreadWindow moved(o);
    ASSERT_TRUE(moved.hwnd());
    E2eHarness::Drag({700, 500}, {763, 471});
    EXPECT_EQ(WindowRectOf(moved.hwnd()).left, 663);
    EXPECT_EQ(WindowRectOf(moved.hwnd()).top, 371);
    EXPECT_EQ(WindowRectOf(moved.hwnd()).right, 963);

    o.rect = {300, 300, 500, 450};
    o.hitTest = HTBOTTOMRIGHT;
    ThreadWindow resized(o);
    ASSERT_TRUE(resized.hwnd());
    E2eHarness::Drag({495, 445}, {535, 475});
    const RECT r = WindowRectOf(resized.hwnd());
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 300);
    EXPECT_EQ(r.right, 540);
    EXPECT_EQ(r.bottom, 480);

    // A click lands on the exact pixel asked for, near the origin too.
    for (POINT pt : {POINT{2, 3}, POINT{9, 6}, POINT{1919, 1079}, POINT{777, 555}}) {
        E2eDesktop::MoveMouse(pt);
        POINT at = {};
        ::GetCursorPos(&at);
        EXPECT_EQ(at.x, pt.x);
        EXPECT_EQ(at.y, pt.y);
    }
}

TEST(E2eHarnessSelfTest, HoleRegionAndAlphaOfAnotherWindowAreRead) {
    ThreadWindow::Options o;
    o.rect = {500, 300, 800, 520};
    o.hole = {13, 9, 13 + 250, 9 + 170};
    o.alpha = 200;
    ThreadWindow shaped(o);
    ASSERT_TRUE(shaped.hwnd());

    RECT hole = {};
    ASSERT_TRUE(E2eDesktop::FindHole(shaped.hwnd(), hole));
    EXPECT_EQ(hole.left, 513);
    EXPECT_EQ(hole.top, 309);
    EXPECT_EQ(hole.right, 763);
    EXPECT_EQ(hole.bottom, 479);
    EXPECT_TRUE(E2eDesktop::RegionContains(shaped.hwnd(), 12, 100));
    EXPECT_FALSE(E2eDesktop::RegionContains(shaped.hwnd(), 13, 100));
    EXPECT_FALSE(E2eDesktop::RegionContains(shaped.hwnd(), 262, 178));
    EXPECT_TRUE(E2eDesktop::RegionContains(shaped.hwnd(), 263, 178));
    BYTE alpha = 0;
    ASSERT_TRUE(E2eDesktop::LayeredAlpha(shaped.hwnd(), alpha));
    EXPECT_EQ(alpha, 200);

    o.hole = {};
    o.alpha = 0;
    ThreadWindow plain(o);
    EXPECT_FALSE(E2eDesktop::FindHole(plain.hwnd(), hole));
    EXPECT_TRUE(E2eDesktop::RegionContains(plain.hwnd(), 0, 0));
    EXPECT_FALSE(E2eDesktop::LayeredAlpha(plain.hwnd(), alpha));
}

} // namespace
