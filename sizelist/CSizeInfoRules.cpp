#include "sizelist/CSizeInfoRules.h"

#include "geometry/CoordinateLimit.h"

#include <algorithm>

namespace {

// Splits an optional leading '-' from a run of ASCII digits. Returns false when
// any other character is present.
bool ParseSignedDigits(std::u16string_view text, long& value) {
    bool negative = false;
    if (!text.empty() && text.front() == u'-') {
        negative = true;
        text.remove_prefix(1);
    }
    long v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        // Saturate far above every accepted value so that long texts cannot overflow.
        v = std::min<long>(v * 10 + (c - u'0'), 10000000L);
    }
    value = negative ? -v : v;
    return true;
}

} // namespace

bool CSizeInfoRules::IsValidPosition(std::u16string_view text) {
    if (text.empty()) {
        return true;
    }
    long v = 0;
    return ParseSignedDigits(text, v) && v >= -geometry::kEnteredCoordinateMax &&
           v <= geometry::kEnteredCoordinateMax;
}

bool CSizeInfoRules::IsValidExtent(std::u16string_view text) {
    long v = 0;
    return !text.empty() && ParseSignedDigits(text, v) && v >= 0 && v <= geometry::kEnteredCoordinateMax;
}

bool CSizeInfoRules::CopyField(char16_t* field, std::size_t capacity, std::u16string_view text) {
    if (text.size() + 1 > capacity) {
        return false;
    }
    std::copy(text.begin(), text.end(), field);
    field[text.size()] = u'\0';
    return true;
}

void CSizeInfoRules::ReplaceTabs(char16_t* text) {
    for (; *text; ++text) {
        if (*text == u'\t') {
            *text = u' ';
        }
    }
}

void CSizeInfoRules::ReplaceTabs(std::u16string& text) {
    std::replace(text.begin(), text.end(), u'\t', u' ');
}

std::u16string CSizeInfoRules::CleanMemo(std::u16string_view text) {
    std::u16string memo;
    memo.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue; // CR LF is one line break, given by its LF
        }
        memo += (c == u'\t' || c == u'\r' || c == u'\n') ? u' ' : c;
    }
    return memo;
}

std::size_t CSizeInfoRules::CutAtCodePoint(std::u16string_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) {
        return text.size();
    }
    const bool splitsPair = maxUnits > 0 && text[maxUnits - 1] >= 0xD800 && text[maxUnits - 1] <= 0xDBFF &&
                            text[maxUnits] >= 0xDC00 && text[maxUnits] <= 0xDFFF;
    return splitsPair ? maxUnits - 1 : maxUnits;
}

void CSizeInfoRules::CopyMemo(char16_t* field, std::size_t capacity, std::u16string_view text) {
    if (capacity == 0) {
        return;
    }
    const std::u16string memo = CleanMemo(text);
    const std::size_t n = CutAtCodePoint(memo, capacity - 1);
    std::copy(memo.begin(), memo.begin() + static_cast<std::ptrdiff_t>(n), field);
    field[n] = u'\0';
}

std::u16string CSizeInfoRules::LeadingFields(const tagSELECT_SIZE_INFO& entry) {
    std::u16string line;
    for (const char16_t* field : {entry.szX, entry.szY, entry.szWidth, entry.szHeight}) {
        line += field;
        line += u',';
    }
    return line;
}
