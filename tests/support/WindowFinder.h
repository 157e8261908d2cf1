// What a test reads of a window, and how it finds top-level windows of its own
// thread, of another program or of anyone: by class, title, process, thread
// and owner, at once or waiting for them to appear.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace test_support {

std::wstring ClassOf(HWND window);
// The window's text (for a top-level window its title), as long as it is.
std::wstring TextOf(HWND window);
// The texts of every descendant of parent, in the order the system lists them.
std::vector<std::wstring> ChildTexts(HWND parent);
RECT WindowRectOf(HWND window);
// The centre of the window's rectangle, in screen coordinates.
POINT CentreOf(HWND window);

// The top-level windows a search takes: every condition that is given holds.
struct WindowQuery {
    const wchar_t* className = nullptr; // compared without case, as the system compares class names
    const wchar_t* title = nullptr;     // the whole title, exactly
    DWORD processId = 0;                // 0: any process
    DWORD threadId = 0;                 // 0: any thread; else the windows of that thread only
    HWND owner = nullptr;               // null: any owner, or none
    bool unowned = false;               // a window without an owner only
    bool visibleOnly = true;
    HWND except = nullptr;                    // a window the search passes over
    std::function<bool(HWND)> also = nullptr; // any further condition
};

// The first window the query takes, or null.
HWND FindTopLevel(const WindowQuery& query);
// Every window the query takes.
std::vector<HWND> FindAllTopLevel(const WindowQuery& query);
// Looks for the window, pumping this thread's messages for pumpMs between the
// looks, until timeoutMs have passed or giveUp says so; null when it did not
// appear.
HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs, DWORD pumpMs = 50,
                     const std::function<bool()>& giveUp = {});
// A visible top-level window of this thread with the class (and title, when
// given).
HWND FindThreadWindow(const wchar_t* className, const wchar_t* title = nullptr);

// The first descendant of parent with the class whose parent has the class
// parentClass (or any parent when null).
HWND FindDescendant(HWND parent, const wchar_t* className, const wchar_t* parentClass = nullptr);

} // namespace test_support
