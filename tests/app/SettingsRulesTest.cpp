#include "app/SettingsRules.h"

#include <gtest/gtest.h>

#include <climits>

using namespace SettingsRules;

TEST(SettingsRules, RangesKeepTheCurrentValueOutsideTheirBounds) {
    EXPECT_EQ(AcceptJpegQuality(49, 90), 90);
    EXPECT_EQ(AcceptJpegQuality(101, 90), 90);
    EXPECT_EQ(AcceptJpegQuality(50, 90), 50);
    EXPECT_EQ(AcceptJpegQuality(100, 90), 100);
    EXPECT_EQ(AcceptColor(0x01000000, 0xFF6464), 0xFF6464);
    EXPECT_EQ(AcceptColor(-1, 0xFF6464), 0xFF6464);
    EXPECT_EQ(AcceptColor(0xFFFFFF, 0), 0xFFFFFF);
    EXPECT_EQ(AcceptFrameWidth(48, 0), 48);
    EXPECT_EQ(AcceptFrameWidth(49, 0), 0);
    EXPECT_EQ(AcceptFrameWidth(7, 0), 7);
    EXPECT_EQ(AcceptTabScaling(800, 0), 800);
    EXPECT_EQ(AcceptTabScaling(801, 0), 0);
    EXPECT_EQ(AcceptTabScaling(50, 0), 50);
    EXPECT_EQ(AcceptDelaySeconds(0, 3), 3);
    EXPECT_EQ(AcceptDelaySeconds(1, 3), 1);
    EXPECT_EQ(AcceptDelaySeconds(30, 3), 30);
    EXPECT_EQ(AcceptDelaySeconds(31, 3), 3);
    EXPECT_TRUE(AsFlag(5));
    EXPECT_FALSE(AsFlag(-3));
    EXPECT_FALSE(AsFlag(0));
    EXPECT_TRUE(AcceptOnOff(1));
    EXPECT_FALSE(AcceptOnOff(5)); // unlike AsFlag: only 1 switches it on
    EXPECT_FALSE(AcceptOnOff(-1));
}

TEST(SettingsRules, RecordingValuesKeepTheCurrentOneOutsideTheirBounds) {
    struct Case {
        int (*accept)(int, int);
        int low, high;
    };
    const Case cases[] = {
        {AcceptRecordFormat, 0, 1}, {AcceptRecordFps, 1, 30}, {AcceptRecordSeconds, 1, 600}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.accept(c.low, -7), c.low);
        EXPECT_EQ(c.accept(c.high, -7), c.high);
        EXPECT_EQ(c.accept(c.low - 1, -7), -7);
        EXPECT_EQ(c.accept(c.high + 1, -7), -7);
        EXPECT_EQ(c.accept(INT_MIN, -7), -7);
    }
}

TEST(SettingsRules, ImageTypeNumbersOutside0To3AreRejected) {
    for (int n : {0, 1, 2, 3}) {
        ASSERT_TRUE(ImageTypeFromInt(n).has_value()) << n;
        EXPECT_EQ(ToInt(*ImageTypeFromInt(n)), n);
    }
    EXPECT_EQ(ImageTypeFromInt(3), ImageType::Png);
    for (int n : {4, -1, 99, INT_MIN})
        EXPECT_FALSE(ImageTypeFromInt(n).has_value()) << n;
}

TEST(SettingsRules, PlacementValuesOutsideTheirRangeMeanNotStored) {
    EXPECT_EQ(AcceptPosition(-99999), -99999);
    EXPECT_EQ(AcceptPosition(-100000), kNotStored);
    EXPECT_EQ(AcceptPosition(99999), 99999);
    EXPECT_EQ(AcceptPosition(100000), kNotStored);
    EXPECT_EQ(AcceptExtent(9), kNotStored);
    EXPECT_EQ(AcceptExtent(10), 10);
    EXPECT_EQ(AcceptExtent(99999), 99999);
    EXPECT_EQ(AcceptExtent(100000), kNotStored);
    EXPECT_EQ(AcceptExtent(kNotStored), kNotStored);
}

TEST(SettingsRules, HotkeyModifiers) {
    EXPECT_EQ(HotkeyToModifiers(0x0174), kModShift);   // Shift+F5
    EXPECT_EQ(HotkeyToModifiers(0x0A2D), kModControl); // Ctrl+Insert, extended flag ignored
    EXPECT_EQ(HotkeyToModifiers(0x072C), kModShift | kModControl | kModAlt);
    EXPECT_EQ(HotkeyToModifiers(0x2C), 0u);
}

TEST(SettingsRules, FileNamesPadEveryTimeField) {
    LocalTime t{2026, 12, 7, 21, 57, 9, 123};
    EXPECT_EQ(PathInFolder(u"C:\\out", TimestampedFileName(t, ImageType::Png)),
              u"C:\\out\\2026y12m07d_215709123.png");
    LocalTime early{2027, 1, 2, 3, 4, 5, 7};
    EXPECT_EQ(PathInFolder(u"C:\\out", TimestampedFileName(early, ImageType::Gif)),
              u"C:\\out\\2027y01m02d_030405007.gif");
    EXPECT_EQ(PathInFolder(u"C:\\out", FixedFileName(u"output", ImageType::Png)), u"C:\\out\\output.png");
    EXPECT_EQ(PathInFolder(u"C:\\out", FixedFileName(u"", ImageType::Jpeg)), u"C:\\out\\.jpg");
    // A drive root is held without its backslash and joined with one.
    EXPECT_EQ(PathInFolder(RemoveTrailingBackslashes(u"D:\\"), FixedFileName(u"a", ImageType::Bmp)),
              u"D:\\a.bmp");
}

TEST(SettingsRules, TrailingBackslashesAndWhiteSpace) {
    EXPECT_EQ(RemoveTrailingBackslashes(u"a\\b\\\\"), u"a\\b");
    EXPECT_EQ(RemoveTrailingBackslashes(u"\\\\\\"), u"");
    EXPECT_EQ(RemoveTrailingBackslashes(u"a\\b"), u"a\\b");
    EXPECT_EQ(TrimWhiteSpace(u"  a b\t\r\n"), u"a b");
    EXPECT_EQ(TrimWhiteSpace(u"\u3000名前\u3000"), u"名前");
    EXPECT_EQ(TrimWhiteSpace(u"   "), u"");
}

TEST(SettingsRules, MultiStringLayout) {
    auto data = EncodeMultiString({u"a", u"", u"b"});
    EXPECT_EQ(data, (std::vector<char16_t>{u'a', 0, u'b', 0, 0}));
    EXPECT_EQ(EncodeMultiString({}), std::vector<char16_t>{0});
    EXPECT_EQ(EncodeMultiString({u""}), std::vector<char16_t>{0});

    auto list = DecodeMultiString(data.data(), data.size() * 2);
    EXPECT_EQ(list, (std::vector<std::u16string>{u"a", u"b"}));
    char16_t empty[] = {0};
    EXPECT_EQ(DecodeMultiString(empty, 2), std::vector<std::u16string>{u""});
    // Data without terminators still reads safely.
    char16_t raw[] = {u'x', u'y'};
    EXPECT_EQ(DecodeMultiString(raw, 4), std::vector<std::u16string>{u"xy"});
    // Several NULs between strings are skipped.
    char16_t gaps[] = {u'a', 0, 0, 0, u'c', 0};
    EXPECT_EQ(DecodeMultiString(gaps, sizeof(gaps)), (std::vector<std::u16string>{u"a", u"c"}));
}
