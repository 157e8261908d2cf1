// The application base of Frimlet2: the known-folder table with its folder
// macros, and the registry operations for strings, paths and the string list,
// all in the application key (the empty section).
#pragma once

#include "app/FolderMacroTable.h"
#include "framework/CArray.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"

#include <string>

class CProfileSupportWinApp : public CWinApp {
public:
    explicit CProfileSupportWinApp(const wchar_t* appName = nullptr);

    // Known folders. The paths are filled at construction; the display names
    // by InitFolderDisplayNames once COM is initialised.
    void InitFolderDisplayNames();
    void ExpandFolderMacros(const wchar_t* in, CString& out) const;
    void CompactFolderMacros(const wchar_t* in, CString& out) const;
    void ToDisplayPath(const wchar_t* in, CString& out) const;
    void FromDisplayPath(const wchar_t* in, CString& out) const;
    CString GetDefaultOutputPath() const;

    // Registry values in the application key.
    CString ReadStringSetting(const wchar_t* name, const wchar_t* defaultValue) const;
    CString ReadPathSetting(const wchar_t* name, const wchar_t* defaultValue) const;
    BOOL WritePathSetting(const wchar_t* name, const wchar_t* path) const;
    BOOL ReadStringList(CArray<CString>& list) const;
    BOOL WriteStringList(const CArray<CString>* list) const;

    static void RemoveTrailingBackslashes(CString& path);

    // For tests and diagnostics: replace a known folder's path/display name.
    FolderMacroTable& Folders() { return m_folders; }
    const FolderMacroTable& Folders() const { return m_folders; }

    wchar_t m_szPicturesPath[MAX_PATH + 1] = {};
    wchar_t m_szDocumentsPath[MAX_PATH + 1] = {};
    wchar_t m_szDesktopPath[MAX_PATH + 1] = {};
    wchar_t m_szDownloadsPath[MAX_PATH + 1] = {};
    CString m_strPicturesDisplayName;
    CString m_strDesktopDisplayName;
    CString m_strDocumentsDisplayName;
    CString m_strDownloadsDisplayName;

private:
    void SyncTable();
    FolderMacroTable m_folders;
};

// The running application's profile support (null when none exists).
CProfileSupportWinApp* GetProfileApp();

// A path in the form the user sees, and back, through the running
// application's folder names; unchanged when there is no such application.
CString DisplayPath(const wchar_t* path);
CString RealPath(const wchar_t* displayPath);
