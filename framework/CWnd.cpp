#include "framework/CWnd.h"

#include "framework/Handles.h"

#include <vector>

namespace {

// The notification codes of WM_COMMAND that come from no control.
constexpr unsigned kMenuCommand = 0;
constexpr unsigned kAcceleratorCommand = 1;

const wchar_t kObjectProperty[] = L"FrimletWindowObject";

thread_local CWnd* t_creating = nullptr;
// Set only while a window of this thread is being created.
thread_local unique_hook t_cbtHook;

CWnd* BoundObject(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool IsCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Takes the bits remove from the style at index (GWL_STYLE or GWL_EXSTYLE)
// and adds the bits add; false when that changes nothing. The system keeps
// some styles cached until SetWindowPos tells it of a frame change, so
// swpFlags (SWP_FRAMECHANGED and the like), when given, go to SetWindowPos.
bool ModifyWindowStyle(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, index));
    const DWORD updated = (style & ~remove) | add;
    if (style == updated)
        return false;
    ::SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(updated));
    if (swpFlags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}
} // namespace

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageEntry entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

CWnd::~CWnd() {
    if (m_hWnd) {
        // The window outlives its object only by mistake; make sure no
        // message reaches the destroyed object.
        if (m_bComctlSubclass || m_pfnOldWndProc)
            UnsubclassWindow();
        else
            UnbindHandle();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return BoundObject(hwnd);
}

void CWnd::BindHandle(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kObjectProperty, this);
}

void CWnd::UnbindHandle() {
    if (m_hWnd && BoundObject(m_hWnd) == this)
        ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = BoundObject(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        wnd->OnFinalMessage();
    return result;
}

LRESULT CALLBACK FrameworkSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR refData) {
    CWnd* wnd = reinterpret_cast<CWnd*>(refData);
    if (!wnd || wnd->m_hWnd != hwnd)
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        wnd->OnFinalMessage();
    return result;
}

void CWnd::OnFinalMessage() {
    if (m_bComctlSubclass)
        ::RemoveWindowSubclass(m_hWnd, FrameworkSubclassProc, 0);
    m_bComctlSubclass = false;
    m_pfnOldWndProc = nullptr;
    UnbindHandle();
    PostNcDestroy();
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || BoundObject(hwnd))
        return false;
    BindHandle(hwnd);
    if (!::SetWindowSubclass(hwnd, FrameworkSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
        UnbindHandle();
        return false;
    }
    m_bComctlSubclass = true;
    PreSubclassWindow();
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item ? SubclassWindow(item) : false;
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (m_bComctlSubclass)
        ::RemoveWindowSubclass(hwnd, FrameworkSubclassProc, 0);
    else if (m_pfnOldWndProc)
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOldWndProc));
    m_bComctlSubclass = false;
    m_pfnOldWndProc = nullptr;
    UnbindHandle();
    return hwnd;
}

LRESULT CALLBACK FrameworkCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_creating) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        CWnd* wnd = t_creating;
        t_creating = nullptr; // only the first window created is this object's
        wnd->BindHandle(hwnd);
        wnd->m_pfnOldWndProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWndProc)));
    }
    return ::CallNextHookEx(t_cbtHook.get(), code, wParam, lParam);
}

void CWnd::HookWindowCreate() {
    if (!t_cbtHook)
        t_cbtHook.reset(::SetWindowsHookExW(WH_CBT, FrameworkCbtHook, nullptr, ::GetCurrentThreadId()));
    t_creating = this;
}

void CWnd::UnhookWindowCreate() {
    t_creating = nullptr;
    t_cbtHook.reset();
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, HWND parent, UINT id, void* param) {
    if (m_hWnd)
        return false;
    HookWindowCreate();
    HWND hwnd =
        ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                          ::GetModuleHandleW(nullptr), param);
    UnhookWindowCreate();
    if (!hwnd) {
        if (m_hWnd)
            UnbindHandle();
        return false;
    }
    return true;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnOldWndProc)
        return ::CallWindowProcW(m_pfnOldWndProc, m_hWnd, message, wParam, lParam);
    if (m_bComctlSubclass)
        return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        CWnd* child = FromHandlePermanent(control);
        LRESULT ignored = 0;
        if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored))
            return true;
    }
    unsigned code = HIWORD(wParam);
    // Menu items and accelerators are both plain commands.
    if (!control && code == kAcceleratorCommand)
        code = kMenuCommand;
    const MessageEntry* entry = FindMessageEntry(GetMessageMap(), WM_COMMAND, code, LOWORD(wParam));
    if (!entry)
        return false;
    bool handled = true;
    entry->thunk(this, wParam, lParam, handled);
    return handled;
}

bool CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return false;
    if (CWnd* child = FromHandlePermanent(header->hwndFrom)) {
        if (child != this && child->OnChildNotify(WM_NOTIFY, wParam, lParam, result))
            return true;
    }
    const MessageEntry* entry =
        FindMessageEntry(GetMessageMap(), WM_NOTIFY, static_cast<unsigned>(header->code),
                         static_cast<unsigned>(header->idFrom));
    if (!entry)
        return false;
    bool handled = true;
    *result = entry->thunk(this, wParam, lParam, handled);
    return handled;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

bool CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    unsigned code = 0;
    if (message == WM_COMMAND)
        code = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        code = static_cast<unsigned>(reinterpret_cast<NMHDR*>(lParam)->code);
    const MessageEntry* entry = FindMessageEntry(GetMessageMap(), kReflectBase + message, code, 0);
    if (!entry)
        return false;
    bool handled = true;
    LRESULT value = entry->thunk(this, wParam, lParam, handled);
    if (result)
        *result = value;
    return handled;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) {
            CWnd* child = FromHandlePermanent(item->hwndItem);
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, result)) {
                *result = TRUE;
                return true;
            }
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) {
            CWnd* child = FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID)));
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, result)) {
                *result = TRUE;
                return true;
            }
        }
        break;
    }
    default:
        if (IsCtlColor(message)) {
            CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
            LRESULT brush = 0;
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, &brush) && brush) {
                *result = brush;
                return true;
            }
        }
        break;
    }
    const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry)
        return false;
    bool handled = true;
    LRESULT value = entry->thunk(this, wParam, lParam, handled);
    if (handled)
        *result = value;
    return handled;
}

bool CWnd::PreTranslateMessage(MSG*) {
    return false;
}

void CWnd::ClientToScreen(RECT* rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

CString CWnd::TextOf(HWND hwnd) {
    if (!hwnd)
        return CString();
    int length = ::GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
    int got = ::GetWindowTextW(hwnd, buffer.data(), length + 1);
    return CString(buffer.data(), got > 0 ? got : 0);
}

CString CWnd::GetWindowText() const {
    return TextOf(m_hWnd);
}

CString CWnd::GetDlgItemText(int id) const {
    return TextOf(::GetDlgItem(m_hWnd, id));
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) const {
    return ModifyWindowStyle(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) const {
    return ModifyWindowStyle(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}
