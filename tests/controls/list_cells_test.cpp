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
    // A cell narrower than its check box and image keeps every part inside, none inverted.
    content.imageHeight = 16;
    const CellParts narrow = LayOutCell({0, 0, 10, 18}, content);
    for (const LayoutRect& part : {narrow.image, narrow.text}) EXPECT_TRUE(part.left <= part.right && part.right <= 10);
    CellContent centred;
    centred.checkBox = true;
    centred.checkBoxCentred = true;
    EXPECT_EQ(LayOutCell(cell, centred).checkBox.left, 10 + (100 - 18) / 2);
    EXPECT_EQ(LayOutCell(cell, CellContent{}).text.left, 11);
}

TEST(ListCells, ProgressFillsByPositionAndNeverBeyondTheBar) {
    EXPECT_EQ(ProgressArea({0, 0, 100, 18}), (LayoutRect{1, 1, 98, 17}));
    EXPECT_EQ(ProgressFillWidth(97, 50, 100), 48);
    EXPECT_EQ(ProgressFillWidth(97, 250, 100), 97);  // any other position stays in the bar: the control_layout fuzz
    EXPECT_EQ(ProgressFillWidth(97, 50, 0), 0);
    EXPECT_EQ(ProgressFillWidth(2000000000, 1999999999, 2000000000), 1999999999);
}

TEST(ListCells, TheLastWordOfAProgressTextIsFoundPastTrailingBlanks) {
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
