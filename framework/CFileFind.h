// Enumerates the file-system entries that match a pattern.
#pragma once

#include "framework/CString.h"
#include "framework/Handles.h"

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() = default;

    // Starts a search; true when at least one entry matches. A null pattern
    // searches "*.*". The first entry becomes current after FindNextFile.
    bool FindFile(const wchar_t* pattern = nullptr);
    // Moves to the next entry; returns false when the current one is the last
    // (it is still current and readable then).
    bool FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    bool IsDirectory() const;
    bool IsDots() const;
    ULONGLONG GetLength() const;

private:
    unique_find m_hFind;
    WIN32_FIND_DATAW m_next{};
    WIN32_FIND_DATAW m_current{};
    bool m_bHasNext = false;
    bool m_bHasCurrent = false;
    CString m_strRoot;
};
