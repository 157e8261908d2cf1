// The options dialog's decisions that need no window: which list item shows
// a stored frame width or tab scale, the value a chosen item stands for, the
// capture hotkey chosen by the two radio buttons, and where the scale picture
// under the quality trackbar goes.
#pragma once

#include "geometry/Rect.h"

#include <string>
#include <string_view>
#include <vector>

namespace OptionsRules {

constexpr int kPrintScreenHotkey = 0x2C; // the PrintScreen key without modifiers
constexpr int kQualityMin = 50;
constexpr int kQualityMax = 100;
constexpr int kNoSelection = -1;

// The two lists start with the automatic item; the others are searched from
// item 2 on and then from item 0 again, as a combo box search that starts
// after item 1 does.
// Frame width: the item whose whole text is the width in decimal, or item 0
// (automatic) for a width the list does not offer or a width below 1.
int FrameWidthSelection(const std::vector<std::u16string>& items, int frameWidth);
// Tab scale: the first item that begins with the scale and a full-width
// percent sign; no selection for a scale of 80 or more that the list does not
// offer; item 0 for a scale below 80.
int TabScalingSelection(const std::vector<std::u16string>& items, int tabScaling);

// The stored value for a list selection: 0 for the automatic item and for no
// selection, else the number at the start of the chosen item.
int ValueOfSelection(const std::vector<std::u16string>& items, int selection);

// 0 = the PrintScreen radio button, 1 = the key in the hot-key control.
int HotkeyChoiceOf(int hotkey);
// The hotkey that confirming would register.
int NewHotkey(int hotkeyChoice, int hotKeyControlValue);

// The scale picture spans the thumb's travel under the trackbar. trackbar is
// the trackbar's window rectangle in the dialog's client coordinates; channel
// and thumb are relative to the trackbar.
geometry::Rect QualityScaleRect(const geometry::Rect& trackbar, const geometry::Rect& channel,
                                const geometry::Rect& thumb);

// The recording's rate and time limit as typed: brought into 1..30 frames
// per second and 1..600 seconds.
constexpr int kRecordFpsMin = 1, kRecordFpsMax = 30;
constexpr int kRecordSecondsMin = 1, kRecordSecondsMax = 600;
int RecordFps(int typed);
int RecordSeconds(int typed);

} // namespace OptionsRules
