#include "sizelist/SizeListFile.h"

#include "res/resource.h"
#include "sizelist/CSizeInfoRules.h"
#include "sizelist/CSizeListFormat.h"
#include "sizelist/CSmallCsvFile.h"

#include <vector>

namespace {

// Size lists are small: a file beyond this is not one, and reading it would
// only hang the dialog.
constexpr std::uint32_t kMaxListFileMiB = 8;

// The name of the file without its folder.
const wchar_t* FileNameOf(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/') {
            name = p + 1;
        }
    }
    return name;
}

void AppendLimitMessage(CString& messages, UINT id, const wchar_t* path, int limit) {
    CString format;
    format.LoadString(id);
    messages.AppendFormat(format, FileNameOf(path), limit);
}

void AppendFileError(CString& messages, const wchar_t* what, CTextFile& file) {
    const DWORD error = file.GetError();
    messages.AppendFormat(L"%s\r\nエラー %d(0x%08X）：%s\r\n", what, static_cast<int>(error),
                          static_cast<unsigned>(error), static_cast<const wchar_t*>(file.GetErrorText()));
}

} // namespace

int ReadSizeListFile(int bOwn, const wchar_t* path, std::int32_t mode, SelectSizeList& list,
                     CString& messages) {
    CSmallCsvFile file;
    file.SetMaxSize(kMaxListFileMiB * 1024 * 1024);
    if (!file.OpenForRead(path, mode) || !file.ReadAll()) {
        if (file.GetError() == TFE_FILE_TOO_LARGE) {
            AppendLimitMessage(messages, IDS_SIZELIST_FILE_TOO_LARGE, path,
                               static_cast<int>(kMaxListFileMiB));
        } else {
            AppendFileError(messages, L"ファイル操作に失敗しました。", file);
        }
        return 0;
    }
    std::vector<tagSELECT_SIZE_INFO> entries;
    std::u16string fileMessages;
    bool tooManyRecords = false;
    const int result =
        CSizeListFormat::ReadRecords(file.Records(), bOwn, entries, fileMessages, &tooManyRecords);
    for (const tagSELECT_SIZE_INFO& entry : entries) {
        list.Add(entry);
    }
    messages += FromU16(fileMessages);
    if (tooManyRecords) {
        AppendLimitMessage(messages, IDS_SIZELIST_TOO_MANY_ROWS, path, CSizeListFormat::kMaxRecords);
    }
    return result;
}

bool WriteSizeListFile(const wchar_t* path, std::int32_t mode, SelectSizeList& list, CString& messages) {
    CTextFile file;
    if (!file.OpenForWrite(path, mode)) {
        AppendFileError(messages, L"ファイルの作成に失敗しました。", file);
        return false;
    }
    const CString header = FromU16(CSizeListFormat::Header());
    bool ok = file.WriteText(header, header.GetLength());
    for (int i = 0; ok && i < list.GetSize(); ++i) {
        CSizeInfoRules::ReplaceTabs(list[i].szMemo);
        const CString line = FromU16(CSizeListFormat::FormatLine(list[i]));
        ok = file.WriteText(line, line.GetLength());
    }
    if (!ok) {
        AppendFileError(messages, L"ファイルへの書き込みでエラーが発生しました。", file);
        return false;
    }
    file.Close();
    return true;
}
