// The application object: one per process, reached through AfxGetApp. It
// knows the application's name and its registry key, and offers the profile
// functions that read and write values under
// HKEY_CURRENT_USER\Software\<company>\<application name>\<section>; the empty
// section is the application key itself.
#pragma once

#include "framework/CString.h"
#include "framework/Handles.h"

class CWnd;

class CWinApp {
public:
    // appName null: the executable's base name (Frimlet2.exe gives Frimlet2).
    explicit CWinApp(const wchar_t* appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual bool InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    void SetRegistryKey(const wchar_t* company);
    bool UsesRegistry() const { return !m_strRegistryKey.IsEmpty(); }

    // The application key, created when missing; the caller closes it.
    unique_hkey GetAppRegistryKey() const;
    unique_hkey GetSectionKey(const wchar_t* section) const;

    UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
    bool WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) const;
    CString GetProfileString(const wchar_t* section, const wchar_t* entry,
                             const wchar_t* defaultValue = nullptr) const;
    // A null value deletes the entry.
    bool WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value) const;

    CWnd* m_pMainWnd = nullptr;

private:
    CString m_strAppName;
    CString m_strRegistryKey;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
