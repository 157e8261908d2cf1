#include "options/OptionsRules.h"

#include "framework/NumberText.h"

namespace OptionsRules {
namespace {

constexpr char16_t kFullWidthPercent = u'\uFF05';

// Items after item 1 first, then from item 0 up to item 1.
template <class Match> int SearchAfterItem1(const std::vector<std::u16string>& items, Match match) {
    const size_t count = items.size();
    for (size_t n = 0; n < count; ++n) {
        size_t i = (2 + n) % count;
        if (match(items[i]))
            return static_cast<int>(i);
    }
    return kNoSelection;
}

} // namespace

int FrameWidthSelection(const std::vector<std::u16string>& items, int frameWidth) {
    if (frameWidth < 1)
        return 0;
    // The list's search ignores case; digits and the percent sign have none,
    // so plain comparison finds the same item.
    const std::u16string text = NumberText::DecimalText(frameWidth);
    int found = SearchAfterItem1(items, [&](const std::u16string& item) { return item == text; });
    return found == kNoSelection ? 0 : found;
}

int TabScalingSelection(const std::vector<std::u16string>& items, int tabScaling) {
    if (tabScaling < 80)
        return 0;
    const std::u16string prefix = NumberText::DecimalText(tabScaling) + kFullWidthPercent;
    return SearchAfterItem1(items, [&](const std::u16string& item) { return item.starts_with(prefix); });
}

int ValueOfSelection(const std::vector<std::u16string>& items, int selection) {
    if (selection <= 0 || static_cast<size_t>(selection) >= items.size())
        return 0;
    return NumberText::LeadingNumber(items[static_cast<size_t>(selection)]);
}

int HotkeyChoiceOf(int hotkey) {
    return hotkey == kPrintScreenHotkey ? 0 : 1;
}

int NewHotkey(int hotkeyChoice, int hotKeyControlValue) {
    return hotkeyChoice == 1 ? hotKeyControlValue : kPrintScreenHotkey;
}

geometry::Rect QualityScaleRect(const geometry::Rect& trackbar, const geometry::Rect& channel,
                                const geometry::Rect& thumb) {
    const int halfThumb = (thumb.right - thumb.left) / 2;
    geometry::Rect scale;
    scale.left = trackbar.left + channel.left + halfThumb;
    scale.right = trackbar.left + channel.right - halfThumb;
    scale.top = trackbar.bottom + (channel.bottom - channel.top);
    scale.bottom = scale.top + (trackbar.bottom - trackbar.top) / 2;
    return scale;
}

int RecordFps(int typed) {
    return typed < kRecordFpsMin ? kRecordFpsMin : typed > kRecordFpsMax ? kRecordFpsMax : typed;
}

int RecordSeconds(int typed) {
    return typed < kRecordSecondsMin   ? kRecordSecondsMin
           : typed > kRecordSecondsMax ? kRecordSecondsMax
                                       : typed;
}

} // namespace OptionsRules
