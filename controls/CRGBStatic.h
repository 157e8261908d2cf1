// A colour swatch: a static control filled with a colour that opens the
// system colour dialog when clicked. The owner sets the cursor resource and
// the default colour before the control is bound, and reads and writes the
// colour.
#pragma once

#include "framework/CStatic.h"
#include "framework/Handles.h"

class CRGBStatic : public CStatic {
public:
    CRGBStatic(int cursorId = 0, COLORREF defaultColor = 0)
        : m_nCursorId(cursorId), m_crDefault(defaultColor) {}

    // Shown over the swatch; 0 leaves the class cursor.
    int m_nCursorId;
    // Offered first in the colour dialog's custom colours.
    COLORREF m_crDefault;
    // The colour shown.
    COLORREF m_crColor = 0;

    // The custom colours of the colour dialog, kept for the whole run.
    static COLORREF* CustomColors();

    // Opens the colour dialog; true when a colour was chosen.
    bool SelectColor();

    void PreSubclassWindow() override;

private:
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(HDC dc);
    BOOL OnSetCursor(HWND under, UINT hitTest, UINT mouseMessage);
    void OnClicked();
    DECLARE_MESSAGE_MAP()

    void ReloadCursor();

    unique_cursor m_hCursor;
};
