// The text file reader and writer against real files. The ANSI code page is
// the system's: win_tests runs Wine in a Japanese locale, where it is 932
// (Shift-JIS) as on the systems the program targets.
#include "sizelist/CTextFile.h"

#include "framework/Handles.h"
#include "tests/sizelist/SizeListTestFiles.h"

#include <gtest/gtest.h>

namespace {

struct ReadResult {
    bool ok;
    std::int32_t mode;
    DWORD error;
    std::wstring text;
};

ReadResult ReadFileAs(const wchar_t* path, std::int32_t mode) {
    CTextFile file;
    bool ok = file.OpenForRead(path, mode) && file.ReadAll();
    std::wstring text;
    if (ok) {
        EXPECT_EQ(file.GetText()[file.GetTextLength()], L'\0') << "the text is followed by a zero character";
        text.assign(file.GetText(), static_cast<size_t>(file.GetTextLength()));
    } else {
        EXPECT_EQ(file.GetText(), nullptr) << "a failed read leaves the object closed";
    }
    return {ok, file.GetMode(), file.GetError(), text};
}

class CTextFileTest : public ::testing::Test {
protected:
    ReadResult ReadBytes(const Bytes& bytes, std::int32_t mode = TFM_AUTO) {
        const CString path = temp / L"in.txt";
        EXPECT_TRUE(WriteBytesToFile(path, bytes));
        return ReadFileAs(path, mode);
    }
    Bytes Write(const std::wstring& text, std::int32_t mode) {
        const CString path = temp / L"out.txt";
        CTextFile file;
        EXPECT_TRUE(file.OpenForWrite(path, mode));
        EXPECT_TRUE(file.WriteText(text.data(), static_cast<int>(text.size())));
        const Bytes bytes = ReadBytesOfFile(path); // sharing allows no reader while open
        EXPECT_TRUE(bytes.empty());
        const std::int32_t size = file.GetFileSize();
        file.Close();
        Bytes written = ReadBytesOfFile(path);
        EXPECT_EQ(size, static_cast<std::int32_t>(written.size()));
        return written;
    }
    TempFolder temp;
};

} // namespace

TEST_F(CTextFileTest, EveryWriteModeGivesItsBytesAndReadsBack) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests need Wine in a Japanese locale (LC_ALL=ja_JP.UTF-8)";
    const std::wstring text = L"枠a\r\n";
    struct Case {
        std::int32_t mode;
        Bytes bytes;
        std::int32_t detected;
    };
    const Case cases[] = {
        {TFM_UTF8_BOM, {0xEF, 0xBB, 0xBF, 0xE6, 0x9E, 0xA0, 'a', '\r', '\n'}, TFM_UTF8_BOM},
        {TFM_UTF8_NOBOM, {0xE6, 0x9E, 0xA0, 'a', '\r', '\n'}, TFM_UTF8_NOBOM},
        {TFM_UTF8, {0xE6, 0x9E, 0xA0, 'a', '\r', '\n'}, TFM_UTF8_NOBOM},
        {TFM_UTF16LE_BOM, {0xFF, 0xFE, 0xA0, 0x67, 'a', 0, '\r', 0, '\n', 0}, TFM_UTF16LE_BOM},
        {TFM_UTF16LE, {0xA0, 0x67, 'a', 0, '\r', 0, '\n', 0}, TFM_UTF16LE},
        {TFM_UTF16BE_BOM, {0xFE, 0xFF, 0x67, 0xA0, 0, 'a', 0, '\r', 0, '\n'}, TFM_UTF16BE_BOM},
        {TFM_UTF16BE, {0x67, 0xA0, 0, 'a', 0, '\r', 0, '\n'}, TFM_UTF16BE},
        {TFM_ANSI, {0x98, 0x67, 'a', '\r', '\n'}, TFM_ANSI},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(Write(text, c.mode), c.bytes);
        ReadResult r = ReadBytes(c.bytes, TFM_AUTO);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.mode, c.detected);
        EXPECT_EQ(r.text, text);
        r = ReadBytes(c.bytes, c.mode);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.text, text);
    }
    // Characters that the code page lacks become its default character.
    EXPECT_EQ(Write(L"한a", TFM_ANSI), (Bytes{'?', 'a'}));
}

TEST_F(CTextFileTest, DetectionOnFiles) {
    ReadResult r = ReadBytes({});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.mode, TFM_UTF8_NOBOM);
    EXPECT_EQ(r.text, L"");
    r = ReadBytes({0xEF, 0xBB, 0xBF});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.mode, TFM_UTF8_BOM);
    EXPECT_EQ(r.text, L"");
    // Shift-JIS through the ANSI code page.
    r = ReadBytes({0x90, 0xDD, 0x92, 0xE8});
    EXPECT_EQ(r.mode, TFM_ANSI);
    EXPECT_EQ(r.text, L"設定");
    r = ReadBytes({0xE3, 0x81, 0x82, 0xE3, 0x81, 0x84});
    EXPECT_EQ(r.mode, TFM_UTF8_NOBOM);
    EXPECT_EQ(r.text, L"あい");
    r = ReadBytes({'c', 'a', 'f', 0xC3, 0xA9});
    EXPECT_EQ(r.text, L"café");
    // A byte order mark overrides the caller's mode.
    r = ReadBytes({0xFF, 0xFE, 'A', 0}, TFM_ANSI);
    EXPECT_EQ(r.mode, TFM_UTF16LE_BOM);
    EXPECT_EQ(r.text, L"A");
    r = ReadBytes({0xFE, 0xFF, 0, 'A', 0x30}, TFM_UTF8); // odd last byte ignored
    EXPECT_EQ(r.mode, TFM_UTF16BE_BOM);
    EXPECT_EQ(r.text, L"A");
    // One NUL in ASCII text at an even offset followed by LF: big-endian.
    r = ReadBytes({'a', 'b', 0, '\n'});
    EXPECT_EQ(r.mode, TFM_UTF16BE);
    EXPECT_EQ(r.text, std::wstring(L"\x6162\x000A"));

    r = ReadBytes({0x90, 0xDD}, TFM_UTF8_NOBOM);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, 1629u);
    r = ReadBytes({'a', 0x80, 'b'});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, 1630u);
}

TEST_F(CTextFileTest, SizeLimitIsOneHundredMebibytes) {
    const CString path = temp / L"big.bin";
    ASSERT_TRUE(MakeFileOfSize(path, 104857600));
    {
        CTextFile file;
        ASSERT_TRUE(file.OpenForRead(path, TFM_AUTO));
        EXPECT_EQ(file.GetFileSize(), 104857600);
        // Zero bytes only: equal odd and even zeros, so big-endian UTF-16.
        ASSERT_TRUE(file.ReadAll());
        EXPECT_EQ(file.GetMode(), TFM_UTF16BE);
        EXPECT_EQ(file.GetTextLength(), 52428800);
    }
    ASSERT_TRUE(MakeFileOfSize(path, 104857601));
    CTextFile file;
    EXPECT_FALSE(file.OpenForRead(path, TFM_AUTO));
    EXPECT_EQ(file.GetError(), 223u);
    EXPECT_EQ(file.GetErrorText(), SystemText(223));
    EXPECT_TRUE(::DeleteFileW(path)) << "a refused file is not left open";
}

TEST_F(CTextFileTest, ErrorsCarryTheSystemCodeAndText) {
    CTextFile file;
    EXPECT_FALSE(file.OpenForRead(temp / L"missing.txt", TFM_AUTO));
    EXPECT_EQ(file.GetError(), 2u);
    EXPECT_FALSE(file.GetErrorText().IsEmpty());
    EXPECT_EQ(file.GetErrorText(), SystemText(2));
    EXPECT_FALSE(file.ReadAll());

    EXPECT_FALSE(file.OpenForWrite(temp / L"no\\such\\folder.txt", TFM_UTF8_BOM));
    EXPECT_EQ(file.GetError(), 3u);
    EXPECT_FALSE(file.WriteText(L"a", 1)) << "not open for writing";

    // One call converts at most the buffer's worth of bytes.
    ASSERT_TRUE(file.OpenForWrite(temp / L"long.txt", TFM_ANSI));
    const std::wstring kana(40000, L'あ');
    EXPECT_FALSE(file.WriteText(kana.data(), static_cast<int>(kana.size())));
    EXPECT_EQ(file.GetError(), 122u); // ERROR_INSUFFICIENT_BUFFER
    EXPECT_TRUE(file.WriteText(kana.data(), file.GetBlockChars()));
    EXPECT_EQ(file.GetFileSize(), 2 * file.GetBlockChars());
    file.Close();

    // A read closes its handle: the file can be deleted while the text stays.
    ASSERT_TRUE(WriteBytesToFile(temp / L"a.txt", Bytes{'x'}));
    ASSERT_TRUE(file.OpenForRead(temp / L"a.txt", TFM_AUTO));
    ASSERT_TRUE(file.ReadAll());
    EXPECT_TRUE(::DeleteFileW(temp / L"a.txt"));
    EXPECT_EQ(std::wstring(file.GetText()), L"x");
}

TEST_F(CTextFileTest, AFileAnotherProgramHoldsOpenForWritingCanBeRead) {
    const CString path = temp / L"held.csv";
    ASSERT_TRUE(WriteBytesToFile(path, Bytes{'1', '0', ',', '2', '0'}));
    unique_file holder(::CreateFileW(path, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    ReadResult r = ReadFileAs(path, TFM_AUTO);
    EXPECT_TRUE(r.ok) << "error " << r.error;
    EXPECT_EQ(r.text, L"10,20");
}

TEST_F(CTextFileTest, LongBigEndianTextIsWrittenWhole) {
    std::wstring text;
    for (int i = 0; i < 40000; ++i)
        text += static_cast<wchar_t>(0x3041 + i % 80);
    const Bytes bytes = Write(text, TFM_UTF16BE_BOM);
    ASSERT_EQ(bytes.size(), 2 + 2 * text.size());
    const ReadResult r = ReadBytes(bytes);
    EXPECT_EQ(r.mode, TFM_UTF16BE_BOM);
    EXPECT_TRUE(r.text == text);
}
