// A ByteSink over a file opened for writing, with a buffer so that the
// encoder's many small pieces reach the disk in large writes. The first
// failed or short write is kept: every later call fails too.
#pragma once

#include "framework/Handles.h"
#include "record/ByteSink.h"

#include <windows.h>

#include <vector>

class FileByteSink : public ByteSink {
public:
    // The system's WriteFile, replaceable where a test needs a full disk.
    using WriteFn = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

    explicit FileByteSink(WriteFn write = &::WriteFile) : m_pfnWrite(write) {}

    // Opens an existing file, emptied, for writing alone.
    bool Open(const wchar_t* path);
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override;
    // Writes what is buffered and closes the file; false when anything
    // failed since Open.
    bool Close();
    // The system error of the first failure (0: none).
    DWORD Error() const { return m_dwError; }
    std::uint64_t Size() const { return m_nSize; }

private:
    bool Flush();
    bool Fail();

    WriteFn m_pfnWrite;
    unique_file m_hFile;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_nSize = 0;
    DWORD m_dwError = 0;
};
