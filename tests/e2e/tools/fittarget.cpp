// A window of another program for the fit-mode test: a plain window with one
// push button, which notes every mouse press, release and click it gets.
//   fittarget.exe X Y LOGFILE
// The window ("Frimlet2 fit target", 300 x 200) stands at X, Y; the button
// at (40, 50) in it, 120 x 32. Each event appends one line to LOGFILE:
// "window-down", "window-up", "button-down", "button-up", "clicked". The
// program ends on WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

const wchar_t kTitle[] = L"Frimlet2 fit target";
constexpr int kButtonId = 100;
FILE* g_log = nullptr;
WNDPROC g_buttonProc = nullptr;

void Note(const char* event) {
    if (g_log) {
        std::fprintf(g_log, "%s\n", event);
        std::fflush(g_log);
    }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
        Note("button-down");
    else if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP)
        Note("button-up");
    return ::CallWindowProcW(g_buttonProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        Note("window-down");
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        Note("window-up");
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED)
            Note("clicked");
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: fittarget.exe X Y LOGFILE\n", stderr);
        return 2;
    }
    g_log = ::_wfopen(argv[3], L"wb");
    if (!g_log)
        return 2;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"Frimlet2FitTarget";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, kTitle, WS_POPUP | WS_BORDER | WS_VISIBLE,
                                    std::wcstol(argv[1], nullptr, 10), std::wcstol(argv[2], nullptr, 10), 300,
                                    200, nullptr, nullptr, instance, nullptr);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"Target", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 40, 50,
                                    120, 32, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                    instance, nullptr);
    if (!window || !button)
        return 2;
    g_buttonProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    std::fclose(g_log);
    return 0;
}
