// Reads a whole text file into memory as UTF-16 text, and writes UTF-16 text
// to a file, in UTF-8 (with or without byte order mark), UTF-16 little- or
// big-endian, or the system ANSI code page. Reading honours a byte order mark,
// checks the data against the encoding the caller names, or detects it.
#pragma once

#include "framework/CString.h"
#include "framework/Handles.h"
#include "sizelist/TextFileModes.h"

#include <cstdint>

class CTextFile {
public:
    CTextFile() = default;
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;
    virtual ~CTextFile();

    // Reading: OpenForRead, then ReadAll, which closes the handle and leaves
    // the text in GetText/GetTextLength and the encoding found in GetMode.
    bool OpenForRead(const wchar_t* path, std::int32_t mode);
    bool ReadAll();

    // Writing: OpenForWrite (the byte order mark is written there), any number
    // of WriteText calls of at most GetBlockChars characters, then Close.
    bool OpenForWrite(const wchar_t* path, std::int32_t mode);
    bool WriteText(const wchar_t* text, int count);

    void Close();

    // The system's text for GetError (empty when the system has none).
    const CString& GetErrorText();

    DWORD GetError() const { return m_dwError; }
    std::int32_t GetMode() const { return m_nMode; }
    // Reading: the size of the file; writing: the bytes written so far.
    std::int32_t GetFileSize() const { return m_nFileSize; }
    // The decoded text, followed by at least one zero character; valid until
    // the next open, Close or destruction.
    const wchar_t* GetText() const { return m_pText; }
    std::int32_t GetTextLength() const { return m_nTextLen; }
    std::int32_t GetBlockChars() const { return m_nBlockChars; }
    // The largest file OpenForRead accepts (100 MiB unless set).
    void SetMaxSize(std::uint32_t bytes) { m_nMaxSize = bytes; }

    // The system call that writes bytes to the file; a test may put in one
    // that fails the way a full disk does.
    using WriteFileCall = BOOL(WINAPI*)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                        LPOVERLAPPED overlapped);
    static WriteFileCall& WriteFileFunction();

protected:
    // Called when OpenForRead succeeded.
    virtual void OnOpen(const wchar_t* path);
    // 0: the handle was closed after a complete read and the text stays;
    // 1: the text buffer was released.
    virtual void OnClose(int released);

private:
    // Keeps the system's last error, closes the file and answers false.
    bool CloseOnError();
    bool WriteBom();
    bool DecodeText();
    bool WriteBytes(const void* data, DWORD size);
    BYTE* Buffer() const { return static_cast<BYTE*>(m_pBuffer.get()); }

    unique_file m_hFile;
    CString m_strError;
    std::int32_t m_nMode = TFM_AUTO;
    std::uint32_t m_nMaxSize = 104857600; // 100 MiB
    std::int32_t m_nFileSize = 0;
    DWORD m_dwError = 0;
    std::int32_t m_nBlockChars = 16384;
    std::int32_t m_nBufSize = 0;
    unique_local m_pBuffer;
    const wchar_t* m_pText = nullptr;
    std::int32_t m_nTextLen = 0;
};
