#include "controls/item_column.h"

#include <cstddef>

ItemColumn MeasureItemColumn(const std::vector<int>& textHeights, int heightLimit) {
    ItemColumn column;
    int sum = 0;
    for (int height : textHeights) {
        column.items.push_back({0, sum + 3, 0, sum + height + 6});
        sum += height + 4;
        if (sum + 5 < heightLimit) {
            ++column.visibleCount;
            column.visibleHeight = sum + 5;
        }
        column.itemHeight = height + 4;
    }
    column.fullHeight = sum + 5;
    return column;
}

int ItemAt(const std::vector<LayoutRect>& items, int x, int y, int scrollOffset, bool inclusive) {
    const int edge = inclusive ? 1 : 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LayoutRect& r = items[i];
        const int top = r.top - scrollOffset;
        const int bottom = r.bottom - scrollOffset;
        if (x >= r.left && x < r.right + edge && y >= top && y < bottom + edge) return static_cast<int>(i);
    }
    return -1;
}

int WrapStep(int current, int step, int count) {
    if (count <= 0) return -1;
    if (current < 0 || current >= count) return step > 0 ? 0 : count - 1;
    return ((current + step) % count + count) % count;
}

int OffsetToShow(int index, int itemHeight, int visibleCount, int scrollOffset) {
    if (index < 0 || itemHeight <= 0) return scrollOffset;
    const int top = index * itemHeight;
    if (top < scrollOffset) return top;
    if (top + itemHeight > scrollOffset + visibleCount * itemHeight) {
        const int offset = itemHeight * (index - visibleCount + 1);
        return offset < 0 ? 0 : offset;
    }
    return scrollOffset;
}

int PositionForOffset(int scrollOffset, int itemHeight) {
    return itemHeight > 0 ? static_cast<int>(static_cast<long long>(scrollOffset) * 100 / itemHeight) : 0;
}

int OffsetForPosition(int position, int itemHeight) {
    return static_cast<int>(static_cast<long long>(itemHeight) * position / 100);
}
