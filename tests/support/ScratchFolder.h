// Files for tests: a folder of their own under the temporary folder that goes
// away with all it holds, the entries of a folder, and files as raw bytes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace test_support {

// name in the system's temporary folder; nothing is made there.
std::wstring TemporaryPath(const std::wstring& name);

// The names of the entries directly inside folder (files and folders, not
// "." and "..").
std::vector<std::wstring> EntriesOf(const std::wstring& folder);
// The names of the files directly inside folder.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
// Removes folder with everything in it.
void RemoveTree(const std::wstring& folder);

// The whole file; empty when it cannot be opened with the given sharing
// (another handle that writes it keeps FILE_SHARE_READ out).
std::string ReadBytes(const std::wstring& path, DWORD share = FILE_SHARE_READ);
// Creates or replaces the file with bytes; false when not all were written.
bool WriteBytes(const std::wstring& path, std::string_view bytes);

// An empty folder under the temporary folder, named prefix, the process id
// and a count, removed with its contents when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* prefix = L"frimlet-test-");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    static std::vector<std::wstring> List(const std::wstring& folder) { return EntriesOf(folder); }

private:
    std::wstring m_path;
};

} // namespace test_support
