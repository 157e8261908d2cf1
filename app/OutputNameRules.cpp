#include "app/OutputNameRules.h"

#include <array>

namespace OutputNameRules {

namespace {

constexpr std::array<std::u16string_view, 4> kExtensions{u".jpg", u".bmp", u".gif", u".png"};
// "\\?\" before the folder and a backslash between folder and name.
constexpr std::size_t kLongPrefixAndSeparator = 5;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpcaseForFileName(a[i]) != UpcaseForFileName(b[i]))
            return false;
    return true;
}

// The run of '#': its start and length; length 0 when there is none.
struct Run {
    std::size_t start = 0;
    std::size_t length = 0;
    int count = 0; // how many runs the name has
};

Run FindRuns(std::u16string_view name) {
    Run run;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != u'#' || (i > 0 && name[i - 1] == u'#'))
            continue;
        std::size_t end = i;
        while (end < name.size() && name[end] == u'#')
            ++end;
        if (run.count++ == 0) {
            run.start = i;
            run.length = end - i;
        }
    }
    return run;
}

// CON, PRN, AUX and NUL; COM and LPT followed by one digit 1-9 (or the
// superscripts 1, 2, 3 the system treats alike), or by a one-digit '#' run.
bool IsReservedBase(std::u16string_view base) {
    std::u16string upper;
    for (char16_t c : base)
        upper += UpcaseForFileName(c);
    for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"})
        if (upper == device)
            return true;
    if (upper.size() != 4 || (upper.substr(0, 3) != u"COM" && upper.substr(0, 3) != u"LPT"))
        return false;
    const char16_t last = upper[3];
    return (last >= u'1' && last <= u'9') || last == u'#' || last == 0x00B9 || last == 0x00B2 ||
           last == 0x00B3;
}

// Decimal digit strings without leading zeros compared as numbers.
bool NumberLess(std::u16string_view a, std::u16string_view b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::u16string StripZeros(std::u16string_view digits) {
    std::size_t first = 0;
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    return std::u16string(digits.substr(first));
}

std::u16string PlusOne(std::u16string digits) {
    for (std::size_t i = digits.size(); i > 0; --i) {
        if (digits[i - 1] != u'9') {
            ++digits[i - 1];
            return digits;
        }
        digits[i - 1] = u'0';
    }
    return u'1' + digits;
}

// The digits that stand in the run's place of name, or nothing when name is
// not the pattern with a number and one of the extensions. A number longer
// than the run (one that outgrew it) never starts with a zero.
bool NumberIn(std::u16string_view name, std::u16string_view prefix, std::u16string_view suffix,
              std::size_t runLength, std::u16string_view& digits) {
    bool extensionFound = false;
    for (std::u16string_view extension : kExtensions) {
        if (name.size() > extension.size() &&
            EqualNoCase(name.substr(name.size() - extension.size()), extension)) {
            name.remove_suffix(extension.size());
            extensionFound = true;
            break;
        }
    }
    if (!extensionFound || name.size() < prefix.size() + suffix.size() + runLength)
        return false;
    if (!EqualNoCase(name.substr(0, prefix.size()), prefix) ||
        !EqualNoCase(name.substr(name.size() - suffix.size()), suffix))
        return false;
    digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    for (char16_t c : digits)
        if (!IsDigit(c))
            return false;
    return digits.size() == runLength || digits[0] != u'0';
}

} // namespace

char16_t UpcaseForFileName(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if ((c >= 0x00E0 && c <= 0x00FE && c != 0x00F7))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0x00FF)
        return 0x0178;
    // Latin Extended-A: capital and small letters alternate in pairs.
    if (((c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177)) && (c & 1))
        return static_cast<char16_t>(c - 1);
    if (((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) && !(c & 1))
        return static_cast<char16_t>(c - 1);
    if (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2)
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0430 && c <= 0x044F)
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F)
        return static_cast<char16_t>(c - 0x50);
    if (c >= 0xFF41 && c <= 0xFF5A)
        return static_cast<char16_t>(c - 0x20);
    return c;
}

NameProblem CheckFixedName(std::u16string_view name, std::size_t folderLength) {
    if (name.empty())
        return NameProblem::Empty;
    for (char16_t c : name)
        if (c == u'\\' || c == u'/' || c == u':')
            return NameProblem::PathSeparator;
    for (char16_t c : name)
        if (c < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*')
            return NameProblem::ForbiddenCharacter;
    if (name.back() == u'.' || name.back() == u' ')
        return NameProblem::TrailingDotOrSpace;
    const std::size_t dot = name.find(u'.');
    std::u16string_view base = name.substr(0, dot);
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1); // "CON .txt" is CON too
    if (IsReservedBase(base))
        return NameProblem::ReservedDevice;
    if (FindRuns(name).count > 1)
        return NameProblem::TwoNumberRuns;
    const std::size_t fileName = name.size() + kExtensionLength;
    if (fileName > kMaxComponent || folderLength + kLongPrefixAndSeparator + fileName >= kMaxLongPath)
        return NameProblem::TooLong;
    return NameProblem::Ok;
}

bool HasNumberRun(std::u16string_view name) {
    return FindRuns(name).count > 0;
}

std::u16string NextNumberedName(std::u16string_view pattern, const std::vector<std::u16string>& folderNames,
                                std::u16string_view extension) {
    const Run run = FindRuns(pattern);
    if (run.count == 0)
        return std::u16string(pattern) + std::u16string(extension);
    const std::u16string_view prefix = pattern.substr(0, run.start);
    const std::u16string_view suffix = pattern.substr(run.start + run.length);
    std::u16string highest; // without leading zeros; empty for none (zero)
    for (const std::u16string& name : folderNames) {
        std::u16string_view digits;
        if (!NumberIn(name, prefix, suffix, run.length, digits))
            continue;
        std::u16string number = StripZeros(digits);
        if (NumberLess(highest, number))
            highest = std::move(number);
    }
    std::u16string next = PlusOne(highest.empty() ? u"0" : highest);
    if (next.size() < run.length)
        next.insert(0, run.length - next.size(), u'0');
    return std::u16string(prefix) + next + std::u16string(suffix) + std::u16string(extension);
}

} // namespace OutputNameRules
