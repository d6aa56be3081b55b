#include "controls/list_cells.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/shaded_bar.h"

namespace {

// The first column ends where the second begins; in a cell the check box (a
// square at its left edge, or centred), the image (cut to the cell, never above
// its top) and the text follow one another. That every part stays inside the
// cell whatever its size is the control_layout fuzz harness's.
TEST(ListCells, CellsSplitTheRowAndTheirPartsFollowOneAnother) {
    const LayoutRect row = {0, 20, 500, 38};
    EXPECT_EQ(CellRect(row, 0, 6, 24).right, 24);
    EXPECT_EQ(CellRect(row, 0, 1, 0).right, 500);
    EXPECT_EQ(CellRect(row, 2, 6, 0).right, 500);

    const LayoutRect cell = {10, 20, 110, 38};
    CellContent content;
    content.checkBox = true;
    content.image = true;
    content.imageWidth = 16;
    content.imageHeight = 30;  // taller than the cell
    const CellParts parts = LayOutCell(cell, content);
    EXPECT_EQ(parts.checkBox.left, cell.left);
    EXPECT_EQ(parts.image, (LayoutRect{parts.checkBox.right, cell.top, parts.checkBox.right + 16, cell.bottom}));
    EXPECT_EQ(parts.text.left, parts.image.right);
    CellContent centred;
    centred.checkBox = true;
    centred.checkBoxCentred = true;
    const LayoutRect box = LayOutCell(cell, centred).checkBox;
    EXPECT_LE(std::abs((box.left - cell.left) - (cell.right - box.right)), 1);
    EXPECT_EQ(LayOutCell(cell, CellContent{}).text.left, 11);
}

// How far a progress bar is filled is the control_layout fuzz harness's
// (within the bar, growing with the position) and the data controls' half
// filled cell; here its ends. The last word of a progress text, kept in view,
// is found past trailing blanks.
TEST(ListCells, ProgressFillsTheBarFromTheMaximumOnNothingWithoutOneAndKeepsTheLastWord) {
    EXPECT_EQ(ProgressArea({0, 0, 100, 18}), (LayoutRect{1, 1, 98, 17}));
    EXPECT_EQ(ProgressFillWidth(97, 250, 100), 97);
    EXPECT_EQ(ProgressFillWidth(97, 50, 0), 0);
    EXPECT_EQ(LastWordStart(L"00:00:10    1.20MB    %45 "), 22u);
    EXPECT_EQ(LastWordStart(L" Finished "), 0u);
}

TEST(ShadedBar, RingsStayInsideAndNeverGrowDarkerInwards) {
    for (const uint32_t color : {0x00855F4Au, 0x00FAFAF3u}) {
        const auto rings = ShadedBarRings({0, 0, 50, 10}, color);
        ASSERT_GT(rings.size(), 2u);
        EXPECT_EQ(rings[0].color, color);
        for (size_t i = 1; i < rings.size(); ++i) {
            for (const int shift : {0, 8, 16}) {
                EXPECT_GE((rings[i].color >> shift) & 0xFF, (rings[i - 1].color >> shift) & 0xFF);
            }
            EXPECT_TRUE(rings[i].rect.left >= rings[i - 1].rect.left &&
                        rings[i].rect.bottom <= rings[i - 1].rect.bottom);
        }
    }
    EXPECT_TRUE(ShadedBarRings({5, 5, 5, 20}, 0).empty());
}

}  // namespace
