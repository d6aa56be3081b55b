#include "controls/shaded_bar.h"

namespace {

uint32_t Channel(uint32_t color, int shift) { return (color >> shift) & 0xFF; }

uint32_t MapChannels(uint32_t color, uint32_t (*change)(uint32_t)) {
    return change(Channel(color, 0)) | change(Channel(color, 8)) << 8 | change(Channel(color, 16)) << 16;
}

bool Empty(const LayoutRect& r) { return r.right <= r.left || r.bottom <= r.top; }

LayoutRect Shrunk(const LayoutRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}

}  // namespace

std::vector<ShadedRing> ShadedBarRings(const LayoutRect& bar, uint32_t color, bool shrinkSideways) {
    std::vector<ShadedRing> rings;
    LayoutRect rect = bar;
    if (Empty(rect)) return rings;
    rings.push_back({rect, color});
    rect = Shrunk(rect, 1, 1);
    if (Empty(rect)) return rings;
    color = MapChannels(color, [](uint32_t c) { return c + 5 > 255 ? 255u : c + 5; });
    rings.push_back({rect, color});
    rect = Shrunk(rect, 1, 1);
    while (!Empty(rect)) {
        color = MapChannels(color, [](uint32_t c) { return c > 245 ? c : c + 10; });
        rings.push_back({rect, color});
        rect = shrinkSideways ? Shrunk(rect, 1, 0) : Shrunk(rect, 0, 1);
    }
    return rings;
}
