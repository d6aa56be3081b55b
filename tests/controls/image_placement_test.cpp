#include "controls/image_placement.h"

#include <gtest/gtest.h>

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

TEST(ImagePlacement, TheImageStandsOnItsSideOfTheCaptionCentredAcross) {
    for (int alignment : {kImageLeft, kImageAbove}) {  // the program's buttons use no other
        SCOPED_TRACE(alignment);
        const ButtonContentInput input = Input(alignment, true);
        const ButtonContent content = PlaceButtonContent(input);
        const LayoutRect image = Image(content);
        const LayoutRect& room = content.textRect;
        EXPECT_TRUE(Inside(image, input.item) && Inside(room, input.item));
        EXPECT_TRUE(CentredAcross(image, input.item, alignment == kImageAbove));
        // The caption, centred in its room, lies beyond the image.
        EXPECT_TRUE(alignment == kImageLeft ? room.left >= image.right : (room.top + room.bottom) / 2 > image.bottom);

        // Without a caption the image is centred and the room is the whole button.
        const ButtonContent alone = PlaceButtonContent(Input(alignment, false));
        EXPECT_TRUE(CentredAcross(Image(alone), input.item, true) && CentredAcross(Image(alone), input.item, false));
        EXPECT_EQ(alone.textRect, input.item);
    }

    // No image.
    ButtonContentInput input = Input(kImageAbove, true);
    input.hasImage = false;
    EXPECT_EQ(PlaceButtonContent(input).textRect, input.item);
}

}  // namespace
