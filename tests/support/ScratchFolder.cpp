#include "tests/support/ScratchFolder.h"

#include "framework/Handles.h"

namespace test_support {

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring TemporaryPath(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    return temp + name;
}

std::vector<std::wstring> EntriesOf(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    unique_find find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find.get(), &data));
    return names;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> files;
    for (const std::wstring& name : EntriesOf(folder))
        if (!IsFolder(folder + L"\\" + name))
            files.push_back(name);
    return files;
}

void RemoveTree(const std::wstring& folder) {
    for (const std::wstring& name : EntriesOf(folder)) {
        const std::wstring path = folder + L"\\" + name;
        if (IsFolder(path))
            RemoveTree(path);
        else
            ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
}

std::string ReadBytes(const std::wstring& path, DWORD share) {
    unique_file file(::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!file)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    unique_file file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

ScratchFolder::ScratchFolder(const wchar_t* prefix) {
    static unsigned long counter = 0;
    m_path =
        TemporaryPath(prefix + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    RemoveTree(m_path); // what a run that ended early left under this name
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(m_path);
}

} // namespace test_support
