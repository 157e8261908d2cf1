// Private messages of the capture frame window, with the rows that hand them
// to typed handlers.
#pragma once

#include "app/PrintScreenHook.h"
#include "framework/CWnd.h"
#include "sizelist/FrameInfoMessage.h"

#include <windows.h>

// Show the popup menu at a screen point (lParam: x low word, y high word);
// a nonzero wParam leaves out the Move item. Posted by the frame to itself.
constexpr UINT WM_APP_SHOWMENU = WM_USER + 100;
// Posted by the frame to itself when the capture hotkey could not be had
// even with the frame in front: offers to free PrintScreen, or says so.
constexpr UINT WM_APP_HOTKEYUNAVAILABLE = WM_USER + 109;
// Posted by a recording's encoder thread when the file is complete.
constexpr UINT WM_APP_RECORDINGDONE = WM_USER + 122;
// The taskbar's request for the window menu of the frame's button, with the
// screen point to show it at (x low word, y high word).
constexpr UINT WM_TASKBAR_WINDOW_MENU = 0x0313;
// The message the shell sends when it has created the frame's taskbar button
// (registered at start-up).
extern const UINT WM_TASKBAR_BUTTON_CREATED;

// Asks the frame to show its menu at a screen point.
inline void PostShowMenu(HWND frame, bool withoutMove, POINT screen) {
    ::PostMessageW(frame, WM_APP_SHOWMENU, withoutMove ? 1 : 0, MAKELPARAM(screen.x, screen.y));
}

namespace frame_crack {

// WM_APP_SHOWMENU: void member(bool withoutMove, POINT screen).
struct ShowMenu {
    template <class T> using Handler = void (T::*)(bool, POINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (fw_crack::Self<T>(w).*M)(wp != 0, fw_crack::PointOf(lp));
        return 0;
    }
};

// WM_APP_GETFRAMEINFO: void member(int* minimumSize, RECT* hole); either
// pointer may be null.
struct GetFrameInfo {
    template <class T> using Handler = void (T::*)(int*, RECT*);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t wp, std::intptr_t lp, bool&) {
        (fw_crack::Self<T>(w).*M)(reinterpret_cast<int*>(wp), reinterpret_cast<RECT*>(lp));
        return 0;
    }
};

// WM_TASKBAR_WINDOW_MENU: void member(POINT screen).
struct TaskbarWindowMenu {
    template <class T> using Handler = void (T::*)(POINT);
    template <class T, Handler<T> M>
    static std::intptr_t Call(CWnd* w, std::uintptr_t, std::intptr_t lp, bool&) {
        (fw_crack::Self<T>(w).*M)(fw_crack::PointOf(lp));
        return 0;
    }
};

} // namespace frame_crack

#define ON_APP_SHOWMENU(member) FW_CRACKED_ROW(WM_APP_SHOWMENU, frame_crack::ShowMenu, member)
#define ON_APP_GETFRAMEINFO(member) FW_CRACKED_ROW(WM_APP_GETFRAMEINFO, frame_crack::GetFrameInfo, member)
#define ON_APP_HOTKEYUNAVAILABLE(member) FW_CRACKED_ROW(WM_APP_HOTKEYUNAVAILABLE, fw_crack::NoArgs, member)
// Posted by the keyboard hook for each PrintScreen press it took.
#define ON_APP_CAPTUREKEY(member) FW_CRACKED_ROW(WM_APP_CAPTUREKEY, fw_crack::NoArgs, member)
#define ON_APP_RECORDINGDONE(member) FW_CRACKED_ROW(WM_APP_RECORDINGDONE, fw_crack::NoArgs, member)
#define ON_TASKBAR_WINDOW_MENU(member)                                                                       \
    FW_CRACKED_ROW(WM_TASKBAR_WINDOW_MENU, frame_crack::TaskbarWindowMenu, member)
