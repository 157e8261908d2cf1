// The system's colour dialog. Without a parent it is owned by the window
// that is active when it opens, so that window is disabled while it shows.
#pragma once

#include "framework/CWnd.h"

#include <commdlg.h>

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr) {
        m_cc.lStructSize = sizeof(m_cc);
        m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
        m_cc.rgbResult = initial;
        m_cc.lpCustColors = m_crCustom;
        m_cc.Flags = flags | CC_RGBINIT;
    }
    INT_PTR DoModal() {
        const HWND given = m_cc.hwndOwner;
        if (!given) {
            HWND active = ::GetActiveWindow();
            m_cc.hwndOwner = active ? ::GetAncestor(active, GA_ROOT) : nullptr;
        }
        const bool chosen = ::ChooseColorW(&m_cc) != FALSE;
        m_cc.hwndOwner = given;
        return chosen ? IDOK : IDCANCEL;
    }
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc{};

private:
    COLORREF m_crCustom[16] = {};
};
