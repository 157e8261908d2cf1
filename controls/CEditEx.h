// A single-line edit control with a text mode (a length limit, also for
// pasted text) and an integer mode (only a signed decimal number within a
// range: typed and pasted input is filtered, full-width digits are narrowed,
// leading zeros dropped, and a value beyond the range becomes its bound). It
// colours itself per state with colours that may blend toward the system
// colours, and uses the system colours in high-contrast mode.
#pragma once

#include "controls/EditColors.h"
#include "controls/EditRules.h"
#include "framework/CEdit.h"
#include "framework/CString.h"
#include "framework/Handles.h"

class CEditEx : public CEdit {
public:
    // State indices for SetStateColors.
    enum { STATE_NORMAL = 0, STATE_DISABLED = 1, STATE_READONLY = 2 };

    CEditEx() = default;

    // Creates the control as a child window and attaches it (text mode).
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Text mode with a character limit.
    void SetTextMode(int maxLength);
    // Integer mode for minimum..maximum; the limit is the longer bound's
    // character count.
    void SetNumericRange(int minimum, int maximum);

    // The current text in its validated form (trimmed; clamped in integer
    // mode; not cut to the limit).
    void GetValidatedText(CString& text) const;
    // Sets the window text to the validated form of text (cut to the limit
    // in text mode).
    void SetValidatedText(const wchar_t* text);

    // Colours of a state as colour values (EditColors.h): low 24 bits RGB,
    // bits 24 to 27 a blend weight toward the state's system colour, -1 not
    // set.
    void SetStateColors(int state, int textColor, int backColor);

    // When true, losing the focus rewrites the text in its validated form.
    bool m_bValidateOnKillFocus = false;

    void PreSubclassWindow() override;
    bool PreTranslateMessage(MSG* msg) override;

private:
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnPaste();
    void OnKillFocus(HWND gaining);
    HBRUSH OnCtlColorEdit(HDC dc, HWND);
    HBRUSH OnCtlColorStatic(HDC dc, HWND);
    void OnThemeChanged();
    DECLARE_MESSAGE_MAP()

    void ResetToTextMode();
    // The brush for the state the control is in, or null for the system's.
    HBRUSH CtlColor(HDC dc, int kind);
    void ComputeState(int state);
    CString ValidatedForm(const CString& text, bool cutToLength) const;

    controls::EditRules::Limits m_limits;
    bool m_bActive[controls::EditColors::StateCount] = {};
    int m_nTextColor[controls::EditColors::StateCount] = {-1, -1, -1};
    int m_nBackColor[controls::EditColors::StateCount] = {-1, -1, -1};
    unique_brush m_hBrush[controls::EditColors::StateCount];
    int m_nRequestedText[controls::EditColors::StateCount] = {-1, -1, -1};
    int m_nRequestedBack[controls::EditColors::StateCount] = {-1, -1, -1};
};
