#include "sizelist/CStoredSizeLines.h"

#include "sizelist/CSizeInfoRules.h"

namespace {

void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    for (std::size_t pos = 0; (pos = text.find(what, pos)) != std::u16string::npos; pos += with.size()) {
        text.replace(pos, what.size(), with);
    }
}

} // namespace

bool CStoredSizeLines::ParseLine(std::u16string_view line, tagSELECT_SIZE_INFO& entry) {
    if (line.empty() || line.front() == u'#') {
        return false;
    }
    std::u16string_view fields[5];
    int count = 0;
    while (count < 4) {
        const std::size_t comma = line.find(u',');
        if (comma == std::u16string_view::npos) {
            break;
        }
        fields[count++] = line.substr(0, comma);
        line.remove_prefix(comma + 1);
    }
    fields[count] = line;

    const auto& x = fields[0];
    const auto& y = fields[1];
    const auto& width = fields[2];
    const auto& height = fields[3];
    // A memo that came with line breaks (a hand-edited value) keeps them as
    // spaces, so that it stays one line in every store.
    const std::u16string memo = CSizeInfoRules::CleanMemo(fields[4]);
    if (x.size() > 6 || y.size() > 6 || width.size() > 5 || height.size() > 5 || memo.size() > 21) {
        return false;
    }
    if (!CSizeInfoRules::IsValidPosition(x) || !CSizeInfoRules::IsValidPosition(y) ||
        !CSizeInfoRules::IsValidExtent(width) || !CSizeInfoRules::IsValidExtent(height)) {
        return false;
    }
    entry = tagSELECT_SIZE_INFO{};
    entry.bOwn = 1;
    CSizeInfoRules::CopyField(entry.szX, x);
    CSizeInfoRules::CopyField(entry.szY, y);
    CSizeInfoRules::CopyField(entry.szWidth, width);
    CSizeInfoRules::CopyField(entry.szHeight, height);
    CSizeInfoRules::CopyField(entry.szMemo, memo);
    return true;
}

std::u16string CStoredSizeLines::FormatLine(const tagSELECT_SIZE_INFO& entry) {
    std::u16string line = CSizeInfoRules::LeadingFields(entry);
    line += CSizeInfoRules::CleanMemo(entry.szMemo);
    return line;
}

std::vector<std::u16string> CStoredSizeLines::ConvertLegacy(std::u16string_view text) {
    // Tokens are separated by runs of ';'; leading separators are skipped.
    std::vector<std::u16string> lines;
    std::size_t pos = 0;
    for (;;) {
        pos = text.find_first_not_of(u';', pos);
        if (pos == std::u16string_view::npos) {
            break;
        }
        std::size_t end = text.find(u';', pos);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        std::u16string line = u",,";
        line += text.substr(pos, end - pos);
        ReplaceAll(line, u" x ", u",");
        ReplaceAll(line, u":", u",");
        lines.push_back(std::move(line));
        pos = end;
    }
    return lines;
}
