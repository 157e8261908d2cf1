#include "frame/CFrameToolTips.h"

#include "framework/AccessibleName.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// The name GetKeyNameText gives a key, from its scan code; extended keys
// (the arrows, Insert, ...) carry bit 24 so they are not named as keypad keys.
CString KeyName(UINT vk, bool extended) {
    if (vk == VK_SNAPSHOT)
        return CString(L"PrintScreen"); // as the options dialog names it
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    if (scan == 0)
        return CString();
    const LONG lParam = static_cast<LONG>((scan & 0xFF) << 16) | (extended ? (1L << 24) : 0);
    wchar_t name[64] = {};
    if (::GetKeyNameTextW(lParam, name, 64) <= 0)
        return CString();
    return CString(name);
}

// The client-area message a tooltip understands for a mouse message of the
// frame, or 0 for one it has no use for. Over the border and the tab the
// frame gets the non-client forms (its hit test answers HTCAPTION and the
// corner codes).
UINT ClientMouseMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        return WM_MOUSEMOVE;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        return WM_LBUTTONDOWN;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        return WM_LBUTTONUP;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return WM_RBUTTONDOWN;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        return WM_RBUTTONUP;
    case WM_MBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return WM_MBUTTONDOWN;
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP:
        return WM_MBUTTONUP;
    default:
        return 0;
    }
}

} // namespace

CString HotkeyName(int hotkey) {
    const UINT vk = static_cast<UINT>(hotkey) & 0xFF;
    const UINT flags = (static_cast<UINT>(hotkey) >> 8) & 0xFF;
    const CString key = KeyName(vk, (flags & HOTKEYF_EXT) != 0);
    if (vk == 0 || key.IsEmpty())
        return CString();
    CString name;
    const struct {
        UINT flag;
        UINT vk;
    } modifiers[] = {{HOTKEYF_CONTROL, VK_CONTROL}, {HOTKEYF_SHIFT, VK_SHIFT}, {HOTKEYF_ALT, VK_MENU}};
    for (const auto& modifier : modifiers) {
        if (!(flags & modifier.flag))
            continue;
        const CString part = KeyName(modifier.vk, false);
        if (!part.IsEmpty())
            name += part + L" + ";
    }
    return name + key;
}

CString ShutterToolText(int hotkey) {
    CString text = LoadText(IDS_TIP_SHUTTER);
    const CString name = HotkeyName(hotkey);
    if (!name.IsEmpty())
        text += L" (" + name + L")";
    return text;
}

CFrameToolTips::~CFrameToolTips() {
    // Normally gone with the frame, which owns it.
    if (m_hToolTip && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
}

TTTOOLINFOW CFrameToolTips::ToolInfo(UINT_PTR id, UINT flags) const {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = flags;
    info.hwnd = m_hFrame;
    info.uId = id;
    return info;
}

void CFrameToolTips::AddTool(UINT_PTR id, UINT flags, const CString& text) {
    TTTOOLINFOW info = ToolInfo(id, flags);
    info.lpszText = const_cast<wchar_t*>(text.GetString());
    ::SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

bool CFrameToolTips::Create(HWND frame, const Controls& controls, int hotkey) {
    m_hFrame = frame;
    m_hShutter = controls.shutter;
    // Screen readers name the controls by their tooltips, with or without
    // the tooltip control.
    SetAccessibleName(controls.shutter, ShutterToolText(hotkey));
    SetAccessibleName(controls.closeIcon, LoadText(IDS_TIP_CLOSE));
    SetAccessibleName(controls.minimizeIcon, LoadText(IDS_TIP_MINIMIZE));
    SetAccessibleName(controls.settingsIcon, LoadText(IDS_TIP_OPTIONS));
    SetAccessibleName(controls.grip, LoadText(IDS_TIP_GRIP));
    // No fading or sliding, so a hidden tooltip is gone at once.
    m_hToolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOANIMATE | TTS_NOFADE,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hToolTip)
        return false;
    ::SetWindowPos(m_hToolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const UINT byWindow = TTF_IDISHWND | TTF_SUBCLASS;
    AddTool(reinterpret_cast<UINT_PTR>(controls.shutter), byWindow, ShutterToolText(hotkey));
    AddTool(reinterpret_cast<UINT_PTR>(controls.closeIcon), byWindow, LoadText(IDS_TIP_CLOSE));
    AddTool(reinterpret_cast<UINT_PTR>(controls.minimizeIcon), byWindow, LoadText(IDS_TIP_MINIMIZE));
    AddTool(reinterpret_cast<UINT_PTR>(controls.settingsIcon), byWindow, LoadText(IDS_TIP_OPTIONS));
    // The size label's text is asked of the frame (TTN_GETDISPINFO) each
    // time it shows: it names the file the next capture writes.
    TTTOOLINFOW sizeLabel = ToolInfo(IDC_SIZE_LABEL, 0);
    sizeLabel.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&sizeLabel));
    // Two lines need a width to break at.
    ::SendMessageW(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 600);
    // The grip takes every mouse message itself (its clicks are the frame's
    // to interpret), so its tool is the window too: a rectangle of the frame
    // under it would never be hit.
    AddTool(reinterpret_cast<UINT_PTR>(controls.grip), byWindow, LoadText(IDS_TIP_GRIP));
    return true;
}

void CFrameToolTips::SetHotkey(int hotkey) {
    const CString text = ShutterToolText(hotkey);
    if (m_hShutter)
        SetAccessibleName(m_hShutter, text);
    if (!m_hToolTip)
        return;
    TTTOOLINFOW info = ToolInfo(reinterpret_cast<UINT_PTR>(m_hShutter), TTF_IDISHWND | TTF_SUBCLASS);
    info.lpszText = const_cast<wchar_t*>(text.GetString());
    ::SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CFrameToolTips::MoveSizeLabel(const RECT& sizeLabel) {
    if (!m_hToolTip)
        return;
    TTTOOLINFOW info = ToolInfo(IDC_SIZE_LABEL, 0);
    info.rect = sizeLabel;
    ::SendMessageW(m_hToolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CFrameToolTips::Relay(const MSG& msg) {
    if (!m_hToolTip || msg.hwnd != m_hFrame)
        return;
    const UINT message = ClientMouseMessage(msg.message);
    if (message == 0)
        return;
    // The tools are rectangles of the frame's client area: the point where
    // the message happened, in those coordinates.
    POINT pt = msg.pt;
    ::ScreenToClient(m_hFrame, &pt);
    MSG relayed = msg;
    relayed.message = message;
    relayed.wParam = message == msg.message ? msg.wParam : 0;
    relayed.lParam = MAKELPARAM(pt.x, pt.y);
    ::SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CFrameToolTips::Pop() {
    if (m_hToolTip)
        ::SendMessageW(m_hToolTip, TTM_POP, 0, 0);
}
