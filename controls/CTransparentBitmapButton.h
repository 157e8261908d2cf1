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

    unique_bitmap m_bitmap;
    COLORREF m_transparentColor = controls::BitmapButtonRules::kTransparentColor;
    int m_border = 0;
    bool m_selfPaint = false;
    bool m_flat = false;
    int m_bitmapWidth = 0;
    int m_bitmapHeight = 0;
    int m_focusStyle = 0;
    bool m_autoRepeat = false;
    int m_repeatPeriod = controls::BitmapButtonRules::kRepeatPeriod;
};
