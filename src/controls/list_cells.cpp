#include "controls/list_cells.h"

#include <algorithm>

LayoutRect CellRect(const LayoutRect& subitem, int subitemIndex, int columnCount, int nextColumnLeft) {
    LayoutRect cell = subitem;
    if (subitemIndex == 0 && columnCount >= 2) cell.right = std::max(cell.left, nextColumnLeft);
    return cell;
}

CellParts LayOutCell(const LayoutRect& cell, const CellContent& content) {
    CellParts parts;
    int next = cell.left;
    if (content.checkBox) {
        const int side = cell.Height();
        const int left = content.checkBoxCentred ? cell.left + (cell.Width() - side) / 2 : cell.left;
        parts.checkBox = RectAt(left, cell.top, side, side);
        next = parts.checkBox.right;
    } else {
        next = cell.left + 1;
    }
    if (content.image && content.imageWidth > 0 && content.imageHeight > 0) {
        // A cell too narrow for the check box and the image gets an empty image
        // at its right edge, never one that ends before it begins.
        int left = std::min(next, cell.right);
        if (content.imageCentred) left = std::max(left, cell.left + (cell.Width() - content.imageWidth) / 2);
        const int top = std::max(cell.top, cell.top + (cell.Height() - content.imageHeight) / 2);
        parts.image = {left, top, std::min(left + content.imageWidth, cell.right),
                       std::min(top + content.imageHeight, cell.bottom)};
        next = parts.image.right;
    }
    parts.text = {std::min(next, cell.right), cell.top, cell.right, cell.bottom};
    return parts;
}

LayoutRect ProgressArea(const LayoutRect& cell) {
    return {cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 1};
}

int ProgressFillWidth(int areaWidth, int position, int maximum) {
    if (maximum < 1 || position < 1 || areaWidth <= 0) return 0;
    if (position >= maximum) return areaWidth;
    return static_cast<int>(static_cast<long long>(areaWidth) * position / maximum);
}

size_t LastWordStart(const std::wstring& text) {
    const size_t last = text.find_last_not_of(L' ');
    if (last == std::wstring::npos) return 0;
    const size_t blank = text.find_last_of(L' ', last);
    if (blank == std::wstring::npos || text.find_first_not_of(L' ') > blank) return 0;
    return blank + 1;
}

bool Contains(const LayoutRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
