#include "framework/CListCtrl.h"

#include <vector>

int CListCtrl::InsertColumn(int col, const wchar_t* heading, int format, int width) const {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.pszText = const_cast<wchar_t*>(heading ? heading : L"");
    column.iSubItem = col;
    if (width >= 0) {
        column.mask |= LVCF_WIDTH;
        column.cx = width;
    }
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::GetColumnCount() const {
    HWND header = GetHeaderCtrl();
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int item, const wchar_t* text) const {
    LVITEMW lv{};
    lv.mask = LVIF_TEXT;
    lv.iItem = item;
    lv.pszText = const_cast<wchar_t*>(text ? text : L"");
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv)));
}

bool CListCtrl::SetItemText(int item, int subItem, const wchar_t* text) const {
    LVITEMW lv{};
    lv.iSubItem = subItem;
    lv.pszText = const_cast<wchar_t*>(text ? text : L"");
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv)) != 0;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW lv{};
        lv.iSubItem = subItem;
        lv.pszText = buffer.data();
        lv.cchTextMax = static_cast<int>(buffer.size());
        int length = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv)));
        if (length < static_cast<int>(buffer.size()) - 1)
            return CString(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

bool CListCtrl::SetItemData(int item, DWORD_PTR data) const {
    LVITEMW lv{};
    lv.mask = LVIF_PARAM;
    lv.iItem = item;
    lv.lParam = static_cast<LPARAM>(data);
    return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv)) != 0;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    LVITEMW lv{};
    lv.mask = LVIF_PARAM;
    lv.iItem = item;
    if (!SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lv)))
        return 0;
    return static_cast<DWORD_PTR>(lv.lParam);
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) const {
    LVITEMW lv{};
    lv.state = state;
    lv.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv)) != 0;
}

bool CListCtrl::GetSubItemRect(int item, int subItem, int area, RECT* rect) const {
    rect->top = subItem;
    rect->left = area;
    return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}
