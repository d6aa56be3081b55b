#pragma once

#include <windows.h>

#include "skin/skin.h"

// Drawing pieces shared by the skinned controls. Empty skin elements are never
// drawn: tiling by a height of 0 would never end.

// A solid rectangle without a brush object: ExtTextOut's opaque background.
void FillSolid(HDC dc, const RECT& rect, COLORREF color);

// A 1-pixel 3-D frame: top and left in one colour, bottom and right in the other.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

// The whole element stretched to the rectangle.
void StretchElement(HDC dc, const SkinElement& element, const RECT& rect);

// The element at its own size from (x, y).
void DrawElement(HDC dc, const SkinElement& element, int x, int y);

// The element repeated over the rectangle, the first row of tiles starting
// yShift pixels above it (0 to minus the element's height) so that the tiles
// can move with a scrolled content.
void TileElement(HDC dc, const SkinElement& element, const RECT& rect, int yShift = 0);

// The drop window's and the list box's panel: the background element tiled
// inside a rounded frame (5 x 5 corners) in two colours, light on the top and
// left edges, dark on the bottom and right ones and in the corners.
void DrawFramedPanel(HDC dc, int width, int height, const SkinElement& background, COLORREF light, COLORREF dark);

// A bar lighter towards its middle row: rounded rectangles in the colour,
// then ring after ring a little lighter (see ShadedBarRings).
void DrawShadedBar(HDC dc, const RECT& rect, COLORREF color);
