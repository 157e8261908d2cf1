#include "framework/NumberText.h"

#include <climits>

namespace NumberText {

void AppendDecimal(std::u16string& out, int value, int minDigits) {
    char16_t digits[16];
    int n = 0;
    bool negative = value < 0;
    unsigned v = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[n++] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        out += u'-';
    for (int i = n; i < minDigits; ++i)
        out += u'0';
    while (n)
        out += digits[--n];
}

std::u16string DecimalText(int value, int minDigits) {
    std::u16string out;
    AppendDecimal(out, value, minDigits);
    return out;
}

namespace {

// White space as the wide-character classification sees it, the ideographic
// space included.
bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000';
}

} // namespace

int LeadingNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturate instead of overflowing
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace NumberText
