#include "controls/CEditEx.h"

#include "controls/EditColors.h"
#include "tests/controls/ControlTestHost.h"

#include <gtest/gtest.h>

namespace {

using controls_test::ControlTestHost;
using controls_test::TypeText;
using test_support::TextOf;

constexpr UINT kEditId = 300;

// A host window with one template-like edit control bound to a CEditEx.
class EditExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(400, 200));
        hwnd = host.Child(L"EDIT", WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER, 10, 10, 160, 24, kEditId);
        ASSERT_NE(hwnd, nullptr);
        ASSERT_TRUE(edit.SubclassWindow(hwnd));
        other = host.Child(L"EDIT", WS_BORDER, 10, 50, 160, 24, kEditId + 1);
        ::SetFocus(hwnd);
        host.Pump(0);
    }
    void TearDown() override {
        edit.DestroyWindow();
        host.Pump(0);
    }

    // Sets the text and puts the caret at pos (-1: the end).
    void Start(const wchar_t* text, int pos = -1) {
        ::SetWindowTextW(hwnd, text);
        if (pos < 0)
            pos = ::GetWindowTextLengthW(hwnd);
        ::SendMessageW(hwnd, EM_SETSEL, pos, pos);
    }
    std::wstring Typed(const wchar_t* keys) {
        TypeText(host, hwnd, keys);
        host.Pump(0);
        return TextOf(hwnd);
    }
    std::wstring Pasted(const wchar_t* clip) {
        EXPECT_TRUE(controls_test::SetClipboardText(host.m_hWnd, clip));
        ::SendMessageW(hwnd, WM_PASTE, 0, 0);
        return TextOf(hwnd);
    }
    std::wstring Validated() {
        CString text;
        edit.GetValidatedText(text);
        return text.str();
    }

    ControlTestHost host;
    CEditEx edit;
    HWND hwnd = nullptr;
    HWND other = nullptr;
};

TEST_F(EditExTest, AttachingStartsInTextModeWithoutLimit) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
    EXPECT_FALSE(style & ES_NUMBER);
    EXPECT_FALSE(style & ES_RIGHT);
    // The platform keeps its own largest single-line limit.
    EXPECT_GE(::SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    Start(L"");
    EXPECT_EQ(Typed(L"a-0b"), L"a-0b");
}

TEST_F(EditExTest, NumericRangeSetsStyleAndLimit) {
    edit.SetNumericRange(-99999, 99999);
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
    EXPECT_TRUE(style & ES_NUMBER);
    EXPECT_TRUE(style & ES_RIGHT);
    EXPECT_EQ(::SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0), 6);
    edit.SetTextMode(8);
    EXPECT_FALSE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & (ES_NUMBER | ES_RIGHT));
    EXPECT_EQ(::SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0), 8);
}

// Rows of one edit: the mode (a number range, or text mode with a limit when
// minimum == maximum), the text, the selection (kEnd: the caret at the end),
// what is typed or pasted, and the text after it.
constexpr int kEnd = -1;
struct EditCase {
    int minimum, maximum;
    const wchar_t* text;
    int selStart, selEnd;
    const wchar_t* input;
    const wchar_t* expected;
};

TEST_F(EditExTest, TypingInIntegerMode) {
    const EditCase cases[] = {
        // Beyond the maximum gives the maximum; letters never get in (the
        // platform refuses them in a number field).
        {0, 3000, L"", kEnd, kEnd, L"5000", L"3000"},
        {0, 3000, L"", kEnd, kEnd, L"2999", L"2999"},
        {0, 3000, L"12", kEnd, kEnd, L"x", L"12"},
        // Short numbers below the minimum grow into the range.
        {10, 99, L"", kEnd, kEnd, L"5", L"5"},
        {10, 99, L"5", kEnd, kEnd, L"7", L"57"},
        // The minus sign only at the start of a negative range.
        {-99999, 99999, L"12", 1, 1, L"-", L"12"},
        {-99999, 99999, L"12", 0, 0, L"-", L"-12"},
        {-99999, 99999, L"", kEnd, kEnd, L"-0", L"-"},
        {-99999, 99999, L"-", kEnd, kEnd, L"5", L"-5"},
        {0, 100, L"12", 0, 0, L"-", L"12"},
        // Leading zeros; after a removed zero the caret still follows the
        // typed digit; backspace is not a digit rule's business.
        {-99999, 99999, L"0", kEnd, kEnd, L"7", L"7"},
        {-99999, 99999, L"-0", kEnd, kEnd, L"7", L"-7"},
        {-99999, 99999, L"0", kEnd, kEnd, L"0", L"0"},
        {-99999, 99999, L"25", 0, 0, L"0", L"25"},
        {-99999, 99999, L"0", kEnd, kEnd, L"12", L"12"},
        {-99999, 99999, L"0", kEnd, kEnd, L"\b", L""},
        // Full-width digits from an input method.
        {-99999, 99999, L"", kEnd, kEnd, L"\xFF11\xFF12", L"12"},
        {-99999, 99999, L"", kEnd, kEnd, L"\xFF0D\xFF13", L"-3"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(&c - cases); // the row
        edit.SetNumericRange(c.minimum, c.maximum);
        Start(c.text, c.selStart);
        EXPECT_EQ(Typed(c.input), c.expected);
    }
    edit.SetNumericRange(10, 99);
    Start(L"5");
    EXPECT_EQ(Validated(), L"10");

    // Sent straight to the window, without the message loop.
    edit.SetNumericRange(-99999, 99999);
    Start(L"");
    ::SendMessageW(hwnd, WM_CHAR, 0xFF14, 1);
    EXPECT_EQ(TextOf(hwnd), L"4");
    // Text mode keeps full-width digits.
    edit.SetTextMode(10);
    Start(L"");
    EXPECT_EQ(Typed(L"\xFF11"), L"\xFF11");
}

TEST_F(EditExTest, Pasting) {
    const EditCase cases[] = {
        {0, 100, L"", kEnd, kEnd, L"0042", L"42"},
        {0, 100, L"", kEnd, kEnd, L"\xFF11\xFF12", L"12"},
        {0, 100, L"", kEnd, kEnd, L"1 2", L""},
        {0, 100, L"", kEnd, kEnd, L"1a2", L""},
        {0, 100, L"5", kEnd, kEnd, L"00", L"50"},
        {0, 100, L"50", kEnd, kEnd, L"0", L"50"},               // 500 leaves the range
        {-99999, 99999, L"", kEnd, kEnd, L"\xFF0D\x35", L"-5"}, // full-width minus, 5
        {-99999, 99999, L"5", kEnd, kEnd, L"-3", L"5"},
        {-99999, 99999, L"5", 0, 0, L"-3", L"-35"},
        // Text mode (a limit of five) cuts to the limit.
        {5, 5, L"abc", kEnd, kEnd, L"defgh", L"abcde"},
        {5, 5, L"abc", kEnd, kEnd, L"x\ty", L"abcx "},
        {5, 5, L"abcde", kEnd, kEnd, L"zz", L"abcde"},
        {5, 5, L"abcde", 1, 4, L"1234", L"a123e"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(&c - cases); // the row
        if (c.minimum == c.maximum)
            edit.SetTextMode(c.minimum);
        else
            edit.SetNumericRange(c.minimum, c.maximum);
        Start(c.text, c.selStart);
        if (c.selStart != kEnd)
            ::SendMessageW(hwnd, EM_SETSEL, c.selStart, c.selEnd);
        EXPECT_EQ(Pasted(c.input), c.expected);
    }
}

TEST_F(EditExTest, PasteWithoutUnicodeTextDoesNothing) {
    edit.SetTextMode(20);
    Start(L"keep");
    {
        const unique_clipboard clipboard = OpenClipboardFor(host.m_hWnd);
        ASSERT_TRUE(clipboard);
        ::EmptyClipboard();
    }
    ::SendMessageW(hwnd, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(hwnd), L"keep");
}

TEST_F(EditExTest, ValidatedForms) {
    edit.SetNumericRange(0, 100);
    Start(L"");
    EXPECT_EQ(Validated(), L"");
    edit.SetNumericRange(1, 100);
    EXPECT_EQ(Validated(), L"1");
    edit.SetNumericRange(-100, -1);
    EXPECT_EQ(Validated(), L"-1");
    edit.SetNumericRange(0, 100);
    edit.SetValidatedText(L" 250\t");
    EXPECT_EQ(TextOf(hwnd), L"100");

    edit.SetTextMode(3);
    ::SetWindowTextW(hwnd, L" 12\t");
    EXPECT_EQ(Validated(), L"12");
    ::SetWindowTextW(hwnd, L"abcdef");
    EXPECT_EQ(Validated(), L"abcdef");
    edit.SetValidatedText(L"\tabcdef");
    EXPECT_EQ(TextOf(hwnd), L"abc");
}

TEST_F(EditExTest, FocusLossRewritesOnlyWhenAsked) {
    edit.SetNumericRange(0, 100);
    ::SetWindowTextW(hwnd, L"0150");
    ::SetFocus(other);
    host.Pump(0);
    EXPECT_EQ(TextOf(hwnd), L"0150");

    edit.m_bValidateOnKillFocus = true;
    ::SetFocus(hwnd);
    ::SetFocus(other);
    host.Pump(0);
    EXPECT_EQ(TextOf(hwnd), L"100");
}

// The colours the control supplies to its parent's WM_CTLCOLOR* handling.
struct Supplied {
    HBRUSH brush;
    int bkMode;
    COLORREF text;
    COLORREF back;
};

Supplied AskColours(ControlTestHost& host, HWND hwnd, UINT message) {
    unique_memory_dc dc(::CreateCompatibleDC(nullptr));
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), RGB(1, 2, 3));
    ::SetBkColor(dc.get(), RGB(4, 5, 6));
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
        host.m_hWnd, message, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(hwnd)));
    return {brush, ::GetBkMode(dc.get()), ::GetTextColor(dc.get()), ::GetBkColor(dc.get())};
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info{};
    ::GetObjectW(brush, sizeof(info), &info);
    return info.lbColor;
}

TEST_F(EditExTest, StateColoursBlendTowardTheSystemColours) {
    const int faintYellow = controls::EditColors::MakeValue(RGB(255, 255, 143), 9);
    edit.SetStateColors(CEditEx::STATE_NORMAL, -1, faintYellow);
    edit.SetStateColors(CEditEx::STATE_READONLY, RGB(200, 0, 0), RGB(10, 20, 30));

    Supplied normal = AskColours(host, hwnd, WM_CTLCOLOREDIT);
    ASSERT_NE(normal.brush, nullptr);
    const COLORREF expected =
        static_cast<COLORREF>(controls::EditColors::Effective(faintYellow, ::GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(BrushColour(normal.brush), expected);
    EXPECT_EQ(normal.back, expected);
    EXPECT_EQ(normal.bkMode, OPAQUE);
    EXPECT_EQ(normal.text, RGB(1, 2, 3)); // text colour not set
    if ((::GetSysColor(COLOR_WINDOW) & 0xFFFFFF) == RGB(255, 255, 255)) {
        EXPECT_EQ(expected, RGB(254, 254, 243));
    }

    ::SendMessageW(hwnd, EM_SETREADONLY, TRUE, 0);
    Supplied readOnly = AskColours(host, hwnd, WM_CTLCOLORSTATIC);
    EXPECT_EQ(BrushColour(readOnly.brush), RGB(10, 20, 30));
    EXPECT_EQ(readOnly.text, RGB(200, 0, 0));

    // The disabled state was never set: the control supplies nothing.
    ::EnableWindow(hwnd, FALSE);
    Supplied disabled = AskColours(host, hwnd, WM_CTLCOLORSTATIC);
    EXPECT_NE(disabled.brush, readOnly.brush);
    EXPECT_EQ(disabled.bkMode, TRANSPARENT);

    // After a theme change every state is active, the unset one included: it
    // sets the background mode and supplies no brush of its own.
    EXPECT_EQ(::SendMessageW(hwnd, WM_THEMECHANGED, 0, 0), 0);
    Supplied themed = AskColours(host, hwnd, WM_CTLCOLORSTATIC);
    EXPECT_EQ(themed.bkMode, OPAQUE);
    EXPECT_NE(themed.brush, readOnly.brush);
    ::EnableWindow(hwnd, TRUE);
    EXPECT_EQ(BrushColour(AskColours(host, hwnd, WM_CTLCOLOREDIT).brush), expected);
}

TEST_F(EditExTest, HighContrastUsesTheSystemColours) {
    edit.SetStateColors(CEditEx::STATE_NORMAL, RGB(255, 0, 0), RGB(0, 0, 255));
    HIGHCONTRASTW before{};
    before.cbSize = sizeof(before);
    ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(before), &before, 0);
    HIGHCONTRASTW on = before;
    on.dwFlags |= HCF_HIGHCONTRASTON;
    on.lpszDefaultScheme = nullptr;
    if (!::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(on), &on, 0))
        GTEST_SKIP() << "high contrast cannot be switched on here";
    HIGHCONTRASTW now{};
    now.cbSize = sizeof(now);
    ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(now), &now, 0);
    const bool switched = (now.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const Supplied supplied = AskColours(host, hwnd, WM_CTLCOLOREDIT);
    HIGHCONTRASTW off = before;
    off.dwFlags &= ~HCF_HIGHCONTRASTON;
    off.lpszDefaultScheme = nullptr;
    ::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(off), &off, 0);
    if (!switched)
        GTEST_SKIP() << "high contrast is not kept here";
    EXPECT_NE(BrushColour(supplied.brush), RGB(0, 0, 255));
    EXPECT_NE(supplied.text, RGB(255, 0, 0));
}

} // namespace
