// The size-list file format on arbitrary decoded text: the tokenizer and the
// record reader never leave the text, every message names a line the text
// has, and whatever was read writes back to a text that reads back equal.
// Entries made from the input (any memo, line breaks and surrogates
// included) read back as the stores clean them.
#include "sizelist/CCsvTokenizer.h"
#include "sizelist/CSizeInfoRules.h"
#include "sizelist/CSizeListFormat.h"
#include "tests/fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Every line number that a message names ("  N行目...").
std::vector<int> MessageLines(const std::u16string& messages) {
    std::vector<int> lines;
    const std::u16string mark = u"行目";
    for (std::size_t at = messages.find(mark); at != std::u16string::npos; at = messages.find(mark, at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && messages[begin - 1] >= u'0' && messages[begin - 1] <= u'9')
            --begin;
        int n = 0;
        for (std::size_t i = begin; i < at; ++i)
            n = n * 10 + (messages[i] - u'0');
        lines.push_back(begin < at ? n : -1);
    }
    return lines;
}

// Lines of a text as an editor shows them: CR LF, LF and a lone CR end one.
int LineCount(std::u16string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
            ++lines;
    return lines;
}

int Read(const std::u16string& text, std::vector<tagSELECT_SIZE_INFO>& list, std::u16string& messages) {
    // An exact copy, so that a read behind the text is caught.
    std::vector<char16_t> copy(text.begin(), text.end());
    CCsvTokenizer csv;
    csv.SetText(copy.empty() ? nullptr : copy.data(), static_cast<std::int32_t>(copy.size()));
    bool tooMany = false;
    return CSizeListFormat::ReadRecords(csv, 1, list, messages, &tooMany);
}

std::u16string Write(const std::vector<tagSELECT_SIZE_INFO>& list) {
    std::u16string text(CSizeListFormat::Header());
    for (const tagSELECT_SIZE_INFO& entry : list)
        text += CSizeListFormat::FormatLine(entry);
    return text;
}

bool SameEntries(const std::vector<tagSELECT_SIZE_INFO>& a, const std::vector<tagSELECT_SIZE_INFO>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof a[i]) != 0)
            return false;
    return true;
}

// A number field: empty, or an optional minus and up to maxDigits digits.
std::u16string TakeNumber(FuzzedDataProvider& in, int maxDigits) {
    std::u16string text;
    if (in.ConsumeBool())
        text += u'-';
    const int digits = in.ConsumeIntegralInRange<int>(0, maxDigits);
    for (int i = 0; i < digits; ++i)
        text += static_cast<char16_t>(u'0' + in.ConsumeIntegralInRange<int>(0, 9));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool asText = in.ConsumeBool();
    if (asText) {
        // The rest is a decoded file, UTF-16 little-endian.
        const std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();
        std::u16string text(bytes.size() / 2, u'\0');
        if (!text.empty())
            std::memcpy(text.data(), bytes.data(), text.size() * 2);
        std::vector<tagSELECT_SIZE_INFO> list;
        std::u16string messages;
        const int result = Read(text, list, messages);
        if (result >= 0)
            FUZZ_CHECK(result == static_cast<int>(list.size()));
        else
            FUZZ_CHECK(-result <= CSizeListFormat::kMaxErrors);
        const int lines = LineCount(text);
        for (int line : MessageLines(messages))
            FUZZ_CHECK(line >= 1 && line <= lines);
        for (const tagSELECT_SIZE_INFO& entry : list) {
            FUZZ_CHECK(CSizeInfoRules::IsValidPosition(entry.szX) &&
                       CSizeInfoRules::IsValidPosition(entry.szY));
            FUZZ_CHECK(CSizeInfoRules::IsValidExtent(entry.szWidth) &&
                       CSizeInfoRules::IsValidExtent(entry.szHeight));
            FUZZ_CHECK(std::u16string_view(entry.szMemo).find_first_of(u"\t\r\n") ==
                       std::u16string_view::npos);
        }
        // What was read is written and read again: the same entries.
        std::vector<tagSELECT_SIZE_INFO> again;
        std::u16string none;
        FUZZ_CHECK(Read(Write(list), again, none) == static_cast<int>(list.size()));
        FUZZ_CHECK(none.empty());
        FUZZ_CHECK(SameEntries(list, again));
        return 0;
    }

    // Entries built field by field; the memo is any text without NUL.
    std::vector<tagSELECT_SIZE_INFO> list;
    const int count = in.ConsumeIntegralInRange<int>(0, 12);
    for (int i = 0; i < count; ++i) {
        tagSELECT_SIZE_INFO entry{};
        entry.bOwn = 1;
        const std::u16string x = TakeNumber(in, 5), y = TakeNumber(in, 5);
        std::u16string width = TakeNumber(in, 4), height = TakeNumber(in, 4);
        if (!CSizeInfoRules::IsValidExtent(width))
            width = u"1";
        if (!CSizeInfoRules::IsValidExtent(height))
            height = u"1";
        std::u16string memo;
        const int units = in.ConsumeIntegralInRange<int>(0, 21);
        for (int k = 0; k < units; ++k) {
            char16_t c = in.ConsumeIntegral<char16_t>();
            if (in.ConsumeBool())
                c = u",\"\r\n\t #x"[in.ConsumeIntegralInRange<int>(0, 8)];
            memo += c == u'\0' ? u'?' : c;
        }
        CSizeInfoRules::CopyField(entry.szX, x);
        CSizeInfoRules::CopyField(entry.szY, y);
        CSizeInfoRules::CopyField(entry.szWidth, width);
        CSizeInfoRules::CopyField(entry.szHeight, height);
        CSizeInfoRules::CopyMemo(entry.szMemo, 21, memo);
        list.push_back(entry);
    }
    std::vector<tagSELECT_SIZE_INFO> again;
    std::u16string messages;
    FUZZ_CHECK(Read(Write(list), again, messages) == static_cast<int>(list.size()));
    FUZZ_CHECK(messages.empty());
    FUZZ_CHECK(SameEntries(list, again));
    return 0;
}
