#include "frame/LastCapture.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <shellapi.h>
#include <shlobj.h>

HRESULT OpenFolderAndSelect(const wchar_t* path) {
    // The shell needs COM on the calling thread; the program's thread has it
    // already, this only balances its own initialisation.
    ComApartment apartment;
    PIDLIST_ABSOLUTE item = nullptr;
    const HRESULT parsed = ::SHParseDisplayName(path, nullptr, &item, 0, nullptr);
    const unique_pidl owned(item);
    if (FAILED(parsed))
        return parsed;
    // No child list: the item itself is selected in its parent folder.
    return ::SHOpenFolderAndSelectItems(owned.get(), 0, nullptr, 0);
}

bool ExecuteWithShell(HWND owner, const wchar_t* verb, const wchar_t* path) {
    ComApartment apartment;
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteW(owner, verb, path, nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool IsExistingFile(const wchar_t* path) {
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool LastCapture::Exists() const {
    return !m_strPath.IsEmpty() && m_calls.fileExists(m_strPath);
}

void LastCapture::OpenFolder(HWND owner, const CString& folder) const {
    // A capture from before the output folder changed belongs to another folder.
    const int slash = m_strPath.ReverseFind(L'\\');
    const bool inFolder = slash > 0 && CString(m_strPath.GetString(), slash).CompareNoCase(folder) == 0;
    if (inFolder && Exists() && SUCCEEDED(m_calls.openFolderAndSelect(m_strPath)))
        return;
    m_calls.execute(owner, nullptr, folder);
}

bool LastCapture::OpenFile(HWND owner) const {
    return Exists() && m_calls.execute(owner, L"open", m_strPath);
}
