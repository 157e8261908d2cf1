#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sizelist/SelectSizeInfo.h"

// The line form in which own entries are kept in the registry: x,y,width,
// height,memo without quoting; everything behind the fourth comma is the memo.
class CStoredSizeLines {
public:
    // Parses one stored line whose TABs have already become spaces and whose
    // ends are trimmed. Returns false for lines that are skipped: empty lines,
    // comments, and lines with a field too long or breaking the value rules.
    // A line with fewer than four commas has its last field run to the end of
    // the line and the missing fields empty, so that ",,800,600" is 800 x 600
    // without memo while a line without height never becomes an entry.
    static bool ParseLine(std::u16string_view line, tagSELECT_SIZE_INFO& entry);

    // The stored line of an entry; TABs in the memo become spaces.
    static std::u16string FormatLine(const tagSELECT_SIZE_INFO& entry);

    // Converts the legacy single-string list ("640 x 480:VGA;1024 x 768:XGA")
    // into stored lines (",,640,480,VGA", ",,1024,768,XGA").
    static std::vector<std::u16string> ConvertLegacy(std::u16string_view text);

    // The single line that stands for an empty own list.
    static constexpr std::u16string_view kEmptyList = u"#";
    // The single line that sends the reader to the data-folder file.
    static constexpr std::u16string_view kInDataFolder = u"%APPDATA%";
};
