// The settings rules on arbitrary values: every accepted value lies in its
// range or is the fallback, file names always end in the type's extension,
// and a registry multi-string survives encoding and decoding, while any
// stored bytes (odd sizes, no terminators) decode without reading past them.
#include "app/OutputNameRules.h"
#include "app/SettingsRules.h"
#include "options/OptionsRules.h"
#include "tests/fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::u16string TakeText(FuzzedDataProvider& in, std::size_t maxUnits) {
    std::u16string text;
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, maxUnits);
    for (std::size_t i = 0; i < n && in.remaining_bytes() >= 2; ++i)
        text.push_back(in.ConsumeIntegral<char16_t>());
    return text;
}

void CheckAccept(int result, int stored, int current, int low, int high) {
    if (stored >= low && stored <= high)
        FUZZ_CHECK(result == stored);
    else
        FUZZ_CHECK(result == current);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int stored = in.ConsumeIntegral<int>();
    const int current = in.ConsumeIntegral<int>();
    using namespace SettingsRules;
    const std::optional<ImageType> storedType = ImageTypeFromInt(stored);
    FUZZ_CHECK(storedType.has_value() == (stored >= 0 && stored <= 3));
    FUZZ_CHECK(!storedType || ToInt(*storedType) == stored);
    CheckAccept(AcceptJpegQuality(stored, current), stored, current, 50, 100);
    CheckAccept(AcceptColor(stored, current), stored, current, 0, 0xFFFFFF);
    CheckAccept(AcceptFrameWidth(stored, current), stored, current, 0, 48);
    CheckAccept(AcceptTabScaling(stored, current), stored, current, 0, 800);
    CheckAccept(AcceptDelaySeconds(stored, current), stored, current, 1, 30);
    CheckAccept(AcceptPosition(stored), stored, kNotStored, -99999, 99999);
    CheckAccept(AcceptExtent(stored), stored, kNotStored, 10, 99999);
    FUZZ_CHECK(AsFlag(stored) == (stored > 0));
    FUZZ_CHECK(AcceptOnOff(stored) == (stored == 1));
    FUZZ_CHECK((HotkeyToModifiers(stored) & ~(kModAlt | kModControl | kModShift)) == 0u);
    const int choice = OptionsRules::HotkeyChoiceOf(stored);
    FUZZ_CHECK(choice == 0 || choice == 1);
    (void)OptionsRules::NewHotkey(choice, current);

    const std::u16string folder = TakeText(in, 64);
    const std::u16string name = TakeText(in, 64);
    const ImageType type = *ImageTypeFromInt(in.ConsumeIntegral<int>() & 3);
    LocalTime t{};
    t.year = in.ConsumeIntegral<int>();
    t.month = in.ConsumeIntegral<int>();
    t.day = in.ConsumeIntegral<int>();
    t.hour = in.ConsumeIntegral<int>();
    t.minute = in.ConsumeIntegral<int>();
    t.second = in.ConsumeIntegral<int>();
    t.milliseconds = in.ConsumeIntegral<int>();
    const std::u16string_view extension = ExtensionOf(type);
    FUZZ_CHECK(extension.size() == 4 && extension[0] == u'.');
    const std::u16string stamped = PathInFolder(folder, TimestampedFileName(t, type));
    FUZZ_CHECK(stamped.starts_with(folder + u"\\") && stamped.ends_with(extension));
    const std::u16string fixed = PathInFolder(folder, FixedFileName(name, type));
    FUZZ_CHECK(fixed == folder + u"\\" + name + std::u16string(extension));

    // A numbered name never takes the name of a file already in the folder,
    // whatever case it is in, and the name it gives passes the rule again.
    if (OutputNameRules::CheckFixedName(name, folder.size()) == OutputNameRules::NameProblem::Ok &&
        OutputNameRules::HasNumberRun(name)) {
        std::vector<std::u16string> names{TakeText(in, 24), TakeText(in, 24)};
        names.push_back(OutputNameRules::NextNumberedName(name, names, u".PNG"));
        const std::u16string next = OutputNameRules::NextNumberedName(name, names, extension);
        FUZZ_CHECK(next.ends_with(extension));
        for (const std::u16string& taken : names) {
            bool same = taken.size() == next.size();
            for (std::size_t i = 0; same && i < next.size(); ++i)
                same = OutputNameRules::UpcaseForFileName(taken[i]) ==
                       OutputNameRules::UpcaseForFileName(next[i]);
            FUZZ_CHECK(!same);
        }
        FUZZ_CHECK(OutputNameRules::CheckFixedName(next.substr(0, next.size() - 4), 0) !=
                   OutputNameRules::NameProblem::PathSeparator);
    }

    const std::u16string trimmed = RemoveTrailingBackslashes(folder);
    FUZZ_CHECK(folder.starts_with(trimmed) && (trimmed.empty() || trimmed.back() != u'\\'));
    const std::u16string blank = TrimWhiteSpace(name);
    FUZZ_CHECK(blank.size() <= name.size() && name.find(blank) != std::u16string::npos);

    // A list written and read back gives its non-empty strings.
    std::vector<std::u16string> strings;
    const int count = in.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < count; ++i) {
        std::u16string s = TakeText(in, 16);
        for (char16_t& c : s)
            if (c == u'\0')
                c = u' ';
        strings.push_back(s);
    }
    const std::vector<char16_t> encoded = EncodeMultiString(strings);
    const std::vector<std::u16string> decoded = DecodeMultiString(encoded.data(), encoded.size() * 2);
    std::vector<std::u16string> expected;
    for (const auto& s : strings)
        if (!s.empty())
            expected.push_back(s);
    if (expected.empty())
        expected.push_back(u"");
    FUZZ_CHECK(decoded == expected);

    // Whatever the registry holds.
    const std::vector<std::uint8_t> raw = in.ConsumeRemainingBytes<std::uint8_t>();
    std::vector<char16_t> aligned((raw.size() + 1) / 2);
    if (!raw.empty())
        std::memcpy(aligned.data(), raw.data(), raw.size());
    const std::vector<std::u16string> any = DecodeMultiString(aligned.data(), raw.size());
    FUZZ_CHECK(!any.empty());
    return 0;
}
