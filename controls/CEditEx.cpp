#include "controls/CEditEx.h"

#include <algorithm>
#include <string>

namespace rules = controls::EditRules;
namespace colors = controls::EditColors;

namespace {

constexpr int kNoLimit = 2147483647;

// The clipboard's Unicode text, read no further than its memory block reaches.
bool ReadClipboardText(HWND owner, std::u16string& text) {
    const unique_clipboard clipboard = OpenClipboardFor(owner);
    if (!clipboard)
        return false;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return false;
    const GlobalLockScope lock(data);
    const auto* locked = lock.get<const char16_t>();
    if (!locked)
        return false;
    const size_t units = lock.size() / sizeof(char16_t);
    size_t length = 0;
    while (length < units && locked[length] != 0)
        ++length;
    text.assign(locked, length);
    return true;
}

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
ON_WM_CHAR(OnChar)
ON_WM_PASTE(OnPaste)
ON_WM_KILLFOCUS(OnKillFocus)
ON_WM_THEMECHANGED(OnThemeChanged)
ON_WM_CTLCOLOREDIT_REFLECT(OnCtlColorEdit)
ON_WM_CTLCOLORSTATIC_REFLECT(OnCtlColorStatic)
END_MESSAGE_MAP()

bool CEditEx::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CreateEx(0, L"EDIT", L"", style, rect, parent ? parent->m_hWnd : nullptr, id))
        return false;
    ResetToTextMode();
    return true;
}

void CEditEx::PreSubclassWindow() {
    CEdit::PreSubclassWindow();
    ResetToTextMode();
}

void CEditEx::ResetToTextMode() {
    m_limits = rules::Limits{};
    ModifyStyle(ES_NUMBER | ES_RIGHT, 0);
    LimitText(kNoLimit);
}

void CEditEx::SetTextMode(int maxLength) {
    m_limits.mode = rules::TextMode;
    m_limits.minimum = 0;
    m_limits.maximum = 0;
    m_limits.maxLength = maxLength;
    if (IsWindow()) {
        ModifyStyle(ES_NUMBER | ES_RIGHT, 0);
        LimitText(maxLength);
        Invalidate();
    }
}

void CEditEx::SetNumericRange(int minimum, int maximum) {
    m_limits.mode = rules::IntegerMode;
    m_limits.minimum = minimum;
    m_limits.maximum = maximum;
    m_limits.maxLength = std::max(rules::CharCount(minimum), rules::CharCount(maximum));
    if (IsWindow()) {
        ModifyStyle(0, ES_NUMBER | ES_RIGHT);
        LimitText(m_limits.maxLength);
        Invalidate();
    }
}

CString CEditEx::ValidatedForm(const CString& text, bool cutToLength) const {
    return FromU16(rules::ValidatedText(AsU16(text), m_limits, cutToLength));
}

void CEditEx::GetValidatedText(CString& text) const {
    text = ValidatedForm(GetWindowText(), false);
}

void CEditEx::SetValidatedText(const wchar_t* text) {
    SetWindowText(ValidatedForm(CString(text), true));
}

bool CEditEx::PreTranslateMessage(MSG* msg) {
    // Input methods deliver full-width digits; integer mode takes them as
    // ASCII digits.
    if (msg->message == WM_CHAR && msg->hwnd == m_hWnd && m_limits.mode == rules::IntegerMode)
        msg->wParam = rules::NarrowTypedChar(static_cast<char16_t>(msg->wParam));
    return CEdit::PreTranslateMessage(msg);
}

void CEditEx::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (m_limits.mode != rules::IntegerMode) {
        Default();
        return;
    }
    // Characters sent straight to the window skip pre-translation.
    const char16_t c = rules::NarrowTypedChar(static_cast<char16_t>(ch));
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const CString text = GetWindowText();
    const rules::TypedChar action =
        rules::OnTypedChar(AsU16(text), start, end, c, m_limits.minimum, m_limits.maximum);
    switch (action.kind) {
    case rules::TypedChar::Drop:
        return;
    case rules::TypedChar::InsertMinus:
        ReplaceSel(L"-", false);
        return;
    case rules::TypedChar::ReplaceAll:
        SetSel(0, -1);
        ReplaceSel(FromU16(action.replacement), false);
        return;
    case rules::TypedChar::Pass:
        break;
    }
    if (action.removeIndex >= 0) {
        SetSel(action.removeIndex, action.removeIndex + 1, true);
        ReplaceSel(L"", false);
        SetSel(start - 1, end - 1);
    }
    DefWindowProc(WM_CHAR, static_cast<WPARAM>(c), MAKELPARAM(repeat, flags));
}

void CEditEx::OnPaste() {
    std::u16string clip;
    if (!ReadClipboardText(m_hWnd, clip))
        return;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const CString text = GetWindowText();
    const auto insertion = rules::PasteInsertion(AsU16(text), start, end, clip, m_limits);
    if (insertion)
        ReplaceSel(FromU16(*insertion), false);
}

void CEditEx::OnKillFocus(HWND) {
    Default();
    if (m_bValidateOnKillFocus && IsWindow())
        SetWindowText(ValidatedForm(GetWindowText(), true));
}

void CEditEx::SetStateColors(int state, int textColor, int backColor) {
    if (state < 0 || state >= colors::StateCount)
        return;
    m_nRequestedText[state] = textColor;
    m_nRequestedBack[state] = backColor;
    ComputeState(state);
}

void CEditEx::ComputeState(int state) {
    const uint32_t systemText = ::GetSysColor(colors::TextSystemColor(state));
    const uint32_t systemBack = ::GetSysColor(colors::BackgroundSystemColor(state));
    m_nTextColor[state] = colors::Effective(m_nRequestedText[state], systemText);
    m_hBrush[state].reset();
    m_nBackColor[state] = colors::Effective(m_nRequestedBack[state], systemBack);
    if (m_nBackColor[state] != colors::kNotSet)
        m_hBrush[state].reset(::CreateSolidBrush(static_cast<COLORREF>(m_nBackColor[state]) & 0xFFFFFF));
    m_bActive[state] = true;
    if (IsWindow())
        Invalidate(true);
}

void CEditEx::OnThemeChanged() {
    for (int state = 0; state < colors::StateCount; ++state)
        ComputeState(state);
}

HBRUSH CEditEx::OnCtlColorEdit(HDC dc, HWND) {
    return CtlColor(dc, CTLCOLOR_EDIT);
}

HBRUSH CEditEx::OnCtlColorStatic(HDC dc, HWND) {
    return CtlColor(dc, CTLCOLOR_STATIC);
}

HBRUSH CEditEx::CtlColor(HDC dc, int kind) {
    if (HighContrastOn())
        return nullptr;
    const int state = colors::StateForCtlColor(kind, IsWindowEnabled());
    if (state < 0 || !m_bActive[state])
        return nullptr;
    ::SetBkMode(dc, OPAQUE);
    if (m_nTextColor[state] != colors::kNotSet)
        ::SetTextColor(dc, static_cast<COLORREF>(m_nTextColor[state]) & 0xFFFFFF);
    if (m_nBackColor[state] == colors::kNotSet || !m_hBrush[state])
        return nullptr;
    ::SetBkColor(dc, static_cast<COLORREF>(m_nBackColor[state]) & 0xFFFFFF);
    return m_hBrush[state].get();
}
