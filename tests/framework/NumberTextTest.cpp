#include "framework/NumberText.h"

#include <gtest/gtest.h>

#include <climits>

using namespace NumberText;

TEST(NumberText, DecimalTextWithSignAndPadding) {
    EXPECT_EQ(DecimalText(INT_MIN), u"-2147483648");
    EXPECT_EQ(DecimalText(0), u"0");
    EXPECT_EQ(DecimalText(7, 3), u"007");
    EXPECT_EQ(DecimalText(-7, 3), u"-007");
}

TEST(NumberText, LeadingNumberReadsLikeTheIntegerConversion) {
    EXPECT_EQ(LeadingNumber(u"150％"), 150);
    EXPECT_EQ(LeadingNumber(u"  42 px"), 42);
    EXPECT_EQ(LeadingNumber(u"\u3000\t12"), 12); // ideographic space is white space too
    EXPECT_EQ(LeadingNumber(u"-7"), -7);
    EXPECT_EQ(LeadingNumber(u"+8"), 8);
    EXPECT_EQ(LeadingNumber(u"（自動）"), 0);
    EXPECT_EQ(LeadingNumber(u""), 0);
    EXPECT_EQ(LeadingNumber(u"-"), 0);
    EXPECT_EQ(LeadingNumber(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingNumber(u"-99999999999999999999"), INT_MIN);
}
