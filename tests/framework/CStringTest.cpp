#include "framework/CString.h"

#include <gtest/gtest.h>

TEST(CString, FormatUsesWindowsWideRules) {
    CString s;
    ASSERT_TRUE(s.Format(L"%s\\%s%s", L"C:\\out", L"名前", L".png"));
    EXPECT_EQ(s, L"C:\\out\\名前.png");
    s.Format(L"% 3dKB", 1);
    EXPECT_EQ(s, L"  1KB");
    s.Format(L"%03d x %03d", 50, 10);
    EXPECT_EQ(s, L"050 x 010");
    s.Format(L"%ls|%c|%d", L"w", L'x', -5);
    EXPECT_EQ(s, L"w|x|-5");
    CString longer;
    longer.Format(L"%s", CString(L'a', 5000).GetString());
    EXPECT_EQ(longer.GetLength(), 5000);
}

TEST(CString, TokenizeSkipsRunsOfSeparators) {
    CString text = L";;640 x 480:VGA;;1024 x 768:XGA;";
    int pos = 0;
    EXPECT_EQ(text.Tokenize(L";", pos), L"640 x 480:VGA");
    EXPECT_EQ(text.Tokenize(L";", pos), L"1024 x 768:XGA");
    CString last = text.Tokenize(L";", pos);
    EXPECT_TRUE(last.IsEmpty());
    EXPECT_EQ(pos, -1);
    int again = -1;
    EXPECT_TRUE(text.Tokenize(L";", again).IsEmpty());
}

TEST(CString, ReplaceTrimAndParts) {
    CString s = L"800 x 600:a:b";
    EXPECT_EQ(s.Replace(L" x ", L","), 1);
    EXPECT_EQ(s.Replace(L":", L","), 2);
    EXPECT_EQ(s, L"800,600,a,b");
    CString t = L" \t a b \r\n";
    t.Trim();
    EXPECT_EQ(t, L"a b");
    CString p = L"abcdef";
    EXPECT_EQ(p.Left(2), L"ab");
    EXPECT_EQ(p.Mid(4), L"ef");
    EXPECT_EQ(p.Mid(1, 2), L"bc");
    EXPECT_EQ(p.Right(10), L"abcdef");
    EXPECT_EQ(p.Find(L"cd"), 2);
    EXPECT_EQ(p.ReverseFind(L'z'), -1);
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
    EXPECT_NE(CString(L"ABC").CompareNoCase(L"abd"), 0);
}
