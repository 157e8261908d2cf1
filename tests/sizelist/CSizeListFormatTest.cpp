#include "sizelist/CSizeListFormat.h"
#include "sizelist/CSizeInfoRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Result {
    int result;
    std::vector<tagSELECT_SIZE_INFO> entries;
    std::u16string messages;
};

Result Read(const std::u16string& text, int bOwn = 1) {
    CCsvTokenizer csv;
    csv.SetText(text.data(), static_cast<std::int32_t>(text.size()));
    Result r{0, {}, u"previous\r\n"};
    r.result = CSizeListFormat::ReadRecords(csv, bOwn, r.entries, r.messages);
    r.messages.erase(0, 10); // messages are appended
    return r;
}

tagSELECT_SIZE_INFO Entry(std::u16string_view x, std::u16string_view y, std::u16string_view w,
                          std::u16string_view h, std::u16string_view memo, int bOwn = 1) {
    tagSELECT_SIZE_INFO e{};
    e.bOwn = bOwn;
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szX, x));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szY, y));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szWidth, w));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szHeight, h));
    EXPECT_TRUE(CSizeInfoRules::CopyField(e.szMemo, memo));
    return e;
}

// Compares the fields as strings; the record is zero-filled behind them.
void ExpectEntry(const tagSELECT_SIZE_INFO& e, const tagSELECT_SIZE_INFO& expected) {
    EXPECT_EQ(e.bOwn, expected.bOwn);
    EXPECT_EQ(std::u16string(e.szX), expected.szX);
    EXPECT_EQ(std::u16string(e.szY), expected.szY);
    EXPECT_EQ(std::u16string(e.szWidth), expected.szWidth);
    EXPECT_EQ(std::u16string(e.szHeight), expected.szHeight);
    EXPECT_EQ(std::u16string(e.szMemo), expected.szMemo);
    EXPECT_EQ(0, std::memcmp(&e, &expected, sizeof e)) << "bytes behind the fields must stay zero";
}

std::u16string Num(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

std::u16string WrongValue(int line, int column, std::u16string_view text) {
    return u"  " + Num(line) + u"行目" + Num(column) + u"カラム目の値に誤りがあります：" +
           std::u16string(text) + u"\r\n";
}

std::u16string TooLong(int line, int column, std::u16string_view text) {
    return u"  " + Num(line) + u"行目" + Num(column) + u"カラム目の桁数が多すぎます：" +
           std::u16string(text) + u"\r\n";
}

} // namespace

TEST(CSizeListFormat, HeaderLinesAreSkippedSilently) {
    const Result r = Read(u"x,y,幅,高さ,メモ\nX,Y,幅,高さ,メモ\n\"x\",\"y\",\"幅\",\"高さ\",\"メモ\"\n"
                          u"x,y,w,h,m\n1,2,3,4,ok\n");
    EXPECT_EQ(r.messages, WrongValue(4, 1, u"x,y,w,h,m"));
    EXPECT_EQ(r.result, -1);
    ASSERT_EQ(r.entries.size(), 1u); // lines around a rejected one are kept
    ExpectEntry(r.entries[0], Entry(u"1", u"2", u"3", u"4", u"ok"));
    EXPECT_TRUE(CSizeListFormat::IsHeaderLine(u"X,Y,幅,高さ,メモ"));
    EXPECT_FALSE(CSizeListFormat::IsHeaderLine(u"x,y,幅,高さ,メモ,"));
}

TEST(CSizeListFormat, FieldLimitsAndValueRules) {
    const Result r = Read(u",,640,480\n"
                          u"-99999,-,-0,99999,メモは二十文字で切られます。ここから先は消える\n"
                          u"\"12\",3,4,5,\"a,\"\"b\"\"\"\n"
                          u"1,2,3,4,a\"b\tc\n"
                          u"0000001,0,1,1\n"
                          u"0,1234567,1,1\n"
                          u"0,0,123456,1\n"
                          u"0,0,1,123456\n"
                          u"999999,0,1,1\n"
                          u"0,0,-5,480\n"
                          u"640,480\n"
                          u"   \n"
                          u"0, 0,1,1\n",
                          0);
    ASSERT_EQ(r.entries.size(), 4u);
    ExpectEntry(r.entries[0], Entry(u"", u"", u"640", u"480", u"", 0));
    ExpectEntry(r.entries[1],
                Entry(u"-99999", u"-", u"-0", u"99999", u"メモは二十文字で切られます。ここから先は", 0));
    ExpectEntry(r.entries[2], Entry(u"12", u"3", u"4", u"5", u"a,\"b\"", 0));
    ExpectEntry(r.entries[3], Entry(u"1", u"2", u"3", u"4", u"a\"b c", 0));
    EXPECT_EQ(r.result, -9);
    EXPECT_EQ(r.messages, TooLong(5, 1, u"0000001,0,1,1") + TooLong(6, 2, u"0,1234567,1,1") +
                              TooLong(7, 3, u"0,0,123456,1") + TooLong(8, 4, u"0,0,1,123456") +
                              WrongValue(9, 1, u"999999,0,1,1") + WrongValue(10, 3, u"0,0,-5,480") +
                              WrongValue(11, 3, u"640,480") + WrongValue(12, 1, u"   ") +
                              WrongValue(13, 2, u"0, 0,1,1"));
}

TEST(CSizeListFormat, LineNumbersCountCommentsAndBlankLines) {
    for (const std::u16string eol : {u"\n", u"\r\n"}) {
        const Result r = Read(u"# comment" + eol + eol + u"a,0,1,1" + eol + u"1,1,1,1" + eol);
        EXPECT_EQ(r.messages, WrongValue(3, 1, u"a,0,1,1"));
        EXPECT_EQ(r.result, -1);
        EXPECT_EQ(r.entries.size(), 1u);
    }
}

TEST(CSizeListFormat, StopsAfterTwentyRejectedLines) {
    std::u16string text = u"1,1,1,1,first\n";
    for (int i = 0; i < 25; ++i) {
        text += u"bad\n";
    }
    text += u"2,2,2,2,last\n";
    Result r = Read(text);
    EXPECT_EQ(r.result, -20);
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(std::u16string(r.entries[0].szMemo), u"first");
    std::u16string expected;
    for (int line = 2; line <= 21; ++line) {
        expected += WrongValue(line, 1, u"bad");
    }
    EXPECT_EQ(r.messages, expected + u"エラーが多すぎるため処理を中断します。\r\n");

    // Twenty rejected lines at the end of the file: no stop message.
    text = u"1,1,1,1\n";
    for (int i = 0; i < 20; ++i) {
        text += u"bad\n";
    }
    r = Read(text);
    EXPECT_EQ(r.result, -20);
    EXPECT_EQ(r.messages, expected);
}

TEST(CSizeListFormat, WrittenLinesReadBackToTheSameEntries) {
    EXPECT_EQ(CSizeListFormat::Header(),
              u"# Frimlet2「枠のサイズ選択」リスト用のデータファイルです。\r\n# x,y,幅,高さ,メモ\r\n");
    tagSELECT_SIZE_INFO tab = Entry(u"", u"", u"1", u"2", u"a");
    tab.szMemo[1] = u'\t';
    const std::vector<tagSELECT_SIZE_INFO> entries{
        Entry(u"0", u"0", u"1280", u"720", u"HD"),
        Entry(u"", u"", u"640", u"480", u""),
        Entry(u"-10", u"007", u"-0", u"99999", u"a,b"),
        Entry(u"1", u"2", u"3", u"4", u"say \"hi\""),
        Entry(u"1", u"2", u"3", u"4", u"\"\",\"\"\"\"\"\"\"\"\"\"\"\"\"\"\"\""),
    };
    EXPECT_EQ(CSizeListFormat::FormatLine(entries[0]), u"0,0,1280,720,HD\r\n");
    EXPECT_EQ(CSizeListFormat::FormatLine(entries[2]), u"-10,007,-0,99999,\"a,b\"\r\n");
    EXPECT_EQ(CSizeListFormat::FormatLine(entries[3]), u"1,2,3,4,\"say \"\"hi\"\"\"\r\n");
    EXPECT_EQ(CSizeListFormat::FormatLine(tab), u",,1,2,a \r\n");

    std::u16string file(CSizeListFormat::Header());
    for (const auto& e : entries) {
        file += CSizeListFormat::FormatLine(e);
    }
    const Result r = Read(file);
    EXPECT_EQ(r.messages, u"");
    EXPECT_EQ(r.result, static_cast<int>(entries.size()));
    ASSERT_EQ(r.entries.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        ExpectEntry(r.entries[i], entries[i]);
    }
}

TEST(CSizeInfoRules, ValueRules) {
    for (auto ok : {u"", u"-", u"0", u"-0", u"007", u"99999", u"-99999"}) {
        EXPECT_TRUE(CSizeInfoRules::IsValidPosition(ok));
    }
    for (auto bad :
         {u"100000", u"-100000", u" 1", u"1 ", u"+1", u"1-", u"--1", u"１", u"99999999999999999999"}) {
        EXPECT_FALSE(CSizeInfoRules::IsValidPosition(bad));
    }
    for (auto ok : {u"-", u"0", u"-0", u"00010", u"99999"}) {
        EXPECT_TRUE(CSizeInfoRules::IsValidExtent(ok));
    }
    for (auto bad : {u"", u"-5", u"100000", u"a", u"1.5"}) {
        EXPECT_FALSE(CSizeInfoRules::IsValidExtent(bad));
    }
    char16_t field[6];
    EXPECT_TRUE(CSizeInfoRules::CopyField(field, u"12345"));
    EXPECT_FALSE(CSizeInfoRules::CopyField(field, u"123456"));
}

TEST(CSizeListFormat, NulMakesNoRecordAndMessagesNameTheEditorsLine) {
    // A NUL behind a blank line: one entry and nothing to report.
    Result r = Read(std::u16string(u"1,1,1,1\r\n\r\n\0", 12));
    EXPECT_EQ(r.messages, u"");
    EXPECT_EQ(r.result, 1);
    // A NUL behind a rejected value does not move its line.
    r = Read(std::u16string(u"a\0\n", 3));
    EXPECT_EQ(r.messages, WrongValue(1, 1, u"a"));
    // A NUL between two lines.
    r = Read(std::u16string(u"1,1,1,1\r\n\0bad\r\n\0\n3,3,x,3", 24));
    EXPECT_EQ(r.messages, WrongValue(2, 1, u"bad") + WrongValue(4, 3, u"3,3,x,3"));
    EXPECT_EQ(r.entries.size(), 1u);
}

TEST(CSizeListFormat, MemosStayOneLineAndAreCutAtACodePoint) {
    // A memo that came with line breaks is written as one line and reads
    // back as the one entry it was.
    const tagSELECT_SIZE_INFO broken = Entry(u"1", u"2", u"3", u"4", u"a\r\nb\rc\n,\"d");
    EXPECT_EQ(CSizeListFormat::FormatLine(broken), u"1,2,3,4,\"a b c ,\"\"d\"\r\n");
    Result r = Read(CSizeListFormat::FormatLine(broken));
    ASSERT_EQ(r.entries.size(), 1u);
    ExpectEntry(r.entries[0], Entry(u"1", u"2", u"3", u"4", u"a b c ,\"d"));

    // 19 characters and a pair that would be cut in two at 20 units.
    const std::u16string nineteen(19, u'm');
    r = Read(u",,1,1," + nineteen + u"\U0001F600z\r\n,,1,1," + nineteen + u"z\U0001F600\r\n");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(std::u16string(r.entries[0].szMemo), nineteen);
    EXPECT_EQ(std::u16string(r.entries[1].szMemo), nineteen + u"z");
}

TEST(CSizeListFormat, StopsAfterTenThousandRecords) {
    std::u16string text;
    for (int i = 0; i <= CSizeListFormat::kMaxRecords; ++i) {
        text += u",,1,1\n";
    }
    CCsvTokenizer csv;
    csv.SetText(text.data(), static_cast<std::int32_t>(text.size()));
    std::vector<tagSELECT_SIZE_INFO> list;
    std::u16string messages;
    bool tooMany = false;
    EXPECT_EQ(CSizeListFormat::ReadRecords(csv, 0, list, messages, &tooMany), CSizeListFormat::kMaxRecords);
    EXPECT_TRUE(tooMany);
    text.resize(text.size() - 6); // exactly the limit
    csv.SetText(text.data(), static_cast<std::int32_t>(text.size()));
    list.clear();
    CSizeListFormat::ReadRecords(csv, 0, list, messages, &tooMany);
    EXPECT_FALSE(tooMany);
    EXPECT_EQ(list.size(), static_cast<size_t>(CSizeListFormat::kMaxRecords));
}
