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

TEST(ImagePlacement, EachAlignmentWithAndWithoutCaption) {
    struct Case {
        int alignment;
        bool hasText;
        int x, y;
        LayoutRect text;
    };
    const Case cases[] = {
        {kImageLeft, true, 3, 12, {19, 0, 100, 40}},   {kImageAbove, true, 42, 3, {0, 16, 100, 40}},
        {kImageRight, true, 81, 12, {3, 0, 81, 40}},   {kImageOverlap, true, 0, 0, {0, 0, 100, 40}},
        {kImageLeft, false, 42, 12, {0, 0, 100, 40}},  {kImageAbove, false, 42, 12, {0, 0, 100, 40}},
        {kImageRight, false, 42, 12, {0, 0, 100, 40}},
    };
    for (const Case& c : cases) {
        const ButtonContent content = PlaceButtonContent(Input(c.alignment, c.hasText));
        EXPECT_EQ(content.imageX, c.x) << c.alignment << c.hasText;
        EXPECT_EQ(content.imageY, c.y) << c.alignment << c.hasText;
        EXPECT_EQ(content.textRect, c.text) << c.alignment << c.hasText;
    }
}

TEST(ImagePlacement, ItemOffsetPushedInAndOversizedImage) {
    ButtonContentInput input = Input(kImageLeft, true);
    input.item = {10, 20, 110, 60};
    ButtonContent content = PlaceButtonContent(input);
    EXPECT_EQ(content.imageX, 13);
    EXPECT_EQ(content.imageY, 32);
    EXPECT_EQ(content.textRect, (LayoutRect{29, 20, 110, 60}));

    input = Input(kImageAbove, true);
    input.pushedIn = true;
    content = PlaceButtonContent(input);
    EXPECT_EQ(content.imageX, 43);
    EXPECT_EQ(content.imageY, 4);
    EXPECT_EQ(content.textRect, (LayoutRect{1, 17, 101, 41}));
    input.hasImage = false;
    EXPECT_EQ(PlaceButtonContent(input).textRect, (LayoutRect{1, 1, 101, 41}));

    input = Input(kImageAbove, false);
    input.imageWidth = 120;
    input.imageHeight = 50;
    content = PlaceButtonContent(input);
    EXPECT_EQ(content.imageX, -10);
    EXPECT_EQ(content.imageY, -5);
    EXPECT_EQ(CentreInside({100, 50, 300, 150}, 301, 100), (LayoutRect{50, 50, 351, 150}));
}

}  // namespace
