#include "controls/scroll_geometry.h"

#include <gtest/gtest.h>

namespace {

// The list's vertical bar, 200 pixels high: arrows and bottom piece 16, thumb 75.
ScrollBarMetrics VerticalBar(int length = 200) { return {length, 16, 16, 16, 75, 0, 2}; }

// From the first position to the limit and past it (the list grew shorter)
// the thumb stays inside the track, moves down with the position from the
// first arrow to the track's end, and a dragged thumb gives back its position.
// A list that fits, or a bar too short for its thumb, has no scale to divide by.
TEST(ScrollGeometry, ThumbStaysInTheTrackMovesWithThePositionAndNeedsAScale) {
    const ScrollBarMetrics bar = VerticalBar();
    int last = 0;
    for (int position = 0; position <= 60; ++position) {
        const int thumb = ThumbOffset(bar, position, 40);
        EXPECT_TRUE(thumb >= 16 && thumb + 75 <= 200 - 16 - 16) << position;
        EXPECT_GE(thumb, last) << position;
        last = thumb;
        EXPECT_NEAR(PositionForThumb(bar, thumb, 40), std::min(position, 40), 1);
    }
    EXPECT_EQ(ThumbOffset(bar, 0, 40), 16);
    EXPECT_EQ(ThumbOffset(bar, 40, 40), 200 - 75 - 16 - 16);
    EXPECT_EQ(PositionForThumb(bar, -300, 40), 0);
    EXPECT_EQ(PositionForThumb(bar, 5000, 40), 40);
    // A bar shorter than its parts still keeps the thumb below the first arrow.
    EXPECT_EQ(ThumbOffset(VerticalBar(50), 3, 10), 16);

    EXPECT_EQ(PixelsPerUnit(bar, 0), 0.0);
    EXPECT_EQ(PixelsPerUnit(bar, -3), 0.0);
    EXPECT_EQ(PixelsPerUnit(VerticalBar(100), 10), 0.0);
    EXPECT_EQ(ThumbOffset(bar, 5, 0), 16);
    EXPECT_EQ(PositionForThumb(bar, 120, 0), 0);
}

// Ten items, four visible, in a 100-pixel bar: the thumb (drawn 9 pixels
// longer than its length) stays inside it; a press above it pages up, below
// it down; a dragged thumb follows the pointer.
// With nothing to scroll, or no room to drag in, nothing moves or divides.
TEST(MiniScroll, TheThumbStaysInsideTheBarPagesAroundItAndFollowsADrag) {
    for (int position = 0; position <= 600; position += 100) {
        const MiniThumb thumb = MiniThumbPlace(100, position, 1000, 400);
        EXPECT_TRUE(thumb.top >= 0 && thumb.top + thumb.length + 9 <= 100) << position;
        EXPECT_EQ(MiniPartAt(thumb.top + thumb.length / 2, 100, position, 1000, 400), MiniPart::thumb);
        EXPECT_EQ(MiniPartAt(thumb.top - 1, 100, position, 1000, 400), MiniPart::pageUp);
        EXPECT_EQ(MiniPartAt(thumb.top + thumb.length + 9, 100, position, 1000, 400), MiniPart::pageDown);
    }
    EXPECT_EQ(ClampMiniPosition(-100, 1000, 400), 0);
    EXPECT_EQ(ClampMiniPosition(900, 1000, 400), 600);
    EXPECT_NEAR(MiniThumbPlace(100, MiniDragPosition(0, 30, 100, 1000, 400), 1000, 400).top, 30, 3);
    EXPECT_EQ(MiniDragPosition(500, 500, 100, 1000, 400), 600);

    for (int range : {0, 400}) {
        EXPECT_EQ(MiniThumbPlace(100, 50, range, 400).top, 0);
        EXPECT_EQ(MiniDragPosition(0, 30, 100, range, 400), 0);
        EXPECT_EQ(ClampMiniPosition(50, range, 400), 0);
    }
    EXPECT_EQ(MiniDragPosition(100, 30, 16, 1000, 400), 100);
}

}  // namespace
