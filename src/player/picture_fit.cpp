#include "player/picture_fit.h"

#include <cmath>

PictureRect FitPicture(int boxWidth, int boxHeight, double displayAspect) {
    PictureRect fit;
    if (boxWidth < 4 || boxHeight < 2) return fit;
    if (!std::isfinite(displayAspect) || displayAspect <= 0.0) {
        displayAspect = static_cast<double>(boxWidth) / boxHeight;
    }
    double width = boxWidth;
    double height = width / displayAspect;
    if (height > boxHeight) {
        height = boxHeight;
        width = height * displayAspect;
    }
    fit.width = static_cast<int>(std::lround(width)) / 4 * 4;
    fit.height = static_cast<int>(std::lround(height)) / 2 * 2;
    if (fit.width < 4 || fit.height < 2) return PictureRect{};
    fit.x = (boxWidth - fit.width) / 2;
    fit.y = (boxHeight - fit.height) / 2;
    return fit;
}
