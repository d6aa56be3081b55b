#pragma once

#include "controls/layout_rect.h"

// Where a skinned button puts its image and its caption. The image stands left
// of, above, right of or under the caption; while the button is pressed both
// move by a pixel so the button looks pushed in.

enum ImageAlignment : int {
    kImageLeft = 0,
    kImageAbove = 1,
    kImageRight = 2,
    kImageOverlap = 3,
};

// The gap between the edge, the image and the text, and the push-in shift.
constexpr int kImageMarginX = 3;
constexpr int kImageMarginY = 3;
constexpr int kPressedOffsetX = 1;
constexpr int kPressedOffsetY = 1;

struct ButtonContentInput {
    LayoutRect item;      // the owner-draw item rectangle
    int clientWidth = 0;  // the button's client width
    bool hasImage = false;
    int imageWidth = 0;
    int imageHeight = 0;
    int alignment = kImageLeft;
    bool hasText = false;
    bool pushedIn = false;  // pressed and not a check box
};

struct ButtonContent {
    int imageX = 0;
    int imageY = 0;
    LayoutRect textRect;  // the room the caption is centred in
};

ButtonContent PlaceButtonContent(const ButtonContentInput& input);
