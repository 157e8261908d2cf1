#include "framework/CString.h"

#include <cwchar>
#include <cwctype>
#include <vector>

namespace {
// The platform's own wide formatter, where %s and %c take wide arguments.
// MinGW's C++ mode maps the standard names to C99 semantics, so the
// underscore-prefixed entry points of the C runtime are called directly.
int PlatformFormatLength(const wchar_t* format, va_list args) {
    return _vscwprintf(format, args);
}
int PlatformFormat(wchar_t* buffer, size_t count, const wchar_t* format, va_list args) {
    return _vsnwprintf(buffer, count, format, args);
}
} // namespace

bool CString::FormatV(const wchar_t* format, va_list args) {
    m_strValue.clear();
    if (!format)
        return false;
    va_list copy;
    va_copy(copy, args);
    int length = PlatformFormatLength(format, copy);
    va_end(copy);
    if (length < 0)
        return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    va_copy(copy, args);
    int written = PlatformFormat(buffer.data(), buffer.size(), format, copy);
    va_end(copy);
    if (written < 0)
        return false;
    m_strValue.assign(buffer.data(), static_cast<size_t>(written));
    return true;
}

bool CString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    bool ok = FormatV(format, args);
    va_end(args);
    return ok;
}

void CString::AppendFormat(const wchar_t* format, ...) {
    CString more;
    va_list args;
    va_start(args, format);
    more.FormatV(format, args);
    va_end(args);
    m_strValue += more.m_strValue;
}

int CString::CompareNoCase(const wchar_t* other) const {
    return CompareStringOrdinal(m_strValue.c_str(), -1, other ? other : L"", -1, TRUE) - CSTR_EQUAL;
}

int CString::Find(wchar_t ch, int start) const {
    if (start < 0 || start > GetLength())
        return -1;
    size_t pos = m_strValue.find(ch, static_cast<size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t pos = m_strValue.find(sub, static_cast<size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
    size_t pos = m_strValue.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const {
    if (count <= 0)
        return CString();
    return CString(m_strValue.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const {
    if (first < 0)
        first = 0;
    if (first >= GetLength())
        return CString();
    return CString(m_strValue.substr(static_cast<size_t>(first)));
}

CString CString::Mid(int first, int count) const {
    if (first < 0)
        first = 0;
    if (count <= 0 || first >= GetLength())
        return CString();
    return CString(m_strValue.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_strValue.substr(m_strValue.size() - static_cast<size_t>(count)));
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    if (!oldText || !*oldText)
        return 0;
    std::wstring_view from(oldText);
    std::wstring_view to(newText ? newText : L"");
    std::wstring result;
    int count = 0;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_strValue.find(from, pos);
        if (hit == std::wstring::npos)
            break;
        result.append(m_strValue, pos, hit - pos);
        result.append(to);
        pos = hit + from.size();
        ++count;
    }
    if (count) {
        result.append(m_strValue, pos, std::wstring::npos);
        m_strValue.swap(result);
    }
    return count;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
    int count = 0;
    for (auto& ch : m_strValue) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Insert(int index, const wchar_t* text) {
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    m_strValue.insert(static_cast<size_t>(index), text ? text : L"");
    return GetLength();
}

void CString::Truncate(int length) {
    if (length >= 0 && length < GetLength())
        m_strValue.resize(static_cast<size_t>(length));
}

CString& CString::TrimRight() {
    size_t end = m_strValue.size();
    while (end > 0 && std::iswspace(m_strValue[end - 1]))
        --end;
    m_strValue.resize(end);
    return *this;
}

CString& CString::TrimRight(wchar_t ch) {
    size_t end = m_strValue.size();
    while (end > 0 && m_strValue[end - 1] == ch)
        --end;
    m_strValue.resize(end);
    return *this;
}

CString& CString::TrimLeft() {
    size_t begin = 0;
    while (begin < m_strValue.size() && std::iswspace(m_strValue[begin]))
        ++begin;
    m_strValue.erase(0, begin);
    return *this;
}

CString& CString::Trim() {
    TrimRight();
    return TrimLeft();
}

CString& CString::MakeLower() {
    if (!m_strValue.empty())
        CharLowerBuffW(m_strValue.data(), static_cast<DWORD>(m_strValue.size()));
    return *this;
}

CString& CString::MakeUpper() {
    if (!m_strValue.empty())
        CharUpperBuffW(m_strValue.data(), static_cast<DWORD>(m_strValue.size()));
    return *this;
}

CString CString::Tokenize(const wchar_t* separators, int& start) const {
    if (start < 0 || start > GetLength()) {
        start = -1;
        return CString();
    }
    std::wstring_view seps(separators ? separators : L"");
    size_t pos = static_cast<size_t>(start);
    if (!seps.empty()) {
        pos = m_strValue.find_first_not_of(seps, pos);
        if (pos == std::wstring::npos) {
            start = -1;
            return CString();
        }
    } else if (pos >= m_strValue.size()) {
        start = -1;
        return CString();
    }
    size_t end = seps.empty() ? m_strValue.size() : m_strValue.find_first_of(seps, pos);
    if (end == std::wstring::npos)
        end = m_strValue.size();
    start = static_cast<int>(end < m_strValue.size() ? end + 1 : end);
    return CString(m_strValue.substr(pos, end - pos));
}

bool CString::LoadString(UINT id) {
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || !text) {
        m_strValue.clear();
        return false;
    }
    m_strValue.assign(text, static_cast<size_t>(length));
    return true;
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength < GetLength())
        minLength = GetLength();
    m_strValue.resize(static_cast<size_t>(minLength));
    return m_strValue.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        size_t nul = m_strValue.find(L'\0');
        if (nul != std::wstring::npos)
            m_strValue.resize(nul);
    } else if (static_cast<size_t>(newLength) <= m_strValue.size()) {
        m_strValue.resize(static_cast<size_t>(newLength));
    }
}
