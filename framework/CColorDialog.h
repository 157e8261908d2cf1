// The system's colour dialog.
#pragma once

#include "framework/CWnd.h"

#include <commdlg.h>

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr) {
        m_cc.lStructSize = sizeof(m_cc);
        m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
        m_cc.rgbResult = initial;
        m_cc.lpCustColors = m_custom;
        m_cc.Flags = flags | CC_RGBINIT;
    }
    INT_PTR DoModal() { return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL; }
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc{};

private:
    COLORREF m_custom[16] = {};
};
