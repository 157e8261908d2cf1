// An edit control.
#pragma once

#include "framework/CWnd.h"

class CEdit : public CWnd {
public:
    void SetSel(int start, int end, bool noScroll = false) const {
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
    void ReplaceSel(const wchar_t* text, bool canUndo = false) const {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(int max = 0) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(max)); }
    void Clear() const { SendMessage(WM_CLEAR); }
};
