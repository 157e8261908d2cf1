// The capture frame: a borderless topmost popup whose shape is a coloured
// border with a hole and a tab. Every user action starts here.
#pragma once

#include "app/HotkeySystem.h"
#include "controls/CStaticEx.h"
#include "frame/CFitOverlay.h"
#include "frame/CFrameControllerDlg.h"
#include "frame/CFrameGeometry.h"
#include "frame/CFrameToolTips.h"
#include "frame/CommandRetry.h"
#include "frame/CTaskbarThumbButtons.h"
#include "frame/DisplayQueries.h"
#include "frame/ShutterCalls.h"
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/ComPtr.h"
#include "options/COptionsDlg.h"
#include "sizelist/CFrameSizeSelectDlg.h"

#include <wincodec.h>

struct Settings;

class CFrimlet2Dlg : public CDialog {
public:
    // hotkeySystem: the calls behind the capture hotkey and its message boxes;
    // queries answers the frame's questions about monitors and windows; the
    // system's by default.
    explicit CFrimlet2Dlg(Settings& settings, CWnd* parent = nullptr,
                          const HotkeySystem& hotkeySystem = HotkeySystem(),
                          const DisplayQueries& queries = DisplayQueries::System());
    ~CFrimlet2Dlg() override;

    void ApplyScale(double dpiScale);
    void LayoutFrame();
    void SavePlacement();
    void ShutDown();
    void OnShutter();
    // Asks the other windows of the program to close; 1 when none (apart
    // from except) is open, otherwise 0 after posting them WM_CLOSE.
    int CloseOwnWindows(HWND except);

    bool IsLocked() const { return m_bLocked; }
    bool IsFitMode() const { return m_bFitMode; }
    // The window that takes the fitting click while fit mode is on, else null.
    HWND FitOverlay() const { return m_fitOverlay.IsOpen() ? m_fitOverlay.m_hWnd : nullptr; }
    const CFrameGeometry& Geometry() const { return m_geometry; }
    CFrameControllerDlg& Controller() { return m_controllerDlg; }
    const CTaskbarThumbButtons& Taskbar() const { return m_taskbar; }
    const CFrameToolTips& ToolTips() const { return m_toolTips; }
    // Replaces the shutter's system calls (composition flush, grab, flash).
    void SetShutterCalls(const ShutterCalls& calls) { m_shutterCalls = calls; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Message handlers.
    LRESULT OnNcCreate(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT OnSizing(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM, LPARAM);
    LRESULT OnGetDpiScaledSize(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnHotKey(WPARAM, LPARAM);
    LRESULT OnShowMenu(WPARAM, LPARAM);
    LRESULT OnGetFrameInfo(WPARAM, LPARAM);
    LRESULT OnTaskbarButtonCreated(WPARAM, LPARAM);
    LRESULT OnHotkeyUnavailable(WPARAM, LPARAM);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM, LPARAM);

    void OnShutterButton();
    void OnMinimizeIcon();
    void OnCloseIcon();
    void OnOpenOutputFolder();
    void OnOptions();
    void OnLock();
    void OnShowController();
    void OnSelectSize();
    void OnImageType(UINT id);
    void OnFitToWindow();
    void OnGripRightButton();

    void StartFitMode();
    // Ends fit mode; flags with MK_LBUTTON fit the frame to the window at
    // the screen point.
    void EndFitMode(UINT flags, POINT screen);
    // The scale of the monitor the frame stands on (DPI / 96).
    double MonitorScale() const;
    void ShowIcon(bool closeIcon);
    void PostCommand(UINT id);
    void PlaceToolTips();
    // A command that found other windows open tries again later, or not.
    void RetryCommand(UINT id);

    CStatic m_closeIcon;
    CStatic m_minimizeIcon;
    CStatic m_settingsIcon;
    CButton m_shutterButton;
    CStaticEx m_gripIcon;
    CFrameToolTips m_toolTips;
    HICON m_hIcon = nullptr;
    HACCEL m_hAccel = nullptr;
    CTaskbarThumbButtons m_taskbar;
    double m_dpiScale = 0;
    DisplayQueries m_queries;
    CFrameGeometry m_geometry;
    bool m_bLocked = false;
    bool m_bFitMode = false;
    com_ptr<IWICImagingFactory> m_pImagingFactory;
    DWORD m_uiThreadId = 0;
    frame::CommandRetry m_retry;
    Settings& m_settings;
    ShutterCalls m_shutterCalls = ShutterCalls::OfSystem();
    HotkeySystem m_hotkeySystem;
    bool m_bRetryHotkey = false; // PrintScreen refused at start-up, tried again once in front

    // The windows the frame opens; each has a window only while it is open.
    COptionsDlg m_optionsDlg{m_settings, this, m_hotkeySystem};
    CFrameControllerDlg m_controllerDlg;
    CFrameSizeSelectDlg m_sizeDlg;
    CFitOverlay m_fitOverlay;

    DECLARE_MESSAGE_MAP()
};
