#include "sizelist/CCsvTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Record {
    int line;
    std::vector<std::u16string> fields;
    bool operator==(const Record&) const = default;
};

// Reads every record of text, taking `count` fields of each.
std::vector<Record> ReadAll(const std::u16string& text, int count = 3) {
    CCsvTokenizer csv;
    csv.SetText(text.data(), static_cast<std::int32_t>(text.size()));
    std::vector<Record> records;
    while (csv.NextRecord()) {
        Record r{csv.GetLine(), {}};
        for (int i = 0; i < count; ++i) {
            char16_t buffer[64] = {};
            csv.ReadField(buffer, 64, false);
            r.fields.emplace_back(buffer);
        }
        records.push_back(r);
    }
    return records;
}

// The first field of the only record of text.
std::u16string FirstField(const std::u16string& text) {
    const auto records = ReadAll(text, 1);
    return records.empty() ? u"<none>" : records[0].fields[0];
}

} // namespace

TEST(CCsvTokenizer, QuotedFields) {
    // Doubled quotes inside, commas as ordinary characters.
    EXPECT_EQ(ReadAll(u"1,\"a,\"\"b\"\"\",c")[0].fields,
              (std::vector<std::u16string>{u"1", u"a,\"b\"", u"c"}));
    // A quote followed by anything but a comma or line end is ordinary, and
    // the field then runs on over commas.
    EXPECT_EQ(FirstField(u"\"ab\"c,d"), u"ab\"c,d");
    // Unquoted fields keep their quotes as they are.
    EXPECT_EQ(ReadAll(u"a\"\"b,c\"")[0].fields, (std::vector<std::u16string>{u"a\"\"b", u"c\"", u""}));
    EXPECT_EQ(FirstField(u"\"12\""), u"12");
    EXPECT_EQ(FirstField(u"\"\""), u"");
    EXPECT_EQ(FirstField(u"\"ab"), u"ab"); // no closing quote before the end of the text
    EXPECT_EQ(FirstField(u"\"a\"\"\n"), u"a\"");

    // A line end inside a quoted field ends the field and the record.
    const auto records = ReadAll(u"\"abc\r\nx,\"y\"\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (Record{1, {u"abc", u"", u""}}));
    EXPECT_EQ(records[1], (Record{2, {u"x", u"y", u""}}));
}

TEST(CCsvTokenizer, FieldThatDoesNotFit) {
    const std::u16string text = u"abcdef,\"x\"\"yz\",w";
    CCsvTokenizer csv;
    csv.SetText(text.data(), static_cast<std::int32_t>(text.size()));
    ASSERT_NE(csv.NextRecord(), nullptr);
    char16_t buffer[8] = {u'?', 0};
    EXPECT_EQ(csv.ReadField(nullptr, 0, false), 6); // peeks
    EXPECT_EQ(csv.ReadField(buffer, 6, false), -6);
    EXPECT_EQ(buffer[0], u'?'); // untouched, nothing consumed
    EXPECT_EQ(csv.ReadField(buffer, 7, false), 6);
    EXPECT_EQ(std::u16string(buffer), u"abcdef");
    // With truncation the field is cut and consumed; the length is the full one.
    EXPECT_EQ(csv.ReadField(buffer, 3, true), 4);
    EXPECT_EQ(std::u16string(buffer), u"x\"");
    EXPECT_EQ(csv.ReadField(buffer, 8, false), 1);
    EXPECT_EQ(std::u16string(buffer), u"w");
    buffer[0] = u'?';
    EXPECT_EQ(csv.ReadField(buffer, 8, false), 0); // no further field
    EXPECT_EQ(buffer[0], u'?');
    EXPECT_EQ(csv.NextRecord(), nullptr);
}

TEST(CCsvTokenizer, LineNumbersBehindCommentsAndBlankLines) {
    const std::vector<Record> expected{{3, {u"a", u"b", u""}}, {5, {u"c", u"", u""}}, {6, {u"d", u"", u""}}};
    EXPECT_EQ(ReadAll(u"# comment\n\na,b\n#x\nc\nd"), expected);
    EXPECT_EQ(ReadAll(u"# comment\r\n\r\na,b\r\n#x\r\nc\r\nd\r\n"), expected);
    EXPECT_EQ(ReadAll(u"# comment\r\ra,b\r#x\rc\rd\r"), expected);
    // '#' starts a comment only as the first character of a line.
    EXPECT_EQ(ReadAll(u" #x\n")[0].fields[0], u" #x");
}

TEST(CCsvTokenizer, SkipsTheRestOfAPartlyReadRecord) {
    for (const std::u16string eol : {u"\n", u"\r\n", u"\r"}) {
        const std::u16string text = u"1,2,3,4,5,6,7" + eol + u"8,9" + eol + u"\"q" + eol + u"z";
        const auto records = ReadAll(text, 2);
        ASSERT_EQ(records.size(), 4u);
        EXPECT_EQ(records[0], (Record{1, {u"1", u"2"}}));
        EXPECT_EQ(records[1], (Record{2, {u"8", u"9"}}));
        EXPECT_EQ(records[2], (Record{3, {u"q", u""}}));
        EXPECT_EQ(records[3], (Record{4, {u"z", u""}}));
    }
}

TEST(CCsvTokenizer, RecordTextAndEnd) {
    const std::u16string text = u"0123456789012345678901234567890123,x\r\nshort\rnext";
    CCsvTokenizer csv;
    std::u16string out = u"unchanged";
    csv.GetRecordText(out);
    EXPECT_EQ(out, u"unchanged");
    csv.SetText(text.data(), static_cast<std::int32_t>(text.size()));
    EXPECT_EQ(csv.GetLine(), -1);
    ASSERT_NE(csv.NextRecord(), nullptr);
    csv.GetRecordText(out);
    EXPECT_EQ(out, u"012345678901234567890123456789");
    ASSERT_NE(csv.NextRecord(), nullptr);
    csv.GetRecordText(out);
    EXPECT_EQ(out, u"short");
    ASSERT_NE(csv.NextRecord(), nullptr);
    EXPECT_EQ(csv.NextRecord(), nullptr);
    // Once at the end, it stays there instead of starting over.
    EXPECT_EQ(csv.NextRecord(), nullptr);
    char16_t buffer[4] = {};
    EXPECT_EQ(csv.ReadField(buffer, 4, false), 0);

    CCsvTokenizer empty;
    empty.SetText(u"", 0);
    EXPECT_EQ(empty.NextRecord(), nullptr);
    EXPECT_EQ(ReadAll(u"\r\n\n# only comments\n").size(), 0u);
}

TEST(CCsvTokenizer, NulCharacterEndsARecordWithoutStoppingTheReader) {
    const std::u16string text(u"a,b\0c,d\ne", 9);
    const auto records = ReadAll(text, 2);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (Record{1, {u"a", u"b"}}));
    EXPECT_EQ(records[1], (Record{1, {u"c", u"d"}}));
    EXPECT_EQ(records[2], (Record{2, {u"e", u""}}));
}
