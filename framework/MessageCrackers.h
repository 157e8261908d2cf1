// Rows for window messages. Each message has a cracker: a struct whose
// Handler<T> names the one member signature the row accepts and whose
// Call<T, M> decodes WPARAM and LPARAM into what the message means, calls
// the member and encodes its answer as the message's result. A member of any
// other signature does not convert to the template argument, so a wrong
// handler fails to compile. Messages that carry a pointer are declined (left
// to the window's default processing) when the pointer is null, and so are
// reflected WM_CTLCOLOR* messages whose handler gives no brush.
//
// Included at the end of CWnd.h; use the ON_WM_* rows between
// BEGIN_MESSAGE_MAP and END_MESSAGE_MAP.
#pragma once

#include <windows.h>

#include <cstdint>

class CWnd;

namespace fw_crack {

template <class T> T& Self(CWnd* w) {
    return *static_cast<T*>(w);
}

// A point packed into LPARAM as two signed 16-bit halves: screen points left
// of or above the primary monitor, and client points outside the client
// area, are negative.
inline POINT PointOf(std::intptr_t lp) {
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

// Hands the structure lParam points to on to use and returns what use
// returns; a null pointer declines the message.
template <class P, class Use> std::intptr_t WithPointee(std::intptr_t lp, bool& handled, Use use) {
    auto* pointee = reinterpret_cast<P*>(lp);
    if (!pointee) {
        handled = false;
        return 0;
    }
    return static_cast<std::intptr_t>(use(*pointee));
}

// void member(); the result is 0.
struct NoArgs {
    template <class T> using Handler = void (T::*)();
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t, bool&) {
        (Self<T>(w).*M)();
        return 0;
    }
};

// LRESULT member(WPARAM, LPARAM): registered messages, whose meaning the
// framework cannot know.
struct Raw {
    template <class T> using Handler = LRESULT (T::*)(WPARAM, LPARAM);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        return (Self<T>(w).*M)(static_cast<WPARAM>(wp), static_cast<LPARAM>(lp));
    }
};

// WM_NCCREATE: BOOL member(CREATESTRUCTW&); FALSE stops the creation.
struct NcCreate {
    template <class T> using Handler = BOOL (T::*)(CREATESTRUCTW&);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool& handled) {
        return WithPointee<CREATESTRUCTW>(lp, handled,
                                          [&w](CREATESTRUCTW& create) { return (Self<T>(w).*M)(create); });
    }
};

// WM_ERASEBKGND: BOOL member(HDC); nonzero when the background is erased.
struct EraseBkgnd {
    template <class T> using Handler = BOOL (T::*)(HDC);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t, bool&) {
        return (Self<T>(w).*M)(reinterpret_cast<HDC>(wp));
    }
};

// WM_QUERYDRAGICON: HICON member(), the icon shown while the minimised window
// is dragged.
struct QueryDragIcon {
    template <class T> using Handler = HICON (T::*)();
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t, bool&) {
        return reinterpret_cast<std::intptr_t>((Self<T>(w).*M)());
    }
};

// WM_GETMINMAXINFO: void member(MINMAXINFO&).
struct GetMinMaxInfo {
    template <class T> using Handler = void (T::*)(MINMAXINFO&);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool& handled) {
        return WithPointee<MINMAXINFO>(lp, handled, [&w](MINMAXINFO& info) {
            (Self<T>(w).*M)(info);
            return 0;
        });
    }
};

// WM_SIZING: BOOL member(UINT edge, RECT& dragRect), the edge a WMSZ_ value
// and the rectangle in screen coordinates; TRUE when the member processed it.
struct Sizing {
    template <class T> using Handler = BOOL (T::*)(UINT, RECT&);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool& handled) {
        return WithPointee<RECT>(
            lp, handled, [&w, wp](RECT& rect) { return (Self<T>(w).*M)(static_cast<UINT>(wp), rect); });
    }
};

// WM_SIZE: void member(UINT type, int cx, int cy), the new client size;
// WM_DISPLAYCHANGE: void member(UINT bitsPerPixel, int cx, int cy), the
// primary monitor's new resolution. The size comes as two unsigned 16-bit
// halves.
struct Size {
    template <class T> using Handler = void (T::*)(UINT, int, int);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    }
};

// WM_DPICHANGED: void member(UINT dpi, const RECT& suggested). The X and Y
// values of the new DPI are the same; the Y value (high word) is passed. The
// rectangle is the system's suggestion for the window at the new DPI.
struct DpiChanged {
    template <class T> using Handler = void (T::*)(UINT, const RECT&);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool& handled) {
        return WithPointee<const RECT>(lp, handled, [&w, wp](const RECT& suggested) {
            (Self<T>(w).*M)(HIWORD(wp), suggested);
            return 0;
        });
    }
};

// WM_GETDPISCALEDSIZE: BOOL member(UINT dpi, SIZE& size). size holds the
// window's size now; TRUE when the member wrote the size it will take at dpi.
struct GetDpiScaledSize {
    template <class T> using Handler = BOOL (T::*)(UINT, SIZE&);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool& handled) {
        return WithPointee<SIZE>(
            lp, handled, [&w, wp](SIZE& size) { return (Self<T>(w).*M)(static_cast<UINT>(wp), size); });
    }
};

// WM_NCHITTEST: int member(POINT screen) returning the hit-test code, which
// may be negative (HTTRANSPARENT, HTERROR).
struct NcHitTest {
    template <class T> using Handler = int (T::*)(POINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool&) {
        return (Self<T>(w).*M)(PointOf(lp));
    }
};

// WM_ACTIVATE: void member(UINT state, HWND other, BOOL minimized); state is
// WA_ACTIVE, WA_CLICKACTIVE or WA_INACTIVE, other the window losing or
// gaining the activation (may be null).
struct Activate {
    template <class T> using Handler = void (T::*)(UINT, HWND, BOOL);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp) != 0);
        return 0;
    }
};

// WM_SYSCOMMAND: void member(UINT id, POINT screen); the low four bits of id
// are the system's own, and the point is meaningful only for a command
// chosen with the mouse.
struct SysCommand {
    template <class T> using Handler = void (T::*)(UINT, POINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(static_cast<UINT>(wp), PointOf(lp));
        return 0;
    }
};

// WM_TIMER: void member(UINT_PTR id).
struct Timer {
    template <class T> using Handler = void (T::*)(UINT_PTR);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t, bool&) {
        (Self<T>(w).*M)(static_cast<UINT_PTR>(wp));
        return 0;
    }
};

// WM_HOTKEY: void member(int id), the id the hotkey was registered with.
struct HotKey {
    template <class T> using Handler = void (T::*)(int);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t, bool&) {
        (Self<T>(w).*M)(static_cast<int>(wp));
        return 0;
    }
};

// WM_QUERYENDSESSION: BOOL member(UINT flags), flags the ENDSESSION_* bits;
// TRUE lets the session end.
struct QueryEndSession {
    template <class T> using Handler = BOOL (T::*)(UINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool&) {
        return (Self<T>(w).*M)(static_cast<UINT>(lp));
    }
};

// WM_ENDSESSION: void member(BOOL ending, UINT flags).
struct EndSession {
    template <class T> using Handler = void (T::*)(BOOL, UINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(wp != 0, static_cast<UINT>(lp));
        return 0;
    }
};

// WM_SETCURSOR: BOOL member(HWND under, UINT hitTest, UINT mouseMessage);
// TRUE stops further processing.
struct SetCursor {
    template <class T> using Handler = BOOL (T::*)(HWND, UINT, UINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        return (Self<T>(w).*M)(reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp));
    }
};

// WM_MOUSEACTIVATE: int member(HWND topLevel, UINT hitTest, UINT
// mouseMessage) returning an MA_* code.
struct MouseActivate {
    template <class T> using Handler = int (T::*)(HWND, UINT, UINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        return (Self<T>(w).*M)(reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp));
    }
};

// Mouse buttons: void member(UINT flags, POINT where). In the client area
// flags are the MK_* keys and buttons held and the point is in client
// coordinates; outside it (WM_NC*) flags are the hit-test code and the point
// is on the screen.
struct MouseButton {
    template <class T> using Handler = void (T::*)(UINT, POINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(static_cast<UINT>(wp), PointOf(lp));
        return 0;
    }
};

// WM_CAPTURECHANGED: void member(HWND gaining), the window taking the mouse.
struct CaptureChanged {
    template <class T> using Handler = void (T::*)(HWND);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(reinterpret_cast<HWND>(lp));
        return 0;
    }
};

// WM_KILLFOCUS: void member(HWND gaining), the window taking the focus (may
// be null).
struct KillFocus {
    template <class T> using Handler = void (T::*)(HWND);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t, bool&) {
        (Self<T>(w).*M)(reinterpret_cast<HWND>(wp));
        return 0;
    }
};

// Keys and characters: void member(UINT code, UINT repeat, UINT flags), the
// virtual key or character, the repeat count (low word of LPARAM) and the
// scan code, extended, context, previous-state and transition bits (high
// word).
struct Key {
    template <class T> using Handler = void (T::*)(UINT, UINT, UINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    }
};

// WM_HSCROLL: void member(UINT request, UINT position, HWND bar); bar is the
// scroll bar or trackbar control, null for the window's own scroll bar.
struct Scroll {
    template <class T> using Handler = void (T::*)(UINT, UINT, HWND);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (Self<T>(w).*M)(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    }
};

// WM_WINDOWPOSCHANGED: void member(const WINDOWPOS&).
struct WindowPosChanged {
    template <class T> using Handler = void (T::*)(const WINDOWPOS&);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool& handled) {
        return WithPointee<const WINDOWPOS>(lp, handled, [&w](const WINDOWPOS& pos) {
            (Self<T>(w).*M)(pos);
            return 0;
        });
    }
};

// WM_CTLCOLOR*: HBRUSH member(HDC, HWND control). A null brush declines, and
// the parent or the system colours the control.
struct CtlColor {
    template <class T> using Handler = HBRUSH (T::*)(HDC, HWND);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool& handled) {
        HBRUSH brush = (Self<T>(w).*M)(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        if (!brush)
            handled = false;
        return reinterpret_cast<std::intptr_t>(brush);
    }
};

} // namespace fw_crack

// A row whose thunk is the cracker's Call for this class and member.
#define FW_CRACKED_ROW(rowMessage, Cracker, member)                                                          \
    {rowMessage, 0, 0, 0, nullptr, &Cracker::Call<ThisClass, &ThisClass::member>},

#define ON_REGISTERED_MESSAGE(variable, member)                                                              \
    {kRegisteredMarker, 0, 0, 0, &variable, &fw_crack::Raw::Call<ThisClass, &ThisClass::member>},

#define ON_WM_NCCREATE(member) FW_CRACKED_ROW(WM_NCCREATE, fw_crack::NcCreate, member)
#define ON_WM_PAINT(member) FW_CRACKED_ROW(WM_PAINT, fw_crack::NoArgs, member)
#define ON_WM_CLOSE(member) FW_CRACKED_ROW(WM_CLOSE, fw_crack::NoArgs, member)
#define ON_WM_PASTE(member) FW_CRACKED_ROW(WM_PASTE, fw_crack::NoArgs, member)
#define ON_WM_THEMECHANGED(member) FW_CRACKED_ROW(WM_THEMECHANGED, fw_crack::NoArgs, member)
#define ON_WM_ERASEBKGND(member) FW_CRACKED_ROW(WM_ERASEBKGND, fw_crack::EraseBkgnd, member)
#define ON_WM_QUERYDRAGICON(member) FW_CRACKED_ROW(WM_QUERYDRAGICON, fw_crack::QueryDragIcon, member)
#define ON_WM_GETMINMAXINFO(member) FW_CRACKED_ROW(WM_GETMINMAXINFO, fw_crack::GetMinMaxInfo, member)
#define ON_WM_SIZING(member) FW_CRACKED_ROW(WM_SIZING, fw_crack::Sizing, member)
#define ON_WM_SIZE(member) FW_CRACKED_ROW(WM_SIZE, fw_crack::Size, member)
#define ON_WM_DPICHANGED(member) FW_CRACKED_ROW(WM_DPICHANGED, fw_crack::DpiChanged, member)
#define ON_WM_GETDPISCALEDSIZE(member) FW_CRACKED_ROW(WM_GETDPISCALEDSIZE, fw_crack::GetDpiScaledSize, member)
#define ON_WM_NCHITTEST(member) FW_CRACKED_ROW(WM_NCHITTEST, fw_crack::NcHitTest, member)
#define ON_WM_ACTIVATE(member) FW_CRACKED_ROW(WM_ACTIVATE, fw_crack::Activate, member)
#define ON_WM_SYSCOMMAND(member) FW_CRACKED_ROW(WM_SYSCOMMAND, fw_crack::SysCommand, member)
#define ON_WM_TIMER(member) FW_CRACKED_ROW(WM_TIMER, fw_crack::Timer, member)
#define ON_WM_HOTKEY(member) FW_CRACKED_ROW(WM_HOTKEY, fw_crack::HotKey, member)
#define ON_WM_QUERYENDSESSION(member) FW_CRACKED_ROW(WM_QUERYENDSESSION, fw_crack::QueryEndSession, member)
#define ON_WM_ENDSESSION(member) FW_CRACKED_ROW(WM_ENDSESSION, fw_crack::EndSession, member)
#define ON_WM_SETCURSOR(member) FW_CRACKED_ROW(WM_SETCURSOR, fw_crack::SetCursor, member)
#define ON_WM_MOUSEACTIVATE(member) FW_CRACKED_ROW(WM_MOUSEACTIVATE, fw_crack::MouseActivate, member)
#define ON_WM_LBUTTONDOWN(member) FW_CRACKED_ROW(WM_LBUTTONDOWN, fw_crack::MouseButton, member)
#define ON_WM_LBUTTONUP(member) FW_CRACKED_ROW(WM_LBUTTONUP, fw_crack::MouseButton, member)
#define ON_WM_LBUTTONDBLCLK(member) FW_CRACKED_ROW(WM_LBUTTONDBLCLK, fw_crack::MouseButton, member)
#define ON_WM_RBUTTONDOWN(member) FW_CRACKED_ROW(WM_RBUTTONDOWN, fw_crack::MouseButton, member)
#define ON_WM_RBUTTONUP(member) FW_CRACKED_ROW(WM_RBUTTONUP, fw_crack::MouseButton, member)
#define ON_WM_NCRBUTTONUP(member) FW_CRACKED_ROW(WM_NCRBUTTONUP, fw_crack::MouseButton, member)
#define ON_WM_CAPTURECHANGED(member) FW_CRACKED_ROW(WM_CAPTURECHANGED, fw_crack::CaptureChanged, member)
#define ON_WM_KILLFOCUS(member) FW_CRACKED_ROW(WM_KILLFOCUS, fw_crack::KillFocus, member)
#define ON_WM_KEYDOWN(member) FW_CRACKED_ROW(WM_KEYDOWN, fw_crack::Key, member)
#define ON_WM_CHAR(member) FW_CRACKED_ROW(WM_CHAR, fw_crack::Key, member)
#define ON_WM_DISPLAYCHANGE(member) FW_CRACKED_ROW(WM_DISPLAYCHANGE, fw_crack::Size, member)
#define ON_WM_HSCROLL(member) FW_CRACKED_ROW(WM_HSCROLL, fw_crack::Scroll, member)
#define ON_WM_WINDOWPOSCHANGED(member) FW_CRACKED_ROW(WM_WINDOWPOSCHANGED, fw_crack::WindowPosChanged, member)
// WM_CTLCOLOR* that the parent reflected back to the control itself.
#define ON_WM_CTLCOLOREDIT_REFLECT(member)                                                                   \
    FW_CRACKED_ROW(kReflectBase + WM_CTLCOLOREDIT, fw_crack::CtlColor, member)
#define ON_WM_CTLCOLORSTATIC_REFLECT(member)                                                                 \
    FW_CRACKED_ROW(kReflectBase + WM_CTLCOLORSTATIC, fw_crack::CtlColor, member)
