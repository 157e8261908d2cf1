#include "controls/ReportViewRules.h"

#include "controls/EditRules.h"

#include <algorithm>

namespace controls {

using geometry::Rect;

namespace ReportViewRules {
namespace {

constexpr double kNumberWidthFactor = 0.6; // digits are narrower than a character height
constexpr double kReserveFactor = 2.6;

} // namespace

int ComputeColumnWidth(tagCOLUMN_EDIT_OPTION& option, int fontHeight) {
    if (fontHeight <= 0)
        return -1;
    int base = -1;
    if (option.nKind == NotEditable || option.nKind == TextCell) {
        base = static_cast<int>((static_cast<int64_t>(option.nMax) + 1) * fontHeight);
    } else if (option.nKind == IntegerCell) {
        const int d = std::max(EditRules::CharCount(option.nMin), EditRules::CharCount(option.nMax));
        base = static_cast<int>(static_cast<double>(d + 1) * fontHeight * kNumberWidthFactor);
    }
    option.nMinWidth = static_cast<int32_t>(kMinWidthFactor * base);
    option.nMaxWidth = static_cast<int32_t>(kMaxWidthFactor * base);
    return base;
}

int ScrollBarReserve(int fontHeight) {
    return static_cast<int>(fontHeight * kReserveFactor);
}

std::vector<int> LayoutWidths(std::vector<tagCOLUMN_EDIT_OPTION>& options, int layoutWidth, int fontHeight) {
    std::vector<int> widths;
    if (options.empty())
        return widths;
    const int reserve = ScrollBarReserve(fontHeight);
    int64_t total = 0;
    widths.reserve(options.size());
    for (auto& option : options) {
        widths.push_back(ComputeColumnWidth(option, fontHeight));
        total += widths.back();
    }
    int64_t extra = (layoutWidth - total - reserve) / static_cast<int64_t>(options.size());
    if (extra < 0)
        extra = 0;
    for (int& width : widths)
        width = static_cast<int>(width + extra);
    return widths;
}

int LimitDragWidth(const tagCOLUMN_EDIT_OPTION& option, int width) {
    if (option.nMinWidth > 0 && width < option.nMinWidth)
        return option.nMinWidth;
    if (option.nMaxWidth > 0 && width > option.nMaxWidth)
        return option.nMaxWidth;
    return width;
}

Rect EditorRect(const Rect& cellBounds, int cellRight, int kind) {
    Rect r = cellBounds;
    r.right = cellRight;
    r.top -= 2;
    r.left += 1;
    r.right -= 1;
    r.bottom += 1;
    if (kind == IntegerCell)
        r.right += r.bottom - r.top;
    return r;
}

DoubleClick OnDoubleClick(bool ctrlOrShift, bool onItem, const tagCOLUMN_EDIT_OPTION* option) {
    if (ctrlOrShift || !onItem || option == nullptr)
        return DoubleClick::Swallow;
    if (option->nKind == NotEditable)
        return DoubleClick::ToParent;
    return DoubleClick::Edit;
}

bool UpdateFontHeight(int lfHeight, int& fontHeight) {
    if (lfHeight + fontHeight == 0)
        return false;
    fontHeight = -lfHeight;
    return true;
}

} // namespace ReportViewRules
} // namespace controls
