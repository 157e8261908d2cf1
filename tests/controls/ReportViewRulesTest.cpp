#include "controls/ReportViewRules.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

using geometry::Rect;

using ReportViewRules::DoubleClick;

tagCOLUMN_EDIT_OPTION Option(int kind, int min, int max) {
    return {kind, min, max, 0, 0};
}

TEST(ReportViewColumnWidth, FromTheCharacterHeight) {
    tagCOLUMN_EDIT_OPTION text = Option(2, 0, 10);
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(text, 12), 132);
    EXPECT_EQ(text.nMinWidth, 79);
    EXPECT_EQ(text.nMaxWidth, 211);

    tagCOLUMN_EDIT_OPTION number = Option(1, -99999, 99999);
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(number, 12), 50);
    EXPECT_EQ(number.nMinWidth, 30);
    EXPECT_EQ(number.nMaxWidth, 80);

    // The longer bound counts, the minus sign included.
    tagCOLUMN_EDIT_OPTION lopsided = Option(1, -5, 3);
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(lopsided, 12), 21); // 3 x 12 x 0.6 = 21.6
    tagCOLUMN_EDIT_OPTION zeros = Option(1, 0, 0);
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(zeros, 12), 7);

    tagCOLUMN_EDIT_OPTION fixed = Option(0, 0, 4);
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(fixed, 15), 75);
}

TEST(ReportViewColumnWidth, NoFontOrUnknownKind) {
    tagCOLUMN_EDIT_OPTION text{2, 0, 10, 33, 44};
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(text, 0), -1);
    EXPECT_EQ(text.nMinWidth, 33);
    EXPECT_EQ(text.nMaxWidth, 44);

    tagCOLUMN_EDIT_OPTION odd{7, 0, 10, 33, 44};
    EXPECT_EQ(ReportViewRules::ComputeColumnWidth(odd, 12), -1);
    EXPECT_EQ(odd.nMinWidth, 0);
    EXPECT_EQ(odd.nMaxWidth, -1);
}

TEST(ReportViewLayout, SharesTheWidthAfterTheReserve) {
    EXPECT_EQ(ReportViewRules::ScrollBarReserve(12), 31);
    std::vector<tagCOLUMN_EDIT_OPTION> options{Option(2, 0, 10), Option(1, -99999, 99999)};
    EXPECT_EQ(ReportViewRules::LayoutWidths(options, 600, 12), (std::vector<int>{325, 243}));
    // The limits are refreshed on the way.
    EXPECT_EQ(options[0].nMinWidth, 79);
    EXPECT_EQ(options[1].nMaxWidth, 80);

    // Too narrow: the base widths stay.
    EXPECT_EQ(ReportViewRules::LayoutWidths(options, 100, 12), (std::vector<int>{132, 50}));
    // The share truncates: 600 - 182 - 31 = 387 over 3 columns.
    options.push_back(Option(0, 0, -1)); // base 0
    EXPECT_EQ(ReportViewRules::LayoutWidths(options, 600, 12), (std::vector<int>{261, 179, 129}));
}

TEST(ReportViewLayout, NoColumnsLaysOutNothing) {
    std::vector<tagCOLUMN_EDIT_OPTION> none;
    EXPECT_TRUE(ReportViewRules::LayoutWidths(none, 600, 12).empty());
    EXPECT_TRUE(ReportViewRules::LayoutWidths(none, 600, 0).empty());
}

TEST(ReportViewDrag, LimitsApplyOnlyWhenPositive) {
    const tagCOLUMN_EDIT_OPTION limited{2, 0, 10, 79, 211};
    EXPECT_EQ(ReportViewRules::LimitDragWidth(limited, 10), 79);
    EXPECT_EQ(ReportViewRules::LimitDragWidth(limited, 300), 211);
    EXPECT_EQ(ReportViewRules::LimitDragWidth(limited, 100), 100);
    const tagCOLUMN_EDIT_OPTION open{7, 0, 10, 0, -1};
    EXPECT_EQ(ReportViewRules::LimitDragWidth(open, 0), 0);
    EXPECT_EQ(ReportViewRules::LimitDragWidth(open, 5000), 5000);
}

TEST(ReportViewEditor, RectangleAroundTheCell) {
    // Column 0: the bounds cover the row; the right edge comes from column 1.
    const Rect row{0, 20, 500, 37};
    EXPECT_EQ(ReportViewRules::EditorRect(row, 132, 2), (Rect{1, 18, 131, 38}));
    // Integer cells widen by the rectangle's height for the spin button.
    const Rect cell{132, 20, 182, 37};
    EXPECT_EQ(ReportViewRules::EditorRect(cell, cell.right, 1), (Rect{133, 18, 201, 38}));
}

TEST(ReportViewDoubleClick, Decisions) {
    const tagCOLUMN_EDIT_OPTION fixed = Option(0, 0, 4);
    const tagCOLUMN_EDIT_OPTION text = Option(2, 0, 10);
    EXPECT_EQ(ReportViewRules::OnDoubleClick(false, true, &fixed), DoubleClick::ToParent);
    EXPECT_EQ(ReportViewRules::OnDoubleClick(false, true, &text), DoubleClick::Edit);
    EXPECT_EQ(ReportViewRules::OnDoubleClick(true, true, &text), DoubleClick::Swallow);
    EXPECT_EQ(ReportViewRules::OnDoubleClick(true, true, &fixed), DoubleClick::Swallow);
    EXPECT_EQ(ReportViewRules::OnDoubleClick(false, false, &fixed), DoubleClick::Swallow);
    EXPECT_EQ(ReportViewRules::OnDoubleClick(false, true, nullptr), DoubleClick::Swallow);
}

TEST(ReportViewFont, HeightChangesOnlyWhenTheFontDoes) {
    int height = 0;
    EXPECT_TRUE(ReportViewRules::UpdateFontHeight(-12, height));
    EXPECT_EQ(height, 12);
    EXPECT_FALSE(ReportViewRules::UpdateFontHeight(-12, height));
    EXPECT_TRUE(ReportViewRules::UpdateFontHeight(-15, height));
    EXPECT_EQ(height, 15);
}

} // namespace
} // namespace controls
