#pragma once

#include <cstdint>
#include <vector>

#include "controls/layout_rect.h"

// The rounded rectangles, outermost first, that make a progress bar look
// shaded: the bar in its colour, one pixel in a little lighter, and then ring
// after ring growing lighter towards the middle row. Colours are 0x00BBGGRR
// like a COLORREF.
struct ShadedRing {
    LayoutRect rect;
    uint32_t color;
};

// shrinkSideways: the rings after the second shrink at the left and right
// instead of at the top and bottom.
std::vector<ShadedRing> ShadedBarRings(const LayoutRect& bar, uint32_t color, bool shrinkSideways = false);
