// A button that paints itself: a vertical gradient in the face colour, a
// frame or 3-D edges, a bitmap scaled by a whole factor with light grey as
// the transparent colour, an optional caption and a focus mark. A push button
// can repeat its click while it is held down.
#pragma once

#include "controls/BitmapButtonRules.h"
#include "framework/CButton.h"
#include "framework/CFont.h"
#include "framework/CString.h"
#include "framework/Handles.h"

class CTransparentBitmapButton : public CButton {
public:
    // drawStyle: 0 = no border and no focus mark, 1 = border and focus
    // rectangle, 2 = border and focus bar at the bottom.
    CTransparentBitmapButton(UINT bitmapId, int drawStyle, bool autoRepeat);

    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

    CString m_strCaption;
    CFont* m_pCaptionFont = nullptr; // not owned; no caption while null
    int m_nCaptionCharExtra = 0;

private:
    void OnPaint();
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

    unique_bitmap m_hBitmap;
    COLORREF m_crTransparent = controls::BitmapButtonRules::kTransparentColor;
    int m_nBorder = 0;
    bool m_bSelfPaint = false;
    bool m_bFlat = false;
    int m_nBitmapWidth = 0;
    int m_nBitmapHeight = 0;
    int m_nFocusStyle = 0;
    bool m_bAutoRepeat = false;
    int m_nRepeatPeriod = controls::BitmapButtonRules::kRepeatPeriod;
};
