#include "controls/EditRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace controls {
namespace {

using EditRules::Limits;
using EditRules::TypedChar;

// A stand-in for a single-line edit control with ES_NUMBER and a text limit,
// driven by the typed-character rules the way the window class drives the
// real one.
struct NumberField {
    std::u16string text;
    int selStart = 0;
    int selEnd = 0;
    int minimum;
    int maximum;
    int limit;

    NumberField(int min, int max, std::u16string initial = u"")
        : text(std::move(initial)), minimum(min), maximum(max) {
        limit = std::max(EditRules::CharCount(min), EditRules::CharCount(max));
        selStart = selEnd = static_cast<int>(text.size());
    }

    void Caret(int pos) { selStart = selEnd = pos; }

    void ReplaceSelection(std::u16string_view with) {
        text.replace(selStart, selEnd - selStart, with);
        selStart = selEnd = selStart + static_cast<int>(with.size());
    }

    void Type(char16_t typed) {
        const char16_t c = EditRules::NarrowTypedChar(typed);
        const TypedChar action = EditRules::OnTypedChar(text, selStart, selEnd, c, minimum, maximum);
        switch (action.kind) {
        case TypedChar::Drop:
            return;
        case TypedChar::InsertMinus:
            ReplaceSelection(u"-");
            return;
        case TypedChar::ReplaceAll:
            text = action.replacement;
            Caret(static_cast<int>(text.size()));
            return;
        case TypedChar::Pass:
            break;
        }
        if (action.removeIndex >= 0) {
            text.erase(action.removeIndex, 1);
            --selStart;
            --selEnd;
        }
        // What the platform does with the character: ES_NUMBER refuses
        // non-digits, the limit refuses growth past it.
        const bool fits = static_cast<int>(text.size()) - (selEnd - selStart) < limit || limit == 0;
        if (c >= u'0' && c <= u'9' && fits)
            ReplaceSelection(std::u16string(1, c));
    }

    void Type(std::u16string_view keys) {
        for (char16_t c : keys)
            Type(c);
    }
};

TEST(EditRulesCharCount, DigitsPlusSignAndZeroIsEmpty) {
    EXPECT_EQ(EditRules::CharCount(0), 0);
    EXPECT_EQ(EditRules::CharCount(-5), 2);
    EXPECT_EQ(EditRules::CharCount(9), 1);
    EXPECT_EQ(EditRules::CharCount(100), 3);
    EXPECT_EQ(EditRules::CharCount(-99999), 6);
    EXPECT_EQ(EditRules::CharCount(INT_MAX), 10);
    EXPECT_EQ(EditRules::CharCount(INT_MIN), 11);
}

TEST(EditRulesParse, SignsDigitsAndSaturation) {
    EXPECT_EQ(EditRules::ParseInteger(u""), 0);
    EXPECT_EQ(EditRules::ParseInteger(u"  \t42x7"), 42);
    EXPECT_EQ(EditRules::ParseInteger(u"-0042"), -42);
    EXPECT_EQ(EditRules::ParseInteger(u"+7"), 7);
    EXPECT_EQ(EditRules::ParseInteger(u"- 7"), 0);
    EXPECT_EQ(EditRules::ParseInteger(u"\xFF11\xFF12"
                                      u"3"),
              123);
    EXPECT_EQ(EditRules::ParseInteger(u"\x3000"
                                      u"5"),
              5);
    EXPECT_EQ(EditRules::ParseInteger(u"2147483647"), INT_MAX);
    EXPECT_EQ(EditRules::ParseInteger(u"2147483648"), INT_MAX);
    EXPECT_EQ(EditRules::ParseInteger(u"99999999999999999999999"), INT_MAX);
    EXPECT_EQ(EditRules::ParseInteger(u"-2147483648"), INT_MIN);
    EXPECT_EQ(EditRules::ParseInteger(u"-99999999999999999999999"), INT_MIN);
}

TEST(EditRulesTyping, NarrowsFullWidthDigitsAndMinus) {
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF10), u'0');
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF19), u'9');
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF0D), u'-');
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF21), 0xFF21); // full-width A stays
    EXPECT_EQ(EditRules::NarrowTypedChar(u'x'), u'x');
}

TEST(EditRulesTyping, TypedKeysGiveTheText) {
    constexpr int kEnd = -1; // the caret after the text
    struct Case {
        int minimum, maximum;
        const char16_t* text;
        int selStart, selEnd; // kEnd: both at the end
        const char16_t* keys;
        const char16_t* expected;
    };
    const Case cases[] = {
        // A value beyond the bound becomes the bound; three digits may still
        // grow, so no early clamp; overtyping a selection builds the
        // candidate from the text around it.
        {0, 3000, u"", kEnd, kEnd, u"5000", u"3000"},
        {0, 3000, u"", kEnd, kEnd, u"2999", u"2999"},
        {0, 3000, u"", kEnd, kEnd, u"999", u"999"},
        {0, 3000, u"1234", 0, 1, u"9", u"3000"},
        // A short number below the minimum is let through; seven characters
        // below it are replaced by the bound.
        {10, 99, u"", kEnd, kEnd, u"5", u"5"},
        {10, 99, u"5", kEnd, kEnd, u"7", u"57"},
        {-99999, -100, u"", kEnd, kEnd, u"-5", u"-5"},
        {-99999, -100, u"-5", kEnd, kEnd, u"0000", u"-50000"},
        {-99999, -100, u"-50000", kEnd, kEnd, u"1", u"-99999"},
        {-500, 500, u"-50", kEnd, kEnd, u"1", u"-500"},
        {-500, 500, u"-49", kEnd, kEnd, u"9", u"-499"},
        // The minus only at the start and only for negative ranges; a
        // selection from 0 is replaced by it.
        {-99999, 99999, u"12", 1, 1, u"-", u"12"},
        {-99999, 99999, u"12", 0, 0, u"-", u"-12"},
        {0, 100, u"12", 0, 0, u"-", u"12"},
        {-99999, 99999, u"345", 0, 2, u"-", u"-5"},
        // Leading zeros are dropped or replaced; a single zero is a value of
        // its own, and zeros inside a number stay.
        {-99999, 99999, u"0", kEnd, kEnd, u"7", u"7"},
        {-99999, 99999, u"-0", kEnd, kEnd, u"7", u"-7"},
        {-99999, 99999, u"0", kEnd, kEnd, u"0", u"0"},
        {-99999, 99999, u"25", 0, 0, u"0", u"25"},
        {-99999, 99999, u"-25", 1, 1, u"0", u"-25"},
        {-99999, 99999, u"", kEnd, kEnd, u"-0", u"-"},
        {0, 3000, u"", kEnd, kEnd, u"0", u"0"},
        {0, 3000, u"", kEnd, kEnd, u"1005", u"1005"},
        // Full-width digits and minus are narrowed.
        {-99999, 99999, u"", kEnd, kEnd, u"\xFF0D\xFF11\xFF12", u"-12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases); // the row
        NumberField field(c.minimum, c.maximum, c.text);
        if (c.selStart != kEnd) {
            field.selStart = c.selStart;
            field.selEnd = c.selEnd;
        }
        field.Type(c.keys);
        EXPECT_EQ(field.text, c.expected);
    }
}

TEST(EditRulesTyping, ControlCharactersAreLeftToTheEditControl) {
    // Backspace or Ctrl+C in a field holding 0 must not delete the zero.
    for (char16_t c : {u'\b', char16_t{0x03}, char16_t{0x01}, char16_t{0x16}}) {
        const TypedChar action = EditRules::OnTypedChar(u"0", 1, 1, c, 0, 100);
        EXPECT_EQ(action.kind, TypedChar::Pass) << int(c);
        EXPECT_EQ(action.removeIndex, -1) << int(c);
    }
}

TEST(EditRulesTyping, SelectionOutsideTheTextIsClamped) {
    const TypedChar action = EditRules::OnTypedChar(u"12", 7, 3, u'5', 0, 3000);
    EXPECT_EQ(action.kind, TypedChar::Pass);
    const TypedChar over = EditRules::OnTypedChar(u"300", 9, 9, u'1', 0, 3000);
    EXPECT_EQ(over.kind, TypedChar::ReplaceAll);
    EXPECT_EQ(over.replacement, u"3000");
}

const Limits kPercent{EditRules::IntegerMode, 0, 100, 3};
const Limits kSigned{EditRules::IntegerMode, -99999, 99999, 6};

TEST(EditRulesPaste, IntegerModeNormalisesDigits) {
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"\xFF11\xFF12", kPercent), u"12");
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"0042", kPercent), u"42");
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0,
                                        u"\xFF0D"
                                        u"5",
                                        kSigned),
              u"-5");
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"-0007", kSigned), u"-7");
    EXPECT_EQ(EditRules::PasteInsertion(u"123", 0, 3, u"99", kPercent), u"99");
}

TEST(EditRulesPaste, IntegerModeRefusals) {
    // A minus after an existing digit.
    EXPECT_EQ(EditRules::PasteInsertion(u"5", 1, 1, u"-3", kSigned), std::nullopt);
    // Anything but digits and one leading sign.
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"1 2", kSigned), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"1a2", kSigned), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"12\t", kSigned), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"1-2", kSigned), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"", kSigned), std::nullopt);
    // The whole text would leave the range.
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"101", kPercent), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"50", 2, 2, u"0", kPercent), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"50", 0, 0, u"1", kPercent), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"5", 1, 1, u"00", kPercent), u"0");
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"-5", kPercent), std::nullopt);
    const Limits tens{EditRules::IntegerMode, 10, 99, 2};
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"5", tens), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"1", 1, 1, u"5", tens), u"5");
}

TEST(EditRulesPaste, TextModeCutsToTheLimit) {
    const Limits five{EditRules::TextMode, 0, 0, 5};
    EXPECT_EQ(EditRules::PasteInsertion(u"abc", 3, 3, u"defgh", five), u"de");
    EXPECT_EQ(EditRules::PasteInsertion(u"abc", 1, 2, u"defgh", five), u"def");
    EXPECT_EQ(EditRules::PasteInsertion(u"abc", 3, 3, u"d\te", five), u"d ");
    EXPECT_EQ(EditRules::PasteInsertion(u"", 0, 0, u"a\r\nbcdef", five), u"a\r\nbc");
    EXPECT_EQ(EditRules::PasteInsertion(u"abc", 0, 0, u"x", five), u"x");
    // Nothing fits: the selection is kept rather than deleted.
    EXPECT_EQ(EditRules::PasteInsertion(u"abcde", 5, 5, u"x", five), std::nullopt);
    EXPECT_EQ(EditRules::PasteInsertion(u"abcdefg", 1, 2, u"x", five), std::nullopt);
    // A surrogate pair is never cut in half.
    const Limits four{EditRules::TextMode, 0, 0, 4};
    EXPECT_EQ(EditRules::PasteInsertion(u"ab", 2, 2, u"c\U0001F600", four), u"c");
    EXPECT_EQ(EditRules::PasteInsertion(u"abc", 3, 3, u"\U0001F600", four), std::nullopt);
    // Text mode takes any characters.
    const Limits unlimited{};
    EXPECT_EQ(EditRules::PasteInsertion(u"x", 0, 1, u"-3 a", unlimited), u"-3 a");
}

TEST(EditRulesValidated, IntegerModeClampsAndFillsEmptyFields) {
    EXPECT_EQ(EditRules::ValidatedText(u"", kPercent, true), u"");
    EXPECT_EQ(EditRules::ValidatedText(u"  ", kPercent, true), u"");
    EXPECT_EQ(EditRules::ValidatedText(u"", {EditRules::IntegerMode, 1, 100, 3}, true), u"1");
    EXPECT_EQ(EditRules::ValidatedText(u"", {EditRules::IntegerMode, -100, -1, 4}, true), u"-1");
    EXPECT_EQ(EditRules::ValidatedText(u"-", kPercent, true), u"");
    EXPECT_EQ(EditRules::ValidatedText(u"-", {EditRules::IntegerMode, 1, 100, 3}, true), u"1");
    EXPECT_EQ(EditRules::ValidatedText(u" 150\t", kPercent, true), u"100");
    EXPECT_EQ(EditRules::ValidatedText(u"007", kPercent, false), u"7");
    EXPECT_EQ(EditRules::ValidatedText(u"-3", kPercent, true), u"0");
    EXPECT_EQ(EditRules::ValidatedText(u"abc", {EditRules::IntegerMode, 1, 100, 3}, true), u"1");
    EXPECT_EQ(EditRules::ValidatedText(u"\xFF15", kPercent, true), u"5");
    EXPECT_EQ(EditRules::ValidatedText(u"5", {EditRules::IntegerMode, 10, 99, 2}, true), u"10");
}

TEST(EditRulesValidated, TextModeTrimsAndCutsOnlyWhenAsked) {
    const Limits five{EditRules::TextMode, 0, 0, 5};
    EXPECT_EQ(EditRules::ValidatedText(u" 12\t", five, false), u"12");
    EXPECT_EQ(EditRules::ValidatedText(u"a\tb", five, false), u"a b");
    EXPECT_EQ(EditRules::ValidatedText(u"\x3000"
                                       u"abc",
                                       five, false),
              u"abc");
    EXPECT_EQ(EditRules::ValidatedText(u"abcdefgh", five, false), u"abcdefgh");
    EXPECT_EQ(EditRules::ValidatedText(u"abcdefgh", five, true), u"abcde");
    EXPECT_EQ(EditRules::ValidatedText(u"  abcdefgh  ", five, true), u"abcde");
    // A pasted line break stays out of the single line, CR LF as one space.
    EXPECT_EQ(EditRules::ValidatedText(u"a\r\nb\rc\nd\r\n", {EditRules::TextMode, 0, 0, 20}, false),
              u"a b c d");
}

} // namespace
} // namespace controls
