// The arithmetic and the texts of the frame size selection dialog: the frame
// window rectangle that gives the capture area a wanted size (at a given
// position, or keeping the frame's centre), and the message lines the
// dialog shows. The dialog gathers the field texts and the frame's geometry,
// asks these functions and applies the answer.
#pragma once

#include "geometry/Rect.h"

#include <cstdint>
#include <string>
#include <string_view>

class CFrameSizeSelectRules {
public:
    // Colour values (with blend weight) of the dialog's validating edits.
    static constexpr std::int32_t kFieldBackground = 0x0900FF00;    // 10 % green over the window colour
    static constexpr std::int32_t kDisabledBackground = 0x09AF0000; // 10 % RGB(0,0,175) over the menu colour
    static constexpr std::int32_t kInfoBackground = 0x0780FFFF;     // 30 % light yellow over the menu colour
    static constexpr std::int32_t kErrorBackground = 0x09D000FF;    // 10 % pink over the menu colour

    // What applying a size does to the frame window.
    struct ApplyPlan {
        geometry::Rect window; // the new frame window rectangle
        int chromeX = 0;       // window width minus hole width
        int chromeY = 0;
        int minWidth = 0; // smallest window size (chrome plus the smallest hole)
        int minHeight = 0;
        bool adjust = false; // may the rectangle be moved onto a monitor
        int defaultWidth = 0;
        int defaultHeight = 0;
        int offsetX = 0; // the overhang allowed at the screen edges (negative)
        int offsetY = 0;
    };

    // wanted: the capture rectangle from the fields (only its size counts
    // when positionGiven is false). window: the frame window on the screen;
    // hole: the capture hole in window coordinates; minInner*: the smallest
    // hole. With a position the hole lands exactly on wanted; without one the
    // window keeps its centre, and an odd change puts the extra pixel on the
    // right (bottom) when growing and takes it from there when shrinking.
    static ApplyPlan PlanApply(bool positionGiven, const geometry::Rect& wanted, const geometry::Rect& window,
                               const geometry::Rect& hole, int minInnerWidth, int minInnerHeight);

    // "x=%d, y=%d へは移動できません。" for a refused window rectangle.
    static std::u16string CannotMoveText(const geometry::Rect& window, int chromeX);

    // The help text of the message box.
    static std::u16string_view HelpText();
    // The message box's text: the help alone without text, else the text,
    // followed by a line break and the help when withHelp.
    static std::u16string ComposeMessage(const std::u16string* text, bool withHelp);

    static std::u16string ImportErrorText(std::u16string_view path, std::u16string_view messages);
    static std::u16string ImportReadText(std::u16string_view path, int count);
    static std::u16string ImportNoDataText(std::u16string_view path);
    static std::u16string_view NothingToExportText();
    static std::u16string ExportSavedText(std::u16string_view path, int count);
    static std::u16string ExportErrorText(std::u16string_view path, std::u16string_view messages);
};
