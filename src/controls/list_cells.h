#pragma once

#include <cstddef>
#include <string>

#include "controls/layout_rect.h"

// The parts of one cell of the skinned list: its check box, its image, the
// area left for its text and, for a progress cell, the bar.

// The cell of a subitem: subitem 0 of a list with two or more columns ends
// where subitem 1 begins (the list reports the whole row for it).
LayoutRect CellRect(const LayoutRect& subitem, int subitemIndex, int columnCount, int nextColumnLeft);

struct CellParts {
    LayoutRect checkBox;  // empty without a check box
    LayoutRect image;     // empty without an image
    LayoutRect text;      // after the check box or image
};

// The check box is a square as high as the cell at its left edge (centred
// when asked); the image follows it (or starts 1 pixel in), at its own size
// cut to the cell, vertically centred but never above the top.
struct CellContent {
    bool checkBox = false;
    bool checkBoxCentred = false;
    bool image = false;
    bool imageCentred = false;
    int imageWidth = 0;
    int imageHeight = 0;
};
CellParts LayOutCell(const LayoutRect& cell, const CellContent& content);

// The progress bar's area: the cell inset 1 pixel at the top, bottom and
// left and 2 at the right.
LayoutRect ProgressArea(const LayoutRect& cell);

// Width of the filled part: area width x position / maximum, the full width
// from the maximum on, nothing below position 1 or without a maximum.
int ProgressFillWidth(int areaWidth, int position, int maximum);

// Where the last word of a text begins (blanks after it belong to it), or 0
// when the text is a single word: a progress text too long for its bar keeps
// its last word, the percentage, in view.
size_t LastWordStart(const std::wstring& text);

// Whether a point lies in a rectangle (left/top inclusive, right/bottom exclusive).
bool Contains(const LayoutRect& rect, int x, int y);
