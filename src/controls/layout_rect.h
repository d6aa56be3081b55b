#pragma once

// A rectangle in pixels, left/top inclusive and right/bottom exclusive like a
// Win32 RECT, for the geometry that is decided without a window.
struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

inline bool operator==(const LayoutRect& a, const LayoutRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline LayoutRect RectAt(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// A width x height rectangle centred in another (integer halves): a caption in
// its room, a message box over its owner or the screen.
inline LayoutRect CentreInside(const LayoutRect& area, int width, int height) {
    return RectAt(area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2, width, height);
}
