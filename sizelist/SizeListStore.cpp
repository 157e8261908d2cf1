#include "sizelist/SizeListStore.h"

#include "app/Profile.h"
#include "framework/CFileFind.h"
#include "sizelist/CReferenceFileName.h"
#include "sizelist/CSizeInfoRules.h"
#include "sizelist/CStoredSizeLines.h"

namespace {

const wchar_t kLegacyValue[] = L"SelectSizeList";
const wchar_t kNameValue[] = L"SelectSizeListName";
const wchar_t kDefaultName[] = L"SelectSizeList";
constexpr int kMaxRegistryEntries = 20;

CString DataFilePath(const Settings& settings) {
    CString path;
    path.Format(L"%s\\%s%s", static_cast<const wchar_t*>(settings.dataFolder), L"SelectSizeList_v2", L".txt");
    return path;
}

// The stored lines of the own entries of a list, or "#" when there is none.
CArray<CString> OwnLines(SelectSizeList& list) {
    CArray<CString> lines;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i].bOwn != 0) {
            CSizeInfoRules::ReplaceTabs(list[i].szMemo);
            lines.Add(FromU16(CStoredSizeLines::FormatLine(list[i])));
        }
    }
    if (list.IsEmpty()) {
        lines.Add(FromU16(CStoredSizeLines::kEmptyList));
    }
    return lines;
}

CString JoinPath(const CString& folder, const CString& name) {
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == L'\\') {
        return folder + name;
    }
    return folder + L"\\" + name;
}

// Appends the files (not folders) that match pattern, in the order the file
// system reports them.
void SearchPattern(const CString& pattern, CArray<CString>& paths) {
    CFileFind finder;
    bool more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory()) {
            continue;
        }
        paths.Add(finder.GetFilePath());
    }
}

} // namespace

void ParseStoredSizeLines(const CArray<CString>& lines, SelectSizeList& list) {
    for (const CString& stored : lines) {
        CString line = stored;
        line.Replace(L'\t', L' ');
        line.Trim();
        tagSELECT_SIZE_INFO entry{};
        if (CStoredSizeLines::ParseLine(AsU16(line), entry)) {
            list.Add(entry);
        }
    }
}

void LoadSizeList(const Profile& profile, const Settings& settings, SelectSizeList& list, CString& messages) {
    list.RemoveAll();
    CArray<CString> lines;
    profile.ReadStringList(lines);
    if (lines.IsEmpty()) {
        const CString legacy = profile.ReadStringSetting(kLegacyValue, nullptr);
        for (const std::u16string& line : CStoredSizeLines::ConvertLegacy(AsU16(legacy))) {
            lines.Add(FromU16(line));
        }
    }
    if (!lines.IsEmpty()) {
        if (AsU16(lines[0]) == CStoredSizeLines::kInDataFolder) {
            CString ignored; // problems in the own file are not reported
            ReadSizeListFile(1, DataFilePath(settings), TFM_UTF8_BOM, list, ignored);
        } else {
            ParseStoredSizeLines(lines, list);
        }
    }

    CArray<CString> paths;
    FindReferenceFiles(profile, settings, paths);
    for (const CString& path : paths) {
        CString fileMessages;
        const int result = ReadSizeListFile(0, path, TFM_AUTO, list, fileMessages);
        if (fileMessages.IsEmpty()) {
            continue;
        }
        messages.AppendFormat(L"■%s\r\n", static_cast<const wchar_t*>(path));
        if (result < 0) {
            messages += L"以下のデータはスキップされました。\r\n\r\n";
        }
        messages += fileMessages;
        messages += L"\r\n";
    }
}

void SaveSizeList(const Profile& profile, const Settings& settings, SelectSizeList& ownList) {
    const CString path = DataFilePath(settings);

    if (ownList.GetSize() <= kMaxRegistryEntries) {
        // The file goes only once the registry holds the list.
        CArray<CString> lines = OwnLines(ownList);
        if (profile.WriteStringList(&lines)) {
            settings.DeleteFileAndPruneDataFolder(path);
        }
        return;
    }

    // A long list is written beside the stored file and moved over it when
    // complete; only then does the registry point to it.
    CreateFolderIfMissing(settings.dataFolder);
    const CString temp = JoinPath(settings.dataFolder, L"SelectSizeList_v2.tmp");
    CString ignored;
    if (WriteSizeListFile(temp, TFM_UTF8_BOM, ownList, ignored) &&
        ::MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        CArray<CString> lines;
        lines.Add(FromU16(CStoredSizeLines::kInDataFolder));
        profile.WriteStringList(&lines);
        return;
    }
    ::DeleteFileW(temp);

    // The file cannot be written: the registry takes every own entry instead.
    CArray<CString> lines = OwnLines(ownList);
    if (profile.WriteStringList(&lines)) {
        settings.DeleteFileAndPruneDataFolder(path);
    }
}

int FindReferenceFiles(const Profile& profile, const Settings& settings, CArray<CString>& paths) {
    paths.RemoveAll();
    const CString fullName = GetReferenceFileName(profile);
    const CReferenceFileName::Parts parts = CReferenceFileName::Split(AsU16(fullName));
    const CString fileName = FromU16(parts.name) + FromU16(parts.extension);
    if (parts.isPath) {
        SearchPattern(fileName, paths);
        return paths.GetSize();
    }

    CString outputFolder;
    {
        CFileFind finder;
        if (finder.FindFile(settings.outputPath)) {
            finder.FindNextFile();
            outputFolder = finder.GetFilePath();
        }
    }
    if (!outputFolder.IsEmpty()) {
        SearchPattern(JoinPath(outputFolder, fileName), paths);
    }

    wchar_t current[261] = {};
    const DWORD currentLength = ::GetCurrentDirectoryW(261, current);
    const CString currentFolder = currentLength > 0 && currentLength < 261 ? CString(current) : CString();
    if (!currentFolder.IsEmpty() && currentFolder.CompareNoCase(outputFolder) != 0) {
        SearchPattern(JoinPath(currentFolder, fileName), paths);
    }

    wchar_t module[261] = {};
    const DWORD moduleLength = ::GetModuleFileNameW(nullptr, module, 261);
    CString programFolder(module);
    const int slash = programFolder.ReverseFind(L'\\');
    if (moduleLength > 0 && moduleLength < 261 && slash >= 0) {
        programFolder.Truncate(slash);
        if (programFolder.CompareNoCase(outputFolder) != 0 &&
            programFolder.CompareNoCase(currentFolder) != 0) {
            SearchPattern(JoinPath(programFolder, fileName), paths);
        }
    }
    return paths.GetSize();
}

CString GetReferenceFileName(const Profile& profile) {
    CString name = profile.ReadPathSetting(kNameValue, kDefaultName);
    if (name.IsEmpty()) {
        name = kDefaultName; // a value of backslashes only
    }
    return name;
}

void SetReferenceFileName(const Profile& profile, const wchar_t* name) {
    if (!name || !*name || wcscmp(name, kDefaultName) == 0) {
        profile.WritePathSetting(kNameValue, nullptr);
    } else {
        profile.WritePathSetting(kNameValue, name);
    }
}
