#include "options/COptionsDlg.h"

#include "app/OutputNameRules.h"
#include "app/Profile.h"
#include "app/Settings.h"
#include "framework/Handles.h"
#include "geometry/WinRect.h"
#include "options/OptionsRules.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const wchar_t* const kTypeCaptions[4] = {L"JPEG", L"Bitmap", L"GIF", L"PNG"};
const UINT kTypeBitmaps[4] = {IDB_TYPE_JPEG, IDB_TYPE_BMP, IDB_TYPE_GIF, IDB_TYPE_PNG};
const int kTypeCaptionSpacing[4] = {0, 0, 2, 2};

std::vector<std::u16string> ListItems(HWND combo) {
    std::vector<std::u16string> items;
    LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        if (length > 0)
            ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(text.data()));
        items.push_back(ToU16(text.data()));
    }
    return items;
}

int SelectedValue(HWND combo) {
    int selection = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return OptionsRules::ValueOfSelection(ListItems(combo), selection);
}

// Puts the browse dialog on the folder it was opened for.
int CALLBACK BrowseCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED)
        ::SendMessageW(hwnd, BFFM_SETSELECTIONW, true, data);
    return 0;
}

// The string that says what is wrong with a fixed name; 0 for nothing.
UINT NameProblemText(OutputNameRules::NameProblem problem) {
    using OutputNameRules::NameProblem;
    switch (problem) {
    case NameProblem::Ok:
        return 0;
    case NameProblem::Empty:
        return IDS_FIXED_NAME_EMPTY;
    case NameProblem::PathSeparator:
        return IDS_FIXED_NAME_PATH;
    case NameProblem::ForbiddenCharacter:
        return IDS_FIXED_NAME_CHARACTER;
    case NameProblem::TrailingDotOrSpace:
        return IDS_FIXED_NAME_TRAILING;
    case NameProblem::ReservedDevice:
        return IDS_FIXED_NAME_DEVICE;
    case NameProblem::TooLong:
        return IDS_FIXED_NAME_LONG;
    case NameProblem::TwoNumberRuns:
        return IDS_FIXED_NAME_RUNS;
    }
    return 0;
}

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
ON_NOTIFY(NM_CLICK, IDC_SUPPORT_LINK, OnLink)
ON_NOTIFY(NM_RETURN, IDC_SUPPORT_LINK, OnLink)
ON_WM_HSCROLL(OnHScroll)
ON_BN_CLICKED(IDC_HOTKEY_PRINTSCREEN, OnHotkeyPrintScreen)
ON_BN_CLICKED(IDC_HOTKEY_CUSTOM, OnHotkeyCustom)
ON_BN_CLICKED(IDC_OPEN_OUTPUT_FOLDER, OnOpenFolder)
ON_BN_CLICKED(IDC_BROWSE_OUTPUT_FOLDER, OnBrowseFolder)
ON_BN_CLICKED(IDC_RESTORE_DEFAULTS, OnRestoreDefaults)
ON_BN_CLICKED(IDC_USE_FIXED_NAME, ShowNextFileName)
ON_BN_CLICKED(IDC_TYPE_JPEG, ShowNextFileName)
ON_BN_CLICKED(IDC_TYPE_BMP, ShowNextFileName)
ON_BN_CLICKED(IDC_TYPE_GIF, ShowNextFileName)
ON_BN_CLICKED(IDC_TYPE_PNG, ShowNextFileName)
ON_EN_CHANGE(IDC_FIXED_NAME, ShowNextFileName)
ON_EN_CHANGE(IDC_OUTPUT_FOLDER, ShowNextFileName)
ON_WM_SIZE(OnSize)
END_MESSAGE_MAP()

COptionsDlg::COptionsDlg(Settings& settings, const Profile& profile, CWnd* frame,
                         const HotkeySystem& hotkeySystem, PrintScreenHook* keyHook)
    : CDialog(IDD_OPTIONS, frame), m_settings(settings), m_profile(profile), m_hotkeySystem(hotkeySystem),
      m_pKeyHook(keyHook), m_typeButtons{{kTypeBitmaps[0], 1, false},
                                         {kTypeBitmaps[1], 1, false},
                                         {kTypeBitmaps[2], 1, false},
                                         {kTypeBitmaps[3], 1, false}},
      m_frameColor(IDCUR_COLOR_SWATCH, Settings::kDefaultColor) {}

void COptionsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int i = 0; i < 4; ++i)
        DDX_Control(dx, IDC_TYPE_JPEG + i, m_typeButtons[i]);
    DDX_Radio(dx, IDC_TYPE_JPEG, m_nType);
    DDX_Control(dx, IDC_JPEG_QUALITY, m_qualitySlider);
    DDX_Control(dx, IDC_JPEG_QUALITY_SCALE, m_qualityScale);
    DDX_Text(dx, IDC_JPEG_QUALITY_VALUE, m_nQuality);
    DDX_Radio(dx, IDC_HOTKEY_PRINTSCREEN, m_nHotkeyChoice);
    DDX_Control(dx, IDC_HOTKEY, m_hotKeyCtrl);
    DDX_Control(dx, IDC_FRAME_COLOR, m_frameColor);
    DDX_Control(dx, IDC_FRAME_WIDTH, m_frameWidthList);
    DDX_Control(dx, IDC_TAB_SIZE, m_tabSizeList);
    DDX_Check(dx, IDC_COMBINE_CURSOR, m_bCombineCursor);
    DDX_Text(dx, IDC_OUTPUT_FOLDER, m_strOutputFolder);
    DDX_Check(dx, IDC_USE_FIXED_NAME, m_bFixedName);
    DDX_Text(dx, IDC_FIXED_NAME, m_strFixedName);
    DDX_Check(dx, IDC_COPY_TO_CLIPBOARD, m_bCopyToClipboard);
    DDX_Radio(dx, IDC_RECORD_GIF, m_nRecordFormat);
    DDX_Text(dx, IDC_RECORD_FPS, m_nRecordFps);
    DDX_Text(dx, IDC_RECORD_SECONDS, m_nRecordSeconds);
}

void COptionsDlg::PlaceQualityScale() {
    RECT trackbar{}, channel{}, thumb{};
    m_qualitySlider.GetWindowRect(&trackbar);
    ScreenToClient(&trackbar);
    m_qualitySlider.SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    m_qualitySlider.SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    geometry::Rect scale = OptionsRules::QualityScaleRect(
        geometry::FromRECT(trackbar), geometry::FromRECT(channel), geometry::FromRECT(thumb));
    m_qualityScale.SetWindowPos(nullptr, scale.left, scale.top, scale.Width(), scale.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
}

void COptionsDlg::BuildBoldFont() {
    LOGFONTW logFont{};
    HFONT dialogFont = GetFont();
    if (!dialogFont || ::GetObjectW(dialogFont, sizeof(logFont), &logFont) != sizeof(logFont))
        return;
    logFont.lfHeight -= 2;
    logFont.lfWeight = FW_BOLD;
    m_boldFont.CreateFontIndirect(&logFont);
    // The buttons select the font afresh each time they draw.
    for (CTransparentBitmapButton& button : m_typeButtons) {
        if (button.m_hWnd)
            button.Invalidate(false);
    }
}

BOOL COptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    PlaceQualityScale();
    BuildBoldFont();
    for (int i = 0; i < 4; ++i) {
        m_typeButtons[i].m_strCaption = kTypeCaptions[i];
        m_typeButtons[i].m_pCaptionFont = &m_boldFont;
        m_typeButtons[i].m_nCaptionCharExtra = kTypeCaptionSpacing[i];
    }

    m_nType = ToInt(m_settings.type);
    m_qualitySlider.SendMessage(TBM_SETRANGE, false,
                                MAKELPARAM(OptionsRules::kQualityMin, OptionsRules::kQualityMax));
    m_qualitySlider.SendMessage(TBM_SETPOS, true, m_settings.jpegQuality);
    m_nQuality = m_settings.jpegQuality;
    ShowHotkey(m_settings.hotkey);

    m_bCombineCursor = m_settings.combiningCursor;
    m_frameColor.m_crColor = m_settings.color;
    m_frameColor.Invalidate(true);

    m_frameWidthList.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(OptionsRules::FrameWidthSelection(
                                                   ListItems(m_frameWidthList), m_settings.frameWidth)));
    m_tabSizeList.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(OptionsRules::TabScalingSelection(
                                                ListItems(m_tabSizeList), m_settings.tabScaling)));

    m_strOutputFolder = m_profile.DisplayPath(m_settings.outputPath);
    m_bFixedName = m_settings.useFixdName;
    m_strFixedName = m_settings.fixdName;
    m_bCopyToClipboard = m_settings.copyToClipboard;
    m_nRecordFormat = m_settings.recordFormat;
    m_nRecordFps = m_settings.recordFps;
    m_nRecordSeconds = m_settings.recordSeconds;
    ::SendMessageW(GetDlgItem(IDC_RECORD_FPS_SPIN), UDM_SETRANGE32, OptionsRules::kRecordFpsMin,
                   OptionsRules::kRecordFpsMax);
    ::SendMessageW(GetDlgItem(IDC_RECORD_SECONDS_SPIN), UDM_SETRANGE32, OptionsRules::kRecordSecondsMin,
                   OptionsRules::kRecordSecondsMax);
    UpdateData(false);
    ::SendDlgItemMessageW(m_hWnd, IDC_DELAY_SPIN, UDM_SETRANGE32, 1, 30);
    ::SendDlgItemMessageW(m_hWnd, IDC_DELAY_SECONDS, EM_LIMITTEXT, 2, 0);
    m_nDelaySeconds = m_settings.delaySeconds;
    ::SetDlgItemInt(m_hWnd, IDC_DELAY_SECONDS, static_cast<UINT>(m_nDelaySeconds), false);
    ShowNextFileName();

    m_strHelpPage = HelpPagePath();
    const DWORD attributes =
        m_strHelpPage.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_strHelpPage);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        m_strHelpPage.Empty();
    ::EnableWindow(GetDlgItem(IDC_SUPPORT_LINK), !m_strHelpPage.IsEmpty());

    // The focus starts on OK, so that Enter confirms the dialog rather than
    // following the link, the first control in the tab order.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDOK)), true);
    return false;
}

CString COptionsDlg::HelpPagePath() const {
    std::vector<wchar_t> module(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (length == 0 || length >= module.size())
        return CString();
    CString path(module.data(), static_cast<int>(length));
    const int slash = path.ReverseFind(L'\\');
    if (slash < 0)
        return CString();
    path.Truncate(slash + 1);
    return path + L"Frimlet2.html";
}

void COptionsDlg::OpenHelpPage(const CString& path) {
    ::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOW);
}

void COptionsDlg::ShowNextFileName() {
    HWND label = GetDlgItem(IDC_NEXT_FILE_NAME);
    if (!label)
        return;
    const bool fixed = ::IsDlgButtonChecked(m_hWnd, IDC_USE_FIXED_NAME) == BST_CHECKED;
    const CString name = GetDlgItemText(IDC_FIXED_NAME);
    const CString folder = m_profile.RealPath(GetDlgItemText(IDC_OUTPUT_FOLDER));
    CString text;
    if (fixed && OutputNameRules::CheckFixedName(AsU16(name), static_cast<size_t>(folder.GetLength())) ==
                     OutputNameRules::NameProblem::Ok) {
        const int typeButton = [this] {
            for (int i = 0; i < 4; ++i)
                if (::IsDlgButtonChecked(m_hWnd, IDC_TYPE_JPEG + i) == BST_CHECKED)
                    return i;
            return ToInt(m_settings.type);
        }();
        const std::u16string next = OutputNameRules::NextNumberedName(
            AsU16(name),
            OutputNameRules::HasNumberRun(AsU16(name)) ? ListFolderFiles(folder)
                                                       : std::vector<std::u16string>{},
            SettingsRules::ExtensionOf(ImageTypeFromInt(typeButton).value_or(m_settings.type)));
        text.Format(LoadText(IDS_NEXT_FILE_NAME), FromU16(next).GetString());
    }
    ::SetWindowTextW(label, text);
}

void COptionsDlg::ShowHotkey(int hotkey) {
    m_nHotkeyChoice = OptionsRules::HotkeyChoiceOf(hotkey);
    if (m_nHotkeyChoice == 0) {
        m_hotKeyCtrl.EnableWindow(false);
    } else {
        m_hotKeyCtrl.SendMessage(HKM_SETHOTKEY, static_cast<WPARAM>(hotkey & 0xFFFF));
        m_hotKeyCtrl.EnableWindow(true);
    }
    UpdateData(false);
}

bool COptionsDlg::FreePrintScreenFor(HWND frame, int hotkey) {
    if (!HotkeySystem::IsPrintScreen(hotkey) || !m_hotkeySystem.SystemTakesPrintScreen())
        return false;
    return m_hotkeySystem.OfferToFreePrintScreen(m_hWnd, GetWindowText()) ==
               HotkeySystem::Offer::SwitchedOff &&
           m_hotkeySystem.Register(frame, hotkey);
}

HWND COptionsDlg::FrameWindow() const {
    if (m_pParentWnd && m_pParentWnd->IsWindow())
        return m_pParentWnd->m_hWnd;
    return m_hWnd ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
}

void COptionsDlg::OnLink(NMHDR*, LRESULT* result) {
    if (!m_strHelpPage.IsEmpty())
        OpenHelpPage(m_strHelpPage);
    *result = 0;
}

void COptionsDlg::OnHScroll(UINT, UINT, HWND bar) {
    if (bar == m_qualitySlider.m_hWnd) {
        UpdateData(true);
        m_nQuality = static_cast<int>(m_qualitySlider.SendMessage(TBM_GETPOS));
        UpdateData(false);
    }
    Default();
}

void COptionsDlg::OnSize(UINT, int, int) {
    Default();
    if (IsWindowVisible())
        BuildBoldFont();
}

void COptionsDlg::OnHotkeyPrintScreen() {
    m_hotKeyCtrl.EnableWindow(false);
}

void COptionsDlg::OnHotkeyCustom() {
    m_hotKeyCtrl.EnableWindow(true);
}

void COptionsDlg::OnOpenFolder() {
    UpdateData(true);
    CString path = m_profile.RealPath(m_strOutputFolder);
    ::ShellExecuteW(m_hWnd, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
}

void COptionsDlg::OnBrowseFolder() {
    UpdateData(true);
    CString initial = m_profile.RealPath(m_strOutputFolder);

    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = displayName;
    info.lpszTitle = L"保存先フォルダの選択";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial.GetString());
    const unique_pidl chosen(::SHBrowseForFolderW(&info));
    if (!chosen)
        return;
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(chosen.get(), path)) {
        m_strOutputFolder = m_profile.DisplayPath(path);
        UpdateData(false);
    }
}

void COptionsDlg::OnRestoreDefaults() {
    m_nType = ToInt(ImageType::Jpeg);
    m_qualitySlider.SendMessage(TBM_SETPOS, true, Settings::kDefaultJpegQuality);
    m_nQuality = Settings::kDefaultJpegQuality;
    m_nHotkeyChoice = 0;
    m_hotKeyCtrl.EnableWindow(false);
    m_bCombineCursor = false;
    m_frameColor.m_crColor = Settings::kDefaultColor;
    m_frameColor.Invalidate(true);
    m_frameWidthList.SendMessage(CB_SETCURSEL, 0);
    m_tabSizeList.SendMessage(CB_SETCURSEL, 0);
    m_strOutputFolder = m_profile.DisplayPath(m_profile.GetDefaultOutputPath());
    m_bFixedName = false;
    m_strFixedName = Settings::kDefaultFixedName;
    m_bCopyToClipboard = false;
    m_nRecordFormat = 0;
    m_nRecordFps = Settings::kDefaultRecordFps;
    m_nRecordSeconds = Settings::kDefaultRecordSeconds;
    UpdateData(false);
    ::SetDlgItemInt(m_hWnd, IDC_DELAY_SECONDS, Settings::kDefaultDelaySeconds, false);
}

void COptionsDlg::OnOK() {
    UpdateData(true);
    const CString folder = m_profile.RealPath(m_strOutputFolder);
    if (const UINT problem = NameProblemText(OutputNameRules::CheckFixedName(
            AsU16(m_strFixedName), static_cast<size_t>(folder.GetLength())))) {
        ::MessageBoxW(m_hWnd, LoadText(problem), GetWindowText(), MB_ICONWARNING | MB_OK);
        HWND edit = GetDlgItem(IDC_FIXED_NAME);
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), true);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return;
    }
    BOOL delayRead = FALSE;
    const int delay = static_cast<int>(::GetDlgItemInt(m_hWnd, IDC_DELAY_SECONDS, &delayRead, false));
    m_nDelaySeconds = delayRead ? std::clamp(delay, 1, 30) : m_settings.delaySeconds;
    int controlValue = static_cast<int>(m_hotKeyCtrl.SendMessage(HKM_GETHOTKEY));
    int newHotkey = OptionsRules::NewHotkey(m_nHotkeyChoice, controlValue);

    if (newHotkey != m_settings.hotkey) {
        HWND frame = FrameWindow();
        if (!m_hotkeySystem.Take(frame, newHotkey, m_pKeyHook) && !FreePrintScreenFor(frame, newHotkey)) {
            m_hotkeySystem.Show(m_hWnd, IDS_HOTKEY_SET_FAILED, GetWindowText(), MB_OK);
            ShowHotkey(m_settings.hotkey);
            return;
        }
        m_hotkeySystem.Release(frame, m_settings.hotkey, m_pKeyHook);
        // PrintScreen chosen again: a No given to the offer at start-up no
        // longer stands.
        if (HotkeySystem::IsPrintScreen(newHotkey) && HotkeySystem::OfferDeclined(m_profile))
            HotkeySystem::SetOfferDeclined(m_profile, false);
    }

    if (const std::optional<ImageType> type = ImageTypeFromInt(m_nType))
        m_settings.type = *type;
    m_settings.jpegQuality = m_nQuality;
    m_settings.hotkey = newHotkey;
    m_settings.combiningCursor = m_bCombineCursor;
    m_settings.color = m_frameColor.m_crColor;
    m_settings.frameWidth = SelectedValue(m_frameWidthList);
    m_settings.tabScaling = SelectedValue(m_tabSizeList);
    m_settings.outputPath = m_profile.RealPath(m_strOutputFolder);
    m_settings.EnsureOutputFolder();
    m_settings.useFixdName = m_bFixedName;
    m_settings.fixdName = m_strFixedName;
    m_settings.copyToClipboard = m_bCopyToClipboard;
    m_settings.delaySeconds = m_nDelaySeconds;
    m_settings.recordFormat = m_nRecordFormat == 1 ? 1 : 0;
    m_settings.recordFps = OptionsRules::RecordFps(m_nRecordFps);
    m_settings.recordSeconds = OptionsRules::RecordSeconds(m_nRecordSeconds);
    m_settings.Save(m_profile);
    EndDialog(IDOK);
}
