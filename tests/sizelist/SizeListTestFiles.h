// Test helpers for the size list tests: a temporary folder removed with all
// it holds, and files as raw bytes, with CString paths.
#pragma once

#include "framework/CString.h"
#include "framework/Handles.h"
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The two comment lines every size list file starts with.
inline constexpr wchar_t kHeader[] =
    L"# Frimlet2「枠のサイズ選択」リスト用のデータファイルです。\r\n# x,y,幅,高さ,メモ\r\n";

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

// A file of the given size (its bytes zero), as large files are made
// without writing them.
inline bool MakeFileOfSize(const wchar_t* path, LONGLONG size) {
    unique_file file(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = size;
    return file && ::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get());
}

// Text in a code page of the system, without a byte order mark.
inline Bytes Encode(const std::wstring& text, UINT codePage) {
    const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                          nullptr);
    return Bytes(bytes.begin(), bytes.end());
}

// Text as UTF-16 code units in either byte order, without a byte order mark.
inline Bytes Utf16(const std::wstring& text, bool bigEndian) {
    Bytes bytes;
    for (wchar_t c : text) {
        const std::uint8_t lo = c & 0xFF, hi = (c >> 8) & 0xFF;
        bytes.push_back(bigEndian ? hi : lo);
        bytes.push_back(bigEndian ? lo : hi);
    }
    return bytes;
}

inline Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes Utf8WithBom(const std::wstring& text) {
    return Concat({0xEF, 0xBB, 0xBF}, Encode(text, CP_UTF8));
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
