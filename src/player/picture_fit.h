#pragma once

// Where a picture goes in the preview: as large as the box allows at the
// picture's display aspect, centred, with bars on the two other sides. A
// 16:9 DVD frame is shown 16:9 whatever its stored size.
struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The width is a multiple of 4 (so rows of 24-bit pixels need no padding)
// and the height even (as the encoder's scaler wants); an aspect that is not
// a positive number fills the box. A box too small for any picture gives an
// empty rectangle.
PictureRect FitPicture(int boxWidth, int boxHeight, double displayAspect);
