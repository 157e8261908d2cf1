// A visible top-level window that hosts controls under test the way a dialog
// does: it reflects notifications to bound controls (through CWnd), records
// what reaches it, answers RVN_BEGINCELLEDIT, and runs a message pump that
// gives every window on the way its PreTranslateMessage.
#pragma once

#include "framework/CDialog.h"
#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowFinder.h"

#include <functional>
#include <string>
#include <vector>

namespace controls_test {

struct Command {
    UINT id;
    UINT code;
    HWND control;
};

struct Notification {
    UINT_PTR id;
    HWND from;
    int code;
    int item;    // LVN_ITEMCHANGED: iItem; RVN_BEGINCELLEDIT: row
    int subItem; // LVN_ITEMCHANGED: iSubItem; RVN_BEGINCELLEDIT: column
    UINT newState;
    UINT oldState;
    UINT changed;
    LPARAM param;
};

class ControlTestHost : public CWnd {
public:
    bool Create(int width, int height) {
        static const wchar_t* const kClass = L"FrimletControlTestHost";
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = kClass;
            registered = ::RegisterClassW(&wc) != 0;
        }
        const RECT rect{100, 100, 100 + width, 100 + height};
        if (!CreateEx(0, kClass, L"controls test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0))
            return false;
        ::SetForegroundWindow(m_hWnd);
        ::SetActiveWindow(m_hWnd);
        return true;
    }
    ~ControlTestHost() override {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }

    // A child control of a system class.
    HWND Child(const wchar_t* className, DWORD style, int x, int y, int w, int h, UINT id, DWORD exStyle = 0,
               const wchar_t* text = L"") const {
        return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 ::GetModuleHandleW(nullptr), nullptr);
    }

    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (CWnd::OnCommand(wParam, lParam))
            return true;
        commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return true;
    }

    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (CWnd::OnNotify(wParam, lParam, result))
            return true;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        Notification n{header->idFrom, header->hwndFrom, static_cast<int>(header->code), -1, -1, 0, 0, 0, 0};
        *result = 0;
        if (header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            n.item = change->iItem;
            n.subItem = change->iSubItem;
            n.newState = change->uNewState;
            n.oldState = change->uOldState;
            n.changed = change->uChanged;
            n.param = change->lParam;
        } else if (static_cast<int>(header->code) == -290) {
            // NMHDR, then row, column and the option pointer.
            const auto* fields = reinterpret_cast<const int*>(header + 1);
            n.item = fields[0];
            n.subItem = fields[1];
            *result = allowEdit ? 1 : 0;
        }
        notifications.push_back(n);
        return true;
    }

    // Runs the thread's messages for a while, each through the pre-translation
    // chain up to this window first.
    // With 0 it dispatches what is waiting and returns.
    void Pump(DWORD milliseconds = 30) {
        const test_support::MessageFilter preTranslate = [this](MSG& msg) {
            return CDialog::WalkPreTranslateTree(m_hWnd, &msg);
        };
        if (milliseconds == 0)
            test_support::DispatchWaitingMessages(preTranslate);
        else
            test_support::PumpMessages(milliseconds, 5, test_support::Rest::UntilInput, preTranslate);
    }

    int CountNotifications(int code) const {
        int count = 0;
        for (const auto& n : notifications)
            count += n.code == code;
        return count;
    }

    bool allowEdit = true;
    std::vector<Command> commands;
    std::vector<Notification> notifications;
};

// Types characters through the queue, as the keyboard would deliver them.
inline void TypeText(ControlTestHost& host, HWND target, std::wstring_view text) {
    for (wchar_t c : text) {
        ::PostMessageW(target, WM_CHAR, c, 1);
        host.Pump(0);
    }
}

inline void PressKey(ControlTestHost& host, HWND target, UINT vk) {
    ::PostMessageW(target, WM_KEYDOWN, vk, 1);
    ::PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    host.Pump(0);
}

inline bool SetClipboardText(HWND owner, std::wstring_view text) {
    const unique_clipboard clipboard = OpenClipboardFor(owner);
    if (!clipboard)
        return false;
    ::EmptyClipboard();
    unique_global memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    {
        const GlobalLockScope lock(memory.get());
        auto* locked = lock.get<wchar_t>();
        if (!locked)
            return false;
        text.copy(locked, text.size());
        locked[text.size()] = 0;
    }
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get()))
        return false;
    memory.release(); // the clipboard owns it now
    return true;
}

inline std::wstring ClipboardText(HWND owner) {
    const unique_clipboard clipboard = OpenClipboardFor(owner);
    if (!clipboard)
        return L"<not open>";
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return L"<none>";
    const GlobalLockScope lock(data);
    const auto* locked = lock.get<const wchar_t>();
    return locked ? std::wstring(locked) : std::wstring();
}

// Runs action on a thread timer while a modal loop (a popup menu, a common
// dialog) owns the thread; the action returns true when it is done.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> action) {
        s_action = std::move(action);
        m_timer = ::SetTimer(nullptr, 0, 40, &ModalDriver::Tick);
    }
    ~ModalDriver() {
        ::KillTimer(nullptr, m_timer);
        s_action = nullptr;
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (s_action && s_action())
            s_action = nullptr;
    }
    inline static std::function<bool()> s_action;
    UINT_PTR m_timer = 0;
};

} // namespace controls_test
