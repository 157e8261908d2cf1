#include "frame/OutputFolderCheck.h"

#include "app/Settings.h"
#include "res/resource.h"

#include <string>

namespace {

// The root of a path's drive ("C:\", "\\server\share\"), or empty.
std::wstring RootOf(const wchar_t* path) {
    wchar_t root[MAX_PATH] = {};
    if (!path || !*path || ::GetVolumePathNameW(path, root, MAX_PATH) == 0)
        return std::wstring();
    return root;
}

} // namespace

FolderProblem PrepareOutputFolder(const wchar_t* path) {
    const DWORD error = CreateFolderIfMissing(path);
    if (error == ERROR_SUCCESS)
        return FolderProblem::None;
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FolderProblem::IsFile;
    // A drive that is not there at all (an unplugged disk, a network drive
    // not connected) is told apart from a folder that could not be made.
    const std::wstring root = RootOf(path);
    if (root.empty() || ::GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR)
        return FolderProblem::DriveMissing;
    return FolderProblem::Missing;
}

CString FolderProblemText(FolderProblem problem, const wchar_t* path) {
    UINT id = 0;
    switch (problem) {
    case FolderProblem::None:
        return CString();
    case FolderProblem::Missing:
        id = IDS_FOLDER_MISSING;
        break;
    case FolderProblem::DriveMissing:
        id = IDS_FOLDER_DRIVE_MISSING;
        break;
    case FolderProblem::IsFile:
        id = IDS_FOLDER_IS_FILE;
        break;
    }
    CString format, text;
    format.LoadString(id);
    text.Format(format, path ? path : L"");
    return text;
}
