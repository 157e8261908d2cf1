#include "frame/CFrimlet2Dlg.h"

#include "app/Profile.h"
#include "app/Settings.h"
#include "capture/EncodeImageFile.h"
#include "frame/FrameMessages.h"
#include "frame/FramePlacement.h"
#include "frame/FrameWindowClass.h"
#include "frame/QuestionBoxes.h"
#include "framework/SystemLibrary.h"
#include "geometry/ScreenLayoutQuery.h"
#include "geometry/WinRect.h"
#include "res/resource.h"

#include <dwmapi.h>

const UINT WM_TASKBAR_BUTTON_CREATED = ::RegisterWindowMessageW(L"TaskbarButtonCreated");

BEGIN_MESSAGE_MAP(CFrimlet2Dlg, CDialog)
ON_WM_NCCREATE(OnNcCreate)
ON_WM_PAINT(OnPaint)
ON_WM_ERASEBKGND(OnEraseBkgnd)
ON_WM_QUERYDRAGICON(OnQueryDragIcon)
ON_WM_GETMINMAXINFO(OnGetMinMaxInfo)
ON_WM_SIZING(OnSizing)
ON_WM_SIZE(OnSize)
ON_WM_DPICHANGED(OnDpiChanged)
ON_WM_GETDPISCALEDSIZE(OnGetDpiScaledSize)
ON_WM_NCHITTEST(OnNcHitTest)
ON_WM_ACTIVATE(OnActivate)
ON_WM_SYSCOMMAND(OnSysCommand)
ON_WM_TIMER(OnTimer)
ON_WM_HOTKEY(OnHotKey)
ON_APP_SHOWMENU(OnShowMenu)
ON_TASKBAR_WINDOW_MENU(OnTaskbarWindowMenu)
ON_APP_GETFRAMEINFO(OnGetFrameInfo)
ON_APP_HOTKEYUNAVAILABLE(OnHotkeyUnavailable)
ON_APP_CAPTUREKEY(OnCaptureKey)
ON_WM_QUERYENDSESSION(OnQueryEndSession)
ON_WM_ENDSESSION(OnEndSession)
ON_REGISTERED_MESSAGE(WM_TASKBAR_BUTTON_CREATED, OnTaskbarButtonCreated)
ON_BN_CLICKED(IDC_SHUTTER, OnShutterButton)
ON_STN_CLICKED(IDC_MINIMIZE_ICON, OnMinimizeIcon)
ON_STN_CLICKED(IDC_CLOSE_ICON, OnCloseIcon)
ON_STN_CLICKED(IDC_SETTINGS_ICON, OnOptions)
ON_CONTROL(STN_RBUTTONDOWN, IDC_GRIP_ICON, OnGripRightButton)
ON_COMMAND(IDM_OPEN_OUTPUT_FOLDER, OnOpenOutputFolder)
ON_COMMAND(IDM_OPEN_LAST_CAPTURE, OnOpenLastCapture)
ON_NOTIFY(TTN_GETDISPINFOW, IDC_SIZE_LABEL, OnSizeLabelTip)
ON_COMMAND(IDM_OPTIONS, OnOptions)
ON_COMMAND(IDM_HELP, OnOptions)
ON_COMMAND(IDM_LOCK, OnLock)
ON_COMMAND(IDM_SHOW_CONTROLLER, OnShowController)
ON_COMMAND(IDM_SELECT_SIZE, OnSelectSize)
ON_COMMAND_RANGE(IDM_TYPE_JPEG, IDM_TYPE_PNG, OnImageType)
ON_COMMAND(IDM_FIT_TO_WINDOW, OnFitToWindow)
ON_COMMAND(IDM_RECORD, OnRecord)
ON_APP_RECORDINGDONE(OnRecordingDone)
// The thumbnail toolbar's buttons run the same commands as the menu.
ON_THBN_CLICKED(IDM_OPEN_OUTPUT_FOLDER, OnOpenOutputFolder)
ON_THBN_CLICKED(IDM_OPTIONS, OnOptions)
ON_THBN_CLICKED(IDM_LOCK, OnLock)
ON_THBN_CLICKED(IDM_SHOW_CONTROLLER, OnShowController)
END_MESSAGE_MAP()

CFrimlet2Dlg::CFrimlet2Dlg(Settings& settings, const Profile& profile, CWnd* parent,
                           const HotkeySystem& hotkeySystem, const DisplayQueries& queries,
                           const ShutterCalls& shutterCalls, const LastCaptureCalls& shellCalls,
                           const ElevationCalls& elevation)
    : CDialog(IDD_FRIMLET2_DIALOG, parent), m_settings(settings), m_profile(profile),
      m_geometry(queries.metricForDpi), m_scale(queries, m_geometry, settings), m_shutterCalls(shutterCalls),
      m_hotkey(settings, profile, hotkeySystem), m_lastCapture(shellCalls), m_elevation(elevation),
      m_fitMode(queries, m_geometry) {
    RegisterFrameWindowClass(); // named in the dialog template
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FRIMLET2));
}

CFrimlet2Dlg::~CFrimlet2Dlg() = default;

CString CFrimlet2Dlg::LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

void CFrimlet2Dlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CLOSE_ICON, m_closeIcon);
    DDX_Control(dx, IDC_MINIMIZE_ICON, m_minimizeIcon);
    DDX_Control(dx, IDC_SETTINGS_ICON, m_settingsIcon);
    DDX_Control(dx, IDC_SHUTTER, m_shutterButton);
    DDX_Control(dx, IDC_GRIP_ICON, m_gripIcon);
}

bool CFrimlet2Dlg::PreTranslateMessage(MSG* msg) {
    // A right click anywhere on the frame ends a countdown, and only that.
    if ((msg->message == WM_RBUTTONDOWN || msg->message == WM_NCRBUTTONDOWN) &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && m_countdown.Cancel(m_hWnd))
        return true;
    m_toolTips.Relay(*msg);
    if (m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel.get(), msg))
        return true;
    // F1 is the standard help command, which opens the options.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        PostCommand(IDM_HELP);
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

// The taskbar's window menu is the frame's menu, without Move.
void CFrimlet2Dlg::OnTaskbarWindowMenu(POINT screen) {
    PostShowMenu(m_hWnd, true, screen);
}

BOOL CFrimlet2Dlg::OnNcCreate(CREATESTRUCTW&) {
    const LRESULT result = Default();
    CFrameScale::DisableDialogScaling(m_hWnd);
    return result != 0;
}

BOOL CFrimlet2Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Let the shell reach the frame when the frame runs with more rights
    // than the shell; only this window, not the whole process, opens up.
    m_elevation.AllowFromLowerIntegrity(m_hWnd, {WM_TASKBAR_BUTTON_CREATED, WM_COMMAND});
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_pImagingFactory = CreateImagingFactory();
    if (!m_pImagingFactory) {
        ::MessageBoxW(m_hWnd, LoadText(IDS_WIC_INIT_FAILED), LoadText(IDS_APP_TITLE), MB_ICONSTOP | MB_OK);
        EndDialog(IDCANCEL);
        return TRUE;
    }

    SetWindowText(LoadText(IDS_APP_TITLE));
    m_scale.Take(m_scale.MonitorScale(m_hWnd));

    using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    if (const auto setAttribute =
            SystemFunction<DwmSetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute")) {
        DWORD policy = DWMNCRP_DISABLED;
        setAttribute(m_hWnd, DWMWA_NCRENDERING_POLICY, &policy, sizeof(policy));
    }
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 0, kOpaque, LWA_ALPHA);

    geometry::Placement placement(geometry::QueryScreenLayout());
    const auto startRect = [&](int& x, int& y, int& cx, int& cy) {
        return frame::StartupWindowRect(placement, x, y, cx, cy, m_geometry.Metrics(),
                                        m_geometry.ReadSystemMetrics());
    };
    // The window was created on the primary monitor; the stored place may be
    // on one of another scale. The frame takes that monitor's scale before it
    // is placed, so its corner comes back exactly where it was stored.
    {
        int x = m_settings.x, y = m_settings.y, cx = m_settings.cx, cy = m_settings.cy;
        m_scale.TakeMonitorOf(geometry::ToRECT(startRect(x, y, cx, cy)));
    }
    ApplyBitmaps();
    geometry::Rect window = startRect(m_settings.x, m_settings.y, m_settings.cx, m_settings.cy);
    m_geometry.ComputeLayout(window.Width(), window.Height());
    SetWindowPos(HWND_TOPMOST, window.left, window.top, window.Width(), window.Height(), SWP_NOACTIVATE);
    LayoutFrame();
    // Should the system put the placed window on another scale after all,
    // the frame follows it; hidden, it gets no WM_SIZE to lay it out.
    if (const double placed = m_scale.MonitorScale(m_hWnd); placed != m_scale.Scale()) {
        ApplyScale(placed);
        RECT placedRect;
        GetWindowRect(&placedRect);
        m_geometry.ComputeLayout(placedRect.right - placedRect.left, placedRect.bottom - placedRect.top);
        LayoutFrame();
    }

    m_hotkey.Take(m_hWnd);

    m_toolTips.Create(m_hWnd,
                      {m_shutterButton.m_hWnd, m_closeIcon.m_hWnd, m_minimizeIcon.m_hWnd,
                       m_settingsIcon.m_hWnd, m_gripIcon.m_hWnd},
                      m_settings.hotkey);
    PlaceToolTips();
    m_hAccel = LoadAcceleratorTable(IDR_FRAME_ACCEL);
    if (m_bOpenFolderOnStart)
        PostCommand(IDM_OPEN_OUTPUT_FOLDER);
    return TRUE;
}

void CFrimlet2Dlg::OnOK() {
    // Enter never closes the frame.
}

void CFrimlet2Dlg::OnCancel() {
    // Esc during a countdown ends it, and the frame stays.
    if (m_countdown.Cancel(m_hWnd))
        return;
    if (m_fitMode.IsOn()) {
        m_fitMode.End(*this, 0, POINT{0, 0});
        return;
    }
    if (m_recording.Recording())
        StopRecording();
    SavePlacement();
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

void CFrimlet2Dlg::OnActivate(UINT state, HWND other, BOOL) {
    Default();
    if (state != WA_INACTIVE) {
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetTimer(kCornerIconTimer, kCornerIconMillis);
        m_hotkey.RetryInFront(m_hWnd);
    } else {
        // Activating one of the frame's own windows keeps the close icon.
        if (!other || ::GetParent(other) != m_hWnd)
            ShowIcon(false);
    }
}

void CFrimlet2Dlg::OnSysCommand(UINT id, POINT) {
    switch (id & 0xFFF0) {
    case SC_CLOSE:
        ShutDown();
        return;
    case SC_MOVE:
    case SC_SIZE:
        if (m_recording.Busy())
            return; // a recording keeps its place
        Default();
        return;
    case SC_MINIMIZE:
        if (m_recording.Recording())
            StopRecording(); // as Esc does
        Default();
        return;
    case SC_KEYMENU: {
        RECT window;
        GetWindowRect(&window);
        PostShowMenu(m_hWnd, false, POINT{window.left, window.top});
        return;
    }
    default:
        Default();
        return;
    }
}

void CFrimlet2Dlg::OnTimer(UINT_PTR id) {
    if (id == CFrameRecording::kTickTimer) {
        OnRecordingTimer();
        return;
    }
    KillTimer(id);
    if (m_status.OnTimer(id))
        return;
    if (id == kCornerIconTimer) {
        if (::GetActiveWindow() == m_hWnd)
            ShowIcon(true);
    } else if (id == OwnWindows::kRetryTimer) {
        m_ownWindows.OnRetryTimer();
    } else if (id == ShutterCountdown::kTimerId) {
        if (const auto keys = m_countdown.OnTimer(m_hWnd); keys && !IsIconic())
            Shoot(*keys);
    }
}

void CFrimlet2Dlg::OnHotKey(int id) {
    if (id == m_settings.hotkey)
        OnShutter();
}

// A PrintScreen press the hook took: the same shot as the registered hotkey.
void CFrimlet2Dlg::OnCaptureKey() {
    if (HotkeySystem::IsPrintScreen(m_settings.hotkey))
        OnHotKey(m_settings.hotkey);
}

void CFrimlet2Dlg::SavePlacement() {
    RECT window;
    GetWindowRect(&window);
    RECT hole = m_geometry.InnerRect();
    m_settings.x = window.left;
    m_settings.y = window.top;
    m_settings.cx = hole.right - hole.left;
    m_settings.cy = hole.bottom - hole.top;
    m_settings.SavePlacement(m_profile);
}

void CFrimlet2Dlg::ShutDown() {
    m_bShuttingDown = true;
    FinishRecording();
    if (m_fitMode.IsOn())
        m_fitMode.End(*this, 0, POINT{});
    m_ownWindows.CloseAll(nullptr);
    DismissMessageBoxes(m_hWnd); // their answers are ignored from here on
    if (!IsIconic())
        SavePlacement();
    m_hotkey.Release(m_hWnd); // PrintScreen is the system's again
    EndDialog(IDCANCEL);
}

void CFrimlet2Dlg::OnGetFrameInfo(int* minimumSize, RECT* hole) {
    if (minimumSize) {
        minimumSize[0] = m_geometry.Metrics().MinInnerWidth();
        minimumSize[1] = m_geometry.Metrics().MinInnerHeight();
    }
    if (hole)
        *hole = m_geometry.InnerRect();
}

void CFrimlet2Dlg::OnHotkeyUnavailable() {
    m_hotkey.OnUnavailable(m_hWnd, m_bShuttingDown);
}

// Sign-out, shutdown or a restart after an update end the process without
// WM_CLOSE. The question is answered at once, with only the placement
// stored; the rest waits for the session really to end.
BOOL CFrimlet2Dlg::OnQueryEndSession(UINT) {
    if (!IsIconic())
        SavePlacement();
    return TRUE;
}

void CFrimlet2Dlg::OnEndSession(BOOL ending, UINT flags) {
    if (!ending)
        return;
    // An installer or an update asks the program to close so that its file
    // can be replaced: it ends as the close icon ends it, and the restart
    // registration starts it again afterwards.
    if (flags & ENDSESSION_CLOSEAPP) {
        ShutDown();
        return;
    }
    FinishRecording();
    if (m_fitMode.IsOn())
        m_fitMode.End(*this, 0, POINT{}); // gives the user's cursors back
    if (!IsIconic())
        SavePlacement();
}

LRESULT CFrimlet2Dlg::OnTaskbarButtonCreated(WPARAM, LPARAM) {
    if (m_taskbar.AddButtons(m_hWnd))
        SetJumpListFolderTask();
    return 0;
}

void CFrimlet2Dlg::OnMinimizeIcon() {
    SavePlacement();
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

void CFrimlet2Dlg::OnCloseIcon() {
    ShutDown();
}

void CFrimlet2Dlg::PostCommand(UINT id) {
    PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
