// The file a capture is encoded into before it takes its real name, and the
// removal of such files that an interrupted run left behind.
#pragma once

#include <windows.h>

#include <string>

class TemporaryImageFile {
public:
    TemporaryImageFile() = default;
    TemporaryImageFile(const TemporaryImageFile&) = delete;
    TemporaryImageFile& operator=(const TemporaryImageFile&) = delete;
    // Deletes the file unless it was put in place.
    ~TemporaryImageFile();

    // Creates a new, empty file under the program's own temporary name
    // ("~Frimlet2-....tmp") in folder. Works for folders of any length. On
    // failure GetLastError gives the system's reason.
    bool Create(const std::wstring& folder);
    // The path to open the file by (with the long-path prefix when needed).
    const wchar_t* Path() const { return m_strPath.c_str(); }

    // Gives the file the name target, replacing a file of that name. A
    // target held open by another program (a viewer, the indexer, a virus
    // scanner) is waited for briefly, and replaced in its place when the
    // holder allows deleting. On failure the target keeps its earlier
    // content, this file is still ours to delete, and the result is false
    // with the last system error code in *error.
    bool PutInPlace(const wchar_t* target, DWORD* error = nullptr);

private:
    std::wstring m_strFolder;
    std::wstring m_strPath;
};

// Deletes, directly in folder (not below it), the program's own temporary
// files that were last written a minute ago or earlier: what a capture
// interrupted by a crash left. Returns how many were deleted.
int RemoveLeftoverTemporaryFiles(const wchar_t* folder);
