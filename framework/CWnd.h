// The window object: one CWnd per window the program handles, bound to its
// HWND for the window's life. Messages reach WindowProc, which looks them up
// in the class's message map (see MessageMap.h) after giving controls the
// chance to handle their own notifications (reflection); what no row takes
// goes to the window's original procedure through Default(). The rows for
// window messages hand their handlers typed arguments (MessageCrackers.h).
// A window no object is bound to is reached through its HWND only.
#pragma once

#include "framework/CString.h"
#include "framework/MessageMap.h"

#include <windows.h>
#include <commctrl.h>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Binds an existing window (a dialog's control) and subclasses it.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, HWND parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool PreTranslateMessage(MSG* msg);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    static const MessageMap* GetThisMessageMap();
    // The current message, handed to the window's original procedure.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks up a reflected message in this control's own table.
    bool ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Window operations used across the program.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    // True when the window was visible before.
    bool ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
    // True when the window was disabled before.
    bool EnableWindow(bool enable = true) const { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ClientToScreen(POINT* pt) const { ::ClientToScreen(m_hWnd, pt); }
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* pt) const { ::ScreenToClient(m_hWnd, pt); }
    void ScreenToClient(RECT* rect) const;
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) const {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(const RECT& rect, bool repaint = true) const {
        ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags) != FALSE;
    }
    void SetWindowText(const wchar_t* text) const { ::SetWindowTextW(m_hWnd, text); }
    // The whole text of a window (empty for none).
    static CString TextOf(HWND hwnd);
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, bool erase = true) const { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id) != FALSE; }
    void SetFont(HFONT font, bool redraw = true) const {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0) const;
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const wchar_t* text) const { ::SetDlgItemTextW(m_hWnd, id, text); }
    CString GetDlgItemText(int id) const;
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    HWND SetCapture() const { return ::SetCapture(m_hWnd); }

protected:
    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK FrameworkSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    friend LRESULT CALLBACK FrameworkCbtHook(int, WPARAM, LPARAM);

    // How the window's original procedure is reached.
    WNDPROC m_pfnOldWndProc = nullptr; // the procedure replaced by SetWindowLongPtr
    bool m_bComctlSubclass = false;    // bound with SetWindowSubclass

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};

    void BindHandle(HWND hwnd);
    void UnbindHandle();
    // Called by the window procedures after the final message.
    void OnFinalMessage();

    // Sets up the hook that binds the next window this thread creates to this
    // object, before its first message.
    void HookWindowCreate();
    static void UnhookWindowCreate();
};

// Declares the message map of a class (put it in the class body; it leaves
// the class in private access).
#define DECLARE_MESSAGE_MAP()                                                                                \
public:                                                                                                      \
    static const MessageMap* GetThisMessageMap();                                                            \
    const MessageMap* GetMessageMap() const override {                                                       \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
                                                                                                             \
private:

namespace fw_detail {

template <class T, class Sig> struct Thunk;

// void Handler()
template <class T> struct Thunk<T, void (T::*)()> {
    template <void (T::*M)()> static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t, bool&) {
        (static_cast<T*>(w)->*M)();
        return 0;
    }
};
// BOOL Handler(): FALSE lets the message go on (the _EX rows)
template <class T> struct Thunk<T, BOOL (T::*)()> {
    template <BOOL (T::*M)()>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t, bool& handled) {
        handled = (static_cast<T*>(w)->*M)() != FALSE;
        return 0;
    }
};
// void Handler(UINT id), for id ranges
template <class T> struct Thunk<T, void (T::*)(UINT)> {
    template <void (T::*M)(UINT)>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t, bool&) {
        (static_cast<T*>(w)->*M)(LOWORD(wp));
        return 0;
    }
};
// void Handler(NMHDR*, LRESULT*)
template <class T> struct Thunk<T, void (T::*)(NMHDR*, LRESULT*)> {
    template <void (T::*M)(NMHDR*, LRESULT*)>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool&) {
        LRESULT result = 0;
        (static_cast<T*>(w)->*M)(reinterpret_cast<NMHDR*>(lp), &result);
        return result;
    }
};
// BOOL Handler(NMHDR*, LRESULT*): FALSE lets the notification go on
template <class T> struct Thunk<T, BOOL (T::*)(NMHDR*, LRESULT*)> {
    template <BOOL (T::*M)(NMHDR*, LRESULT*)>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool& handled) {
        LRESULT result = 0;
        handled = (static_cast<T*>(w)->*M)(reinterpret_cast<NMHDR*>(lp), &result) != FALSE;
        return result;
    }
};

} // namespace fw_detail

#define FW_THUNK(member)                                                                                     \
    (&fw_detail::Thunk<ThisClass, decltype(&ThisClass::member)>::template Call<&ThisClass::member>)

// The table is built once, on first use, as function-local constants.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const MessageMap* theClass::GetThisMessageMap() {                                                        \
        using ThisClass = theClass;                                                                          \
        using TheBaseClass = baseClass;                                                                      \
        static const MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    { 0, 0, 0, 0, nullptr, nullptr }                                                                         \
    }                                                                                                        \
    ;                                                                                                        \
    static const MessageMap map = {TheBaseClass::GetThisMessageMap(), entries};                              \
    return &map;                                                                                             \
    }

// Rows for commands and notifications; the rows for window messages are in
// MessageCrackers.h.
#define ON_COMMAND(id, member) {WM_COMMAND, 0, id, id, nullptr, FW_THUNK(member)},
#define ON_COMMAND_RANGE(first, last, member) {WM_COMMAND, 0, first, last, nullptr, FW_THUNK(member)},
#define ON_CONTROL(code, id, member) {WM_COMMAND, code, id, id, nullptr, FW_THUNK(member)},
#define ON_BN_CLICKED(id, member) ON_CONTROL(BN_CLICKED, id, member)
#define ON_STN_CLICKED(id, member) ON_CONTROL(STN_CLICKED, id, member)
#define ON_EN_CHANGE(id, member) ON_CONTROL(EN_CHANGE, id, member)
#define ON_EN_KILLFOCUS(id, member) ON_CONTROL(EN_KILLFOCUS, id, member)
#define ON_CBN_SELCHANGE(id, member) ON_CONTROL(CBN_SELCHANGE, id, member)
#define ON_NOTIFY(code, id, member)                                                                          \
    {WM_NOTIFY, static_cast<unsigned>(code), id, id, nullptr, FW_THUNK(member)},
#define ON_NOTIFY_REFLECT(code, member)                                                                      \
    {kReflectBase + WM_NOTIFY, static_cast<unsigned>(code), 0, 0, nullptr, FW_THUNK(member)},
#define ON_NOTIFY_REFLECT_EX(code, member) ON_NOTIFY_REFLECT(code, member)
#define ON_CONTROL_REFLECT(code, member) {kReflectBase + WM_COMMAND, code, 0, 0, nullptr, FW_THUNK(member)},
#define ON_CONTROL_REFLECT_EX(code, member) ON_CONTROL_REFLECT(code, member)

#include "framework/MessageCrackers.h"
