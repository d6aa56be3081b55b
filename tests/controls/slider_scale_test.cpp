#include "controls/slider_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

// The trim slider as the main window sizes it: a 346-pixel control, 320 pixels of track.
SliderScale Scale(double min, double max, double left, double right) {
    SliderScale scale;
    scale.trackLength = TrackLengthFor(346);
    SetMinMax(scale, min, max);
    SetRange(scale, left, right);
    return scale;
}

// The two thumbs' values, and their pixel places.
std::pair<double, double> Ends(const SliderScale& s) { return {s.left, s.right}; }
std::pair<int, int> Pixels(const SliderScale& s) { return {ThumbsAt(s).left, ThumbsAt(s).right}; }

TEST(SliderScale, NormalisingNotifiesEachCorrection) {
    SliderScale scale = Scale(0, 120, 10, 20);
    EXPECT_EQ(SetRange(scale, -5, 50), (std::vector<int>{kLeftThumb}));
    EXPECT_EQ(SetRange(scale, -5, -2), (std::vector<int>{kLeftThumb, kRightThumb}));
    EXPECT_EQ(SetRange(scale, 100, 130), (std::vector<int>{kRightThumb}));
    EXPECT_EQ(SetMinMax(scale, 60, 0), (std::vector<int>{kRightThumb, kLeftThumb}));
    EXPECT_EQ(scale.left, 60);
    EXPECT_TRUE(SetRange(scale, 10, 20).empty());
    // Crossed ends are not kept crossed.
    SetRange(scale, 40, 30);
    EXPECT_EQ(Ends(scale), std::make_pair(40.0, 40.0));
    EXPECT_EQ(TrackLengthFor(10), 0);
}

// Dragged thumbs never cross; the whole range dragged keeps its width against both ends.
TEST(SliderScale, ThumbsCannotCrossWhileDraggedAndTheRangeKeepsItsWidth) {
    SliderScale scale = Scale(0, 320, 100, 200);
    EXPECT_EQ(Pixels(scale), std::make_pair(100, 200));
    // Each drag: the part reported, and the ends after it.
    using Drag = std::tuple<int, double, double>;
    const auto drag = [&](int part, int pixel) { return Drag{DragTo(scale, part, pixel), scale.left, scale.right}; };
    EXPECT_EQ(drag(kLeftThumb, 300), Drag(kLeftThumb, 200, 200));
    EXPECT_EQ(drag(kLeftThumb, -50), Drag(kLeftThumb, 0, 200));
    SetRange(scale, 100, 200);
    EXPECT_EQ(drag(kRightThumb, 19 + 50), Drag(kRightThumb, 100, 100));
    EXPECT_EQ(drag(kRightThumb, 19 + 50), Drag(kLeftThumb, 100, 100)) << "no change this time";
    EXPECT_EQ(drag(kRightThumb, 1000), Drag(kRightThumb, 100, 320));

    SetRange(scale, 100, 160);
    EXPECT_EQ(drag(kWholeRange, -100), Drag(kWholeRange, 0, 60));
    EXPECT_EQ(drag(kWholeRange, 900), Drag(kWholeRange, 260, 320));
    EXPECT_EQ(drag(kWholeRange, 13 + 150), Drag(kWholeRange, 120, 180));
}

// A step of the arrows and of Shift+Left is the data controls' slider case.
TEST(SliderScale, ArrowKeysStopAtTheEnds) {
    SliderScale scale = Scale(0, 320, 10, 20);
    // Shift+Left, and a thumb moved on its own, stop at the other thumb instead of passing it.
    for (int i = 0; i < 20; ++i) ArrowKey(scale, kWholeRange, false, true);
    EXPECT_DOUBLE_EQ(scale.right, scale.left);
    SetRange(scale, 10, 20);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(ArrowKey(scale, kLeftThumb, true, false), kLeftThumb);
    EXPECT_EQ(Ends(scale), std::make_pair(20.0, 20.0));
    // At either end the key still notifies but moves nothing.
    SetRange(scale, 0, 5);
    EXPECT_EQ(ArrowKey(scale, kWholeRange, false, false), kWholeRange);
    EXPECT_DOUBLE_EQ(scale.left, 0);
    SetRange(scale, 300, 320);
    ArrowKey(scale, kWholeRange, true, false);
    EXPECT_EQ(Ends(scale), std::make_pair(300.0, 320.0));
    // A range over the whole scale cannot move, but either of its thumbs can.
    SetRange(scale, 0, 320);
    EXPECT_EQ(ArrowKey(scale, kRightThumb, false, false), kRightThumb);
    EXPECT_EQ(Ends(scale), std::make_pair(0.0, 319.0));
}

TEST(SliderScale, NoScaleMeansNoMovementAndNoDivision) {
    for (SliderScale scale : {Scale(30, 30, 30, 30), Scale(0, 100, 10, 20)}) {
        if (scale.max != scale.min) scale.trackLength = 0;
        const SliderScale before = scale;
        EXPECT_EQ(Pixels(scale), std::make_pair(0, 0));
        EXPECT_EQ(ArrowKey(scale, kWholeRange, true, false), -1);
        for (int part : {kLeftThumb, kRightThumb, kWholeRange}) DragTo(scale, part, 500);
        EXPECT_EQ(Ends(scale), Ends(before));
        EXPECT_FALSE(std::isnan(scale.left));
    }
}

}  // namespace
