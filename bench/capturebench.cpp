// capturebench [RUNS]
//
// Times one 1920 x 1080 capture on Windows, piece by piece: the screen grab
// alone, each encoder alone on a grabbed image (JPEG, BMP, PNG, and GIF with
// its quantiser, the quantiser also alone), and the shutter's whole capture
// routine for each format, which names the file, clips the hole, grabs,
// checks the folder and encodes. Each figure is the median of RUNS runs
// (default 15) timed with the performance counter. The last column says how
// much longer the whole routine took than a grab and an encoding run one
// after the other, the two timed in turns.
//
// A window showing a desktop-like picture covers the capture area, so that
// the encoders see screen content rather than an empty screen.
#include "bench/BenchPictures.h"
#include "capture/CaptureImage.h"
#include "capture/EncodeImageFile.h"
#include "capture/NeuQuant.h"
#include "capture/ShutterCapture.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A topmost popup that paints the benchmark picture.
class PictureWindow {
public:
    explicit PictureWindow(const bench::Picture& picture) : m_picture(picture) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &PictureWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrimletCaptureBenchPicture";
        ::RegisterClassExW(&wc);
        m_hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"picture", WS_POPUP,
                                   0, 0, picture.width, picture.height, nullptr, nullptr, wc.hInstance, this);
        ::ShowWindow(m_hwnd, SW_SHOW);
        ::UpdateWindow(m_hwnd);
    }
    ~PictureWindow() {
        if (m_hwnd)
            ::DestroyWindow(m_hwnd);
    }
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    bool Created() const { return m_hwnd != nullptr; }

    // Lets the window paint and the display catch up.
    static void Settle() {
        for (int i = 0; i < 25; ++i) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::GdiFlush();
            ::Sleep(20);
        }
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<PictureWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_PAINT && self) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = self->m_picture.width;
            info.bmiHeader.biHeight = -self->m_picture.height; // top row first
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(self->m_picture.width),
                                static_cast<DWORD>(self->m_picture.height), 0, 0, 0,
                                static_cast<UINT>(self->m_picture.height), self->m_picture.bgrx.data(), &info,
                                DIB_RGB_COLORS);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    const bench::Picture& m_picture;
    HWND m_hwnd = nullptr;
};

double g_ticksPerMs = 1;

double NowMs() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / g_ticksPerMs;
}

double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}

double TimeMs(const std::function<void()>& work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

// Median milliseconds of `runs` calls of work, after one call that is not
// counted (first-use costs: loading codecs, filling caches).
double MedianMs(int runs, const std::function<void()>& work) {
    work();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i)
        ms.push_back(TimeMs(work));
    return Median(ms);
}

// The medians of a and b run in turns, so that a change in the machine's load
// falls on both alike.
std::pair<double, double> MedianMsInTurns(int runs, const std::function<void()>& a,
                                          const std::function<void()>& b) {
    a();
    b();
    std::vector<double> msA, msB;
    for (int i = 0; i < runs; ++i) {
        msA.push_back(TimeMs(a));
        msB.push_back(TimeMs(b));
    }
    return {Median(msA), Median(msB)};
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;

    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "capturebench: COM cannot start\n");
        return 2;
    }
    int exitCode = 0;
    {
        com_ptr<IWICImagingFactory> factory = CreateImagingFactory();
        const RECT screen = VirtualScreenRect();
        const RECT area{screen.left, screen.top, screen.left + kWidth, screen.top + kHeight};
        if (!factory || screen.right - screen.left < kWidth || screen.bottom - screen.top < kHeight) {
            std::fprintf(stderr,
                         "capturebench: needs the imaging component and a screen of at least %d x %d\n",
                         kWidth, kHeight);
            return 2;
        }
        const bench::Picture picture = bench::DesktopPicture(kWidth, kHeight);
        PictureWindow window(picture);
        PictureWindow::Settle();

        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        const std::wstring folder = std::wstring(temp) + L"frimlet2-capturebench";
        ::CreateDirectoryW(folder.c_str(), nullptr);

        Settings settings;
        settings.outputPath = folder.c_str();
        settings.useFixdName = true;
        settings.fixdName = L"shutter";
        settings.combiningCursor = false;
        settings.jpegQuality = 80;

        CaptureImage image;
        const double grabMs = MedianMs(runs, [&] { image.Grab(area, false); });
        std::printf("capture %d x %d, %d bits per pixel, median of %d runs\n", kWidth, kHeight,
                    image.bmBitsPixel, runs);
        std::printf("%-22s %9.1f ms\n", "grab", grabMs);

        std::vector<std::uint8_t> indices(static_cast<size_t>(kWidth) * kHeight);
        for (bool wide : {true, false}) {
            NeuQuant quantiser(wide);
            const double ms = MedianMs(runs, [&] {
                quantiser.Quantise(static_cast<const std::uint8_t*>(image.bmBits), image.bmWidth,
                                   image.bmHeight, image.bmWidthBytes, image.bmBitsPixel, indices.data(),
                                   image.bmWidth);
            });
            std::printf("%-22s %9.1f ms%s\n", wide ? "GIF quantiser alone" : "  without AVX2", ms,
                        wide && !__builtin_cpu_supports("avx2") ? " (no AVX2 on this processor)" : "");
        }

        // Per format: the encoder alone on the grabbed image, then grab and
        // encode one after the other in turns with the shutter's routine.
        std::printf("\n%-6s %10s %12s %12s %10s\n", "format", "encode", "grab+encode", "shutter", "overhead");
        const wchar_t* names[] = {L"JPEG", L"BMP", L"GIF", L"PNG"};
        const wchar_t* extensions[] = {L".jpg", L".bmp", L".gif", L".png"};
        for (int type : {0, 1, 3, 2}) {
            const std::wstring name = std::wstring(L"encode") + extensions[type];
            const std::wstring path = folder + L"\\" + name;
            int size = 0;
            const auto encode = [&] {
                size = EncodeImageFile(factory.get(), image, folder.c_str(), name.c_str(),
                                       *ImageTypeFromInt(type), 0.801f);
            };
            const double encodeMs = MedianMs(runs, encode);
            settings.type = *ImageTypeFromInt(type);
            std::optional<CaptureResult> shot;
            const auto [partsMs, shutterMs] = MedianMsInTurns(
                runs,
                [&] {
                    image.Grab(area, false);
                    encode();
                },
                [&] {
                    shot = TakeCapture(settings, factory.get(), area, screen, ShutterRules::HeldTypeKeys{},
                                       ReadLocalTime());
                });
            if (size <= 0 || !shot || shot->code <= 0) {
                std::fprintf(stderr, "capturebench: %ls failed (%d)\n", names[type],
                             shot ? shot->code : size);
                exitCode = 1;
            }
            std::printf("%-6ls %7.1f ms %9.1f ms %9.1f ms %9.1f %%\n", names[type], encodeMs, partsMs,
                        shutterMs, (shutterMs / partsMs - 1.0) * 100.0);
            ::DeleteFileW(path.c_str());
            ::DeleteFileW((folder + L"\\shutter" + extensions[type]).c_str());
        }
        ::RemoveDirectoryW(folder.c_str());
    }
    ::CoUninitialize();
    return exitCode;
}
