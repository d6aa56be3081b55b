#pragma once

#include <vector>

#include "controls/item_column.h"
#include "controls/layout_rect.h"
#include "controls/text_extent.h"

// The size of the combo's drop window and where it opens.
struct DropLayout {
    ItemColumn column;  // item rectangles with their left and right set
    int width = 0;
    int height = 0;
    bool hasScrollBar = false;
};

// maxHeight: the combo's dropped height; comboWidth: its width. A popup with
// no visible item is 24 pixels high.
DropLayout MeasureDropWindow(const std::vector<TextExtent>& texts, int maxHeight, int comboWidth);

// The popup's screen rectangle: 18 pixels below the combo's top, left-aligned
// with it (right-aligned when wider); upwards when it would reach lower than
// 50 pixels above the screen's bottom; moved left to fit the screen, never
// left of 0.
LayoutRect PlaceDropWindow(const LayoutRect& combo, int comboClientHeight, int width, int height, int screenWidth,
                           int screenHeight);
