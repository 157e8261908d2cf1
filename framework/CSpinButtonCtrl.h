// An up-down control.
#pragma once

#include "framework/CWnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper) const {
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    }
    HWND SetBuddy(HWND buddy) const {
        return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
    }
};
