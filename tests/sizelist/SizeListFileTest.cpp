// Size list files written and read back in every encoding, and the messages
// of failed reads and writes.
#include "sizelist/SizeListFile.h"

#include "app/CProfileSupportWinApp.h"
#include "sizelist/CSizeInfoRules.h"
#include "sizelist/CTextFile.h"
#include "tests/sizelist/SizeListTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

tagSELECT_SIZE_INFO Entry(const wchar_t* x, const wchar_t* y, const wchar_t* w, const wchar_t* h,
                          const wchar_t* memo, int bOwn = 1) {
    tagSELECT_SIZE_INFO e{};
    e.bOwn = bOwn;
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szX, AsU16(CString(x))));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szY, AsU16(CString(y))));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szWidth, AsU16(CString(w))));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szHeight, AsU16(CString(h))));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szMemo, AsU16(CString(memo))));
    return e;
}

void ExpectSameEntries(const SelectSizeList& actual, const SelectSizeList& expected) {
    ASSERT_EQ(actual.GetSize(), expected.GetSize());
    for (int i = 0; i < actual.GetSize(); ++i) {
        EXPECT_EQ(0, std::memcmp(&actual[i], &expected[i], sizeof(tagSELECT_SIZE_INFO))) << "entry " << i;
    }
}

} // namespace

TEST(SizeListFile, WritesEveryEncodingAndReadsItBack) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests need Wine in a Japanese locale (LC_ALL=ja_JP.UTF-8)";
    TempFolder temp;
    SelectSizeList list;
    list.Add(Entry(L"0", L"0", L"1280", L"720", L"HD"));
    list.Add(Entry(L"", L"", L"640", L"480", L""));
    list.Add(Entry(L"-10", L"007", L"-0", L"99999", L"a,b"));
    list.Add(Entry(L"1", L"2", L"3", L"4", L"say \"hi\""));
    list.Add(Entry(L"", L"", L"800", L"600", L"枠のサイズ"));
    const std::wstring text = std::wstring(kHeader) +
                              L"0,0,1280,720,HD\r\n,,640,480,\r\n-10,007,-0,99999,\"a,b\"\r\n"
                              L"1,2,3,4,\"say \"\"hi\"\"\"\r\n,,800,600,枠のサイズ\r\n";
    struct Case {
        std::int32_t mode;
        Bytes bytes;
    };
    const Case cases[] = {
        {TFM_UTF8_BOM, Utf8WithBom(text)},
        {TFM_UTF8_NOBOM, Encode(text, CP_UTF8)},
        {TFM_UTF16LE_BOM, Concat({0xFF, 0xFE}, Utf16(text, false))},
        {TFM_UTF16BE_BOM, Concat({0xFE, 0xFF}, Utf16(text, true))},
        {TFM_UTF16LE, Utf16(text, false)},
        {TFM_UTF16BE, Utf16(text, true)},
        {TFM_ANSI, Encode(text, 932)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const CString path = temp / L"list.csv";
        CString messages;
        ASSERT_TRUE(WriteSizeListFile(path, c.mode, list, messages));
        EXPECT_EQ(messages, L"");
        EXPECT_EQ(ReadBytesOfFile(path), c.bytes);
        for (std::int32_t readMode : {TFM_AUTO, c.mode}) {
            SelectSizeList back;
            EXPECT_EQ(ReadSizeListFile(1, path, readMode, back, messages), 5);
            EXPECT_EQ(messages, L"");
            ExpectSameEntries(back, list);
        }
    }

    // An empty list gives the header alone; TABs leave the memo in the entry too.
    SelectSizeList empty;
    CString messages;
    ASSERT_TRUE(WriteSizeListFile(temp / L"empty.txt", TFM_UTF8_NOBOM, empty, messages));
    EXPECT_EQ(ReadBytesOfFile(temp / L"empty.txt"), Encode(kHeader, CP_UTF8));
    SelectSizeList tab;
    tab.Add(Entry(L"", L"", L"1", L"1", L"a\tb"));
    ASSERT_TRUE(WriteSizeListFile(temp / L"tab.txt", TFM_UTF8_NOBOM, tab, messages));
    EXPECT_EQ(CString(reinterpret_cast<const wchar_t*>(tab[0].szMemo)), L"a b");
    EXPECT_EQ(ReadBytesOfFile(temp / L"tab.txt"), Encode(std::wstring(kHeader) + L",,1,1,a b\r\n", CP_UTF8));
}

TEST(SizeListFile, MessagesOfFailedFilesAndRejectedLines) {
    TempFolder temp;
    SelectSizeList list;
    list.Add(Entry(L"", L"", L"1", L"1", L"kept"));
    CString messages = L"before\r\n";
    EXPECT_EQ(ReadSizeListFile(0, temp / L"missing.txt", TFM_AUTO, list, messages), 0);
    CString expected;
    expected.Format(L"before\r\nファイル操作に失敗しました。\r\nエラー 2(0x00000002）：%s\r\n",
                    static_cast<const wchar_t*>(SystemText(2)));
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(list.GetSize(), 1);

    messages.Empty();
    EXPECT_FALSE(WriteSizeListFile(temp / L"no\\folder.txt", TFM_UTF8_BOM, list, messages));
    expected.Format(L"ファイルの作成に失敗しました。\r\nエラー 3(0x00000003）：%s\r\n",
                    static_cast<const wchar_t*>(SystemText(3)));
    EXPECT_EQ(messages, expected);

    // Shift-JIS data read as UTF-8.
    ASSERT_TRUE(
        WriteBytesToFile(temp / L"sjis.txt", Bytes{'1', ',', '1', ',', '1', ',', '1', ',', 0x90, 0xDD}));
    messages.Empty();
    EXPECT_EQ(ReadSizeListFile(0, temp / L"sjis.txt", TFM_UTF8, list, messages), 0);
    expected.Format(L"ファイル操作に失敗しました。\r\nエラー 1629(0x0000065D）：%s\r\n",
                    static_cast<const wchar_t*>(SystemText(1629)));
    EXPECT_EQ(messages, expected);

    // Line numbers count the comment and the blank line; entries on both sides stay.
    ASSERT_TRUE(WriteBytesToFile(temp / L"bad.txt", Utf8WithBom(L"#c\r\n\r\n1,2,x,4\r\n5,6,7,8,ok")));
    messages.Empty();
    EXPECT_EQ(ReadSizeListFile(0, temp / L"bad.txt", TFM_AUTO, list, messages), -1);
    EXPECT_EQ(messages, L"  3行目3カラム目の値に誤りがあります：1,2,x,4\r\n");
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[1].bOwn, 0);
    EXPECT_EQ(CString(reinterpret_cast<const wchar_t*>(list[1].szMemo)), L"ok");
}

TEST(SizeListFile, FilesBeyondTheBoundsAreRefusedOrCutWithAMessageNamingThem) {
    TempFolder temp;
    auto sized = [&](const wchar_t* name, LONGLONG size) {
        const CString path = temp / name;
        EXPECT_TRUE(MakeFileOfSize(path, size));
        return path;
    };
    SelectSizeList list;
    list.Add(Entry(L"", L"", L"1", L"1", L"kept"));
    CString messages;
    // Zero bytes only: NULs, which make no record.
    EXPECT_EQ(ReadSizeListFile(0, sized(L"limit.txt", 8 << 20), TFM_AUTO, list, messages), 0);
    EXPECT_EQ(messages, L"");
    EXPECT_EQ(ReadSizeListFile(0, sized(L"big.txt", (8 << 20) + 1), TFM_AUTO, list, messages), 0);
    EXPECT_EQ(messages, L"  ファイル「big.txt」は大きすぎるため読み込めません（8 MiB まで）。\r\n");
    EXPECT_EQ(list.GetSize(), 1);

    std::wstring rows;
    for (int i = 0; i <= 10000; ++i) {
        rows += L",,2,2\r\n";
    }
    ASSERT_TRUE(WriteBytesToFile(temp / L"many.txt", Encode(rows, CP_UTF8)));
    messages.Empty();
    EXPECT_EQ(ReadSizeListFile(0, temp / L"many.txt", TFM_AUTO, list, messages), 10000);
    EXPECT_EQ(
        messages,
        L"  ファイル「many.txt」は 10000 行を超えているため、それより後の行は読み込みませんでした。\r\n");
    EXPECT_EQ(list.GetSize(), 10001);
}

// The disk fills up after the header and one line have been written.
struct FullAfterTwoWrites {
    static inline int writes = 0;
    static BOOL WINAPI Write(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                             LPOVERLAPPED overlapped) {
        if (++writes <= 2)
            return ::WriteFile(file, data, size, written, overlapped);
        if (written)
            *written = 0;
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
};

TEST(SizeListFile, AWriteThatFailsHalfWayIsReportedWithTheSystemsReason) {
    TempFolder temp;
    SelectSizeList list;
    for (int i = 0; i < 5; ++i)
        list.Add(Entry(L"", L"", L"640", L"480", L"m"));
    CTextFile::WriteFileCall real = CTextFile::WriteFileFunction();
    CTextFile::WriteFileFunction() = &FullAfterTwoWrites::Write;
    CString messages;
    const bool written = WriteSizeListFile(temp / L"full.txt", TFM_UTF8_NOBOM, list, messages);
    CTextFile::WriteFileFunction() = real;
    EXPECT_FALSE(written);
    EXPECT_EQ(FullAfterTwoWrites::writes, 3);
    CString expected;
    expected.Format(L"ファイルへの書き込みでエラーが発生しました。\r\nエラー 112(0x00000070）：%s\r\n",
                    static_cast<const wchar_t*>(SystemText(ERROR_DISK_FULL)));
    EXPECT_EQ(messages, expected);
}
