#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "sizelist/SelectSizeInfo.h"

// The value rules that every reader of size list entries applies.
class CSizeInfoRules {
public:
    // x and y: empty, or an optional '-' followed by ASCII digits, -99999..99999.
    static bool IsValidPosition(std::u16string_view text);
    // width and height: not empty, an optional '-' followed by ASCII digits,
    // 0..99999 (so -0 passes and -5 does not).
    static bool IsValidExtent(std::u16string_view text);

    // Copies text into a field of capacity units (terminator included);
    // false when it does not fit.
    template <std::size_t N> static bool CopyField(char16_t (&field)[N], std::u16string_view text) {
        return CopyField(field, N, text);
    }
    static bool CopyField(char16_t* field, std::size_t capacity, std::u16string_view text);

    // TAB characters never stay in a memo.
    static void ReplaceTabs(char16_t* text);
    static void ReplaceTabs(std::u16string& text);

    // A memo is one line: TABs become spaces, and so does every line break
    // (CR LF, CR or LF), so that every line the stores write reads back as
    // one entry.
    static std::u16string CleanMemo(std::u16string_view text);

    // How many of the first units of text fit in maxUnits without cutting a
    // surrogate pair in two.
    static std::size_t CutAtCodePoint(std::u16string_view text, std::size_t maxUnits);

    // The cleaned memo, cut at a code point to capacity - 1 units, into a
    // field of capacity units.
    static void CopyMemo(char16_t* field, std::size_t capacity, std::u16string_view text);

    // The first four fields of a stored or written line, each followed by a
    // comma: "x,y,width,height,".
    static std::u16string LeadingFields(const tagSELECT_SIZE_INFO& entry);
};
