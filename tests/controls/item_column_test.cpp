#include "controls/item_column.h"

#include <gtest/gtest.h>

#include "controls/drop_placement.h"

namespace {

std::vector<TextExtent> Texts(int count, int cx = 40) { return std::vector<TextExtent>(count, TextExtent{cx, 13}); }

// Whatever the number of items, the window is no higher than allowed, as wide
// as the combo or its widest text, holds every item one below the other
// (left of the scroll bar when there is one), and scrolls when some are hidden.
TEST(DropWindow, ItemsStackInsideTheWindowAndHiddenOnesBringAScrollBar) {
    for (const int count : {1, 11, 30, 400}) {  // more than the old fixed table of 250
        SCOPED_TRACE(count);
        const DropLayout layout = MeasureDropWindow(Texts(count, 120), 200, 90);
        const std::vector<LayoutRect>& items = layout.column.items;
        ASSERT_EQ(items.size(), static_cast<size_t>(count));
        EXPECT_LE(layout.height, 200);
        EXPECT_EQ(layout.hasScrollBar, layout.column.visibleCount < count);
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_GE(items[i].Width(), 120);
            EXPECT_LE(items[i].right + (layout.hasScrollBar ? 10 : 0), layout.width);
            EXPECT_EQ(items[i].top, items[0].top + static_cast<int>(i) * layout.column.itemHeight);
        }
    }
    EXPECT_EQ(MeasureDropWindow(Texts(1), 200, 90).width, 90);
    const DropLayout empty = MeasureDropWindow({}, 200, 90);
    EXPECT_EQ(std::make_pair(empty.height, empty.hasScrollBar), std::make_pair(24, false));
}

// Wrapping past either end is the data controls' combo and list box case.
TEST(ItemColumn, StepsFromNothingToAnEndNeverPickFromNothingAndScrollingBringsTheItemIntoViewWithTheHits) {
    EXPECT_EQ(WrapStep(-1, 1, 5), 0);
    EXPECT_EQ(WrapStep(-1, -1, 5), 4);
    EXPECT_EQ(WrapStep(9, 1, 5), 0);
    EXPECT_EQ(WrapStep(-1, 1, 0), -1);
    EXPECT_EQ(WrapStep(0, -1, 0), -1);

    // Items 17 high, 4 visible, scrolled to item 2.
    EXPECT_EQ(OffsetToShow(1, 17, 4, 34), 17);
    EXPECT_EQ(OffsetToShow(4, 17, 4, 34), 34);
    EXPECT_EQ(OffsetToShow(9, 17, 4, 34), 17 * 6);
    EXPECT_EQ(OffsetToShow(3, 17, 0, 0), 17 * 4);
    EXPECT_EQ(OffsetToShow(-1, 17, 4, 34), 34);
    EXPECT_EQ(OffsetToShow(2, 0, 4, 0), 0);
    EXPECT_EQ(PositionForOffset(34, 0), 0);

    const std::vector<LayoutRect> items = MeasureDropWindow(Texts(10), 100, 90).column.items;
    EXPECT_EQ(ItemAt(items, 10, 5, 34, false), 2);
    EXPECT_EQ(ItemAt(items, 10, 2, 0, false), -1);
    EXPECT_EQ(ItemAt(items, items[0].right, 5, 0, true), 0);
    EXPECT_EQ(ItemAt(items, items[0].right, 5, 0, false), -1);
    EXPECT_EQ(ItemAt({}, 10, 5, 0, true), -1);
}

}  // namespace
