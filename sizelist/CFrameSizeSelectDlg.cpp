#include "sizelist/CFrameSizeSelectDlg.h"

#include "framework/CFileDialog.h"
#include "framework/NumberText.h"
#include "geometry/CoordinateLimit.h"
#include "geometry/WinRect.h"
#include "res/resource.h"
#include "sizelist/CFrameSizeSelectOptionDlg.h"
#include "sizelist/CFrameSizeSelectRules.h"
#include "sizelist/CSizeInfoRules.h"
#include "sizelist/FrameInfoMessage.h"
#include "sizelist/SizeListStore.h"
#include "sizelist/TextFileModes.h"

#include <cstring>
#include <span>

namespace {

using Rules = CFrameSizeSelectRules;

constexpr int kColumnCount = 6;
constexpr int kMemoColumn = 5;
const wchar_t kReferenceMark[] = L"F";
const wchar_t kFileFilter[] = L"csvテキストファイル|*.txt;*.csv|すべてのファイル|*.*||";
const wchar_t kEncodingLabel[] = L"文字コード(&E)";

// Copies at most capacity - 1 characters of text into a zero-filled field,
// as reading a cell into a buffer of that size does.
void CopyCell(char16_t* field, size_t capacity, const CString& text) {
    size_t n = static_cast<size_t>(text.GetLength());
    if (n > capacity - 1)
        n = capacity - 1;
    std::memcpy(field, text.GetString(), n * sizeof(char16_t));
    field[n] = u'\0';
}

CString Field(const char16_t* text) {
    return CString(reinterpret_cast<const wchar_t*>(text));
}

CString FormatInt(int value) {
    return FromU16(NumberText::DecimalText(value));
}

struct EncodingChoice {
    DWORD mode;
    const wchar_t* label;
};

// The encodings a list file is read in and written in.
const EncodingChoice kImportEncodings[] = {{TFM_AUTO, L"（自動判別）"},
                                           {TFM_UTF8, L"UTF-8(BOM無し/付き)"},
                                           {TFM_UTF16LE_BOM, L"UTF-16 LE (Unicode)"},
                                           {TFM_UTF16BE_BOM, L"UTF-16 BE (Unicode big endian)"},
                                           {TFM_ANSI, L"ANSI (Windows Shift-JIS)"}};
const EncodingChoice kExportEncodings[] = {{TFM_UTF8_NOBOM, L"UTF-8(BOM無し)"},
                                           {TFM_UTF8_BOM, L"UTF-8(BOM付き)"},
                                           {TFM_UTF16LE_BOM, L"UTF-16 LE (Unicode)"},
                                           {TFM_UTF16BE_BOM, L"UTF-16 BE (Unicode big endian)"},
                                           {TFM_ANSI, L"ANSI (Windows Shift-JIS)"}};

// The encoding drop-down of the import and export dialogs, with one choice
// selected at first.
void AddEncodingChoices(CFileDialog& dialog, std::span<const EncodingChoice> choices, DWORD selected) {
    dialog.StartVisualGroup(CFrameSizeSelectDlg::IDC_FD_ENCODING_GROUP, kEncodingLabel);
    dialog.AddComboBox(CFrameSizeSelectDlg::IDC_FD_ENCODING);
    for (const EncodingChoice& choice : choices)
        dialog.AddControlItem(CFrameSizeSelectDlg::IDC_FD_ENCODING, choice.mode, choice.label);
    dialog.SetSelectedControlItem(CFrameSizeSelectDlg::IDC_FD_ENCODING, selected);
    dialog.EndVisualGroup();
}

HCURSOR ShowWaitCursor() {
    return ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

} // namespace

BEGIN_MESSAGE_MAP(CFrameSizeSelectDlg, CDialog)
ON_WM_CLOSE(OnClose)
ON_BN_CLICKED(IDC_USE_POSITION, OnUsePosition)
ON_BN_CLICKED(IDC_ADD_TO_LIST, OnAdd)
ON_BN_CLICKED(IDC_REMOVE_FROM_LIST, OnRemove)
ON_BN_CLICKED(IDC_MOVE_ROW_UP, OnUp)
ON_BN_CLICKED(IDC_MOVE_ROW_DOWN, OnDown)
ON_BN_CLICKED(IDC_APPLY_SIZE, OnApply)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_SIZE_LIST, OnItemChanged)
ON_NOTIFY(RVN_BEGINCELLEDIT, IDC_SIZE_LIST, OnBeginCellEdit)
ON_NOTIFY(NM_DBLCLK, IDC_SIZE_LIST, OnDblClk)
ON_COMMAND(IDM_SIZELIST_IMPORT, OnImport)
ON_COMMAND(IDM_SIZELIST_EXPORT, OnExport)
ON_COMMAND(IDM_REFERENCE_FILE_NAME, OnReferenceFileName)
ON_COMMAND(IDM_SIZELIST_DUPLICATE, OnDuplicate)
END_MESSAGE_MAP()

CFrameSizeSelectDlg::CFrameSizeSelectDlg(const Settings& settings, const Profile& profile, CWnd* frame,
                                         const SizeSelectCalls& calls)
    : CDialog(IDD_FRAME_SIZE_SELECT, frame), m_menuButton(IDR_SIZE_SELECT_MENU), m_settings(settings),
      m_profile(profile), m_pFrameWnd(frame), m_calls(calls) {}

void CFrameSizeSelectDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_USE_POSITION, m_usePosition);
    DDX_Control(dx, IDC_POS_X, m_editX);
    DDX_Control(dx, IDC_POS_X_SPIN, m_spinX);
    DDX_Control(dx, IDC_POS_Y, m_editY);
    DDX_Control(dx, IDC_POS_Y_SPIN, m_spinY);
    DDX_Control(dx, IDC_WIDTH, m_editWidth);
    DDX_Control(dx, IDC_WIDTH_SPIN, m_spinWidth);
    DDX_Control(dx, IDC_HEIGHT, m_editHeight);
    DDX_Control(dx, IDC_HEIGHT_SPIN, m_spinHeight);
    DDX_Control(dx, IDC_SIZE_LIST, m_list);
    DDX_Control(dx, IDC_ADD_TO_LIST, m_addButton);
    DDX_Control(dx, IDC_REMOVE_FROM_LIST, m_removeButton);
    DDX_Control(dx, IDC_MOVE_ROW_UP, m_upButton);
    DDX_Control(dx, IDC_MOVE_ROW_DOWN, m_downButton);
    DDX_Control(dx, IDC_SIZE_MESSAGES, m_messages);
    DDX_Control(dx, IDC_SIZE_MENU, m_menuButton);
}

void CFrameSizeSelectDlg::QueryFrame(int minSize[2], RECT& hole) const {
    minSize[0] = minSize[1] = 0;
    hole = RECT{};
    if (m_pFrameWnd && m_pFrameWnd->m_hWnd)
        ::SendMessageW(m_pFrameWnd->m_hWnd, WM_APP_GETFRAMEINFO, reinterpret_cast<WPARAM>(minSize),
                       reinterpret_cast<LPARAM>(&hole));
}

BOOL CFrameSizeSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    const int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);

    RECT window{};
    if (m_pFrameWnd && m_pFrameWnd->m_hWnd)
        ::GetWindowRect(m_pFrameWnd->m_hWnd, &window);
    int minSize[2] = {0, 0};
    RECT hole{};
    QueryFrame(minSize, hole);
    m_rcFrameInner = RECT{window.left + hole.left, window.top + hole.top, window.left + hole.right,
                          window.top + hole.bottom};

    for (CEditEx* edit : {&m_editX, &m_editY, &m_editWidth, &m_editHeight})
        edit->SetStateColors(CEditEx::STATE_NORMAL, -1, Rules::kFieldBackground);
    for (CEditEx* edit : {&m_editX, &m_editY})
        edit->SetStateColors(CEditEx::STATE_DISABLED, -1, Rules::kDisabledBackground);

    struct Range {
        CEditEx& edit;
        CSpinButtonCtrl& spin;
        int minimum;
        int maximum;
    };
    const Range ranges[] = {
        {m_editX, m_spinX, x, x + cx},
        {m_editY, m_spinY, y, y + cy},
        {m_editWidth, m_spinWidth, minSize[0], cx},
        {m_editHeight, m_spinHeight, minSize[1], cy},
    };
    for (const Range& range : ranges) {
        range.edit.m_bValidateOnKillFocus = true;
        range.edit.SetNumericRange(range.minimum, range.maximum);
        range.spin.SetRange32(range.minimum, range.maximum);
    }

    InsertColumns(minSize[0], minSize[1]);

    ShowMessage(true, nullptr, false);
    LoadList();
    UpdateControls();

    m_editWidth.SetFocus();
    if (!m_hAccel)
        m_hAccel = LoadAcceleratorTable(IDR_SIZE_SELECT_ACCEL);
    return false;
}

void CFrameSizeSelectDlg::InsertColumns(int minInnerWidth, int minInnerHeight) {
    struct Column {
        const wchar_t* header;
        int format;
        CReportViewCtrl::tagCOLUMN_EDIT_OPTION option;
    };
    constexpr int kMax = geometry::kEnteredCoordinateMax;
    const Column columns[kColumnCount] = {
        {L"", LVCFMT_CENTER, {0, 0, 1, 0, 0}},
        {L"x", LVCFMT_RIGHT, {1, -kMax, kMax, 0, 0}},
        {L"y", LVCFMT_RIGHT, {1, -kMax, kMax, 0, 0}},
        {L"幅", LVCFMT_RIGHT, {1, minInnerWidth, kMax, 0, 0}},
        {L"高さ", LVCFMT_RIGHT, {1, minInnerHeight, kMax, 0, 0}},
        {L"メモ", LVCFMT_LEFT, {2, 0, 20, 0, 0}},
    };
    for (int i = 0; i < kColumnCount; ++i) {
        CReportViewCtrl::tagCOLUMN_EDIT_OPTION option = columns[i].option;
        const int width = m_list.ComputeColumnWidth(option);
        const int index =
            m_list.InsertColumn(m_list.GetColumnCount(), columns[i].header, columns[i].format, width);
        m_list.InsertColumnEditOption(index, option);
        if (index >= 0 && index < kColumnCount)
            m_columnOptions[index] = option;
        if (i == 0) {
            // The first column of a list view ignores its alignment when it
            // is inserted; it is set once more.
            LVCOLUMNW format{};
            format.mask = LVCF_FMT;
            format.fmt = LVCFMT_CENTER;
            m_list.SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&format));
        }
    }
    m_list.LayoutColumns();
}

void CFrameSizeSelectDlg::ShowMessage(bool info, const wchar_t* text, bool withHelp) {
    m_messages.SetStateColors(CEditEx::STATE_READONLY, -1,
                              info ? Rules::kInfoBackground : Rules::kErrorBackground);
    std::u16string content;
    if (text) {
        const std::u16string given = ToU16(text);
        content = Rules::ComposeMessage(&given, withHelp);
    } else {
        content = Rules::ComposeMessage(nullptr, withHelp);
    }
    m_messages.SetWindowText(FromU16(content));
}

void CFrameSizeSelectDlg::LoadList() {
    const HCURSOR previous = ShowWaitCursor();
    m_list.DeleteAllItems();
    m_list.m_bModified = false;

    SelectSizeList list;
    CString messages;
    LoadSizeList(m_profile, m_settings, list, messages);
    if (!messages.IsEmpty())
        ShowMessage(false, messages, true);

    m_list.SendMessage(WM_SETREDRAW, false);
    m_list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(list.GetSize()));
    AppendRows(list);
    m_list.SendMessage(WM_SETREDRAW, true);
    m_list.Invalidate();
    m_list.m_bModified = false;
    ::SetCursor(previous);
}

void CFrameSizeSelectDlg::AppendRows(const SelectSizeList& list) {
    for (const tagSELECT_SIZE_INFO& entry : list) {
        m_list.AppendRow(0, entry.bOwn ? L"" : kReferenceMark,
                         {Field(entry.szX), Field(entry.szY), Field(entry.szWidth), Field(entry.szHeight),
                          Field(entry.szMemo)});
    }
}

void CFrameSizeSelectDlg::CollectRows(bool includeReference, std::int32_t bOwn, SelectSizeList& list) const {
    const int count = m_list.GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (!includeReference && !IsOwnRow(row))
            continue;
        tagSELECT_SIZE_INFO entry;
        std::memset(&entry, 0, sizeof entry);
        entry.bOwn = bOwn;
        CopyCell(entry.szX, 7, m_list.GetItemText(row, 1));
        CopyCell(entry.szY, 7, m_list.GetItemText(row, 2));
        CopyCell(entry.szWidth, 6, m_list.GetItemText(row, 3));
        CopyCell(entry.szHeight, 6, m_list.GetItemText(row, 4));
        CSizeInfoRules::CopyMemo(entry.szMemo, 21, AsU16(m_list.GetItemText(row, 5)));
        list.Add(entry);
    }
}

void CFrameSizeSelectDlg::SaveListIfModified() {
    if (!m_list.m_bModified)
        return;
    const HCURSOR previous = ShowWaitCursor();
    SelectSizeList own;
    CollectRows(false, 1, own);
    SaveSizeList(m_profile, m_settings, own);
    m_list.m_bModified = false;
    ::SetCursor(previous);
}

int CFrameSizeSelectDlg::SelectedRow() const {
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

bool CFrameSizeSelectDlg::IsOwnRow(int row) const {
    return m_list.GetItemText(row, 0) != kReferenceMark;
}

void CFrameSizeSelectDlg::EnablePosition(bool enable) const {
    m_editX.EnableWindow(enable);
    m_editY.EnableWindow(enable);
}

void CFrameSizeSelectDlg::UpdateControls() {
    const int n = m_list.GetItemCount();
    const int s = SelectedRow();
    if (s < 0) {
        m_usePosition.SetCheck(BST_UNCHECKED);
        EnablePosition(false);
        m_editX.SetValidatedText(FormatInt(m_rcFrameInner.left));
        m_editY.SetValidatedText(FormatInt(m_rcFrameInner.top));
        m_editWidth.SetValidatedText(FormatInt(m_rcFrameInner.right - m_rcFrameInner.left));
        m_editHeight.SetValidatedText(FormatInt(m_rcFrameInner.bottom - m_rcFrameInner.top));
    }
    m_removeButton.EnableWindow(s >= 0 && n > 0);
    m_upButton.EnableWindow(s > 0 && n > 0);
    m_downButton.EnableWindow(s >= 0 && s + 1 != n && n > 0);
}

void CFrameSizeSelectDlg::OnUsePosition() {
    const bool checked = m_usePosition.GetCheck() == BST_CHECKED;
    m_usePosition.SetCheck(checked ? 1 : 0);
    EnablePosition(checked);
}

void CFrameSizeSelectDlg::OnItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE))
        return;
    UpdateControls();
    if (!(change->uNewState & LVIS_SELECTED) || change->iItem < 0)
        return;
    const int row = change->iItem;
    const CString x = m_list.GetItemText(row, 1);
    const CString y = m_list.GetItemText(row, 2);
    const bool position = !x.IsEmpty() && !y.IsEmpty();
    m_usePosition.SetCheck(position ? BST_CHECKED : BST_UNCHECKED);
    EnablePosition(position);
    m_editX.SetValidatedText(x);
    m_editY.SetValidatedText(y);
    m_editWidth.SetValidatedText(m_list.GetItemText(row, 3));
    m_editHeight.SetValidatedText(m_list.GetItemText(row, 4));
}

void CFrameSizeSelectDlg::OnAdd() {
    if (!UpdateData(true))
        return;
    CString x, y, width, height;
    if (m_usePosition.GetCheck() == BST_CHECKED) {
        m_editX.GetValidatedText(x);
        m_editY.GetValidatedText(y);
    }
    m_editWidth.GetValidatedText(width);
    m_editHeight.GetValidatedText(height);

    const int r = m_list.InsertRowAtTop(1, L"", {x, y, width, height, L""});
    m_list.SetItemState(r, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(r, true);
    UpdateControls();
    m_list.m_bModified = true;
    if (r >= 0 && r < m_list.GetItemCount() && m_columnOptions[kMemoColumn].nKind != 0)
        m_list.BeginCellEdit(r, kMemoColumn, m_columnOptions[kMemoColumn]);
}

void CFrameSizeSelectDlg::OnRemove() {
    const int s = SelectedRow();
    if (s < 0)
        return;
    m_list.DeleteRow(s, IsOwnRow(s));
    UpdateControls();
}

void CFrameSizeSelectDlg::OnUp() {
    const int s = SelectedRow();
    if (s < 0)
        return;
    m_list.MoveSelectedUp(IsOwnRow(s));
    UpdateControls();
}

void CFrameSizeSelectDlg::OnDown() {
    const int s = SelectedRow();
    if (s < 0)
        return;
    m_list.MoveSelectedDown(IsOwnRow(s));
    UpdateControls();
}

void CFrameSizeSelectDlg::OnDuplicate() {
    const int r = m_list.DuplicateSelected();
    if (r >= 0 && !IsOwnRow(r))
        m_list.SetItemText(r, 0, L"");
}

void CFrameSizeSelectDlg::OnBeginCellEdit(NMHDR* header, LRESULT* result) {
    const auto* request = reinterpret_cast<const CReportViewCtrl::NMRVBEGINCELLEDIT*>(header);
    *result = IsOwnRow(request->nRow) ? 1 : 0;
}

void CFrameSizeSelectDlg::OnDblClk(NMHDR*, LRESULT* result) {
    *result = 0;
    if (SelectedRow() >= 0)
        ApplySize();
}

void CFrameSizeSelectDlg::OnApply() {
    ApplySize();
}

void CFrameSizeSelectDlg::ApplySize() {
    if (!m_pFrameWnd || !m_pFrameWnd->m_hWnd)
        return;
    const bool checked = m_usePosition.GetCheck() == BST_CHECKED;
    CString xs, ys, ws, hs;
    if (checked) {
        m_editX.GetValidatedText(xs);
        m_editY.GetValidatedText(ys);
    }
    m_editWidth.GetValidatedText(ws);
    m_editHeight.GetValidatedText(hs);
    geometry::Rect wanted;
    wanted.left = NumberText::LeadingNumber(AsU16(xs));
    wanted.top = NumberText::LeadingNumber(AsU16(ys));
    wanted.right = wanted.left + NumberText::LeadingNumber(AsU16(ws));
    wanted.bottom = wanted.top + NumberText::LeadingNumber(AsU16(hs));

    int minSize[2] = {0, 0};
    RECT hole{};
    QueryFrame(minSize, hole);
    RECT window{};
    ::GetWindowRect(m_pFrameWnd->m_hWnd, &window);
    const geometry::Rect current = geometry::FromRECT(window);

    Rules::ApplyPlan plan =
        Rules::PlanApply(checked, wanted, current, geometry::FromRECT(hole), minSize[0], minSize[1]);
    const geometry::Placement placement(m_calls.queryScreenLayout());
    const int ok = placement.KeepOnScreen(plan.window, &current, plan.adjust, plan.minWidth, plan.minHeight,
                                          plan.defaultWidth, plan.defaultHeight, plan.offsetX, plan.offsetY);
    if (ok) {
        m_pFrameWnd->MoveWindow(plan.window.left, plan.window.top, plan.window.Width(), plan.window.Height(),
                                true);
        SaveListIfModified();
        EndDialog(IDOK);
    } else {
        ShowMessage(false, FromU16(Rules::CannotMoveText(plan.window, plan.chromeX)), false);
    }
}

void CFrameSizeSelectDlg::OnImport() {
    CFileDialog dialog(true, L".txt", nullptr,
                       OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_DONTADDTORECENT,
                       kFileFilter, this);
    AddEncodingChoices(dialog, kImportEncodings, TFM_UTF8);
    if (dialog.DoModal() != IDOK)
        return;
    DWORD mode = TFM_UTF8;
    dialog.GetSelectedControlItem(IDC_FD_ENCODING, mode);
    ImportFile(dialog.GetPathName(), static_cast<std::int32_t>(mode));
}

void CFrameSizeSelectDlg::ImportFile(const wchar_t* path, std::int32_t mode) {
    SelectSizeList list;
    CString messages;
    ReadSizeListFile(1, path, mode, list, messages);
    const std::u16string where = ToU16(path);
    std::u16string text;
    bool info = true;
    if (!messages.IsEmpty()) {
        text = Rules::ImportErrorText(where, AsU16(messages));
        info = false;
    } else if (list.GetSize() > 0) {
        AppendRows(list); // read as own rows
        m_list.m_bModified = true;
        text = Rules::ImportReadText(where, static_cast<int>(list.GetSize()));
    } else {
        text = Rules::ImportNoDataText(where);
    }
    ShowMessage(info, FromU16(text), false);
}

void CFrameSizeSelectDlg::OnExport() {
    if (m_list.GetItemCount() == 0) {
        ShowMessage(true, FromU16(Rules::NothingToExportText()), false);
        return;
    }
    CFileDialog dialog(false, L".txt", nullptr,
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT,
                       kFileFilter, this);
    AddEncodingChoices(dialog, kExportEncodings, TFM_UTF8_NOBOM);
    dialog.AddCheckButton(IDC_FD_INCLUDE_REFERENCE, L"参照情報（F行）も含める", true);
    if (dialog.DoModal() != IDOK)
        return;
    DWORD mode = TFM_UTF8_NOBOM;
    dialog.GetSelectedControlItem(IDC_FD_ENCODING, mode);
    bool include = true;
    if (FAILED(dialog.GetCheckButtonState(IDC_FD_INCLUDE_REFERENCE, include)))
        include = true;
    ExportFile(dialog.GetPathName(), static_cast<std::int32_t>(mode), include);
}

void CFrameSizeSelectDlg::ExportFile(const wchar_t* path, std::int32_t mode, bool includeReference) {
    SelectSizeList list;
    CollectRows(includeReference, 0, list);
    CString messages;
    const std::u16string where = ToU16(path);
    if (WriteSizeListFile(path, mode, list, messages))
        ShowMessage(true, FromU16(Rules::ExportSavedText(where, static_cast<int>(list.GetSize()))), false);
    else
        ShowMessage(false, FromU16(Rules::ExportErrorText(where, AsU16(messages))), false);
}

void CFrameSizeSelectDlg::OnReferenceFileName() {
    if (!CFrameSizeSelectOptionDlg::EditReferenceFileName(m_profile, this))
        return;
    SaveListIfModified();
    ShowMessage(true, nullptr, false);
    LoadList();
    UpdateControls();
}

void CFrameSizeSelectDlg::OnOK() {
    // Enter in a field does not close the dialog.
}

void CFrameSizeSelectDlg::OnClose() {
    SaveListIfModified();
    Default();
}

bool CFrameSizeSelectDlg::PreTranslateMessage(MSG* msg) {
    if (m_hAccel && m_hWnd && ::TranslateAcceleratorW(m_hWnd, m_hAccel.get(), msg))
        return true;
    if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_MENU) {
        m_menuButton.ShowMenu();
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}
