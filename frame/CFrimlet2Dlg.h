// The capture frame: a borderless topmost popup whose shape is a coloured
// border with a hole and a tab. Every user action starts here.
#pragma once

#include "app/HotkeySystem.h"
#include "capture/ShutterCapture.h"
#include "controls/CStaticEx.h"
#include "frame/CaptureStatus.h"
#include "frame/CFrameControllerDlg.h"
#include "frame/CFrameGeometry.h"
#include "frame/CFrameRecording.h"
#include "frame/CFrameScale.h"
#include "frame/CFrameToolTips.h"
#include "frame/CShutterGlyph.h"
#include "frame/CTaskbarThumbButtons.h"
#include "frame/DisplayQueries.h"
#include "frame/ElevationCalls.h"
#include "frame/FitMode.h"
#include "frame/FrameHotkey.h"
#include "frame/LastCapture.h"
#include "frame/OwnWindows.h"
#include "frame/ShutterCountdown.h"
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/ComPtr.h"
#include "framework/CStatic.h"
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

    // Opens the output folder (as F2) once the frame is up: the jump-list
    // task started the program.
    void OpenOutputFolderOnStart() { m_bOpenFolderOnStart = true; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    bool PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void ApplyScale(double dpiScale);
    void LayoutFrame();
    void SavePlacement();
    void ShutDown();
    void OnShutter();

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

    // The corner icons and the shutter's glyph drawn for the present scale.
    void ApplyBitmaps();
    static CString LoadText(UINT id);
    void ShowIcon(bool closeIcon);
    void PostCommand(UINT id);
    void PlaceToolTips();
    // One capture with the keys given; the status label shows its result.
    void Shoot(const ShutterRules::HeldTypeKeys& keys);
    // The name the next capture gets with the settings' type: the fixed name
    // (numbered after the folder's files) with its extension; empty for
    // time-stamped names.
    CString NextFileName() const;

    static constexpr UINT_PTR kStatusTimer = CaptureStatus::kTimer;
    static constexpr UINT_PTR kCornerIconTimer = 2;
    static constexpr UINT kCornerIconMillis = 600;
    static constexpr BYTE kLockedAlpha = 200;
    static constexpr BYTE kOpaque = 255;
    // Menu ids from here up are system commands (SC_SIZE is the lowest).
    static constexpr UINT kFirstSystemCommand = 0xF000;

    Settings& m_settings;
    const Profile& m_profile;
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
    CFrameGeometry m_geometry;
    CFrameScale m_scale;
    bool m_bLocked = false;
    com_ptr<IWICImagingFactory> m_pImagingFactory;
    ShutterCalls m_shutterCalls;
    FrameHotkey m_hotkey;
    ShutterCountdown m_countdown{m_geometry};
    LastCapture m_lastCapture;
    CaptureStatus m_status{*this, m_geometry, m_shutterCalls};
    bool m_bOpenFolderOnStart = false;
    ElevationCalls m_elevation;
    bool m_bShuttingDown = false; // the program is ending: answers to open questions do not count

    // The windows the frame opens; each has a window only while it is open.
    COptionsDlg m_optionsDlg{m_settings, m_profile, this, m_hotkey.System(), m_hotkey.Hook()};
    CFrameControllerDlg m_controllerDlg{this};
    CFrameSizeSelectDlg m_sizeDlg{m_settings, m_profile, this};
    OwnWindows m_ownWindows{*this, m_toolTips, m_optionsDlg, m_controllerDlg, m_sizeDlg};
    FitMode m_fitMode;
    CFrameRecording m_recording;

    // Tests look at the frame's state through it.
    friend struct CFrimlet2DlgProbe;

    DECLARE_MESSAGE_MAP()
};
