#include "controls/list_cells.h"

#include <gtest/gtest.h>

namespace {

// The first column ends where the second begins; in a cell the check box (a
// square at its left edge), the image (cut to the cell, never above
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

}  // namespace
