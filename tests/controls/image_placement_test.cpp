#include "controls/image_placement.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// A 100 x 40 button with a 16 x 16 image.
ButtonContentInput Input(int alignment, bool hasText) {
    ButtonContentInput input;
    input.item = {0, 0, 100, 40};
    input.clientWidth = 100;
    input.hasImage = true;
    input.imageWidth = 16;
    input.imageHeight = 16;
    input.alignment = alignment;
    input.hasText = hasText;
    return input;
}

LayoutRect Image(const ButtonContent& content) { return RectAt(content.imageX, content.imageY, 16, 16); }

bool Inside(const LayoutRect& part, const LayoutRect& whole) {
    return part.left >= whole.left && part.top >= whole.top && part.right <= whole.right && part.bottom <= whole.bottom;
}

// Equal room on both sides, across the axis the image and caption share.
bool CentredAcross(const LayoutRect& part, const LayoutRect& whole, bool horizontally) {
    return horizontally ? part.left - whole.left == whole.right - part.right
                        : part.top - whole.top == whole.bottom - part.bottom;
}

TEST(ImagePlacement, TheImageStandsOnItsSideOfTheCaptionCentredAcrossMovesWhenPressedOrOverlapsIt) {
    for (int alignment : {kImageLeft, kImageAbove, kImageRight}) {
        SCOPED_TRACE(alignment);
        const ButtonContentInput input = Input(alignment, true);
        const ButtonContent content = PlaceButtonContent(input);
        const LayoutRect image = Image(content);
        const LayoutRect& room = content.textRect;
        EXPECT_TRUE(Inside(image, input.item) && Inside(room, input.item));
        EXPECT_TRUE(CentredAcross(image, input.item, alignment == kImageAbove));
        // The caption, centred in its room, lies beyond the image.
        const bool beyond = alignment == kImageLeft    ? room.left >= image.right
                            : alignment == kImageRight ? room.right <= image.left
                                                       : (room.top + room.bottom) / 2 > image.bottom;
        EXPECT_TRUE(beyond);

        ButtonContentInput pressed = input;
        pressed.pushedIn = true;
        const ButtonContent moved = PlaceButtonContent(pressed);
        EXPECT_EQ(Image(moved), RectAt(image.left + 1, image.top + 1, 16, 16));
        EXPECT_EQ(moved.textRect, (LayoutRect{room.left + 1, room.top + 1, room.right + 1, room.bottom + 1}));

        // Without a caption the image is centred and the room is the whole button.
        const ButtonContent alone = PlaceButtonContent(Input(alignment, false));
        EXPECT_TRUE(CentredAcross(Image(alone), input.item, true) && CentredAcross(Image(alone), input.item, false));
        EXPECT_EQ(alone.textRect, input.item);
    }

    // Overlapping, oversized and no image.
    const ButtonContent overlap = PlaceButtonContent(Input(kImageOverlap, true));
    EXPECT_EQ(std::make_pair(overlap.imageX, overlap.imageY), std::make_pair(0, 0));
    EXPECT_EQ(overlap.textRect, (LayoutRect{0, 0, 100, 40}));

    ButtonContentInput input = Input(kImageAbove, false);
    input.imageWidth = 120;
    input.imageHeight = 50;
    const ButtonContent oversized = PlaceButtonContent(input);
    EXPECT_EQ(std::make_pair(oversized.imageX, oversized.imageY), std::make_pair(-10, -5)) << "centred, cut evenly";

    input.hasImage = false;
    input.hasText = true;
    EXPECT_EQ(PlaceButtonContent(input).textRect, input.item);
    EXPECT_EQ(CentreInside({100, 50, 300, 150}, 301, 100), (LayoutRect{50, 50, 351, 150}));
}

}  // namespace
