#include "app/Profile.h"

#include "app/SettingsRules.h"

#include <vector>

namespace {
const wchar_t kStringListValue[] = L"SelectSizeList_v2";
} // namespace

void Profile::ExpandFolderMacros(const wchar_t* in, CString& out) const {
    out = FromU16(Folders().Expand(ToU16(in)));
}

void Profile::CompactFolderMacros(const wchar_t* in, CString& out) const {
    out = FromU16(Folders().Compact(ToU16(in)));
}

CString Profile::DisplayPath(const wchar_t* path) const {
    return FromU16(Folders().ToDisplay(ToU16(path)));
}

CString Profile::RealPath(const wchar_t* displayPath) const {
    return FromU16(Folders().FromDisplay(ToU16(displayPath)));
}

CString Profile::GetDefaultOutputPath() const {
    CString out;
    ExpandFolderMacros(L"%MYPICTURES%\\Frimlet2", out);
    return out;
}

void Profile::RemoveTrailingBackslashes(CString& path) {
    path = FromU16(SettingsRules::RemoveTrailingBackslashes(AsU16(path)));
}

CString Profile::ReadStringSetting(const wchar_t* name, const wchar_t* defaultValue) const {
    CString value = ReadString(name, defaultValue);
    CString trimmed = FromU16(SettingsRules::TrimWhiteSpace(AsU16(value)));
    if (trimmed.IsEmpty() && defaultValue)
        return CString(defaultValue);
    return trimmed;
}

CString Profile::ReadPathSetting(const wchar_t* name, const wchar_t* defaultValue) const {
    CString path = ReadStringSetting(name, defaultValue);
    RemoveTrailingBackslashes(path);
    CString out;
    ExpandFolderMacros(path, out);
    return out;
}

bool Profile::WritePathSetting(const wchar_t* name, const wchar_t* path) const {
    if (!path)
        return WriteString(name, nullptr);
    CString copy = path;
    RemoveTrailingBackslashes(copy);
    CString compact;
    CompactFolderMacros(copy, compact);
    return WriteString(name, compact);
}

bool Profile::ReadStringList(CArray<CString>& list) const {
    unique_hkey key = OpenAppKey();
    if (!key)
        return false;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key.get(), kStringListValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return false;
    unique_local buffer(::LocalAlloc(LMEM_ZEROINIT, size + 2));
    if (!buffer)
        return false;
    DWORD read = size;
    if (::RegQueryValueExW(key.get(), kStringListValue, nullptr, &type, static_cast<BYTE*>(buffer.get()),
                           &read) != ERROR_SUCCESS)
        return false;
    key.reset();
    if (read > size)
        read = size;
    for (const auto& s : SettingsRules::DecodeMultiString(static_cast<const char16_t*>(buffer.get()), read))
        list.Add(FromU16(s));
    return true;
}

bool Profile::WriteStringList(const CArray<CString>* list) const {
    unique_hkey key = OpenAppKey();
    if (!key)
        return false;
    if (!list)
        return ::RegDeleteValueW(key.get(), kStringListValue) == ERROR_SUCCESS;
    std::vector<std::u16string> strings;
    strings.reserve(static_cast<size_t>(list->GetSize()));
    for (const CString& s : *list)
        strings.emplace_back(AsU16(s));
    std::vector<char16_t> data = SettingsRules::EncodeMultiString(strings);
    return ::RegSetValueExW(key.get(), kStringListValue, 0, REG_MULTI_SZ,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size() * sizeof(char16_t))) == ERROR_SUCCESS;
}
