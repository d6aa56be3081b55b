#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

// Pictures keep their shape: the source's display picture (its frame size
// times its sample aspect) is fitted inside the output's display area, scaled
// and padded with black bars, above and below for a wider source, at the sides
// for a narrower one, none when the shapes agree within 1 %.
//
// The rule is written once, for any kind of number: on plain numbers it is
// tested, on FFmpeg's expression variables (iw, ih, sar) it becomes the filter
// chain, so FFmpeg applies it to the input it has opened anyway and no extra
// FFmpeg run is needed to learn the source's size first.

// Width to height in whole numbers, as "-aspect 16:9" gives it.
struct Ratio {
    long long width = 1;
    long long height = 1;
};

// What the output shows: a frame of this size (-s) at this display aspect
// (-aspect, else the frame's own ratio; FFmpeg writes the matching sample
// aspect into the file).
struct DisplayArea {
    int width = 0;
    int height = 0;
    Ratio aspect;
};

template <typename Number>
struct PictureSize {
    Number width;
    Number height;
};

// Plain numbers for the rule below; the Expression overloads follow.
inline double Abs(double value) { return std::fabs(value); }
inline double Min(double a, double b) { return std::min(a, b); }
inline double Max(double a, double b) { return std::max(a, b); }
inline double Round(double value) { return std::round(value); }
inline double Floor(double value) { return std::floor(value); }
inline double Choose(bool condition, double yes, double no) { return condition ? yes : no; }

// Codecs need even sizes (4:2:0 chroma); a picture never shrinks to nothing.
template <typename Number>
Number EvenSize(const Number& size) {
    return Max(Number(2), Number(2) * Round(size / Number(2)));
}

// The size of the picture inside the area, for a source frame of this size
// and sample aspect (0 or less, as for an unknown one: square pixels). The side
// that meets the area's edge keeps the frame's own size, even or not.
template <typename Number>
PictureSize<Number> FitPicture(const Number& width, const Number& height, const Number& sampleAspect,
                               const DisplayArea& area) {
    const Number one(1);
    const Number sourceAspect = width / height * Choose(sampleAspect > Number(0), sampleAspect, one);
    const Number areaAspect = Number(area.aspect.width) / Number(area.aspect.height);
    const Number ratio = sourceAspect / areaAspect;  // above 1: the source is wider
    const auto sameShape = Abs(ratio - one) <= one / Number(100);
    const Number frameWidth(area.width);
    const Number frameHeight(area.height);
    return {Choose(sameShape, frameWidth, Min(frameWidth, EvenSize(frameWidth * ratio))),
            Choose(sameShape, frameHeight, Min(frameHeight, EvenSize(frameHeight / ratio)))};
}

// A bound rather than a frame ("-maxsize 1280x720"): the frame keeps its own
// shape and sample aspect and is made smaller, never larger, until it fits
// inside the bound; nothing is padded. The side that meets its limit takes
// it; sides are made even downwards, so an odd source loses its last line
// rather than gaining one. Products come before quotients, so that sizes
// that divide exactly come out exact in floating point too.
template <typename Number>
PictureSize<Number> BoundPicture(const Number& width, const Number& height, int boundWidth, int boundHeight) {
    const Number two(2);
    const auto even = [&two](const Number& size) { return Max(two, two * Floor(size / two)); };
    const Number limitWidth = Min(width, Number(boundWidth));
    const Number limitHeight = Min(height, Number(boundHeight));
    const auto wider = width * Number(boundHeight) > height * Number(boundWidth);
    return {even(Choose(wider, limitWidth, limitHeight * width / height)),
            even(Choose(wider, limitWidth * height / width, limitHeight))};
}

// The bar before the picture (left or top): the picture centred, starting on
// an even column or line so that the chroma planes line up with it.
template <typename Number>
Number LeadingBar(const Number& frame, const Number& picture) {
    return Number(2) * Floor((frame - picture) / Number(4));
}

// An expression in FFmpeg's syntax (libavutil/eval), built with the same
// operators and functions as plain numbers. Constants are whole numbers, so
// FFmpeg computes exactly what the tests compute.
class Expression {
public:
    explicit Expression(long long value) : text_(std::to_string(value)) {}
    explicit Expression(std::string text) : text_(std::move(text)) {}  // a variable such as "iw", or a whole term
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

Expression operator-(const Expression& a, const Expression& b);
Expression operator*(const Expression& a, const Expression& b);
Expression operator/(const Expression& a, const Expression& b);
Expression operator>(const Expression& a, const Expression& b);   // 1 or 0, as FFmpeg's gt()
Expression operator<=(const Expression& a, const Expression& b);  // 1 or 0, as FFmpeg's lte()
Expression Abs(const Expression& value);
Expression Min(const Expression& a, const Expression& b);
Expression Max(const Expression& a, const Expression& b);
Expression Round(const Expression& value);
Expression Floor(const Expression& value);
Expression Choose(const Expression& condition, const Expression& yes, const Expression& no);

// The filter chain (for -vf) that fits whatever picture reaches it into the
// area, with square pixels: a command's -aspect, applied after the chain,
// states the area's own sample aspect instead.
std::string FitFilter(const DisplayArea& area);

// The scaling (for -vf) that brings whatever frame reaches it within the
// bound; FFmpeg's scale filter adjusts the sample aspect, so the picture
// keeps the shape it is shown at.
std::string BoundFilter(int width, int height);
