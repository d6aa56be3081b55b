#include "controls/item_column.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/drop_placement.h"

namespace {

std::vector<TextExtent> Texts(int count, int cx = 40) { return std::vector<TextExtent>(count, TextExtent{cx, 13}); }

TEST(DropWindow, EmptyOneAndTooManyItems) {
    const DropLayout empty = MeasureDropWindow({}, 200, 90);
    EXPECT_EQ(std::make_tuple(empty.width, empty.height, empty.hasScrollBar), std::make_tuple(90, 24, false));

    const DropLayout one = MeasureDropWindow(Texts(1), 200, 90);
    EXPECT_EQ(one.column.items[0], (LayoutRect{5, 3, 85, 19}));
    EXPECT_EQ(one.height, 17 + 5);
    EXPECT_EQ(one.column.itemHeight, 17);

    // 30 items of 17 pixels in 200: eleven fit, the rest scroll; 10 pixels narrower items.
    const DropLayout many = MeasureDropWindow(Texts(30, 120), 200, 90);
    EXPECT_EQ(std::make_tuple(many.width, many.height, many.hasScrollBar),
              std::make_tuple(123 + 20, 11 * 17 + 5, true));
    EXPECT_EQ(many.column.visibleCount, 11);
    EXPECT_EQ(many.column.items[29].right, many.width - 15);
    // More items than the old fixed table of 250 are all measured.
    EXPECT_EQ(MeasureDropWindow(Texts(400), 200, 90).column.items.size(), 400u);
}

// Ten items of 17 pixels in a list exactly as high as they need (170 + 5):
// the rule asks one pixel more before it drops the scroll bar. Either way the
// window is no taller than allowed, and a scroll bar comes with hidden items.
TEST(DropWindow, ItemsThatExactlyFillTheHeight) {
    for (int maxHeight : {175, 176}) {
        const DropLayout layout = MeasureDropWindow(Texts(10), maxHeight, 90);
        EXPECT_LE(layout.height, maxHeight);
        EXPECT_EQ(layout.hasScrollBar, layout.column.visibleCount < 10) << maxHeight;
        EXPECT_EQ(layout.hasScrollBar, maxHeight == 175);
    }
}

TEST(DropWindow, OpensBelowOrUpwardsAndStaysOnTheScreen) {
    const LayoutRect combo = {100, 300, 190, 320};
    EXPECT_EQ(PlaceDropWindow(combo, 20, 90, 100, 1280, 1024), (LayoutRect{100, 318, 190, 418}));
    EXPECT_EQ(PlaceDropWindow(combo, 20, 140, 100, 1280, 1024).left, 50);
    const LayoutRect low = {100, 900, 190, 920};
    EXPECT_EQ(PlaceDropWindow(low, 20, 90, 100, 1280, 1024).top, 918 - 20 - 100 - 2);
    EXPECT_EQ(PlaceDropWindow({1250, 10, 1340, 30}, 20, 90, 50, 1280, 1024).left, 1190);
    EXPECT_EQ(PlaceDropWindow({-40, 10, 50, 30}, 20, 200, 50, 1280, 1024).left, 0);
}

TEST(ItemColumn, WrapsBothWaysAndNeverPicksFromNothing) {
    EXPECT_EQ(WrapStep(4, 1, 5), 0);
    EXPECT_EQ(WrapStep(0, -1, 5), 4);
    EXPECT_EQ(WrapStep(-1, 1, 5), 0);
    EXPECT_EQ(WrapStep(-1, -1, 5), 4);
    EXPECT_EQ(WrapStep(9, 1, 5), 0);
    EXPECT_EQ(WrapStep(-1, 1, 0), -1);
    EXPECT_EQ(WrapStep(0, -1, 0), -1);
}

TEST(ItemColumn, ScrollingBringsTheItemIntoView) {
    // Items 17 high, 4 visible, scrolled to item 2.
    EXPECT_EQ(OffsetToShow(1, 17, 4, 34), 17);
    EXPECT_EQ(OffsetToShow(4, 17, 4, 34), 34);
    EXPECT_EQ(OffsetToShow(9, 17, 4, 34), 17 * 6);
    EXPECT_EQ(OffsetToShow(3, 17, 0, 0), 17 * 4);
    EXPECT_EQ(OffsetToShow(-1, 17, 4, 34), 34);
    EXPECT_EQ(OffsetToShow(2, 0, 4, 0), 0);
    EXPECT_EQ(PositionForOffset(34, 17), 200);
    EXPECT_EQ(PositionForOffset(34, 0), 0);
    EXPECT_EQ(OffsetForPosition(250, 17), 42);
}

TEST(ItemColumn, HitsFollowTheScrollOffset) {
    const DropLayout layout = MeasureDropWindow(Texts(10), 100, 90);
    const auto& items = layout.column.items;
    EXPECT_EQ(ItemAt(items, 10, 5, 0, false), 0);
    EXPECT_EQ(ItemAt(items, 10, 5, 34, false), 2);
    EXPECT_EQ(ItemAt(items, 10, 2, 0, false), -1);
    EXPECT_EQ(ItemAt(items, 200, 5, 0, false), -1);
    EXPECT_EQ(ItemAt(items, items[0].right, 5, 0, true), 0);
    EXPECT_EQ(ItemAt(items, items[0].right, 5, 0, false), -1);
    EXPECT_EQ(ItemAt({}, 10, 5, 0, true), -1);
}

}  // namespace
