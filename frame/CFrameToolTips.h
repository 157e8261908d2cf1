// The tooltips of the frame's tab: one tooltip control, made with the frame,
// with a tool for the shutter button, the close, minimise and settings icons,
// the grip icon and the painted size label. The controls are also named by
// their tooltips for screen readers.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <commctrl.h>

class CFrameToolTips {
public:
    CFrameToolTips() = default;
    CFrameToolTips(const CFrameToolTips&) = delete;
    CFrameToolTips& operator=(const CFrameToolTips&) = delete;
    ~CFrameToolTips();

    // The tab's windows, which take the mouse themselves (the tooltip
    // follows them by window); the size label is painted, a rectangle of the
    // frame.
    struct Controls {
        HWND shutter = nullptr;
        HWND closeIcon = nullptr;
        HWND minimizeIcon = nullptr;
        HWND settingsIcon = nullptr;
        HWND grip = nullptr;
    };

    // Creates the control, owned by frame, and registers the six tools with
    // their texts; the shutter's names the capture hotkey, the size label's
    // is asked of frame with TTN_GETDISPINFOW each time it shows. False when the
    // control cannot be made (the frame then simply has no tooltips).
    bool Create(HWND frame, const Controls& controls, int hotkey);
    // The shutter's text for a new capture hotkey.
    void SetHotkey(int hotkey);
    // Where the size label is, in frame client coordinates.
    void MoveSizeLabel(const RECT& sizeLabel);
    // Hands a mouse message that went to the frame window itself to the
    // control, which sees the other controls' messages on its own.
    void Relay(const MSG& msg);
    // Hides a shown tooltip at once (before the screen is grabbed).
    void Pop();

    HWND Handle() const { return m_hToolTip; }

private:
    TTTOOLINFOW ToolInfo(UINT_PTR id, UINT flags) const;
    void AddTool(UINT_PTR id, UINT flags, const CString& text);

    HWND m_hToolTip = nullptr;
    HWND m_hFrame = nullptr;
    HWND m_hShutter = nullptr;
};

// "撮影 (PrintScreen)": the shutter's tooltip for a hotkey value (the
// hot-key control's encoding); "撮影" alone for a value that names no key.
CString ShutterToolText(int hotkey);
// The hotkey as the hot-key control writes it, such as "Ctrl + Shift + F5";
// "PrintScreen" for the PrintScreen key. Empty for a value without a key.
CString HotkeyName(int hotkey);
