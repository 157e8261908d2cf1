#include "controls/CReportViewCtrl.h"

#include "controls/EditColors.h"

#include "framework/CMenu.h"
#include "geometry/WinRect.h"

#include <algorithm>
#include <utility>

namespace rv = controls::ReportViewRules;

namespace {

constexpr UINT kEditorId = 1;
constexpr UINT kSpinId = 2;
// The editor's background: the window colour with a tenth of a faint yellow.
constexpr int kEditorBackground = controls::EditColors::MakeValue(RGB(255, 255, 143), 9);

CString TabsToSpaces(CString text) {
    text.Replace(L'\t', L' ');
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CReportViewCtrl, CListCtrl)
ON_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClk)
ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
ON_EN_KILLFOCUS(kEditorId, OnEditKillFocus)
END_MESSAGE_MAP()

void CReportViewCtrl::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    m_options.clear();
    m_bModified = false;
    m_nEditRow = 0;
    m_nEditColumn = 0;
    m_nFontHeight = 0;
    m_strStartText.Empty();

    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_hHeader = GetHeaderCtrl();

    const RECT small{0, 0, 20, 15};
    if (m_edit.m_hWnd)
        m_edit.DestroyWindow();
    if (m_edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, small, this, kEditorId)) {
        m_edit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 1));
        m_edit.SetStateColors(CEditEx::STATE_NORMAL, controls::EditColors::kNotSet, kEditorBackground);
    }
    if (m_spin.m_hWnd)
        m_spin.DestroyWindow();
    if (m_spin.CreateEx(0, UPDOWN_CLASSW, nullptr,
                        WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, small,
                        m_hWnd, kSpinId))
        m_spin.SendMessage(UDM_SETBASE, 10);

    RECT client{};
    GetClientRect(&client);
    m_nLayoutWidth = client.right - client.left;
    UpdateFontHeight();
}

bool CReportViewCtrl::UpdateFontHeight() {
    HFONT font = GetFont();
    LOGFONTW logFont{};
    if (!font || ::GetObjectW(font, sizeof(logFont), &logFont) != sizeof(logFont))
        return false;
    return rv::UpdateFontHeight(logFont.lfHeight, m_nFontHeight);
}

int CReportViewCtrl::ComputeColumnWidth(tagCOLUMN_EDIT_OPTION& option) const {
    return rv::ComputeColumnWidth(option, m_nFontHeight);
}

void CReportViewCtrl::InsertColumnEditOption(int index, const tagCOLUMN_EDIT_OPTION& option) {
    if (index < 0)
        return;
    const size_t at = static_cast<size_t>(index);
    if (at >= m_options.size()) {
        m_options.resize(at, tagCOLUMN_EDIT_OPTION{});
        m_options.push_back(option);
    } else {
        m_options.insert(m_options.begin() + index, option);
    }
}

const CReportViewCtrl::tagCOLUMN_EDIT_OPTION* CReportViewCtrl::OptionOf(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= m_options.size())
        return nullptr;
    return &m_options[static_cast<size_t>(column)];
}

void CReportViewCtrl::LayoutColumns() {
    if (!m_hHeader)
        return;
    const std::vector<int> widths = rv::LayoutWidths(m_options, m_nLayoutWidth, m_nFontHeight);
    const int count = static_cast<int>(::SendMessageW(m_hHeader, HDM_GETITEMCOUNT, 0, 0));
    // Only one window can be locked at a time; release only our own lock.
    const bool locked = ::LockWindowUpdate(m_hWnd);
    m_bLayingOut = true;
    for (int i = 0; i < count && i < static_cast<int>(widths.size()); ++i) {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = widths[static_cast<size_t>(i)];
        ::SendMessageW(m_hHeader, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    m_bLayingOut = false;
    if (locked)
        ::LockWindowUpdate(nullptr);
}

void CReportViewCtrl::OnWindowPosChanged(const WINDOWPOS& pos) {
    Default();
    if (!(pos.flags & SWP_NOSIZE)) {
        m_nLayoutWidth = pos.cx;
        UpdateFontHeight();
        LayoutColumns();
    }
}

bool CReportViewCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHEADERW*>(lParam);
    // The header's drag: keep the width inside the column's limits. The
    // item record has the same layout in both character sets.
    if (header && m_hHeader && header->hdr.hwndFrom == m_hHeader && !m_bLayingOut &&
        (header->hdr.code == HDN_ITEMCHANGINGW || header->hdr.code == HDN_ITEMCHANGINGA) && header->pitem &&
        (header->pitem->mask & HDI_WIDTH)) {
        if (const tagCOLUMN_EDIT_OPTION* option = OptionOf(header->iItem))
            header->pitem->cxy = rv::LimitDragWidth(*option, header->pitem->cxy);
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}

bool CReportViewCtrl::HitCell(POINT pt, int& row, int& column) const {
    LVHITTESTINFO hit{};
    hit.pt = pt;
    SubItemHitTest(&hit);
    row = hit.iItem;
    column = hit.iSubItem;
    return hit.iItem >= 0;
}

BOOL CReportViewCtrl::OnDblClk(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const bool ctrlOrShift = (::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_SHIFT) & 0x8000);
    int row = -1;
    int column = -1;
    const bool onItem = HitCell(activate->ptAction, row, column);
    const tagCOLUMN_EDIT_OPTION* option = onItem ? OptionOf(column) : nullptr;
    switch (rv::OnDoubleClick(ctrlOrShift, onItem, option)) {
    case rv::DoubleClick::Swallow:
        return true;
    case rv::DoubleClick::ToParent:
        return false;
    case rv::DoubleClick::Edit:
        BeginCellEdit(row, column, *option);
        return true;
    }
    return true;
}

void CReportViewCtrl::OnRClick(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
    int row = -1;
    int column = -1;
    if (!HitCell(activate->ptAction, row, column))
        return;
    const tagCOLUMN_EDIT_OPTION* option = OptionOf(column);
    if (!option || option->nKind != rv::TextCell)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu() || !menu.AppendMenu(MF_STRING, kCopyCommand, L"コピー(&C)"))
        return;
    POINT pt = activate->ptAction;
    ClientToScreen(&pt);
    const UINT chosen = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, pt.x, pt.y, m_hWnd));
    if (chosen != kCopyCommand)
        return;
    const CString text = GetItemText(row, column);
    if (unique_clipboard clipboard = OpenClipboardFor(m_hWnd))
        CopyTextToClipboard(std::move(clipboard), text);
}

bool CReportViewCtrl::CopyTextToClipboard(unique_clipboard clipboard, const wchar_t* text) {
    if (!clipboard || !::EmptyClipboard())
        return false;
    const size_t bytes = (::wcslen(text ? text : L"") + 1) * sizeof(wchar_t);
    unique_global memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    {
        const GlobalLockScope lock(memory.get());
        if (!lock.get())
            return false;
        memcpy(lock.get(), text ? text : L"", bytes);
    }
    // The clipboard owns the memory once it takes it.
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get()))
        return false;
    memory.release();
    return true;
}

void CReportViewCtrl::BeginCellEdit(int row, int column, const tagCOLUMN_EDIT_OPTION& option) {
    if (option.nKind == rv::NotEditable || !m_edit.m_hWnd)
        return;
    // An edit still open on another cell is committed, not lost.
    if (IsEditing())
        EndCellEdit(true);

    NMRVBEGINCELLEDIT request{};
    request.hdr.hwndFrom = m_hWnd;
    request.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    request.hdr.code = static_cast<UINT>(RVN_BEGINCELLEDIT);
    request.nRow = row;
    request.nColumn = column;
    request.pOption = const_cast<tagCOLUMN_EDIT_OPTION*>(&option);
    if (::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, request.hdr.idFrom,
                       reinterpret_cast<LPARAM>(&request)) == 0)
        return;

    m_nEditRow = row;
    m_nEditColumn = column;
    RECT bounds{};
    if (!GetSubItemRect(row, column, LVIR_BOUNDS, &bounds))
        return;
    int right = bounds.right;
    if (column == 0) {
        // The bounds of column 0 cover the whole row.
        RECT next{};
        right = GetSubItemRect(row, 1, LVIR_BOUNDS, &next) ? next.left : bounds.left + GetColumnWidth(0);
    }
    const geometry::Rect r = rv::EditorRect(geometry::FromRECT(bounds), right, option.nKind);
    m_edit.MoveWindow(r.left, r.top, r.Width(), r.Height());
    if (option.nKind == rv::IntegerCell) {
        m_spin.SetBuddy(m_edit.m_hWnd);
        m_spin.ShowWindow(SW_SHOW);
        m_spin.SetRange32(option.nMin, option.nMax);
        m_edit.SetNumericRange(option.nMin, option.nMax);
    } else {
        m_spin.SetBuddy(nullptr);
        m_spin.ShowWindow(SW_HIDE);
        m_edit.SetTextMode(option.nMax);
    }

    m_strStartText = TabsToSpaces(GetItemText(row, column));
    m_edit.SetValidatedText(m_strStartText);
    m_edit.SendMessage(EM_EMPTYUNDOBUFFER);
    m_edit.SetFont(GetFont(), true);
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetFocus();
    m_edit.SetSel(0, -1);
}

bool CReportViewCtrl::IsEditing() const {
    return m_edit.m_hWnd && (m_edit.GetStyle() & WS_VISIBLE);
}

void CReportViewCtrl::EndCellEdit(bool commit) {
    // Hiding the focused editor moves the focus, and the editor's focus loss
    // comes back here; the first call decides.
    if (m_bEnding)
        return;
    if (!IsEditing()) {
        m_strStartText.Empty();
        return;
    }
    m_bEnding = true;
    if (commit) {
        CString text;
        m_edit.GetValidatedText(text);
        if (text != m_strStartText) {
            SetItemText(m_nEditRow, m_nEditColumn, text);
            m_bModified = true;
            NotifyCellChanged(m_nEditRow, m_nEditColumn);
        }
    }
    m_strStartText.Empty();
    m_edit.ShowWindow(SW_HIDE);
    m_spin.ShowWindow(SW_HIDE);
    m_bEnding = false;
}

void CReportViewCtrl::NotifyCellChanged(int row, int column) const {
    NMLISTVIEW change{};
    change.hdr.hwndFrom = m_hWnd;
    change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    change.hdr.code = LVN_ITEMCHANGED;
    change.iItem = row;
    change.iSubItem = column;
    change.uNewState = LVIS_SELECTED;
    change.uOldState = 0;
    change.uChanged = LVIF_STATE;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

void CReportViewCtrl::OnEditKillFocus() {
    EndCellEdit(true);
}

bool CReportViewCtrl::PreTranslateMessage(MSG* msg) {
    if (m_edit.m_hWnd && msg->hwnd == m_edit.m_hWnd) {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
            EndCellEdit(true);
            return true;
        }
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
            EndCellEdit(false);
            return true;
        }
        // Text cells have no spin: the wheel would only scroll the list
        // away from the editor.
        if ((msg->message == WM_MOUSEWHEEL || msg->message == WM_MOUSEHWHEEL) &&
            !(m_spin.GetStyle() & WS_VISIBLE))
            return true;
    } else if (m_hHeader && msg->hwnd == m_hHeader) {
        if (msg->message == WM_LBUTTONDOWN && IsEditing())
            EndCellEdit(true);
    } else if (msg->hwnd == m_hWnd || (m_spin.m_hWnd && msg->hwnd == m_spin.m_hWnd)) {
        if ((msg->message == WM_NCLBUTTONDOWN || msg->message == WM_NCRBUTTONDOWN) && IsEditing())
            EndCellEdit(true);
    }
    return CListCtrl::PreTranslateMessage(msg);
}

int CReportViewCtrl::InsertRow(int index, DWORD_PTR itemData, const wchar_t* text0,
                               const std::vector<const wchar_t*>& texts) {
    const int row = InsertItem(index, text0);
    if (row < 0)
        return -1;
    const int columns = GetColumnCount();
    for (int i = 1; i < columns; ++i) {
        const size_t at = static_cast<size_t>(i - 1);
        if (at < texts.size() && texts[at])
            SetItemText(row, i, texts[at]);
    }
    if (itemData != 0)
        SetItemData(row, itemData);
    m_bModified = true;
    return row;
}

void CReportViewCtrl::SelectRow(int row) const {
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(row, true);
}

void CReportViewCtrl::CopyRow(int from, int to) const {
    const int columns = GetColumnCount();
    for (int i = 0; i < columns; ++i)
        SetItemText(to, i, GetItemText(from, i));
    SetItemData(to, GetItemData(from));
}

bool CReportViewCtrl::DeleteRow(int index, bool markModified) {
    if (!DeleteItem(index))
        return false;
    const int count = GetItemCount();
    if (index >= count)
        index = count - 1;
    if (index >= 0)
        SelectRow(index);
    if (markModified)
        m_bModified = true;
    return true;
}

void CReportViewCtrl::MoveSelectedUp(bool markModified) {
    MoveSelected(-1, markModified);
}

void CReportViewCtrl::MoveSelectedDown(bool markModified) {
    MoveSelected(1, markModified);
}

// The selected row changes places with its neighbour above (-1) or below
// (+1): a copy is inserted beyond the neighbour and the original removed.
void CReportViewCtrl::MoveSelected(int delta, bool markModified) {
    const int s = GetNextItem(-1, LVNI_SELECTED);
    if (s < 0 || s + delta < 0 || s + delta >= GetItemCount())
        return;
    const int target = delta < 0 ? s - 1 : s + 2;
    if (InsertItem(target, L"") < 0)
        return;
    const int source = delta < 0 ? s + 1 : s; // where the row stands after the insertion
    CopyRow(source, target);
    DeleteItem(source);
    SelectRow(s + delta);
    if (markModified)
        m_bModified = true;
}

int CReportViewCtrl::DuplicateSelected() {
    const int s = GetNextItem(-1, LVNI_SELECTED);
    if (s < 0)
        return -1;
    const int copy = InsertItem(s + 1, L"");
    if (copy < 0)
        return -1;
    CopyRow(s, copy);
    SelectRow(copy);
    m_bModified = true;
    return copy;
}
