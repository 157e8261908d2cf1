// The stores of the size list against the registry of the test prefix, under
// a key of their own that every test starts without, and a temporary data
// folder, output folder and current directory.
#include "sizelist/SizeListStore.h"

#include "app/CFrimlet2App.h"
#include "sizelist/CSizeInfoRules.h"
#include "tests/sizelist/SizeListTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const wchar_t kTestKey[] = L"Software\\Oskvane\\Frimlet2SizeListTest";

CString Text(const char16_t* field) {
    return CString(reinterpret_cast<const wchar_t*>(field));
}

// x|y|width|height|memo, and "(F)" for a reference entry.
CString Describe(const tagSELECT_SIZE_INFO& e) {
    CString s = Text(e.szX) + L"|" + Text(e.szY) + L"|" + Text(e.szWidth) + L"|" + Text(e.szHeight) + L"|" +
                Text(e.szMemo);
    return e.bOwn ? s : s + L"(F)";
}

std::vector<CString> Describe(const SelectSizeList& list) {
    std::vector<CString> out;
    for (const auto& e : list)
        out.push_back(Describe(e));
    return out;
}

SelectSizeList MakeList(int count, const wchar_t* prefix = L"m") {
    SelectSizeList list;
    for (int i = 0; i < count; ++i) {
        tagSELECT_SIZE_INFO e{};
        e.bOwn = 1;
        CString w, h, memo;
        w.Format(L"%d", 100 + i);
        h.Format(L"%d", 200 + i);
        memo.Format(L"%s%d, \"q\"", prefix, i);
        CSizeInfoRules::CopyField(e.szWidth, AsU16(w));
        CSizeInfoRules::CopyField(e.szHeight, AsU16(h));
        CSizeInfoRules::CopyField(e.szMemo, AsU16(memo));
        list.Add(e);
    }
    return list;
}

class SizeListStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        app.SetRegistryKey(L"Oskvane");
        settings.dataFolder = temp / L"data";
        settings.outputPath = temp / L"out";
        ASSERT_TRUE(::CreateDirectoryW(settings.outputPath, nullptr));
        ASSERT_TRUE(::CreateDirectoryW(temp / L"cur", nullptr));
        ::GetCurrentDirectoryW(MAX_PATH, savedDirectory);
        ASSERT_TRUE(::SetCurrentDirectoryW(temp / L"cur"));
    }
    void TearDown() override {
        ::SetCurrentDirectoryW(savedDirectory);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }

    std::vector<CString> StoredLines() {
        CArray<CString> lines;
        app.ReadStringList(lines);
        return std::vector<CString>(lines.begin(), lines.end());
    }
    void PutLines(std::initializer_list<const wchar_t*> lines) {
        CArray<CString> array;
        for (const wchar_t* line : lines)
            array.Add(line);
        ASSERT_TRUE(app.WriteStringList(&array));
    }
    void PutString(const wchar_t* name, const wchar_t* value) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey, name, REG_SZ, value,
                                    static_cast<DWORD>((wcslen(value) + 1) * 2)),
                  ERROR_SUCCESS);
    }
    CString RawString(const wchar_t* name) {
        wchar_t value[512] = {};
        DWORD size = sizeof value;
        if (::RegGetValueW(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
            ERROR_SUCCESS)
            return L"<missing>";
        return value;
    }
    SelectSizeList Load(CString* messages = nullptr) {
        SelectSizeList list;
        CString text;
        LoadSizeList(app, settings, list, text);
        if (messages)
            *messages = text;
        return list;
    }
    CString DataFile() const { return settings.dataFolder + L"\\SelectSizeList_v2.txt"; }
    CString TempFile() const { return settings.dataFolder + L"\\SelectSizeList_v2.tmp"; }
    std::vector<CString> LinesOf(const SelectSizeList& list) {
        std::vector<CString> lines;
        for (const auto& e : list) {
            lines.push_back(Text(e.szX) + L"," + Text(e.szY) + L"," + Text(e.szWidth) + L"," +
                            Text(e.szHeight) + L"," + Text(e.szMemo));
        }
        return lines;
    }

    CFrimlet2App app{L"Frimlet2SizeListTest"};
    TempFolder temp;
    Settings settings;
    wchar_t savedDirectory[MAX_PATH + 1] = {};
};

} // namespace

TEST_F(SizeListStoreTest, TwentyEntriesGoToTheRegistryAndMoreToTheDataFolder) {
    SelectSizeList twenty = MakeList(20), more = MakeList(21);
    SaveSizeList(app, settings, twenty);
    EXPECT_EQ(StoredLines(), LinesOf(twenty));
    EXPECT_EQ(StoredLines()[0], L",,100,200,m0, \"q\"");
    EXPECT_FALSE(FolderExists(settings.dataFolder));
    EXPECT_EQ(Describe(Load()), Describe(twenty));

    SaveSizeList(app, settings, more);
    EXPECT_EQ(StoredLines(), std::vector<CString>{L"%APPDATA%"});
    std::wstring text = kHeader;
    for (int i = 0; i < 21; ++i) {
        CString line;
        line.Format(L",,%d,%d,\"m%d, \"\"q\"\"\"\r\n", 100 + i, 200 + i, i);
        text += line.str();
    }
    EXPECT_EQ(ReadBytesOfFile(DataFile()), Utf8WithBom(text));
    EXPECT_FALSE(FileExists(TempFile()));
    EXPECT_EQ(Describe(Load()), Describe(more));

    // Back to 20: the file goes and so does the folder, which is now empty.
    SaveSizeList(app, settings, twenty);
    EXPECT_EQ(StoredLines(), LinesOf(twenty));
    EXPECT_FALSE(FileExists(DataFile()));
    EXPECT_FALSE(FolderExists(settings.dataFolder));

    // A folder that holds something else is kept.
    SaveSizeList(app, settings, more);
    ASSERT_TRUE(WriteBytesToFile(settings.dataFolder + L"\\other.txt", Bytes{'x'}));
    SaveSizeList(app, settings, twenty);
    EXPECT_FALSE(FileExists(DataFile()));
    EXPECT_TRUE(FolderExists(settings.dataFolder));
}

TEST_F(SizeListStoreTest, EmptyListIsStoredAsHashAndHidesTheLegacyValue) {
    PutString(L"SelectSizeList", L"640 x 480:VGA");
    EXPECT_EQ(Load().GetSize(), 1);
    SelectSizeList empty;
    SaveSizeList(app, settings, empty);
    EXPECT_EQ(StoredLines(), std::vector<CString>{L"#"});
    EXPECT_EQ(Load().GetSize(), 0);
    EXPECT_EQ(RawString(L"SelectSizeList"), L"640 x 480:VGA") << "the legacy value is never changed";
}

TEST_F(SizeListStoreTest, LegacyValueIsConverted) {
    PutString(L"SelectSizeList", L"640 x 480:VGA;;1024 x 768:XGA;800 x 600;800 x 600:a:b;bad");
    EXPECT_EQ(Describe(Load()),
              (std::vector<CString>{L"||640|480|VGA", L"||1024|768|XGA", L"||800|600|", L"||800|600|a,b"}));
}

TEST_F(SizeListStoreTest, StoredLinesAreTrimmedAndChecked) {
    PutLines({L"   #, and a word", L"\t10,20,640,480,memo, with comma\t", L"1234567,0,640,480,m",
              L"0,0,000640,480,m", L"0,0,-0,480,m", L"0,0,-5,480,m", L"-,0,640,480,a\tb", L"0,0,640"});
    EXPECT_EQ(Describe(Load()),
              (std::vector<CString>{L"10|20|640|480|memo, with comma", L"0|0|-0|480|m", L"-|0|640|480|a b"}));
}

TEST_F(SizeListStoreTest, AppDataLineReadsOnlyTheDataFolderFile) {
    ASSERT_TRUE(::CreateDirectoryW(settings.dataFolder, nullptr));
    ASSERT_TRUE(WriteBytesToFile(DataFile(), Utf8WithBom(L"1,1,10,10,file\r\nbad line\r\n")));
    PutLines({L"%APPDATA%", L"1,2,3,4,x"});
    CString messages;
    EXPECT_EQ(Describe(Load(&messages)), std::vector<CString>{L"1|1|10|10|file"});
    EXPECT_EQ(messages, L"") << "problems in the own file are not reported";
    // "%APPDATA%" counts only as the exact first line.
    PutLines({L"%appdata%", L"1,2,3,4,x"});
    EXPECT_EQ(Describe(Load()), std::vector<CString>{L"1|2|3|4|x"});
}

TEST_F(SizeListStoreTest, FailedRegistryWriteKeepsTheDataFolderFile) {
    SelectSizeList more = MakeList(21), twenty = MakeList(20, L"n");
    SaveSizeList(app, settings, more);
    ASSERT_TRUE(FileExists(DataFile()));
    app.SetRegistryKey(L""); // the registry cannot be written now
    SaveSizeList(app, settings, twenty);
    EXPECT_TRUE(FileExists(DataFile()));
    app.SetRegistryKey(L"Oskvane");
    EXPECT_EQ(Describe(Load()), Describe(more));
}

TEST_F(SizeListStoreTest, UnwritableDataFolderFileFallsBackToRegistryLines) {
    SelectSizeList more = MakeList(21), other = MakeList(22, L"n");
    {
        // The data folder cannot be created below a file.
        Settings blocked = settings;
        ASSERT_TRUE(WriteBytesToFile(temp / L"file", Bytes{'x'}));
        blocked.dataFolder = temp / L"file\\data";
        SaveSizeList(app, blocked, more);
        EXPECT_EQ(StoredLines(), LinesOf(more));
        SelectSizeList list;
        CString messages;
        LoadSizeList(app, blocked, list, messages);
        EXPECT_EQ(Describe(list), Describe(more));
    }
    {
        // The finished file cannot be moved over a folder of the file's name.
        ASSERT_TRUE(::CreateDirectoryW(settings.dataFolder, nullptr));
        ASSERT_TRUE(::CreateDirectoryW(DataFile(), nullptr));
        SaveSizeList(app, settings, other);
        EXPECT_EQ(StoredLines(), LinesOf(other));
        EXPECT_FALSE(FileExists(TempFile()));
        EXPECT_EQ(Describe(Load()), Describe(other));
        test_support::RemoveTree(settings.dataFolder.str());
    }
    {
        // The temporary file cannot be created: the stored file stays whole
        // while the registry cannot take the lines either ...
        SaveSizeList(app, settings, more);
        const Bytes stored = ReadBytesOfFile(DataFile());
        ASSERT_FALSE(stored.empty());
        ASSERT_TRUE(::CreateDirectoryW(TempFile(), nullptr));
        app.SetRegistryKey(L"");
        SaveSizeList(app, settings, other);
        app.SetRegistryKey(L"Oskvane");
        EXPECT_EQ(ReadBytesOfFile(DataFile()), stored);
        EXPECT_EQ(Describe(Load()), Describe(more));
        // ... and once the registry holds the lines, the stale file goes.
        SaveSizeList(app, settings, other);
        EXPECT_EQ(StoredLines(), LinesOf(other));
        EXPECT_FALSE(FileExists(DataFile()));
        EXPECT_EQ(Describe(Load()), Describe(other));
    }
}

TEST_F(SizeListStoreTest, ReferenceFilesAreAddedReadOnlyWithTheirMessages) {
    SetReferenceFileName(app, L"*.sltest");
    PutLines({L",,1,1,own"});
    const CString first = settings.outputPath + L"\\r1.sltest";
    ASSERT_TRUE(WriteBytesToFile(first, Utf8WithBom(L"1,1,100,100,out\r\nbad\r\n")));
    ASSERT_TRUE(WriteBytesToFile(temp / L"cur\\r2.sltest",
                                 Bytes{'2', ',', '2', ',', '2', ',', '2', ',', 0x90, 0xDD, 0x92, 0xE8}));
    ASSERT_TRUE(
        WriteBytesToFile(settings.outputPath + L"\\ignored.txt", Bytes{'1', ',', '1', ',', '1', ',', '1'}));
    ASSERT_TRUE(::CreateDirectoryW(settings.outputPath + L"\\folder.sltest", nullptr));

    CArray<CString> paths;
    ASSERT_EQ(FindReferenceFiles(app, settings, paths), 2);
    EXPECT_EQ(paths[0].CompareNoCase(first), 0) << static_cast<const wchar_t*>(paths[0]);
    EXPECT_EQ(paths[1].CompareNoCase(temp / L"cur\\r2.sltest"), 0) << static_cast<const wchar_t*>(paths[1]);

    CString messages = L"old\r\n";
    SelectSizeList list;
    LoadSizeList(app, settings, list, messages);
    EXPECT_EQ(Describe(list),
              (std::vector<CString>{L"||1|1|own", L"1|1|100|100|out(F)", L"2|2|2|2|設定(F)"}));
    EXPECT_EQ(messages, L"old\r\n■" + paths[0] + L"\r\n以下のデータはスキップされました。\r\n\r\n" +
                            L"  2行目1カラム目の値に誤りがあります：bad\r\n\r\n");
}

TEST_F(SizeListStoreTest, ReferenceNameForms) {
    ASSERT_TRUE(::CreateDirectoryW(temp / L"lists", nullptr));
    ASSERT_TRUE(WriteBytesToFile(temp / L"lists\\my.txt", Bytes{'1', ',', '1', ',', '1', ',', '1'}));
    ASSERT_TRUE(WriteBytesToFile(temp / L"lists\\bad.txt", Bytes{'a', 0x80, 'b'}));
    ASSERT_TRUE(
        WriteBytesToFile(settings.outputPath + L"\\my.txt", Bytes{'2', ',', '2', ',', '2', ',', '2'}));
    CArray<CString> paths;

    // A full path reads that one file only.
    SetReferenceFileName(app, temp / L"lists\\my");
    ASSERT_EQ(FindReferenceFiles(app, settings, paths), 1);
    EXPECT_EQ(paths[0].CompareNoCase(temp / L"lists\\my.txt"), 0);

    // A backslash at the start only: searched in the folders.
    SetReferenceFileName(app, L"\\my");
    EXPECT_EQ(GetReferenceFileName(app), L"\\my");
    EXPECT_EQ(FindReferenceFiles(app, settings, paths), 1);
    EXPECT_EQ(Describe(Load()), std::vector<CString>{L"2|2|2|2|(F)"});

    // A file that cannot be decoded: the message of the failed read alone.
    SetReferenceFileName(app, temp / L"lists\\bad");
    CString messages;
    EXPECT_EQ(Load(&messages).GetSize(), 0);
    CString expected;
    expected.Format(L"■%s\r\nファイル操作に失敗しました。\r\nエラー 1630(0x0000065E）：%s\r\n\r\n",
                    static_cast<const wchar_t*>(temp / L"lists\\bad.txt"),
                    static_cast<const wchar_t*>(SystemText(1630)));
    EXPECT_EQ(messages.CompareNoCase(expected), 0) << static_cast<const wchar_t*>(messages);

    // An output folder that differs from the current directory in letter
    // case only is searched once.
    SetReferenceFileName(app, L"*.sltest");
    ASSERT_TRUE(WriteBytesToFile(temp / L"cur\\c.sltest", Bytes{'3', ',', '3', ',', '3', ',', '3'}));
    CString upper = temp / L"cur";
    upper.MakeUpper();
    settings.outputPath = upper;
    EXPECT_EQ(FindReferenceFiles(app, settings, paths), 1);
}

TEST_F(SizeListStoreTest, ReferenceFileNameSetting) {
    EXPECT_EQ(GetReferenceFileName(app), L"SelectSizeList");
    SetReferenceFileName(app, L"lists\\mine\\\\");
    EXPECT_EQ(RawString(L"SelectSizeListName"), L"lists\\mine");
    EXPECT_EQ(GetReferenceFileName(app), L"lists\\mine");
    SetReferenceFileName(app, L"selectsizelist");
    EXPECT_EQ(RawString(L"SelectSizeListName"), L"selectsizelist");
    SetReferenceFileName(app, L"SelectSizeList");
    EXPECT_EQ(RawString(L"SelectSizeListName"), L"<missing>");
    SetReferenceFileName(app, L"x");
    SetReferenceFileName(app, L"");
    EXPECT_EQ(RawString(L"SelectSizeListName"), L"<missing>");
    SetReferenceFileName(app, L"x");
    SetReferenceFileName(app, nullptr);
    EXPECT_EQ(RawString(L"SelectSizeListName"), L"<missing>");
    PutString(L"SelectSizeListName", L"   ");
    EXPECT_EQ(GetReferenceFileName(app), L"SelectSizeList");
    PutString(L"SelectSizeListName", L"\\\\");
    EXPECT_EQ(GetReferenceFileName(app), L"SelectSizeList");
}
