// Test helpers for the size list tests: a temporary folder removed with all
// it holds, and files as raw bytes.
#pragma once

#include "framework/CString.h"
#include "framework/Handles.h"

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Lets test failures show strings as text.
inline void PrintTo(const CString& text, std::ostream* os) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), utf8.data(), n, nullptr, nullptr);
    *os << '"' << utf8 << '"';
}

inline void RemoveTree(const CString& path) {
    WIN32_FIND_DATAW data;
    if (const unique_find find(::FindFirstFileW(path + L"\\*", &data)); find) {
        do {
            const CString name(data.cFileName);
            if (name == L"." || name == L"..")
                continue;
            const CString child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child);
        } while (::FindNextFileW(find.get(), &data));
    }
    ::RemoveDirectoryW(path);
}

class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, base);
        m_path.Format(L"%sfrimlet-sl-%lu-%lu", base, ::GetCurrentProcessId(), ++Counter());
        ::CreateDirectoryW(m_path, nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(m_path); }

    const CString& Path() const { return m_path; }
    CString operator/(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    static unsigned long& Counter() {
        static unsigned long counter = 0;
        return counter;
    }
    CString m_path;
};

inline bool WriteBytesToFile(const wchar_t* path, const Bytes& bytes) {
    const unique_file file(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

inline Bytes ReadBytesOfFile(const wchar_t* path) {
    const unique_file file(
        ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    Bytes bytes(::GetFileSize(file.get(), nullptr));
    DWORD read = 0;
    if (!bytes.empty())
        ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

inline bool FileExists(const wchar_t* path) {
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool FolderExists(const wchar_t* path) {
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The system's own text for an error code, as the reader's messages carry it.
inline CString SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const unique_local owned(text);
    return length ? CString(text, static_cast<int>(length)) : CString();
}
