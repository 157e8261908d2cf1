#include "controls/EditRules.h"

#include "framework/NumberText.h"

#include <algorithm>
#include <cstdint>

namespace controls {
namespace EditRules {
namespace {

constexpr char16_t kFullWidthZero = 0xFF10;
constexpr char16_t kFullWidthNine = 0xFF19;
constexpr char16_t kFullWidthMinus = 0xFF0D;
constexpr char16_t kFullWidthOffset = 0xFEE0; // full-width digit - ASCII digit

bool IsAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsFullWidthDigit(char16_t c) {
    return c >= kFullWidthZero && c <= kFullWidthNine;
}

// Spaces, tabs, line breaks and the ideographic space.
bool IsWhiteSpace(char16_t c) {
    return c == u' ' || (c >= 0x09 && c <= 0x0D) || c == 0x3000;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The selection as the edit control reports it, kept inside the text.
void ClampSelection(std::u16string_view text, int& start, int& end) {
    const int length = static_cast<int>(text.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, 0, length);
    if (start > end)
        std::swap(start, end);
}

std::u16string TabsToSpaces(std::u16string_view text) {
    std::u16string out(text);
    std::replace(out.begin(), out.end(), u'\t', u' ');
    return out;
}

// The text of a single-line field: tabs become spaces, and so does every
// line break (CR LF, CR or LF) that a paste brought in.
std::u16string OneLine(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // one break, given by its LF
        out += (c == u'\t' || c == u'\r' || c == u'\n') ? u' ' : c;
    }
    return out;
}

std::u16string_view Trim(std::u16string_view text) {
    size_t first = 0;
    while (first < text.size() && IsWhiteSpace(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && IsWhiteSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::u16string Clamped(int value, int minimum, int maximum) {
    if (value < minimum)
        value = minimum;
    else if (value > maximum)
        value = maximum;
    return NumberText::DecimalText(value);
}

} // namespace

int CharCount(int n) {
    if (n == 0)
        return 0;
    int64_t v = n;
    int count = 0;
    if (v < 0) {
        ++count;
        v = -v;
    }
    for (; v != 0; v /= 10)
        ++count;
    return count;
}

int ParseInteger(std::u16string_view text) {
    std::u16string narrowed(text);
    for (char16_t& c : narrowed)
        if (IsFullWidthDigit(c))
            c = static_cast<char16_t>(c - kFullWidthOffset);
    return NumberText::LeadingNumber(narrowed);
}

char16_t NarrowTypedChar(char16_t c) {
    if (IsFullWidthDigit(c))
        return static_cast<char16_t>(c - kFullWidthOffset);
    if (c == kFullWidthMinus)
        return u'-';
    return c;
}

TypedChar OnTypedChar(std::u16string_view text, int selStart, int selEnd, char16_t c, int minimum,
                      int maximum) {
    TypedChar action;
    // Control characters (backspace, the Ctrl+letter editing keys) are the
    // edit control's own business; a value rule has nothing to say on them.
    if (c < 0x20)
        return action;

    ClampSelection(text, selStart, selEnd);
    if (c == u'-') {
        action.kind = selStart == 0 && minimum < 0 ? TypedChar::InsertMinus : TypedChar::Drop;
        return action;
    }

    std::u16string candidate(text.substr(0, selStart));
    candidate.push_back(c);
    candidate.append(text.substr(selEnd));
    const int value = ParseInteger(candidate);

    // A number as long as the bound but beyond it can only get worse: it is
    // replaced by the bound. A shorter one may still grow into the range.
    if (value > maximum && CharCount(value) >= CharCount(maximum)) {
        action.kind = TypedChar::ReplaceAll;
        action.replacement = NumberText::DecimalText(maximum);
        return action;
    }
    if (value < minimum && CharCount(value) >= CharCount(minimum)) {
        action.kind = TypedChar::ReplaceAll;
        action.replacement = NumberText::DecimalText(minimum);
        return action;
    }

    if (c == u'0') {
        const bool zeroOfZeros = candidate != u"0" && value == 0;
        const bool leadingZero = value > 0 && selStart == 0;
        const bool zeroAfterMinus = value < 0 && selStart == 1;
        if (zeroOfZeros || leadingZero || zeroAfterMinus)
            action.kind = TypedChar::Drop;
        return action;
    }

    // Another character after a lone zero replaces that zero.
    if (candidate.starts_with(u"0"))
        action.removeIndex = 0;
    else if (candidate.starts_with(u"-0"))
        action.removeIndex = 1;
    return action;
}

std::optional<std::u16string> PasteInsertion(std::u16string_view text, int selStart, int selEnd,
                                             std::u16string_view clip, const Limits& limits) {
    std::u16string pasted = TabsToSpaces(clip);
    if (pasted.empty())
        return std::nullopt;
    ClampSelection(text, selStart, selEnd);

    if (limits.mode == IntegerMode) {
        for (size_t i = 0; i < pasted.size(); ++i) {
            const char16_t c = pasted[i];
            const bool digit = IsAsciiDigit(c) || IsFullWidthDigit(c);
            const bool sign = i == 0 && (c == u'-' || c == kFullWidthMinus);
            if (!digit && !sign)
                return std::nullopt;
        }
        if (pasted[0] == kFullWidthMinus)
            pasted[0] = u'-';
        const int value = ParseInteger(pasted);
        if (selStart != 0 && value < 0)
            return std::nullopt;
        pasted = NumberText::DecimalText(value);

        std::u16string result(text.substr(0, selStart));
        result.append(pasted);
        result.append(text.substr(selEnd));
        const int n = ParseInteger(result);
        if (n < limits.minimum || n > limits.maximum)
            return std::nullopt;
        return pasted;
    }

    if (limits.maxLength > 0) {
        const int64_t length = static_cast<int64_t>(text.size());
        const int64_t excess =
            length - (selEnd - selStart) + static_cast<int64_t>(pasted.size()) - limits.maxLength;
        if (excess > 0) {
            const int64_t keep = static_cast<int64_t>(pasted.size()) - excess;
            // Nothing fits: the paste must not merely delete the selection.
            if (keep <= 0)
                return std::nullopt;
            pasted.resize(static_cast<size_t>(keep));
            // Never leave half of a surrogate pair behind.
            if (IsHighSurrogate(pasted.back()))
                pasted.pop_back();
            if (pasted.empty())
                return std::nullopt;
        }
    }
    return pasted;
}

std::u16string ValidatedText(std::u16string_view text, const Limits& limits, bool cutToLength) {
    const std::u16string spaced = OneLine(text);
    std::u16string trimmed(Trim(spaced));

    if (limits.mode != IntegerMode) {
        if (cutToLength && limits.maxLength > 0 && trimmed.size() > static_cast<size_t>(limits.maxLength)) {
            trimmed.resize(static_cast<size_t>(limits.maxLength));
            if (IsHighSurrogate(trimmed.back()))
                trimmed.pop_back();
        }
        return trimmed;
    }

    if (trimmed == u"-")
        trimmed.clear();
    if (!trimmed.empty())
        return Clamped(ParseInteger(trimmed), limits.minimum, limits.maximum);
    if (limits.minimum <= 0 && 0 <= limits.maximum)
        return trimmed;
    return NumberText::DecimalText(limits.minimum > 0 ? limits.minimum : limits.maximum);
}

} // namespace EditRules
} // namespace controls
