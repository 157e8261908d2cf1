#include "app/CProfileSupportWinApp.h"

#include "framework/Handles.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <shellapi.h>

namespace {
void FolderPath(int csidl, wchar_t (&buffer)[MAX_PATH + 1]) {
    ZeroMemory(buffer, sizeof(buffer));
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        ZeroMemory(buffer, sizeof(buffer));
}

CString DisplayNameOf(const wchar_t* path) {
    if (!path || !*path)
        return CString();
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_DISPLAYNAME))
        return CString();
    return CString(info.szDisplayName);
}
} // namespace

CProfileSupportWinApp::CProfileSupportWinApp(const wchar_t* appName) : CWinApp(appName) {
    FolderPath(CSIDL_MYPICTURES, m_szPicturesPath);
    FolderPath(CSIDL_PERSONAL, m_szDocumentsPath);
    FolderPath(CSIDL_DESKTOP, m_szDesktopPath);
    unique_cotaskmem<PWSTR> downloads;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, downloads.put())) && downloads)
        lstrcpynW(m_szDownloadsPath, downloads.get(), MAX_PATH);
    SyncTable();
}

void CProfileSupportWinApp::SyncTable() {
    m_folders.SetPath(FolderMacroTable::Pictures, ToU16(m_szPicturesPath));
    m_folders.SetPath(FolderMacroTable::Desktop, ToU16(m_szDesktopPath));
    m_folders.SetPath(FolderMacroTable::Documents, ToU16(m_szDocumentsPath));
    m_folders.SetPath(FolderMacroTable::Downloads, ToU16(m_szDownloadsPath));
    m_folders.SetDisplayName(FolderMacroTable::Pictures, ToU16(m_strPicturesDisplayName));
    m_folders.SetDisplayName(FolderMacroTable::Desktop, ToU16(m_strDesktopDisplayName));
    m_folders.SetDisplayName(FolderMacroTable::Documents, ToU16(m_strDocumentsDisplayName));
    m_folders.SetDisplayName(FolderMacroTable::Downloads, ToU16(m_strDownloadsDisplayName));
}

void CProfileSupportWinApp::InitFolderDisplayNames() {
    m_strPicturesDisplayName = DisplayNameOf(m_szPicturesPath);
    m_strDesktopDisplayName = DisplayNameOf(m_szDesktopPath);
    m_strDocumentsDisplayName = DisplayNameOf(m_szDocumentsPath);
    m_strDownloadsDisplayName = DisplayNameOf(m_szDownloadsPath);
    SyncTable();
}

int CProfileSupportWinApp::ReadInt(const wchar_t* name, int defaultValue) const {
    return static_cast<int>(GetProfileInt(L"", name, defaultValue));
}

bool CProfileSupportWinApp::WriteInt(const wchar_t* name, int value) const {
    return WriteProfileInt(L"", name, value);
}

CString CProfileSupportWinApp::ReadString(const wchar_t* name, const wchar_t* defaultValue) const {
    return GetProfileString(L"", name, defaultValue);
}

bool CProfileSupportWinApp::WriteString(const wchar_t* name, const wchar_t* value) const {
    return WriteProfileString(L"", name, value);
}

unique_hkey CProfileSupportWinApp::OpenAppKey() const {
    return UsesRegistry() ? GetAppRegistryKey() : unique_hkey();
}
