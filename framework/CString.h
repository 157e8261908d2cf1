// A wide-character string with the operations the program's windows and
// stores use. Format follows the Windows printf rules for wide strings: %s and
// %c take wide arguments (as in the platform's own wide formatting functions).
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_strValue(text ? text : L"") {}
    CString(const wchar_t* text, int length)
        : m_strValue(text ? std::wstring(text, static_cast<size_t>(length)) : L"") {}
    CString(std::wstring_view text) : m_strValue(text) {}
    CString(wchar_t ch, int repeat = 1) : m_strValue(static_cast<size_t>(repeat < 0 ? 0 : repeat), ch) {}

    int GetLength() const { return static_cast<int>(m_strValue.size()); }
    bool IsEmpty() const { return m_strValue.empty(); }
    void Empty() { m_strValue.clear(); }
    wchar_t GetAt(int index) const { return m_strValue[static_cast<size_t>(index)]; }
    wchar_t operator[](int index) const { return GetAt(index); }
    operator const wchar_t*() const { return m_strValue.c_str(); }
    const wchar_t* GetString() const { return m_strValue.c_str(); }
    const std::wstring& str() const { return m_strValue; }
    std::wstring_view view() const { return m_strValue; }

    CString& operator=(const wchar_t* text) {
        m_strValue = text ? text : L"";
        return *this;
    }
    CString& operator+=(const CString& other) {
        m_strValue += other.m_strValue;
        return *this;
    }
    CString& operator+=(const wchar_t* text) {
        if (text)
            m_strValue += text;
        return *this;
    }
    CString& operator+=(wchar_t ch) {
        m_strValue += ch;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_strValue + b.m_strValue);
    }
    friend CString operator+(const CString& a, const wchar_t* b) {
        return CString(a.m_strValue + (b ? b : L""));
    }
    friend CString operator+(const wchar_t* a, const CString& b) {
        return CString((a ? a : L"") + b.m_strValue);
    }
    friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_strValue + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_strValue == b.m_strValue; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_strValue == (b ? b : L""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_strValue < b.m_strValue; }

    // Replaces the contents with formatted text; returns false (and leaves the
    // string empty) when the format cannot be applied.
    bool Format(const wchar_t* format, ...);
    bool FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);

    int CompareNoCase(const wchar_t* other) const;
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Insert(int index, const wchar_t* text);
    void Truncate(int length);
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimRight(wchar_t ch);
    CString& MakeLower();
    CString& MakeUpper();

    // Returns the next token from start: leading separators are skipped and a
    // run of separators counts as one. When no token is left, returns an empty
    // string and sets start to -1.
    CString Tokenize(const wchar_t* separators, int& start) const;

    // Loads a string resource of this module; false when it does not exist.
    bool LoadString(UINT id);

    // Direct access for APIs that write into a buffer: GetBuffer gives room for
    // at least minLength characters plus a terminator; ReleaseBuffer takes the
    // length (or, with -1, the length up to the first NUL).
    wchar_t* GetBuffer(int minLength);
    wchar_t* GetBuffer() { return GetBuffer(GetLength()); }
    void ReleaseBuffer(int newLength = -1);

private:
    std::wstring m_strValue;
};

// Windows' wchar_t strings and the core's char16_t strings hold the same
// UTF-16 code units; these pass text between them.
inline std::u16string ToU16(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::u16string_view AsU16(const CString& text) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(text.GetString()),
                               static_cast<size_t>(text.GetLength()));
}
inline CString FromU16(std::u16string_view text) {
    return CString(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}
