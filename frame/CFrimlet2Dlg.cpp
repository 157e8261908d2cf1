#include "frame/CFrimlet2Dlg.h"

#include "app/Profile.h"
#include "app/Settings.h"
#include "capture/EncodeImageFile.h"
#include "capture/ShutterCapture.h"
#include "frame/FrameMessages.h"
#include "frame/FramePlacement.h"
#include "frame/OutputFolderCheck.h"
#include "frame/FrameWindowClass.h"
#include "frame/QuestionBoxes.h"
#include "geometry/ScreenLayoutQuery.h"
#include "geometry/WinRect.h"
#include "framework/CMenu.h"
#include "framework/SystemLibrary.h"
#include "res/resource.h"

#include <dwmapi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>

const UINT WM_TASKBAR_BUTTON_CREATED = ::RegisterWindowMessageW(L"TaskbarButtonCreated");

namespace {
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusMillis = 12000;
constexpr UINT_PTR kCornerIconTimer = 2;
constexpr UINT kCornerIconMillis = 600;
constexpr UINT_PTR kRetryTimer = 3;
constexpr BYTE kLockedAlpha = 200;
// A flash with a count leaves the taskbar button lit on Windows; this timer
// puts it out once the flash has run.
constexpr UINT_PTR kFlashStopTimer = 5;
constexpr UINT kFlashStopMillis = 1000;

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// Turns off the dialog manager's own rescaling on systems that offer it.
void DisableDialogDpiScaling(HWND hwnd) {
    using SetBehavior = BOOL(WINAPI*)(HWND, int, int);
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    auto set = user32 ? reinterpret_cast<SetBehavior>(
                            reinterpret_cast<void*>(::GetProcAddress(user32, "SetDialogDpiChangeBehavior")))
                      : nullptr;
    constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
    if (set)
        set(hwnd, kDisableAll, kDisableAll);
}

struct CloseRequest {
    HWND frame;
    HWND tooltip; // part of the frame, not a window to close
};

BOOL CALLBACK PostCloseToVisible(HWND hwnd, LPARAM param) {
    auto* request = reinterpret_cast<CloseRequest*>(param);
    if (hwnd != request->frame && hwnd != request->tooltip && ::IsWindowVisible(hwnd))
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

bool IsOpen(const CWnd& wnd) {
    return wnd.m_hWnd && ::IsWindow(wnd.m_hWnd);
}

// Hides an open window of ours before a capture and lets it close
// afterwards; true when it was showing over area (screen coordinates).
bool HideForShutter(CWnd& wnd, const RECT& area) {
    if (!IsOpen(wnd))
        return false;
    RECT rect{}, overlap{};
    const bool covered = wnd.IsWindowVisible() && ::GetWindowRect(wnd.m_hWnd, &rect) &&
                         ::IntersectRect(&overlap, &rect, &area);
    wnd.ShowWindow(SW_HIDE);
    wnd.PostMessage(WM_CLOSE);
    return covered;
}
} // namespace

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
    : CDialog(IDD_FRIMLET2_DIALOG, parent), m_queries(queries), m_geometry(queries.metricForDpi),
      m_settings(settings), m_profile(profile), m_shutterCalls(shutterCalls), m_hotkeySystem(hotkeySystem),
      m_lastCapture(shellCalls), m_elevation(elevation) {
    RegisterFrameWindowClass(); // named in the dialog template
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FRIMLET2));
    m_dwUiThreadId = ::GetCurrentThreadId();
}

CFrimlet2Dlg::~CFrimlet2Dlg() = default;

void CFrimlet2Dlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CLOSE_ICON, m_closeIcon);
    DDX_Control(dx, IDC_MINIMIZE_ICON, m_minimizeIcon);
    DDX_Control(dx, IDC_SETTINGS_ICON, m_settingsIcon);
    DDX_Control(dx, IDC_SHUTTER, m_shutterButton);
    DDX_Control(dx, IDC_GRIP_ICON, m_gripIcon);
}

BOOL CFrimlet2Dlg::PreTranslateMessage(MSG* msg) {
    // A right click anywhere on the frame ends a countdown, and only that.
    if ((msg->message == WM_RBUTTONDOWN || msg->message == WM_NCRBUTTONDOWN) &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && m_countdown.Cancel(m_hWnd))
        return TRUE;
    m_toolTips.Relay(*msg);
    if (m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel.get(), msg))
        return TRUE;
    // F1 is the standard help command, which opens the options.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        PostCommand(IDM_HELP);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

// The taskbar's window menu is the frame's menu, without Move.
void CFrimlet2Dlg::OnTaskbarWindowMenu(POINT screen) {
    PostShowMenu(m_hWnd, true, screen);
}

BOOL CFrimlet2Dlg::OnNcCreate(CREATESTRUCTW&) {
    const LRESULT result = Default();
    DisableDialogDpiScaling(m_hWnd);
    return result ? TRUE : FALSE;
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
    m_dDpiScale = MonitorScale();
    m_geometry.SetScale(m_settings.color, m_settings.frameWidth, m_settings.tabScaling, m_dDpiScale);

    using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    if (const auto setAttribute =
            SystemFunction<DwmSetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute")) {
        DWORD policy = DWMNCRP_DISABLED;
        setAttribute(m_hWnd, DWMWA_NCRENDERING_POLICY, &policy, sizeof(policy));
    }
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);

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
        const UINT dpi = m_queries.monitorDpi(geometry::ToRECT(startRect(x, y, cx, cy)));
        if (dpi != 0 && dpi / 96.0 != m_dDpiScale) {
            m_dDpiScale = dpi / 96.0;
            m_geometry.SetScale(m_settings.color, m_settings.frameWidth, m_settings.tabScaling, m_dDpiScale);
        }
    }
    m_closeIcon.SetBitmap(m_geometry.GetCloseBitmap());
    m_settingsIcon.SetBitmap(m_geometry.GetSettingsBitmap());
    m_shutterGlyph.Apply(m_shutterButton.m_hWnd, m_geometry.Metrics().BitmapSlot());
    geometry::Rect window = startRect(m_settings.x, m_settings.y, m_settings.cx, m_settings.cy);
    m_geometry.ComputeLayout(window.Width(), window.Height());
    SetWindowPos(HWND_TOPMOST, window.left, window.top, window.Width(), window.Height(), SWP_NOACTIVATE);
    LayoutFrame();
    // Should the system put the placed window on another scale after all,
    // the frame follows it; hidden, it gets no WM_SIZE to lay it out.
    if (const double placed = MonitorScale(); placed != m_dDpiScale) {
        ApplyScale(placed);
        RECT placedRect;
        GetWindowRect(&placedRect);
        m_geometry.ComputeLayout(placedRect.right - placedRect.left, placedRect.bottom - placedRect.top);
        LayoutFrame();
    }

    if (!m_hotkeySystem.Take(m_hWnd, m_settings.hotkey, &m_keyHook)) {
        // Neither the hook nor the registration has PrintScreen. The system's
        // own use of it may give way to a program whose window is in front:
        // the frame tries once more when it first is.
        if (HotkeySystem::IsPrintScreen(m_settings.hotkey))
            m_bRetryHotkey = true;
        else
            m_hotkeySystem.Show(m_hWnd, IDS_HOTKEY_START_FAILED, LoadText(IDS_APP_TITLE),
                                MB_ICONINFORMATION | MB_OK);
    }

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
    if (m_bFitMode) {
        EndFitMode(0, POINT{0, 0});
        return;
    }
    if (m_recording.Recording())
        StopRecording();
    SavePlacement();
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

void CFrimlet2Dlg::OnPaint() {
    PaintDC dc(m_hWnd);
    if (IsIconic()) {
        RECT client;
        GetClientRect(&client);
        int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        ::DrawIcon(dc.get(), (client.right - client.left - cx + 1) / 2,
                   (client.bottom - client.top - cy + 1) / 2, m_hIcon);
        return;
    }
    m_geometry.Paint(dc.get());
}

BOOL CFrimlet2Dlg::OnEraseBkgnd(HDC) {
    return TRUE;
}

HICON CFrimlet2Dlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CFrimlet2Dlg::OnGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize.x = m_geometry.Metrics().MinWindowWidth();
    info.ptMinTrackSize.y = m_geometry.Metrics().MinWindowHeight();
}

BOOL CFrimlet2Dlg::OnSizing(UINT, RECT& proposed) {
    const LRESULT result = Default();
    if (m_geometry.ComputeLayout(proposed.right - proposed.left, proposed.bottom - proposed.top)) {
        LayoutFrame();
        Invalidate(FALSE);
    }
    return result ? TRUE : FALSE;
}

void CFrimlet2Dlg::OnSize(UINT type, int cx, int cy) {
    Default();
    if (type == SIZE_MINIMIZED)
        m_countdown.Cancel(m_hWnd);
    if (type == SIZE_RESTORED && IsWindowVisible()) {
        if (m_geometry.ComputeLayout(cx, cy)) {
            LayoutFrame();
            Invalidate(FALSE);
        }
    }
}

// The suggested rectangle is not taken: the frame keeps its hole where it
// is and grows or shrinks its border and tab around it (the size it answered
// to WM_GETDPISCALEDSIZE).
void CFrimlet2Dlg::OnDpiChanged(UINT dpi, const RECT&) {
    ApplyScale(dpi / 96.0);
}

// Before the frame moves onto a monitor of another scale the system asks for
// its size there. The answer is the size ApplyScale will give it (same hole,
// border and tab of the new scale); the system's own linear guess would
// differ, and the frame would bounce between the two sizes.
BOOL CFrimlet2Dlg::OnGetDpiScaledSize(UINT dpi, SIZE& size) {
    if (dpi == 0)
        return FALSE;
    frame::FrameMetrics scaled = m_geometry.Metrics();
    const frame::SystemMetrics scaledMetrics = m_geometry.ReadSystemMetrics(dpi);
    scaled.SetScale(m_settings.color, m_settings.frameWidth, m_settings.tabScaling, dpi / 96.0,
                    scaledMetrics);
    const geometry::Rect answer = frame::DpiScaledWindowSize(
        size.cx, size.cy, m_geometry.Metrics(), m_geometry.ReadSystemMetrics(), scaled, scaledMetrics);
    size.cx = answer.Width();
    size.cy = answer.Height();
    return TRUE;
}

double CFrimlet2Dlg::MonitorScale() const {
    if (const UINT dpi = m_queries.windowDpi(m_hWnd))
        return dpi / 96.0;
    // Without per-monitor DPI the screen's is the only one there is.
    WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY) / 96.0;
}

int CFrimlet2Dlg::OnNcHitTest(POINT screen) {
    if (m_bLocked || m_recording.Busy())
        return HTCLIENT;
    POINT pt = screen;
    ScreenToClient(&pt);
    return m_geometry.HitTest(pt);
}

void CFrimlet2Dlg::ShowIcon(bool closeIcon) {
    m_closeIcon.ShowWindow(closeIcon ? SW_SHOW : SW_HIDE);
    m_minimizeIcon.ShowWindow(closeIcon ? SW_HIDE : SW_SHOW);
}

void CFrimlet2Dlg::OnActivate(UINT state, HWND other, BOOL) {
    Default();
    if (state != WA_INACTIVE) {
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetTimer(kCornerIconTimer, kCornerIconMillis);
        if (m_bRetryHotkey) {
            m_bRetryHotkey = false;
            if (!m_hotkeySystem.Take(m_hWnd, m_settings.hotkey, &m_keyHook))
                PostMessage(WM_APP_HOTKEYUNAVAILABLE); // no message box inside activation
        }
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
    if (id == kStatusTimer) {
        m_geometry.ClearStatus();
        m_strStatusExplanation.Empty();
        Invalidate(TRUE);
    } else if (id == kCornerIconTimer) {
        if (::GetActiveWindow() == m_hWnd)
            ShowIcon(true);
    } else if (id == kRetryTimer) {
        for (unsigned command : m_retry.TakeWaiting())
            PostCommand(command);
    } else if (id == ShutterCountdown::kTimerId) {
        if (const auto keys = m_countdown.OnTimer(m_hWnd); keys && !IsIconic())
            Shoot(*keys);
    } else if (id == kFlashStopTimer) {
        FLASHWINFO stop{sizeof(stop), m_hWnd, FLASHW_STOP, 0, 0};
        m_shutterCalls.flashWindowEx(&stop);
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

void CFrimlet2Dlg::LayoutFrame() {
    m_geometry.BuildRegion();
    unique_region copy = m_geometry.CopyRegion();
    if (copy && ::SetWindowRgn(m_hWnd, copy.get(), FALSE))
        copy.release(); // the window owns it now
    frame::TabLayout layout = m_geometry.Metrics().ControlLayout();
    auto place = [](const CWnd& control, const geometry::Rect& r) {
        if (control.m_hWnd)
            control.SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(m_closeIcon, layout.closeIcon);
    place(m_minimizeIcon, layout.minimizeIcon);
    place(m_settingsIcon, layout.settingsIcon);
    place(m_shutterButton, layout.shutterButton);
    place(m_gripIcon, layout.gripIcon);
    PlaceToolTips();
}

void CFrimlet2Dlg::PlaceToolTips() {
    m_toolTips.MoveSizeLabel(geometry::ToRECT(m_geometry.Metrics().SizeLabelRect()));
}

void CFrimlet2Dlg::ApplyScale(double dpiScale) {
    m_dDpiScale = dpiScale;
    RECT window;
    GetWindowRect(&window);
    RECT hole = m_geometry.InnerRect();
    m_geometry.SetScale(m_settings.color, m_settings.frameWidth, m_settings.tabScaling, dpiScale);
    geometry::Rect scaled =
        frame::ScaledWindowRect(geometry::FromRECT(window), hole.right - hole.left, hole.bottom - hole.top,
                                m_geometry.Metrics(), m_geometry.ReadSystemMetrics());
    if (scaled == geometry::FromRECT(window))
        return;
    m_closeIcon.SetBitmap(m_geometry.GetCloseBitmap());
    m_settingsIcon.SetBitmap(m_geometry.GetSettingsBitmap());
    m_shutterGlyph.Apply(m_shutterButton.m_hWnd, m_geometry.Metrics().BitmapSlot());
    MoveWindow(scaled.left, scaled.top, scaled.Width(), scaled.Height(), FALSE);
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
    if (m_bFitMode)
        EndFitMode(0, POINT{});
    CloseOwnWindows(nullptr);
    DismissMessageBoxes(m_hWnd); // their answers are ignored from here on
    if (!IsIconic())
        SavePlacement();
    m_hotkeySystem.Release(m_hWnd, m_settings.hotkey, &m_keyHook); // PrintScreen is the system's again
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
    const CString title = LoadText(IDS_APP_TITLE);
    if (m_hotkeySystem.SystemTakesPrintScreen()) {
        // The user said No once: the frame goes on without a hotkey quietly.
        if (HotkeySystem::OfferDeclined(m_profile))
            return;
        const HotkeySystem::Offer offer = m_hotkeySystem.OfferToFreePrintScreen(m_hWnd, title);
        // Closed while it asked (an installer ending the program): the user
        // gave no answer, so none is kept.
        if (m_bShuttingDown)
            return;
        switch (offer) {
        case HotkeySystem::Offer::Declined:
            HotkeySystem::SetOfferDeclined(m_profile, true);
            return;
        case HotkeySystem::Offer::SwitchedOff:
            if (m_hotkeySystem.Register(m_hWnd, m_settings.hotkey))
                return;
            break;
        case HotkeySystem::Offer::NotSwitched:
            break;
        }
    }
    m_hotkeySystem.Show(m_hWnd, IDS_HOTKEY_START_FAILED, title, MB_ICONINFORMATION | MB_OK);
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
    if (m_bFitMode)
        EndFitMode(0, POINT{}); // gives the user's cursors back
    if (!IsIconic())
        SavePlacement();
}

LRESULT CFrimlet2Dlg::OnTaskbarButtonCreated(WPARAM, LPARAM) {
    if (m_taskbar.AddButtons(m_hWnd))
        SetJumpListFolderTask();
    return 0;
}

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
    ScreenGrabSteps steps;
    steps.grab = m_shutterCalls.grab;
    steps.listFolder = m_shutterCalls.listFolder;
    if (HideForShutter(m_controllerDlg, hole))
        steps.waitForPresent = m_shutterCalls.flushComposition;
    const std::optional<CaptureResult> result =
        TakeCapture(m_settings, m_pImagingFactory.get(), hole, VirtualScreenRect(), keys, now, steps, m_hWnd);
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
    m_geometry.SetStatus(result);
    m_strStatusExplanation = explanation;
    Invalidate(TRUE);
    KillTimer(kStatusTimer);
    SetTimer(kStatusTimer, kStatusMillis);
    FLASHWINFO flash{sizeof(flash), m_hWnd, FLASHW_TRAY, 1, 500};
    m_shutterCalls.flashWindowEx(&flash);
    KillTimer(kFlashStopTimer);
    SetTimer(kFlashStopTimer, kFlashStopMillis);
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
    m_strSizeLabelTip =
        m_strStatusExplanation.IsEmpty() ? LoadText(IDS_TIP_SIZE_LABEL) : m_strStatusExplanation;
    const CString next = NextFileName();
    if (!next.IsEmpty()) {
        CString line;
        line.Format(LoadText(IDS_NEXT_FILE_NAME), next.GetString());
        m_strSizeLabelTip += L"\r\n" + line;
    }
    info->lpszText = const_cast<wchar_t*>(m_strSizeLabelTip.GetString());
    *result = 0;
}

void CFrimlet2Dlg::OnShutterButton() {
    OnShutter();
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

void CFrimlet2Dlg::RetryCommand(UINT id) {
    switch (m_retry.Blocked(id, ::GetTickCount())) {
    case frame::CommandRetry::Step::Now:
        PostCommand(id);
        break;
    case frame::CommandRetry::Step::Later:
        SetTimer(kRetryTimer, frame::CommandRetry::kDelayMillis);
        break;
    case frame::CommandRetry::Step::GiveUp:
        break;
    }
}

int CFrimlet2Dlg::CloseOwnWindows(HWND except) {
    CloseRequest request{m_hWnd, m_toolTips.Handle()};
    if (IsOpen(m_optionsDlg) && m_optionsDlg.m_hWnd != except) {
        ::EnumThreadWindows(m_dwUiThreadId, PostCloseToVisible, reinterpret_cast<LPARAM>(&request));
        return 0;
    }
    if (IsOpen(m_controllerDlg) && m_controllerDlg.m_hWnd != except) {
        m_controllerDlg.PostMessage(WM_CLOSE);
        return 0;
    }
    if (IsOpen(m_sizeDlg) && m_sizeDlg.m_hWnd != except) {
        ::EnumThreadWindows(m_dwUiThreadId, PostCloseToVisible, reinterpret_cast<LPARAM>(&request));
        return 0;
    }
    return 1;
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
    if (id >= 0xF000)
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
    if (!CloseOwnWindows(m_optionsDlg.m_hWnd)) {
        RetryCommand(IDM_OPTIONS);
        return;
    }
    m_retry.Passed();
    if (IsOpen(m_optionsDlg))
        return;
    if (m_optionsDlg.DoModal() == IDOK) {
        // The dialog saved the settings and moved the hotkey; the frame takes
        // the new colour, width and tab size (the jump-list task asks the
        // frame for its folder, so it needs no change).
        m_toolTips.SetHotkey(m_settings.hotkey);
        ApplyScale(m_dDpiScale);
        Invalidate(FALSE);
    }
}

void CFrimlet2Dlg::OnLock() {
    m_bLocked = !m_bLocked;
    ::SetLayeredWindowAttributes(m_hWnd, 0, m_bLocked ? kLockedAlpha : 255, LWA_ALPHA);
    m_taskbar.UpdateLockButton(m_hWnd, m_bLocked);
}

void CFrimlet2Dlg::OnShowController() {
    if (m_recording.Busy())
        return; // no dialog while recording
    if (!CloseOwnWindows(nullptr)) {
        RetryCommand(IDM_SHOW_CONTROLLER);
        return;
    }
    m_retry.Passed();
    if (IsOpen(m_controllerDlg)) {
        m_controllerDlg.CenterOnFrame();
        return;
    }
    if (m_controllerDlg.Create(IDD_FRAME_CONTROLLER, this))
        m_controllerDlg.CenterOnFrame();
}

void CFrimlet2Dlg::OnSelectSize() {
    if (m_recording.Busy())
        return; // no dialog while recording
    if (!CloseOwnWindows(nullptr)) {
        RetryCommand(IDM_SELECT_SIZE);
        return;
    }
    m_retry.Passed();
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
    if (!CloseOwnWindows(m_controllerDlg.m_hWnd)) {
        RetryCommand(IDM_FIT_TO_WINDOW);
        return;
    }
    m_retry.Passed();
    StartFitMode();
}

void CFrimlet2Dlg::StartFitMode() {
    if (m_bFitMode)
        return;
    m_bFitMode = m_fitOverlay.Open(m_hWnd, [this](UINT button, POINT screen) { EndFitMode(button, screen); });
}

void CFrimlet2Dlg::EndFitMode(UINT flags, POINT screen) {
    m_bFitMode = false;
    m_fitOverlay.Close();
    if (!(flags & MK_LBUTTON))
        return;
    // The overlay is gone, so this is the window the user clicked.
    HWND target = m_queries.windowAt(screen);
    if (!target || target == m_hWnd || ::IsChild(m_hWnd, target))
        return;
    RECT r;
    if (!::GetWindowRect(target, &r))
        return;
    const bool topLevel = !(::GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD);
    std::optional<geometry::Rect> visible;
    RECT bounds;
    if (topLevel && m_queries.visibleBounds(target, bounds))
        visible = geometry::FromRECT(bounds);
    const geometry::Rect targetRect = frame::FitTargetRect(geometry::FromRECT(r), topLevel, visible);
    std::optional<geometry::Rect> fitted = frame::FitWindowRect(
        targetRect, ::GetSystemMetrics(SM_CXSCREEN), m_geometry.Metrics(), m_geometry.ReadSystemMetrics());
    if (!fitted)
        return;
    SetWindowPos(HWND_TOPMOST, fitted->left, fitted->top, fitted->Width(), fitted->Height(), 0);
}

void CFrimlet2Dlg::OnRecord() {
    if (m_recording.Busy()) {
        StopRecording();
        return;
    }
    if (IsIconic())
        return;
    RECT hole = m_geometry.InnerRect();
    ClientToScreen(&hole);
    StartRecording(hole, ReadLocalTime());
}

void CFrimlet2Dlg::StartRecording(RECT hole, const SettingsRules::LocalTime& now) {
    m_toolTips.Pop();
    HideForShutter(m_controllerDlg, hole);
    const RECT screen = VirtualScreenRect();
    RECT area{};
    if (!::IntersectRect(&area, &hole, &screen))
        return;
    const int started = m_recording.Start(m_hWnd, m_settings, area, now);
    if (started != 0) {
        ShowCaptureResult(started, m_recording.Explanation());
        return;
    }
    KillTimer(kStatusTimer);
    m_geometry.SetStatus(0);
    UpdateRecordingLabel();
}

void CFrimlet2Dlg::StopRecording() {
    m_recording.Stop(m_hWnd);
    UpdateRecordingLabel();
}

void CFrimlet2Dlg::FinishRecording() {
    if (!m_recording.Busy())
        return;
    m_recording.Stop(m_hWnd);
    m_recording.Collect();
    m_geometry.SetRecording(false);
}

void CFrimlet2Dlg::OnRecordingTimer() {
    m_recording.OnTimer(m_hWnd);
    UpdateRecordingLabel();
}

void CFrimlet2Dlg::UpdateRecordingLabel() {
    const std::u16string label = m_recording.Label();
    if (m_geometry.Metrics().Recording() && m_geometry.Metrics().SizeLabel() == label)
        return;
    m_geometry.SetRecording(m_recording.Busy(), label);
    Invalidate(FALSE);
}

void CFrimlet2Dlg::OnRecordingDone() {
    if (!m_recording.Writing())
        return;
    const int result = m_recording.Collect();
    m_geometry.SetRecording(false);
    ShowCaptureResult(result, m_recording.Explanation());
}
