#include "capture/TemporaryImageFile.h"

#include "capture/TemporaryNames.h"
#include "framework/Handles.h"

#include <atomic>
#include <initializer_list>

namespace {

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

// folder\name in the form the file functions take at any length.
std::wstring Join(const std::wstring& folder, const std::u16string& name) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    path += Wide(name);
    return Wide(TemporaryNames::LongPathForm(U16(path)));
}

// A name no file in folder has yet, created empty so that nobody else takes it.
std::wstring CreateUniqueFile(const std::wstring& folder) {
    static std::atomic<std::uint32_t> serial{0};
    const DWORD process = ::GetCurrentProcessId();
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 64 && error == ERROR_FILE_EXISTS; ++attempt) {
        std::wstring path = Join(folder, TemporaryNames::Make(process, ++serial));
        unique_file file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return path;
        error = ::GetLastError();
    }
    ::SetLastError(error); // for the caller, past the destructors above
    return std::wstring();
}

bool IsHeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

std::uint64_t AsNumber(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

TemporaryImageFile::~TemporaryImageFile() {
    if (!m_strPath.empty())
        ::DeleteFileW(m_strPath.c_str());
}

bool TemporaryImageFile::Create(const std::wstring& folder) {
    m_strFolder = folder;
    m_strPath = CreateUniqueFile(folder);
    return !m_strPath.empty();
}

bool TemporaryImageFile::PutInPlace(const wchar_t* target, DWORD* error) {
    const std::wstring place = Wide(TemporaryNames::LongPathForm(U16(target)));
    DWORD last = ERROR_SUCCESS;
    // Waits between the attempts, under half a second in all: long enough
    // for an indexer or scanner to let go of the file it just looked at.
    for (DWORD wait : {0u, 20u, 40u, 80u, 120u, 160u}) {
        if (wait)
            ::Sleep(wait);
        if (::MoveFileExW(m_strPath.c_str(), place.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            m_strPath.clear();
            return true;
        }
        last = ::GetLastError();
        if (!IsHeldByAnother(last))
            break;
        // An open file cannot be renamed over, but a holder that allows
        // deleting lets ReplaceFile move the earlier file aside. It goes to
        // a backup of our own name, so it is never lost midway.
        std::wstring backup = CreateUniqueFile(m_strFolder);
        if (backup.empty() || !::DeleteFileW(backup.c_str()))
            continue;
        if (::ReplaceFileW(place.c_str(), m_strPath.c_str(), backup.c_str(),
                           REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                           nullptr)) {
            m_strPath.clear();
            // The earlier file, still open elsewhere; if it cannot go yet, the
            // next start removes it.
            ::DeleteFileW(backup.c_str());
            return true;
        }
        last = ::GetLastError();
        // Where the earlier file was already moved to the backup name, it
        // goes back; it is never deleted here.
        if (::GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES)
            ::MoveFileExW(backup.c_str(), place.c_str(), 0);
        if (!IsHeldByAnother(last) && last != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            last != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && last != ERROR_UNABLE_TO_REMOVE_REPLACED)
            break;
    }
    if (error)
        *error = last;
    return false;
}

int RemoveLeftoverTemporaryFiles(const wchar_t* folder) {
    if (!folder || !*folder)
        return 0;
    const std::wstring base(folder);
    WIN32_FIND_DATAW data{};
    unique_find find(::FindFirstFileExW(Join(base, u"~Frimlet2-*.tmp").c_str(), FindExInfoBasic, &data,
                                        FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return 0;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    int removed = 0;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const std::u16string name(data.cFileName, data.cFileName + ::lstrlenW(data.cFileName));
        if (!TemporaryNames::IsOwn(name) ||
            !TemporaryNames::IsStale(AsNumber(data.ftLastWriteTime), AsNumber(now)))
            continue;
        if (::DeleteFileW(Join(base, name).c_str()))
            ++removed;
    } while (::FindNextFileW(find.get(), &data));
    return removed;
}
