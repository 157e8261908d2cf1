#include "app/FolderMacroTable.h"

#include <gtest/gtest.h>

namespace {

class FolderMacroTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.SetPath(FolderMacroTable::Pictures, u"C:\\Users\\u\\Documents\\Pictures");
        table.SetPath(FolderMacroTable::Desktop, u"C:\\Users\\u\\Desktop");
        table.SetPath(FolderMacroTable::Documents, u"C:\\Users\\u\\Documents");
        table.SetPath(FolderMacroTable::Downloads, u"");
        table.SetDisplayName(FolderMacroTable::Pictures, u"ピクチャ");
        table.SetDisplayName(FolderMacroTable::Desktop, u"デスクトップ");
        table.SetDisplayName(FolderMacroTable::Documents, u"ドキュメント");
    }
    FolderMacroTable table;
};

TEST_F(FolderMacroTableTest, ExpandsOnlyALeadingMacroWithExactCase) {
    EXPECT_EQ(table.Expand(u"%MYPICTURES%\\Frimlet2"), u"C:\\Users\\u\\Documents\\Pictures\\Frimlet2");
    EXPECT_EQ(table.Expand(u"D:\\x\\%MYDESKTOP%"), u"D:\\x\\%MYDESKTOP%");
    EXPECT_EQ(table.Expand(u"%mypictures%\\a"), u"%mypictures%\\a");
    // Every occurrence of the matched macro is replaced, others are left.
    EXPECT_EQ(table.Expand(u"%MYDESKTOP%\\%MYDESKTOP%\\%MYPICTURES%"),
              u"C:\\Users\\u\\Desktop\\C:\\Users\\u\\Desktop\\%MYPICTURES%");
    // An unavailable folder still expands, to nothing.
    EXPECT_EQ(table.Expand(u"%MYDOWNLOADS%\\x"), u"\\x");
}

TEST_F(FolderMacroTableTest, CompactsInLookupOrderAndRoundTrips) {
    // Pictures lies inside Documents but is tried first.
    EXPECT_EQ(table.Compact(u"C:\\Users\\u\\Documents\\Pictures\\shots"), u"%MYPICTURES%\\shots");
    EXPECT_EQ(table.Compact(u"C:\\Users\\u\\Documents\\notes"), u"%MYDOCUMENT%\\notes");
    // A path that merely begins with the Pictures path.
    std::u16string near = u"C:\\Users\\u\\Documents\\Pictures2\\a";
    EXPECT_EQ(table.Compact(near), u"%MYPICTURES%2\\a");
    EXPECT_EQ(table.Expand(table.Compact(near)), near);
    // An empty path never matches.
    EXPECT_EQ(table.Compact(u"E:\\other"), u"E:\\other");
}

TEST_F(FolderMacroTableTest, DisplayFormBothWays) {
    std::u16string real = u"C:\\Users\\u\\Desktop\\shots";
    std::u16string shown = table.ToDisplay(real);
    EXPECT_EQ(shown, u"デスクトップ\\shots");
    EXPECT_EQ(table.FromDisplay(shown), real);
    EXPECT_EQ(table.ToDisplay(u"E:\\elsewhere"), u"E:\\elsewhere");
    EXPECT_EQ(table.FromDisplay(u"E:\\elsewhere"), u"E:\\elsewhere");
}

TEST(FolderMacroReplaceAll, ScansLeftToRightWithoutOverlap) {
    EXPECT_EQ(FolderMacroTable::ReplaceAll(u"aaaa", u"aa", u"b"), u"bb");
    EXPECT_EQ(FolderMacroTable::ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(FolderMacroTable::ReplaceAll(u"abc", u"", u"x"), u"abc");
}

} // namespace
