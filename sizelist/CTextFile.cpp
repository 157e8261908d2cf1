#include "sizelist/CTextFile.h"

#include "sizelist/CTextEncoding.h"

#include <span>

CTextFile::~CTextFile() {
    // The derived part is gone here, so only the handle and buffer are released.
    m_hFile.reset();
    m_pBuffer.reset();
}

void CTextFile::OnOpen(const wchar_t*) {}

void CTextFile::OnClose(int) {}

void CTextFile::Close() {
    m_hFile.reset();
    m_pBuffer.reset();
    m_nBufSize = 0;
    m_pText = nullptr;
    m_nTextLen = 0;
    OnClose(1);
}

bool CTextFile::OpenForRead(const wchar_t* path, std::int32_t mode) {
    Close();
    m_dwError = 0;
    // A list may be open in an editor or a spreadsheet program that keeps it
    // open for writing: reading must not need the only handle.
    m_hFile.reset(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!m_hFile)
        return CloseOnError();
    m_nMode = mode;
    m_nFileSize = 0;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(m_hFile.get(), &size))
        return CloseOnError();
    if (size.HighPart != 0 || size.LowPart > m_nMaxSize) {
        m_dwError = TFE_FILE_TOO_LARGE;
        Close();
        return false;
    }
    m_nFileSize = static_cast<std::int32_t>(size.LowPart);
    OnOpen(path);
    return true;
}

bool CTextFile::ReadAll() {
    if (!m_hFile) {
        m_dwError = ERROR_INVALID_HANDLE;
        return false;
    }
    // Four zero bytes behind the data let every look-ahead read zeros instead
    // of leaving the buffer, and end the decoded text.
    const DWORD size = static_cast<DWORD>(m_nFileSize);
    m_nBufSize = m_nFileSize + 4;
    m_pBuffer.reset(::LocalAlloc(LMEM_ZEROINIT, static_cast<SIZE_T>(m_nBufSize)));
    if (!m_pBuffer)
        return CloseOnError();
    DWORD read = 0;
    if (!::ReadFile(m_hFile.get(), Buffer(), size, &read, nullptr) || read != size)
        return CloseOnError();
    m_hFile.reset();
    OnClose(0);

    const std::span<const std::uint8_t> data(Buffer(), size);
    m_nMode = CTextEncoding::DetectBom(m_nMode, data);
    std::uint32_t error = 0;
    if (!CTextEncoding::DetectEncoding(m_nMode, data, error)) {
        m_dwError = error;
        Close();
        return false;
    }
    if (!DecodeText()) {
        Close();
        return false;
    }
    return true;
}

bool CTextFile::DecodeText() {
    const std::int32_t n = m_nFileSize;
    UINT codePage = 0;
    std::int32_t skip = 0;
    switch (m_nMode & TFM_CHARSET_MASK) {
    case TFM_CHARSET_ANSI:
        codePage = CP_ACP;
        break;
    case TFM_CHARSET_UTF8:
        codePage = CP_UTF8;
        skip = static_cast<std::int32_t>(CTextEncoding::BomLength(m_nMode));
        break;
    case TFM_CHARSET_UTF16: {
        const bool bigEndian = (m_nMode & TFM_ORDER_MASK) == TFM_ORDER_BIG_ENDIAN;
        CTextEncoding::PrepareUtf16(Buffer(), static_cast<std::size_t>(n), bigEndian);
        const bool bom = (m_nMode & TFM_BOM_MASK) != 0;
        m_pText = reinterpret_cast<const wchar_t*>(Buffer() + (bom ? 2 : 0));
        m_nTextLen = bom ? n / 2 - 1 : n / 2;
        if (m_nTextLen < 0) {
            m_nTextLen = 0;
        }
        return true;
    }
    default:
        return true;
    }

    if (n <= skip) {
        m_pText = reinterpret_cast<const wchar_t*>(Buffer() + skip);
        m_nTextLen = 0;
        return true;
    }
    const SIZE_T targetSize = 2 * static_cast<SIZE_T>(n) + 2;
    unique_local target(::LocalAlloc(LMEM_ZEROINIT, targetSize));
    if (!target) {
        m_dwError = ::GetLastError();
        return false;
    }
    const int converted = ::MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(Buffer() + skip),
                                                n - skip, static_cast<wchar_t*>(target.get()), n);
    if (converted == 0) {
        m_dwError = ::GetLastError();
        return false;
    }
    m_pBuffer = std::move(target);
    m_nBufSize = static_cast<std::int32_t>(targetSize);
    m_pText = static_cast<const wchar_t*>(m_pBuffer.get());
    m_nTextLen = converted;
    return true;
}

bool CTextFile::CloseOnError() {
    m_dwError = ::GetLastError();
    Close();
    return false;
}

bool CTextFile::OpenForWrite(const wchar_t* path, std::int32_t mode) {
    Close();
    m_dwError = 0;
    m_nFileSize = 0;
    m_nBufSize = 4 * m_nBlockChars;
    m_pBuffer.reset(::LocalAlloc(LMEM_ZEROINIT, static_cast<SIZE_T>(m_nBufSize)));
    if (!m_pBuffer) {
        m_dwError = ::GetLastError();
        m_nBufSize = 0;
        return false;
    }
    m_hFile.reset(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!m_hFile)
        return CloseOnError();
    m_nMode = mode;
    return WriteBom();
}

CTextFile::WriteFileCall& CTextFile::WriteFileFunction() {
    static WriteFileCall call = &::WriteFile;
    return call;
}

bool CTextFile::WriteBytes(const void* data, DWORD size) {
    DWORD written = 0;
    if (!WriteFileFunction()(m_hFile.get(), data, size, &written, nullptr) || written != size) {
        m_dwError = ::GetLastError();
        return false;
    }
    m_nFileSize += static_cast<std::int32_t>(size);
    return true;
}

bool CTextFile::WriteBom() {
    if (!m_hFile) {
        return false;
    }
    if ((m_nMode & TFM_BOM_MASK) == 0) {
        return true;
    }
    static const BYTE utf8[] = {0xEF, 0xBB, 0xBF};
    static const BYTE utf16be[] = {0xFE, 0xFF};
    static const BYTE utf16le[] = {0xFF, 0xFE};
    switch (m_nMode & TFM_CHARSET_MASK) {
    case TFM_CHARSET_UTF16:
        switch (m_nMode & TFM_ORDER_MASK) {
        case TFM_ORDER_BIG_ENDIAN:
            return WriteBytes(utf16be, sizeof utf16be);
        case TFM_ORDER_LITTLE_ENDIAN:
            return WriteBytes(utf16le, sizeof utf16le);
        default:
            return true;
        }
    case TFM_CHARSET_UTF8:
        return WriteBytes(utf8, sizeof utf8);
    default:
        return true;
    }
}

bool CTextFile::WriteText(const wchar_t* text, int count) {
    if (!m_pBuffer || !m_hFile) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    if (count < 0 || !text) {
        m_dwError = ERROR_INVALID_PARAMETER;
        return false;
    }
    char* const buffer = reinterpret_cast<char*>(Buffer());
    switch (m_nMode & TFM_CHARSET_MASK) {
    case TFM_CHARSET_ANSI:
    case TFM_CHARSET_UTF8: {
        const UINT codePage = (m_nMode & TFM_CHARSET_MASK) == TFM_CHARSET_ANSI ? CP_ACP : CP_UTF8;
        const int bytes =
            ::WideCharToMultiByte(codePage, 0, text, count, buffer, m_nBufSize, nullptr, nullptr);
        if (bytes <= 0) {
            m_dwError = ::GetLastError();
            return false;
        }
        if (!WriteBytes(buffer, static_cast<DWORD>(bytes))) {
            return false;
        }
        break;
    }
    case TFM_CHARSET_UTF16:
        if ((m_nMode & TFM_ORDER_MASK) == TFM_ORDER_BIG_ENDIAN) {
            // Swapped into the buffer, a buffer's worth at a time.
            const int perBlock = m_nBufSize / 2;
            for (int done = 0; done < count;) {
                const int chars = count - done < perBlock ? count - done : perBlock;
                for (int i = 0; i < chars; ++i) {
                    const wchar_t c = text[done + i];
                    buffer[2 * i] = static_cast<char>((c >> 8) & 0xFF);
                    buffer[2 * i + 1] = static_cast<char>(c & 0xFF);
                }
                if (!WriteBytes(buffer, static_cast<DWORD>(2 * chars))) {
                    return false;
                }
                done += chars;
            }
        } else if (!WriteBytes(text, static_cast<DWORD>(2 * count))) {
            return false;
        }
        break;
    default:
        m_dwError = ::GetLastError();
        return false;
    }
    m_nTextLen += count;
    return true;
}

const CString& CTextFile::GetErrorText() {
    m_strError.Empty();
    wchar_t* text = nullptr;
    // Inserts are left as they are: there are no arguments to put into them.
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        m_dwError, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    unique_local owner(text);
    if (length && text) {
        m_strError = CString(text, static_cast<int>(length));
    }
    return m_strError;
}
