// The arithmetic of the report view: column widths from the font height,
// the layout that shares the control's width out, the drag limits of the
// header, where the in-place editor goes and what a double-click does.
#pragma once

#include "geometry/Rect.h"

#include <cstdint>
#include <vector>

namespace controls {

// Edit option of one report-view column.
struct tagCOLUMN_EDIT_OPTION {
    int32_t nKind;     // 0 not editable, 1 integer, 2 text
    int32_t nMin;      // kind 1: smallest value
    int32_t nMax;      // kind 1: largest value; kinds 0 and 2: size in characters (kind 2: text limit)
    int32_t nMinWidth; // computed: narrowest drag width, 0 or less = no limit
    int32_t nMaxWidth; // computed: widest drag width, 0 or less = no limit
};

namespace ReportViewRules {

enum Kind { NotEditable = 0, IntegerCell = 1, TextCell = 2 };

constexpr double kMinWidthFactor = 0.6;
constexpr double kMaxWidthFactor = 1.6;

// Base width of a column for a character height h (minus the font's
// lfHeight): (nMax + 1) h for kinds 0 and 2, truncate((d + 1) h 0.6) for
// kind 1 with d the longer bound's character count. Also stores the drag
// limits in the option. -1 when h is not positive (the limits then stay as
// they are) or the kind is unknown.
int ComputeColumnWidth(tagCOLUMN_EDIT_OPTION& option, int fontHeight);

// Space kept free for the vertical scroll bar: truncate(2.6 h).
int ScrollBarReserve(int fontHeight);

// Width of every column when layoutWidth is shared out: the base widths plus
// an equal share of what is left after the reserve (never negative). Empty
// for no columns.
std::vector<int> LayoutWidths(std::vector<tagCOLUMN_EDIT_OPTION>& options, int layoutWidth, int fontHeight);

// The width a header drag may give the column.
int LimitDragWidth(const tagCOLUMN_EDIT_OPTION& option, int width);

// The in-place editor's rectangle for a cell. cellRight is the cell's right
// edge (for column 0, the left edge of column 1). Integer cells are widened
// by their height for the spin button.
geometry::Rect EditorRect(const geometry::Rect& cellBounds, int cellRight, int kind);

enum class DoubleClick {
    Swallow,  // handled, nothing happens
    ToParent, // not handled: the parent gets NM_DBLCLK
    Edit,     // open the editor
};
DoubleClick OnDoubleClick(bool ctrlOrShift, bool onItem, const tagCOLUMN_EDIT_OPTION* option);

// Takes the lfHeight of the control's font; true when the character height
// changed.
bool UpdateFontHeight(int lfHeight, int& fontHeight);

} // namespace ReportViewRules
} // namespace controls
