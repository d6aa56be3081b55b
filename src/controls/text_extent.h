#pragma once

// A text's size in pixels in the font it is drawn with, as the system measures it.
struct TextExtent {
    int cx = 0;
    int cy = 0;
};
