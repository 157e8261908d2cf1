// The input rules of the validating edit control: what a typed character
// does, what a paste inserts and the validated form of a text. The window
// class gathers the text and selection, asks these functions and applies the
// answer with the edit control's own messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace controls {
namespace EditRules {

enum Mode { TextMode = 0, IntegerMode = 1 };

struct Limits {
    int mode = TextMode;
    int minimum = 0;
    int maximum = 2147483647;
    int maxLength = 2147483647; // text mode: the character limit; 0 or less = none
};

// Characters of a number written in decimal, with one for the minus sign;
// 0 counts 0 characters.
int CharCount(int n);

// Integer value of a text: leading white space skipped, an optional sign,
// then ASCII or full-width digits up to the first other character. No digits
// give 0; values beyond 32 bits saturate.
int ParseInteger(std::u16string_view text);

// Full-width digits become ASCII digits and the full-width hyphen-minus
// becomes "-"; every other character is returned unchanged.
char16_t NarrowTypedChar(char16_t c);

// What a character typed into an integer field does.
struct TypedChar {
    enum Kind {
        Pass,        // let the edit control insert it (after removeIndex, see below)
        Drop,        // ignore it
        InsertMinus, // replace the selection with "-"
        ReplaceAll,  // replace the whole text with replacement
    };
    Kind kind = Pass;
    std::u16string replacement;
    // Pass only: when 0 or 1, that character of the current text (a leading
    // zero) is deleted first and the selection moves one place to the left.
    int removeIndex = -1;
};
TypedChar OnTypedChar(std::u16string_view text, int selStart, int selEnd, char16_t c, int minimum,
                      int maximum);

// The text a paste puts in place of the selection, or nothing when the paste
// is refused. clip is the clipboard text as read.
std::optional<std::u16string> PasteInsertion(std::u16string_view text, int selStart, int selEnd,
                                             std::u16string_view clip, const Limits& limits);

// The validated form of a text: tabs and line breaks to spaces, trimmed, and in integer mode
// clamped to the range (an empty text becomes the nearest bound when the
// range leaves out 0). cutToLength cuts a text-mode text to the limit.
std::u16string ValidatedText(std::u16string_view text, const Limits& limits, bool cutToLength);

} // namespace EditRules
} // namespace controls
