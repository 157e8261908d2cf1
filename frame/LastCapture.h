// The file the last capture wrote, and the two ways back to it: the output
// folder opened with that file selected, and the file opened in the user's
// default viewer. The shell calls are replaceable for tests.
#pragma once

#include "framework/CString.h"

#include <windows.h>

// Opens a window of the folder holding the item at path with that item
// selected (SHParseDisplayName, then SHOpenFolderAndSelectItems).
HRESULT OpenFolderAndSelect(const wchar_t* path);
// ShellExecuteW with the verb (null: the default verb); true above 32.
bool ExecuteWithShell(HWND owner, const wchar_t* verb, const wchar_t* path);
// Whether a file (not a folder) is at path.
bool IsExistingFile(const wchar_t* path);

// The shell calls of LastCapture, the system's by default.
struct LastCaptureCalls {
    HRESULT (*openFolderAndSelect)(const wchar_t* path) = &OpenFolderAndSelect;
    bool (*execute)(HWND owner, const wchar_t* verb, const wchar_t* path) = &ExecuteWithShell;
    bool (*fileExists)(const wchar_t* path) = &IsExistingFile;
};

class LastCapture {
public:
    explicit LastCapture(const LastCaptureCalls& calls = LastCaptureCalls()) : m_calls(calls) {}

    // The full path of the file a capture has just written.
    void Remember(const CString& path) { m_strPath = path; }
    const CString& Path() const { return m_strPath; }
    // Whether there is a last capture and its file is still there.
    bool Exists() const;

    // F2: the folder with the last capture selected when it is still there in
    // folder, otherwise just folder (with the default verb).
    void OpenFolder(HWND owner, const CString& folder) const;
    // Opens the last capture in the user's default viewer; false when there
    // is none or the shell refused.
    bool OpenFile(HWND owner) const;

private:
    LastCaptureCalls m_calls;
    CString m_strPath;
};
