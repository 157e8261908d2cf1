#include "app/SettingsRules.h"

#include "framework/NumberText.h"
#include "geometry/CoordinateLimit.h"

#include <algorithm>

int ToInt(ImageType type) {
    return static_cast<int>(type);
}

std::optional<ImageType> ImageTypeFromInt(int value) {
    switch (value) {
    case 0:
        return ImageType::Jpeg;
    case 1:
        return ImageType::Bmp;
    case 2:
        return ImageType::Gif;
    case 3:
        return ImageType::Png;
    default:
        return std::nullopt;
    }
}

namespace SettingsRules {

std::u16string_view ExtensionOf(ImageType type) {
    switch (type) {
    case ImageType::Jpeg:
        return u".jpg";
    case ImageType::Bmp:
        return u".bmp";
    case ImageType::Gif:
        return u".gif";
    case ImageType::Png:
        return u".png";
    }
    return u"";
}
int AcceptJpegQuality(int stored, int current) {
    return stored >= 50 && stored <= 100 ? stored : current;
}
int AcceptColor(int stored, int current) {
    return stored >= 0 && stored <= 0xFFFFFF ? stored : current;
}
int AcceptFrameWidth(int stored, int current) {
    return stored >= 0 && stored <= 48 ? stored : current;
}
int AcceptTabScaling(int stored, int current) {
    return stored >= 0 && stored <= 800 ? stored : current;
}
int AcceptDelaySeconds(int stored, int current) {
    return stored >= 1 && stored <= 30 ? stored : current;
}
int AcceptRecordFormat(int stored, int current) {
    return stored == 0 || stored == 1 ? stored : current;
}
int AcceptRecordFps(int stored, int current) {
    return stored >= 1 && stored <= 30 ? stored : current;
}
int AcceptRecordSeconds(int stored, int current) {
    return stored >= 1 && stored <= 600 ? stored : current;
}
bool AsFlag(int stored) {
    return stored > 0;
}
bool AcceptOnOff(int stored) {
    return stored == 1;
}
int AcceptPosition(int stored) {
    return stored >= -geometry::kEnteredCoordinateMax && stored <= geometry::kEnteredCoordinateMax
               ? stored
               : kNotStored;
}
int AcceptExtent(int stored) {
    return stored >= 10 && stored <= geometry::kEnteredCoordinateMax ? stored : kNotStored;
}

unsigned HotkeyToModifiers(int hotkey) {
    unsigned flags = (static_cast<unsigned>(hotkey) >> 8) & 0xFF;
    unsigned mods = 0;
    if (flags & kHotkeyShift)
        mods |= kModShift;
    if (flags & kHotkeyControl)
        mods |= kModControl;
    if (flags & kHotkeyAlt)
        mods |= kModAlt;
    return mods;
}

std::u16string TimestampedFileName(const LocalTime& t, ImageType type) {
    std::u16string out;
    NumberText::AppendDecimal(out, t.year, 4);
    out += u'y';
    NumberText::AppendDecimal(out, t.month, 2);
    out += u'm';
    NumberText::AppendDecimal(out, t.day, 2);
    out += u"d_";
    NumberText::AppendDecimal(out, t.hour, 2);
    NumberText::AppendDecimal(out, t.minute, 2);
    NumberText::AppendDecimal(out, t.second, 2);
    NumberText::AppendDecimal(out, t.milliseconds, 3);
    out += ExtensionOf(type);
    return out;
}

std::u16string FixedFileName(std::u16string_view name, ImageType type) {
    std::u16string out(name);
    out += ExtensionOf(type);
    return out;
}

std::u16string PathInFolder(std::u16string_view folder, std::u16string_view name) {
    std::u16string out(folder);
    out += u'\\';
    out += name;
    return out;
}

std::u16string RemoveTrailingBackslashes(std::u16string_view text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == u'\\')
        --end;
    return std::u16string(text.substr(0, end));
}

namespace {
// The wide-character white-space set of the platform's C runtime.
bool IsWhiteSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}
} // namespace

std::u16string TrimWhiteSpace(std::u16string_view text) {
    size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    size_t begin = 0;
    while (begin < end && IsWhiteSpace(text[begin]))
        ++begin;
    return std::u16string(text.substr(begin, end - begin));
}

std::vector<char16_t> EncodeMultiString(const std::vector<std::u16string>& strings) {
    std::vector<char16_t> data;
    for (const auto& s : strings) {
        if (s.empty())
            continue;
        data.insert(data.end(), s.begin(), s.end());
        data.push_back(u'\0');
    }
    data.push_back(u'\0');
    return data;
}

std::vector<std::u16string> DecodeMultiString(const char16_t* data, size_t sizeBytes) {
    // Work on a copy with two zero bytes behind the data, so every string is
    // terminated whatever the stored value holds.
    size_t units = sizeBytes / 2;
    std::vector<char16_t> buffer(units + 2, u'\0');
    if (data && units)
        std::copy(data, data + units, buffer.begin());
    if (data && (sizeBytes & 1)) // an odd trailing byte still belongs to the data
        buffer[units] = static_cast<char16_t>(reinterpret_cast<const unsigned char*>(data)[sizeBytes - 1]);
    std::vector<std::u16string> out;
    out.emplace_back(buffer.data());
    for (size_t i = 1; i < units; ++i) {
        if (buffer[i - 1] == u'\0' && buffer[i] != u'\0')
            out.emplace_back(buffer.data() + i);
    }
    return out;
}

} // namespace SettingsRules
