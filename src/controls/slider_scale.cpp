#include "controls/slider_scale.h"

namespace {

bool HasLength(const SliderScale& s) { return s.max > s.min && s.trackLength > 0; }

int Round(double value) { return static_cast<int>(value + 0.5); }

}  // namespace

int TrackLengthFor(int clientWidth) { return clientWidth > 26 ? clientWidth - 26 : 0; }

ThumbPixels ThumbsAt(const SliderScale& s) {
    if (!HasLength(s)) return {};
    const double span = s.max - s.min;
    return {Round(s.trackLength * (s.left - s.min) / span), Round(s.trackLength * (s.right - s.min) / span)};
}

std::vector<int> Normalise(SliderScale& s) {
    std::vector<int> parts;
    if (s.left < s.min) {
        s.left = s.min;
        parts.push_back(kLeftThumb);
        if (s.right < s.left) {
            s.right = s.left;
            parts.push_back(kRightThumb);
        }
    }
    if (s.right > s.max) {
        s.right = s.max;
        parts.push_back(kRightThumb);
        if (s.left > s.right) {
            s.left = s.right;
            parts.push_back(kLeftThumb);
        }
    }
    return parts;
}

std::vector<int> SetMinMax(SliderScale& s, double a, double b) {
    s.min = a < b ? a : b;
    s.max = a < b ? b : a;
    return Normalise(s);
}

std::vector<int> SetRange(SliderScale& s, double left, double right) {
    s.left = left;
    s.right = right < left ? left : right;
    return Normalise(s);
}

int DragTo(SliderScale& s, int part, int p) {
    const int half = s.thumbWidth / 2;
    if (!HasLength(s)) return part == kRightThumb ? 0 : part;
    const double span = s.max - s.min;
    const double T = s.trackLength;
    switch (part) {
        case kLeftThumb:
            s.left = s.min + (p - half) / T * span;
            if (s.left >= s.right) s.left = s.right;
            if (s.left <= s.min) s.left = s.min;
            return kLeftThumb;
        case kRightThumb: {
            const double before = s.right;
            s.right = s.min + (p - 3 * s.thumbWidth / 2) / T * span;
            if (s.right <= s.left) s.right = s.left;
            if (s.right >= s.max) s.right = s.max;
            return s.right != before ? kRightThumb : kLeftThumb;
        }
        default: {
            const double width = s.right - s.left;
            const double centre = (p - s.thumbWidth) / T * span;
            s.left = s.min + centre - width / 2;
            s.right = s.min + centre + width / 2;
            if (s.left <= s.min) {
                s.left = s.min;
                s.right = s.min + width;
            }
            if (s.right >= s.max) {
                s.right = s.max;
                s.left = s.max - width;
            }
            return kWholeRange;
        }
    }
}

int ArrowKey(SliderScale& s, int part, bool rightArrow, bool shift) {
    if (!HasLength(s)) return -1;
    const double step = (s.max - s.min) / s.trackLength;
    int lp = Round((s.left - s.min) / step);
    int rp = Round((s.right - s.min) / step);
    const int move = rightArrow ? 1 : -1;
    if (part != kLeftThumb) rp += move;
    if (part == kLeftThumb || (part == kWholeRange && !shift)) lp += move;
    if (lp >= 0 && rp <= s.trackLength && lp <= rp) {
        s.left = s.min + lp * step;
        s.right = s.min + rp * step;
        if (s.right > s.max) s.right = s.max;
    }
    if (part != kWholeRange) return part;
    return shift ? kLeftThumb : kWholeRange;
}
