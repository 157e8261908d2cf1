#include "tests/e2e/E2eDesktop.h"

#include "framework/Handles.h"
#include "tests/support/InputRecords.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WindowFinder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Runs of one state (inside or outside the region) along a line of points.
struct Run {
    int first;
    int last;
    bool inside;
};

template <class Inside> std::vector<Run> Runs(int count, Inside inside) {
    std::vector<Run> runs;
    for (int i = 0; i < count; ++i) {
        const bool in = inside(i);
        if (runs.empty() || runs.back().inside != in)
            runs.push_back({i, i, in});
        else
            runs.back().last = i;
    }
    return runs;
}

// The first run outside the region with region on both sides.
bool EnclosedGap(const std::vector<Run>& runs, int& first, int& end) {
    for (size_t i = 1; i + 1 < runs.size(); ++i)
        if (!runs[i].inside) {
            first = runs[i].first;
            end = runs[i].last + 1;
            return true;
        }
    return false;
}

int ChannelDifference(uint32_t a, uint32_t b, int shift) {
    return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

} // namespace

bool E2eDesktop::Grab(const RECT& screen, Image& image) {
    const int w = screen.right - screen.left;
    const int h = screen.bottom - screen.top;
    if (w <= 0 || h <= 0)
        return false;
    WindowDC desktop(nullptr);
    unique_memory_dc memory(::CreateCompatibleDC(desktop.get()));
    if (!desktop || !memory)
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_bitmap dib(::CreateDIBSection(desktop.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
        return false;
    {
        SelectRestore select(memory.get(), dib.get());
        if (!::BitBlt(memory.get(), 0, 0, w, h, desktop.get(), screen.left, screen.top, SRCCOPY))
            return false;
    }
    ::GdiFlush();
    image.width = w;
    image.height = h;
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + static_cast<size_t>(w) * h);
    for (uint32_t& p : image.pixels)
        p |= 0xFF000000u;
    return true;
}

int E2eDesktop::MaxChannelDifference(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size())
        return -1;
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            worst = std::max(worst, ChannelDifference(a.pixels[i], b.pixels[i], shift));
    return worst;
}

double E2eDesktop::MeanChannelDifference(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size())
        return -1;
    if (a.pixels.empty())
        return 0;
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += ChannelDifference(a.pixels[i], b.pixels[i], shift);
    return sum / (3.0 * static_cast<double>(a.pixels.size()));
}

bool E2eDesktop::RegionContains(HWND window, int x, int y) {
    RECT rc = {};
    if (!::GetWindowRect(window, &rc))
        return false;
    unique_region region(::CreateRectRgn(0, 0, 0, 0));
    const int kind = region ? ::GetWindowRgn(window, region.get()) : ERROR;
    if (kind == ERROR) // no region: the whole rectangle
        return x >= 0 && y >= 0 && x < rc.right - rc.left && y < rc.bottom - rc.top;
    return ::PtInRegion(region.get(), x, y) != FALSE;
}

bool E2eDesktop::FindHole(HWND window, RECT& hole) {
    RECT rc = {};
    if (!::GetWindowRect(window, &rc))
        return false;
    unique_region region(::CreateRectRgn(0, 0, 0, 0));
    if (!region || ::GetWindowRgn(window, region.get()) == ERROR)
        return false;
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    HRGN rgn = region.get();
    int top = 0, bottom = 0, left = 0, right = 0;
    const int column = w / 2;
    if (!EnclosedGap(Runs(h, [&](int y) { return ::PtInRegion(rgn, column, y) != FALSE; }), top, bottom))
        return false;
    const int row = (top + bottom) / 2;
    if (!EnclosedGap(Runs(w, [&](int x) { return ::PtInRegion(rgn, x, row) != FALSE; }), left, right))
        return false;
    hole = {rc.left + left, rc.top + top, rc.left + right, rc.top + bottom};
    return true;
}

bool E2eDesktop::LayeredAlpha(HWND window, BYTE& alpha) {
    if (!(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED))
        return false;
    COLORREF key = 0;
    DWORD flags = 0;
    return ::GetLayeredWindowAttributes(window, &key, &alpha, &flags) && (flags & LWA_ALPHA);
}

RECT E2eDesktop::WorkArea() {
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

int E2eDesktop::ScreenDpi() {
    WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void E2eDesktop::Send(const INPUT& input) {
    INPUT in = input;
    ::SendInput(1, &in, sizeof in);
    E2eHarness::Pump(60);
}

void E2eDesktop::MoveMouse(POINT screen) {
    Send(test_support::MouseInput(screen, 0));
}

void E2eDesktop::Click(POINT screen, bool right) {
    Send(test_support::MouseInput(screen, 0));
    Send(test_support::MouseInput(screen, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
    Send(test_support::MouseInput(screen, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
    E2eHarness::Pump(100);
}

HWND E2eDesktop::CaptureOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndCapture;
}

HWND E2eDesktop::FitOverlayOf(HWND frame) {
    return test_support::FindTopLevel({.className = L"Frimlet2FitOverlay", .owner = frame});
}

void E2eDesktop::KeyDown(WORD vk) {
    Send(test_support::KeyInput(vk, false));
}

void E2eDesktop::KeyUp(WORD vk) {
    Send(test_support::KeyInput(vk, true));
}

// Wine starts Unix programs but hands back no process to wait on, so the
// command leaves its exit status in a file of the folder both sides share.
bool E2eDesktop::RunOnX(const std::string& command, DWORD timeoutMs) {
    static int counter = 0;
    const std::string marker =
        "frimlet-e2e-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".done";
    const std::wstring markerPath = L"Z:\\tmp\\" + std::wstring(marker.begin(), marker.end());
    ::DeleteFileW(markerPath.c_str());
    const std::string shell = "/bin/sh -c \"" + command + "; echo $? > /tmp/" + marker + "\"";
    std::wstring line(shell.begin(), shell.end());
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    const unique_kernel_handle thread(pi.hThread);
    const unique_kernel_handle process(pi.hProcess);
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        const std::string status =
            test_support::ReadBytes(markerPath, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        if (!status.empty() && status.back() == '\n') {
            ::DeleteFileW(markerPath.c_str());
            return status == "0\n";
        }
        E2eHarness::Pump(50);
    }
    return false;
}

bool E2eDesktop::XPressAt(POINT focusAt, const std::string& keys) {
    return RunOnX("xdotool mousemove " + std::to_string(focusAt.x) + " " + std::to_string(focusAt.y) +
                  " click 1 sleep 0.2 " + keys + " sleep 0.3 mousemove 1 1");
}

POINT E2eDesktop::FrameBorderPoint(HWND frame) {
    RECT r{};
    ::GetWindowRect(frame, &r);
    return POINT{r.left + 2, (r.top + r.bottom) / 2};
}
