// The registry line form of own entries: any line parses without leaving it,
// what it accepts keeps to the value rules and to one line, and an accepted
// entry's stored line parses back to the same entry. The legacy list converts
// any text into lines the same parser takes.
#include "app/SettingsRules.h"
#include "sizelist/CSizeInfoRules.h"
#include "sizelist/CStoredSizeLines.h"
#include "tests/fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// What the store does to a line before parsing it: TABs to spaces, trimmed.
std::u16string Prepared(std::u16string line) {
    std::replace(line.begin(), line.end(), u'\t', u' ');
    return SettingsRules::TrimWhiteSpace(line);
}

void CheckLine(const std::u16string& raw) {
    const std::u16string line = Prepared(raw);
    tagSELECT_SIZE_INFO entry{};
    if (!CStoredSizeLines::ParseLine(line, entry))
        return;
    FUZZ_CHECK(entry.bOwn == 1);
    FUZZ_CHECK(CSizeInfoRules::IsValidPosition(entry.szX) && CSizeInfoRules::IsValidPosition(entry.szY));
    FUZZ_CHECK(CSizeInfoRules::IsValidExtent(entry.szWidth) && CSizeInfoRules::IsValidExtent(entry.szHeight));
    const std::u16string_view memo(entry.szMemo);
    FUZZ_CHECK(memo.find_first_of(u"\t\r\n") == std::u16string_view::npos);
    // Stored again, the line gives the same entry, unless trimming takes
    // white space from the memo's end.
    const std::u16string stored = CStoredSizeLines::FormatLine(entry);
    if (Prepared(stored) != stored)
        return;
    tagSELECT_SIZE_INFO again{};
    FUZZ_CHECK(CStoredSizeLines::ParseLine(stored, again));
    FUZZ_CHECK(std::memcmp(&entry, &again, sizeof entry) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    if (!text.empty())
        std::memcpy(text.data(), data, text.size() * 2);
    // A value of the multi-string holds no NUL inside a line.
    std::replace(text.begin(), text.end(), u'\0', u'\u3000');
    CheckLine(text);
    for (const std::u16string& line : CStoredSizeLines::ConvertLegacy(text)) {
        FUZZ_CHECK(line.starts_with(u",,"));
        CheckLine(line);
    }
    return 0;
}
