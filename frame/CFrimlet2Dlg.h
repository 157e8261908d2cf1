// The capture frame: a borderless topmost popup whose shape is a coloured
// border with a hole and a tab. Every user action starts here.
#pragma once

#include "app/HotkeySystem.h"
#include "controls/CStaticEx.h"
#include "frame/CFitOverlay.h"
#include "frame/CFrameControllerDlg.h"
#include "frame/CFrameGeometry.h"
#include "frame/CFrameRecording.h"
#include "frame/CFrameToolTips.h"
#include "frame/CShutterGlyph.h"
#include "frame/CommandRetry.h"
#include "frame/CTaskbarThumbButtons.h"
#include "frame/DisplayQueries.h"
#include "frame/LastCapture.h"
#include "frame/ElevationCalls.h"
#include "frame/ShutterCalls.h"
#include "frame/ShutterCountdown.h"
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/ComPtr.h"
#include "options/COptionsDlg.h"
#include "sizelist/CFrameSizeSelectDlg.h"

#include <wincodec.h>

class Profile;
struct Settings;

class CFrimlet2Dlg : public CDialog {
public:
    // settings: the options the frame works with, stored through profile;
    // hotkeySystem: the calls behind the capture hotkey and its message boxes;
    // queries answers the frame's questions about monitors and windows;
    // shutterCalls are the shutter's system calls (composition flush, grab,
    // flash); elevation tells whether the process runs elevated. The
    // system's by default.
    CFrimlet2Dlg(Settings& settings, const Profile& profile, CWnd* parent = nullptr,
                 const HotkeySystem& hotkeySystem = HotkeySystem(),
                 const DisplayQueries& queries = DisplayQueries::System(),
                 const ShutterCalls& shutterCalls = ShutterCalls::OfSystem(),
                 const LastCaptureCalls& shellCalls = LastCaptureCalls(),
                 const ElevationCalls& elevation = ElevationCalls());
    ~CFrimlet2Dlg() override;

    void ApplyScale(double dpiScale);
    void LayoutFrame();
    void SavePlacement();
    void ShutDown();
    void OnShutter();
    // Opens the output folder (as F2) once the frame is up: the jump-list
    // task started the program.
    void OpenOutputFolderOnStart() { m_bOpenFolderOnStart = true; }
    // Asks the other windows of the program to close; 1 when none (apart
    // from except) is open, otherwise 0 after posting them WM_CLOSE.
    int CloseOwnWindows(HWND except);

    bool IsLocked() const { return m_bLocked; }
    bool IsRecording() const { return m_recording.Busy(); }
    bool IsFitMode() const { return m_bFitMode; }
    // The window that takes the fitting click while fit mode is on, else null.
    HWND FitOverlay() const { return m_fitOverlay.IsOpen() ? m_fitOverlay.m_hWnd : nullptr; }
    const CFrameGeometry& Geometry() const { return m_geometry; }
    CFrameControllerDlg& Controller() { return m_controllerDlg; }
    const CTaskbarThumbButtons& Taskbar() const { return m_taskbar; }
    const CFrameToolTips& ToolTips() const { return m_toolTips; }
    const frame::Countdown& Countdown() const { return m_countdown.State(); }
    const LastCapture& Last() const { return m_lastCapture; }
    // The name the next capture gets with the settings' type: the fixed name
    // (numbered after the folder's files) with its extension; empty for
    // time-stamped names.
    CString NextFileName() const;
    const CShutterGlyph& ShutterGlyph() const { return m_shutterGlyph; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    // Message handlers.
    BOOL OnNcCreate(CREATESTRUCTW& create);
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    HICON OnQueryDragIcon();
    void OnGetMinMaxInfo(MINMAXINFO& info);
    BOOL OnSizing(UINT edge, RECT& proposed);
    void OnSize(UINT type, int cx, int cy);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    BOOL OnGetDpiScaledSize(UINT dpi, SIZE& size);
    int OnNcHitTest(POINT screen);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnSysCommand(UINT id, POINT screen);
    void OnTimer(UINT_PTR id);
    void OnHotKey(int id);
    void OnShowMenu(bool withoutMove, POINT screen);
    void OnTaskbarWindowMenu(POINT screen);
    void OnGetFrameInfo(int* minimumSize, RECT* hole);
    LRESULT OnTaskbarButtonCreated(WPARAM, LPARAM);
    void OnHotkeyUnavailable();
    void OnCaptureKey();
    BOOL OnQueryEndSession(UINT flags);
    void OnEndSession(BOOL ending, UINT flags);

    void OnShutterButton();
    void OnMinimizeIcon();
    void OnCloseIcon();
    void OnOpenOutputFolder();
    void OnOpenLastCapture();
    void OnSizeLabelTip(NMHDR* header, LRESULT* result);
    void OnOptions();
    void OnLock();
    void OnShowController();
    void OnSelectSize();
    void OnImageType(UINT id);
    void OnFitToWindow();
    void OnGripRightButton();
    // Recording (CFrameRecording): the menu command, the timer, the file done.
    void OnRecord();
    void OnRecordingTimer();
    void OnRecordingDone();
    void StartRecording(RECT hole, const SettingsRules::LocalTime& now);
    void StopRecording();
    // Stops a recording and waits for its file (the frame is closing).
    void FinishRecording();
    void UpdateRecordingLabel();
    // The tab shows a result (a size or an error code) for a while, with the
    // explanation of a failure in the size label's tooltip; the taskbar
    // button flashes.
    void ShowCaptureResult(int result, const CString& explanation = CString());

    void StartFitMode();
    // Ends fit mode; flags with MK_LBUTTON fit the frame to the window at
    // the screen point.
    void EndFitMode(UINT flags, POINT screen);
    // The scale of the monitor the frame stands on (DPI / 96).
    double MonitorScale() const;
    void ShowIcon(bool closeIcon);
    void PostCommand(UINT id);
    void PlaceToolTips();
    // One capture with the keys given; the status label shows its result.
    void Shoot(const ShutterRules::HeldTypeKeys& keys);
    // A command that found other windows open tries again later, or not.
    void RetryCommand(UINT id);

    CStatic m_closeIcon;
    CStatic m_minimizeIcon;
    CStatic m_settingsIcon;
    CButton m_shutterButton;
    CShutterGlyph m_shutterGlyph;
    CStaticEx m_gripIcon;
    CFrameToolTips m_toolTips;
    HICON m_hIcon = nullptr;
    unique_accel m_hAccel;
    CTaskbarThumbButtons m_taskbar;
    double m_dDpiScale = 0;
    DisplayQueries m_queries;
    CFrameGeometry m_geometry;
    bool m_bLocked = false;
    bool m_bFitMode = false;
    com_ptr<IWICImagingFactory> m_pImagingFactory;
    DWORD m_dwUiThreadId = 0;
    frame::CommandRetry m_retry;
    Settings& m_settings;
    const Profile& m_profile;
    ShutterCalls m_shutterCalls;
    HotkeySystem m_hotkeySystem;
    PrintScreenHook m_keyHook; // takes PrintScreen while it is the capture hotkey
    ShutterCountdown m_countdown{m_geometry};
    LastCapture m_lastCapture;
    CString m_strSizeLabelTip;      // the size label's tooltip while it shows
    CString m_strStatusExplanation; // why the capture whose code shows failed
    bool m_bOpenFolderOnStart = false;
    ElevationCalls m_elevation;
    bool m_bRetryHotkey = false;  // PrintScreen refused at start-up, tried again once in front
    bool m_bShuttingDown = false; // the program is ending: answers to open questions do not count

    // The windows the frame opens; each has a window only while it is open.
    COptionsDlg m_optionsDlg{m_settings, m_profile, this, m_hotkeySystem, &m_keyHook};
    CFrameControllerDlg m_controllerDlg{this};
    CFrameSizeSelectDlg m_sizeDlg{m_settings, m_profile, this};
    CFitOverlay m_fitOverlay;
    CFrameRecording m_recording;

    DECLARE_MESSAGE_MAP()
};
