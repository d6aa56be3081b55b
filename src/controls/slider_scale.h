#pragma once

#include <vector>

// The trim slider's scale: two ends of a range on a scale from min to max,
// shown on a track of trackLength pixels with a thumb of thumbWidth pixels at
// each end. Every change keeps min <= left <= right <= max. A scale whose max
// equals its min shows both thumbs at the left end, and drags and keys change
// nothing on it.
struct SliderScale {
    double min = 0.0;
    double max = 1.0;
    double left = 0.0;
    double right = 1.0;
    int trackLength = 0;
    int thumbWidth = 13;
};

// The part of the slider that moved, as the range-changed message names it.
enum SliderPart { kLeftThumb = 0, kRightThumb = 1, kWholeRange = 2 };

// The track length of a slider client width wide: the thumbs take 26 pixels.
int TrackLengthFor(int clientWidth);

// Pixel offsets of the left and right ends on the track.
struct ThumbPixels {
    int left = 0;
    int right = 0;
};
ThumbPixels ThumbsAt(const SliderScale& scale);

// Each returns the parts to notify, in order, for every correction made.
std::vector<int> SetMinMax(SliderScale& scale, double a, double b);
// A left above right puts right at left first.
std::vector<int> SetRange(SliderScale& scale, double left, double right);
std::vector<int> Normalise(SliderScale& scale);

// Moves the grabbed part for a pointer at p (pointer x minus the grab offset)
// and returns the part to notify: for the right thumb 1 when it moved, else 0.
int DragTo(SliderScale& scale, int part, int p);

// An arrow key moves the part last grabbed (part) one pixel's worth of time:
// a thumb alone, never past the other one, or the whole range, which with
// Shift moves its right end only. A thumb is what a user who has just clicked
// it means to move: a range over the whole scale, as a new item has, could
// not move as a whole at all. Nothing leaves the scale. Returns the part to
// notify, or -1 when the key does nothing at all (a scale of no length).
int ArrowKey(SliderScale& scale, int part, bool rightArrow, bool shift);
