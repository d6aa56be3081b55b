#include "controls/scroll_geometry.h"

#include <cmath>

namespace {

int TrackRoom(const ScrollBarMetrics& bar) {
    return bar.length - bar.thumb - bar.margin - bar.endPiece - bar.secondArrow - bar.firstArrow + bar.slack;
}

int Clamp(int value, int low, int high) { return value > high ? (high < low ? low : high) : value < low ? low : value; }

}  // namespace

double PixelsPerUnit(const ScrollBarMetrics& bar, int limit) {
    if (limit <= 0 || TrackRoom(bar) <= 0) return 0.0;
    return static_cast<double>(TrackRoom(bar)) / limit;
}

int ClampThumbOffset(const ScrollBarMetrics& bar, int offset) {
    const int highest = bar.length - bar.thumb - bar.secondArrow - bar.endPiece;
    if (offset > highest) offset = highest;
    return offset < bar.firstArrow ? bar.firstArrow : offset;
}

int ThumbOffset(const ScrollBarMetrics& bar, int position, int limit) {
    const double perUnit = PixelsPerUnit(bar, limit);
    const int clamped = Clamp(position, 0, limit < 0 ? 0 : limit);
    return ClampThumbOffset(bar, static_cast<int>(std::floor(perUnit * clamped)) + bar.firstArrow - 1);
}

int PositionForThumb(const ScrollBarMetrics& bar, int offset, int limit) {
    const double perUnit = PixelsPerUnit(bar, limit);
    if (perUnit <= 0.0) return 0;
    const double position = (offset - bar.firstArrow + 1) / perUnit;
    if (position <= 0.0) return 0;
    return position >= limit ? limit : static_cast<int>(position);
}

MiniThumb MiniThumbPlace(int barHeight, int position, int range, int page) {
    if (range <= 0 || page >= range) return {0, barHeight - 9 > 0 ? barHeight - 9 : 0};
    const int clamped = ClampMiniPosition(position, range, page);
    return {static_cast<int>(static_cast<long long>(clamped) * (barHeight - 10) / range),
            static_cast<int>(static_cast<long long>(barHeight - 9) * page / range)};
}

int ClampMiniPosition(int position, int range, int page) {
    const int highest = range - page;
    return Clamp(position, 0, highest < 0 ? 0 : highest);
}

MiniPart MiniPartAt(int y, int barHeight, int position, int range, int page) {
    const MiniThumb thumb = MiniThumbPlace(barHeight, position, range, page);
    if (y > thumb.top + thumb.length + 8) return MiniPart::pageDown;
    if (y < thumb.top + 2) return MiniPart::pageUp;
    return MiniPart::thumb;
}

int MiniDragPosition(int position, int dy, int barHeight, int range, int page) {
    const int room = barHeight - 16;
    if (room <= 0 || range <= 0 || page >= range) return ClampMiniPosition(position, range, page);
    const double moved = static_cast<double>(dy) / room * range;
    return ClampMiniPosition(position + static_cast<int>(moved), range, page);
}
