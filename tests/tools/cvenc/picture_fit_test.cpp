#include "cvenc/picture_fit.h"

#include <gmock/gmock.h>

#include <array>

namespace {

// Where the picture lands in the frame: its width and height, the bars before it (left, top).
std::array<int, 4> Fit(int width, int height, double sampleAspect, const DisplayArea& area) {
    const PictureSize<double> picture = FitPicture<double>(width, height, sampleAspect, area);
    return {static_cast<int>(picture.width), static_cast<int>(picture.height),
            static_cast<int>(LeadingBar<double>(area.width, picture.width)),
            static_cast<int>(LeadingBar<double>(area.height, picture.height))};
}

using Placed = std::array<int, 4>;
const DisplayArea kQvga = {320, 240, {320, 240}};

TEST(PictureFit, BarsAboveAndBelowAWiderSourceAtTheSidesOfANarrowerNoneWithinOnePercent) {
    // A widescreen DVD frame (wide pixels) on a 4:3 frame, and on a DVD frame shown at 4:3.
    EXPECT_EQ(Fit(720, 576, 64.0 / 45, kQvga), (Placed{320, 180, 0, 30}));
    EXPECT_EQ(Fit(720, 576, 64.0 / 45, {720, 480, {4, 3}}), (Placed{720, 360, 0, 60}));
    // 4:3 on the PSP's screen, and on a frame of nearly that shape shown at 16:9.
    EXPECT_EQ(Fit(640, 480, 1, {480, 272, {480, 272}}), (Placed{362, 272, 58, 0}));
    EXPECT_EQ(Fit(640, 480, 1, {368, 208, {16, 9}}), (Placed{276, 208, 46, 0}));
    EXPECT_EQ(Fit(1280, 720, 1, {480, 272, {480, 272}}), (Placed{480, 272, 0, 0}));  // 0.7 % apart
    EXPECT_EQ(Fit(1011, 750, 1, kQvga), (Placed{320, 238, 0, 0}));                   // 1.1 %: a bar below
}

TEST(PictureFit, OddSizesUnknownSampleAspectsAndExtremeShapes) {
    // An odd frame keeps its odd side where the picture meets its edge; the picture and bars are even.
    EXPECT_EQ(Fit(1920, 1080, 1, {175, 143, {175, 143}}), (Placed{175, 98, 0, 22}));
    EXPECT_EQ(Fit(480, 640, 1, {175, 143, {175, 143}}), (Placed{108, 143, 32, 0}));
    EXPECT_EQ(Fit(720, 576, 0, kQvga), Fit(720, 576, 1, kQvga));
    EXPECT_EQ(Fit(1, 1000, 1, kQvga), (Placed{2, 240, 158, 0}));
    EXPECT_EQ(Fit(1000, 1, 1, kQvga), (Placed{320, 2, 0, 118}));
}

}  // namespace
