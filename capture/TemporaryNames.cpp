#include "capture/TemporaryNames.h"

namespace TemporaryNames {

namespace {

constexpr std::u16string_view kPrefix = u"~Frimlet2-";
constexpr std::u16string_view kSuffix = u".tmp";
constexpr std::uint64_t kStaleAfter = 60ull * 10'000'000ull; // one minute
constexpr std::size_t kMaxPath = 260;

void AppendHex(std::u16string& out, std::uint32_t value) {
    char16_t digits[8];
    int n = 0;
    do {
        digits[n++] = u"0123456789abcdef"[value & 0xF];
        value >>= 4;
    } while (value);
    while (n)
        out.push_back(digits[--n]);
}

bool IsHex(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
}

// A run of 1 to 8 hex digits at the start of text; its length, 0 if none.
std::size_t HexRun(std::u16string_view text) {
    std::size_t n = 0;
    while (n < text.size() && n < 9 && IsHex(text[n]))
        ++n;
    return n <= 8 ? n : 0;
}

} // namespace

std::u16string Make(std::uint32_t processId, std::uint32_t serial) {
    std::u16string name(kPrefix);
    AppendHex(name, processId);
    name.push_back(u'-');
    AppendHex(name, serial);
    name.append(kSuffix);
    return name;
}

bool IsOwn(std::u16string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix))
        return false;
    std::u16string_view rest = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const std::size_t first = HexRun(rest);
    if (!first || first >= rest.size() || rest[first] != u'-')
        return false;
    rest.remove_prefix(first + 1);
    return HexRun(rest) == rest.size() && !rest.empty();
}

bool IsStale(std::uint64_t writeTime, std::uint64_t now) {
    return now >= writeTime && now - writeTime >= kStaleAfter;
}

std::u16string LongPathForm(std::u16string_view path) {
    if (path.size() < kMaxPath)
        return std::u16string(path);
    // The prefix turns off the change of "/" into a backslash: done here.
    std::u16string text(path);
    for (char16_t& c : text)
        if (c == u'/')
            c = u'\\';
    const bool drive = text.size() >= 3 && text[1] == u':' && text[2] == u'\\';
    if (drive)
        return u"\\\\?\\" + text;
    const bool share = text.starts_with(u"\\\\") && text[2] != u'?' && text[2] != u'.';
    if (share)
        return u"\\\\?\\UNC\\" + text.substr(2);
    return std::u16string(path);
}

} // namespace TemporaryNames
