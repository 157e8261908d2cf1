#include "app/PrintScreenHook.h"

#include "app/PrintScreenFilter.h"

#include <atomic>

namespace {
// The hook procedure has no context of its own: the window it posts to, and
// the press in progress, which only the hook thread touches.
std::atomic<HWND> g_target{nullptr};
PrintScreenFilter g_filter;

bool ModifierDown(const KBDLLHOOKSTRUCT& key) {
    if (key.flags & LLKHF_ALTDOWN)
        return true;
    for (int vk : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN})
        if (::GetAsyncKeyState(vk) < 0)
            return true;
    return false;
}
} // namespace

LRESULT CALLBACK PrintScreenHook::Procedure(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        // Only PrintScreen is looked at; the modifiers are read for it alone.
        if (key.vkCode == PrintScreenFilter::kPrintScreen) {
            const bool up = (key.flags & LLKHF_UP) != 0 || message == WM_KEYUP || message == WM_SYSKEYUP;
            switch (g_filter.OnKey(key.vkCode, up, !up && ModifierDown(key))) {
            case PrintScreenFilter::Action::Shoot:
                ::PostMessageW(g_target.load(), WM_APP_CAPTUREKEY, 0, 0);
                return 1;
            case PrintScreenFilter::Action::Swallow:
                return 1;
            case PrintScreenFilter::Action::Pass:
                break;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, message, data);
}

void PrintScreenHook::Run(SetHookFn setHook, HANDLE ready, bool* hooked, DWORD* threadId) {
    // The thread's queue exists before anyone may post WM_QUIT to it.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    *threadId = ::GetCurrentThreadId();
    g_filter = PrintScreenFilter();
    const unique_hook hook(setHook(WH_KEYBOARD_LL, &Procedure, ::GetModuleHandleW(nullptr), 0));
    *hooked = static_cast<bool>(hook);
    ::SetEvent(ready);
    if (!hook)
        return;
    // The system calls the procedure through this thread's messages.
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
}

bool PrintScreenHook::Start(HWND target, SetHookFn setHook) {
    if (IsRunning())
        return true;
    const unique_kernel_handle ready(::CreateEventW(nullptr, true, false, nullptr));
    if (!ready)
        return false;
    g_target.store(target);
    bool hooked = false;
    m_thread = std::thread(&PrintScreenHook::Run, setHook, ready.get(), &hooked, &m_dwThreadId);
    ::WaitForSingleObject(ready.get(), INFINITE);
    if (!hooked) {
        m_thread.join();
        return false;
    }
    return true;
}

void PrintScreenHook::Stop() {
    if (!IsRunning())
        return;
    ::PostThreadMessageW(m_dwThreadId, WM_QUIT, 0, 0);
    m_thread.join();
    g_target.store(nullptr);
}
