// Takes plain PrintScreen from the keyboard before the system and other
// programs see it: a low-level keyboard hook on a thread of its own, whose
// procedure only decides (PrintScreenFilter) and posts WM_APP_CAPTUREKEY to
// the frame. The system drops a low-level hook that keeps it waiting, so the
// hook must not share the frame's thread, which may be busy encoding.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <thread>

// Posted to the frame once per PrintScreen press the hook has taken.
constexpr UINT WM_APP_CAPTUREKEY = WM_USER + 150;

class PrintScreenHook {
public:
    using SetHookFn = HHOOK(WINAPI*)(int type, HOOKPROC proc, HINSTANCE module, DWORD threadId);

    PrintScreenHook() = default;
    ~PrintScreenHook() { Stop(); }
    PrintScreenHook(const PrintScreenHook&) = delete;
    PrintScreenHook& operator=(const PrintScreenHook&) = delete;

    // Starts the hook thread for target; true once the hook is in place,
    // false (and no thread) when setHook refused it. True at once while it
    // runs. One hook per process.
    bool Start(HWND target, SetHookFn setHook = ::SetWindowsHookExW);
    // Removes the hook and ends its thread; PrintScreen is the system's again.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM message, LPARAM data);
    static void Run(SetHookFn setHook, HANDLE ready, bool* hooked, DWORD* threadId);

    std::thread m_thread;
    DWORD m_dwThreadId = 0;
};
