#include "tests/e2e/E2eHarness.h"

#include "frame/FrameWindowClass.h"
#include "framework/ComPtr.h"
#include "res/resource.h"
#include "tests/e2e/E2eDesktop.h"
#include "tests/support/InputRecords.h"
#include "tests/support/WindowFinder.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>
#include <cwctype>

namespace {

constexpr wchar_t kKey[] = L"Software\\Oskvane\\Frimlet2";
constexpr wchar_t kPatternClass[] = L"FrimletE2ePattern";

unique_hkey OpenKey() {
    unique_hkey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.put(),
                      nullptr);
    return key;
}

} // namespace

E2eHarness::E2eHarness() {
    m_comInitialized = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

E2eHarness::~E2eHarness() {
    if (m_process)
        Stop();
    if (m_pattern)
        ::DestroyWindow(m_pattern);
    if (m_comInitialized)
        ::CoUninitialize();
}

bool E2eHarness::ResetSettings() {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    return (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) && static_cast<bool>(OpenKey());
}

bool E2eHarness::SetString(const wchar_t* name, const std::wstring& value) {
    unique_hkey key = OpenKey();
    return key && ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool E2eHarness::SetDword(const wchar_t* name, DWORD value) {
    unique_hkey key = OpenKey();
    return key && ::RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof value) == ERROR_SUCCESS;
}

bool E2eHarness::DeleteValue(const wchar_t* name) {
    unique_hkey key = OpenKey();
    if (!key)
        return false;
    const LSTATUS status = ::RegDeleteValueW(key.get(), name);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool E2eHarness::ReadDword(const wchar_t* name, DWORD& value) {
    unique_hkey key = OpenKey();
    DWORD type = 0;
    DWORD size = sizeof value;
    return key &&
           ::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof value;
}

bool E2eHarness::ResetSettingsIntoFolder() const {
    return ResetSettings() && SetString(L"outputPath", Folder());
}

bool E2eHarness::StorePlacement(int x, int y, int cx, int cy) {
    return SetDword(L"x", static_cast<DWORD>(x)) && SetDword(L"y", static_cast<DWORD>(y)) &&
           SetDword(L"cx", static_cast<DWORD>(cx)) && SetDword(L"cy", static_cast<DWORD>(cy));
}

std::wstring E2eHarness::ExePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"FRIMLET_EXE", path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring(FRIMLET_EXE_PATH);
}

unique_kernel_handle E2eHarness::StartExtraInstance(const std::wstring& arguments) {
    const std::wstring exe = ExePath();
    std::wstring command = L"\"" + exe + L"\"";
    if (!arguments.empty())
        command += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi))
        return unique_kernel_handle();
    const unique_kernel_handle thread(pi.hThread);
    return unique_kernel_handle(pi.hProcess);
}

bool E2eHarness::Start() {
    m_process = StartExtraInstance();
    if (!m_process)
        return false;
    m_pid = ::GetProcessId(m_process.get());
    // The frame has a class of its own and no owner; a message box of the
    // program carries the same title.
    m_frame = test_support::WaitForTopLevel(
        {.className = kFrameWindowClass, .title = L"Frimlet2", .processId = m_pid, .unowned = true}, 10000,
        50, [this] { return ::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0; });
    if (!m_frame)
        return false;
    Pump(300); // let it finish its first layout and register the hotkey
    return true;
}

bool E2eHarness::WaitForExit(DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        if (::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0)
            return true;
        Pump(30);
    }
    return ::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0;
}

bool E2eHarness::Stop() {
    if (!m_process)
        return true;
    if (m_frame)
        ::PostMessageW(m_frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    bool ended = WaitForExit(10000);
    if (!ended) {
        ::TerminateProcess(m_process.get(), 1);
        ::WaitForSingleObject(m_process.get(), 5000);
        ADD_FAILURE() << "Frimlet2.exe did not end after SC_CLOSE and was terminated";
    }
    m_process.reset();
    m_frame = nullptr;
    return ended;
}

void E2eHarness::PressKey(WORD vk) {
    PressKeyHolding(vk, {});
}

void E2eHarness::PressKeyHolding(WORD vk, const std::vector<WORD>& held) {
    for (WORD h : held)
        E2eDesktop::KeyDown(h);
    E2eDesktop::KeyDown(vk);
    E2eDesktop::KeyUp(vk);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        E2eDesktop::KeyUp(*it);
}

void E2eHarness::Drag(POINT from, POINT to) {
    E2eDesktop::Send(test_support::MouseInput(from, 0));
    E2eDesktop::Send(test_support::MouseInput(from, MOUSEEVENTF_LEFTDOWN));
    for (int step = 1; step <= 8; ++step) {
        POINT pt{from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8};
        E2eDesktop::Send(test_support::MouseInput(pt, 0));
    }
    E2eDesktop::Send(test_support::MouseInput(to, MOUSEEVENTF_LEFTUP));
    Pump(200);
}

void E2eHarness::ChooseFitModeFromMenu() const {
    E2eDesktop::Click(test_support::CentreOf(::GetDlgItem(m_frame, IDC_GRIP_ICON)), true);
    Pump(300);
    for (int i = 0; i < 7; ++i) // "枠をクリックしたウィンドウに合わせる"
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    Pump(300);
}

uint32_t E2eHarness::Pattern(int x, int y) {
    // Smooth gradients (kind to JPEG) with a fine component so an offset of a
    // pixel changes the picture.
    const uint32_t r = static_cast<uint32_t>(x * 2) & 0xFF;
    const uint32_t g = static_cast<uint32_t>(y * 3) & 0xFF;
    const uint32_t b = static_cast<uint32_t>((x + y) / 2) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

E2eHarness::Image E2eHarness::PatternImage(const RECT& screen) {
    Image image;
    image.width = screen.right - screen.left;
    image.height = screen.bottom - screen.top;
    for (int y = screen.top; y < screen.bottom; ++y)
        for (int x = screen.left; x < screen.right; ++x)
            image.pixels.push_back(Pattern(x, y));
    return image;
}

POINT E2eHarness::HoleOffset(int borderWidth) {
    const int padded = ::GetSystemMetrics(SM_CXPADDEDBORDER);
    return {::GetSystemMetrics(SM_CXDLGFRAME) + padded + borderWidth,
            ::GetSystemMetrics(SM_CYDLGFRAME) + padded + borderWidth};
}

RECT E2eHarness::HoleFor(int x, int y, int cx, int cy) {
    const POINT offset = HoleOffset(4);
    return {x + offset.x, y + offset.y, x + offset.x + cx, y + offset.y + cy};
}

LRESULT CALLBACK E2eHarness::PatternProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT rc = {};
        ::GetWindowRect(hwnd, &rc);
        const int w = rc.right - rc.left;
        const int h = rc.bottom - rc.top;
        std::vector<uint32_t> bits(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                bits[static_cast<size_t>(y) * w + x] = Pattern(rc.left + x, rc.top + y);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        ::SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, bits.data(), &bi, DIB_RGB_COLORS);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool E2eHarness::ShowPattern(const RECT& rect) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kPatternClass;
    ::RegisterClassW(&wc);
    if (m_pattern)
        ::DestroyWindow(m_pattern); // one pattern at a time
    m_pattern = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPatternClass,
                                  L"pattern", WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!m_pattern)
        return false;
    ::ShowWindow(m_pattern, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_pattern);
    if (m_frame)
        ::SetWindowPos(m_frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(300);
    return true;
}

std::vector<std::wstring> E2eHarness::FilesInFolder() const {
    return test_support::FilesIn(Folder());
}

std::wstring E2eHarness::WaitForNewFile(const std::vector<std::wstring>& before, DWORD timeoutMs) const {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    do {
        for (const std::wstring& name : FilesInFolder())
            // The encoder's temporary file is not a capture until it is moved.
            if (std::find(before.begin(), before.end(), name) == before.end() &&
                !(name.size() > 4 && name.compare(name.size() - 4, 4, L".tmp") == 0)) {
                Pump(300); // let the writer finish the file
                return Folder() + L"\\" + name;
            }
        Pump(50);
    } while (::GetTickCount64() < end);
    return std::wstring();
}

std::wstring E2eHarness::WaitForNewImage(const std::vector<std::wstring>& before, DWORD timeoutMs) const {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    do {
        for (const std::wstring& name : FilesInFolder())
            if (std::find(before.begin(), before.end(), name) == before.end())
                for (const wchar_t* extension : {L".jpg", L".bmp", L".gif", L".png"})
                    if (HasExtension(name, extension))
                        return Folder() + L"\\" + name;
        Pump(50);
    } while (::GetTickCount64() < end);
    return std::wstring();
}

std::wstring E2eHarness::ShootWithPrintScreen(const std::vector<WORD>& held) const {
    const auto before = FilesInFolder();
    PressKeyHolding(VK_SNAPSHOT, held);
    return WaitForNewImage(before, 8000);
}

bool E2eHarness::HasExtension(const std::wstring& path, const wchar_t* extension) {
    const std::wstring tail(extension);
    if (path.size() < tail.size())
        return false;
    std::wstring end = path.substr(path.size() - tail.size());
    for (wchar_t& c : end)
        c = static_cast<wchar_t>(std::towlower(c));
    return end == tail;
}

bool E2eHarness::Decode(const std::wstring& path, Image& image) {
    com_ptr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.put_void())))
        return false;
    com_ptr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put())))
        return false;
    com_ptr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put())))
        return false;
    com_ptr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return false;
    UINT w = 0;
    UINT h = 0;
    if (FAILED(converter->GetSize(&w, &h)))
        return false;
    image.width = static_cast<int>(w);
    image.height = static_cast<int>(h);
    image.pixels.assign(static_cast<size_t>(w) * h, 0);
    return SUCCEEDED(
        converter->CopyPixels(nullptr, w * 4, w * h * 4, reinterpret_cast<BYTE*>(image.pixels.data())));
}
