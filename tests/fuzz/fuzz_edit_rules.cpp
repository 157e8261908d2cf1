// The validating edit's rules on arbitrary UTF-16 (lone surrogates included),
// selections and ranges: an integer field only ever takes a decimal number
// inside its range, a text field never grows past its limit, and no cut
// leaves half of a surrogate pair behind.
#include "controls/EditRules.h"
#include "framework/NumberText.h"
#include "tests/fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

namespace {

using namespace controls::EditRules;

std::u16string TakeText(FuzzedDataProvider& in, std::size_t maxUnits) {
    // Mostly characters that matter to the rules, now and then any unit.
    static const char16_t kInteresting[] = {u'0',   u'1',   u'9',   u'-',   u' ',   u'\t',  u'+',
                                            0xFF10, 0xFF19, 0xFF0D, 0x3000, 0xD83D, 0xDE00, u'a'};
    std::u16string text;
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, maxUnits);
    for (std::size_t i = 0; i < n && in.remaining_bytes() > 0; ++i) {
        const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
        if (pick < 0xC0)
            text.push_back(kInteresting[pick % std::size(kInteresting)]);
        else
            text.push_back(in.ConsumeIntegral<char16_t>());
    }
    return text;
}

bool IsHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// cut is a prefix of whole that does not end between the halves of a pair.
bool CutsAtCodePoint(const std::u16string& cut, std::u16string_view whole) {
    if (cut.empty() || cut.size() >= whole.size())
        return true;
    return !(IsHigh(cut.back()) && IsLow(whole[cut.size()]));
}

bool IsDecimal(const std::u16string& text) {
    return !text.empty() && NumberText::DecimalText(NumberText::LeadingNumber(text)) == text;
}

std::u16string Spaced(std::u16string_view text) {
    std::u16string out(text);
    std::replace(out.begin(), out.end(), u'\t', u' ');
    return out;
}

// Tabs and line breaks (CR LF counting once) as spaces.
std::u16string OneLine(std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        out += (text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n') ? u' ' : text[i];
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Limits limits;
    limits.mode = in.ConsumeBool() ? IntegerMode : TextMode;
    limits.minimum = in.ConsumeIntegral<int>();
    limits.maximum = in.ConsumeIntegral<int>();
    if (in.ConsumeBool()) {
        // Mostly the small ranges the dialogs use.
        limits.minimum = in.ConsumeIntegralInRange<int>(-100000, 100000);
        limits.maximum = in.ConsumeIntegralInRange<int>(limits.minimum, 100000);
    }
    limits.maxLength = in.ConsumeIntegralInRange<int>(-1, 40);
    const std::u16string text = TakeText(in, 24);
    // Selections as the edit control reports them, and now and then not.
    int selStart = in.ConsumeIntegralInRange<int>(-2, static_cast<int>(text.size()) + 2);
    int selEnd = in.ConsumeIntegralInRange<int>(-2, static_cast<int>(text.size()) + 2);
    const char16_t typed = in.ConsumeIntegral<char16_t>();
    const std::u16string clip = TakeText(in, 48);
    const bool ordered = limits.minimum <= limits.maximum;

    FUZZ_CHECK(NarrowTypedChar(typed) == typed || (typed >= 0xFF10 && typed <= 0xFF19) || typed == 0xFF0D);
    const int value = ParseInteger(text);
    (void)CharCount(value);

    const TypedChar action =
        OnTypedChar(text, selStart, selEnd, NarrowTypedChar(typed), limits.minimum, limits.maximum);
    FUZZ_CHECK(action.removeIndex >= -1 && action.removeIndex <= 1);
    if (action.kind == TypedChar::ReplaceAll)
        FUZZ_CHECK(action.replacement == NumberText::DecimalText(limits.maximum) ||
                   action.replacement == NumberText::DecimalText(limits.minimum));

    const std::optional<std::u16string> pasted = PasteInsertion(text, selStart, selEnd, clip, limits);
    if (pasted) {
        FUZZ_CHECK(!pasted->empty());
        if (limits.mode == IntegerMode) {
            FUZZ_CHECK(IsDecimal(*pasted));
        } else {
            const std::u16string spaced = Spaced(clip);
            FUZZ_CHECK(spaced.starts_with(*pasted));
            FUZZ_CHECK(CutsAtCodePoint(*pasted, spaced));
            int s = std::clamp(selStart, 0, static_cast<int>(text.size()));
            int e = std::clamp(selEnd, 0, static_cast<int>(text.size()));
            if (s > e)
                std::swap(s, e);
            const long long after = static_cast<long long>(text.size()) - (e - s) + pasted->size();
            if (limits.maxLength > 0 && pasted->size() < spaced.size())
                FUZZ_CHECK(after <= limits.maxLength);
        }
    }

    for (bool cut : {false, true}) {
        const std::u16string validated = ValidatedText(text, limits, cut);
        if (limits.mode == IntegerMode) {
            if (validated.empty()) {
                FUZZ_CHECK(limits.minimum <= 0 && 0 <= limits.maximum);
            } else {
                FUZZ_CHECK(IsDecimal(validated));
                const int v = NumberText::LeadingNumber(validated);
                if (ordered)
                    FUZZ_CHECK(v >= limits.minimum && v <= limits.maximum);
            }
            // Validating twice changes nothing more.
            if (ordered)
                FUZZ_CHECK(ValidatedText(validated, limits, cut) == validated);
        } else {
            FUZZ_CHECK(validated.find_first_of(u"\r\n") == std::u16string::npos);
            if (cut && limits.maxLength > 0)
                FUZZ_CHECK(validated.size() <= static_cast<std::size_t>(limits.maxLength));
            FUZZ_CHECK(validated.find(u'\t') == std::u16string::npos);
            const std::u16string spaced = OneLine(text);
            std::size_t at = 0;
            while (at < spaced.size() &&
                   (spaced[at] == u' ' || (spaced[at] >= 0x09 && spaced[at] <= 0x0D) || spaced[at] == 0x3000))
                ++at;
            FUZZ_CHECK(std::u16string_view(spaced).substr(at).starts_with(validated));
            FUZZ_CHECK(CutsAtCodePoint(validated, std::u16string_view(spaced).substr(at)));
        }
    }
    return 0;
}
