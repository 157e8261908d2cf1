// An edit control.
#pragma once

#include "framework/CWnd.h"

class CEdit : public CWnd {
public:
    void SetSel(int start, int end, BOOL noScroll = FALSE) const {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE) const {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void SetLimitText(UINT max) const { SendMessage(EM_SETLIMITTEXT, max); }
    void LimitText(int max = 0) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(max)); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) const {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
    }
    void Clear() const { SendMessage(WM_CLEAR); }
    void Paste() const { SendMessage(WM_PASTE); }
    void Copy() const { SendMessage(WM_COPY); }
};
