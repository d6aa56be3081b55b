#pragma once

#include <vector>

#include "controls/layout_rect.h"

// The column of text items of the combo's drop window and of the list box:
// items stacked 4 pixels apart from 3 pixels below the top, and the arithmetic
// of moving through them and scrolling them into view.
struct ItemColumn {
    std::vector<LayoutRect> items;  // unscrolled; left and right set by the caller's layout
    int visibleCount = 0;           // items that fit wholly within the height limit
    int visibleHeight = 0;          // height that shows the visible items
    int fullHeight = 0;             // height that shows every item
    int itemHeight = 0;             // the last item's text height + 4, 0 without items
};

// textHeights: each item's text height; heightLimit: the room there is.
ItemColumn MeasureItemColumn(const std::vector<int>& textHeights, int heightLimit);

// The item whose rectangle holds the point, with the items shifted up by the
// scroll offset; -1 when none. inclusive: the right and bottom edges count too.
int ItemAt(const std::vector<LayoutRect>& items, int x, int y, int scrollOffset, bool inclusive);

// One step up (-1) or down (+1) from current, wrapping at both ends; without
// a current item down starts at the first and up at the last. -1 when there
// are no items, so that nothing is ever selected at index -1.
int WrapStep(int current, int step, int count);

// The scroll offset that shows item index: its top when it lies above the
// offset, so that it is the last visible item when it lies below; otherwise
// the offset unchanged. Never below 0.
int OffsetToShow(int index, int itemHeight, int visibleCount, int scrollOffset);

// Scroll positions count hundredths of an item.
int PositionForOffset(int scrollOffset, int itemHeight);
int OffsetForPosition(int position, int itemHeight);
