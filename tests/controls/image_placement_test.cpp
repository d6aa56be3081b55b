#include "controls/image_placement.h"

#include <gtest/gtest.h>

namespace {

// A 100 x 40 button with a 16 x 16 image unless a test says otherwise.
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

TEST(ImagePlacement, WithTextTheImageMovesTheCaptionAside) {
    ButtonContent left = PlaceButtonContent(Input(kImageLeft, true));
    EXPECT_EQ(left.imageX, 3);
    EXPECT_EQ(left.imageY, 12);
    EXPECT_EQ(left.textRect, (LayoutRect{19, 0, 100, 40}));

    ButtonContent above = PlaceButtonContent(Input(kImageAbove, true));
    EXPECT_EQ(above.imageX, 42);
    EXPECT_EQ(above.imageY, 3);
    EXPECT_EQ(above.textRect, (LayoutRect{0, 16, 100, 40}));

    ButtonContent right = PlaceButtonContent(Input(kImageRight, true));
    EXPECT_EQ(right.imageX, 81);
    EXPECT_EQ(right.imageY, 12);
    EXPECT_EQ(right.textRect, (LayoutRect{3, 0, 81, 40}));

    ButtonContent overlap = PlaceButtonContent(Input(kImageOverlap, true));
    EXPECT_EQ(overlap.imageX, 0);
    EXPECT_EQ(overlap.imageY, 0);
    EXPECT_EQ(overlap.textRect, (LayoutRect{0, 0, 100, 40}));
}

TEST(ImagePlacement, WithoutTextTheImageIsCentred) {
    for (int alignment : {kImageLeft, kImageAbove, kImageRight}) {
        ButtonContent content = PlaceButtonContent(Input(alignment, false));
        EXPECT_EQ(content.imageX, 42) << alignment;
        EXPECT_EQ(content.imageY, 12) << alignment;
    }
}

TEST(ImagePlacement, ItemRectangleOffsetsCountForCentringAndTheLeftMargin) {
    ButtonContentInput input = Input(kImageLeft, true);
    input.item = {10, 20, 110, 60};
    ButtonContent content = PlaceButtonContent(input);
    EXPECT_EQ(content.imageX, 13);
    EXPECT_EQ(content.imageY, 32);
    EXPECT_EQ(content.textRect, (LayoutRect{29, 20, 110, 60}));
}

TEST(ImagePlacement, PushedInMovesImageAndCaptionByOnePixel) {
    ButtonContentInput input = Input(kImageAbove, true);
    input.pushedIn = true;
    ButtonContent content = PlaceButtonContent(input);
    EXPECT_EQ(content.imageX, 43);
    EXPECT_EQ(content.imageY, 4);
    EXPECT_EQ(content.textRect, (LayoutRect{1, 17, 101, 41}));

    input.hasImage = false;
    EXPECT_EQ(PlaceButtonContent(input).textRect, (LayoutRect{1, 1, 101, 41}));
}

TEST(ImagePlacement, AnImageLargerThanTheButtonIsCentredOverIt) {
    ButtonContentInput input = Input(kImageAbove, false);
    input.imageWidth = 120;
    input.imageHeight = 50;
    ButtonContent content = PlaceButtonContent(input);
    EXPECT_EQ(content.imageX, -10);
    EXPECT_EQ(content.imageY, -5);
}

TEST(CentreInside, CentresWithIntegerHalves) {
    EXPECT_EQ(CentreInside({0, 0, 101, 41}, 20, 10), (LayoutRect{40, 15, 60, 25}));
    EXPECT_EQ(CentreInside({100, 50, 300, 150}, 300, 100), (LayoutRect{50, 50, 350, 150}));
}

}  // namespace
