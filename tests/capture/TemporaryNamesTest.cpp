#include "capture/TemporaryNames.h"

#include <gtest/gtest.h>

namespace {

using namespace TemporaryNames;

TEST(TemporaryNamesTest, OnlyNamesOfTheProgramsOwnFormAreItsOwn) {
    EXPECT_EQ(Make(0x1a2c, 3), u"~Frimlet2-1a2c-3.tmp");
    for (auto [pid, serial] : {std::pair{0u, 0u}, {0xFFFFFFFFu, 0xFFFFFFFFu}, {42u, 7u}})
        EXPECT_TRUE(IsOwn(Make(pid, serial)));
    for (const char16_t* other :
         {u"~Frimlet2-1a2c-3.tmp.png", u"x~Frimlet2-1-3.tmp", u"~Frimlet2-1a2c.tmp", u"~Frimlet2--3.tmp",
          u"~Frimlet2-1-.tmp", u"~Frimlet2-1-3-4.tmp", u"~frimlet2-1-3.tmp", u"~Frimlet2-1A-3.tmp",
          u"~Frimlet2-123456789-3.tmp", u"~Frimlet2-1-3.TMP", u"~Frimlet2-notes.tmp", u"frm1A2B.tmp",
          u"output.png"})
        EXPECT_FALSE(IsOwn(other)) << std::string(other, other + std::char_traits<char16_t>::length(other));
}

TEST(TemporaryNamesTest, AFileIsLeftOverFromAMinuteOnAndNeverWhenItsTimeIsAhead) {
    constexpr std::uint64_t second = 10'000'000, now = 5'000'000 * second;
    EXPECT_TRUE(IsStale(now - 60 * second, now));
    EXPECT_TRUE(IsStale(0, now));
    EXPECT_FALSE(IsStale(now - 60 * second + 1, now));
    EXPECT_FALSE(IsStale(now + 3600 * second, now));
}

TEST(TemporaryNamesTest, LongPathsGetTheExtendedPrefix) {
    const std::u16string tail(300, u'a');
    EXPECT_EQ(LongPathForm(u"C:\\out\\x.png"), u"C:\\out\\x.png");
    const std::u16string atLimit = u"C:\\" + std::u16string(257, u'a'); // 260 characters
    EXPECT_EQ(LongPathForm(atLimit.substr(0, 259)), atLimit.substr(0, 259));
    EXPECT_EQ(LongPathForm(atLimit), u"\\\\?\\" + atLimit);
    EXPECT_EQ(LongPathForm(u"\\\\server\\share\\" + tail), u"\\\\?\\UNC\\server\\share\\" + tail);
    EXPECT_EQ(LongPathForm(u"C:/out/" + tail), u"\\\\?\\C:\\out\\" + tail);
    const std::u16string prefixed = u"\\\\?\\C:\\" + tail;
    EXPECT_EQ(LongPathForm(prefixed), prefixed);
    EXPECT_EQ(LongPathForm(tail), tail); // relative: no prefix can help
}

} // namespace
