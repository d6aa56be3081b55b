#include "controls/image_placement.h"

#include <gtest/gtest.h>

#include <utility>

bool operator==(const ButtonContent& a, const ButtonContent& b) {
    return a.imageX == b.imageX && a.imageY == b.imageY && a.textRect == b.textRect;
}

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
        ButtonContent expected;  // image x and y, caption room
    };
    const Case cases[] = {
        {kImageLeft, true, {3, 12, {19, 0, 100, 40}}},   {kImageAbove, true, {42, 3, {0, 16, 100, 40}}},
        {kImageRight, true, {81, 12, {3, 0, 81, 40}}},   {kImageOverlap, true, {0, 0, {0, 0, 100, 40}}},
        {kImageLeft, false, {42, 12, {0, 0, 100, 40}}},  {kImageAbove, false, {42, 12, {0, 0, 100, 40}}},
        {kImageRight, false, {42, 12, {0, 0, 100, 40}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceButtonContent(Input(c.alignment, c.hasText)), c.expected) << c.alignment << c.hasText;
    }
}

TEST(ImagePlacement, ItemOffsetPushedInAndOversizedImage) {
    ButtonContentInput input = Input(kImageLeft, true);
    input.item = {10, 20, 110, 60};
    EXPECT_EQ(PlaceButtonContent(input), (ButtonContent{13, 32, {29, 20, 110, 60}}));

    input = Input(kImageAbove, true);
    input.pushedIn = true;
    EXPECT_EQ(PlaceButtonContent(input), (ButtonContent{43, 4, {1, 17, 101, 41}}));
    input.hasImage = false;
    EXPECT_EQ(PlaceButtonContent(input).textRect, (LayoutRect{1, 1, 101, 41}));

    input = Input(kImageAbove, false);
    input.imageWidth = 120;
    input.imageHeight = 50;
    const ButtonContent oversized = PlaceButtonContent(input);
    EXPECT_EQ(std::make_pair(oversized.imageX, oversized.imageY), std::make_pair(-10, -5));
    EXPECT_EQ(CentreInside({100, 50, 300, 150}, 301, 100), (LayoutRect{50, 50, 351, 150}));
}

}  // namespace
