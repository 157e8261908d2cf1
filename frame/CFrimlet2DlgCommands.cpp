// The frame's commands: the shutter and what its result shows, the popup
// menu and the commands of the menu, the tab and the taskbar.
#include "frame/CFrimlet2Dlg.h"

#include "app/Profile.h"
#include "app/Settings.h"
#include "capture/ShutterCapture.h"
#include "frame/FrameMessages.h"
#include "frame/OutputFolderCheck.h"
#include "framework/CMenu.h"
#include "res/resource.h"

#include <optional>

// The shutter: one capture of what shows through the hole, after a
// countdown when D is held; pressed during the countdown it shoots at once.
void CFrimlet2Dlg::OnShutter() {
    if (IsIconic())
        return;
    // The shutter during a recording stops it.
    if (m_recording.Busy()) {
        StopRecording();
        return;
    }
    const ShutterRules::HeldTypeKeys keys = ReadHeldTypeKeys();
    if (const auto started = m_countdown.ShootNow(m_hWnd))
        Shoot(*started);
    else if (!keys.d || !m_countdown.Start(m_hWnd, m_settings.delaySeconds, keys))
        Shoot(keys);
}

void CFrimlet2Dlg::Shoot(const ShutterRules::HeldTypeKeys& keys) {
    m_toolTips.Pop(); // never in the picture
    const SettingsRules::LocalTime now = ReadLocalTime();
    RECT hole = m_geometry.InnerRect();
    ClientToScreen(&hole);
    if (keys.r) {
        StartRecording(hole, now);
        return;
    }
    // A window hidden over the hole stays in the composed picture until the
    // desktop presents again; only then is the screen read.
    ShutterCalls calls = m_shutterCalls;
    if (!OwnWindows::HideForShutter(m_controllerDlg, hole))
        calls.flushComposition = nullptr;
    const std::optional<CaptureResult> result =
        TakeCapture(m_settings, m_pImagingFactory.get(), hole, VirtualScreenRect(), keys, now, calls, m_hWnd);
    if (!result)
        return;
    if (result->Written())
        m_lastCapture.Remember(result->path.c_str());
    // The known folders are looked up only for a failure to explain.
    const bool failed = !result->Written() || result->failed != CaptureResult::Step::None;
    ShowCaptureResult(result->code,
                      failed ? ExplainCaptureResult(*result, ProtectedUserFolders()) : CString());
}

void CFrimlet2Dlg::ShowCaptureResult(int result, const CString& explanation) {
    m_status.Show(result, explanation);
}

CString CFrimlet2Dlg::NextFileName() const {
    if (!m_settings.useFixdName)
        return CString();
    return m_settings.OutputFileName(m_settings.type, ReadLocalTime(),
                                     m_settings.NumbersCaptures() && m_shutterCalls.listFolder
                                         ? m_shutterCalls.listFolder(m_settings.outputPath)
                                         : std::vector<std::u16string>{});
}

// The size label's tooltip is asked for each time it shows, so the next
// name is that of the folder as it is now. While a failed capture's code
// shows, it says what went wrong instead of what the label is.
void CFrimlet2Dlg::OnSizeLabelTip(NMHDR* header, LRESULT* result) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->lpszText = const_cast<wchar_t*>(m_status.SizeLabelTip(NextFileName()));
    *result = 0;
}

void CFrimlet2Dlg::OnShutterButton() {
    OnShutter();
}

void CFrimlet2Dlg::OnShowMenu(bool withoutMove, POINT screen) {
    CMenu menu;
    if (!menu.LoadMenu(IDR_FRAME_MENU))
        return;
    const MenuRef popup = menu.GetSubMenu(0);
    popup.CheckMenuItem(IDM_TYPE_JPEG + ToInt(m_settings.type), MF_BYCOMMAND | MF_CHECKED);
    if (m_bLocked)
        popup.ModifyMenu(IDM_LOCK, MF_BYCOMMAND | MF_STRING, IDM_LOCK, LoadText(IDS_UNLOCK_FRAME));
    popup.ModifyMenu(IDM_RECORD, MF_BYCOMMAND | MF_STRING, IDM_RECORD,
                     LoadText(m_recording.Busy() ? IDS_RECORD_STOP : IDS_RECORD_START));
    if (IsIconic()) {
        popup.EnableMenuItem(SC_MOVE, MF_BYCOMMAND | MF_GRAYED);
        popup.EnableMenuItem(SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
    } else {
        popup.EnableMenuItem(SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    }
    if (!m_lastCapture.Exists())
        popup.EnableMenuItem(IDM_OPEN_LAST_CAPTURE, MF_BYCOMMAND | MF_GRAYED);
    if (withoutMove)
        popup.RemoveMenu(SC_MOVE, MF_BYCOMMAND);
    // The menu is dismissed properly only when its owner is in front.
    ::SetForegroundWindow(m_hWnd);
    UINT id =
        static_cast<UINT>(popup.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, m_hWnd));
    if (id >= kFirstSystemCommand)
        PostMessage(WM_SYSCOMMAND, id, 0);
    else if (id != 0)
        PostCommand(id);
}

void CFrimlet2Dlg::OnGripRightButton() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    PostShowMenu(m_hWnd, true, cursor);
}

void CFrimlet2Dlg::OnOpenOutputFolder() {
    // A folder that cannot be had is said so, with its path, instead of the
    // shell quietly opening nothing.
    if (const FolderProblem problem = PrepareOutputFolder(m_settings.outputPath);
        problem != FolderProblem::None) {
        ::MessageBoxW(m_hWnd, FolderProblemText(problem, m_settings.outputPath), LoadText(IDS_APP_TITLE),
                      MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    m_lastCapture.OpenFolder(m_hWnd, m_settings.outputPath);
}

void CFrimlet2Dlg::OnOpenLastCapture() {
    m_lastCapture.OpenFile(m_hWnd);
}

void CFrimlet2Dlg::OnOptions() {
    if (m_recording.Busy())
        return; // no dialog while recording
    if (!m_ownWindows.MakeWay(IDM_OPTIONS, m_optionsDlg.m_hWnd))
        return;
    if (OwnWindows::IsOpen(m_optionsDlg))
        return;
    if (m_optionsDlg.DoModal() == IDOK) {
        // The dialog saved the settings and moved the hotkey; the frame takes
        // the new colour, width and tab size (the jump-list task asks the
        // frame for its folder, so it needs no change).
        m_toolTips.SetHotkey(m_settings.hotkey);
        ApplyScale(m_scale.Scale());
        Invalidate(false);
    }
}

void CFrimlet2Dlg::OnLock() {
    m_bLocked = !m_bLocked;
    ::SetLayeredWindowAttributes(m_hWnd, 0, m_bLocked ? kLockedAlpha : kOpaque, LWA_ALPHA);
    m_taskbar.UpdateLockButton(m_hWnd, m_bLocked);
}

void CFrimlet2Dlg::OnShowController() {
    if (m_recording.Busy())
        return; // no dialog while recording
    if (!m_ownWindows.MakeWay(IDM_SHOW_CONTROLLER, nullptr))
        return;
    if (OwnWindows::IsOpen(m_controllerDlg)) {
        m_controllerDlg.CenterOnFrame();
        return;
    }
    if (m_controllerDlg.Create(IDD_FRAME_CONTROLLER, this))
        m_controllerDlg.CenterOnFrame();
}

void CFrimlet2Dlg::OnSelectSize() {
    if (m_recording.Busy())
        return; // no dialog while recording
    if (!m_ownWindows.MakeWay(IDM_SELECT_SIZE, nullptr))
        return;
    m_sizeDlg.DoModal();
}

void CFrimlet2Dlg::OnImageType(UINT id) {
    const std::optional<ImageType> type = ImageTypeFromInt(static_cast<int>(id) - IDM_TYPE_JPEG);
    if (!type)
        return;
    m_settings.type = *type;
    m_profile.WriteInt(L"type", ToInt(m_settings.type));
}

void CFrimlet2Dlg::OnFitToWindow() {
    if (m_recording.Busy())
        return; // no dialog while recording
    if (!m_ownWindows.MakeWay(IDM_FIT_TO_WINDOW, m_controllerDlg.m_hWnd))
        return;
    m_fitMode.Start(*this);
}
