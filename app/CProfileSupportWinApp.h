// The application base of Frimlet2: the known-folder table behind the folder
// macros, and the program's profile in the application key of the registry.
#pragma once

#include "app/FolderMacroTable.h"
#include "app/Profile.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"

class CProfileSupportWinApp : public CWinApp, public Profile {
public:
    explicit CProfileSupportWinApp(const wchar_t* appName = nullptr);

    // Known folders. The paths are filled at construction; the display names
    // by InitFolderDisplayNames once COM is initialised.
    void InitFolderDisplayNames();

    // The profile: values of the application key (the empty section).
    int ReadInt(const wchar_t* name, int defaultValue) const override;
    bool WriteInt(const wchar_t* name, int value) const override;
    CString ReadString(const wchar_t* name, const wchar_t* defaultValue) const override;
    bool WriteString(const wchar_t* name, const wchar_t* value) const override;
    unique_hkey OpenAppKey() const override;
    const FolderMacroTable& Folders() const override { return m_folders; }
    // For tests and diagnostics: replace a known folder's path/display name.
    FolderMacroTable& Folders() { return m_folders; }

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
