// Test helpers that act on the program's own windows while one of them runs
// a modal loop (a dialog, the common item dialog, a popup menu): a script of
// steps run from a thread timer, one step per tick. The windows it acts on are
// found with tests/support/WindowFinder.h.
#pragma once

#include "tests/support/WindowFinder.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class UiScript {
public:
    // A step returns true when it is done, false to be tried again on the
    // next tick (for example while the window it needs is not open yet).
    using Step = std::function<bool()>;

    explicit UiScript(std::vector<Step> steps, UINT intervalMs = 40, int triesPerStep = 150)
        : m_steps(std::move(steps)), m_triesPerStep(triesPerStep) {
        Current() = this;
        m_timer = ::SetTimer(nullptr, 0, intervalMs, &UiScript::Tick);
    }
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;
    ~UiScript() {
        if (m_timer)
            ::KillTimer(nullptr, m_timer);
        if (Current() == this)
            Current() = nullptr;
    }

    bool Finished() const { return m_next >= m_steps.size() && m_failedStep < 0; }
    // The step that never got done, or -1.
    int FailedStep() const { return m_failedStep; }

    // Closes whatever this thread has open: menus, then every visible dialog
    // (Cancel). Used when a step gives up, so that no modal loop waits forever.
    static void CloseEverything() {
        ::EndMenu();
        for (HWND dialog :
             test_support::FindAllTopLevel({.className = L"#32770", .threadId = ::GetCurrentThreadId()}))
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }

private:
    static UiScript*& Current() {
        static UiScript* current = nullptr;
        return current;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        UiScript* self = Current();
        if (!self || self->m_running || self->m_next >= self->m_steps.size())
            return;
        self->m_running = true;
        if (self->m_steps[self->m_next]()) {
            ++self->m_next;
            self->m_tries = 0;
        } else if (++self->m_tries >= self->m_triesPerStep) {
            self->m_failedStep = static_cast<int>(self->m_next);
            self->m_next = self->m_steps.size();
            CloseEverything();
        }
        self->m_running = false;
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_tries = 0;
    int m_triesPerStep;
    int m_failedStep = -1;
    bool m_running = false;
    UINT_PTR m_timer = 0;
};

// The common item dialog as this system's implementation lays it out: the
// file name edit (id 1152) and the extra controls, each inside a child of the
// dialog's control pane.
namespace ItemDialog {

constexpr int kFileNameEdit = 1152;

// The open item dialog of this thread, or null.
inline HWND Find() {
    HWND dialog = test_support::FindThreadWindow(L"#32770");
    return dialog && ::GetDlgItem(dialog, kFileNameEdit) ? dialog : nullptr;
}

inline HWND CustomCombo(HWND dialog) {
    return test_support::FindDescendant(dialog, L"ComboBox", L"FloatNotifySink");
}

inline HWND CustomCheckButton(HWND dialog) {
    return test_support::FindDescendant(dialog, L"Button", L"FloatNotifySink");
}

// Picks the item with this text as a user would (the selection change is
// notified to the control's parent).
inline bool SelectComboText(HWND combo, const wchar_t* text) {
    const LRESULT index =
        ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index == CB_ERR)
        return false;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    return true;
}

inline std::wstring ComboText(HWND combo) {
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return L"";
    wchar_t text[256] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// Types the name and presses OK (posted: the dialog closes after the step).
inline void Accept(HWND dialog, const wchar_t* fileName) {
    ::SetDlgItemTextW(dialog, kFileNameEdit, fileName);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

inline void Cancel(HWND dialog) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
}

} // namespace ItemDialog
