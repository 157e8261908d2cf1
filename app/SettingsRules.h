// What the settings store accepts, output file naming and the hotkey
// encoding: plain values in, plain values out.
#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The formats a capture is written in.
enum class ImageType { Jpeg = 0, Bmp = 1, Gif = 2, Png = 3 };

// The number a type has in the registry value "type", in the menu's ids
// (IDM_TYPE_JPEG + number) and in the options' radio group.
int ToInt(ImageType type);
// The type of such a number; nothing for a number outside 0..3.
std::optional<ImageType> ImageTypeFromInt(int value);

namespace SettingsRules {

constexpr int kNotStored = INT_MIN;

// ".jpg", ".bmp", ".gif" or ".png".
std::u16string_view ExtensionOf(ImageType type);

// Range checks used when loading: the stored value when it is in range,
// otherwise the current one.
int AcceptJpegQuality(int stored, int current);
int AcceptColor(int stored, int current);
int AcceptFrameWidth(int stored, int current);
int AcceptTabScaling(int stored, int current);
int AcceptDelaySeconds(int stored, int current);  // the countdown: 1..30
int AcceptRecordFormat(int stored, int current);  // 0 GIF, 1 animated PNG
int AcceptRecordFps(int stored, int current);     // 1..30 frames per second
int AcceptRecordSeconds(int stored, int current); // 1..600 seconds
bool AsFlag(int stored);                          // on for any value above 0
bool AcceptOnOff(int stored);                     // on for exactly 1
int AcceptPosition(int stored);                   // x, y: -99999..99999 else kNotStored
int AcceptExtent(int stored);                     // cx, cy: 10..99999 else kNotStored

// Hot-key control modifier flags to RegisterHotKey modifiers.
constexpr unsigned kHotkeyShift = 0x01, kHotkeyControl = 0x02, kHotkeyAlt = 0x04, kHotkeyExt = 0x08;
constexpr unsigned kModAlt = 0x0001, kModControl = 0x0002, kModShift = 0x0004;
unsigned HotkeyToModifiers(int hotkey);

struct LocalTime {
    int year, month, day, hour, minute, second, milliseconds;
};
// 2026y12m07d_215709123.png
std::u16string TimestampedFileName(const LocalTime& t, ImageType type);
// name.ext
std::u16string FixedFileName(std::u16string_view name, ImageType type);
// folder\name; a drive root held without its backslash (D:) gets one.
std::u16string PathInFolder(std::u16string_view folder, std::u16string_view name);

// Cuts the final run of backslashes (D:\ becomes D:).
std::u16string RemoveTrailingBackslashes(std::u16string_view text);

// Trailing then leading white space removed.
std::u16string TrimWhiteSpace(std::u16string_view text);

// Registry multi-string layout: every non-empty string with its terminator,
// then one more NUL; an empty list is a single NUL (2 bytes).
std::vector<char16_t> EncodeMultiString(const std::vector<std::u16string>& strings);
// Reads size bytes of a multi-string: the first string even when empty, then
// each string that starts after a NUL.
std::vector<std::u16string> DecodeMultiString(const char16_t* data, size_t sizeBytes);

} // namespace SettingsRules
