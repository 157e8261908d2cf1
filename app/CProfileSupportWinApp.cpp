#include "app/CProfileSupportWinApp.h"

#include "app/SettingsRules.h"
#include "framework/Handles.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <shellapi.h>

namespace {
const wchar_t kStringListValue[] = L"SelectSizeList_v2";

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

CProfileSupportWinApp* GetProfileApp() {
    return dynamic_cast<CProfileSupportWinApp*>(AfxGetApp());
}

CString DisplayPath(const wchar_t* path) {
    CString out = path;
    if (CProfileSupportWinApp* app = GetProfileApp())
        app->ToDisplayPath(path, out);
    return out;
}

CString RealPath(const wchar_t* displayPath) {
    CString out = displayPath;
    if (CProfileSupportWinApp* app = GetProfileApp())
        app->FromDisplayPath(displayPath, out);
    return out;
}

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

void CProfileSupportWinApp::ExpandFolderMacros(const wchar_t* in, CString& out) const {
    out = FromU16(m_folders.Expand(ToU16(in)));
}

void CProfileSupportWinApp::CompactFolderMacros(const wchar_t* in, CString& out) const {
    out = FromU16(m_folders.Compact(ToU16(in)));
}

void CProfileSupportWinApp::ToDisplayPath(const wchar_t* in, CString& out) const {
    out = FromU16(m_folders.ToDisplay(ToU16(in)));
}

void CProfileSupportWinApp::FromDisplayPath(const wchar_t* in, CString& out) const {
    out = FromU16(m_folders.FromDisplay(ToU16(in)));
}

CString CProfileSupportWinApp::GetDefaultOutputPath() const {
    CString out;
    ExpandFolderMacros(L"%MYPICTURES%\\Frimlet2", out);
    return out;
}

void CProfileSupportWinApp::RemoveTrailingBackslashes(CString& path) {
    path = FromU16(SettingsRules::RemoveTrailingBackslashes(AsU16(path)));
}

CString CProfileSupportWinApp::ReadStringSetting(const wchar_t* name, const wchar_t* defaultValue) const {
    CString value = GetProfileString(L"", name, defaultValue);
    CString trimmed = FromU16(SettingsRules::TrimWhiteSpace(AsU16(value)));
    if (trimmed.IsEmpty() && defaultValue)
        return CString(defaultValue);
    return trimmed;
}

CString CProfileSupportWinApp::ReadPathSetting(const wchar_t* name, const wchar_t* defaultValue) const {
    CString path = ReadStringSetting(name, defaultValue);
    RemoveTrailingBackslashes(path);
    CString out;
    ExpandFolderMacros(path, out);
    return out;
}

BOOL CProfileSupportWinApp::WritePathSetting(const wchar_t* name, const wchar_t* path) const {
    if (!path)
        return WriteProfileString(L"", name, nullptr);
    CString copy = path;
    RemoveTrailingBackslashes(copy);
    CString compact;
    CompactFolderMacros(copy, compact);
    return WriteProfileString(L"", name, compact);
}

BOOL CProfileSupportWinApp::ReadStringList(CArray<CString>& list) const {
    if (!UsesRegistry())
        return FALSE;
    unique_hkey key = GetAppRegistryKey();
    if (!key)
        return FALSE;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key.get(), kStringListValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return FALSE;
    unique_local buffer(::LocalAlloc(LMEM_ZEROINIT, size + 2));
    if (!buffer)
        return FALSE;
    DWORD read = size;
    if (::RegQueryValueExW(key.get(), kStringListValue, nullptr, &type, static_cast<BYTE*>(buffer.get()),
                           &read) != ERROR_SUCCESS)
        return FALSE;
    key.reset();
    if (read > size)
        read = size;
    for (const auto& s : SettingsRules::DecodeMultiString(static_cast<const char16_t*>(buffer.get()), read))
        list.Add(FromU16(s));
    return TRUE;
}

BOOL CProfileSupportWinApp::WriteStringList(const CArray<CString>* list) const {
    if (!UsesRegistry())
        return FALSE;
    unique_hkey key = GetAppRegistryKey();
    if (!key)
        return FALSE;
    if (!list)
        return ::RegDeleteValueW(key.get(), kStringListValue) == ERROR_SUCCESS;
    std::vector<std::u16string> strings;
    strings.reserve(static_cast<size_t>(list->GetSize()));
    for (const CString& s : *list)
        strings.emplace_back(AsU16(s));
    std::vector<char16_t> data = SettingsRules::EncodeMultiString(strings);
    return ::RegSetValueExW(key.get(), kStringListValue, 0, REG_MULTI_SZ,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size() * sizeof(char16_t))) == ERROR_SUCCESS;
}
