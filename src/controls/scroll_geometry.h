#pragma once

// Where the thumb of a skinned scroll bar sits, and which scroll position a
// dragged thumb stands for. Along the bar's own axis: the first arrow, the
// track, the second arrow and, for the vertical bar, a bottom piece.
struct ScrollBarMetrics {
    int length = 0;       // client height (vertical) or width (horizontal)
    int firstArrow = 0;   // up or left arrow
    int secondArrow = 0;  // down or right arrow
    int endPiece = 0;     // bottom piece of the vertical bar, 0 for the horizontal one
    int thumb = 0;        // thumb length
    int margin = 0;       // extra track margin
    int slack = 0;        // pixels the track gains: 2 for the vertical bar, 1 for the horizontal one
};

// Pixels per scroll unit. 0 when the list cannot scroll (limit 0 or below) or
// the bar is too short for its thumb, so that no caller ever divides by it.
double PixelsPerUnit(const ScrollBarMetrics& bar, int limit);

// The thumb's offset for a scroll position, held inside the track.
int ThumbOffset(const ScrollBarMetrics& bar, int position, int limit);

// Keeps a thumb offset inside the track: at most length - thumb - second
// arrow - end piece, at least the first arrow.
int ClampThumbOffset(const ScrollBarMetrics& bar, int offset);

// The scroll position that a thumb at this offset stands for, within 0 to limit.
int PositionForThumb(const ScrollBarMetrics& bar, int offset, int limit);

// The small bar of the combo's drop window and the list box. Positions are
// hundredths of an item; the thumb lies between the bar's 5-pixel ends.
struct MiniThumb {
    int top = 0;
    int length = 0;
};
MiniThumb MiniThumbPlace(int barHeight, int position, int range, int page);

// A position within 0 to range - page (0 when the page covers the range).
int ClampMiniPosition(int position, int range, int page);

// Where a button press lands on the mini bar.
enum class MiniPart { pageUp, thumb, pageDown };
MiniPart MiniPartAt(int y, int barHeight, int position, int range, int page);

// The position after the mouse moved dy pixels while dragging the thumb,
// clamped; unchanged when the bar has no room to drag in or nothing to scroll.
int MiniDragPosition(int position, int dy, int barHeight, int range, int page);
