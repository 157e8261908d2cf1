#include "sizelist/CStoredSizeLines.h"
#include "sizelist/CReferenceFileName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The fields of a parsed line joined by '|', or "skip".
std::u16string Parse(std::u16string_view line) {
    tagSELECT_SIZE_INFO e;
    std::memset(&e, 0x55, sizeof e);
    if (!CStoredSizeLines::ParseLine(line, e)) {
        return u"skip";
    }
    EXPECT_EQ(e.bOwn, 1);
    return std::u16string(e.szX) + u"|" + e.szY + u"|" + e.szWidth + u"|" + e.szHeight + u"|" + e.szMemo;
}

} // namespace

TEST(CStoredSizeLines, ParsesLinesWithTheValueRules) {
    EXPECT_EQ(Parse(u",,640,480,VGA"), u"||640|480|VGA");
    EXPECT_EQ(Parse(u"10,20,640,480,memo, with comma"), u"10|20|640|480|memo, with comma");
    EXPECT_EQ(Parse(u"0,0,-0,480,m"), u"0|0|-0|480|m");
    EXPECT_EQ(Parse(u"-,0,640,480,m"), u"-|0|640|480|m");
    EXPECT_EQ(Parse(u"0,0,1,1,123456789012345678901"), u"0|0|1|1|123456789012345678901");
    EXPECT_EQ(Parse(u"0,0,1,1,1234567890123456789012"), u"skip");
    EXPECT_EQ(Parse(u"1234567,0,640,480,m"), u"skip");
    EXPECT_EQ(Parse(u"0,1234567,640,480,m"), u"skip");
    EXPECT_EQ(Parse(u"0,0,000640,480,m"), u"skip");
    EXPECT_EQ(Parse(u"0,0,640,000480,m"), u"skip");
    EXPECT_EQ(Parse(u"0,0,-5,480,m"), u"skip");
    EXPECT_EQ(Parse(u"0,0,,480,m"), u"skip");
    EXPECT_EQ(Parse(u"x,0,640,480,m"), u"skip");
    EXPECT_EQ(Parse(u""), u"skip");
    EXPECT_EQ(Parse(u"#,,640,480"), u"skip");
    // Line breaks in a memo become spaces before its length is checked.
    EXPECT_EQ(Parse(u"0,0,1,1,a\r\nb\rc\n" + std::u16string(15, u'm')),
              u"0|0|1|1|a b c " + std::u16string(15, u'm'));
}

TEST(CStoredSizeLines, LinesWithFewerThanFourCommas) {
    // The last field present runs to the end of the line.
    EXPECT_EQ(Parse(u",,800,600"), u"||800|600|");
    EXPECT_EQ(Parse(u",,800,600x"), u"skip");
    // Without height (or width) a line never becomes an entry.
    EXPECT_EQ(Parse(u",,800"), u"skip");
    EXPECT_EQ(Parse(u"800"), u"skip");
    EXPECT_EQ(Parse(u"0,0,640,"), u"skip");
}

TEST(CStoredSizeLines, FormatsTheStoredLine) {
    tagSELECT_SIZE_INFO e{};
    e.bOwn = 1;
    std::u16string_view memo = u"a,\"b\"\tc";
    std::copy(memo.begin(), memo.end(), e.szMemo);
    e.szWidth[0] = u'6';
    e.szHeight[0] = u'4';
    EXPECT_EQ(CStoredSizeLines::FormatLine(e), u",,6,4,a,\"b\" c");
    EXPECT_EQ(Parse(CStoredSizeLines::FormatLine(e)), u"||6|4|a,\"b\" c");
}

TEST(CStoredSizeLines, ConvertsTheLegacyList) {
    EXPECT_EQ(CStoredSizeLines::ConvertLegacy(u"640 x 480:VGA;;1024 x 768:XGA;"),
              (std::vector<std::u16string>{u",,640,480,VGA", u",,1024,768,XGA"}));
    EXPECT_EQ(CStoredSizeLines::ConvertLegacy(u";;800 x 600:a:b"),
              (std::vector<std::u16string>{u",,800,600,a,b"}));
    EXPECT_EQ(CStoredSizeLines::ConvertLegacy(u"800 x 600"), (std::vector<std::u16string>{u",,800,600"}));
    // Only " x " with blanks around a lower-case x is a separator.
    EXPECT_EQ(CStoredSizeLines::ConvertLegacy(u"1 X 2:m;3x4"),
              (std::vector<std::u16string>{u",,1 X 2,m", u",,3x4"}));
    EXPECT_TRUE(CStoredSizeLines::ConvertLegacy(u"").empty());
    EXPECT_TRUE(CStoredSizeLines::ConvertLegacy(u";;;").empty());
    EXPECT_EQ(Parse(CStoredSizeLines::ConvertLegacy(u"800 x 600")[0]), u"||800|600|");
}

TEST(CReferenceFileName, SplitsNameAndExtension) {
    auto split = [](std::u16string_view name) {
        const auto p = CReferenceFileName::Split(name);
        return p.name + u"|" + p.extension + (p.isPath ? u"|path" : u"");
    };
    EXPECT_EQ(split(u"SelectSizeList"), u"SelectSizeList|.txt");
    EXPECT_EQ(split(u"*.csv"), u"*|.csv");
    EXPECT_EQ(split(u"dir.old\\list"), u"dir.old\\list|.txt|path");
    EXPECT_EQ(split(u"D:\\lists\\my"), u"D:\\lists\\my|.txt|path");
    EXPECT_EQ(split(u"D:\\lists\\my.csv"), u"D:\\lists\\my|.csv|path");
    EXPECT_EQ(split(u"\\my"), u"\\my|.txt"); // a backslash at index 0 only: still the three folders
    EXPECT_EQ(split(u".hidden"), u".hidden|.txt");
    EXPECT_EQ(split(u"a.b.c"), u"a.b|.c");
}
