#include "controls/drop_placement.h"

#include <algorithm>

namespace {

constexpr int kItemLeft = 5;
constexpr int kScrollBarRoom = 10;
constexpr int kEmptyHeight = 24;
constexpr int kFaceHeight = 18;
constexpr int kScreenBottomMargin = 50;

}  // namespace

DropLayout MeasureDropWindow(const std::vector<TextExtent>& texts, int maxHeight, int comboWidth) {
    std::vector<int> heights;
    int widest = 0;
    for (const TextExtent& text : texts) {
        heights.push_back(text.cy);
        widest = std::max(widest, text.cx + 3);
    }
    DropLayout layout;
    layout.column = MeasureItemColumn(heights, maxHeight);
    const int fullSum = layout.column.fullHeight - 5;
    layout.hasScrollBar = maxHeight < fullSum + 6;
    layout.height = layout.hasScrollBar ? layout.column.visibleHeight : layout.column.fullHeight;
    layout.width = std::max(comboWidth, widest + 10 + (layout.hasScrollBar ? kScrollBarRoom : 0));
    if (layout.column.visibleCount == 0) layout.height = kEmptyHeight;
    const int right = layout.width - (layout.hasScrollBar ? 15 : 5);
    for (LayoutRect& item : layout.column.items) {
        item.left = kItemLeft;
        item.right = right;
    }
    return layout;
}

LayoutRect PlaceDropWindow(const LayoutRect& combo, int comboClientHeight, int width, int height, int screenWidth,
                           int screenHeight) {
    int left = width > combo.Width() ? combo.right - width : combo.left;
    int top = combo.top + kFaceHeight;
    if (top + height > screenHeight - kScreenBottomMargin)
        top = combo.top + kFaceHeight - comboClientHeight - height - 2;
    if (left + width > screenWidth) left = screenWidth - width;
    if (left < 0) left = 0;
    return RectAt(left, top, width, height);
}
