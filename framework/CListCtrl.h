// A list-view control.
#pragma once

#include "framework/CWnd.h"

class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD style) const {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    int InsertColumn(int col, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1) const;
    int GetColumnWidth(int col) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col)));
    }
    bool SetColumnWidth(int col, int cx) const {
        return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(cx, 0)) != 0;
    }
    int GetColumnCount() const;
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(int item, const wchar_t* text) const;
    bool DeleteItem(int item) const { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
    bool DeleteAllItems() const { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    bool SetItemText(int item, int subItem, const wchar_t* text) const;
    CString GetItemText(int item, int subItem) const;
    bool SetItemData(int item, DWORD_PTR data) const;
    DWORD_PTR GetItemData(int item) const;
    bool SetItemState(int item, UINT state, UINT mask) const;
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(
            SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
    }
    int GetNextItem(int item, int flags) const {
        return static_cast<int>(
            SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), MAKELPARAM(flags, 0)));
    }
    bool EnsureVisible(int item, bool partialOk) const {
        return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk) != 0;
    }
    bool GetSubItemRect(int item, int subItem, int area, RECT* rect) const;
    int SubItemHitTest(LVHITTESTINFO* info) const {
        return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
};
