#include "controls/list_cells.h"

#include <gtest/gtest.h>

#include "controls/shaded_bar.h"

namespace {

TEST(ListCells, FirstColumnEndsWhereTheSecondBegins) {
    const LayoutRect row = {0, 20, 500, 38};
    EXPECT_EQ(CellRect(row, 0, 6, 24).right, 24);
    EXPECT_EQ(CellRect(row, 0, 1, 0).right, 500);
    EXPECT_EQ(CellRect(row, 2, 6, 0).right, 500);
}

TEST(ListCells, CheckBoxImageAndTextShareTheCell) {
    const LayoutRect cell = {10, 20, 110, 38};
    CellContent content;
    content.checkBox = true;
    content.image = true;
    content.imageWidth = 16;
    content.imageHeight = 30;  // taller than the cell: cut, never above the top
    const CellParts parts = LayOutCell(cell, content);
    EXPECT_EQ(parts.checkBox, (LayoutRect{10, 20, 28, 38}));
    EXPECT_EQ(parts.image, (LayoutRect{28, 20, 44, 38}));
    EXPECT_EQ(parts.text.left, 44);
    CellContent centred;
    centred.checkBox = true;
    centred.checkBoxCentred = true;
    EXPECT_EQ(LayOutCell(cell, centred).checkBox.left, 10 + (100 - 18) / 2);
    EXPECT_EQ(LayOutCell(cell, CellContent{}).text.left, 11);
}

TEST(ListCells, ProgressFillsByPositionAndNeverBeyondTheBar) {
    EXPECT_EQ(ProgressArea({0, 0, 100, 18}), (LayoutRect{1, 1, 98, 17}));
    EXPECT_EQ(ProgressFillWidth(97, 50, 100), 48);
    EXPECT_EQ(ProgressFillWidth(97, 100, 100), 97);
    EXPECT_EQ(ProgressFillWidth(97, 250, 100), 97);
    EXPECT_EQ(ProgressFillWidth(97, 0, 100), 0);
    EXPECT_EQ(ProgressFillWidth(97, 50, 0), 0);
    EXPECT_EQ(ProgressFillWidth(97, 50, -1), 0);
    EXPECT_EQ(ProgressFillWidth(2000000000, 1999999999, 2000000000), 1999999999);
}

TEST(ListCells, ANarrowCellKeepsEveryPartInside) {
    CellContent content;
    content.checkBox = true;
    content.image = true;
    content.imageWidth = 16;
    content.imageHeight = 16;
    const CellParts parts = LayOutCell({0, 0, 10, 18}, content);
    for (const LayoutRect& part : {parts.image, parts.text}) {
        EXPECT_LE(part.left, part.right);
        EXPECT_LE(part.right, 10);
    }
}

TEST(ListCells, TheLastWordOfAProgressTextIsFoundPastTrailingBlanks) {
    EXPECT_EQ(LastWordStart(L"00:00:10    1.20MB    %45 "), 22u);
    EXPECT_EQ(LastWordStart(L" Finished "), 0u);
}

TEST(ShadedBar, RingsGrowLighterInwardsAndEnd) {
    const auto rings = ShadedBarRings({0, 0, 50, 10}, 0x00855F4A);
    ASSERT_EQ(rings.size(), 2u + 3u);  // 10 rows: 2 outer rings, then 6 rows shrinking by 2
    EXPECT_EQ(rings[0].color, 0x00855F4Au);
    EXPECT_EQ(rings[1].color, 0x008A644Fu);
    EXPECT_EQ(rings[2].color, 0x00946E59u);
    EXPECT_EQ(rings[1].rect, (LayoutRect{1, 1, 49, 9}));
    EXPECT_EQ(rings.back().rect, (LayoutRect{2, 4, 48, 6}));
    // Channels near white stop at 255 and then stay.
    const auto light = ShadedBarRings({0, 0, 10, 12}, 0x00FAFAF3);
    EXPECT_EQ(light[1].color, 0x00FFFFF8u);
    EXPECT_EQ(light[2].color, 0x00FFFFF8u);
    EXPECT_TRUE(ShadedBarRings({5, 5, 5, 20}, 0).empty());
    EXPECT_EQ(ShadedBarRings({0, 0, 10, 1}, 0).size(), 1u);
}

}  // namespace
