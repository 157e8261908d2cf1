#include "app/OutputNameRules.h"

#include <gtest/gtest.h>

using namespace OutputNameRules;

TEST(OutputNameRules, FixedNamesThatAreNoPlainFileNameAreRefused) {
    const std::u16string longest(kMaxComponent - kExtensionLength, u'a');
    const struct {
        std::u16string name;
        NameProblem problem;
    } cases[] = {
        {u"output", NameProblem::Ok},
        {u"manual_###", NameProblem::Ok},
        {u"#", NameProblem::Ok},
        {u"a.b c", NameProblem::Ok},
        {u"CONSOLE", NameProblem::Ok},
        {u"COM10", NameProblem::Ok},
        {u"LPT0", NameProblem::Ok},
        {u"COM##", NameProblem::Ok},
        {u"画面_#", NameProblem::Ok},
        {longest, NameProblem::Ok},
        {u"", NameProblem::Empty},
        {u"..\\..\\escape", NameProblem::PathSeparator},
        {u"a/b", NameProblem::PathSeparator},
        {u"a:b", NameProblem::PathSeparator},
        {u"?*<>|\"", NameProblem::ForbiddenCharacter},
        {u"a\x1f", NameProblem::ForbiddenCharacter},
        {u"tab\tname", NameProblem::ForbiddenCharacter},
        {u"name.", NameProblem::TrailingDotOrSpace},
        {u"name ", NameProblem::TrailingDotOrSpace},
        {u"..", NameProblem::TrailingDotOrSpace},
        {u"CON", NameProblem::ReservedDevice},
        {u"con", NameProblem::ReservedDevice},
        {u"Nul.txt", NameProblem::ReservedDevice},
        {u"aux.tar.gz", NameProblem::ReservedDevice},
        {u"PRN .x", NameProblem::ReservedDevice},
        {u"com1", NameProblem::ReservedDevice},
        {u"LPT9", NameProblem::ReservedDevice},
        {u"COM\u00B9", NameProblem::ReservedDevice},
        {u"COM#", NameProblem::ReservedDevice}, // its first captures would be COM1 to COM9
        {u"a#b#", NameProblem::TwoNumberRuns},
        {u"##_##", NameProblem::TwoNumberRuns},
        {longest + u"a", NameProblem::TooLong},
        {std::u16string(300, u'x'), NameProblem::TooLong},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckFixedName(c.name, 20), c.problem) << std::string(c.name.begin(), c.name.end());
}

TEST(OutputNameRules, TheWholeLongPathMustFit) {
    // \\?\ + folder + \ + name + .jpg within 32767 units with the NUL.
    const std::size_t room = kMaxLongPath - 1 - 4 - 1 - kExtensionLength;
    EXPECT_EQ(CheckFixedName(u"abc", room - 3), NameProblem::Ok);
    EXPECT_EQ(CheckFixedName(u"abc", room - 2), NameProblem::TooLong);
}

TEST(OutputNameRules, TheNextNumberFollowsTheHighestInTheFolder) {
    using Names = std::vector<std::u16string>;
    const struct {
        const char16_t* pattern;
        Names folder;
        const char16_t* extension;
        const char16_t* next;
    } cases[] = {
        {u"manual_###", {}, u".png", u"manual_001.png"},
        {u"manual_###", {u"manual_007.png", u"manual_012.jpg"}, u".png", u"manual_013.png"},
        // gaps do not matter, deleted files are not reused
        {u"manual_###", {u"manual_001.png", u"manual_009.bmp"}, u".gif", u"manual_010.gif"},
        // names that only look like the pattern
        {u"manual_###",
         {u"manual_050.txt", u"manual_05.png", u"manual_0500.png", u"manual_x12.png", u"manual_012.png.bak",
          u"xmanual_040.png", u"manual_040a.png", u"manual_040", u"manual_+40.png"},
         u".png",
         u"manual_001.png"},
        // case as Windows compares names, in the pattern and the extension
        {u"Manual_###", {u"MANUAL_004.PNG", u"manual_005.Jpg"}, u".png", u"Manual_006.png"},
        {u"ä_#", {u"Ä_4.png"}, u".png", u"ä_5.png"},
        {u"ｍ#", {u"Ｍ8.bmp"}, u".png", u"ｍ9.png"},
        // the run at the start or at the end
        {u"###shot", {u"002shot.jpg", u"003SHOT.gif"}, u".jpg", u"004shot.jpg"},
        {u"a.b_##", {u"a.b_41.png"}, u".png", u"a.b_42.png"},
        // digits that run out grow longer, and longer numbers count
        {u"m###", {u"m999.png"}, u".png", u"m1000.png"},
        {u"m###", {u"m1000.png", u"m999.png"}, u".jpg", u"m1001.jpg"},
        {u"m#", {u"m9.png", u"m0.png"}, u".png", u"m10.png"},
        {u"m##", {u"m99999999999999999999999.png"}, u".png", u"m100000000000000000000000.png"},
        {u"m##", {u"m00.png"}, u".png", u"m01.png"},
        // no run: the pattern itself
        {u"output", {u"output.png"}, u".png", u"output.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextNumberedName(c.pattern, c.folder, c.extension), c.next)
            << std::string(c.next, c.next + std::char_traits<char16_t>::length(c.next));
}
