#include "capture/CaptureResult.h"

#include "framework/Handles.h"
#include "res/resource.h"

#include <shlobj.h>

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

bool IsAccessDenied(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == static_cast<DWORD>(E_ACCESSDENIED);
}

// Whether path is folder itself or lies inside it, as Windows compares
// file names (without regard to case).
bool IsInside(const std::wstring& path, std::wstring folder) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    if (folder.empty() || path.size() < folder.size())
        return false;
    if (::CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                               static_cast<int>(folder.size()), true) != CSTR_EQUAL)
        return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\' || path[folder.size()] == L'/';
}

} // namespace

std::vector<std::wstring> ProtectedUserFolders() {
    std::vector<std::wstring> folders;
    for (REFKNOWNFOLDERID id : {FOLDERID_Pictures, FOLDERID_Documents, FOLDERID_Desktop}) {
        PWSTR path = nullptr;
        if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) && path)
            folders.emplace_back(path);
        ::CoTaskMemFree(path); // also when the call failed, as the documentation asks
    }
    return folders;
}

CString SystemErrorText(DWORD error) {
    if (error == 0)
        return CString();
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return CString(text.c_str());
}

CString ExplainCaptureResult(const CaptureResult& result, const std::vector<std::wstring>& protectedFolders) {
    UINT id = 0;
    switch (result.failed) {
    case CaptureResult::Step::None:
        // A result of 0 with no failing step: the encoder wrote nothing.
        if (result.Written())
            return CString();
        id = IDS_FAIL_ENCODER;
        break;
    case CaptureResult::Step::Screen:
        id = IDS_FAIL_SCREEN;
        break;
    case CaptureResult::Step::Folder:
        id = IDS_FAIL_FOLDER;
        break;
    case CaptureResult::Step::File:
        id = IDS_FAIL_FILE;
        break;
    case CaptureResult::Step::Encoder:
        id = IDS_FAIL_ENCODER;
        break;
    case CaptureResult::Step::Clipboard:
        id = IDS_FAIL_CLIPBOARD;
        break;
    }
    CString text;
    text.Format(LoadText(id), result.path.c_str());
    const CString reason = SystemErrorText(result.error);
    if (!reason.IsEmpty())
        text += L"\r\n" + reason;
    if (IsAccessDenied(result.error))
        for (const std::wstring& folder : protectedFolders)
            if (IsInside(result.path, folder)) {
                text += L"\r\n" + LoadText(IDS_FAIL_PROTECTED_FOLDER);
                break;
            }
    return text;
}
