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

TEST(EditRulesTyping, ValueBeyondTheBoundBecomesTheBound) {
    NumberField field(0, 3000);
    field.Type(u"5000");
    EXPECT_EQ(field.text, u"3000");

    NumberField exact(0, 3000);
    exact.Type(u"2999");
    EXPECT_EQ(exact.text, u"2999");

    // Three digits may still grow into 10..99's neighbourhood; no early clamp.
    NumberField wide(0, 3000);
    wide.Type(u"999");
    EXPECT_EQ(wide.text, u"999");

    // Overtyping a selection builds the candidate from the text around it.
    NumberField selected(0, 3000, u"1234");
    selected.selStart = 0;
    selected.selEnd = 1;
    selected.Type(u'9');
    EXPECT_EQ(selected.text, u"3000");
}

TEST(EditRulesTyping, ShortNumberBelowTheMinimumIsLetThrough) {
    NumberField field(10, 99);
    field.Type(u'5');
    EXPECT_EQ(field.text, u"5");
    Limits limits{EditRules::IntegerMode, 10, 99, 2};
    EXPECT_EQ(EditRules::ValidatedText(field.text, limits, true), u"10");

    field.Type(u'7');
    EXPECT_EQ(field.text, u"57");

    NumberField negative(-99999, -100);
    negative.Type(u"-5");
    EXPECT_EQ(negative.text, u"-5");
    negative.Type(u"0000");
    EXPECT_EQ(negative.text, u"-50000");
    // Seven characters below the minimum: the bound replaces the text.
    negative.Type(u'1');
    EXPECT_EQ(negative.text, u"-99999");

    NumberField below(-500, 500, u"-50");
    below.Type(u'1');
    EXPECT_EQ(below.text, u"-500");
    NumberField inside(-500, 500, u"-49");
    inside.Type(u'9');
    EXPECT_EQ(inside.text, u"-499");
}

TEST(EditRulesTyping, MinusOnlyAtTheStartAndOnlyForNegativeRanges) {
    NumberField field(-99999, 99999, u"12");
    field.Caret(1);
    field.Type(u'-');
    EXPECT_EQ(field.text, u"12");
    field.Caret(0);
    field.Type(u'-');
    EXPECT_EQ(field.text, u"-12");

    NumberField positive(0, 100, u"12");
    positive.Caret(0);
    positive.Type(u'-');
    EXPECT_EQ(positive.text, u"12");

    // A selection that starts at 0 is replaced by the minus.
    NumberField selected(-99999, 99999, u"345");
    selected.selStart = 0;
    selected.selEnd = 2;
    selected.Type(u'-');
    EXPECT_EQ(selected.text, u"-5");
}

TEST(EditRulesTyping, LeadingZerosAreDroppedOrReplaced) {
    NumberField zero(-99999, 99999, u"0");
    zero.Type(u'7');
    EXPECT_EQ(zero.text, u"7");

    NumberField minusZero(-99999, 99999, u"-0");
    minusZero.Type(u'7');
    EXPECT_EQ(minusZero.text, u"-7");

    NumberField twoZeros(-99999, 99999, u"0");
    twoZeros.Type(u'0');
    EXPECT_EQ(twoZeros.text, u"0");

    NumberField inFront(-99999, 99999, u"25");
    inFront.Caret(0);
    inFront.Type(u'0');
    EXPECT_EQ(inFront.text, u"25");

    NumberField afterMinus(-99999, 99999, u"-25");
    afterMinus.Caret(1);
    afterMinus.Type(u'0');
    EXPECT_EQ(afterMinus.text, u"-25");

    NumberField minusThenZero(-99999, 99999);
    minusThenZero.Type(u"-0");
    EXPECT_EQ(minusThenZero.text, u"-");

    // A single zero is a value of its own, and zeros inside a number stay.
    NumberField empty(0, 3000);
    empty.Type(u'0');
    EXPECT_EQ(empty.text, u"0");
    NumberField inside(0, 3000);
    inside.Type(u"1005");
    EXPECT_EQ(inside.text, u"1005");
}

TEST(EditRulesTyping, FullWidthDigitsAndMinusAreNarrowed) {
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF10), u'0');
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF19), u'9');
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF0D), u'-');
    EXPECT_EQ(EditRules::NarrowTypedChar(0xFF21), 0xFF21); // full-width A stays
    EXPECT_EQ(EditRules::NarrowTypedChar(u'x'), u'x');

    NumberField field(-99999, 99999);
    field.Type(u"\xFF0D\xFF11\xFF12");
    EXPECT_EQ(field.text, u"-12");
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
