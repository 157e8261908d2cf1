#include "framework/CFileFind.h"

#include <vector>

bool CFileFind::FindFile(const wchar_t* pattern) {
    Close();
    CString search = pattern ? pattern : L"*.*";
    m_hFind.reset(::FindFirstFileW(search, &m_next));
    if (!m_hFind)
        return false;
    m_bHasNext = true;

    // The folder of the pattern, as a full path, joins the names found.
    DWORD needed = ::GetFullPathNameW(search, 0, nullptr, nullptr);
    if (needed) {
        std::vector<wchar_t> full(needed + 1);
        wchar_t* namePart = nullptr;
        DWORD length = ::GetFullPathNameW(search, needed + 1, full.data(), &namePart);
        if (length && length <= needed) {
            m_strRoot = CString(full.data(), namePart ? static_cast<int>(namePart - full.data())
                                                      : static_cast<int>(length));
            m_strRoot.TrimRight(L'\\');
        }
    }
    return true;
}

bool CFileFind::FindNextFile() {
    if (!m_bHasNext)
        return false;
    m_current = m_next;
    m_bHasCurrent = true;
    m_bHasNext = ::FindNextFileW(m_hFind.get(), &m_next) != FALSE;
    return m_bHasNext;
}

void CFileFind::Close() {
    m_hFind.reset();
    m_bHasNext = false;
    m_bHasCurrent = false;
    m_strRoot.Empty();
}

CString CFileFind::GetFileName() const {
    return m_bHasCurrent ? CString(m_current.cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
    if (!m_bHasCurrent)
        return CString();
    return m_strRoot + L"\\" + m_current.cFileName;
}

bool CFileFind::IsDirectory() const {
    return m_bHasCurrent && (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CFileFind::IsDots() const {
    if (!m_bHasCurrent || !IsDirectory())
        return false;
    const wchar_t* n = m_current.cFileName;
    return (n[0] == L'.' && n[1] == 0) || (n[0] == L'.' && n[1] == L'.' && n[2] == 0);
}

ULONGLONG CFileFind::GetLength() const {
    return m_bHasCurrent ? (static_cast<ULONGLONG>(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow
                         : 0;
}
