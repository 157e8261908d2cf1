// Test helpers for the size list tests: a temporary folder removed with all
// it holds, and files as raw bytes, with CString paths.
#pragma once

#include "framework/CString.h"
#include "tests/support/ScratchFolder.h"

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

// A temporary folder removed with all it holds, naming its files as CString.
class TempFolder {
public:
    CString Path() const { return CString(m_folder.Path()); }
    CString operator/(const wchar_t* name) const { return CString(m_folder.File(name)); }

private:
    test_support::ScratchFolder m_folder{L"frimlet-sl-"};
};

inline bool WriteBytesToFile(const wchar_t* path, const Bytes& bytes) {
    return test_support::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

inline Bytes ReadBytesOfFile(const wchar_t* path) {
    const std::string bytes = test_support::ReadBytes(path);
    return Bytes(bytes.begin(), bytes.end());
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
    CString result = length ? CString(text, static_cast<int>(length)) : CString();
    ::LocalFree(text);
    return result;
}
