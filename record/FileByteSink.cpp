#include "record/FileByteSink.h"

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;

} // namespace

bool FileByteSink::Fail() {
    if (m_dwError == 0)
        m_dwError = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
    return false;
}

bool FileByteSink::Open(const wchar_t* path) {
    m_hFile.reset(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    m_nSize = 0;
    m_dwError = 0;
    m_buffer.clear();
    m_buffer.reserve(kBufferBytes);
    return m_hFile ? true : Fail();
}

bool FileByteSink::Flush() {
    std::size_t at = 0;
    while (at < m_buffer.size()) {
        const DWORD n =
            static_cast<DWORD>(m_buffer.size() - at < 0x40000000 ? m_buffer.size() - at : 0x40000000);
        DWORD written = 0;
        // A synchronous write that cannot store every byte (a full disk)
        // fails; a short count is taken as a failure as well.
        ::SetLastError(0);
        if (!m_pfnWrite(m_hFile.get(), m_buffer.data() + at, n, &written, nullptr) || written != n)
            return Fail();
        at += n;
    }
    m_buffer.clear();
    return true;
}

bool FileByteSink::Write(const std::uint8_t* data, std::size_t size) {
    if (m_dwError || !m_hFile)
        return false;
    m_nSize += size;
    if (m_buffer.size() + size > kBufferBytes && !Flush())
        return false;
    if (size >= kBufferBytes) {
        m_buffer.assign(data, data + size);
        return Flush();
    }
    m_buffer.insert(m_buffer.end(), data, data + size);
    return true;
}

bool FileByteSink::WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size) {
    if (m_dwError || !m_hFile || offset + size > m_nSize || !Flush())
        return false;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(m_hFile.get(), at, nullptr, FILE_BEGIN))
        return Fail();
    m_buffer.assign(data, data + size);
    if (!Flush())
        return false;
    LARGE_INTEGER none{};
    return ::SetFilePointerEx(m_hFile.get(), none, nullptr, FILE_END) ? true : Fail();
}

bool FileByteSink::Close() {
    const bool ok = m_hFile && !m_dwError && Flush();
    m_hFile.reset();
    return ok;
}
